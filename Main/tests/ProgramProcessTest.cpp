// The viewer program in processes of its own, started as a user starts it
// in the catalogue's folder: a second copy brings the first back and ends,
// and the first ends on a close with the user's settings kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ipc/CrossProcessWindows.h"
#include "testing/TempFolder.h"
#include "win32/Clock.h"
#include "win32/CrossProcess.h"
#include "win32/Paths.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr DWORD kPatience = 20000;
constexpr const char* kStartTitle = "Rasenmaeher RM 46 - Baugruppen";

class ViewerProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(layer::ipc::StartCrossProcessWindows());
    std::filesystem::copy(VARNO_CATALOGUE_DIR, folder.Path(), std::filesystem::copy_options::recursive);
  }

  PROCESS_INFORMATION StartViewer() {
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    char commandLine[] = "varno4.exe";
    const std::string directory = layer::SystemPath(folder.Path());
    EXPECT_TRUE(CreateProcess(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                              &process));
    return process;
  }

  // The first copy's main window once it shows the start key; null when it
  // does not within the patience.
  static HWND AwaitStartKey(const PROCESS_INFORMATION& process) {
    WaitForInputIdle(process.hProcess, kPatience);
    for (DWORD waited = 0; waited < kPatience; waited += 20) {
      if (HWND window = FindWindow(nullptr, kStartTitle)) return window;
      Sleep(20);
    }
    return nullptr;
  }

  static DWORD AwaitEnd(const PROCESS_INFORMATION& process) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, kPatience) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
  }

  std::string UserSettings() {
    std::ifstream in(folder.Path() + "/varno4_user.ini", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  layer::testing::TempFolder folder;
};

TEST_F(ViewerProgramTest, SecondCopyBringsTheFirstBackAndEnds) {
  const PROCESS_INFORMATION first = StartViewer();
  const HWND main = AwaitStartKey(first);
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(main));

  EXPECT_EQ(AwaitEnd(StartViewer()), 0u);
  EXPECT_FALSE(IsIconic(main)) << "the first copy is restored";
  EXPECT_TRUE(IsWindow(main));

  PostMessage(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(AwaitEnd(first), 0u);
  EXPECT_NE(UserSettings().find("WindowSize="), std::string::npos) << "the settings are kept at the end";
}

}  // namespace
