#include <gtest/gtest.h>

#include <vector>

#include "testing/MemoryCanvas.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

using Canvas = layer::testing::MemoryCanvas;

// A picture with every pixel different, so that a wrong inversion shows.
void Paint(Canvas& canvas) {
  for (int y = 0; y < canvas.height; ++y)
    for (int x = 0; x < canvas.width; ++x) SetPixel(canvas.dc, x, y, RGB(x * 7, y * 5, (x * y) & 0xFF));
}

}  // namespace

TEST(Drawing, LinesLeaveOutTheirLastPoint) {
  Canvas canvas(10, 10);
  MoveToEx(canvas.dc, 1, 1, nullptr);
  LineTo(canvas.dc, 6, 1);
  EXPECT_EQ(GetPixel(canvas.dc, 1, 1), kBlack);
  EXPECT_EQ(GetPixel(canvas.dc, 5, 1), kBlack);
  EXPECT_EQ(GetPixel(canvas.dc, 6, 1), kWhite);
  POINT position;
  GetCurrentPositionEx(canvas.dc, &position);
  EXPECT_EQ(position.x, 6);

  POINT corner[] = {{1, 3}, {5, 3}, {5, 7}};
  Polyline(canvas.dc, corner, 3);
  EXPECT_EQ(GetPixel(canvas.dc, 5, 3), kBlack);  // the joint, drawn once
  EXPECT_EQ(GetPixel(canvas.dc, 5, 6), kBlack);
  EXPECT_EQ(GetPixel(canvas.dc, 5, 7), kWhite);

  POINT two[] = {{0, 9}, {3, 9}, {6, 9}, {9, 9}};
  DWORD counts[] = {2, 2};
  PolyPolyline(canvas.dc, two, counts, 2);
  EXPECT_EQ(GetPixel(canvas.dc, 2, 9), kBlack);
  EXPECT_EQ(GetPixel(canvas.dc, 4, 9), kWhite);  // between the two lines
  EXPECT_EQ(GetPixel(canvas.dc, 8, 9), kBlack);
}

TEST(Drawing, RectanglesAndEllipsesWithPensAndBrushes) {
  struct Case {
    int penStyle, penWidth;
    bool hollow;
    COLORREF corner, inside, lastColumn;
  } cases[] = {
      {PS_SOLID, 1, false, RGB(255, 0, 0), RGB(0, 0, 255), kWhite},
      {PS_SOLID, 1, true, RGB(255, 0, 0), kWhite, kWhite},
      {PS_NULL, 1, false, RGB(0, 0, 255), RGB(0, 0, 255), kWhite},
  };
  for (const Case& c : cases) {
    Canvas canvas(12, 12);
    HPEN pen = CreatePen(c.penStyle, c.penWidth, RGB(255, 0, 0));
    HBRUSH brush = c.hollow ? static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)) : CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(canvas.dc, pen);
    SelectObject(canvas.dc, brush);
    Rectangle(canvas.dc, 2, 2, 10, 10);
    EXPECT_EQ(GetPixel(canvas.dc, 2, 2), c.corner) << c.penStyle << c.hollow;
    EXPECT_EQ(GetPixel(canvas.dc, 5, 5), c.inside) << c.penStyle << c.hollow;
    EXPECT_EQ(GetPixel(canvas.dc, 10, 5), c.lastColumn) << "right edge is outside";
    if (c.penStyle != PS_NULL) EXPECT_EQ(GetPixel(canvas.dc, 9, 9), RGB(255, 0, 0));
    else EXPECT_EQ(GetPixel(canvas.dc, 9, 9), kWhite) << "a null pen makes the rectangle one pixel smaller";
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    if (!c.hollow) DeleteObject(brush);
  }

  Canvas round(21, 21);
  SelectObject(round.dc, GetStockObject(BLACK_BRUSH));
  Ellipse(round.dc, 0, 0, 21, 21);
  EXPECT_EQ(GetPixel(round.dc, 10, 10), kBlack);
  EXPECT_EQ(GetPixel(round.dc, 0, 0), kWhite);  // the corners are outside the ellipse
  EXPECT_EQ(GetPixel(round.dc, 10, 0), kBlack);  // the top of the outline

  Canvas wide(20, 20);
  HPEN thick = CreatePen(PS_SOLID, 3, kBlack);
  SelectObject(wide.dc, thick);
  MoveToEx(wide.dc, 2, 10, nullptr);
  LineTo(wide.dc, 17, 10);
  EXPECT_EQ(GetPixel(wide.dc, 10, 9), kBlack);
  EXPECT_EQ(GetPixel(wide.dc, 10, 11), kBlack);
  EXPECT_EQ(GetPixel(wide.dc, 10, 13), kWhite);
  SelectObject(wide.dc, GetStockObject(BLACK_PEN));
  DeleteObject(thick);
}

TEST(Drawing, DrawingTwiceInNotOrXorLeavesTheCanvasAsBefore) {
  struct Case {
    int rop;
    int penWidth;
    bool ellipse;
  } cases[] = {{R2_NOT, 1, false}, {R2_NOT, 2, true}, {R2_XORPEN, 1, true}, {R2_XORPEN, 3, false}, {R2_NOT, 4, true}};
  for (const Case& c : cases) {
    Canvas canvas(30, 30);
    Paint(canvas);
    auto before = canvas.Pixels();
    HPEN pen = CreatePen(PS_SOLID, c.penWidth, RGB(0x55, 0xAA, 0x0F));
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    SelectObject(canvas.dc, pen);
    SelectObject(canvas.dc, brush);
    SetROP2(canvas.dc, c.rop);
    for (int pass = 0; pass < 2; ++pass) {
      if (c.ellipse) Ellipse(canvas.dc, 3, 4, 25, 20);
      else Rectangle(canvas.dc, 3, 4, 25, 20);
      MoveToEx(canvas.dc, 0, 0, nullptr);
      LineTo(canvas.dc, 29, 17);
      POINT zigzag[] = {{2, 28}, {10, 22}, {18, 28}, {26, 22}};
      Polyline(canvas.dc, zigzag, 4);
      RECT focus{5, 5, 15, 15};
      DrawFocusRect(canvas.dc, &focus);
      if (pass == 0) EXPECT_NE(canvas.Pixels(), before) << c.rop;
    }
    EXPECT_EQ(canvas.Pixels(), before) << "rop " << c.rop << " width " << c.penWidth;
    SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
  }
}

TEST(Drawing, ShapesStayInsideTheClip) {
  Canvas canvas(20, 20);
  IntersectClipRect(canvas.dc, 0, 0, 10, 20);
  SelectObject(canvas.dc, GetStockObject(BLACK_BRUSH));
  Rectangle(canvas.dc, 0, 0, 20, 20);
  EXPECT_EQ(GetPixel(canvas.dc, 9, 5), kBlack);
  SelectClipRgn(canvas.dc, nullptr);
  EXPECT_EQ(GetPixel(canvas.dc, 10, 5), kWhite);
  EXPECT_EQ(canvas.Count(kBlack), 10 * 20);
}

TEST(Drawing, ThinPolylinesTouchEachPixelOnceAndKeepToTheClip) {
  // A bow tie: its two diagonals cross; in R2_NOT the crossing is inverted
  // once, like every other pixel of the line.
  Canvas canvas(20, 20);
  SetROP2(canvas.dc, R2_NOT);
  POINT bow[] = {{2, 2}, {16, 16}, {16, 2}, {2, 16}, {2, 3}};
  Polyline(canvas.dc, bow, 5);
  EXPECT_EQ(GetPixel(canvas.dc, 9, 9), kBlack) << "the crossing";
  EXPECT_EQ(GetPixel(canvas.dc, 16, 9), kBlack);
  SetROP2(canvas.dc, R2_COPYPEN);

  Canvas clipped(20, 20);
  IntersectClipRect(clipped.dc, 0, 0, 10, 20);
  MoveToEx(clipped.dc, -1000, 5, nullptr);
  LineTo(clipped.dc, 1000, 5);
  EXPECT_EQ(clipped.Count(kBlack), 10);
  EXPECT_EQ(GetPixel(clipped.dc, 9, 5), kBlack);
}
