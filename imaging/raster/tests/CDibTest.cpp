#include "imaging/raster/CDib.h"

#include <gtest/gtest.h>

#include <cstring>

#include "imaging/raster/SystemColours.h"
#include "win32/Memory.h"

namespace {

BYTE* PixelStart(CDib& dib) { return reinterpret_cast<BYTE*>(dib.GetBMI()) + 40 + 4 * dib.GetColorCount(); }

TEST(CDib, NewPictureIsSixteenBySixteenEightBit) {
  CDib dib;
  EXPECT_EQ(dib.GetWidth(), 16);
  EXPECT_EQ(dib.GetHeight(), 16);
  EXPECT_EQ(dib.GetBitCount(), 8);
  EXPECT_EQ(dib.GetColorCount(), 256);
}

TEST(CDib, LayoutFollowsWidthDepthAndColourCount) {
  struct Case {
    int width, height, bits, coloursUsed;
    int stride, colours;
    DWORD dibSize;
  };
  const Case cases[] = {
      {1, 1, 1, 0, 4, 2, 40 + 8 + 4 + 64},
      {33, 2, 1, 0, 8, 2, 40 + 8 + 16 + 64},
      {3, 3, 4, 0, 4, 16, 40 + 64 + 12 + 64},
      {5, 2, 8, 10, 8, 10, 40 + 1024 + 16 + 64},
      {5, 2, 8, 300, 8, 256, 40 + 1024 + 16 + 64},  // more colours than the depth holds
      {3, 2, 24, 0, 12, 0, 40 + 24 + 64},
      {3, 2, 32, 7, 12, 0, 40 + 24 + 64},
      {3, 2, 16, 0, 8, 0, 40 + 16 + 64},
  };
  for (const Case& c : cases) {
    CDib dib;
    ASSERT_TRUE(dib.Create(c.width, c.height, c.bits, 0, c.coloursUsed));
    EXPECT_EQ(dib.GetBytesPerLine(), c.stride) << c.width << "x" << c.bits;
    EXPECT_EQ(dib.GetColorCount(), c.colours) << c.width << "x" << c.bits;
    EXPECT_EQ(dib.GetDIBSize(), c.dibSize) << c.width << "x" << c.bits;
    EXPECT_EQ(dib.GetBits(), PixelStart(dib));
    EXPECT_EQ(dib.GetColorTable() != nullptr, c.bits <= 8);
    for (int line = 0; line < c.height; ++line) {
      EXPECT_EQ(dib.GetLineArray()[line], dib.GetBits() + (c.height - 1 - line) * c.stride);
    }
  }
}

TEST(CDib, BilevelPictureStartsBlackAndWhite) {
  CDib dib;
  dib.Create(8, 8, 1, 0, 0);
  const RGBQUAD* table = dib.GetColorTable();
  EXPECT_EQ(std::memcmp(&table[0], "\0\0\0\xFF", 4), 0);
  EXPECT_EQ(std::memcmp(&table[1], "\xFF\xFF\xFF\xFF", 4), 0);
}

TEST(CDib, SpecialWidthKeepsRoomOfAWiderPicture) {
  CDib dib;
  ASSERT_TRUE(dib.CreateSpecialWidth(100, 10, 1, 0, 2));
  EXPECT_EQ(dib.GetBMI()->bmiHeader.biWidth, 100);
  EXPECT_EQ(dib.GetWidth(), 100);
  EXPECT_EQ(dib.GetBytesPerLine(), 16);
  EXPECT_EQ(dib.GetLineArray()[0] - dib.GetLineArray()[1], 16);
  EXPECT_EQ(dib.GetLineArray()[0], dib.GetBits() + 9 * 16);
  // A decoder may write the wider picture's 10 lines of 20 bytes.
  std::memset(dib.GetBits(), 0xAB, 10 * 20);
}

TEST(CDib, SetPaletteCopiesTheTableAndAnswersItsSize) {
  RGBQUAD colours[256];
  for (int i = 0; i < 256; ++i) colours[i] = RGBQUAD{BYTE(i), BYTE(255 - i), 7, 0};
  CDib four;
  four.Create(2, 2, 4, 0, 6);
  EXPECT_EQ(four.SetPalette(colours), 6);
  EXPECT_EQ(std::memcmp(four.GetColorTable(), colours, 6 * 4), 0);
  CDib trueColour;
  trueColour.Create(2, 2, 24, 0, 0);
  EXPECT_EQ(trueColour.SetPalette(colours), 0);
}

TEST(CDib, PaletteEntriesUseTheLowByteWithinTheDepth) {
  CDib dib;
  dib.Create(4, 1, 1, 0, 0);
  const BYTE before = dib.GetBits()[0];
  dib.SetPaletteEntry(0x101, 1, 2, 3, 4);  // low byte 1
  EXPECT_EQ(std::memcmp(&dib.GetColorTable()[1], "\3\2\1\4", 4), 0);
  dib.SetPaletteEntry(2, 9, 9, 9, 9);  // a 1-bit table has two entries: the pixels stay
  EXPECT_EQ(dib.GetBits()[0], before);
  EXPECT_EQ(std::memcmp(&dib.GetColorTable()[0], "\0\0\0\xFF", 4), 0);
}

TEST(CDib, PartCopyTakesColumnsFromAnyBitOffset) {
  CDib dib;
  dib.Create(20, 3, 1, 0, 0);
  // Top line: a set pixel in every third column.
  for (int x = 0; x < 20; x += 3) dib.GetLineArray()[0][x >> 3] |= 0x80 >> (x & 7);
  HGLOBAL global = dib.CopyPartToGlobal(3, 0, 13, 2);
  ASSERT_NE(global, nullptr);
  auto* part = static_cast<BITMAPINFO*>(GlobalLock(global));
  EXPECT_EQ(part->bmiHeader.biWidth, 10);
  EXPECT_EQ(part->bmiHeader.biHeight, 2);
  const BYTE* pixels = reinterpret_cast<BYTE*>(part) + 40 + 8;
  const BYTE* top = pixels + 4;  // bottom-up: the top line is the second
  EXPECT_EQ(top[0], 0x92);       // columns 3, 6, 9 of the picture -> 0, 3, 6
  EXPECT_EQ(top[1], 0x40);       // column 12 -> 9
  EXPECT_EQ(pixels[0], 0);
  GlobalUnlock(global);
  GlobalFree(global);
}

TEST(CDib, WholeCopyIsThePackedBlock) {
  CDib dib;
  dib.Create(3, 2, 8, 4, 4);
  dib.GetLineArray()[1][2] = 3;
  HGLOBAL global = dib.CopyToGlobal();
  ASSERT_EQ(GlobalSize(global), 40u + 16 + 8);
  EXPECT_EQ(std::memcmp(GlobalLock(global), dib.GetBMI(), 40 + 16 + 8), 0);
  GlobalUnlock(global);
  GlobalFree(global);
}

TEST(CDib, BackgroundReplacesWhiteAndComesBack) {
  CDib dib;
  dib.Create(2, 1, 8, 0, 3);
  RGBQUAD colours[3] = {{0, 0, 0, 0}, {255, 255, 255, 0}, {255, 255, 255, 0}};
  dib.SetPalette(colours);
  dib.MakePalette();
  EXPECT_EQ(dib.SetBkColor(0x00C0C0C0, 5), 0xFFFFFFu);
  EXPECT_EQ(dib.GetBkExtra(), 5);
  EXPECT_EQ(std::memcmp(&dib.GetColorTable()[1], "\xC0\xC0\xC0", 3), 0);
  EXPECT_EQ(std::memcmp(&dib.GetColorTable()[2], "\xFF\xFF\xFF", 3), 0);  // only the first white
  EXPECT_EQ(dib.GetPaletteEntries()[1].peRed, 0xC0);
  EXPECT_EQ(dib.SetBkColor(0xFFFFFF, 9), 0x00C0C0C0u);
  EXPECT_EQ(dib.GetBkExtra(), 0);
  EXPECT_EQ(std::memcmp(&dib.GetColorTable()[1], "\xFF\xFF\xFF", 3), 0);
  EXPECT_EQ(dib.GetPaletteEntries()[1].peBlue, 0xFF);
}

TEST(CDib, BackgroundWaitsForThePalette) {
  CDib dib;
  dib.Create(2, 1, 1, 0, 0);
  dib.SetBkColor(0x00102030, 0);
  EXPECT_EQ(std::memcmp(&dib.GetColorTable()[1], "\xFF\xFF\xFF", 3), 0);
  dib.MakePalette();
  EXPECT_EQ(std::memcmp(&dib.GetColorTable()[1], "\x10\x20\x30", 3), 0);  // blue first
}

TEST(CDib, TrueColourPaletteComesFromTheQuantiser) {
  CDib dib;
  dib.Create(4, 4, 24, 0, 0);
  for (int line = 0; line < 4; ++line) {
    for (int x = 0; x < 4; ++x) std::memcpy(dib.GetLineArray()[line] + 3 * x, "\x32\x64\xC8", 3);
  }
  dib.MakePalette();
  ASSERT_EQ(dib.GetPaletteEntries().size(), 256u);
  const PALETTEENTRY last = dib.GetPaletteEntries()[255];
  EXPECT_EQ(last.peRed, 205);
  EXPECT_EQ(last.peGreen, 98);
  EXPECT_EQ(last.peBlue, 49);
}

TEST(CDib, MixedPaletteTakesNewColoursAfterTheReservedOnes) {
  CDib partner;
  partner.Create(2, 2, 8, 0, 4);
  RGBQUAD colours[4] = {{0, 0, 0, 0}, {10, 20, 30, 0}, {10, 20, 30, 0}, {0x33, 0x33, 0x33, 0}};
  partner.SetPalette(colours);
  CDib zoomed;
  zoomed.Create(2, 2, 1, 0, 0);
  zoomed.MixPalette(1, &partner);  // a bilevel picture takes the partner's colours
  const auto& mixed = zoomed.GetPaletteEntries();
  ASSERT_EQ(mixed.size(), 256u);
  EXPECT_EQ(mixed[10].peRed, 0x99);
  EXPECT_EQ(mixed[245].peRed, 0xCD);
  // Black is a system colour, the repeat and grey 0x33 are already placed.
  EXPECT_EQ(mixed[13].peRed, 30);
  EXPECT_EQ(mixed[13].peBlue, 10);
  EXPECT_EQ(mixed[14].peBlue, 14);
  EXPECT_EQ(mixed[242].peBlue, 242);
  for (int i : {0, 9, 246, 255}) {
    EXPECT_EQ(mixed[i].peRed, SystemColour(i).peRed);
    EXPECT_EQ(mixed[i].peFlags, PC_NOCOLLAPSE);
  }
}

}  // namespace
