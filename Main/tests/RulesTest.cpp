#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

#include "Main/CWV4ExtPrg.h"
#include "Main/tests/CatalogueFixture.h"

using varno::testing::Bytes;
using varno::testing::Quoted;
using varno::testing::Str;

namespace {

class RulesTest : public varno::testing::CatalogueFixture {
 protected:
  void SetUp() override {
    CatalogueFixture::SetUp();
    vars().SetVar("A", VarValue::Long(1), VAR_LONG);
    vars().SetVar("S5", VarValue::Text("5"), VAR_CHAR);
    vars().SetVar("S05", VarValue::Text("05"), VAR_CHAR);
    vars().SetVar("T", VarValue::Bool(1), VAR_BOOL);
    vars().SetVar("F", VarValue::Float(2.5F), VAR_FLOAT);
    vars().SetVar("D", VarValue::Long(5), VAR_DUD);
    vars().SetVar("Name", VarValue::Text("Hauptrahmen"), VAR_CHAR);
    vars().SetVar("Max", VarValue::Long(2147483647), VAR_LONG);
    vars().SetVar("Min", VarValue::Long(-2147483647 - 1), VAR_LONG);
    vars().SetVar("Big", VarValue::Float(1e14F), VAR_FLOAT);
    vars().SetVar("MinusBig", VarValue::Float(-1e14F), VAR_FLOAT);
  }
  CWV4Logic& logic() { return *theGlobals.m_plogic; }
};

struct RuleConditionCase {
  const char* name;
  const char* text;
  int code;  // 0: read; else the failure's code
  bool result;
};
void PrintTo(const RuleConditionCase& c, std::ostream* os) { *os << c.name << ": " << c.text; }

class ConditionCases : public RulesTest, public ::testing::WithParamInterface<RuleConditionCase> {};

TEST_P(ConditionCases, EvaluateLeftToRight) {
  const RuleConditionCase& c = GetParam();
  BOOL result = 7;
  const BOOL ok = logic().Evaluate(nullptr, c.text, &result);
  ASSERT_EQ(ok, c.code == 0 ? TRUE : FALSE) << NewestCode();
  if (c.code != 0) {
    EXPECT_EQ(NewestCode(), c.code);
    EXPECT_EQ(result, 7);
  } else {
    EXPECT_EQ(result, c.result ? TRUE : FALSE);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConditionCases,
    ::testing::Values(
        RuleConditionCase{"Equal", "A = 1", 0, true}, RuleConditionCase{"NotEqual", "A # 1", 0, false},
        RuleConditionCase{"NoPrecedence", "A = 1 & A = 2", 0, true},  // ((A = 1) & A) = 2: TRUE = TRUE
        RuleConditionCase{"Grouped", "(A = 1) & (T = TRUE)", 0, true},
        RuleConditionCase{"TextComparison", "S5 = 5", 0, true}, RuleConditionCase{"TextNotNumber", "S05 = 5", 0, false},
        RuleConditionCase{"LongComparison", "A < 2", 0, true}, RuleConditionCase{"FloatComparison", "F >= 2.5", 0, true},
        RuleConditionCase{"DudCountsAsLong", "D > 4", 0, true},
        RuleConditionCase{"MissingEqualsEmpty", "Y = \"\"", 0, true},
        RuleConditionCase{"MissingAlone", "Y", 268, false},
        RuleConditionCase{"MissingAndTrue", "Y & TRUE", 0, false}, RuleConditionCase{"MissingOrTrue", "Y | TRUE", 0, true},
        RuleConditionCase{"MinusIsAName", "-5", 268, false},
        RuleConditionCase{"OpenGroupAtEnd", "(A = 1", 0, true}, RuleConditionCase{"OpenGroupOperand", "(A", 267, false},
        RuleConditionCase{"Negations", "!Begins(Name, \"Haupt\") | !IsEmpty(Name)", 0, true},
        RuleConditionCase{"StrIn", "StrIn(Name, \"rahm\") & !StrIn(Name, \"x\")", 0, true},
        RuleConditionCase{"StrOrGivesText", "StrOr(A = 2, \"ja\", \"nein\") = \"nein\"", 0, true},
        RuleConditionCase{"FunctionNeedsParenthesis", "IsEmpty (Name)", 267, false},
        RuleConditionCase{"CharacterLiteral", "'x' = \"x\"", 0, true},
        RuleConditionCase{"NumberWithPoint", "1.5 = 1.5", 0, true},
        // Beyond the 32-bit range a value with a point is held at the limit.
        RuleConditionCase{"FloatAboveLongRange", "Max = Big", 0, true},
        RuleConditionCase{"FloatBelowLongRange", "Min = MinusBig", 0, true},
        RuleConditionCase{"NumberWithPointAboveLongRange", "Max = 100000000000000.5", 0, true},
        // So is one without a point, as atol reads it: it does not wrap round to a small number.
        RuleConditionCase{"NumberAboveLongRange", "Max = 4294967297", 0, true},
        RuleConditionCase{"NumberAboveLongRangeIsNoSmallOne", "A = 4294967297", 0, false},
        RuleConditionCase{"TextAboveLongRange", "Max = \"99999999999999\"", 0, true},
        RuleConditionCase{"EndsAfterOperator", "A =", 266, false},
        RuleConditionCase{"UnclosedLiteral", "\"abc", 267, false},
        RuleConditionCase{"LogicalOnText", "Name & TRUE", 269, false},
        RuleConditionCase{"TabIsNoBlank", "A\t= 1", 0, false},  // "A\t" is another variable
        // Without a link the prefix is not recognised.
        RuleConditionCase{"PrefixNeedsLink", "%(A, X, 2, 7)", 267, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RulesTest, EmptyTextFailsWithoutCodeOfItsOwn) {
  BOOL result = FALSE;
  EXPECT_FALSE(logic().Evaluate(nullptr, "", &result));
  EXPECT_EQ(NewestCode(), 0);
}

// Groups and function arguments nest as deep as a condition needs; a
// damaged text of endless nesting fails instead of exhausting the stack.
TEST_F(RulesTest, NestingIsBoundedInsteadOfExhaustingTheStack) {
  auto nested = [](const std::string& open, int depth, const std::string& inner, const std::string& close) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += open;
    text += inner;
    for (int i = 0; i < depth; ++i) text += close;
    return text;
  };
  BOOL result = FALSE;
  EXPECT_TRUE(logic().Evaluate(nullptr, nested("(", 60, "A = 1", ")").c_str(), &result)) << NewestCode();
  EXPECT_EQ(result, TRUE);
  for (const std::string& text : {nested("(", 100000, "A = 1", ")"), nested("StrOr(", 100000, "TRUE", ", 'a', 'b')")}) {
    EXPECT_FALSE(logic().Evaluate(nullptr, text.c_str(), &result));
    EXPECT_EQ(NewestCode(), 267);
    CErrorTrace::RemoveAll();
  }
}

// Deferred assignments need a record link.
class PrefixTest : public RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    OpenDatabase(link, "k.ddm", "database\nfields 4\nrecord \"K\"\n2 = \"Feld zwei\"\n", "K");
  }
  DdmDbLink link;
};

struct PrefixCase {
  const char* name;
  const char* text;
  bool ignoreRules;
  bool result;
  LONG x;  // 0: X stays unset
};
void PrintTo(const PrefixCase& c, std::ostream* os) { *os << c.name << ": " << c.text; }

class PrefixCases : public PrefixTest, public ::testing::WithParamInterface<PrefixCase> {};

TEST_P(PrefixCases, AssignAfterTheOutcome) {
  const PrefixCase& c = GetParam();
  theGlobals.m_ignore_rules = c.ignoreRules ? TRUE : FALSE;
  BOOL result = FALSE;
  ASSERT_TRUE(logic().Evaluate(&link, c.text, &result)) << NewestCode();
  EXPECT_EQ(result, c.result ? TRUE : FALSE);
  VarValue v;
  if (c.x == 0) {
    EXPECT_EQ(vars().GetVar("X", &v), VAR_UNKNOWN);
  } else {
    ASSERT_EQ(vars().GetVar("X", &v), VAR_LONG);
    EXPECT_EQ(v.lval, c.x);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrefixCases,
    ::testing::Values(PrefixCase{"TrueKindOnTrue", "%(T, X, 2, 5) A = 1", false, true, 5},
                      PrefixCase{"TrueKindOnFalse", "%(T, X, 2, 5) A = 2", false, false, 0},
                      PrefixCase{"AlwaysKind", "%(A, X, 2, 5) A = 2", false, false, 5},
                      PrefixCase{"FalseKindOnFalse", " %( F , X , 2 ,5) A = 2", false, false, 5},
                      PrefixCase{"FalseKindOnTrue", "%(F, X, 2, 5) A = 1", false, true, 0},
                      PrefixCase{"OnlyPrefix", "%(A, X, 2, 7)", false, true, 7},
                      PrefixCase{"IgnoredRulesApplyTrueKind", "%(T, X, 2, 5) A = 2", true, false, 5},
                      PrefixCase{"IgnoredRulesKeepFalseKind", "%(F, X, 2, 5) A = 1", true, true, 0},
                      PrefixCase{"OtherKindDropped", "%(Q, X, 2, 5) A = 1", false, true, 0},
                      PrefixCase{"FieldOperand", "$2 = \"Feld zwei\"", false, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct PrefixFailure {
  const char* name;
  const char* text;
  int code;
};
void PrintTo(const PrefixFailure& c, std::ostream* os) { *os << c.name << ": " << c.text; }

class PrefixFailures : public PrefixTest, public ::testing::WithParamInterface<PrefixFailure> {};

TEST_P(PrefixFailures, FailWithTheirCodeAndAssignNothing) {
  const PrefixFailure& c = GetParam();
  BOOL result = FALSE;
  EXPECT_FALSE(logic().Evaluate(&link, c.text, &result));
  EXPECT_EQ(NewestCode(), c.code);
  VarValue v;
  EXPECT_EQ(vars().GetVar("X", &v), VAR_UNKNOWN);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrefixFailures,
    ::testing::Values(PrefixFailure{"ProgramAlone", "@12@", 256}, PrefixFailure{"ProgramNotClosed", "@12 A = 1", 256},
                      PrefixFailure{"UnknownProgram", "@12@ A = 1", 252},
                      PrefixFailure{"NoParenthesis", "%X", 258}, PrefixFailure{"EndsInside", "%(A, X", 257},
                      PrefixFailure{"MissingComma", "%(A X, 2, 5)", 259},
                      PrefixFailure{"MissingClose", "%(A, X, 2, 5", 260},
                      PrefixFailure{"BadType", "%(A, X, 5, 5) A = 1", 265},
                      PrefixFailure{"BadLong", "%(A, X, 2, +) A = 1", 263},
                      PrefixFailure{"BadText", "%(A, X, 1, \"a) A = 1", 260},
                      PrefixFailure{"ConditionFailsAfterPrefix", "%(A, X, 2, 5) A =", 266}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RulesTest, RulesFileLinesKeepTheirColonsAndTheLastLine) {
  const std::string path = dataFolder / "rules.txt";
  std::ofstream(path, std::ios::binary) << "7:A:B\r\n  300:A = 1\r\nno colon\r\n9:x\r\n7:second\r\n12:last\r";
  logic().LoadRules(path.c_str());
  CString text;
  ASSERT_TRUE(logic().FindRule(7, text));
  EXPECT_STREQ(text, "A:B");
  ASSERT_TRUE(logic().FindRule(300, text));
  EXPECT_STREQ(text, "A = 1");
  // A line without a colon runs into the next; its number comes from its start.
  EXPECT_FALSE(logic().FindRule(9, text));
  ASSERT_TRUE(logic().FindRule(0, text));
  EXPECT_STREQ(text, "x");
  // A last line ended by a lone CR is kept.
  ASSERT_TRUE(logic().FindRule(12, text));
  EXPECT_STREQ(text, "last");
  CDynBuf dump;
  logic().Dump(dump);
  EXPECT_EQ(Str(dump), "\t00007:A:B\r\n\t00300:A = 1\r\n\t00000:x\r\n\t00007:second\r\n\t00012:last\r\n");

  std::ofstream(path, std::ios::binary) << "1:a\r\n2:b";
  logic().LoadRules(path.c_str());
  ASSERT_TRUE(logic().FindRule(2, text));
  EXPECT_STREQ(text, "b");
  EXPECT_FALSE(logic().FindRule(7, text));
}

// A rules file with bytes changed anywhere loads, and each of its rules is
// read as a whole or fails with a code; nothing reads past a text or runs on.
TEST_F(PrefixTest, RulesFilesWithChangedBytesLoadAndEvaluateOrFail) {
  const std::string rules =
      "1:%(T, X, 2, 5) %(F, Y, 1, \"a(b)\") (A = 1) & (Name # \"x\")\r\n"
      "2:StrOr(A = 2, 'j', \"n\") = \"n\" | Begins(Name, \"Haupt\")\r\n"
      "3:!IsEmpty(Name) & StrIn(Name, \"rahm\") & $2 = \"Feld zwei\"\r\n"
      "4:((F >= 2.5) | (D < 4)) = TRUE & S05 # 5\r\n";
  const char structure[] = "()\"',%@:\r\n&|=#<>!$ ";
  const std::string path = dataFolder / "rules.txt";
  std::mt19937 random(20261214);
  for (int round = 0; round < 500; ++round) {
    std::string damaged = rules;
    for (int changes = 1 + static_cast<int>(random() % 4); changes > 0; --changes) {
      const size_t at = random() % damaged.size();
      damaged[at] = random() % 2 == 0 ? structure[random() % (sizeof structure - 1)] : static_cast<char>(random() % 256);
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << damaged;
    logic().LoadRules(path.c_str());
    CDynBuf dump;
    logic().Dump(dump);
    for (int number = 0; number <= 9; ++number) {
      CString text;
      if (!logic().FindRule(number, text)) continue;
      BOOL result = FALSE;
      logic().Evaluate(&link, text, &result);
      logic().Evaluate(nullptr, text, &result);
    }
    CErrorTrace::RemoveAll();
  }
}

TEST_F(RulesTest, MissingRulesFileIsReportedAndEmptiesTheList) {
  const std::string path = dataFolder / "rules.txt";
  std::ofstream(path, std::ios::binary) << "1:a\r\n";
  logic().LoadRules(path.c_str());
  logic().LoadRules((dataFolder / "none.txt").c_str());
  CString text;
  EXPECT_FALSE(logic().FindRule(1, text));
  ASSERT_EQ(dialog->shown.size(), 1U);
  EXPECT_NE(dialog->shown[0].second.find("[306]"), std::string::npos);
  // An empty path changes nothing.
  logic().LoadRules(path.c_str());
  logic().LoadRules("");
  EXPECT_TRUE(logic().FindRule(1, text));
}

}  // namespace
