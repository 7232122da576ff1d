// Folder searches and volume figures through system paths with drive letters.
#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/TempFolder.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/Paths.h"

namespace {

using Names = std::vector<std::string>;

class DriveQ : public ::testing::Test {
 protected:
  void SetUp() override { layer::SetDriveFolder('Q', m_folder.Path()); }
  void TearDown() override { layer::SetDriveFolder('Q', "/nonexistent/varno-drive-q"); }

  // The names FindFirstFile and FindNextFile give for a pattern, or the error.
  std::vector<std::string> Found(const char* pattern) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern, &data);
    if (find == INVALID_HANDLE_VALUE) return {"error " + std::to_string(GetLastError())};
    std::vector<std::string> names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(find));
    return names;
  }

  layer::testing::TempFolder m_folder;
};

TEST_F(DriveQ, PatternsMatchWithoutRegardToCaseInUpperCaseOrder) {
  for (const char* name : {"Orders/b.pro", "Orders/A.PRO", "Orders/c.pro.bak", "Orders/notes.txt", "Orders/noext",
                           "Orders/\xc3\xa4rger.pro", "Orders/x_1.pro", "Orders/xa.pro"})
    m_folder.Write(name, "x");
  std::filesystem::create_directory(m_folder / "Orders/sub.pro");
  struct Case {
    const char* pattern;
    Names names;
  } cases[] = {
      {"Q:\\Orders\\*.pro", {"A.PRO", "b.pro", "sub.pro", "xa.pro", "x_1.pro", "\xe4rger.pro"}},
      {"q:\\ORDERS\\*.PRO", {"A.PRO", "b.pro", "sub.pro", "xa.pro", "x_1.pro", "\xe4rger.pro"}},
      {"Q:\\Orders\\?.pro", {"A.PRO", "b.pro"}},
      {"Q:\\Orders\\*.*",
       {".", "..", "A.PRO", "b.pro", "c.pro.bak", "noext", "notes.txt", "sub.pro", "xa.pro", "x_1.pro",
        "\xe4rger.pro"}},
      {"Q:\\Orders\\*",
       {".", "..", "A.PRO", "b.pro", "c.pro.bak", "noext", "notes.txt", "sub.pro", "xa.pro", "x_1.pro",
        "\xe4rger.pro"}},
      {"Q:\\Orders\\*.p*o", {"A.PRO", "b.pro", "sub.pro", "xa.pro", "x_1.pro", "\xe4rger.pro"}},
      {"Q:\\Orders\\NOTES.TXT", {"notes.txt"}},
      {"Q:\\Orders\\\xc4RGER.PRO", {"\xe4rger.pro"}},
      {"Q:\\*", {"Orders"}},  // a drive's root has no "." and ".."
      {"Q:/Orders/n*", {"noext", "notes.txt"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(c.pattern), c.names) << c.pattern;
}

TEST_F(DriveQ, RefusedSearches) {
  m_folder.Write("Orders/a.pro", "x");
  struct Case {
    const char* pattern;
    DWORD error;
  } cases[] = {
      {"Q:\\Orders\\*.txt", ERROR_FILE_NOT_FOUND},    {"Q:\\Missing\\*.pro", ERROR_PATH_NOT_FOUND},
      {"Q:\\Orders\\a.pro\\*", ERROR_PATH_NOT_FOUND}, {"Q:\\Ord*\\*.pro", ERROR_INVALID_NAME},
      {"Q:\\Orders\\", ERROR_FILE_NOT_FOUND},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(c.pattern), Names{"error " + std::to_string(c.error)}) << c.pattern;
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(DriveQ, EntriesCarryAttributesSizesAndTimes) {
  m_folder.Write("Data/small.txt", "twelve bytes");
  std::filesystem::create_directory(m_folder / "Data/Folder");
  m_folder.Write("Data/locked.txt", "r");
  std::filesystem::permissions(m_folder / "Data/locked.txt", std::filesystem::perms::owner_read);
  // A sparse file beyond 4 GB needs the high size word.
  m_folder.Write("Data/big.bin", "x");
  ASSERT_EQ(truncate((m_folder / "Data/big.bin").c_str(), 0x140000000LL), 0);
  auto stamp = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
  std::filesystem::last_write_time(m_folder / "Data/small.txt", stamp);

  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("Q:\\Data\\*.*", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  std::vector<WIN32_FIND_DATAA> entries{data};
  while (FindNextFileA(find, &data)) entries.push_back(data);
  FindClose(find);
  ASSERT_EQ(entries.size(), 6u);  // ".", "..", big.bin, Folder, locked.txt, small.txt
  EXPECT_EQ(entries[0].dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_STREQ(entries[2].cFileName, "big.bin");
  EXPECT_EQ(entries[2].nFileSizeHigh, 1u);
  EXPECT_EQ(entries[2].nFileSizeLow, 0x40000000u);
  EXPECT_STREQ(entries[3].cFileName, "Folder");
  EXPECT_EQ(entries[3].dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_STREQ(entries[4].cFileName, "locked.txt");
  EXPECT_EQ(entries[4].dwFileAttributes, FILE_ATTRIBUTE_READONLY);
  EXPECT_STREQ(entries[5].cFileName, "small.txt");
  EXPECT_EQ(entries[5].dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(entries[5].nFileSizeLow, 12u);
  EXPECT_EQ(entries[5].cAlternateFileName[0], '\0');
  auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::file_clock::to_sys(stamp).time_since_epoch())
          .count();
  EXPECT_EQ(layer::UnixFromFileTime(entries[5].ftLastWriteTime), seconds);
}

TEST_F(DriveQ, HandlesAreTheSearchesOwn) {
  m_folder.Write("a.txt", "x");
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("Q:\\a.txt", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FindNextFileA(find, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_FALSE(FindNextFileA(find, &data));  // stays at its end
  EXPECT_TRUE(FindClose(find));
  EXPECT_FALSE(FindClose(find));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindNextFileA(find, &data));
  HANDLE file = CreateFile("Q:\\a.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FindClose(file));  // a file is no search
  EXPECT_TRUE(CloseHandle(file));
}

TEST_F(DriveQ, VolumeFiguresOfTheDrivesFileSystem) {
  struct statvfs host;
  ASSERT_EQ(statvfs(m_folder.Path().c_str(), &host), 0);
  char name[32] = "x", fileSystem[32] = "";
  DWORD serial = 0, longest = 0, flags = 0;
  ASSERT_TRUE(
      GetVolumeInformationA("Q:\\", name, sizeof name, &serial, &longest, &flags, fileSystem, sizeof fileSystem));
  EXPECT_STREQ(name, "");
  EXPECT_EQ(longest, host.f_namemax);
  EXPECT_NE(fileSystem[0], '\0');
  EXPECT_TRUE(flags & FILE_CASE_PRESERVED_NAMES);
  // The same file system through a share name gives the same figures.
  std::filesystem::path path(m_folder.Path());
  std::string share = "\\\\" + path.parent_path().relative_path().string() + "\\" + path.filename().string() + "\\";
  DWORD shareSerial = 0, shareLongest = 0;
  ASSERT_TRUE(GetVolumeInformationA(share.c_str(), nullptr, 0, &shareSerial, &shareLongest, nullptr, nullptr, 0))
      << share;
  EXPECT_EQ(shareSerial, serial);
  EXPECT_EQ(shareLongest, longest);
  // Every output may be left out; no root means the current folder's volume.
  EXPECT_TRUE(GetVolumeInformationA("Q:\\", nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0));
  EXPECT_TRUE(GetVolumeInformationA(nullptr, nullptr, 0, nullptr, &longest, nullptr, nullptr, 0));
}

TEST_F(DriveQ, RefusedVolumeRoots) {
  m_folder.Write("Sub/x", "x");
  struct Case {
    const char* root;
    DWORD error;
  } cases[] = {
      {"Q:", ERROR_INVALID_NAME},
      {"Q", ERROR_INVALID_NAME},
      {"", ERROR_INVALID_NAME},
      {"Q:\\Sub\\", ERROR_DIR_NOT_ROOT},
      {"\\\\server", ERROR_INVALID_NAME},
      {"\\\\server\\\\", ERROR_INVALID_NAME},
      {"\\\\server\\share\\folder\\", ERROR_DIR_NOT_ROOT},
      {"\\\\no-such-server\\share\\", ERROR_BAD_NETPATH},
      {"P:\\", ERROR_PATH_NOT_FOUND},
  };
  layer::SetDriveFolder('P', m_folder / "missing");
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(GetVolumeInformationA(c.root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) << c.root;
    EXPECT_EQ(GetLastError(), c.error) << c.root;
  }
  char tiny[2];
  EXPECT_FALSE(GetVolumeInformationA("Q:\\", nullptr, 0, nullptr, nullptr, nullptr, tiny, sizeof tiny));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_LENGTH));
}

}  // namespace
