#include <gtest/gtest.h>

#include <string>

#include "whereused/WhereUsedPaging.h"
#include "win32/UserTypes.h"

namespace {

struct ScrollCase {
  const char* name;
  UINT code;
  int thumb;
  int position;
  int expected;  // -1: unchanged
};
void PrintTo(const ScrollCase& c, std::ostream* os) { *os << c.name; }

class PagingTest : public ::testing::TestWithParam<ScrollCase> {};

// 50 hits, 10 rows a page.
TEST_P(PagingTest, MovesTheFirstShownHit) {
  const ScrollCase& c = GetParam();
  EXPECT_EQ(WhereUsedPaging::Scroll(c.code, c.thumb, c.position, 50, 10), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PagingTest,
    ::testing::Values(
        ScrollCase{"LineUp", SB_LINEUP, 0, 5, 4}, ScrollCase{"LineUpAtTheTop", SB_LINEUP, 0, 0, -1},
        ScrollCase{"LineDown", SB_LINEDOWN, 0, 39, 40}, ScrollCase{"LineDownOnTheLastPage", SB_LINEDOWN, 0, 40, -1},
        ScrollCase{"PageUp", SB_PAGEUP, 0, 10, 0}, ScrollCase{"PageUpLessThanAPage", SB_PAGEUP, 0, 9, -1},
        ScrollCase{"PageDown", SB_PAGEDOWN, 0, 29, 39}, ScrollCase{"PageDownTwoPagesLeft", SB_PAGEDOWN, 0, 30, -1},
        ScrollCase{"Thumb", SB_THUMBPOSITION, 17, 3, 17}, ScrollCase{"ThumbTracking", SB_THUMBTRACK, 23, 3, 23},
        ScrollCase{"Top", SB_TOP, 0, 30, 0}, ScrollCase{"BottomShowsTheLastPage", SB_BOTTOM, 0, 0, 40},
        ScrollCase{"EndScrollChangesNothing", SB_ENDSCROLL, 0, 12, -1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
