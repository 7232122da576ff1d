// Field words and inline picture escapes of frame texts.
#include <gtest/gtest.h>

#include "PageFixture.h"
#include "VodContext.h"
#include "VodFieldWords.h"
#include "win32/Clock.h"

namespace vod {
namespace {

class FieldWords : public testing::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    m_clock.SetLocalTime(SYSTEMTIME{2001, 3, 1, 5, 9, 7, 0, 0});
  }
  layer::ManualClock m_clock;
  layer::ScopedClock m_scoped{m_clock};
};

TEST_F(FieldWords, AreReplacedByTheirValues) {
  VodCounters& counters = m_context->counters;
  counters.lp = 7;
  counters.sp = 2;
  counters.pp = 12;
  counters.cp = 1234;
  counters.dp = 5;
  struct Case {
    const char* text;
    const char* expanded;
  } cases[] = {
      {"%DATE1%", "05.03.2001"}, {"%DATE2%", "05-03-2001"}, {"%time%", " 9:07"},  {"%DAY1%-%DAY2%", "5-05"},
      {"%MONTH1%%MONTH2%", "303"}, {"%YEAR1% %YEAR2%", "2001 01"}, {"%LP1%|%LP2%|%LP3%", "7|07|007"},
      {"%SP3% %PP1% %CP2% %DP3%", "002 12 1234 005"}, {"Version %VER%", "Version 3.50hw"},
      // Words that are no field words, and lone percent signs, stay.
      {"%NOWORD% and %LP1%", "%NOWORD% and 7"}, {"50% of %LP1%", "50% of %LP1%"}, {"rest %LP1", "rest %LP1"},
      {"%%", "%%"}, {"%SYMBOL TIFF a.tif%", "%SYMBOL TIFF a.tif%"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandFieldWords(*m_context, c.text), c.expanded) << c.text;
}

TEST_F(FieldWords, TheFormWordNamesThePrintedFormWithDoubledBackslashes) {
  m_context->firstFormName = "C:\\forms\\even.frm";
  m_context->secondFormName = "C:\\forms\\odd.frm";
  struct Case {
    int formMode;
    LONG pp;
    const char* name;
  } cases[] = {{1, 1, "C:\\\\forms\\\\even.frm"},
               {2, 1, "C:\\\\forms\\\\odd.frm"},
               {2, 2, "C:\\\\forms\\\\even.frm"},
               {3, 1, "C:\\\\forms\\\\odd.frm"}};
  for (const Case& c : cases) {
    m_context->formMode = c.formMode;
    m_context->counters.pp = c.pp;
    EXPECT_EQ(ExpandFieldWords(*m_context, "%FORMULAR%"), c.name) << c.formMode << "/" << c.pp;
  }
}

struct EscapeCase {
  const char* name;
  std::string text;
  std::string replaced;
  std::vector<SymbolRecord> symbols;  // position, width, height, percent, plain, file, kind, factor, trans
  std::vector<int> targets;           // heights the pictures were fitted to
};

void PrintTo(const EscapeCase& c, std::ostream* out) { *out << c.name; }

class SymbolEscapes : public testing::PageFixture, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(SymbolEscapes, BecomeAtSignsWithTheirPictures) {
  const EscapeCase& c = GetParam();
  m_pictures->symbolWidth = 9;
  m_pictures->symbolHeight = 19;
  m_pictures->symbolPercent = 50;
  std::string text = c.text;
  Symbols symbols = ParseSymbolEscape(*m_context, text, 40);
  EXPECT_EQ(text, c.replaced);
  ASSERT_EQ(symbols.size(), c.symbols.size());
  for (size_t i = 0; i < symbols.size(); ++i) {
    const SymbolRecord &got = symbols[i], &want = c.symbols[i];
    EXPECT_EQ(got.position, want.position) << i;
    EXPECT_EQ(got.width, want.width) << i;
    EXPECT_EQ(got.height, want.height) << i;
    EXPECT_EQ(got.percent, want.percent) << i;
    EXPECT_EQ(got.plain, want.plain) << i;
    EXPECT_EQ(got.file, want.file) << i;
    EXPECT_EQ(got.kind, want.kind) << i;
    EXPECT_EQ(got.factor, want.factor) << i;
    EXPECT_EQ(got.trans, want.trans) << i;
  }
  EXPECT_EQ(m_pictures->symbolTargets, c.targets);
}

// A picture of 9 × 19 at 50 percent with the factor 10 takes 1 + 9 and 1 + 19.
INSTANTIATE_TEST_SUITE_P(
    , SymbolEscapes,
    ::testing::Values(
        EscapeCase{"Plain", "a %SYMBOL TIFF logo.tif% b", "a @ b", {{2, 10, 20, 50, true, "logo.tif", 0, 10, false}},
                   {0}},
        EscapeCase{"AllOptions",
                   "%symbol TRANS LINE FAKTOR15 CAP \"my pic.cap\"%x",
                   "@x",
                   {{0, 0, 30, 75, false, "my pic.cap", 3, 15, true}},
                   {40}},
        EscapeCase{"FactorAsAWordAndTwoPictures",
                   "%SYMBOL FAKTOR 20 CA3 a.ca3%%SYMBOL CA4 b.ca4 %",
                   "@@",
                   {{0, 20, 40, 100, false, "a.ca3", 4, 20, false}, {1, 10, 20, 50, true, "b.ca4", 5, 10, false}},
                   {40, 0}},
        EscapeCase{"MalformedEscapesStay",
                   "%SYMBOL PNG x.png% %SYMBOL TIFF% %SYMBOLTIFF y% %SYMBOL TIFF open",
                   "%SYMBOL PNG x.png% %SYMBOL TIFF% %SYMBOLTIFF y% %SYMBOL TIFF open",
                   {},
                   {}}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

TEST_F(FieldWords, AtMostTwentyPicturesAreTakenFromOneText) {
  std::string text;
  for (int i = 0; i < 21; ++i) text += "%SYMBOL TIFF s%";
  Symbols symbols = ParseSymbolEscape(*m_context, text, 40);
  EXPECT_EQ(symbols.size(), 20u);
  EXPECT_EQ(text, std::string(20, '@') + "%SYMBOL TIFF s%");
  EXPECT_EQ(symbols.back().position, 19u);
}

}  // namespace
}  // namespace vod
