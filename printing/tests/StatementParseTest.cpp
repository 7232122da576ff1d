// Every statement family's parse and apply errors, by the script line that
// causes them.
#include <gtest/gtest.h>

#include "VodFixture.h"
#include "VodReport.h"
#include "VodTexts.h"

namespace vod {
namespace {

struct ErrorCase {
  const char* statements;  // after "USE FORM std"
  int number;
  bool syntax;  // a parser error (with line number) rather than an apply error
  int line = 1;  // of a parser error, within the statements
};

class StatementErrors : public testing::VodFixture {
 protected:
  void Expect(const ErrorCase& c) {
    StandardForm();
    Write("p.tif", "picture");
    m_context->jobState = kJobRunning;
    std::string script = std::string("USE FORM std\nPRINT FRAME C text\nVIEW FRAME B TIFF p\n") + c.statements;
    std::string expected =
        c.syntax ? "SYNTAX FEHLER!  " + LoadText(c.number, 0) + " Zeile: " + std::to_string(c.line + 3)
                 : " Fehler: " + LoadText(c.number, 0);
    SCOPED_TRACE(c.statements);
    EXPECT_EQ(Run(script), 2);
    EXPECT_EQ(m_context->lastError.substr(0, expected.size()), expected.substr(0, kLastErrorLimit));
  }
};

TEST_F(StatementErrors, UseIncludeTerminatorAndUnknownStatements) {
  const ErrorCase cases[] = {
      {"USE FORMS abc", 36, true},   {"USE", 35, true},          {"use form", 1, true},
      {"USE FORM std SIDE", 2, true}, {"USE FORM std ODD X", 2, true}, {"INCLUDE", 3, true},
      {"INCLUDE a b", 2, true},      {"TERMINATOR", 39, true},   {"FOO BAR", 39, true},
      {"KILLAFTERPRINT NOW", 2, true}, {"PAGE 2", 2, true},       {"SAVE", 89, true},
      {"SAVE a b", 2, true},
  };
  for (const ErrorCase& c : cases) Expect(c);
}

TEST_F(StatementErrors, Define) {
  const ErrorCase cases[] = {
      {"DEFINE", 4, true},
      {"DEFINE A LINE 2 LINE 3", 5, true},
      {"DEFINE A LINE x", 6, true},
      {"DEFINE A SIZE 10 SIZE 12", 7, true},
      {"DEFINE A SIZE 0", 8, true},
      {"DEFINE A FONT Arial FONT Times", 9, true},
      {"DEFINE A ALIGNMENT LEFT ALIGNMENT RIGHT", 10, true},
      {"DEFINE A DIVIDE 2 DIVIDE 3", 250, true},
      {"DEFINE A DIVIDE none", 251, true},
      {"DEFINE A COLOR red", 2, true},
      {"DEFINE Z SIZE 10", 50, false},
      {"DEFINE A LINE 26", 51, false},
      {"DEFINE A SIZE 51", 52, false},
      {"DEFINE A SIZE 3", 52, false},
      {"DEFINE A ALIGNMENT UP", 53, false},
      {"DEFINE A DIVIDE 26", 252, false},
  };
  for (const ErrorCase& c : cases) Expect(c);
}

TEST_F(StatementErrors, ViewPrintAndSkipFrame) {
  const ErrorCase cases[] = {
      {"VIEW FRAMES A TIFF p", 38, true},
      {"VIEW", 37, true},
      {"VIEW FRAME", 4, true},
      {"VIEW FRAME A", 13, true},
      {"VIEW FRAME A PNG p", 2, true},
      {"VIEW FRAME A TIFF", 14, true},
      {"VIEW FRAME A TIFF p XCEN XCEN", 15, true},
      {"VIEW FRAME A TIFF p YCEN FIX FIX YCEN", 16, true},
      {"VIEW FRAME A TIFF p DYN DYN", 17, true},
      {"VIEW FRAME A TIFF p LARGE", 2, true},
      {"VIEW FRAME C TIFF p", 55, false},
      {"DATA FRAME A BEGIN\nrow\nEND\nVIEW FRAME A TIFF p", 54, false},
      {"PRINT FRAME", 4, true},
      {"PRINT FRAME B text", 56, false},
      {"DATA FRAME A BEGIN\nrow\nEND\nPRINT FRAME A text", 54, false},
      {"SKIP", 37, true},
      {"SKIP FRAME", 4, true},
      {"SKIP FRAME A 2 TOP", 2, true},
      {"SKIP FRAME A 2 NOTOP NOW", 2, true},
      {"SKIP FRAME Z 2", 50, false},
  };
  for (const ErrorCase& c : cases) Expect(c);
}

TEST_F(StatementErrors, DataAndGrafFrame) {
  std::string tooMany = "DATA FRAME";
  for (int i = 0; i < 36; ++i) tooMany += " A";
  tooMany += " BEGIN";
  const ErrorCase cases[] = {
      {"DATA FRAME", 21, true},
      {"DATA FRAME A B", 21, true},
      {"DATA FRAME BEGIN", 22, true},
      {tooMany.c_str(), 20, true},
      {"DATA FRAME A LINECOUNT 26 BEGIN", 23, true},
      {"DATA FRAME A LINECOUNT 0 BEGIN", 23, true},
      {"DATA FRAME A LINECOUNT 2", 21, true},
      {"DATA FRAME A LINECOUNT 2 START", 21, true},
      {"DATA FRAME A BEGIN NOW", 2, true},
      {"DATA FRAME (TOOLONG)A BEGIN", 61, true},
      {"DATA FRAME A B LINECOUNT 2 BEGIN\n1\n2\n3", 24, true, 4},
      {"DATA FRAME A BEGIN\nrow", 25, true, 2},
      {"DATA FRAME A BEGIN\nrow\nEND OF DATA", 2, true, 3},
      {"DATA FRAME Z BEGIN\nrow\nEND", 50, false},
      {"DATA FRAME C BEGIN\nrow\nEND", 55, false},
      {"DATA FRAME B BEGIN\nrow\nEND", 56, false},
      {"GRAF FRAME", 4, true},
      {"GRAF FRAME A", 21, true},
      {"GRAF FRAME A BEGIN NOW", 2, true},
      {"GRAF FRAME A BEGIN\nLINE 1 1 2 2 1", 25, true, 2},
      {"GRAF FRAME Z BEGIN\nLINE 1 1 2 2 1\nEND", 50, false},
  };
  for (const ErrorCase& c : cases) Expect(c);
}

TEST_F(StatementErrors, SyncDefaultConnectAndSet) {
  std::string tooMany = "SYNC";
  for (int i = 0; i < 36; ++i) tooMany += " A";
  const ErrorCase cases[] = {
      {"SYNC", 22, true},
      {tooMany.c_str(), 20, true},
      {"SYNC A Z", 50, false},
      {"DEFAULT X", 2, true},
      {"DEFAULT FRAME", 22, true},
      {"DEFAULT FRAME A B", 2, true},
      {"DEFAULT FRAME Z", 50, false},
      {"CONNECT FRAME", 22, true},
      {"CONNECT FRAME A", 27, true},
      {"CONNECT FRAME A TO B", 2, true},
      {"CONNECT FRAME A WITH", 22, true},
      {"CONNECT FRAME A WITH B C", 2, true},
      {"CONNECT FRAME A WITH A", 68, false},
      {"CONNECT FRAME A WITH Z", 67, false},
      {"CONNECT FRAME A WITH B\nCONNECT FRAME A WITH C", 69, false},
      {"CONNECT FRAME A WITH B\nCONNECT FRAME C WITH B", 69, false},
      {"CONNECT FRAME A WITH B\nCONNECT FRAME B WITH A", 70, false},
      {"CONNECT FRAME A WITH B\nCONNECT FRAME B WITH C\nCONNECT FRAME C WITH A", 70, false},
      {"SET LP 3 LP 4", 30, true},
      {"SET PP 1 PP 2", 28, true},
      {"SET SP 1 SP 2", 31, true},
      {"SET CP 1 CP 2", 28, true},
      {"SET DP 1 DP 2", 30, true},
      {"SET LP 0", 29, true},
      {"SET CPINC x", 29, true},
      {"SET XX 2", 2, true},
      {"SET SP 1000", 72, false},
      {"SET LP 10000000", 72, false},
      {"SET LP 99999999999999", 72, false},
  };
  for (const ErrorCase& c : cases) Expect(c);
}

TEST_F(StatementErrors, AnApplyErrorRetellsTheStatement) {
  struct Echo {
    const char* statement;
    const char* echo;
  } cases[] = {
      {"DEFINE Z ALIGNMENT left SIZE 12 LINE 2 FONT courier", "\nDEFINE Z LINE 2 FONT COURIER SIZE 12 ALIGNMENT LEFT"},
      {"VIEW FRAME C STATIC CA3 p XCEN DYN", "\nVIEW FRAME C STATIC CA3 p XCEN DYN"},
      {"PRINT FRAME Z STATIC some text", "\nPRINT FRAME Z STATIC some text"},
      {"SKIP FRAME Z 1,5 NOTOP", "\nSKIP FRAME Z 15 NOTOP"},
      {"DATA FRAME A Z LINECOUNT 1 BEGIN\n1\n2\nEND", "\nDATA FRAME A Z  LINECOUNT 1 BEGIN\n ... \nEND"},
      {"GRAF FRAME Z BEGIN\nEND", "\nGRAF FRAME Z BEGIN\n . . . . . \nEND"},
      {"SYNC A Z", "\nSYNCHRO A Z \r\n"},
      {"DEFAULT FRAME Z", "\nDEFAULT FRAME Z"},
      {"CONNECT FRAME A WITH A", "\nCONNECT FRAME A WITH A"},
      {"SET LP 12 SP 1000 TESTMODE", "\nSET LP 12 SP 1000 TESTMODE"},
  };
  m_context->callback = testing::CallbackLog::Record;
  for (const Echo& c : cases) {
    SCOPED_TRACE(c.statement);
    testing::CallbackLog::calls.clear();
    StandardForm();
    Write("p.ca3", "picture");
    EXPECT_EQ(Run(std::string("USE FORM std\nPRINT FRAME C text\n") + c.statement), 2);
    ASSERT_EQ(testing::CallbackLog::calls.size(), 1u);
    EXPECT_EQ(testing::CallbackLog::calls[0].first, 6);
    const std::string& text = testing::CallbackLog::calls[0].second;
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), std::string(c.echo).size())), c.echo);
  }
}

TEST_F(StatementErrors, WithoutFrameCheckingUnknownFramesAreIgnored) {
  WriteIni({"CheckFrames=false"});
  StandardForm();
  EXPECT_EQ(Run("USE FORM std\nDEFINE Z SIZE 10\nVIEW FRAME Z TIFF p\nPRINT FRAME Z x\nSKIP FRAME Z 2\n"
                "DATA FRAME Z A BEGIN\n1\n2\nEND\nGRAF FRAME Z BEGIN\nEND\nSYNC Z\nDEFAULT FRAME Z\n"
                "CONNECT FRAME Z WITH A\n"),
            3);
  EXPECT_EQ(Lines("A"), (std::vector<std::string>{"1/0/T:2"}));
}

}  // namespace
}  // namespace vod
