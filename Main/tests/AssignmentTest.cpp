#include <gtest/gtest.h>

#include <string>

#include "Main/tests/EngineFixture.h"

using varno::testing::Buf;
using varno::testing::Bytes;
using varno::testing::Readable;
using varno::testing::Str;

namespace {

class AssignmentTest : public varno::testing::ShellFixture {
 protected:
  void TearDown() override {
    theGlobals.m_leftneighbour.Empty();
    theGlobals.m_rightneighbour.Empty();
    theGlobals.m_notiz_name.Empty();
    ShellFixture::TearDown();
  }
  BOOL Run(const std::string& list) { return db().ExecAssignments(Buf(list)); }
  int FailedCode() const {
    return theGlobals.m_error_trace_newest != nullptr ? theGlobals.m_error_trace_newest->error_code : 0;
  }
};

TEST_F(AssignmentTest, EmptyListOnlyEmptiesTheTemporaryKey) {
  theGlobals.m_tmpkey = "old";
  theGlobals.m_cur_varbuf = Buf("saved");
  EXPECT_TRUE(Run(""));
  EXPECT_STREQ(theGlobals.m_tmpkey, "");
  EXPECT_EQ(Str(theGlobals.m_cur_varbuf), "saved");
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(AssignmentTest, SetsVariablesOfEveryType) {
  EXPECT_TRUE(Run(Bytes({0, 'O', "N", 0, 'C', "1+2", 0, '[',                               //
                         0, 'N', "T", 0, 'C', "\"ab\"", 0, 'A', "N", 0, 0x40, 0, '[',      //
                         0, 'P', "F", 0, 'C', "2.5*2", 0, '[',                             //
                         0, 'Q', "B", 0, 'C', "!FALSE", 0, '[',                            //
                         0, 'D', "D", 0, 'C', "1200+34", 0, '[',                           //
                         0, '}', "K", 0, 'C', "\"key\"", 0, '[',                           //
                         0, 0,                                                              //
                         0, 0x9C, "P~L", 0, 0x9D, 0, 0x9E, "P~R", 0, 0x9F, 0, 0xA4, "note", 0, 0xA5})));
  CDynBuf dump;
  vars().Dump(dump);
  EXPECT_EQ(Str(dump),
            "N:LONG 3\r\nT:CHAR \"ab3\"\r\nF:FLOAT 5\r\nB:BOOL TRUE\r\nD:DUD 1234\r\nK:DUDCH \"key\"\r\n"
            "LEFTNEIGHBOUR:CHAR \"P~L\"\r\nRIGHTNEIGHBOUR:CHAR \"P~R\"\r\n");
  EXPECT_STREQ(theGlobals.m_leftneighbour, "P~L");
  EXPECT_STREQ(theGlobals.m_rightneighbour, "P~R");
  EXPECT_STREQ(theGlobals.m_notiz_name, "note");
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

struct FailCase {
  const char* name;
  std::string list;
  int code;
  int value;
};
void PrintTo(const FailCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.list); }

class AssignmentFailTest : public AssignmentTest, public ::testing::WithParamInterface<FailCase> {};

// Statements before the failing one keep their effect; the node stays.
TEST_P(AssignmentFailTest, FailsWithItsCodeAndKeepsEarlierEffects) {
  const FailCase& c = GetParam();
  vars().SetVar("S", VarValue::Text("x"), VAR_CHAR);
  ASSERT_FALSE(Run(Bytes({0, 'O', "Before", 0, 'C', "1", 0, '['}) + c.list));
  ASSERT_EQ(FailedCode(), c.code);
  EXPECT_EQ(theGlobals.m_error_trace_newest->value, c.value);
  EXPECT_EQ(theGlobals.m_error_trace_newest->severity, SEVERITY_ERROR);
  EXPECT_EQ(vars().GetVar("Before", nullptr), VAR_LONG);
  VarValue s;
  vars().GetVar("S", &s);
  EXPECT_STREQ(s.text, "x");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AssignmentFailTest,
    ::testing::Values(FailCase{"UnknownTag", Bytes({0, 'X', "T", 0, 'C', "\"ab\"", 0, '['}), 179, 'X'},
                      FailCase{"NoStatementByte", Bytes({"x"}), 179, 'x'},
                      FailCase{"EndsAfterName", Bytes({0, 'N', "T"}), 180, 0},
                      FailCase{"EndsAfterNameZero", Bytes({0, 'N', "T", 0}), 180, 0},
                      FailCase{"EndsInValue", Bytes({0, 'N', "T", 0, 'C', "\"ab\""}), 180, 0},
                      FailCase{"EndsAfterZeroInValue", Bytes({0, 'N', "T", 0, 'C', "\"ab\"", 0}), 180, 0},
                      FailCase{"NotAValue", Bytes({0, 'O', "N", 0, 'D', "1", 0, '['}), 184, 'D'},
                      FailCase{"DudchNotAValue", Bytes({0, '}', "N", 0, 'D', "1", 0, '['}), 478, 'D'},
                      FailCase{"BadLong", Bytes({0, 'O', "N", 0, 'C', "1+", 0, '['}), 185, 0},
                      FailCase{"NumberThenCode", Bytes({0, 'O', "N", 0, 'C', "1", 0, 'A', "Before", 0, 0x40, 0, '['}), 185, 0},
                      FailCase{"TextNumberCutOff", Bytes({0, 'N', "T", 0, 'C', 0, '>', 7, 0}), 180, 0},
                      FailCase{"MarkerInValueCode", Bytes({0, 'N', "N", 0, 'C', 1, 2, "S", 1, 2, 0, '['}), 182, 0},
                      FailCase{"TypeConflict", Bytes({0, 'O', "S", 0, 'C', "1", 0, '['}), 186, VAR_LONG},
                      FailCase{"DudchConflict", Bytes({0, '}', "S", 0, 'C', "\"k\"", 0, '['}), 477, VAR_DUDCH},
                      FailCase{"KeyNotClosed", Bytes({0, '{', "K", 0, 0x7D}), 417, 0x7D},
                      FailCase{"LeftNotClosed", Bytes({0, 0x9C, "L", 0, 0x9F}), 342, 0x9F},
                      FailCase{"RightNotClosed", Bytes({0, 0x9E, "R", 0, 0x9D}), 344, 0x9D},
                      FailCase{"NotesNotClosed", Bytes({0, 0xA4, "n", 0, 0xA4}), 123, 0xA4}),
    [](const auto& info) { return std::string(info.param.name); });

// A text number's 4 bytes may hold 0 bytes, and a 0 followed by '[' among
// them: the value runs on behind them.
TEST_F(AssignmentTest, TextNumbersInValuesAreSteppedOverWhole) {
  OpenTexts(theGlobals.m_datadud, "duden.ddm", "dictionary\nlanguage \"D\"\n7 = \"Sieben\"\n23296 = \"Klammer\"\n");
  EXPECT_TRUE(Run(Bytes({0, 'N', "T", 0, 'C', 0, '>', 7, 0, 0, 0, "'!'", 0, '[',  //
                         0, 'N', "U", 0, 'C', 0, '>', 0, '[', 0, 0, 0, '[', 0, 'O', "N", 0, 'C', "1", 0, '['})))
      << FailedCode();
  CDynBuf dump;
  vars().Dump(dump);
  EXPECT_EQ(Str(dump), "T:CHAR \"Sieben!\"\r\nU:CHAR \"Klammer\"\r\nN:LONG 1\r\n");
}

TEST_F(AssignmentTest, NeighbourRefusedWhenTheVariableHasAnotherType) {
  vars().SetVar("LEFTNEIGHBOUR", VarValue::Long(1), VAR_LONG);
  EXPECT_FALSE(Run(Bytes({0, 0x9C, "P~L", 0, 0x9D})));
  EXPECT_EQ(FailedCode(), 343);
  EXPECT_STREQ(theGlobals.m_error_trace_newest->detail_text, "LEFTNEIGHBOUR");
}

TEST_F(AssignmentTest, KeyCommandIsPostedAfterTheWholeList) {
  theGlobals.m_cur_varbuf = Buf("saved");
  EXPECT_TRUE(Run(Bytes({0, '{', "P~K1", 0, 0x7C, 0, 'O', "N", 0, 'C', "5", 0, '['})));
  EXPECT_STREQ(theGlobals.m_tmpkey, "P~K1");
  EXPECT_EQ(theGlobals.m_cur_varbuf.GetLength(), 0);
  EXPECT_EQ(vars().GetVar("N", nullptr), VAR_LONG);  // ran before anyone handles the key
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "P~K1"}}));
}

TEST_F(AssignmentTest, ClearingTheHistoryPostsLaterKeysWithFlagZero) {
  theGlobals.m_phistory->AddEntry("P~A", Buf("d"), 0, 0);
  EXPECT_TRUE(Run(Bytes({0, '{', "P~K0", 0, 0x7C, 0, 0xA0, 0, '{', "P~K1", 0, 0x7C})));
  EXPECT_EQ(theGlobals.m_phistory->GetCount(), 0);
  EXPECT_STREQ(theGlobals.m_tmpkey, "P~K1");
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "P~K0"}, {0, "P~K1"}}));
}

// The posted key is the message's own: a later list cannot change it.
TEST_F(AssignmentTest, PostedKeyTravelsByValue) {
  EXPECT_TRUE(Run(Bytes({0, '{', "P~First", 0, 0x7C})));
  EXPECT_TRUE(Run(Bytes({0, '{', "P~Second", 0, 0x7C})));
  theGlobals.m_tmpkey = "overwritten";
  EXPECT_EQ(TakeKeyCommands(),
            (KeyCommands{{1, "P~First"}, {1, "P~Second"}}));
}

TEST_F(AssignmentTest, ServerModeOnlyKeepsTheKey) {
  theGlobals.m_internet_mode = kInternetServer;
  theGlobals.m_cur_varbuf = Buf("saved");
  EXPECT_TRUE(Run(Bytes({0, '{', "P~K", 0, 0x7C})));
  EXPECT_STREQ(theGlobals.m_tmpkey, "P~K");
  EXPECT_EQ(theGlobals.m_cur_varbuf.GetLength(), 0);
  EXPECT_TRUE(TakeKeyCommands().empty());
}

}  // namespace
