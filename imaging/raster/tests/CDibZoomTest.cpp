#include <gtest/gtest.h>

#include <cstring>

#include "foundation/CDynBuf.h"
#include "imaging/raster/CDib.h"
#include "imaging/raster/PixelIndex.h"
#include "interfaces/QridTpL.h"

namespace {

bool BitAt(CDib& dib, int x, int line) { return IndexAt(dib.GetLineArray()[line], x, 1) != 0; }
void SetBit(CDib& dib, int x, int line) { PutIndex(dib.GetLineArray()[line], x, 1, 1); }

TEST(CDibZoom, EightBitPicturesTakeTheNearestPixel) {
  CDib source;
  source.Create(4, 2, 8, 0, 4);
  RGBQUAD colours[4] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {10, 11, 12, 0}};
  source.SetPalette(colours);
  const BYTE top[4] = {0, 1, 2, 3};
  const BYTE bottom[4] = {3, 2, 1, 0};
  std::memcpy(source.GetLineArray()[0], top, 4);
  std::memcpy(source.GetLineArray()[1], bottom, 4);
  CDib zoomed;
  ASSERT_TRUE(zoomed.ZoomCopy(&source, 6, 4, nullptr, 0));
  EXPECT_EQ(zoomed.GetBitCount(), 8);
  EXPECT_EQ(std::memcmp(zoomed.GetColorTable(), colours, sizeof colours), 0);
  const BYTE expected[4][6] = {{0, 0, 1, 2, 2, 3}, {0, 0, 1, 2, 2, 3}, {3, 3, 2, 1, 1, 0}, {3, 3, 2, 1, 1, 0}};
  for (int line = 0; line < 4; ++line) EXPECT_EQ(std::memcmp(zoomed.GetLineArray()[line], expected[line], 6), 0);
}

TEST(CDibZoom, CopyIsMadeOfTheTrueColoursThoughTheBackgroundIsSet) {
  CDib source;
  source.Create(2, 1, 8, 0, 2);
  RGBQUAD colours[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  source.SetPalette(colours);
  source.MakePalette();
  source.SetBkColor(0x00808080, 1);
  CDib zoomed;
  zoomed.ZoomCopy(&source, 4, 2, nullptr, 0);
  EXPECT_EQ(std::memcmp(&zoomed.GetColorTable()[1], "\xFF\xFF\xFF", 3), 0);
  EXPECT_EQ(std::memcmp(&source.GetColorTable()[1], "\x80\x80\x80", 3), 0);
  EXPECT_EQ(source.GetBkExtra(), 1);
}

TEST(CDibZoom, BilevelEnlargementKeepsTheDepthAndEveryPixel) {
  CDib source;
  source.Create(2000, 3000, 1, 0, 0);
  CDib zoomed;
  ASSERT_TRUE(zoomed.ZoomCopy(&source, 4000, 6000, nullptr, 0));
  EXPECT_EQ(zoomed.GetBitCount(), 1);
  EXPECT_EQ(zoomed.GetWidth(), 4000);

  CDib small;
  small.Create(4, 4, 1, 0, 0);
  SetBit(small, 1, 1);
  CDib twice;
  twice.ZoomCopy(&small, 8, 8, nullptr, 0);
  for (int line = 0; line < 8; ++line) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(BitAt(twice, x, line), x >= 2 && x < 4 && line >= 2 && line < 4) << x << "," << line;
    }
  }
}

TEST(CDibZoom, ThinLinesSurviveWhereOneDirectionShrinks) {
  CDib source;
  source.Create(10, 4, 1, 0, 0);
  for (int line = 0; line < 4; ++line) SetBit(source, 7, line);  // a vertical line one pixel wide
  CDib zoomed;
  ASSERT_TRUE(zoomed.ZoomCopy(&source, 3, 8, nullptr, 0));
  EXPECT_EQ(zoomed.GetBitCount(), 1);
  for (int line = 0; line < 8; ++line) {
    int set = 0;
    for (int x = 0; x < 3; ++x) set += BitAt(zoomed, x, line);
    EXPECT_EQ(set, 1) << line;
  }
}

TEST(CDibZoom, BilevelReductionGivesFiveGreysOrBlends) {
  struct Case {
    RGBQUAD paper, ink;
    int kind;
    RGBQUAD second, last;
  };
  const Case cases[] = {
      {{255, 255, 255, 0}, {0, 0, 0, 0}, 1, {0x99, 0x99, 0x99, 0}, {0, 0, 0, 0}},
      {{0, 0, 0, 0}, {255, 255, 255, 0}, 2, {0x99, 0x99, 0x99, 0}, {0, 0, 0, 0}},
      {{0, 0, 255, 0}, {255, 0, 0, 0}, 3, {64, 0, 191, 0}, {255, 0, 0, 0}},
      {{255, 255, 255, 0}, {255, 255, 255, 0}, 3, {255, 255, 255, 0}, {255, 255, 255, 0}},
  };
  for (const Case& c : cases) {
    CDib source;
    source.Create(2000, 3000, 1, 0, 0);
    source.GetColorTable()[0] = c.paper;
    source.GetColorTable()[1] = c.ink;
    CDib zoomed;
    ASSERT_TRUE(zoomed.ZoomCopy(&source, 500, 750, nullptr, 0));
    EXPECT_EQ(zoomed.GetBitCount(), 4);
    EXPECT_EQ(zoomed.GetColorCount(), 5);
    EXPECT_EQ(zoomed.GetReducedKind(), c.kind);
    EXPECT_EQ(std::memcmp(&zoomed.GetColorTable()[1], &c.second, 3), 0) << c.kind;
    EXPECT_EQ(std::memcmp(&zoomed.GetColorTable()[4], &c.last, 3), 0) << c.kind;
  }
}

// Index 0 shows the paper and 4 the ink in every kind: an all-ink picture
// is ink, an empty one is paper.
TEST(CDibZoom, ReducedIndicesPointFromPaperToInk) {
  struct Case {
    RGBQUAD paper, ink;
    BYTE fill;
    int index;
  };
  const Case cases[] = {
      {{255, 255, 255, 0}, {0, 0, 0, 0}, 0xFF, 4}, {{255, 255, 255, 0}, {0, 0, 0, 0}, 0x00, 0},
      {{0, 0, 0, 0}, {255, 255, 255, 0}, 0xFF, 0}, {{0, 0, 0, 0}, {255, 255, 255, 0}, 0x00, 4},
      {{0, 0, 255, 0}, {255, 0, 0, 0}, 0xFF, 4},   {{0, 0, 255, 0}, {255, 0, 0, 0}, 0x00, 0},
  };
  for (const Case& c : cases) {
    CDib source;
    source.Create(64, 64, 1, 0, 0);
    source.GetColorTable()[0] = c.paper;
    source.GetColorTable()[1] = c.ink;
    std::memset(source.GetBits(), c.fill, 8 * 64);
    CDib zoomed;
    zoomed.ZoomCopy(&source, 8, 8, nullptr, 0);
    const RGBQUAD shown = zoomed.GetColorTable()[IndexAt(zoomed.GetLineArray()[3], 5, 4)];
    const RGBQUAD& expected = c.fill ? c.ink : c.paper;
    EXPECT_EQ(std::memcmp(&shown, &expected, 3), 0) << int(c.fill) << " kind " << zoomed.GetReducedKind();
    EXPECT_EQ(IndexAt(zoomed.GetLineArray()[3], 5, 4), c.index);
  }
}

TEST(CDibZoom, ReductionUsesSideDataWhenValidAndSoundElseThePixels) {
  CDib source;
  source.Create(64, 32, 1, 0, 0);
  source.GetColorTable()[0] = RGBQUAD{255, 255, 255, 0};
  source.GetColorTable()[1] = RGBQUAD{0, 0, 0, 0};
  for (int x = 0; x < 64; ++x) SetBit(source, x, 5);  // a line in the pixels only
  CDynBuf other;
  CDib blank;
  blank.Create(64, 32, 1, 0, 0);
  BYTE described[256];
  // Side data of an empty picture.
  other.Append(described, TplDescribeMono(blank.GetBits(), 64, 32, described, sizeof described));
  ASSERT_GT(other.GetLength(), 0);
  CDib fromSide, fromPixels, fromDamaged;
  fromSide.ZoomCopy(&source, 8, 4, &other, 1);
  fromPixels.ZoomCopy(&source, 8, 4, &other, 0);
  CDynBuf damaged;
  damaged.Append("TPL1", 4);
  fromDamaged.ZoomCopy(&source, 8, 4, &damaged, 1);
  EXPECT_EQ(IndexAt(fromSide.GetLineArray()[0], 0, 4), 0);
  EXPECT_EQ(IndexAt(fromPixels.GetLineArray()[0], 0, 4), 1);
  EXPECT_EQ(IndexAt(fromDamaged.GetLineArray()[0], 0, 4), 1);
}

TEST(CDibZoom, BilevelReductionBelowTwoMakesNoCopy) {
  CDib source;
  source.Create(100, 100, 1, 0, 0);
  for (auto [w, h] : {std::pair{1, 50}, std::pair{50, 1}}) {
    CDib zoomed;
    EXPECT_FALSE(zoomed.ZoomCopy(&source, w, h, nullptr, 0));
    EXPECT_EQ(zoomed.GetWidth(), 16);
    EXPECT_EQ(zoomed.GetBitCount(), 8);
  }
}

TEST(CDibZoom, OtherDepthsBecomeScreenColours) {
  CDib source;
  source.Create(2, 2, 24, 0, 0);
  std::memcpy(source.GetLineArray()[0], "\x01\x02\x03\x04\x05\x06", 6);
  std::memcpy(source.GetLineArray()[1], "\x07\x08\x09\x0A\x0B\x0C", 6);
  CDib zoomed;
  ASSERT_TRUE(zoomed.ZoomCopy(&source, 4, 2, nullptr, 0));
  EXPECT_EQ(zoomed.GetBitCount(), 32);
  EXPECT_EQ(std::memcmp(zoomed.GetLineArray()[0], "\x01\x02\x03\x00\x01\x02\x03\x00\x04\x05\x06\x00", 12), 0);
  EXPECT_EQ(std::memcmp(zoomed.GetLineArray()[1] + 12, "\x0A\x0B\x0C", 3), 0);

  CDib four;
  four.Create(2, 1, 4, 0, 2);
  four.SetPaletteEntry(1, 9, 8, 7, 0);
  four.GetLineArray()[0][0] = 0x01;  // pixel 0 index 0, pixel 1 index 1
  CDib fourZoomed;
  fourZoomed.ZoomCopy(&four, 2, 1, nullptr, 0);
  EXPECT_EQ(std::memcmp(fourZoomed.GetLineArray()[0] + 4, "\x07\x08\x09", 3), 0);
}

}  // namespace
