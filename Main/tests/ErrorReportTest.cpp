#include <gtest/gtest.h>

#include <string>

#include "foundation/MessageFormat.h"

#include "Main/CLogFile.h"
#include "Main/tests/EngineFixture.h"
#include "Main/varno4.h"
#include "testing/TempFolder.h"
#include "win32/UserMessages.h"

namespace {

class ErrorReportTest : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    theGlobals.m_plogfile = new CLogFile((folder / "Varno4log.txt").c_str());
    theGlobals.m_papp = &app;
  }
  void TearDown() override {
    delete theGlobals.m_plogfile;
    theGlobals.m_plogfile = nullptr;
    theGlobals.m_papp = nullptr;
    DrainExitMessages();
    EngineFixture::TearDown();
  }
  std::string Log() {
    theGlobals.m_plogfile->Close();
    return folder.Read("Varno4log.txt");
  }
  static int DrainExitMessages() {
    MSG msg;
    int count = 0;
    while (PeekMessage(&msg, nullptr, ExitMessageId(), ExitMessageId(), PM_REMOVE)) ++count;
    return count;
  }
  // A failure found three calls deep: the innermost node failed with
  // severity innerSeverity, the middle one failed in turn, the outer reports.
  CErrorTrace* FailThreeDeep(int innerSeverity, int outerSeverity) {
    CErrorTrace* outer = ERROR_TRACE_PUSH();
    CErrorTrace* middle = ERROR_TRACE_PUSH();
    CErrorTrace* inner = ERROR_TRACE_PUSH();
    ERROR_TRACE_FAIL(inner, innerSeverity, 180, "K1", 0);
    ERROR_TRACE_FAIL(middle, SEVERITY_ERROR, 307, "", 0);
    ERROR_TRACE_FAIL(outer, outerSeverity, 376, "key", 4);
    return outer;
  }

  layer::testing::TempFolder folder;
  CViewerApp app;
};

TEST_F(ErrorReportTest, ReportsNewestFirstDownToTheReporterAndCutsAbove) {
  CErrorTrace* outer = FailThreeDeep(SEVERITY_ERROR, SEVERITY_ERROR);
  dialog->ReportError(outer);

  const std::string detail = static_cast<const char*>(dialog->m_detail_text);
  const size_t newest = detail.find("[180] ");
  const size_t middle = detail.find("   [307] ");
  const size_t reporter = detail.find("   [376] ");
  ASSERT_NE(newest, std::string::npos);
  EXPECT_NE(detail.find("\r\n", newest), std::string::npos);
  EXPECT_LT(newest, middle);
  EXPECT_LT(middle, reporter);
  EXPECT_NE(reporter, std::string::npos);
  EXPECT_EQ(detail.find("   [180]"), std::string::npos);

  EXPECT_EQ(theGlobals.m_error_trace_newest, outer);
  EXPECT_EQ(outer->newer, nullptr);
  EXPECT_NE(Log().find(detail), std::string::npos);
  CErrorTrace::Remove(outer);
  EXPECT_EQ(theGlobals.m_error_trace_oldest, nullptr);
}

const char* const kMessages = R"(dictionary
language "D"
1498 = "Fehler beim Lesen von %s (%s)\r\n"
1499 = "Datei %s vom %s\r\n"
1500 = "Zeile %d\r\n"
1501 = "%s : %d\r\n"
1502 = "   Datei %s vom %s\r\n"
1503 = "   Zeile %d\r\n"
1504 = "   %s : %d\r\n"
1505 = "Fehler %d: %s"
1850 = "Liste endet"
1970 = "Zuweisungen fehlgeschlagen"
2038 = "Schl\xFCssel nicht lesbar"
)";

// The report's words come from the program message table, so they follow
// the program language.
TEST_F(ErrorReportTest, TextsComeFromTheMessageDictionary) {
  OpenTexts(theGlobals.m_msgdud, "messages.ddm", kMessages);
  theGlobals.m_cur_read_key = "P~K1";
  theGlobals.m_cur_prj = "P";
  CErrorTrace* outer = FailThreeDeep(SEVERITY_ERROR, SEVERITY_ERROR);
  const CErrorTrace* middle = outer->newer;
  const CErrorTrace* inner = middle->newer;
  const std::string stamp = static_cast<const char*>(outer->build_stamp);
  auto place = [&stamp](const char* indent, int line) {
    return std::string(indent) + "Datei ErrorReportTest.cpp vom " + stamp + "\r\n" + indent + "Zeile " +
           std::to_string(line) + "\r\n";
  };
  const std::string expected = "Fehler beim Lesen von P~K1 (P)\r\n" + place("", inner->line) +
                               "[180] Liste endet\r\nK1 : 0\r\n" + place("   ", middle->line) +
                               "   [307] Zuweisungen fehlgeschlagen\r\n    : 0\r\n" + place("   ", outer->line) +
                               "   [376] Schl\xFCssel nicht lesbar\r\n   key : 4\r\n";
  dialog->ReportError(outer);

  EXPECT_EQ(std::string(dialog->m_short_text), "Fehler 376: Schl\xFCssel nicht lesbar");
  EXPECT_EQ(std::string(dialog->m_detail_text), expected);
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_EQ(dialog->shown[0].second, expected);
  EXPECT_NE(Log().find("\r\n" + expected + "\r\n\r\n"), std::string::npos);
  theGlobals.m_cur_read_key.Empty();
  theGlobals.m_cur_prj.Empty();
}

// Message texts are catalogue data: a format that asks for more or other
// arguments than the report has must not read what is not there.
TEST_F(ErrorReportTest, FormatTextsThatDoNotFitTheArgumentsAreSafe) {
  OpenTexts(theGlobals.m_msgdud, "messages.ddm",
            "dictionary\nlanguage \"D\"\n1505 = \"%s %s %d %n %f %d%%\"\n1500 = \"%99999s\"\n");
  CErrorTrace* own = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(own, SEVERITY_ERROR, 255, "", 7);
  dialog->ReportError(own);
  EXPECT_EQ(std::string(dialog->m_short_text), "     %");
  CErrorTrace::Remove(own);
}

// Codes that the viewer added have messages of their own; a message file
// that lacks them shows the program's own text instead of nothing.
TEST_F(ErrorReportTest, AddedCodesFallBackToTheProgramsOwnText) {
  struct Case {
    const char* messages;
    const char* shortText;
  } cases[] = {
      {kMessages, "Fehler 541: Felder f\xFCgen sich zu tief ineinander ein / Fields insert each other too deeply"},
      {"dictionary\nlanguage \"D\"\n1505 = \"%d %s\"\n3541 = \"aus der Datei\"\n", "541 aus der Datei"},
  };
  for (const Case& c : cases) {
    OpenTexts(theGlobals.m_msgdud, "messages.ddm", c.messages);
    CErrorTrace* own = ERROR_TRACE_PUSH();
    ERROR_TRACE_FAIL(own, SEVERITY_LOG, 541, "", 0);
    dialog->ReportError(own);
    EXPECT_EQ(std::string(dialog->m_short_text), c.shortText);
    CErrorTrace::Remove(own);
  }
  EXPECT_STREQ(BuiltInErrorText(540), "");
}

TEST_F(ErrorReportTest, OwnFailureHasNoOlderLines) {
  CErrorTrace* own = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(own, SEVERITY_ERROR, 255, "", 7);
  dialog->ReportError(own);
  const std::string detail = static_cast<const char*>(dialog->m_detail_text);
  EXPECT_NE(detail.find("[255] "), std::string::npos);
  EXPECT_EQ(detail.find("   ["), std::string::npos);
  CErrorTrace::Remove(own);
}

struct SeverityCase {
  const char* name;
  int inner;
  int outer;
  size_t dialogs;
  int exits;
};
void PrintTo(const SeverityCase& c, std::ostream* os) { *os << c.name; }

class ReportSeverityTest : public ErrorReportTest, public ::testing::WithParamInterface<SeverityCase> {};

// The newest node's severity decides, not the reporter's.
TEST_P(ReportSeverityTest, NewestSeverityDecidesDialogAndExit) {
  const SeverityCase& c = GetParam();
  CErrorTrace* outer = FailThreeDeep(c.inner, c.outer);
  dialog->ReportError(outer);
  EXPECT_EQ(dialog->shown.size(), c.dialogs);
  EXPECT_EQ(DrainExitMessages(), c.exits);
  EXPECT_NE(Log().find("[180]"), std::string::npos);  // every severity is logged
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportSeverityTest,
                         ::testing::Values(SeverityCase{"LoggedOnly", SEVERITY_LOG, SEVERITY_LOG, 0, 0},
                                           SeverityCase{"Error", SEVERITY_ERROR, SEVERITY_LOG, 1, 0},
                                           SeverityCase{"Fatal", SEVERITY_FATAL, SEVERITY_LOG, 1, 1},
                                           SeverityCase{"FatalReporterErrorNewest", SEVERITY_ERROR, SEVERITY_FATAL,
                                                        1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ErrorReportTest, ReportAndRemoveLeavesNoNode) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(node, SEVERITY_LOG, 248, "x.txt", 0);
  CErrorDlg::ReportAndRemove(node);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
  EXPECT_TRUE(dialog->shown.empty());
}

TEST(ErrorTraceTest, RemovingFromTheMiddleKeepsTheListLinked) {
  CErrorTrace* a = ERROR_TRACE_PUSH();
  CErrorTrace* b = ERROR_TRACE_PUSH();
  CErrorTrace* c = ERROR_TRACE_PUSH();
  CErrorTrace::Remove(b);
  EXPECT_EQ(a->newer, c);
  EXPECT_EQ(c->older, a);
  CErrorTrace::Remove(c);
  EXPECT_EQ(theGlobals.m_error_trace_newest, a);
  EXPECT_EQ(a->newer, nullptr);
  CErrorTrace::Remove(a);
  EXPECT_EQ(theGlobals.m_error_trace_oldest, nullptr);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST(ErrorTraceTest, FileNameIsThePartAfterTheLastBackslash) {
  CErrorTrace node;
  node.source_file = "C:\\src\\Main\\CWV4Db.cpp";
  EXPECT_STREQ(node.FileName(), "CWV4Db.cpp");
  node.source_file = "CWV4Db.cpp";
  EXPECT_STREQ(node.FileName(), "CWV4Db.cpp");
}

TEST(ErrorTraceTest, PushRecordsTheSourceWithBackslashesAndAStamp) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  EXPECT_STREQ(node->FileName(), "ErrorReportTest.cpp");
  EXPECT_EQ(node->source_file.Find('/'), -1);
  EXPECT_EQ(node->build_stamp.GetLength(), 24);
  CErrorTrace::Remove(node);
}

TEST(MessageFormatTest, FillsConversionsThatFitTheirArguments) {
  EXPECT_STREQ(FormatMessageText("%s=%d (%5d|%-3s|%03x)", {"a", 12, 7, "b", 255}), "a=12 (    7|b  |0ff)");
  EXPECT_STREQ(FormatMessageText("%d %s", {"text", 3}), " ");  // each conversion keeps to its own argument
  EXPECT_STREQ(FormatMessageText("100%% %ld", {5}), "100% 5");
  EXPECT_STREQ(FormatMessageText("end %", {1}), "end ");
}

struct TableCase {
  int code;
  DWORD message;
};

TEST(ErrorTextTableTest, RunsAndSharedMessages) {
  for (const TableCase& c : {TableCase{0, 1670}, TableCase{122, 1792}, TableCase{123, 2988}, TableCase{124, 1794},
                             TableCase{212, 0}, TableCase{224, 1871}, TableCase{236, 1905}, TableCase{237, 1905},
                             TableCase{242, 1910}, TableCase{243, 1910}, TableCase{244, 1910},
                             TableCase{245, 1911}, TableCase{342, 2236}, TableCase{423, 2085},
                             TableCase{424, 2085}, TableCase{433, 2094}, TableCase{525, 2080},
                             TableCase{539, 3435}, TableCase{540, 3540}, TableCase{541, 3541},
                             TableCase{543, 3543}}) {
    EXPECT_EQ(ErrorTextTable[c.code], c.message) << "code " << c.code;
  }
}

}  // namespace
