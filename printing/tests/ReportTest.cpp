#include <gtest/gtest.h>

#include "VodFixture.h"
#include "VodFormFile.h"
#include "VodReport.h"
#include "VodTexts.h"
#include "win32/DebugOutput.h"

namespace vod {
namespace {

using testing::CallbackLog;

TEST(VodTexts, GermanAtTheNumberEnglishFiveHundredAboveWithGermanFallback) {
  struct Case {
    int number, offset;
    const char* text;
  } cases[] = {
      {317, 0, "Seite: %d"},
      {317, 500, "Page: %d"},
      {403, 500, "File: "},
      {4, 500, "Kein Frame angegeben!"},  // no English text: the German one
      {52, 0, " Schriftgr\xF6\xDF" "e mu\xDF im Bereich 6 bis 50 Pkt liegen"},
      {290, 0, "Zugriffskonflikt im Netzwerk.\n Datei %s kann nicht gelesen werden!\n"},
      {11, 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadText(c.number, c.offset), c.text) << c.number;
  EXPECT_EQ(LoadTextEnglishFirst(316), "While printing...");
  EXPECT_EQ(LoadTextEnglishFirst(44), "VOD ist noch am Drucken!");
}

class Reports : public testing::VodFixture {};

TEST_F(Reports, ASyntaxErrorInEnglishFramesTheGermanTextWithLineAndStatement) {
  WriteIni({"Sprache= en"});
  std::string script = m_folder / "job.vod";
  EXPECT_EQ(Run("REM\nSET LP 2\nVIEW FRAME\n"), 2);
  std::string message = "SYNTAX ERROR!  Kein Frame angegeben! Line: 3\n\r\nVIEW FRAME";
  ASSERT_EQ(m_ui.boxes.size(), 1u);  // without a callback the box comes from the library
  EXPECT_EQ(m_ui.boxes[0].text, message);
  EXPECT_EQ(m_ui.boxes[0].caption, "VOD : " + script);
  ASSERT_FALSE(m_ui.dialogMessages.empty());
  EXPECT_EQ(m_ui.dialogMessages.back(),
            (std::pair<UINT, std::string>{kErrorTextMessage, "SYNTAX ERROR!  Kein Frame angegeben! Line: 3"}));
  EXPECT_EQ(LastError(), "SYNTAX ERROR!  Kein Frame angegeben! Line: 3   VIEW FRAME");

  m_context->callback = CallbackLog::Record;
  m_ui.boxes.clear();
  EXPECT_EQ(Run("VIEW FRAME\n"), 2);
  ASSERT_EQ(CallbackLog::calls.size(), 1u);
  EXPECT_EQ(CallbackLog::calls[0].first, 7);
  EXPECT_EQ(CallbackLog::calls[0].second,
            "VOD : " + script + "\r\nSYNTAX ERROR!  Kein Frame angegeben! Line: 1\n\r\nVIEW FRAME");
  EXPECT_TRUE(m_ui.boxes.empty());  // the callback answered 1: no box
}

TEST_F(Reports, TheAnswerToAQuestionComesFromTheCallerOrTheUser) {
  struct Case {
    bool callback;
    int answer;
    bool owner;
    BoxAnswer user;
    bool goOn;
    int boxes;
    BoxButtons buttons;
    bool notified;
  } cases[] = {
      {true, 1, false, BoxAnswer::Ok, true, 0, BoxButtons::Ok, false},
      {true, 0, false, BoxAnswer::Ok, false, 0, BoxButtons::Ok, false},
      {true, 8, true, BoxAnswer::Ok, true, 0, BoxButtons::Ok, false},
      {true, 4, false, BoxAnswer::Ok, false, 1, BoxButtons::Ok, false},
      {true, 4, true, BoxAnswer::Ok, true, 1, BoxButtons::OkCancel, true},
      {true, 4, true, BoxAnswer::Cancel, false, 1, BoxButtons::OkCancel, true},
      {false, 0, false, BoxAnswer::Ok, false, 1, BoxButtons::Ok, false},
      {false, 0, true, BoxAnswer::Ok, true, 1, BoxButtons::OkCancel, true},
      {false, 0, true, BoxAnswer::Cancel, false, 1, BoxButtons::OkCancel, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::make_tuple(c.callback, c.answer, c.owner)));
    CallbackLog::calls.clear();
    CallbackLog::answer = c.answer;
    m_ui.boxes.clear();
    m_ui.notifies.clear();
    m_ui.answer = c.user;
    m_context->callback = c.callback ? CallbackLog::Record : nullptr;
    m_context->owner = c.owner ? reinterpret_cast<HWND>(0x99) : nullptr;
    EXPECT_EQ(ReportErrorText(*m_context, 122, "plan.tif", true), c.goOn);
    if (c.callback) {
      ASSERT_EQ(CallbackLog::calls.size(), 1u);
      EXPECT_EQ(CallbackLog::calls[0], (std::pair<int, std::string>{8, "Datei plan.tif nicht vorhanden!"}));
    }
    ASSERT_EQ(static_cast<int>(m_ui.boxes.size()), c.boxes);
    if (c.boxes) EXPECT_EQ(m_ui.boxes[0].buttons, c.buttons);
    EXPECT_EQ(m_ui.notifies.size(), c.notified ? 1u : 0u);
  }
  EXPECT_EQ(LastError(), "Datei plan.tif nicht vorhanden!");
}

TEST_F(Reports, AnErrorThatIsNoQuestionGoesOnUnlessTheCallerSaysOtherwise) {
  m_context->owner = reinterpret_cast<HWND>(0x99);
  EXPECT_TRUE(ReportErrorText(*m_context, 32, "x.vod", false));
  EXPECT_TRUE(m_ui.boxes.empty());
  ASSERT_EQ(m_ui.notifies.size(), 1u);
  EXPECT_EQ(m_ui.notifies[0], (std::pair<WPARAM, std::string>{6, "VOD Datei x.vod nicht vorhanden!"}));

  m_context->owner = nullptr;
  EXPECT_TRUE(ReportErrorText(*m_context, 32, "x.vod", false));
  EXPECT_EQ(m_ui.boxes.size(), 1u);

  m_context->callback = CallbackLog::Record;
  CallbackLog::answer = 0;
  EXPECT_FALSE(ReportErrorText(*m_context, 32, "x.vod", false));
  EXPECT_EQ(CallbackLog::calls.back().first, 6);
}

TEST_F(Reports, EveryRoutineSpeaksThroughItsOwnCodeAndFrame) {
  std::vector<std::string> debug;
  layer::SetDebugOutputSink([&debug](std::string_view text) { debug.emplace_back(text); });
  m_context->callback = CallbackLog::Record;
  ReportError(*m_context, 2);
  ReportErrorArg(*m_context, 14, "P1");
  ReportErrorInt(*m_context, 5, 7);
  ReportText2(*m_context, 5, 3, 4);
  ReportErrorNumber(*m_context, 43);
  ReportInternalError(*m_context, 46, 1);
  layer::SetDebugOutputSink({});
  EXPECT_EQ(CallbackLog::calls, (std::vector<std::pair<int, std::string>>{
                                    {6, " Fehler: Unbekanntes Statement!"},
                                    {6, " Fehler: Fehlender Bildname! P1"},
                                    {6, " Fehler: Die Zeile 7 ist mehrmals definiert"},
                                    {6, "Die Zeile 3 ist mehrmals definiert"},
                                    {8, "Zuwenig Arbeitsspeicher > 43 <"},
                                    {7, "Kein Platz mehr auf dem internen Stack! Abbruch! < 1 > "},
                                }));
  ASSERT_EQ(debug.size(), 6u);
  EXPECT_EQ(debug[0], " Fehler: Unbekanntes Statement!\r\n");
  EXPECT_EQ(m_ui.dialogMessages.back(),
            (std::pair<UINT, std::string>{kLastErrorMessage, "Kein Platz mehr auf dem internen Stack! Abbruch! < 1 > "}));

  m_context->callback = nullptr;
  m_context->owner = reinterpret_cast<HWND>(0x99);
  ReportInternalError(*m_context, 47, 2);
  ASSERT_FALSE(m_ui.notifies.empty());
  EXPECT_EQ(m_ui.notifies.back().first, 7u);

  m_context->languageOffset = kEnglishOffset;
  m_context->callback = CallbackLog::Record;
  ReportError(*m_context, 316);
  EXPECT_EQ(CallbackLog::calls.back().second, " Error: While printing...");
}

TEST_F(Reports, MessagesAreCutToTheBufferNeverOverrun) {
  m_context->callback = CallbackLog::Record;
  std::string longLine = "VIEW FRAME A PNG " + std::string(8170, 'x');
  EXPECT_EQ(Run(longLine + "\n"), 2);
  ASSERT_EQ(CallbackLog::calls.size(), 1u);
  const std::string& message = CallbackLog::calls[0].second;
  EXPECT_EQ(message.size(), kMessageLimit);
  EXPECT_EQ(message.find("SYNTAX FEHLER!  Unbekanntes Statement! Zeile: 1"), message.find("\r\n") + 2);
  EXPECT_LE(m_context->lastError.size(), kLastErrorLimit);

  CallbackLog::calls.clear();
  ReportErrorText(*m_context, 32, std::string(20000, 'n'), false);
  EXPECT_EQ(CallbackLog::calls[0].second.size(), kMessageLimit);
  ReportStatementError(*m_context, std::string(10000, 'e'), 50);
  EXPECT_EQ(CallbackLog::calls[1].second.size(), kMessageLimit);
}

TEST_F(Reports, TracesReachTheDialogOnlyWithDisplayLog) {
  std::string form = Write("f.frm", testing::FormFileBytes({}));
  ASSERT_TRUE(LoadMask(*m_context, form));
  EXPECT_TRUE(m_ui.dialogMessages.empty());

  WriteIni({"DisplayLog=true"});
  ASSERT_TRUE(LoadMask(*m_context, form));
  std::vector<std::string> shown;
  for (const auto& [message, text] : m_ui.dialogMessages) shown.push_back(text);
  EXPECT_EQ(shown, (std::vector<std::string>{"LoadMask Begin.", "Formular: " + form + "\n", "LoadMask End."}));
}

}  // namespace
}  // namespace vod

namespace vod {
namespace {

TEST_F(Reports, AScriptLineInAMessageCannotPoseAsAKeyOfTheCallersIni) {
  WriteIni({"CheckFrames=TRUE"});
  EXPECT_EQ(Run("CheckFrames=FALSE\n"), 2);
  EXPECT_EQ(IniValue("CheckFrames"), "TRUE");
  EXPECT_EQ(LastError(), "SYNTAX FEHLER!  Ung\xFCltiges oder falsches Statement! Zeile: 1   CheckFrames=FALSE");
}

}  // namespace
}  // namespace vod
