#include <gtest/gtest.h>

#include "Main/CWV4Var.h"
#include "Main/tests/Bytes.h"
#include "Main/tests/EngineFixture.h"

using varno::testing::Buf;
using varno::testing::Bytes;
using varno::testing::Str;

namespace {

struct SetStep {
  VarValue value;
  BYTE type;
  BOOL result;
};

struct TypeRuleCase {
  const char* name;
  std::vector<SetStep> steps;
  BYTE typeByte;  // the whole type byte afterwards
  LONG lval;      // checked for non-text types
  const char* text;
};
void PrintTo(const TypeRuleCase& c, std::ostream* os) { *os << c.name; }

class VarTypeRulesTest : public ::testing::TestWithParam<TypeRuleCase> {};

TEST_P(VarTypeRulesTest, ExistingVariableKeepsItsTypeAndGathersFlags) {
  const TypeRuleCase& c = GetParam();
  CWV4Var vars;
  for (const SetStep& step : c.steps) EXPECT_EQ(vars.SetVar("A", step.value, step.type), step.result);
  ASSERT_EQ(vars.Entries().size(), 1u);
  const VarEntry& entry = vars.Entries()[0];
  EXPECT_EQ(entry.type, c.typeByte);
  if (c.text != nullptr) EXPECT_STREQ(entry.value.text, c.text);
  else EXPECT_EQ(entry.value.lval, c.lval);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VarTypeRulesTest,
    ::testing::Values(
        TypeRuleCase{"OtherTypeRefused", {{VarValue::Long(3), VAR_LONG, TRUE}, {VarValue::Text("x"), VAR_CHAR, FALSE}},
                     VAR_LONG, 3, nullptr},
        TypeRuleCase{"UnknownTakesFirstType",
                     {{VarValue(), VAR_UNKNOWN, TRUE}, {VarValue::Long(7), VAR_DUD, TRUE}},
                     VAR_DUD, 7, nullptr},
        TypeRuleCase{"UnknownLaterOnlyAddsFlags",
                     {{VarValue::Long(4), VAR_LONG, TRUE}, {VarValue::Long(99), VAR_UNKNOWN | VAR_FLAG_TRACE, TRUE}},
                     VAR_LONG | VAR_FLAG_TRACE, 4, nullptr},
        TypeRuleCase{"FlagsAreNeverCleared",
                     {{VarValue::Text("a"), VAR_CHAR | VAR_FLAG_TRACE, TRUE}, {VarValue::Text("b"), VAR_CHAR, TRUE}},
                     VAR_CHAR | VAR_FLAG_TRACE, 0, "b"},
        TypeRuleCase{"RefusalKeepsTheText",
                     {{VarValue::Text("k"), VAR_DUDCH, TRUE}, {VarValue::Text("x"), VAR_CHAR | VAR_FLAG_SYSTEM, FALSE}},
                     VAR_DUDCH, 0, "k"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CWV4VarTest, FloatAfterDeclarationKeepsValueWhenDeclaredAgain) {
  CWV4Var vars;
  vars.SetVar("F", VarValue(), VAR_UNKNOWN);
  EXPECT_EQ(vars.GetVar("F", nullptr), VAR_UNKNOWN);
  EXPECT_TRUE(vars.SetVar("F", VarValue::Float(1.5F), VAR_FLOAT));
  EXPECT_TRUE(vars.SetVar("F", VarValue(), VAR_UNKNOWN | VAR_FLAG_SYSTEM));
  VarValue out;
  EXPECT_EQ(vars.GetVar("F", &out), VAR_FLOAT);
  EXPECT_EQ(out.fval, 1.5F);
}

TEST(CWV4VarTest, MissingVariableLeavesTheOutputAndNamesDifferByCase) {
  CWV4Var vars;
  vars.SetVar("a", VarValue::Long(1), VAR_LONG);
  VarValue out = VarValue::Long(42);
  EXPECT_EQ(vars.GetVar("A", &out), VAR_UNKNOWN);
  EXPECT_EQ(out.lval, 42);
  EXPECT_TRUE(vars.SetVar("A", VarValue::Text("t"), VAR_CHAR));
  EXPECT_EQ(vars.GetVar("a", &out), VAR_LONG);
  EXPECT_EQ(vars.GetVar("A", &out), VAR_CHAR);
  EXPECT_STREQ(out.text, "t");
}

TEST(CWV4VarTest, SnapshotRestoresAndRefusesASecondOne) {
  CWV4Var vars;
  EXPECT_TRUE(vars.SaveSnapshot());  // an empty list makes no copy
  EXPECT_FALSE(vars.HasSnapshot());
  EXPECT_TRUE(vars.RestoreSnapshot());

  vars.SetVar("N", VarValue::Long(1), VAR_LONG);
  EXPECT_TRUE(vars.SaveSnapshot());
  vars.SetVar("N", VarValue::Long(2), VAR_LONG);
  EXPECT_FALSE(vars.SaveSnapshot());  // the first snapshot stays
  vars.SetVar("M", VarValue::Text("new"), VAR_CHAR);
  vars.RestoreSnapshot();
  VarValue out;
  EXPECT_EQ(vars.GetVar("N", &out), VAR_LONG);
  EXPECT_EQ(out.lval, 1);
  EXPECT_EQ(vars.GetVar("M", &out), VAR_UNKNOWN);
  EXPECT_FALSE(vars.HasSnapshot());
}

TEST(CWV4VarTest, TraceVarsComeFromTheSnapshotOnly) {
  CWV4Var vars;
  CDynBuf out = Buf("kept");
  EXPECT_FALSE(vars.WriteTraceVars(out));
  EXPECT_EQ(Str(out), "kept");

  vars.SetVar("U", VarValue::Long(1), VAR_LONG);
  vars.SaveSnapshot();
  EXPECT_TRUE(vars.WriteTraceVars(out));
  EXPECT_EQ(out.GetLength(), 0);
  vars.DiscardSnapshot();

  vars.SetVar("T", VarValue::Long(5), VAR_LONG | VAR_FLAG_TRACE);
  vars.SaveSnapshot();
  vars.SetVar("T", VarValue::Long(6), VAR_LONG);
  EXPECT_TRUE(vars.WriteTraceVars(out));
  EXPECT_EQ(Str(out), Bytes({0, 'O', "T", 0, 'C', "5", 0, '['}));
}

struct CodeCase {
  const char* name;
  VarValue value;
  BYTE type;
  std::string code;
};
void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.name << ": type " << static_cast<int>(c.type); }

class WriteVarCodeTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(WriteVarCodeTest, WritesOneAssignmentStatement) {
  const CodeCase& c = GetParam();
  VarEntry entry;
  entry.name = "V";
  entry.type = c.type;
  entry.value = c.value;
  CDynBuf out;
  CWV4Var::WriteVarCode(out, entry);
  EXPECT_EQ(Str(out), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteVarCodeTest,
    ::testing::Values(CodeCase{"Char", VarValue::Text("ab"), VAR_CHAR, Bytes({0, 'N', "V", 0, 'C', "\"ab\"", 0, '['})},
                      CodeCase{"EmptyChar", VarValue::Text(""), VAR_CHAR, Bytes({0, 'N', "V", 0, 'C', "\"\"", 0, '['})},
                      CodeCase{"QuoteInText", VarValue::Text("a\"b"), VAR_DUDCH,
                               Bytes({0, '}', "V", 0, 'C', "\"a\"'\"'\"b\"", 0, '['})},
                      CodeCase{"NegativeLong", VarValue::Long(-12), VAR_LONG | VAR_FLAG_TRACE,
                               Bytes({0, 'O', "V", 0, 'C', "-12", 0, '['})},
                      CodeCase{"Dud", VarValue::Long(1234), VAR_DUD, Bytes({0, 'D', "V", 0, 'C', "1234", 0, '['})},
                      CodeCase{"Float", VarValue::Float(2.5F), VAR_FLOAT,
                               Bytes({0, 'P', "V", 0, 'C', "2.500000", 0, '['})},
                      CodeCase{"BoolTwoIsTrue", VarValue::Bool(2), VAR_BOOL, Bytes({0, 'Q', "V", 0, 'C', "TRUE", 0, '['})},
                      CodeCase{"BoolZero", VarValue::Bool(0), VAR_BOOL, Bytes({0, 'Q', "V", 0, 'C', "FALSE", 0, '['})},
                      CodeCase{"Unknown", VarValue(), VAR_UNKNOWN, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CWV4VarTest, DumpNamesTypeFlagsAndValue) {
  CWV4Var vars;
  vars.SetVar("C", VarValue::Text("x y"), VAR_CHAR | VAR_FLAG_SYSTEM | VAR_FLAG_TRACE);
  vars.SetVar("L", VarValue::Long(-3), VAR_LONG);
  vars.SetVar("F", VarValue::Float(0.25F), VAR_FLOAT | VAR_FLAG_TRACE);
  vars.SetVar("B", VarValue::Bool(2), VAR_BOOL);
  vars.SetVar("D", VarValue::Long(17), VAR_DUD);
  vars.SetVar("K", VarValue::Text("key"), VAR_DUDCH);
  vars.SetVar("U", VarValue(), VAR_UNKNOWN | VAR_FLAG_TRACE);
  CDynBuf out;
  vars.Dump(out);
  EXPECT_EQ(Str(out),
            "C:CHAR+SYSTEM+TRACE \"x y\"\r\n"
            "L:LONG -3\r\n"
            "F:FLOAT+TRACE 0.25\r\n"
            "B:BOOL TRUE\r\n"
            "D:DUD 17\r\n"
            "K:DUDCH \"key\"\r\n"
            "U:Unbekannt !!!\r\n");
}

class VarRoundTripTest : public varno::testing::EngineFixture {};

// What the store writes, the executor reads back to the same variables, the
// texts with double quotes included.
TEST_F(VarRoundTripTest, UserVarsRunBackToTheSameValues) {
  vars().SetVar("Quote", VarValue::Text("say \"hi\"\""), VAR_CHAR);
  vars().SetVar("Empty", VarValue::Text(""), VAR_CHAR);
  vars().SetVar("Key", VarValue::Text("\"k'"), VAR_DUDCH);
  vars().SetVar("Num", VarValue::Long(-2147483647), VAR_LONG);
  vars().SetVar("Dud", VarValue::Long(77), VAR_DUD);
  vars().SetVar("Real", VarValue::Float(-3.25F), VAR_FLOAT);
  vars().SetVar("Flag", VarValue::Bool(5), VAR_BOOL);
  vars().SetVar("Sys", VarValue::Text("s"), VAR_CHAR | VAR_FLAG_SYSTEM);
  CDynBuf code;
  vars().WriteUserVars(code);
  CDynBuf before;
  vars().Dump(before);

  vars().RemoveAll();
  ASSERT_TRUE(db().ExecAssignments(code));
  vars().SetVar("Sys", VarValue::Text("s"), VAR_CHAR | VAR_FLAG_SYSTEM);
  CDynBuf after;
  vars().Dump(after);
  EXPECT_EQ(Str(after), Str(before));
}

}  // namespace
