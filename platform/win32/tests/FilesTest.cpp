#include <gtest/gtest.h>

#include <string>

#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"
#include "win32/Errors.h"
#include "win32/Files.h"

using layer::testing::ChildProcess;
using layer::testing::TempFolder;

namespace {

HANDLE Open(const std::string& name, DWORD access, DWORD share, DWORD disposition = OPEN_EXISTING) {
  return CreateFile(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

TEST(Files, DispositionsCreateOpenAndCut) {
  TempFolder dir;
  std::string name = dir / "f.bin";
  EXPECT_EQ(Open(name, GENERIC_READ, 0), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Open(dir / "missing/f.bin", GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  HANDLE file = Open(name, GENERIC_WRITE, 0, CREATE_NEW);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, "hello", 5, &written, nullptr));
  EXPECT_EQ(written, 5u);
  CloseHandle(file);

  EXPECT_EQ(Open(name, GENERIC_WRITE, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));

  file = Open(name, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(GetFileSize(file, nullptr), 5u);
  EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_BEGIN), 2u);
  EXPECT_TRUE(SetEndOfFile(file));
  EXPECT_EQ(GetFileSize(file, nullptr), 2u);
  EXPECT_EQ(SetFilePointer(file, -3, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  CloseHandle(file);

  file = Open(name, GENERIC_WRITE, 0, CREATE_ALWAYS);
  EXPECT_EQ(GetFileSize(file, nullptr), 0u);
  CloseHandle(file);
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Files, SharingModesDecideWhetherASecondOpenIsAllowed) {
  TempFolder dir;
  std::string name = dir / "shared.ini";
  dir.Write("shared.ini", "data");
  const DWORD R = GENERIC_READ, W = GENERIC_WRITE, RW = GENERIC_READ | GENERIC_WRITE;
  const DWORD none = 0, sr = FILE_SHARE_READ, sw = FILE_SHARE_WRITE, srw = FILE_SHARE_READ | FILE_SHARE_WRITE;
  struct Case {
    DWORD firstAccess, firstShare, secondAccess, secondShare;
    bool allowed;
  } cases[] = {
      {R, sr, R, sr, true},       // readers that deny writing share
      {R, sr, RW, none, false},   // an exclusive writer waits for readers
      {RW, none, R, sr, false},   // readers wait for an exclusive writer
      {R, sr, W, srw, false},     // the first denies writing
      {R, srw, W, srw, true},     // nothing denied
      {W, srw, R, sr, false},     // the second would deny the first's writing
      {R, sw, R, srw, false},     // the first denies reading
      {W, sr, W, srw, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess << "/"
                                    << c.secondShare);
    HANDLE first = Open(name, c.firstAccess, c.firstShare);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    HANDLE second = Open(name, c.secondAccess, c.secondShare);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.allowed);
    if (second != INVALID_HANDLE_VALUE)
      CloseHandle(second);
    else
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(first);
    // Once the first is closed, the second open always succeeds.
    second = Open(name, c.secondAccess, c.secondShare);
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    CloseHandle(second);
  }
}

TEST(Files, ExclusiveOpenInAnotherProcessRefusesOursAndARefusedCreateCutsNothing) {
  TempFolder dir;
  std::string name = dir / "locked.ini";
  dir.Write("locked.ini", "keep me");
  ChildProcess child([&](ChildProcess& self) {
    HANDLE file = Open(name, GENERIC_READ | GENERIC_WRITE, 0);
    if (file == INVALID_HANDLE_VALUE) return 1;
    self.Signal();
    self.Await();
    CloseHandle(file);
    return 0;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.Await());
  EXPECT_EQ(Open(name, GENERIC_READ, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(Open(name, GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(dir.Read("locked.ini"), "keep me");
  child.Signal();
  EXPECT_EQ(child.Wait(), 0);
  HANDLE file = Open(name, GENERIC_READ, FILE_SHARE_READ);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
}

TEST(Files, MoveReplacesOnlyWhenAsked) {
  TempFolder dir;
  dir.Write("a", "new");
  dir.Write("b", "old");
  EXPECT_FALSE(MoveFile((dir / "a").c_str(), (dir / "b").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(MoveFileEx((dir / "a").c_str(), (dir / "b").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(dir.Read("b"), "new");
  EXPECT_FALSE(dir.Exists("a"));
  EXPECT_TRUE(DeleteFile((dir / "b").c_str()));
  EXPECT_FALSE(DeleteFile((dir / "b").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
