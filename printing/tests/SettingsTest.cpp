#include <gtest/gtest.h>

#include <cstdlib>

#include "VodFixture.h"
#include "VodPump.h"
#include "VodSettings.h"
#include "win32/Clock.h"

namespace vod {
namespace {

class Settings : public testing::VodFixture {};

TEST_F(Settings, AMissingIniReadsAsAllDefaults) {
  m_context->iniPath = m_folder / "none.ini";
  m_context->iniPathCompleted = false;
  m_context->settings.checkFrames = false;
  LoadSettings(*m_context, nullptr);
  const VodSettingsValues& s = m_context->settings;
  EXPECT_TRUE(s.checkFrames);
  EXPECT_EQ(s.sizeCheckMode, 1);
  EXPECT_FALSE(s.oemText);
  EXPECT_FALSE(s.invertBitmaps);
  EXPECT_FALSE(s.hp4);
  EXPECT_TRUE(s.toPrinter);
  EXPECT_FALSE(s.previewScroll);
  EXPECT_FALSE(s.formFeed);
  EXPECT_EQ(s.penFile, "DEFAULT.PEN");
  EXPECT_FALSE(s.userSize);
  EXPECT_EQ(s.paperSize, 9);
  EXPECT_TRUE(s.directDrawing);
  EXPECT_FALSE(s.noDialog);
  EXPECT_EQ(s.capLineWidth, 14);
  EXPECT_TRUE(s.symbolsPrintDown);
  EXPECT_FALSE(s.trace);
  EXPECT_EQ(s.sleepLimit, 0);
  EXPECT_FALSE(s.charHeightMode);
  EXPECT_FALSE(s.showTiffInfo);
}

TEST_F(Settings, EachKeyGivesItsValue) {
  struct Case {
    const char* line;
    std::function<bool(const VodSettingsValues&)> holds;
  } cases[] = {
      {"CheckFrames= false ", [](auto& s) { return !s.checkFrames; }},
      {"CheckFrames=yes", [](auto& s) { return !s.checkFrames; }},
      {"CheckGroesse=False", [](auto& s) { return s.sizeCheckMode == 0; }},
      {"CheckGroesse=cut", [](auto& s) { return s.sizeCheckMode == 2; }},
      {"CheckGroesse=maybe", [](auto& s) { return s.sizeCheckMode == 1; }},
      {"TextCharSet=oem", [](auto& s) { return s.oemText; }},
      {"InvertBitmaps=TRUE", [](auto& s) { return s.invertBitmaps; }},
      {"HP4=true", [](auto& s) { return s.hp4; }},
      {"Bildschirm=yes", [](auto& s) { return !s.toPrinter && !s.directDrawing == false; }},
      {"BildschirmScroll=1", [](auto& s) { return !s.previewScroll; }},  // only with the preview
      {"FormFeed=1", [](auto& s) { return s.formFeed; }},
      {"PenFile=plotter.pen", [](auto& s) { return s.penFile == "PLOTTER.PEN"; }},
      {"UserSize=1", [](auto& s) { return s.userSize; }},
      {"PaperSize=8", [](auto& s) { return s.paperSize == 8; }},
      {"NoMetaFile=FALSE", [](auto& s) { return !s.directDrawing; }},
      {"NoMetaFile=TRUE", [](auto& s) { return s.directDrawing; }},
      {"NoDialog=TRUE", [](auto& s) { return s.noDialog; }},
      {"CAP_Strichstaerke=2.5", [](auto& s) { return s.capLineWidth == 25; }},
      {"SymbolsPrintDown=no", [](auto& s) { return !s.symbolsPrintDown; }},
      {"DisplayLog=TRUE", [](auto& s) { return s.trace; }},
      {"DisplayLog=*", [](auto& s) { return !s.trace; }},
      {"Sleep=50", [](auto& s) { return s.sleepLimit == 50; }},
      {"CharSetSize=CHAR", [](auto& s) { return s.charHeightMode; }},
      {"ShowTiffInfo=TRUE", [](auto& s) { return s.showTiffInfo; }},
  };
  for (const Case& c : cases) {
    WriteIni({c.line});
    EXPECT_TRUE(c.holds(m_context->settings)) << c.line;
  }
  WriteIni({"Bildschirm=yes", "BildschirmScroll=1"});
  EXPECT_TRUE(m_context->settings.previewScroll);
}

TEST_F(Settings, SpracheChoosesTheLanguageByItsFirstLetter) {
  struct Case {
    const char* value;
    int before, after;
  } cases[] = {{"en", 0, 500}, {" Deutsch", 500, 0}, {"french", 500, 500}, {"", 0, 0}};
  for (const Case& c : cases) {
    m_context->languageOffset = c.before;
    WriteIni({std::string("Sprache=") + c.value});
    EXPECT_EQ(m_context->languageOffset, c.after) << c.value;
  }
}

TEST_F(Settings, LoadingResetsTheJob) {
  m_context->terminator = "ENDE";
  m_context->testMode = true;
  m_context->counters.lp = 7;
  m_context->orientation = 0;
  HWND owner = reinterpret_cast<HWND>(0x77);
  LoadSettings(*m_context, owner);
  EXPECT_EQ(m_context->terminator, "END");
  EXPECT_FALSE(m_context->testMode);
  EXPECT_EQ(m_context->counters.lp, 1);
  EXPECT_EQ(m_context->orientation, 1);
  EXPECT_EQ(m_context->paper, 4);
  EXPECT_EQ(m_context->owner, owner);
  m_context->owner = nullptr;
}

TEST_F(Settings, KeyAccessReadsAndWritesSectionVod) {
  WriteIni({"Number=12abc", "Text=abcdef"});
  EXPECT_EQ(ReadVodInt(*m_context, nullptr, "number", 5), 12);
  EXPECT_EQ(ReadVodInt(*m_context, nullptr, "Missing", 5), 5);
  char buffer[4];
  EXPECT_EQ(ReadVodString(*m_context, nullptr, "Text", "", buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(ReadVodKey(*m_context, "Other", "Text", "dflt"), "dflt");
  EXPECT_EQ(WriteVodKey(*m_context, nullptr, "VodFile", "job.vod"), 1);
  EXPECT_EQ(IniValue("VodFile"), "job.vod");

  m_context->iniPath.clear();
  EXPECT_EQ(ReadVodKey(*m_context, nullptr, "Text", "dflt"), "");
  EXPECT_EQ(WriteVodKey(*m_context, nullptr, "Text", "x"), 0);
}

TEST_F(Settings, ABareIniNameIsCompletedOnceWithTheFolderThatHasIt) {
  std::string windows = m_folder / "windows";
  setenv("VARNO_WINDIR", windows.c_str(), 1);
  m_folder.Write("windows/bare-vod-test.ini", "[VOD]\r\nPaperSize=3\r\n");
  m_context->iniPath = "bare-vod-test.ini";
  m_context->iniPathCompleted = false;
  EXPECT_EQ(ReadVodInt(*m_context, nullptr, "PaperSize", 9), 3);
  EXPECT_EQ(m_context->iniPath, windows + "\\bare-vod-test.ini");

  m_context->iniPath = "nowhere-vod-test.ini";
  m_context->iniPathCompleted = false;
  EXPECT_EQ(WriteVodKey(*m_context, nullptr, "Memory", "S"), 1);
  EXPECT_EQ(m_context->iniPath, windows + "\\nowhere-vod-test.ini");
  EXPECT_TRUE(m_folder.Exists("windows/nowhere-vod-test.ini"));
  unsetenv("VARNO_WINDIR");
}

TEST_F(Settings, SleepMakesThePumpPauseOnEveryNPlusSecondStep) {
  layer::ManualClock clock;
  layer::ScopedClock installed(clock);
  WriteIni({"Sleep=50"});
  for (int step = 0; step < 104; ++step) EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(clock.SleepCalls(), 2);
  EXPECT_EQ(m_ui.dispatches, 104);

  m_context->jobState = kJobStopped;
  EXPECT_FALSE(PumpMessages());
}

}  // namespace
}  // namespace vod
