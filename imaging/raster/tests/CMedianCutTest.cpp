#include "imaging/raster/CMedianCut.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

namespace {

struct Picture {
  BITMAPINFOHEADER header{};
  std::vector<BYTE> pixels;
};

// A picture whose pixel i (in memory order) has colours[i % colours.size()].
Picture MakePicture(int width, int height, int bits, const std::vector<std::tuple<int, int, int>>& colours) {
  Picture picture;
  picture.header.biSize = 40;
  picture.header.biWidth = width;
  picture.header.biHeight = height;
  picture.header.biBitCount = static_cast<WORD>(bits);
  const size_t stride = WIDTHBYTES(width * bits);
  picture.pixels.assign(stride * height, 0xEE);  // padding must not count
  size_t i = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, ++i) {
      BYTE* p = &picture.pixels[y * stride + x * (bits / 8)];
      auto [r, g, b] = colours[i % colours.size()];
      p[0] = static_cast<BYTE>(b);
      p[1] = static_cast<BYTE>(g);
      p[2] = static_cast<BYTE>(r);
    }
  }
  return picture;
}

std::tuple<int, int, int> Rgb(const RGBQUAD& q) { return {q.rgbRed, q.rgbGreen, q.rgbBlue}; }

const std::tuple<int, int, int> kCorners[8] = {{0, 0, 0},     {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                               {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 255}};
const std::tuple<int, int, int> kEmptyBox{123, 123, 123};

TEST(CMedianCut, OneColourEndsInTheLastBoxAndLeavesEmptyBoxesGrey) {
  for (int bits : {24, 32}) {
    Picture picture = MakePicture(7, 5, bits, {{200, 100, 50}});
    RGBQUAD palette[256];
    ASSERT_TRUE(CMedianCut::Quantise(picture.header, picture.pixels.data(), palette));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Rgb(palette[i]), kCorners[i]) << i;
    for (int i = 8; i < 255; ++i) EXPECT_EQ(Rgb(palette[i]), kEmptyBox) << i;
    EXPECT_EQ(Rgb(palette[255]), std::make_tuple(205, 98, 49));
  }
}

TEST(CMedianCut, CornerColoursNeedNoBox) {
  Picture picture = MakePicture(4, 4, 24, {{255, 255, 255}, {0, 0, 0}, {250, 3, 4}});
  RGBQUAD palette[256];
  ASSERT_TRUE(CMedianCut::Quantise(picture.header, picture.pixels.data(), palette));
  for (int i = 8; i < 256; ++i) EXPECT_EQ(Rgb(palette[i]), kEmptyBox) << i;
}

// With fewer occupied cells than boxes every cell gets a box of its own, so
// every colour of the picture is in the palette at its cell's level.
TEST(CMedianCut, FewColoursAllReachThePalette) {
  std::vector<std::tuple<int, int, int>> colours;
  for (int i = 0; i < 120; ++i) colours.emplace_back(8 * (1 + i % 29), 8 * (2 + (i * 7) % 28), 8 * (1 + (i * 13) % 30));
  Picture picture = MakePicture(37, 23, 24, colours);
  RGBQUAD palette[256];
  ASSERT_TRUE(CMedianCut::Quantise(picture.header, picture.pixels.data(), palette));
  std::set<std::tuple<int, int, int>> found;
  for (const RGBQUAD& entry : palette) found.insert(Rgb(entry));
  for (auto [r, g, b] : colours) {
    EXPECT_TRUE(found.count({r / 8 * 255 / 31, g / 8 * 255 / 31, b / 8 * 255 / 31})) << r << "," << g << "," << b;
  }
}

TEST(CMedianCut, ManyColoursStillGiveAFullTableOfCellColours) {
  std::vector<std::tuple<int, int, int>> colours;
  for (int i = 0; i < 300; ++i) colours.emplace_back(8 * (i % 30) + 8, 8 * ((i / 30) % 10) + 40, 8 * (i % 7) + 100);
  Picture picture = MakePicture(60, 50, 24, colours);
  RGBQUAD palette[256];
  ASSERT_TRUE(CMedianCut::Quantise(picture.header, picture.pixels.data(), palette));
  int greys = 0;
  for (int i = 8; i < 256; ++i) greys += Rgb(palette[i]) == kEmptyBox;
  EXPECT_LT(greys, 8);
}

TEST(CMedianCut, OnlyTrueColourPicturesAreQuantised) {
  for (int bits : {1, 4, 8, 16}) {
    BITMAPINFOHEADER header{40, 4, 4, 1, static_cast<WORD>(bits), 0, 0, 0, 0, 0, 0};
    std::vector<BYTE> pixels(64);
    RGBQUAD palette[256];
    EXPECT_FALSE(CMedianCut::Quantise(header, pixels.data(), palette)) << bits;
  }
}

}  // namespace
