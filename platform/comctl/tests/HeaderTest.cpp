#include <gtest/gtest.h>

#include <vector>

#include "comctl/tests/ListTestParent.h"

namespace {

using layer::testing::Heard;
using layer::testing::TestParent;

class HeaderTest : public ::testing::Test {
 protected:
  void Make(DWORD style) {
    header = parent.Child(WC_HEADER, style, RECT{0, 0, 300, 24}, 7);
    ASSERT_NE(header, nullptr);
    for (int width : {80, 0, 60}) {
      HDITEM item{};
      item.mask = HDI_WIDTH | HDI_TEXT;
      item.cxy = width;
      item.pszText = const_cast<LPSTR>("Titel");
      SendMessage(header, HDM_INSERTITEM, 99, reinterpret_cast<LPARAM>(&item));  // appended
    }
  }
  void Mouse(UINT message, int x) { SendMessage(header, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 5)); }

  TestParent parent;
  HWND header = nullptr;
};

TEST_F(HeaderTest, HitTestFindsItemsAndDividers) {
  Make(HDS_BUTTONS);
  struct Case {
    const char* name;
    POINT at;
    int item;
    UINT flags;
  };
  // The second item is zero wide: its divider lies on the first's and wins.
  const Case cases[] = {
      {"inside the first", {40, 5}, 0, HHT_ONHEADER},
      {"on the shared divider", {81, 5}, 1, HHT_ONDIVIDER},
      {"inside the third", {120, 5}, 2, HHT_ONHEADER},
      {"on the last divider", {140, 5}, 2, HHT_ONDIVIDER},
      {"after the items", {250, 5}, -1, HHT_NOWHERE},
      {"below", {40, 40}, -1, HHT_BELOW},
      {"left of it", {-5, 5}, -1, HHT_TOLEFT},
  };
  for (const Case& test : cases) {
    HDHITTESTINFO hit{};
    hit.pt = test.at;
    EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), test.item) << test.name;
    EXPECT_EQ(hit.flags, test.flags) << test.name;
  }
}

TEST_F(HeaderTest, LayoutTakesTheHeadersHeightOffTheTop) {
  Make(HDS_BUTTONS);
  RECT area{5, 10, 205, 110};
  WINDOWPOS place{};
  HDLAYOUT layout{&area, &place};
  ASSERT_TRUE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_GT(place.cy, 10);
  EXPECT_EQ(place.x, 5);
  EXPECT_EQ(place.y, 10);
  EXPECT_EQ(place.cx, 200);
  EXPECT_EQ(area.top, 10 + place.cy);
  HDLAYOUT empty{};
  EXPECT_FALSE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&empty)));
}

TEST_F(HeaderTest, WithoutFullDragTheItemChangesAtTheEnd) {
  Make(HDS_BUTTONS);
  Mouse(WM_LBUTTONDOWN, 140);
  Mouse(WM_MOUSEMOVE, 150);
  Mouse(WM_LBUTTONUP, 170);
  EXPECT_EQ(parent.heard, (std::vector<Heard>{{HDN_BEGINTRACK, 2, 0, 60},
                                              {HDN_TRACK, 2, 0, 70},
                                              {HDN_ENDTRACK, 2, 0, 90},
                                              {HDN_ITEMCHANGING, 2, 0, 90},
                                              {HDN_ITEMCHANGED, 2, 0, 90}}));
  HDITEM item = {};
  item.mask = HDI_WIDTH;
  ASSERT_TRUE(SendMessage(header, HDM_GETITEM, 2, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.cxy, 90);

  // A divider dragged past its item's left edge leaves the item empty.
  Mouse(WM_LBUTTONDOWN, 170);
  Mouse(WM_LBUTTONUP, 10);
  SendMessage(header, HDM_GETITEM, 2, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.cxy, 0);
}

}  // namespace
