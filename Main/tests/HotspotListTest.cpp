#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/HotspotList.h"
#include "Main/tests/EngineFixture.h"

namespace {

using varno::testing::Buf;

class HotspotListTest : public varno::testing::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    list = HS_New();
  }
  void TearDown() override {
    HS_Delete(list);
    EngineFixture::TearDown();
  }
  struct Spot {
    std::string name;
    std::string link;
    RECT rect;
    int mode;
  };
  std::vector<Spot> Spots() {
    std::vector<Spot> spots;
    for (int i = 0; i < HS_GetNumberOfHotspots(list); ++i) {
      RECT rect{};
      CString* name = nullptr;
      CString* link = nullptr;
      BYTE mode = 0;
      HS_GetHotspot(list, i, &rect, &name, &link, &mode);
      spots.push_back({static_cast<const char*>(*name), static_cast<const char*>(*link), rect, mode});
    }
    return spots;
  }

  HS_HANDLE list = nullptr;
};

TEST_F(HotspotListTest, EntriesGiveModeRectangleAndName) {
  const std::string entries = std::string("P,-1,-1,-1,-1,Ganz,\0", 20) + std::string("L,10,20,30,40,7,x\0", 18) +
                              std::string("2,1,2,3,4,K,\0", 13) + std::string("Q,5,6,7,8,,", 11);
  EXPECT_EQ(ReadHotspotList(list, Buf(entries), CSize(200, 100)), 4);
  const auto spots = Spots();
  ASSERT_EQ(spots.size(), 4u);
  EXPECT_EQ(spots[0].name, "Ganz");
  EXPECT_EQ(spots[0].mode, 1);
  EXPECT_EQ(CRect(spots[0].rect), CRect(0, 0, 200, 100));
  EXPECT_EQ(spots[1].name, "7");
  EXPECT_EQ(spots[1].mode, 2);
  EXPECT_EQ(CRect(spots[1].rect), CRect(10, 20, 30, 40));
  EXPECT_EQ(spots[2].mode, 3);
  EXPECT_EQ(spots[3].mode, 0);
  EXPECT_EQ(spots[3].name, "");  // the last entry needs no closing NUL
  EXPECT_TRUE(dialog->shown.empty());
}

// An entry that cannot be read is reported with its number and the next is read.
TEST_F(HotspotListTest, UnreadableEntriesAreReportedAndSkipped) {
  const std::string entries = std::string("P,-1,-1,-1,-1,Offen\0", 20) + std::string("L,1,2,3\0", 8) +
                              std::string("\0", 1) + std::string("L,1,2,3,4,Gut,\0", 15);
  EXPECT_EQ(ReadHotspotList(list, Buf(entries), CSize(200, 100)), 1);
  ASSERT_EQ(Spots().size(), 1u);
  EXPECT_EQ(Spots()[0].name, "Gut");
  ASSERT_EQ(dialog->shown.size(), 3u);
  for (const auto& shown : dialog->shown) EXPECT_NE(shown.second.find("[514]"), std::string::npos);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(HotspotListTest, LongNamesAreCutToTheirSlots) {
  const std::string name(40, 'n');
  EXPECT_EQ(ReadHotspotList(list, Buf("L,1,2,3,4," + name + ","), CSize(10, 10)), 1);
  ASSERT_EQ(Spots().size(), 1u);
  EXPECT_EQ(Spots()[0].name, name.substr(0, 33));
  EXPECT_EQ(Spots()[0].link, name.substr(0, 26));
}

TEST_F(HotspotListTest, WithoutAHotspotListEveryReadableEntryIsReportedAs515) {
  EXPECT_EQ(ReadHotspotList(nullptr, Buf(std::string("L,1,2,3,4,A,\0L,1,2", 19)), CSize(10, 10)), 0);
  ASSERT_EQ(dialog->shown.size(), 2u);
  EXPECT_NE(dialog->shown[0].second.find("[515]"), std::string::npos);
  EXPECT_NE(dialog->shown[1].second.find("[514]"), std::string::npos);
}

// Only the hotspots that the tables know stay, in the colour of their rows.
TEST_F(HotspotListTest, LinkNamesKeepTheirHotspotsInTheirRowsColours) {
  const std::string entries = std::string("L,0,0,1,1,A,\0L,0,0,1,1,x,\0L,0,0,1,1,y,\0", 39) +
                              std::string("L,0,0,1,1,B,\0L,0,0,1,1,a,\0", 26);
  ASSERT_EQ(ReadHotspotList(list, Buf(entries), CSize(10, 10)), 5);
  CDynBuf flags;
  flags.Append('\x01');
  flags.Append('\x03');
  ApplyLinkNames(list, {"A", "B"}, flags);
  const auto spots = Spots();
  ASSERT_EQ(spots.size(), 2u);  // x, y next to each other and a (case differs) are gone
  EXPECT_EQ(spots[0].name, "A");
  EXPECT_EQ(spots[0].mode, 1);
  EXPECT_EQ(spots[1].name, "B");
  EXPECT_EQ(spots[1].mode, 3);
}

}  // namespace
