// The C runtime's streams, status and access checks on system paths, and its
// time formatting.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>

#include "mfc/CTime.h"
#include "testing/TempFolder.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/Paths.h"
// Last: it puts the runtime's fopen in place of the host's.
#include "win32/CRuntime.h"

namespace {

class RuntimeFiles : public ::testing::Test {
 protected:
  void SetUp() override { layer::SetDriveFolder('R', m_folder.Path()); }
  void TearDown() override { layer::SetDriveFolder('R', "/nonexistent/varno-drive-r"); }

  static std::string ReadAll(FILE* stream) {
    std::string text;
    for (int c; (c = std::fgetc(stream)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  layer::testing::TempFolder m_folder;
};

TEST_F(RuntimeFiles, TextStreamsTranslateLineEndsAndStopAtCtrlZ) {
  m_folder.Write("data/lines.txt", std::string("one\r\ntwo\rthree\n\r\n\x1a after the end"));
  FILE* text = fopen("R:\\DATA\\Lines.TXT", "r");
  ASSERT_NE(text, nullptr);
  char line[32];
  ASSERT_NE(std::fgets(line, sizeof line, text), nullptr);
  EXPECT_STREQ(line, "one\n");
  EXPECT_EQ(std::ftell(text), 5);  // the file's position: CR LF counts two
  EXPECT_EQ(ReadAll(text), "two\rthree\n\n");
  EXPECT_TRUE(std::feof(text));
  EXPECT_EQ(std::fseek(text, 0, SEEK_SET), 0);
  EXPECT_EQ(ReadAll(text), "one\ntwo\rthree\n\n");
  std::fclose(text);

  FILE* binary = fopen("R:\\data\\lines.txt", "rb");
  ASSERT_NE(binary, nullptr);
  EXPECT_EQ(ReadAll(binary), std::string("one\r\ntwo\rthree\n\r\n\x1a after the end"));
  std::fclose(binary);
}

TEST_F(RuntimeFiles, WritingAndAppending) {
  FILE* text = fopen("R:\\out.txt", "w");
  ASSERT_NE(text, nullptr);
  std::fputs("a\nb\n", text);
  std::fclose(text);
  EXPECT_EQ(m_folder.Read("out.txt"), "a\r\nb\r\n");

  FILE* binary = fopen("R:\\out.bin", "wb");
  ASSERT_NE(binary, nullptr);
  std::fputs("a\nb\n", binary);
  std::fclose(binary);
  EXPECT_EQ(m_folder.Read("out.bin"), "a\nb\n");

  // Appends go to the end wherever the stream stands.
  FILE* append = fopen("R:\\out.bin", "a+b");
  ASSERT_NE(append, nullptr);
  EXPECT_EQ(ReadAll(append), "a\nb\n");
  std::fseek(append, 0, SEEK_SET);
  std::fputs("c", append);
  std::fclose(append);
  EXPECT_EQ(m_folder.Read("out.bin"), "a\nb\nc");

  // "w" empties, "r+" keeps.
  FILE* update = fopen("R:\\out.bin", "r+b");
  ASSERT_NE(update, nullptr);
  std::fputs("X", update);
  std::fclose(update);
  EXPECT_EQ(m_folder.Read("out.bin"), "X\nb\nc");
}

TEST_F(RuntimeFiles, StreamsAndFileHandlesShareAsOnThePlatform) {
  m_folder.Write("shared.txt", "kept");
  HANDLE reader = CreateFile("R:\\shared.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  errno = 0;
  EXPECT_EQ(fopen("R:\\shared.txt", "w"), nullptr);  // the handle denies writing
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(m_folder.Read("shared.txt"), "kept");  // a refused "w" cuts nothing
  FILE* second = fopen("R:\\shared.txt", "r");
  ASSERT_NE(second, nullptr);
  std::fclose(second);
  CloseHandle(reader);

  FILE* guarded = _fsopen("R:\\shared.txt", "rb", _SH_DENYWR);
  ASSERT_NE(guarded, nullptr);
  HANDLE writer = CreateFile("R:\\shared.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  std::fclose(guarded);
  writer = CreateFile("R:\\shared.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                      nullptr);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE);  // the stream's close ended its claim
  CloseHandle(writer);
}

TEST_F(RuntimeFiles, RefusedOpens) {
  std::filesystem::create_directory(m_folder / "folder");
  m_folder.Write("file.txt", "x");
  struct Case {
    const char* name;
    const char* mode;
    int error;
  } cases[] = {
      {"R:\\missing.txt", "r", ENOENT}, {"R:\\nofolder\\new.txt", "w", ENOENT}, {"R:\\folder", "r", EACCES},
      {"R:\\file.txt", "x", EINVAL},    {"R:\\file.txt", "rw", EINVAL},         {"R:\\file.txt", "", EINVAL},
  };
  for (const Case& c : cases) {
    errno = 0;
    EXPECT_EQ(fopen(c.name, c.mode), nullptr) << c.name << ' ' << c.mode;
    EXPECT_EQ(errno, c.error) << c.name << ' ' << c.mode;
  }
}

TEST_F(RuntimeFiles, StatusOfFilesAndFolders) {
  m_folder.Write("Tools/run.exe", "12345");
  m_folder.Write("Tools/locked.txt", "1");
  std::filesystem::permissions(m_folder / "Tools/locked.txt", std::filesystem::perms::owner_read);
  struct _stat status;
  ASSERT_EQ(_stat("r:\\tools\\RUN.EXE", &status), 0);
  EXPECT_EQ(status.st_size, 5);
  EXPECT_EQ(status.st_mode, _S_IFREG | 0x1FF);  // read, write and run, copied to group and others
  EXPECT_EQ(status.st_dev, 17u);                // R
  EXPECT_EQ(status.st_mtime,
            std::chrono::duration_cast<std::chrono::seconds>(
                std::chrono::file_clock::to_sys(std::filesystem::last_write_time(m_folder / "Tools/run.exe"))
                    .time_since_epoch())
                .count());
  ASSERT_EQ(_stat("R:\\Tools\\locked.txt", &status), 0);
  EXPECT_EQ(status.st_mode, _S_IFREG | _S_IREAD | (_S_IREAD >> 3) | (_S_IREAD >> 6));
  ASSERT_EQ(_stat("R:\\Tools", &status), 0);
  EXPECT_EQ(status.st_mode & _S_IFMT, _S_IFDIR);
  EXPECT_EQ(status.st_size, 0);
  for (const char* missing : {"R:\\Tools\\none.txt", "R:\\Tools\\*.exe", "R:\\Tools\\run.ex?"}) {
    errno = 0;
    EXPECT_EQ(_stat(missing, &status), -1) << missing;
    EXPECT_EQ(errno, ENOENT) << missing;
  }

  EXPECT_EQ(_access("R:\\TOOLS\\run.exe", 0), 0);
  EXPECT_EQ(_access("R:\\Tools\\run.exe", 6), 0);
  EXPECT_EQ(_access("R:\\Tools\\locked.txt", 4), 0);
  errno = 0;
  EXPECT_EQ(_access("R:\\Tools\\locked.txt", 2), -1);
  EXPECT_EQ(errno, EACCES);
  errno = 0;
  EXPECT_EQ(_access("R:\\Tools\\none.txt", 0), -1);
  EXPECT_EQ(errno, ENOENT);
}

std::tm SampleTime() {
  std::tm time{};
  time.tm_year = 95;  // Saturday, 4 March 1995, 08:41:09, day 63 of the year
  time.tm_mon = 2;
  time.tm_mday = 4;
  time.tm_hour = 8;
  time.tm_min = 41;
  time.tm_sec = 9;
  time.tm_wday = 6;
  time.tm_yday = 62;
  time.tm_zone = "CET";
  return time;
}

TEST(RuntimeTime, FormatCodesOfTheRuntimesCLocale) {
  struct Case {
    const char* format;
    const char* text;
  } cases[] = {
      {"%d.%m.%Y %H:%M:%S", "04.03.1995 08:41:09"},
      {"%#d.%#m.%#Y %#H:%#M:%#S", "4.3.1995 8:41:9"},
      {"%a %A %b %B", "Sat Saturday Mar March"},
      {"%c", "03/04/95 08:41:09"},
      {"%#c", "Saturday, March 4, 1995, 08:41:09"},
      {"%x|%#x|%X", "03/04/95|Saturday, March 4, 1995|08:41:09"},
      {"%I %#I %p", "08 8 AM"},
      {"%j %#j", "063 63"},
      {"%U %W %w", "09 09 6"},
      {"%y %Y", "95 1995"},
      {"%Z %%", "CET %"},
      {"a%Qb", "ab"},  // an unknown code is left out
      {"end%", "end"},
      {"", ""},
  };
  std::tm time = SampleTime();
  for (const Case& c : cases) EXPECT_EQ(layer::FormatTime(c.format, time), c.text) << c.format;
  time.tm_mday = 5;  // the Sunday after: a new week counted from Sunday only
  time.tm_wday = 0;
  time.tm_yday = 63;
  EXPECT_EQ(layer::FormatTime("%U %W", time), "10 09");
  time.tm_hour = 0;
  EXPECT_EQ(layer::FormatTime("%I %p", time), "12 AM");
  time.tm_hour = 13;
  EXPECT_EQ(layer::FormatTime("%I %p", time), "01 PM");
}

TEST(RuntimeTime, CTimeFormatsLocalTimeAndFileTimes) {
  CTime local(1995, 3, 4, 8, 41, 9);
  EXPECT_STREQ(local.Format("%d.%m.%Y %H:%M:%S"), "04.03.1995 08:41:09");
  // A file time is UTC: 1 January 2001, 12:00:00.
  FILETIME written = layer::FileTimeFromUnix(978350400, 0);
  EXPECT_STREQ(CTime(written).FormatGmt("%d.%m.%Y %H:%M:%S"), "01.01.2001 12:00:00");
  EXPECT_EQ(CTime(written).GetTime(), 978350400);
}

}  // namespace
