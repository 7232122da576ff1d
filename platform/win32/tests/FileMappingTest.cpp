#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <string>

#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"
#include "win32/Errors.h"
#include "win32/FileMapping.h"
#include "win32/Process.h"

using layer::testing::ChildProcess;

namespace {

// Names unique to this test run, so that runs side by side do not meet.
std::string Unique(const std::string& name) { return name + "-" + std::to_string(getpid()); }

HANDLE Create(const std::string& name, DWORD size = 4096) {
  return CreateFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str());
}

}  // namespace

TEST(FileMapping, SecondCreatorGetsTheSameBlockAndIsTold) {
  std::string name = Unique("7");
  HANDLE first = Create(name);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  auto* view = static_cast<char*>(MapViewOfFile(first, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view[0], 0);
  EXPECT_EQ(view[4095], 0);
  std::strcpy(view, "shared");

  HANDLE second = Create(name);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  auto* again = static_cast<char*>(MapViewOfFile(second, FILE_MAP_READ, 0, 0, 0));
  EXPECT_STREQ(again, "shared");

  // Names are case-sensitive, as the platform's object names are.
  HANDLE other = Create(Unique("7X"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(other);

  EXPECT_TRUE(UnmapViewOfFile(again));
  EXPECT_FALSE(UnmapViewOfFile(again));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
  CloseHandle(second);
  EXPECT_TRUE(UnmapViewOfFile(view));
  CloseHandle(first);
}

TEST(FileMapping, BlockDisappearsWithItsLastHandleOrView) {
  std::string name = Unique("vanish");
  HANDLE mapping = Create(name);
  auto* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  view[0] = 'x';
  CloseHandle(mapping);  // the view still holds the block
  HANDLE opened = OpenFileMapping(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
  ASSERT_NE(opened, nullptr);
  CloseHandle(opened);
  UnmapViewOfFile(view);

  EXPECT_EQ(OpenFileMapping(FILE_MAP_ALL_ACCESS, FALSE, name.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  HANDLE fresh = Create(name);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  auto* clean = static_cast<char*>(MapViewOfFile(fresh, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  EXPECT_EQ(clean[0], 0);
  UnmapViewOfFile(clean);
  CloseHandle(fresh);
}

TEST(FileMapping, BadRequestsAreRefused) {
  std::string name = Unique("bad");
  EXPECT_EQ(Create(name, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(CreateFileMapping(reinterpret_cast<HANDLE>(0x1234), nullptr, PAGE_READWRITE, 0, 16, name.c_str()),
            nullptr);
  EXPECT_EQ(Create(std::string(300, 'n')), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(OpenFileMapping(FILE_MAP_ALL_ACCESS, FALSE, ""), nullptr);

  HANDLE mapping = Create(name, 4096);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 8192), nullptr);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 100, 0), nullptr);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 4096, 0), nullptr);
  HANDLE readOnly = OpenFileMapping(FILE_MAP_READ, FALSE, name.c_str());
  EXPECT_EQ(MapViewOfFile(readOnly, FILE_MAP_WRITE, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(readOnly);
  CloseHandle(mapping);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(FileMapping, LeftOverOfAKilledProgramIsNoBlock) {
  std::string name = Unique("leftover");
  ChildProcess child([&](ChildProcess&) {
    HANDLE mapping = Create(name);
    static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0))[0] = 'k';
    _exit(0);  // ends without closing anything
    return 0;
  });
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_EQ(OpenFileMapping(FILE_MAP_ALL_ACCESS, FALSE, name.c_str()), nullptr);
  HANDLE fresh = Create(name);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(fresh);
}

// The exchange of a started program: the name on its command line, a 16-bit
// length and the bytes written by the child, read by the parent after its end.
TEST(FileMapping, StartedProgramAnswersThroughTheNamedBlock) {
  std::string name = Unique("5");
  HANDLE mapping = Create(name);
  ASSERT_NE(mapping, nullptr);
  auto* block = static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  block[0] = block[1] = 0;

  std::string answer(300, 'a');
  std::string line = " answer " + name + " " + answer + " -MMF " + name;
  STARTUPINFO startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcess("LAYER_PROCESS_CHILD.EXE", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info));
  ASSERT_EQ(WaitForSingleObject(info.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  EXPECT_EQ(code, 0u);
  size_t length = block[0] + 256u * block[1];
  EXPECT_EQ(length, answer.size());
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block + 2), length), answer);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  UnmapViewOfFile(block);
  CloseHandle(mapping);
}
