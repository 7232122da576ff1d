#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "Main/FrameSet.h"

namespace {

struct MetricsCase {
  const char* name;
  int barWidth;
  BOOL shared;
  SplitterMetrics expected;
};

class SplitterMetricsTest : public ::testing::TestWithParam<MetricsCase> {};

TEST_P(SplitterMetricsTest, FollowBarWidthAndSharedBorders) {
  const MetricsCase& c = GetParam();
  FrameSet set(FRAMESET_ROWS);
  set.m_bar_width = c.barWidth;
  set.m_shared_border = c.shared;
  const SplitterMetrics m = set.Metrics();
  EXPECT_EQ(m.borderShare, c.expected.borderShare);
  EXPECT_EQ(m.border, c.expected.border);
  EXPECT_EQ(m.splitterSize, c.expected.splitterSize);
  EXPECT_EQ(m.splitterGap, c.expected.splitterGap);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitterMetricsTest,
                         ::testing::Values(MetricsCase{"NoBarPanesTouch", 0, FALSE, {-2, 2, 4, 0}},
                                           MetricsCase{"NoBarSharedBorders", 0, TRUE, {0, 2, 4, 4}},
                                           MetricsCase{"Bar3", 3, FALSE, {-2, 2, 7, 3}},
                                           MetricsCase{"Bar3SharedBorders", 3, TRUE, {0, 2, 7, 7}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Request {
  int size;
  BOOL percent;
};

struct SizingCase {
  const char* name;
  int orientation;
  int barWidth;
  BOOL shared;
  std::vector<Request> panes;
  CSize available;
  std::vector<int> expected;  // computed sizes along the orientation
};

class PaneSizingTest : public ::testing::TestWithParam<SizingCase> {};

TEST_P(PaneSizingTest, ComputesSizesAlongAndAcross) {
  const SizingCase& c = GetParam();
  FrameSet set(c.orientation);
  set.m_bar_width = c.barWidth;
  set.m_shared_border = c.shared;
  for (const Request& r : c.panes) set.AddPane(r.size, r.percent);
  set.CalcPaneSizes(c.available);
  std::vector<int> along;
  for (const FramePane& pane : set.m_panes) {
    along.push_back(set.Along(pane.computed));
    // Across the orientation every pane takes the whole space.
    EXPECT_EQ(set.IsRows() ? pane.computed.cx : pane.computed.cy, set.IsRows() ? c.available.cx : c.available.cy);
  }
  EXPECT_EQ(along, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PaneSizingTest,
    ::testing::Values(
        // Percentages are of what the bars leave: 400 - 6.
        SizingCase{"PercentOfTheSpaceLessBars", FRAMESET_COLUMNS, 2, TRUE,
                   {{30, TRUE}, {70, TRUE}}, {400, 300}, {118, 276}},
        SizingCase{"RestAfterPixelsAndBars", FRAMESET_ROWS, 0, TRUE,
                   {{100, FALSE}, {-1, FALSE}}, {300, 400}, {100, 296}},
        SizingCase{"AllThreeKinds", FRAMESET_ROWS, 0, TRUE,
                   {{200, FALSE}, {30, TRUE}, {-1, FALSE}}, {500, 600}, {200, 178, 214}},
        SizingCase{"OnlyTheFirstRestPane", FRAMESET_COLUMNS, 0, TRUE,
                   {{-1, FALSE}, {-1, FALSE}}, {400, 100}, {396, -1}},
        SizingCase{"NoGapWithoutSharedBorders", FRAMESET_COLUMNS, 0, FALSE,
                   {{200, FALSE}, {-1, FALSE}}, {500, 100}, {200, 300}},
        SizingCase{"NoRoomLeftForTheRest", FRAMESET_ROWS, 0, TRUE,
                   {{300, FALSE}, {300, FALSE}, {-1, FALSE}}, {100, 400}, {300, 300, -1}},
        SizingCase{"RestPercentageIsTheRest", FRAMESET_ROWS, 0, FALSE,
                   {{-1, TRUE}, {50, TRUE}}, {100, 400}, {200, 200}},
        SizingCase{"BarsWiderThanTheSpace", FRAMESET_COLUMNS, 10, TRUE,
                   {{50, TRUE}, {50, TRUE}, {50, TRUE}}, {20, 20}, {0, 0, 0}},
        SizingCase{"HugeRequestsAreHeldToInt", FRAMESET_COLUMNS, 0, TRUE,
                   {{INT_MAX, TRUE}, {INT_MAX, FALSE}, {-1, FALSE}}, {INT_MAX, 10}, {INT_MAX, INT_MAX, -1}},
        SizingCase{"NoPanes", FRAMESET_ROWS, 0, TRUE, {}, {100, 100}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameSet, FixedBarsByTheSplittersHitCodes) {
  FrameSet rows(FRAMESET_ROWS);
  for (int i = 0; i < 3; ++i) rows.AddPane(-1, FALSE);
  rows.m_panes[1].fixedBar = 1;
  EXPECT_TRUE(rows.IsFixedBar(102));
  EXPECT_FALSE(rows.IsFixedBar(101));
  EXPECT_FALSE(rows.IsFixedBar(202)) << "a bar between columns in a rows frame set";
  EXPECT_FALSE(rows.IsFixedBar(104));
  EXPECT_FALSE(rows.IsFixedBar(100));

  FrameSet columns(FRAMESET_COLUMNS);
  columns.AddPane(-1, FALSE);
  columns.AddPane(-1, FALSE);
  columns.m_panes[0].fixedBar = -1;
  EXPECT_TRUE(columns.IsFixedBar(201));
  EXPECT_FALSE(columns.IsFixedBar(101));
}

TEST(FrameSet, RowsAndColumnsOfTheSplitter) {
  FrameSet rows(FRAMESET_ROWS);
  FrameSet columns(FRAMESET_COLUMNS);
  for (int i = 0; i < 3; ++i) {
    rows.AddPane(-1, FALSE);
    columns.AddPane(-1, FALSE);
  }
  EXPECT_EQ(rows.GetRowCount(), 3);
  EXPECT_EQ(rows.GetColumnCount(), 1);
  EXPECT_EQ(columns.GetRowCount(), 1);
  EXPECT_EQ(columns.GetColumnCount(), 3);
  int row = 0;
  int column = 0;
  rows.PanePlace(2, row, column);
  EXPECT_EQ(row, 2);
  EXPECT_EQ(column, 0);
  columns.PanePlace(2, row, column);
  EXPECT_EQ(row, 0);
  EXPECT_EQ(column, 2);
  columns.PanePlace(-1, row, column);
  EXPECT_EQ(row, -1);
  EXPECT_EQ(column, -1);
}

}  // namespace
