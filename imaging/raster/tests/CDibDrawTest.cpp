#include <gtest/gtest.h>

#include "imaging/raster/CDib.h"
#include "testing/MemoryCanvas.h"
#include "win32/Gdi.h"

namespace {

// A 4 x 3 picture of 8 bits whose pixel (x, y) has the colour (40 x, 80 y, 7).
void MakePicture(CDib& dib) {
  dib.Create(4, 3, 8, 0, 12);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      dib.SetPaletteEntry(y * 4 + x, static_cast<BYTE>(40 * x), static_cast<BYTE>(80 * y), 7, 0);
      dib.GetLineArray()[y][x] = static_cast<BYTE>(y * 4 + x);
    }
  }
}

using layer::testing::MemoryCanvas;

COLORREF At(const MemoryCanvas& canvas, int x, int y) { return GetPixel(canvas.dc, x, y) & 0xFFFFFF; }

TEST(CDibDraw, WholeStretchedAndPart) {
  CDib dib;
  MakePicture(dib);
  MemoryCanvas whole(16, 16), stretched(16, 16), part(16, 16);
  dib.Draw(whole.dc, 1, 1, SRCCOPY);
  EXPECT_EQ(At(whole, 1, 1), RGB(0, 0, 7));
  EXPECT_EQ(At(whole, 4, 3), RGB(120, 160, 7));
  dib.StretchDraw(stretched.dc, 0, 0, 2.0, SRCCOPY);
  EXPECT_EQ(At(stretched, 7, 5), RGB(120, 160, 7));
  EXPECT_EQ(At(stretched, 2, 1), RGB(40, 0, 7));
  // Columns 1 and 2 of lines 1 and 2, top-down.
  dib.DrawToDevice(part.dc, 5, 5, 1, 1, 3, 3);
  EXPECT_EQ(At(part, 5, 5), RGB(40, 80, 7));
  EXPECT_EQ(At(part, 6, 6), RGB(80, 160, 7));
  EXPECT_EQ(At(part, 7, 5), RGB(255, 255, 255));  // nothing beyond the part
  EXPECT_EQ(At(part, 5, 7), RGB(255, 255, 255));
}

}  // namespace
