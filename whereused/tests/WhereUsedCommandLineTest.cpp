#include <gtest/gtest.h>

#include <string>

#include "whereused/WhereUsedCommandLine.h"

namespace {

struct LineCase {
  const char* name;
  const char* line;
  std::string ini, data, section, block, language, message;
  int column;
  BOOL caseSensitive;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name << ": " << c.line; }

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, TakesEachOptionsValue) {
  const LineCase& c = GetParam();
  WhereUsedCommandLine options;
  options.Parse(c.line);
  EXPECT_STREQ(options.ini, c.ini.c_str());
  EXPECT_STREQ(options.data, c.data.c_str());
  EXPECT_STREQ(options.section, c.section.c_str());
  EXPECT_STREQ(options.block, c.block.c_str());
  EXPECT_STREQ(options.language, c.language.c_str());
  EXPECT_STREQ(options.message, c.message.c_str());
  EXPECT_EQ(options.column, c.column);
  EXPECT_EQ(options.caseSensitive, c.caseSensitive);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(
        LineCase{"AsTheViewerStartsIt", " -D vnw.bin -P rm46.prj -S VNW -L D -M msg.dud -C 3 -MMF 71", "rm46.prj",
                 "vnw.bin", "VNW", "71", "D", "msg.dud", 3, FALSE},
        LineCase{"TabsSeparateToo", "-P\ta.ini\t-S\tX", "a.ini", "", "X", "", "", "", 0, FALSE},
        LineCase{"QuotedValueKeepsItsBlanks", "-P 'C:\\Program Files\\x.ini' -S A", "C:\\Program Files\\x.ini", "", "A",
                 "", "", "", 0, FALSE},
        LineCase{"QuotedValueEndsTheLine", "-S 'a b", "", "", "a b", "", "", "", 0, FALSE},
        LineCase{"QuoteInsideAWordIsDropped", "-D vnw'.bin -S x", "", "vnw.bin", "x", "", "", "", 0, FALSE},
        LineCase{"CaseSensitiveBeforeOtherOptions", "-GK -S x", "", "", "x", "", "", "", 0, TRUE},
        LineCase{"LastWordGKHasNoEffect", "-S x -GK", "", "", "x", "", "", "", 0, FALSE},
        LineCase{"OptionNamesCountCase", "-p a.ini -mmf 7 -S x", "", "", "x", "", "", "", 0, FALSE},
        LineCase{"UnknownOptionsWordsArePassedOver", "-X one two -S x", "", "", "x", "", "", "", 0, FALSE},
        LineCase{"OptionWithoutValueKeepsNone", "-P -S x", "", "", "x", "", "", "", 0, FALSE},
        LineCase{"ColumnAsAtoiReadsIt", "-C 12abc -S x", "", "", "x", "", "", "", 12, FALSE},
        LineCase{"ColumnNotANumber", "-C abc", "", "", "", "", "", "", 0, FALSE},
        LineCase{"LaterValueWins", "-S a -S b", "", "", "b", "", "", "", 0, FALSE},
        LineCase{"NameEndingTheLineIsNotCompared", "-S x -P", "", "", "x", "", "", "", 0, FALSE},
        LineCase{"EmptyLine", "", "", "", "", "", "", "", 0, FALSE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WhereUsedCommandLine, MissingOptionsAreNamedInTheirOrder) {
  struct Case {
    const char* line;
    const char* box;
  };
  const Case cases[] = {
      {"-D d -S s -L l -M m", "V4VNW.EXE -P varno4.ini !"}, {"-P p -D d -S s -M m", "V4VNW.EXE -L lang !"},
      {"-P p -D d -S s -L l", "V4VNW.EXE -M msg !"},        {"-P p -D d -L l -M m", "V4VNW.EXE -S section !"},
      {"-P p -S s -L l -M m", "V4VNW.EXE -D vnw.bin !"},    {"-M m -L l", "V4VNW.EXE -P varno4.ini !"},
  };
  for (const Case& c : cases) {
    WhereUsedCommandLine options;
    options.Parse(c.line);
    ASSERT_NE(options.MissingOption(), nullptr) << c.line;
    EXPECT_STREQ(options.MissingOption(), c.box) << c.line;
  }
  WhereUsedCommandLine complete;
  complete.Parse("-P p -D d -S s -L l -M m");
  EXPECT_EQ(complete.MissingOption(), nullptr);
}

}  // namespace
