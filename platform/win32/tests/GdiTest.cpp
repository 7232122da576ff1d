#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "MessageLog.h"
#include "testing/MemoryCanvas.h"
#include "win32/Gdi.h"
#include "win32/GdiObjects.h"

namespace {

using Canvas = layer::testing::MemoryCanvas;

// A device-independent bitmap built in memory: header, colour table, rows.
struct Dib {
  std::vector<BYTE> header;
  std::vector<BYTE> bits;
  Dib(int width, int height, int bitCount, std::vector<RGBQUAD> colours) {
    header.resize(sizeof(BITMAPINFOHEADER) + colours.size() * sizeof(RGBQUAD));
    BITMAPINFOHEADER h{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bitCount), BI_RGB, 0, 0, 0,
                       static_cast<DWORD>(colours.size()), 0};
    std::memcpy(header.data(), &h, sizeof h);
    if (!colours.empty()) std::memcpy(header.data() + sizeof h, colours.data(), colours.size() * sizeof(RGBQUAD));
    bits.assign(static_cast<std::size_t>(WIDTHBYTES(width * bitCount) * std::abs(height)), 0);
  }
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(header.data()); }
  BYTE* StoredRow(int stored) { return bits.data() + static_cast<std::size_t>(WIDTHBYTES(Info()->bmiHeader.biWidth * Info()->bmiHeader.biBitCount)) * stored; }
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

TEST(Gdi, ObjectsAreSelectedAndDeletedAsOnThePlatform) {
  Canvas canvas(4, 4);
  HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  HGDIOBJ oldPen = SelectObject(canvas.dc, pen);
  EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));  // a fresh context has the black pen
  EXPECT_EQ(SelectObject(canvas.dc, oldPen), pen);
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
  LOGPEN log;
  ASSERT_EQ(GetObject(pen, sizeof log, &log), static_cast<int>(sizeof log));
  EXPECT_EQ(log.lopnWidth.x, 2);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));  // stock objects stay
  EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));

  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  SelectObject(canvas.dc, brush);
  DeleteObject(brush);  // still selected: the context keeps drawing with it
  EXPECT_TRUE(PatBlt(canvas.dc, 0, 0, 1, 1, PATCOPY));
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(canvas.dc, reinterpret_cast<HGDIOBJ>(0x1234)), nullptr);
}

TEST(Gdi, FillsAndInversionsRespectTheClip) {
  Canvas canvas(10, 10);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  IntersectClipRect(canvas.dc, 2, 2, 6, 6);
  RECT box;
  EXPECT_EQ(GetClipBox(canvas.dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.right, 6);
  RECT all{0, 0, 10, 10};
  FillRect(canvas.dc, &all, red);
  EXPECT_EQ(GetPixel(canvas.dc, 2, 2), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(canvas.dc, 1, 1), CLR_INVALID);  // outside the clip
  SelectClipRgn(canvas.dc, nullptr);
  EXPECT_EQ(GetPixel(canvas.dc, 1, 1), kWhite);
  EXPECT_EQ(GetPixel(canvas.dc, 6, 6), kWhite);
  RECT visible{5, 5, 8, 8}, hidden{20, 20, 30, 30};
  EXPECT_TRUE(RectVisible(canvas.dc, &visible));
  EXPECT_FALSE(RectVisible(canvas.dc, &hidden));

  SetViewportOrgEx(canvas.dc, 3, 0, nullptr);  // logical 0 is device 3
  RECT one{0, 0, 1, 1};
  InvertRect(canvas.dc, &one);
  SetViewportOrgEx(canvas.dc, 0, 0, nullptr);
  EXPECT_EQ(GetPixel(canvas.dc, 3, 0), kBlack);
  DeleteObject(red);
}

TEST(Gdi, BitBlockOperationsMixSourceAndDestination) {
  struct Case {
    DWORD rop;
    COLORREF expected;
  } cases[] = {{SRCCOPY, RGB(0xF0, 0x0F, 0x33)},
               {SRCINVERT, RGB(0xF0 ^ 0x3C, 0x0F ^ 0x3C, 0x33 ^ 0x3C)},
               {SRCAND, RGB(0xF0 & 0x3C, 0x0F & 0x3C, 0x33 & 0x3C)},
               {SRCPAINT, RGB(0xF0 | 0x3C, 0x0F | 0x3C, 0x33 | 0x3C)},
               {DSTINVERT, RGB(0xFF - 0x3C, 0xFF - 0x3C, 0xFF - 0x3C)},
               {NOTSRCCOPY, RGB(0x0F, 0xF0, 0xCC)},
               {BLACKNESS, kBlack},
               {WHITENESS, kWhite}};
  Canvas source(2, 2);
  HBRUSH colour = CreateSolidBrush(RGB(0xF0, 0x0F, 0x33));
  RECT all{0, 0, 2, 2};
  FillRect(source.dc, &all, colour);
  for (const Case& c : cases) {
    Canvas target(2, 2);
    HBRUSH grey = CreateSolidBrush(RGB(0x3C, 0x3C, 0x3C));
    FillRect(target.dc, &all, grey);
    EXPECT_TRUE(BitBlt(target.dc, 1, 1, 1, 1, source.dc, 0, 0, c.rop));
    EXPECT_EQ(GetPixel(target.dc, 1, 1), c.expected) << std::hex << c.rop;
    EXPECT_EQ(GetPixel(target.dc, 0, 0), RGB(0x3C, 0x3C, 0x3C)) << "outside the block";
    DeleteObject(grey);
  }
  DeleteObject(colour);
}

TEST(Gdi, CopyingTwiceWithSourceInvertLeavesTheTargetAsBefore) {
  Canvas target(20, 20), mark(8, 8);
  for (int i = 0; i < 20; ++i) SetPixel(target.dc, i, i, RGB(i * 10, 255 - i * 10, 77));
  auto before = target.Pixels();
  PatBlt(mark.dc, 0, 0, 8, 8, BLACKNESS);
  RECT inner{2, 2, 6, 6};
  FillRect(mark.dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  BitBlt(target.dc, 5, 5, 8, 8, mark.dc, 0, 0, SRCINVERT);
  EXPECT_NE(target.Pixels(), before);
  BitBlt(target.dc, 5, 5, 8, 8, mark.dc, 0, 0, SRCINVERT);
  EXPECT_EQ(target.Pixels(), before);
}

TEST(Gdi, ShrinkingKeepsBlackLinesInBlackOnWhiteMode) {
  Canvas source(40, 40);
  for (int y = 0; y < 40; ++y) SetPixel(source.dc, 17, y, kBlack);  // a one-pixel line
  struct Case {
    int mode;
    bool lineKept;
  } cases[] = {{BLACKONWHITE, true}, {COLORONCOLOR, false}, {HALFTONE, true}};
  for (const Case& c : cases) {
    Canvas target(10, 10);
    SetStretchBltMode(target.dc, c.mode);
    StretchBlt(target.dc, 0, 0, 10, 10, source.dc, 0, 0, 40, 40, SRCCOPY);
    COLORREF pixel = GetPixel(target.dc, 4, 5);
    EXPECT_EQ(pixel != kWhite, c.lineKept) << c.mode;
  }
  // A negative width mirrors.
  Canvas mirrored(40, 40);
  StretchBlt(mirrored.dc, 39, 0, -40, 40, source.dc, 0, 0, 40, 40, SRCCOPY);
  EXPECT_EQ(GetPixel(mirrored.dc, 22, 3), kBlack);
  EXPECT_EQ(GetPixel(mirrored.dc, 17, 3), kWhite);
}

TEST(Gdi, MonochromeBitmapsTakeTheContextsColours) {
  HDC mono = CreateCompatibleDC(nullptr);
  HBITMAP bits = CreateCompatibleBitmap(mono, 2, 1);  // a fresh memory context makes monochrome bitmaps
  BITMAP info;
  GetObject(bits, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  SelectObject(mono, bits);
  struct Case {
    COLORREF asked, stored;
  } cases[] = {{RGB(200, 200, 200), kWhite}, {RGB(50, 60, 70), kBlack}, {RGB(255, 255, 0), kWhite}};
  for (const Case& c : cases) {
    HBRUSH brush = CreateSolidBrush(c.asked);
    RECT one{0, 0, 1, 1};
    FillRect(mono, &one, brush);
    EXPECT_EQ(GetPixel(mono, 0, 0), c.stored) << std::hex << c.asked;  // the nearer of black and white
    DeleteObject(brush);
  }
  PatBlt(mono, 0, 0, 2, 1, BLACKNESS);
  SetPixel(mono, 1, 0, kWhite);
  Canvas target(2, 1);
  SetTextColor(target.dc, RGB(255, 0, 0));
  SetBkColor(target.dc, RGB(0, 0, 255));
  BitBlt(target.dc, 0, 0, 2, 1, mono, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(target.dc, 0, 0), RGB(255, 0, 0));  // black bits take the text colour
  EXPECT_EQ(GetPixel(target.dc, 1, 0), RGB(0, 0, 255));  // white bits the background colour
  DeleteDC(mono);
  DeleteObject(bits);
}

TEST(Gdi, DeviceIndependentBitmapsOfEveryDepthReachTheRightPixels) {
  // Each picture is 3 x 2, bottom-up: the top row is stored last. The top-left
  // pixel is red, the bottom-right one green, the rest blue.
  std::vector<RGBQUAD> table = {{255, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}};  // blue, red, green
  struct Case {
    int bitCount;
    std::vector<BYTE> top, bottom;  // stored rows
    bool usesTable;
  } cases[] = {
      {8, {1, 0, 0, 0}, {0, 0, 2, 0}, true},
      {4, {0x10, 0x00, 0, 0}, {0x00, 0x20, 0, 0}, true},
      {24, {0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 0}, {255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0}, false},
  };
  for (const Case& c : cases) {
    Dib dib(3, 2, c.bitCount, c.usesTable ? table : std::vector<RGBQUAD>{});
    std::memcpy(dib.StoredRow(1), c.top.data(), c.top.size());
    std::memcpy(dib.StoredRow(0), c.bottom.data(), c.bottom.size());
    Canvas target(3, 2);
    EXPECT_EQ(SetDIBitsToDevice(target.dc, 0, 0, 3, 2, 0, 0, 0, 2, dib.bits.data(), dib.Info(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(GetPixel(target.dc, 0, 0), RGB(255, 0, 0)) << c.bitCount;
    EXPECT_EQ(GetPixel(target.dc, 2, 1), RGB(0, 255, 0)) << c.bitCount;
    EXPECT_EQ(GetPixel(target.dc, 1, 0), RGB(0, 0, 255)) << c.bitCount;

    // Read back as 24 bits: the same colours, bottom row first.
    HBITMAP copy = CreateDIBitmap(target.dc, &dib.Info()->bmiHeader, CBM_INIT, dib.bits.data(), dib.Info(), DIB_RGB_COLORS);
    ASSERT_NE(copy, nullptr);
    Dib out(3, 2, 24, {});
    EXPECT_EQ(GetDIBits(target.dc, copy, 0, 2, out.bits.data(), out.Info(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(out.StoredRow(1)[2], 255) << "red of the top-left pixel";
    EXPECT_EQ(out.StoredRow(0)[3 * 2 + 1], 255) << "green of the bottom-right pixel";
    DeleteObject(copy);
  }
}

TEST(Gdi, OneBitPicturesStretchWithTheirColourTable) {
  // 64 x 64, white with a black cross through (20, 40).
  Dib dib(64, -64, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}});  // top-down
  std::fill(dib.bits.begin(), dib.bits.end(), 0xFF);
  for (int y = 0; y < 64; ++y) dib.StoredRow(y)[20 / 8] &= static_cast<BYTE>(~(0x80 >> (20 % 8)));
  std::memset(dib.StoredRow(40), 0, 8);
  Canvas target(16, 16);
  SetStretchBltMode(target.dc, BLACKONWHITE);
  EXPECT_EQ(StretchDIBits(target.dc, 0, 0, 16, 16, 0, 0, 64, 64, dib.bits.data(), dib.Info(), DIB_RGB_COLORS, SRCCOPY), 64);
  EXPECT_EQ(GetPixel(target.dc, 5, 2), kBlack);   // the vertical line, 4 times smaller
  EXPECT_EQ(GetPixel(target.dc, 12, 10), kBlack);  // the horizontal one
  EXPECT_EQ(GetPixel(target.dc, 12, 2), kWhite);

  // A part of a bottom-up picture is counted from its bottom line.
  Dib bottomUp(4, 4, 8, {{0, 0, 0, 0}, {0, 0, 255, 0}});
  bottomUp.StoredRow(0)[0] = 1;  // bottom-left pixel red
  Canvas corner(1, 1);
  StretchDIBits(corner.dc, 0, 0, 1, 1, 0, 0, 1, 1, bottomUp.bits.data(), bottomUp.Info(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(GetPixel(corner.dc, 0, 0), RGB(255, 0, 0));

  // A band of lines, given alone, lands where those lines belong.
  Dib band(1, 4, 8, {{0, 0, 0, 0}, {0, 0, 255, 0}});
  band.StoredRow(0)[0] = 1;  // the band's first line (line 2 of the picture) red
  Canvas column(1, 4);
  EXPECT_EQ(SetDIBitsToDevice(column.dc, 0, 0, 1, 4, 0, 0, 2, 2, band.bits.data(), band.Info(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(GetPixel(column.dc, 0, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(column.dc, 0, 0), kBlack);
  EXPECT_EQ(GetPixel(column.dc, 0, 2), kWhite);  // lines 0 and 1 were not given
  EXPECT_EQ(GetPixel(column.dc, 0, 3), kWhite);

  Dib broken(4, 4, 7, {});
  EXPECT_EQ(StretchDIBits(corner.dc, 0, 0, 1, 1, 0, 0, 1, 1, broken.bits.data(), broken.Info(), DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(Gdi, PalettesAndTheTwentyStaticColours) {
  HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  EXPECT_EQ(GetPaletteEntries(stock, 0, 0, nullptr), 20u);
  PALETTEENTRY statics[20];
  ASSERT_EQ(GetPaletteEntries(stock, 0, 20, statics), 20u);
  EXPECT_EQ(statics[0].peRed, 0);
  EXPECT_EQ(statics[19].peRed, 255);
  EXPECT_EQ(statics[7].peGreen, 192);

  std::vector<BYTE> memory(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(memory.data());
  log->palVersion = 0x300;
  log->palNumEntries = 3;
  log->palPalEntry[0] = {10, 20, 30, 0};
  reinterpret_cast<PALETTEENTRY*>(log->palPalEntry)[1] = {200, 0, 0, 0};
  reinterpret_cast<PALETTEENTRY*>(log->palPalEntry)[2] = {0, 0, 200, 0};
  HPALETTE palette = CreatePalette(log);
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(190, 10, 10)), 1u);

  Canvas canvas(2, 1);
  EXPECT_EQ(SelectPalette(canvas.dc, palette, FALSE), stock);
  RealizePalette(canvas.dc);
  HBRUSH indexed = CreateSolidBrush(PALETTEINDEX(2));
  SelectObject(canvas.dc, indexed);
  PatBlt(canvas.dc, 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), RGB(0, 0, 200));

  // Colour tables of palette indexes go through the selected palette too.
  Dib dib(1, 1, 8, {});
  dib.header.resize(sizeof(BITMAPINFOHEADER) + 2 * sizeof(WORD));
  dib.Info()->bmiHeader.biClrUsed = 2;
  WORD indexes[2] = {0, 1};
  std::memcpy(dib.header.data() + sizeof(BITMAPINFOHEADER), indexes, sizeof indexes);
  dib.bits[0] = 1;
  SetDIBitsToDevice(canvas.dc, 1, 0, 1, 1, 0, 0, 0, 1, dib.bits.data(), dib.Info(), DIB_PAL_COLORS);
  EXPECT_EQ(GetPixel(canvas.dc, 1, 0), RGB(200, 0, 0));

  log->palNumEntries = 0;
  EXPECT_EQ(CreatePalette(log), nullptr);
  SelectObject(canvas.dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(indexed);
  SelectPalette(canvas.dc, stock, FALSE);
  DeleteObject(palette);
}

TEST(Gdi, WindowContextsDrawIntoTheCanvasAtTheClientArea) {
  layer::testing::MessageLog log;
  HWND parent = log.Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 100, 100});
  HWND child = log.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, parent, {10, 10, 50, 50});
  HDC dc = GetDC(child);
  RECT corner{0, 0, 1, 1};
  FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  auto window = layer::WindowOf(child);
  EXPECT_EQ(window->canvas.Row(1)[1], 0xFF000000u);  // past the one-pixel border
  RECT clip;
  GetClipBox(dc, &clip);
  EXPECT_EQ(clip.right, 38);
  ReleaseDC(child, dc);

  HDC whole = GetWindowDC(child);
  FillRect(whole, &corner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(window->canvas.Row(0)[0], 0xFF000000u);
  ReleaseDC(child, whole);

  // A paint context reaches the invalid area only.
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  RECT part{5, 5, 10, 10};
  InvalidateRect(child, &part, FALSE);
  PAINTSTRUCT paint;
  HDC paintDc = BeginPaint(child, &paint);
  RECT all{0, 0, 38, 38};
  EXPECT_TRUE(RectVisible(paintDc, &part));
  RECT outside{20, 20, 30, 30};
  EXPECT_FALSE(RectVisible(paintDc, &outside));
  FillRect(paintDc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EndPaint(child, &paint);
  EXPECT_EQ(window->canvas.Row(6)[6], 0xFF000000u);
  EXPECT_EQ(window->canvas.Row(21)[21], 0xFFFFFFFFu);
}

TEST(Gdi, OneBitBitmapsReadBackAsOneBitRowsWithZeroPadding) {
  // 11 x 2, one-bit, every third pixel of the top row black, the bottom row white.
  const int width = 11;
  std::vector<BYTE> rows(4, 0xFF);  // device rows are padded to 16 bits
  for (int x = 0; x < width; x += 3) rows[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
  HBITMAP bitmap = CreateBitmap(width, 2, 1, 1, rows.data());
  HDC dc = CreateCompatibleDC(nullptr);
  Dib out(width, -2, 1, {{}, {}});
  std::fill(out.bits.begin(), out.bits.end(), 0xAA);  // what was there before must go
  ASSERT_EQ(GetDIBits(dc, bitmap, 0, 2, out.bits.data(), out.Info(), DIB_RGB_COLORS), 2);
  const RGBQUAD* colours = out.Info()->bmiColors;
  const bool whiteIsOne = colours[1].rgbRed == 255;
  const BYTE top0 = whiteIsOne ? 0x6D : 0x92, top1 = whiteIsOne ? 0xA0 : 0x40;  // x 0, 3, 6, 9 black
  EXPECT_EQ(out.StoredRow(0)[0], top0);
  EXPECT_EQ(out.StoredRow(0)[1], top1) << "three pixels in the second byte, the rest zero";
  EXPECT_EQ(out.StoredRow(0)[2], 0);
  EXPECT_EQ(out.StoredRow(1)[0], whiteIsOne ? 0xFF : 0x00);
  EXPECT_EQ(out.StoredRow(1)[1], whiteIsOne ? 0xE0 : 0x00);
  DeleteDC(dc);
  DeleteObject(bitmap);
}
