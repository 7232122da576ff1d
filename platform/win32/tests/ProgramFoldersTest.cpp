#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "testing/TempFolder.h"
#include "win32/Errors.h"
#include "win32/Module.h"
#include "win32/SystemInfo.h"

TEST(ProgramFolders, WindowsFolderComesFromTheVariableAndIsCreated) {
  layer::testing::TempFolder temp;
  std::string folder = temp / "win";
  setenv("VARNO_WINDIR", folder.c_str(), 1);
  char buffer[260];
  UINT length = GetWindowsDirectory(buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer), folder);
  EXPECT_EQ(length, folder.size());
  EXPECT_TRUE(std::filesystem::is_directory(folder));

  char tiny[4];
  EXPECT_EQ(GetWindowsDirectory(tiny, sizeof tiny), folder.size() + 1);
  unsetenv("VARNO_WINDIR");
}

TEST(ProgramFolders, ModuleFileNameIsTheRunningProgramAndIsCutToTheBuffer) {
  char buffer[1024];
  DWORD length = GetModuleFileName(nullptr, buffer, sizeof buffer);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(std::filesystem::path(buffer).filename(), "win32_tests");

  char small[5];
  EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), std::string(buffer, 4));
}
