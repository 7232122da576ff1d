#include <gtest/gtest.h>

#include "Main/CDynLog.h"
#include "Main/tests/Bytes.h"

using varno::testing::Buf;
using varno::testing::Str;

namespace {

// Entries P~1 .. P~4 with data "d1" .. "d4"; P~2 is a chapter entry.
class CDynLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    history.AddEntry("P~1", Buf("d1"), 0, 7);
    history.AddEntry("P~2", Buf("d2"), 1, 0);
    history.AddEntry("P~3", Buf(""), 0, 0);
    history.AddEntry("P~4", Buf("d4"), 0, 1);
  }
  CDynLog history;
  CString name;
  CDynBuf data;
};

TEST_F(CDynLogTest, NumbersFollowTheDepthAcrossPops) {
  EXPECT_EQ(history.GetCount(), 4);
  EXPECT_TRUE(history.Pop(name, data));
  EXPECT_STREQ(name, "P~4");
  EXPECT_EQ(Str(data), "d4");
  EXPECT_EQ(history.GetCount(), 3);
  history.AddEntry("P~5", Buf("d5"), 0, 0);
  EXPECT_EQ(history.Entries().back().number, 4);
  EXPECT_EQ(history.GetCount(), 4);
}

TEST_F(CDynLogTest, AllDataRunsNewestFirstAndSkipsEmptyBlocks) {
  history.GetAllData(data);
  EXPECT_EQ(Str(data), "d4d2d1");
  EXPECT_EQ(history.GetCount(), 4);
}

TEST_F(CDynLogTest, PopToMarkCollectsDownToTheChapter) {
  EXPECT_TRUE(history.PopToMark(name, data));
  EXPECT_STREQ(name, "P~2");
  EXPECT_EQ(Str(data), "d4d2");
  EXPECT_EQ(history.GetCount(), 1);
  EXPECT_FALSE(history.PopToMark(name, data));  // no chapter left
  EXPECT_STREQ(name, "");
  EXPECT_EQ(Str(data), "d1");
  EXPECT_EQ(history.GetCount(), 1);
}

struct PopToNameCase {
  const char* wanted;
  BOOL found;
  const char* data;
  int countAfter;
};
void PrintTo(const PopToNameCase& c, std::ostream* os) { *os << "PopToName(\"" << c.wanted << "\")"; }

class PopToNameTest : public CDynLogTest, public ::testing::WithParamInterface<PopToNameCase> {};

TEST_P(PopToNameTest, PopsToTheNewestEntryOfThatName) {
  const PopToNameCase& c = GetParam();
  EXPECT_EQ(history.PopToName(c.wanted, data), c.found);
  EXPECT_EQ(Str(data), c.data);
  EXPECT_EQ(history.GetCount(), c.countAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, PopToNameTest,
                         ::testing::Values(PopToNameCase{"P~1", TRUE, "d4d2d1", 0},
                                           PopToNameCase{"P~3", TRUE, "d4", 2},
                                           PopToNameCase{"p~3", FALSE, "d4d2d1", 4},
                                           PopToNameCase{"X", FALSE, "d4d2d1", 4}));

TEST(CDynLogEmptyTest, PopsOfAnEmptyHistoryFail) {
  CDynLog history;
  CString name = "old";
  CDynBuf data = Buf("old");
  EXPECT_FALSE(history.Pop(name, data));
  EXPECT_STREQ(name, "");
  EXPECT_EQ(data.GetLength(), 0);
  EXPECT_FALSE(history.PopToName("P~1", data));
  EXPECT_EQ(history.GetCount(), 0);
  history.AddEntry("P~1", Buf("x"), 1, 0);
  history.RemoveAll();
  EXPECT_EQ(history.GetCount(), 0);
}

}  // namespace
