#include <gtest/gtest.h>

#include <vector>

#include "testing/MemoryCanvas.h"
#include "win32/Gdi.h"
#include "win32/GdiObjects.h"
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

namespace {

// A one-bit bitmap in a memory context of its own.
struct MonoBitmap {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap;
  HGDIOBJ old;
  MonoBitmap(int width, int height, bool wide) {
    std::vector<BYTE> white(static_cast<std::size_t>((width + 15) / 16 * 2) * height, 0xFF);
    bitmap = CreateBitmap(width, height, 1, 1, white.data());
    if (wide) Surface().Bits();  // asking for 32-bit pixels widens it for good
    old = SelectObject(dc, bitmap);
  }
  ~MonoBitmap() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  layer::Surface& Surface() { return layer::ObjectAs<layer::Bitmap>(bitmap)->surface; }
  std::vector<BYTE> Bits() {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[2];
    } info{};
    BITMAP size;
    GetObject(bitmap, sizeof size, &size);
    info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size.bmWidth, size.bmHeight, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> bits(static_cast<std::size_t>(WIDTHBYTES(size.bmWidth)) * size.bmHeight);
    SelectObject(dc, old);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.bmHeight), bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    SelectObject(dc, bitmap);
    return bits;
  }
};

// Lines, shapes, fills and pixels in the ways a plot or a form draws them.
void DrawOnBitmap(HDC dc) {
  const int rops[] = {R2_COPYPEN, R2_NOT, R2_XORPEN, R2_MERGEPEN, R2_MASKPEN, R2_NOTCOPYPEN, R2_WHITE, R2_NOP};
  for (int i = 0; i < 8; ++i) {
    SetROP2(dc, rops[i]);
    HPEN pen = CreatePen(PS_SOLID, 1 + i % 3, i % 2 ? kBlack : RGB(200, 200, 200));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    POINT zigzag[] = {{i, 2}, {30 - i, 20 + i}, {5 + 2 * i, 38}, {37, 3 * i}};
    Polyline(dc, zigzag, 4);
    HBRUSH brush = CreateSolidBrush(i % 3 ? kWhite : RGB(40, 40, 40));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 3 * i, 3 * i, 3 * i + 9, 3 * i + 6);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
  }
  SetROP2(dc, R2_COPYPEN);
  PatBlt(dc, 20, 0, 10, 10, BLACKNESS);
  PatBlt(dc, 25, 5, 10, 10, DSTINVERT);
  SetPixel(dc, 39, 39, kBlack);
  SetPixel(dc, 0, 39, RGB(90, 200, 90));
}

}  // namespace

// A one-bit bitmap is kept at a byte a pixel while it is drawn on and read:
// it ends up as the same picture as one held at 32 bits a pixel.
TEST(Drawing, OneBitBitmapsStayNarrowAndDrawAsWideOnesDo) {
  MonoBitmap narrow(40, 40, false), wide(40, 40, true);
  ASSERT_TRUE(narrow.Surface().Narrow());
  ASSERT_FALSE(wide.Surface().Narrow());
  DrawOnBitmap(narrow.dc);
  DrawOnBitmap(wide.dc);
  EXPECT_EQ(narrow.Bits(), wide.Bits());
  EXPECT_EQ(GetPixel(narrow.dc, 39, 39), kBlack);
  EXPECT_EQ(GetPixel(narrow.dc, 39, 38), kWhite);
  EXPECT_TRUE(narrow.Surface().Narrow());
  // Copying from it asks for its 32-bit pixels: it widens and keeps its picture.
  const std::vector<BYTE> before = narrow.Bits();
  Canvas copy(40, 40);
  BitBlt(copy.dc, 0, 0, 40, 40, narrow.dc, 0, 0, SRCCOPY);
  EXPECT_FALSE(narrow.Surface().Narrow());
  EXPECT_EQ(narrow.Bits(), before);
}
