#include "orderlist/VatRateTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(VatRateTable, RatesShareTheLargestCountOfDecimals) {
  struct Case {
    std::vector<CString> texts;
    int decimals;
    std::vector<int64_t> rates;
  } cases[] = {
      {{"16", "7,5"}, 1, {160, 75}},
      {{"16", "7"}, 0, {16, 7}},
      {{"16.00", "7,5", "0"}, 2, {1600, 750, 0}},
      {{"1.2.3"}, 3, {123}},  // every separator goes, the first one counts the decimals
      {{"abc", "9x"}, 0, {0, 9}},
      {{}, 0, {}},
  };
  for (const auto& c : cases) {
    VatRateTable table = VatRateTable::FromTexts(c.texts);
    EXPECT_EQ(table.Decimals(), c.decimals);
    EXPECT_EQ(table.Rates(), c.rates);
  }
}

TEST(VatRateTable, ChangingARateMayWidenTheTable) {
  VatRateTable table = VatRateTable::FromTexts({"16", "7"});
  CString stored;
  EXPECT_EQ(table.ChangeRate(1, "7,5", stored), (std::vector<int>{0, 1}));  // both go to the parts-info window
  EXPECT_STREQ(stored, "7.5");
  EXPECT_EQ(table.Decimals(), 1);
  EXPECT_EQ(table.Rates(), (std::vector<int64_t>{160, 75}));

  EXPECT_EQ(table.ChangeRate(0, "16", stored), std::vector<int>{0});  // fewer decimals: zeros appended
  EXPECT_STREQ(stored, "16");
  EXPECT_EQ(table.Rate(0), 160);
  EXPECT_EQ(table.ChangeRate(0, "19,0", stored), std::vector<int>{0});
  EXPECT_EQ(table.Rate(0), 190);
  EXPECT_TRUE(table.ChangeRate(2, "5", stored).empty());  // no such rate
  EXPECT_EQ(table.Count(), 2);
  EXPECT_TRUE(table.HasGroup(1));
  EXPECT_FALSE(table.HasGroup(2));
}

TEST(VatRateTable, RatesHandedOverOneByOne) {
  struct Step {
    int64_t rate;
    int decimals, index, count;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    int decimals;
    std::vector<int64_t> rates;
  } cases[] = {
      {"more decimals widen the table", {{16, 0, 0, 3}, {75, 1, 1, 3}}, 1, {160, 75, 0}},
      {"fewer decimals are scaled up", {{75, 1, 0, 2}, {16, 0, 1, 2}}, 1, {75, 160}},
      {"an index beyond the table stores nothing", {{16, 0, 0, 3}, {9, 0, 5, 3}}, 0, {16, 0, 0}},
      {"a negative index stores nothing", {{16, 0, -1, 2}}, 0, {0, 0}},
      {"the first count fixes the size", {{16, 0, 0, 2}, {7, 0, 3, 5}}, 0, {16, 0}},
      {"no table without a count", {{16, 0, 0, 0}}, 0, {}},
  };
  for (const auto& c : cases) {
    VatRateTable table;
    for (const Step& step : c.steps) table.SetRate(step.rate, step.decimals, step.index, step.count);
    EXPECT_EQ(table.Decimals(), c.decimals) << c.name;
    EXPECT_EQ(table.Rates(), c.rates) << c.name;
  }
}

}  // namespace
