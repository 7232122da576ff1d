// The hotspot list as its callers reach it: through the exported functions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HotspotFixtures.h"
#include "interfaces/QridHtSp.h"

namespace {

class HotspotList : public testing::Test {
 protected:
  void TearDown() override { HS_Delete(list); }

  std::string NameAt(int index) {
    RECT rect;
    CString* text = nullptr;
    CString* text2 = nullptr;
    BYTE mode;
    return HS_GetHotspot(list, index, &rect, &text, &text2, &mode) ? std::string(*text) : "<none>";
  }

  HS_HANDLE list = HS_New();
};

TEST_F(HotspotList, SlotsAreSizedFirstAndFilledAfter) {
  EXPECT_EQ(HS_HotspotsExists(list), 0);
  EXPECT_EQ(HS_SetTotalNumber(list, 3), 1);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(HS_SetHotspot(list, i, i, 0, i + 10, 10, ("n" + std::to_string(i)).c_str(), nullptr, 0), 1);
  EXPECT_EQ(HS_SetHotspot(list, 3, 0, 0, 1, 1, "beyond", "", 0), 0);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 3);
  EXPECT_EQ(HS_HotspotsExists(list), 1);
  EXPECT_EQ(NameAt(2), "n2");

  // Shrinking drops the hotspots beyond the new count; growing adds empty slots.
  EXPECT_EQ(HS_SetTotalNumber(list, 1), 1);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 1);
  EXPECT_EQ(HS_SetTotalNumber(list, -1), 0);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 0);
  HS_AddHotspot(list, 1, 2, 3, 4, "after", nullptr, 7);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 1);
  EXPECT_EQ(NameAt(0), "after");
}

TEST_F(HotspotList, GetHotspotGivesPictureRectangleTextsAndModeByte) {
  HS_AddHotspot(list, 10, 20, 30, 40, "Name", "Link", 0x1FE);
  HS_SetImageSize(list, 100, 100);
  HS_Zoom(list, 50, 50);  // changes the display rectangle only
  RECT rect = {};
  CString* text = nullptr;
  CString* text2 = nullptr;
  BYTE mode = 0;
  ASSERT_EQ(HS_GetHotspot(list, 0, &rect, &text, &text2, &mode), 1);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.bottom, 40);
  EXPECT_EQ(*text, "Name");
  EXPECT_EQ(*text2, "Link");
  EXPECT_EQ(mode, 0xFE);
  EXPECT_EQ(HS_SetClrMode(list, 0, 0x305), 1);
  HS_GetHotspot(list, 0, &rect, &text, &text2, &mode);
  EXPECT_EQ(mode, 0x05);
}

TEST_F(HotspotList, BadIndexesChangeNothing) {
  HS_AddHotspot(list, 0, 0, 10, 10, "a", "", 0);
  HS_AddHotspot(list, 0, 0, 10, 10, "b", "", 0);
  for (int index : {-2, -1, 2, 1000}) {
    SCOPED_TRACE(index);
    RECT rect = {1, 2, 3, 4};
    CString* text = reinterpret_cast<CString*>(0x1);
    BYTE mode = 9;
    EXPECT_EQ(HS_GetHotspot(list, index, &rect, &text, &text, &mode), 0);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(text, reinterpret_cast<CString*>(0x1));
    EXPECT_EQ(mode, 9);
    EXPECT_EQ(HS_SetHotspot(list, index, 0, 0, 1, 1, "x", "", 0), 0);
    EXPECT_EQ(HS_DeleteHotspot(list, index), 0);
    EXPECT_EQ(HS_SetClrMode(list, index, 1), 0);
    EXPECT_EQ(HS_IsHotspotNrSelected(list, index), 0);
    if (index != -1) {
      EXPECT_EQ(HS_ActivateHotspotNr(list, index, 1, nullptr, 0, 0, nullptr), 0);
      EXPECT_EQ(HS_SelectHotspotNr(list, index, 1, nullptr, 0, 0, 0), 0);
      HS_EnableHotspotNr(list, index, 0);
    }
  }
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 2);
  EXPECT_EQ(HS_GetActiveHotspot(list), -1);
  EXPECT_EQ(HS_IsHotspotSelected(list, "a"), 0);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 5, 5, nullptr), 0);  // still enabled
}

TEST_F(HotspotList, DeleteMovesLaterHotspotsDown) {
  for (const char* name : {"a", "b", "c"}) HS_AddHotspot(list, 0, 0, 1, 1, name, "", 0);
  EXPECT_EQ(HS_DeleteHotspot(list, 1), 1);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 2);
  EXPECT_EQ(NameAt(0), "a");
  EXPECT_EQ(NameAt(1), "c");
  HS_DeleteHotspots(list);
  EXPECT_EQ(HS_GetNumberOfHotspots(list), 0);
  HS_AddHotspot(list, 0, 0, 1, 1, "again", "", 0);
  EXPECT_EQ(NameAt(0), "again");
}

TEST(HotspotLibrary, DeleteOfNullHandleDoesNothing) { HS_Delete(nullptr); }

TEST_F(HotspotList, HitTestOfRectanglesAndEllipses) {
  struct Case {
    int shape, x, y, hit;
  } cases[] = {
      {1, 10, 20, 0},   // left and top are inside
      {1, 29, 39, 0},   // last pixel inside
      {1, 30, 25, -1},  // right is outside
      {1, 15, 40, -1},  // bottom is outside
      {1, 9, 25, -1},
      {2, 20, 30, 0},   // the ellipse's centre
      {2, 10, 20, -1},  // a corner of its rectangle
      {2, 29, 39, -1},
      {2, 10, 30, 0},   // left end of the horizontal axis
      {2, 20, 20, 0},   // top end of the vertical axis
      {2, 27, 37, 0},   // 0.49 + 0.49 of the half-axes squared
      {2, 28, 38, -1},  // 0.64 + 0.64: inside the rectangle, outside the ellipse
  };
  HS_AddHotspot(list, 10, 20, 30, 40, "spot", "", 0);
  for (const Case& c : cases) {
    HS_DrawSettings(list, 1, c.shape, 1, 0, nullptr, nullptr);
    EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, c.x, c.y, nullptr), c.hit)
        << "shape " << c.shape << " at " << c.x << "," << c.y;
  }
}

TEST_F(HotspotList, AnEllipseWithoutHeightIsHitOnItsLine) {
  HS_DrawSettings(list, 1, 2, 1, 0, nullptr, nullptr);
  HS_AddHotspot(list, 10, 20, 30, 21, "line", "", 0);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 15, 20, nullptr), 0);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 15, 21, nullptr), -1);
}

TEST_F(HotspotList, NearestCentreWinsAndTheFirstOfEqualDistances) {
  HS_AddHotspot(list, 0, 0, 100, 100, "outer", "", 0);  // centre 50,50
  HS_AddHotspot(list, 10, 10, 30, 30, "inner", "", 0);  // centre 20,20
  HS_AddHotspot(list, 0, 0, 100, 100, "twin", "", 0);   // same as outer
  struct Case {
    int x, y, expected;
  } cases[] = {{22, 22, 1}, {28, 28, 1}, {45, 45, 0}, {36, 36, 0}, {150, 5, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, c.x, c.y, nullptr), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(HS_GetActiveHotspot(list), c.expected);
  }
}

TEST_F(HotspotList, OnlyThePickedHotspotStaysActive) {
  HS_AddHotspot(list, 0, 0, 10, 10, "a", "", 0);
  HS_AddHotspot(list, 20, 0, 30, 10, "b", "", 0);
  HS_ActivateHotspotNr(list, -1, 1, nullptr, 0, 0, nullptr);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 25, 5, nullptr), 1);
  EXPECT_EQ(HS_GetActiveHotspot(list), 1);
  EXPECT_EQ(HS_ClearHotspots(list, nullptr, 0, 0, nullptr), 2);
  EXPECT_EQ(HS_GetActiveHotspot(list), -1);
}

TEST_F(HotspotList, DisabledHotspotsAreNeverHitActiveOrSelected) {
  HS_AddHotspot(list, 0, 0, 10, 10, "a", "", 0);
  HS_SelectHotspotNr(list, 0, 1, nullptr, 0, 0, 0);
  HS_ActivateHotspotNr(list, 0, 1, nullptr, 0, 0, nullptr);
  HS_EnableHotspotNr(list, -1, 0);
  EXPECT_EQ(HS_IsHotspotNrSelected(list, 0), 0);
  EXPECT_EQ(HS_IsHotspotSelected(list, "a"), 0);
  EXPECT_EQ(HS_GetActiveHotspot(list), -1);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 5, 5, nullptr), -1);
  // Enabled again, the hotspot keeps the states it had.
  HS_EnableHotspot(list, "a", 1);
  EXPECT_EQ(HS_IsHotspotNrSelected(list, 0), 1);
  EXPECT_EQ(HS_GetActiveHotspot(list), 0);
}

TEST_F(HotspotList, NamesCompareByTheListsCaseRule) {
  HS_AddHotspot(list, 0, 0, 10, 10, "AB", "", 0);
  HS_AddHotspot(list, 0, 0, 10, 10, "\xC4rger", "", 0);  // Windows-1252 A umlaut
  HS_AddHotspot(list, 0, 0, 10, 10, "ab", "", 0);
  struct Case {
    int caseSensitive;
    const char* name;
    std::vector<int> reached;
  } cases[] = {
      {1, "AB", {0}},
      {1, "ab", {2}},
      {1, "\xE4rger", {}},
      {0, "ab", {0, 2}},
      {0, "\xE4RGER", {1}},
      {0, "a", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HS_CaseSensitive(list, c.caseSensitive), c.caseSensitive);
    HS_SelectHotspotNr(list, -1, 0, nullptr, 0, 0, 0);
    EXPECT_EQ(HS_SelectHotspot(list, c.name, 1, nullptr, 0, 0, 0), 1);
    std::vector<int> selected;
    for (int i = 0; i < 3; ++i)
      if (HS_IsHotspotNrSelected(list, i)) selected.push_back(i);
    EXPECT_EQ(selected, c.reached);
    EXPECT_EQ(HS_IsHotspotSelected(list, c.name), c.reached.empty() ? 0 : 1);
  }
}

TEST_F(HotspotList, EnableByNameWithoutCaseReachesUpperCaseName) {
  HS_AddHotspot(list, 0, 0, 10, 10, "AB", "", 0);
  HS_CaseSensitive(list, 0);
  HS_EnableHotspot(list, "ab", 0);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 5, 5, nullptr), -1);
}

TEST_F(HotspotList, ActivateByNameAndZoomClearsActive) {
  HS_AddHotspot(list, 0, 0, 10, 10, "x", "", 0);
  HS_AddHotspot(list, 0, 0, 10, 10, "y", "", 0);
  EXPECT_EQ(HS_ActivateHotspot(list, "y", 1, nullptr, 0, 0, nullptr), 1);
  EXPECT_EQ(HS_GetActiveHotspot(list), 1);
  HS_SetImageSize(list, 10, 10);
  HS_Zoom(list, 10, 10);
  EXPECT_EQ(HS_GetActiveHotspot(list), -1);
}

TEST_F(HotspotList, ZoomMapsPictureToDisplayAndScaleChangesThePicture) {
  HS_SetImageSize(list, 200, 100);
  HS_AddHotspot(list, 10, 10, 31, 50, "s", "", 0);
  EXPECT_EQ(HS_Zoom(list, 100, 300), 1);  // x halved (31 -> 15.5 -> 16), y tripled
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 5, 30, nullptr), 0);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 15, 149, nullptr), 0);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 16, 30, nullptr), -1);
  EXPECT_EQ(HS_OnMouseMove(list, nullptr, 0, 0, 0, 5, 29, nullptr), -1);

  EXPECT_EQ(HS_Scale(list, SIZE{400, 50}), 1);
  EXPECT_EQ(hotspots::testing::Contents(list), (std::vector<hotspots::testing::Spot>{{20, 5, 62, 25, "s", "", 0}}));
}

TEST_F(HotspotList, TextModeReturnsThePreviousMode) {
  EXPECT_EQ(HS_SetTextMode(list, 1), 0);
  EXPECT_EQ(HS_SetTextMode(list, 1), 1);
  EXPECT_EQ(HS_SetTextMode(list, 0), 1);
}

}  // namespace
