#include <gtest/gtest.h>

#include <array>
#include <string>

#include "Main/CWV4ExtPrg.h"
#include "Main/tests/EngineFixture.h"
#include "testing/TempFolder.h"

using varno::testing::Bytes;
using varno::testing::Str;

namespace {

class ExtPrgTest : public varno::testing::EngineFixture {
 protected:
  CExtPrg LoadList(const std::string& content) {
    folder.Write("extern.txt", content);
    CExtPrg list;
    list.Load((folder / "extern.txt").c_str());
    return list;
  }
  layer::testing::TempFolder folder;
};

struct ListCase {
  const char* name;
  std::string file;
  std::string dump;
};

class ExtPrgListTest : public ExtPrgTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ExtPrgListTest, ParsesLinesOfNumberFlagNameAndCommand) {
  const ListCase& c = GetParam();
  CDynBuf dump;
  LoadList(c.file).Dump(dump);
  EXPECT_EQ(Str(dump), c.dump);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtPrgListTest,
    ::testing::Values(
        ListCase{"CommaInsideQuotes", "5:1:'C:\\a,b\\p.exe',-x\r\n", "\t0005:1:'C:\\a,b\\p.exe',-x\r\n"},
        ListCase{"DoubleQuotesInsideSingle", "6:0:'a\"b',c\"d\r\n", "\t0006:0:'a\"b',c\"d\r\n"},
        ListCase{"NoCommandAndExtraFlagCharacters", "7:1xyz:VARNO+\"\\V4VNW.EXE\"\r\n",
                 "\t0007:1:VARNO+\"\\V4VNW.EXE\",\r\n"},
        ListCase{"TwoLinesAndLastWithoutLineEnd", " 12:0:\"p\",a b\r\n13:0:\"q\"",
                 "\t0012:0:\"p\",a b\r\n\t0013:0:\"q\",\r\n"},
        ListCase{"LineWithoutColonsRunsIntoTheNext", "junk\r\n9:0:\"r\",s\r\n", "\t0000:0:\"r\",s\r\n"},
        ListCase{"EndsInsideTheNumber", "4:0:\"a\"\r\n15", "\t0004:0:\"a\",\r\n"},
        ListCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExtPrgTest, MissingListIsLoggedOnly) {
  CExtPrg list;
  list.Load((folder / "nope.txt").c_str());
  EXPECT_TRUE(list.Entries().empty());
  EXPECT_TRUE(dialog->shown.empty());
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ExtPrgTest, FindEvaluatesTheProgramExpression) {
  vars().SetVar("VARNO", VarValue::Text("C:\\V4"), VAR_CHAR | VAR_FLAG_SYSTEM);
  CExtPrg list = LoadList("7:1:VARNO+\"\\V4VNW.EXE\",-D vnw.bin\r\n8:0:\"\r\n");
  CString program;
  CString command;
  int flag = -1;
  EXPECT_TRUE(list.Find(7, program, flag, command));
  EXPECT_STREQ(program, "C:\\V4\\V4VNW.EXE");
  EXPECT_EQ(flag, 1);
  EXPECT_STREQ(command, "-D vnw.bin");
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);

  EXPECT_FALSE(list.Find(9, program, flag, command));
  ASSERT_NE(theGlobals.m_error_trace_newest, nullptr);
  EXPECT_EQ(theGlobals.m_error_trace_newest->error_code, 519);
  EXPECT_EQ(theGlobals.m_error_trace_newest->value, 9);
  CErrorTrace::RemoveAll();

  EXPECT_FALSE(list.Find(8, program, flag, command));  // a lone quote does not evaluate
  EXPECT_EQ(theGlobals.m_error_trace_newest->error_code, 518);
  EXPECT_EQ(flag, 0);
}

struct AnswerCase {
  const char* name;
  std::string answer;
  int length;  // written into the block's first two bytes
  BOOL ok;
  const char* variable;  // the text of variable bl afterwards
};

class ExchangeAnswerTest : public ExtPrgTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(ExchangeAnswerTest, RunsTheAssignmentsThatTheProgramLeft) {
  const AnswerCase& c = GetParam();
  std::array<BYTE, kExchangeBlockSize> block{};
  block[0] = static_cast<BYTE>(c.length & 0xFF);
  block[1] = static_cast<BYTE>(c.length >> 8);
  std::copy(c.answer.begin(), c.answer.end(), block.begin() + 2);
  CErrorTrace* node = ERROR_TRACE_PUSH();
  EXPECT_EQ(CExtPrg::RunExchangeAnswer(block.data(), 7, node), c.ok);
  if (!c.ok) {
    EXPECT_EQ(node->error_code, 253);
    EXPECT_EQ(node->value, 7);
  }
  VarValue value;
  vars().GetVar("bl", &value);
  EXPECT_STREQ(value.text, c.variable);
}

const std::string kAnswer = Bytes({0, 'N', "bl", 0, 'C', "\"A-12\"", 0, '['});

INSTANTIATE_TEST_SUITE_P(
    Cases, ExchangeAnswerTest,
    ::testing::Values(AnswerCase{"NoAnswer", kAnswer, 0, TRUE, ""},
                      AnswerCase{"Answer", kAnswer, static_cast<int>(kAnswer.size()), TRUE, "A-12"},
                      AnswerCase{"LongestAnswer", kAnswer + std::string(4094 - kAnswer.size(), '\0'), 4094, TRUE, "A-12"},
                      AnswerCase{"LengthBeyondTheBlockIsRefusedWhole", kAnswer, 4095, FALSE, ""},
                      AnswerCase{"LargestLength", kAnswer, 0xFFFF, FALSE, ""},
                      AnswerCase{"BadCode", Bytes({0, 'X'}), 2, FALSE, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
