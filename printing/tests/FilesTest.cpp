#include <gtest/gtest.h>

#include "VodFile.h"
#include "VodFixture.h"
#include "VodPaths.h"
#include "VodUnits.h"
#include "win32/Clock.h"

namespace vod {
namespace {

class Files : public testing::VodFixture {};

TEST_F(Files, BareNamesAreCompletedThroughVodRootOrTheReferringFile) {
  struct Case {
    std::vector<std::string> ini;
    const char* name;
    const char* referring;
    std::optional<std::string> result;
  } cases[] = {
      {{"VOD_ROOT=D:\\FORMS\\;"}, "logo.tif", "C:\\JOBS\\A.VOD", "D:\\FORMS\\logo.tif"},
      {{"VOD_ROOT=D:\\FORMS"}, "logo.tif", "", "D:\\FORMSlogo.tif"},
      {{}, "logo.tif", "C:\\JOBS\\A.VOD", "C:\\JOBS\\logo.tif"},
      {{}, "logo.tif", "C:A.VOD", "C:logo.tif"},
      {{}, "logo.tif", "/jobs/a.vod", "/jobs/logo.tif"},
      {{}, "logo.tif", "A.VOD", std::nullopt},
      {{"VOD_ROOT=D:\\FORMS\\"}, "C:logo.tif", "C:\\JOBS\\A.VOD", std::nullopt},
      {{"VOD_ROOT=D:\\FORMS\\"}, "sub\\logo.tif", "C:\\JOBS\\A.VOD", std::nullopt},
      {{}, "", "C:\\JOBS\\A.VOD", std::nullopt},
  };
  for (const Case& c : cases) {
    WriteIni(c.ini);
    EXPECT_EQ(ResolveVodPath(*m_context, c.name, c.referring), c.result) << c.name << " " << c.referring;
  }
}

TEST_F(Files, PlaceholdersExpandFromTheIniAndEndEvenWhenTheyReferToThemselves) {
  std::vector<std::string> ini = {"ROOT=C:\\root\\", "NESTED=%ROOT%\\sub;", "SELF=%SELF%", "PING=%PONG%",
                                  "PONG=%PING%", "GROW=%GROW%%GROW%x", "EMPTY="};
  // Seventeen different placeholders side by side, and chains of values
  // inside values: 16 levels deep, and one more.
  std::string many = "MANY=";
  for (char key = 'A'; key <= 'Q'; ++key) {
    ini.push_back(std::string("L") + key + "=" + static_cast<char>(key + 32));
    many += std::string("%L") + key + "%";
  }
  ini.push_back(many);
  for (int level = 1; level <= 17; ++level) {
    ini.push_back("CHAIN" + std::to_string(level) + "=" +
                  (level < 17 ? "%CHAIN" + std::to_string(level + 1) + "%" : std::string("end")));
  }
  WriteIni(ini);
  struct Case {
    const char* text;
    bool ok;
    const char* result;
  } cases[] = {
      {"%root%\\logo.tif", true, "C:\\root\\logo.tif"},
      {"%NESTED%\\a.frm", true, "C:\\root\\sub\\a.frm"},
      {"no placeholder", true, "no placeholder"},
      {"%SELF%\\x", false, "%SELF%\\x"},
      {"%PING%", false, "%PING%"},
      {"%GROW%", false, "%GROW%"},
      {"%EMPTY%x", false, "%EMPTY%x"},
      {"%MISSING%x", false, "%MISSING%x"},
      {"100% sure", false, "100% sure"},
      {"%MANY%", true, "abcdefghijklmnopq"},
      {"%LA%%LB%%LC%%LD%%LE%%LF%%LG%%LH%%LI%%LJ%%LK%%LL%%LM%%LN%%LO%%LP%%LQ%", true, "abcdefghijklmnopq"},
      {"%CHAIN2%", true, "end"},
      {"%CHAIN1%", false, "%CHAIN1%"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ExpandIniPlaceholder(*m_context, text), c.ok) << c.text;
    EXPECT_EQ(text, c.result);
  }
  EXPECT_EQ(ResolveRoot(*m_context, "%vod_root%x"), "%vod_root%x");
}

TEST_F(Files, ScriptLinesAreCutNotOverrunAndCtrlZEndsTheFile) {
  std::string path = Write("lines.txt", std::string(9000, 'a') + "\r\nsecond\nthird\x1A" "after\n");
  DWORD error = 0;
  std::unique_ptr<VodFile> file = VodFile::OpenRetry(path, 'r', &error);
  ASSERT_NE(file, nullptr);
  std::string line;
  ASSERT_TRUE(file->ReadScriptLine(line, 8196));
  EXPECT_EQ(line, std::string(8195, 'a'));
  ASSERT_TRUE(file->ReadScriptLine(line, 8196));
  EXPECT_EQ(line, "second\n");
  ASSERT_TRUE(file->ReadScriptLine(line, 8196));
  EXPECT_EQ(line, "third");
  EXPECT_FALSE(file->ReadScriptLine(line, 8196));
}

TEST_F(Files, BytesBlocksAndPositions) {
  std::string path = Write("bytes.bin", "0123456789");
  std::unique_ptr<VodFile> file = VodFile::OpenRetry(path, 'r', nullptr);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->ReadByte(), '0');
  char block[4];
  EXPECT_EQ(file->ReadBlock(block, 2, 2), 4);
  EXPECT_EQ(std::string(block, 4), "1234");
  EXPECT_EQ(file->Position(), 5u);
  EXPECT_EQ(file->SeekTo(-2, 1), 0);
  EXPECT_EQ(file->ReadByte(), '3');
  EXPECT_EQ(file->SeekTo(9, 0), 0);
  EXPECT_EQ(file->AtEnd(), 0);
  EXPECT_EQ(file->ReadByte(), '9');
  EXPECT_EQ(file->AtEnd(), 2);
  EXPECT_EQ(file->ReadByte(), 26);
  EXPECT_EQ(file->ReadBlock(block, 1, 4), 0);
}

TEST_F(Files, OpenReportsMissingFilesModesAndConflicts) {
  m_context->callback = testing::CallbackLog::Record;
  testing::CallbackLog::answer = 0;
  EXPECT_EQ(OpenFile(*m_context, m_folder / "none.vod", "r", 32, "", false), nullptr);
  EXPECT_EQ(OpenFile(*m_context, m_folder / "x.vod", "a", 267, "", true), nullptr);
  std::string held = Write("held.vod", "x");
  std::unique_ptr<VodFile> writer = VodFile::OpenRetry(held, 'w', nullptr);
  ASSERT_NE(writer, nullptr);
  layer::ManualClock clock;
  {
    layer::ScopedClock installed(clock);
    EXPECT_EQ(OpenFile(*m_context, held, "rb", 32, "", false), nullptr);
  }
  // Five more tries, each after the clock's second changed.
  EXPECT_GE(clock.SleptMilliseconds(), 4000u);
  EXPECT_LE(clock.SleptMilliseconds(), 6000u);
  EXPECT_EQ(testing::CallbackLog::calls,
            (std::vector<std::pair<int, std::string>>{
                {6, "VOD Datei " + (m_folder / "none.vod") + " nicht vorhanden!"},
                {8, "Ini - Datei " + (m_folder / "x.vod") + " nicht vorhanden!"},
                {6, "Zugriffskonflikt im Netzwerk.\n Datei " + held + " kann nicht gelesen werden!\n"}}));

  writer.reset();
  std::unique_ptr<VodFile> created = OpenFile(*m_context, m_folder / "new.vod", "w", 267, "", false);
  ASSERT_NE(created, nullptr);
  EXPECT_TRUE(created->WriteText("SET LP 1\n"));
  created.reset();
  EXPECT_EQ(m_folder.Read("new.vod"), "SET LP 1\n");
  EXPECT_NE(OpenFile(*m_context, "new.vod", "rt", 32, m_folder / "job.vod", false), nullptr);
}

TEST(VodUnits, ScaleBetweenFormAndDeviceUnitsWithTheFlips) {
  PageMetrics page{2100, 2970, 4200, 5940};
  struct Case {
    DWORD in, x, y, yFlipped, backX, backY, backYFlipped;
  } cases[] = {
      {0, 0, 0, 5940, 0, 0, 2970},
      {100, 200, 200, 5740, 50, 50, 2920},
      {2970, 5940, 5940, 0, 1485, 1485, 1485},
      {4000, 8000, 8000, 0, 2000, 2000, 970},
      {6000, 12000, 12000, 0, 3000, 3000, 0},  // beyond the page: 0, never negative
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormToDeviceX(page, c.in), c.x) << c.in;
    EXPECT_EQ(FormToDeviceY(page, c.in, false), c.y) << c.in;
    EXPECT_EQ(FormToDeviceY(page, c.in, true), c.yFlipped) << c.in;
    EXPECT_EQ(DeviceToFormX(page, c.in), c.backX) << c.in;
    EXPECT_EQ(DeviceToFormY(page, c.in, true), c.backY) << c.in;
    EXPECT_EQ(DeviceToFormY(page, c.in, false), c.backYFlipped) << c.in;
  }
  EXPECT_EQ(FormToDeviceX(PageMetrics{}, 100), 0u);
}

}  // namespace
}  // namespace vod
