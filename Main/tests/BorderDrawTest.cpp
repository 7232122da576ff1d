// The borders of cells and tables, pixel by pixel.
#include <gtest/gtest.h>

#include "Main/BorderDraw.h"
#include "testing/MemoryCanvas.h"
#include "win32/UserWindows.h"

namespace {

using layer::testing::MemoryCanvas;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

TEST(BorderDraw, PlainStripsOverlapAtTheCornersAndEmptyOnesPaintNothing) {
  MemoryCanvas canvas(20, 20);
  CDC* dc = CDC::FromHandle(canvas.dc);
  Draw3dBorder(CRect(0, 0, 20, 20), dc, Sides{}, kRed, kRed, kRed, kRed);
  EXPECT_EQ(canvas.Count(kWhite), 400);
  DrawSideStrips(CRect(2, 2, 12, 12), dc, Sides{1, 2, 0, 1}, Sides{}, kRed);
  // Left 1 x 10, top 10 x 2, bottom 10 x 1, less the corners they share.
  EXPECT_EQ(canvas.Count(kRed), 10 + 20 + 10 - 2 - 1);
  EXPECT_EQ(GetPixel(canvas.dc, 11, 5), kWhite);
}

TEST(BorderDraw, AThreeDSideLeavesItsEdgeRoomAndTheEdgeShortensItsInnerLines) {
  MemoryCanvas canvas(20, 20);
  CDC* dc = CDC::FromHandle(canvas.dc);
  const CRect box(0, 0, 20, 20);
  DrawSideStrips(box, dc, Sides{0, 2, 0, 0}, Sides{1, 0, 0, 0}, kRed);
  // The plain top strip starts behind the left side's 2-pixel edge.
  EXPECT_EQ(GetPixel(canvas.dc, 1, 0), kWhite);
  EXPECT_EQ(GetPixel(canvas.dc, 2, 0), kRed);
  DrawRaisedBorder(box, dc, Sides{1, 1, 0, 0});
  EXPECT_EQ(GetPixel(canvas.dc, 0, 10), GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(GetPixel(canvas.dc, 1, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
  // The inner line stops a pixel short of the flagged top side.
  EXPECT_EQ(GetPixel(canvas.dc, 1, 0), GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(GetPixel(canvas.dc, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  DrawSunkenBorder(box, dc, Sides{0, 0, 1, 1});
  EXPECT_EQ(GetPixel(canvas.dc, 19, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetPixel(canvas.dc, 18, 10), GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(GetPixel(canvas.dc, 10, 19), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(BorderDraw, NormalisingNeverMovesTheTopLeft) {
  RECT rect{10, 20, 5, 30};
  NormalizeRect(rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.right, 10);
  EXPECT_EQ(rect.bottom, 30);
  POINT point{-3, 4};
  ClampToOrigin(point);
  EXPECT_EQ(point.x, 0);
  EXPECT_EQ(point.y, 4);
}

}  // namespace
