#include <gtest/gtest.h>

#include <string>

#include "comctl/tests/ListTestParent.h"

namespace {

using layer::testing::TestParent;

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar = parent.Child(STATUSCLASSNAME, 0, RECT{0, 0, 0, 0}, 59393);
    ASSERT_NE(bar, nullptr);
  }
  LRESULT Send(UINT message, WPARAM wParam, const void* data) {
    return SendMessage(bar, message, wParam, reinterpret_cast<LPARAM>(data));
  }
  RECT PartRect(int part) {
    RECT rect{};
    EXPECT_TRUE(Send(SB_GETRECT, static_cast<WPARAM>(part), &rect)) << part;
    return rect;
  }

  TestParent parent;
  HWND bar = nullptr;
};

TEST_F(StatusBarTest, SitsAlongItsParentsBottom) {
  RECT own, area;
  GetWindowRect(bar, &own);
  GetClientRect(parent.handle, &area);
  POINT corner{own.left, own.top};
  ScreenToClient(parent.handle, &corner);
  EXPECT_EQ(corner.x, 0);
  EXPECT_EQ(corner.y + (own.bottom - own.top), area.bottom);
  EXPECT_EQ(own.right - own.left, area.right);
  EXPECT_GT(own.bottom - own.top, 10);
}

TEST_F(StatusBarTest, PartsEndWhereTheirOwnerSays) {
  const int rights[] = {100, 250, -1};
  EXPECT_TRUE(Send(SB_SETPARTS, 3, rights));
  int back[4] = {};
  EXPECT_EQ(Send(SB_GETPARTS, 4, back), 3);
  EXPECT_EQ(back[1], 250);
  EXPECT_EQ(back[2], -1);
  EXPECT_EQ(PartRect(0).left, 0);
  EXPECT_EQ(PartRect(0).right, 100);
  EXPECT_EQ(PartRect(1).left, 102);
  RECT client;
  GetClientRect(bar, &client);
  EXPECT_EQ(PartRect(2).right, client.right);

  EXPECT_TRUE(Send(SB_SETTEXT, 1 | SBT_NOBORDERS, "Teil"));
  char text[16] = {};
  const LRESULT answer = Send(SB_GETTEXT, 1, text);
  EXPECT_STREQ(text, "Teil");
  EXPECT_EQ(LOWORD(answer), 4);
  EXPECT_EQ(HIWORD(answer), SBT_NOBORDERS);
  EXPECT_EQ(LOWORD(Send(SB_GETTEXTLENGTH, 1, nullptr)), 4);

  // Parts that are not there.
  EXPECT_FALSE(Send(SB_SETTEXT, 3, "nie"));
  RECT rect{};
  EXPECT_FALSE(Send(SB_GETRECT, 7, &rect));
  EXPECT_FALSE(Send(SB_SETPARTS, 0, rights));
  EXPECT_FALSE(Send(SB_SETPARTS, 1000, rights));
}

TEST_F(StatusBarTest, TabsCentreOrRightAlignTheText) {
  const int rights[] = {300, -1};
  Send(SB_SETPARTS, 2, rights);
  struct Case {
    const char* name;
    const char* text;
    int from, to;  // where the ink must lie in the part
  };
  const Case cases[] = {
      {"left", "WW", 0, 60},
      {"centred", "\tWW", 120, 180},
      {"right", "\t\tWW", 240, 300},
  };
  for (const Case& test : cases) {
    Send(SB_SETTEXT, 0, test.text);
    UpdateWindow(bar);
    HDC dc = GetDC(bar);
    const RECT part = PartRect(0);
    int first = -1, last = -1;
    for (int x = part.left + 2; x < part.right - 2; ++x)
      for (int y = part.top + 2; y < part.bottom - 2; ++y)
        if (GetPixel(dc, x, y) == GetSysColor(COLOR_BTNTEXT)) {
          if (first < 0) first = x;
          last = x;
        }
    ReleaseDC(bar, dc);
    EXPECT_GE(first, test.from) << test.name;
    EXPECT_LE(last, test.to) << test.name;
  }
}

}  // namespace
