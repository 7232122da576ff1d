#include <gtest/gtest.h>

#include <string>

#include "Main/tests/EngineFixture.h"

using varno::testing::Buf;
using varno::testing::Bytes;
using varno::testing::Readable;

namespace {

enum Form { CODE, MARKER, PLAIN };

// Variables every case can use.
class EvaluatorTest : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    vars().SetVar("N", VarValue::Long(7), VAR_LONG);
    vars().SetVar("D", VarValue::Long(1234), VAR_DUD);
    vars().SetVar("K", VarValue::Text("key1"), VAR_DUDCH);
    vars().SetVar("C", VarValue::Text("txt"), VAR_CHAR);
    vars().SetVar("F", VarValue::Float(1.5F), VAR_FLOAT);
    vars().SetVar("B", VarValue::Bool(1), VAR_BOOL);
    vars().SetVar("B2", VarValue::Bool(2), VAR_BOOL);
    vars().SetVar("Z", VarValue::Bool(0), VAR_BOOL);
    vars().SetVar("Decl", VarValue(), VAR_UNKNOWN);
    vars().SetVar("M", VarValue::Long(-1), VAR_LONG);
  }
  static BOOL Markers(Form form) { return form == MARKER; }
  static BOOL Names(Form form) { return form == PLAIN; }
};

const int kFail = -999;  // expected result of a failing case

// ---- text ----

struct StringCase {
  const char* name;
  Form form;
  std::string expr;
  bool ok;
  const char* result;
};
void PrintTo(const StringCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.expr); }

class EvalStringTest : public EvaluatorTest, public ::testing::WithParamInterface<StringCase> {};

TEST_P(EvalStringTest, Evaluates) {
  const StringCase& c = GetParam();
  CString result = "untouched";
  EXPECT_EQ(db().EvalString(Buf(c.expr), result, Markers(c.form), Names(c.form), nullptr), c.ok ? TRUE : FALSE);
  EXPECT_STREQ(result, c.ok ? c.result : "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EvalStringTest,
    ::testing::Values(
        StringCase{"QuotedAndSingle", PLAIN, "\"ab\"+'c'", true, "abc"},
        StringCase{"SideBySide", CODE, "\"a\" \"b\"'c'", true, "abc"},
        StringCase{"LoneQuote", CODE, "\"", false, ""},
        StringCase{"UnclosedQuoteRunsToEnd", CODE, "\"ab", true, "ab"},
        StringCase{"BadSingleQuote", CODE, "'ab'", false, ""},
        StringCase{"TrailingPlus", CODE, "\"a\"+ ", false, ""},
        StringCase{"Empty", CODE, "", true, ""},
        StringCase{"Blanks", MARKER, "   ", true, ""},
        StringCase{"CodeLong", CODE, Bytes({0, 'A', "N", 0, 0x40}), true, "7"},
        StringCase{"CodeDudFails", CODE, Bytes({0, 'A', "D", 0, 0x40}), false, ""},
        StringCase{"CodeMissingIsEmpty", CODE, Bytes({"\"x\"", 0, 'A', "Nope", 0, 0x40}), true, "x"},
        StringCase{"CodeTypesAsText", CODE,
                   Bytes({0, 'A', "C", 0, 0x40, 0, 'A', "F", 0, 0x40, 0, 'A', "B2", 0, 0x40, 0, 'A', "Z", 0, 0x40, 0,
                          'A', "K", 0, 0x40}),
                   true, "txt1.500000TRUEFALSEkey1"},
        StringCase{"CodeWrongCloser", CODE, Bytes({0, 'A', "N", 0, 0x5C}), false, ""},
        StringCase{"CodeNameRunsToEnd", CODE, Bytes({0, 'A', "N"}), false, ""},
        StringCase{"CodeCloserCutOff", CODE, Bytes({0, 'A', "N", 0}), false, ""},
        StringCase{"CodeTextVariableOfChar", CODE, Bytes({0, 'B', "C", 0, 0x5C}), false, ""},
        StringCase{"CodeTextVariableMissing", CODE, Bytes({0, 'B', "X", 0, 0x5C}), true, ""},
        StringCase{"CodeTextNumberCutOff", CODE, Bytes({0, '>', 1, 2}), false, ""},
        StringCase{"CodeFieldWithoutLink", CODE, Bytes({"\"a\"", 0, '?', 3, "'b'"}), true, "ab"},
        StringCase{"CodeUnknownCode", CODE, Bytes({0, 0x40}), false, ""},
        StringCase{"CodeRefusesMarker", CODE, Bytes({1, 2, "N", 1, 2}), false, ""},
        StringCase{"CodeRefusesBareName", CODE, "N", false, ""},
        StringCase{"MarkerVariable", MARKER, Bytes({1, 2, "N", 1, 2, "'!'"}), true, "7!"},
        StringCase{"MarkerTextVariableOfDudch", MARKER, Bytes({1, 4, "K", 1, 4}), false, ""},
        StringCase{"MarkerTextNumberUnclosed", MARKER, Bytes({1, 3, 1, 0, 0, 0, 1}), false, ""},
        StringCase{"MarkerUnknownKind", MARKER, Bytes({1, 5, "x", 1, 5}), false, ""},
        StringCase{"MarkerRefusesCode", MARKER, Bytes({0, 'A', "N", 0, 0x40}), false, ""},
        StringCase{"PlainNames", PLAIN, "C + N \"-\" Nope F", true, "txt7-1.500000"},
        StringCase{"PlainRefusesCode", PLAIN, Bytes({0, 'A', "N", 0, 0x40}), false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- whole numbers ----

struct LongCase {
  const char* name;
  Form form;
  std::string expr;
  LONG result;  // kFail: the evaluation fails
};
void PrintTo(const LongCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.expr); }

class EvalLongTest : public EvaluatorTest, public ::testing::WithParamInterface<LongCase> {};

TEST_P(EvalLongTest, Evaluates) {
  const LongCase& c = GetParam();
  LONG result = -1;
  const BOOL ok = db().EvalLong(Buf(c.expr), result, Markers(c.form), Names(c.form), nullptr);
  EXPECT_EQ(ok, c.result != kFail ? TRUE : FALSE);
  if (c.result != kFail) {
    EXPECT_EQ(result, c.result);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EvalLongTest,
    ::testing::Values(LongCase{"NoPrecedence", CODE, "2+3*4", 20}, LongCase{"LeadingMinus", CODE, "-5", -5},
                      LongCase{"DivideByZero", CODE, "7/0", kFail}, LongCase{"OperatorLast", CODE, "2+", kFail},
                      LongCase{"DigitsThenLetter", PLAIN, "12a", kFail}, LongCase{"SecondNumberWins", CODE, "3 4", 4},
                      LongCase{"LaterOperatorReplaces", CODE, "9+*2", 18},
                      LongCase{"TruncatesTowardZero", CODE, "-7/2", -3},
                      LongCase{"WrapsInsteadOfTrapping", CODE, "2147483647+1", -2147483647 - 1},
                      LongCase{"SmallestByMinusOne", PLAIN, "0-2147483647-1/M", -2147483647 - 1},
                      // Digits beyond the 32-bit range hold at its limit, as atol reads them.
                      LongCase{"DigitsBeyondTheRange", CODE, "4294967297", 2147483647},
                      LongCase{"ManyDigitsBeyondTheRange", PLAIN, "99999999999999", 2147483647},
                      LongCase{"NegatedDigitsBeyondTheRange", CODE, "-4294967297", -2147483647},
                      LongCase{"Empty", PLAIN, "  ", 0},
                      LongCase{"CodeVariables", CODE, Bytes({0, 'A', "N", 0, 0x40, "*", 0, 'A', "D", 0, 0x40}), 8638},
                      LongCase{"CodeUnknownKeepsOperator", CODE, Bytes({"5-", 0, 'A', "X", 0, 0x40, "2"}), 3},
                      LongCase{"CodeOnlyVariables", CODE, Bytes({0, '>', 1, 0, 0, 0}), kFail},
                      LongCase{"CodeFloatVariableFails", CODE, Bytes({0, 'A', "F", 0, 0x40}), kFail},
                      LongCase{"MarkerVariable", MARKER, Bytes({1, 2, "N", 1, 2, "+1"}), 8},
                      LongCase{"MarkerFieldWithoutLink", MARKER, Bytes({"4+", 1, 14, 2, 1, 14}), 4},
                      LongCase{"MarkerFieldCutOff", MARKER, Bytes({1, 14, 2, 1}), kFail},
                      LongCase{"PlainNames", PLAIN, "N + 1 - Nope", 8},
                      LongCase{"PlainFloatFails", PLAIN, "F+1", kFail},
                      LongCase{"PlainNameMustStartWithLetter", PLAIN, "_N", kFail},
                      // A code is no follower of a number: it starts at a 0 byte.
                      LongCase{"CodeNumberThenCode", CODE, Bytes({"5", 0, 'A', "N", 0, 0x40}), kFail}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- floating point ----

struct FloatCase {
  const char* name;
  Form form;
  std::string expr;
  float result;  // kFail: the evaluation fails
};
void PrintTo(const FloatCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.expr); }

class EvalFloatTest : public EvaluatorTest, public ::testing::WithParamInterface<FloatCase> {};

TEST_P(EvalFloatTest, Evaluates) {
  const FloatCase& c = GetParam();
  float result = -1;
  const BOOL ok = db().EvalFloat(Buf(c.expr), result, Markers(c.form), Names(c.form), nullptr);
  EXPECT_EQ(ok, c.result != kFail ? TRUE : FALSE);
  if (c.result != kFail) {
    EXPECT_FLOAT_EQ(result, c.result);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EvalFloatTest,
    ::testing::Values(FloatCase{"Product", CODE, "1.5*2", 3.0F}, FloatCase{"DivideByZero", CODE, "1/0", kFail},
                      FloatCase{"DivideByZeroPointZero", PLAIN, "1/0.0", kFail},
                      FloatCase{"LeftToRight", PLAIN, "1+.5*4", 6.0F}, FloatCase{"Negative", CODE, "-2.25", -2.25F},
                      FloatCase{"CodeFloatVariable", CODE, Bytes({0, 'A', "F", 0, 0x40, "/3"}), 0.5F},
                      FloatCase{"CodeLongVariableFails", CODE, Bytes({0, 'A', "N", 0, 0x40}), kFail},
                      FloatCase{"MarkerVariable", MARKER, Bytes({1, 2, "F", 1, 2, "+", 1, 2, "U", 1, 2}), 1.5F},
                      FloatCase{"PlainDudFails", PLAIN, "D", kFail}, FloatCase{"DigitsThenName", PLAIN, "1F", kFail},
                      FloatCase{"CodeNumberThenCode", CODE, Bytes({"1.5", 0, 'A', "F", 0, 0x40}), kFail}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- truth values ----

struct BoolCase {
  const char* name;
  Form form;
  std::string expr;
  int result;  // kFail: the evaluation fails
};
void PrintTo(const BoolCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.expr); }

class EvalBoolTest : public EvaluatorTest, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(EvalBoolTest, Evaluates) {
  const BoolCase& c = GetParam();
  BOOL result = -1;
  const BOOL ok = db().EvalBool(Buf(c.expr), result, Markers(c.form), Names(c.form), nullptr);
  EXPECT_EQ(ok, c.result != kFail ? TRUE : FALSE);
  if (c.result != kFail) {
    EXPECT_EQ(result, c.result);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EvalBoolTest,
    ::testing::Values(
        BoolCase{"True", CODE, "TRUE", 1}, BoolCase{"NotTrue", CODE, "!TRUE", 0},
        BoolCase{"And", CODE, "TRUE & FALSE", 0}, BoolCase{"Or", MARKER, "FALSE | TRUE", 1},
        BoolCase{"OperatorLast", CODE, "TRUE &", kFail}, BoolCase{"NegationLast", CODE, "TRUE & !", kFail},
        BoolCase{"WrongOperator", CODE, "TRUE +", kFail}, BoolCase{"LowerCaseWordFails", CODE, "true", kFail},
        BoolCase{"Empty", CODE, "", 0},
        // The negation belongs to the operand behind it, not to the result so far.
        BoolCase{"NegatesOnlyItsOperand", CODE, "TRUE & !FALSE", 1},
        BoolCase{"NegatedFalseOrFalse", CODE, "FALSE | !FALSE", 1},
        BoolCase{"DoubleNegation", PLAIN, "!!B", 1},
        // Any non-zero value is true.
        BoolCase{"TwoIsTrue", CODE, Bytes({"TRUE & ", 0, 'A', "B2", 0, 0x40}), 1},
        BoolCase{"CodeZero", CODE, Bytes({0, 'A', "Z", 0, 0x40, "|TRUE"}), 1},
        BoolCase{"CodeLongFails", CODE, Bytes({0, 'A', "N", 0, 0x40}), kFail},
        BoolCase{"CodeBareNameFails", CODE, "B", kFail},
        BoolCase{"MarkerVariable", MARKER, Bytes({"!", 1, 2, "B", 1, 2}), 0},
        BoolCase{"MarkerFieldWithoutLinkIsEmpty", MARKER, Bytes({1, 14, 1, 1, 14}), 0},
        BoolCase{"PlainVariable", PLAIN, "B", 1}, BoolCase{"PlainNegatedVariable", PLAIN, "!B", 0},
        BoolCase{"UnknownKeepsOperatorAndNegation", PLAIN, "TRUE & ! Nope Z", 1},
        BoolCase{"DeclaredIsUnknown", CODE, Bytes({"TRUE|", 0, 'A', "Decl", 0, 0x40}), 1},
        BoolCase{"WordNeedsSeparator", PLAIN, "B!Z", kFail},
        BoolCase{"CodeWordThenCode", CODE, Bytes({"TRUE", 0, 'A', "B", 0, 0x40}), kFail}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Texts of the data dictionaries and fields of a record, read through the
// data manager.
class EvalSourcesTest : public EvaluatorTest {
 protected:
  void SetUp() override {
    EvaluatorTest::SetUp();
    OpenTexts(theGlobals.m_datadud, "duden.ddm",
              "dictionary\nlanguage \"D\"\n1234 = \"Zylinderkopf\"\n-2 = \"minus\"\n");
    OpenTexts(theGlobals.m_datachdud, "dudench.ddm",
              "dictionary\nlanguage \"D\"\n\"key1\" = \"Ventil\"\n\"K2\" = \"Dichtung\"\n");
    std::string error;
    const std::string path = dataFolder / "cat.ddm";
    ASSERT_TRUE(ddm::BuildDdmFile("database\nfields 3\nrecord \"A100\"\n1 = \"12\"\n2 = \"Bolzen\"\n"
                                  "record \"A100\"\n1 = \"30\"\n",
                                  "cat.ddm.txt", path, &error))
        << error;
    link.dbc = new DdmDatabase;
    ASSERT_TRUE(link.dbc->DdmDbOpen(path.c_str()));
    link.max_lines = link.dbc->DdmDbFindKey("A100");
    link.cur_line = 1;
  }
  void TearDown() override {
    link.dbc->DdmDbDelete(1);
    EvaluatorTest::TearDown();
  }
  DdmDbLink link;
};

const std::string kNumber1234 = Bytes({0xD2, 0x04, 0, 0});

struct SourceCase {
  const char* name;
  Form form;
  std::string expr;
  const char* result;
};
void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.name << ": " << Readable(c.expr); }

class EvalStringSourcesTest : public EvalSourcesTest, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(EvalStringSourcesTest, ReadsDictionariesAndFields) {
  const SourceCase& c = GetParam();
  CString result;
  EXPECT_TRUE(db().EvalString(Buf(c.expr), result, Markers(c.form), Names(c.form), &link));
  EXPECT_STREQ(result, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EvalStringSourcesTest,
    ::testing::Values(
        // The text number is exactly four bytes: what follows is read.
        SourceCase{"CodeTextNumber", CODE, Bytes({0, '>'}) + kNumber1234 + "'x'", "Zylinderkopfx"},
        SourceCase{"CodeNegativeNumber", CODE, Bytes({0, '>', 0xFE, 0xFF, 0xFF, 0xFF}), "minus"},
        SourceCase{"CodeTextVariableDud", CODE, Bytes({0, 'B', "D", 0, 0x5C}), "Zylinderkopf"},
        SourceCase{"CodeTextVariableDudch", CODE, Bytes({0, 'B', "K", 0, 0x5C}), "Ventil"},
        SourceCase{"CodeTextKey", CODE, Bytes({0, '~', "K2", 0, 0x7F}), "Dichtung"},
        SourceCase{"CodeFieldOfHitZero", CODE, Bytes({0, '?', 2}), "Bolzen"},
        SourceCase{"MarkerTextNumber", MARKER, Bytes({1, 3}) + kNumber1234 + Bytes({1, 3}), "Zylinderkopf"},
        SourceCase{"MarkerTextVariableDud", MARKER, Bytes({1, 4, "D", 1, 4}), "Zylinderkopf"},
        SourceCase{"MarkerTextKey", MARKER, Bytes({1, 10, "K2", 1, 10}), "Dichtung"},
        SourceCase{"MarkerFieldOfCurrentHit", MARKER, Bytes({1, 14, 1, 1, 14, "'/'", 1, 14, 2, 1, 14}), "30/"},
        SourceCase{"PlainDictionaryVariables", PLAIN, "D \" \" K", "Zylinderkopf Ventil"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EvalSourcesTest, FieldTextsCountInNumbersAndTruthValues) {
  LONG number = 0;
  EXPECT_TRUE(db().EvalLong(Buf(Bytes({"1+", 1, 14, 1, 1, 14})), number, TRUE, FALSE, &link));
  EXPECT_EQ(number, 31);
  float real = 0;
  EXPECT_TRUE(db().EvalFloat(Buf(Bytes({1, 14, 1, 1, 14, "/4"})), real, TRUE, FALSE, &link));
  EXPECT_FLOAT_EQ(real, 7.5F);
  BOOL truth = TRUE;
  EXPECT_TRUE(db().EvalBool(Buf(Bytes({1, 14, 2, 1, 14})), truth, TRUE, FALSE, &link));  // empty field
  EXPECT_EQ(truth, FALSE);
  link.cur_line = 0;
  EXPECT_TRUE(db().EvalBool(Buf(Bytes({1, 14, 2, 1, 14})), truth, TRUE, FALSE, &link));
  EXPECT_EQ(truth, TRUE);
}

}  // namespace
