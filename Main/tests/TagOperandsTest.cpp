#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

#include "Main/TagOperands.h"

namespace {

TEST(TagOperands, OperandLengthsOfTheScreenReaders) {
  struct Case {
    int code;
    int length;
  };
  // Where the screen's table differs from the engine's: 97, 102 and 103 have
  // operands, 129 has none, and 62 carries four bytes.
  const Case cases[] = {{10, 3},  {97, 3},  {102, 3}, {112, 3}, {18, 1},  {103, 1}, {170, 1}, {19, 2},
                        {136, 2}, {137, 2}, {31, 4},  {62, 4},  {129, 0}, {21, 0},  {0, 0},   {255, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(ScreenOperandLength(static_cast<unsigned char>(c.code)), c.length) << "code " << c.code;
  }
}

TEST(TagOperands, TextAndBlockTags) {
  for (int code : {2, 21, 26, 27, 72, 115, 118, 130, 140, 155, 156, 158}) {
    EXPECT_TRUE(IsScreenTextTag(static_cast<unsigned char>(code))) << code;
  }
  for (int code : {0, 24, 62, 71, 119, 120, 121, 157}) {
    EXPECT_FALSE(IsScreenTextTag(static_cast<unsigned char>(code))) << code;
  }
  struct Case {
    int code;
    unsigned char endTag;
    BOOL keepEnd;
  };
  for (const Case& c : {Case{68, '[', TRUE}, Case{125, '[', TRUE}, Case{119, 'x', FALSE}, Case{120, 'y', TRUE}}) {
    ScreenBlock block{};
    ASSERT_TRUE(IsScreenBlockTag(static_cast<unsigned char>(c.code), block)) << c.code;
    EXPECT_EQ(block.endTag, c.endTag) << c.code;
    EXPECT_EQ(block.keepEnd, c.keepEnd) << c.code;
  }
  ScreenBlock untouched{'?', 7};
  EXPECT_FALSE(IsScreenBlockTag(118, untouched));
  EXPECT_EQ(untouched.endTag, '?');
}

TEST(TagOperands, CellTags) {
  EXPECT_TRUE(IsCellOpen(34) && IsCellOpen(48));
  EXPECT_TRUE(IsCellClose(35) && IsCellClose(49));
  EXPECT_FALSE(IsCellOpen(35) || IsCellClose(34));
  EXPECT_EQ(CellKind(34), 1);
  EXPECT_EQ(CellKind(48), 2);
  EXPECT_EQ(CellKind(35), 0);
}

struct EntryCase {
  const char* name;
  const char* list;
  BOOL taken;
  int value;
  BOOL percent;
  const char* rest;
};

class SizeListEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(SizeListEntry, TakesTheFirstEntry) {
  const EntryCase& c = GetParam();
  std::string_view list(c.list);
  int value = 12345;
  BOOL percent = 7;
  EXPECT_EQ(TakeSizeListEntry(list, value, percent), c.taken);
  EXPECT_EQ(value, c.value);
  EXPECT_EQ(percent, c.percent);
  EXPECT_EQ(list, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SizeListEntry,
    ::testing::Values(EntryCase{"Pixels", "120", TRUE, 120, FALSE, ""},
                      EntryCase{"PercentBeforeTheComma", "30%,*", TRUE, 30, TRUE, "*"},
                      EntryCase{"RestAtTheEnd", "*", TRUE, -1, FALSE, ""},
                      EntryCase{"CommaFirstTakesNothing", ",5", FALSE, -1, FALSE, ",5"},
                      EntryCase{"Empty", "", FALSE, -1, FALSE, ""},
                      EntryCase{"WordIsTheRest", "a", TRUE, -1, FALSE, ""},
                      EntryCase{"BlanksAndSign", " -7,2", TRUE, -7, FALSE, "2"},
                      EntryCase{"PercentOnlyAtTheEnd", "5%0,1", TRUE, 5, FALSE, "1"},
                      EntryCase{"StarWithPercentIsARestPercentage", "*%", TRUE, -1, TRUE, ""},
                      EntryCase{"HugeNumberIsHeldToInt", "99999999999999,1", TRUE, INT_MAX, FALSE, "1"},
                      EntryCase{"HugeNegativeNumber", "-99999999999999", TRUE, INT_MIN, FALSE, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SizeSpec, WritesOnlyWhenAnEntryIsTaken) {
  int value = 5;
  BOOL percent = TRUE;
  EXPECT_FALSE(ReadSizeSpec(",40", value, percent));
  EXPECT_EQ(value, 5);
  EXPECT_EQ(percent, TRUE);
  EXPECT_TRUE(ReadSizeSpec("40", value, percent));
  EXPECT_EQ(value, 40);
  EXPECT_EQ(percent, FALSE);
  EXPECT_TRUE(ReadSizeSpec("75%", value, percent));
  EXPECT_EQ(value, 75);
  EXPECT_EQ(percent, TRUE);
}

}  // namespace
