#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "imaging/picture/Palettes.h"
#include "imaging/picture/TiffGreyBands.h"
#include "imaging/picture/tests/PictureTestSupport.h"
#include "imaging/testing/TiffWriter.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

// The rendered output as one level per pixel, top row first.
struct Rendering {
  std::vector<std::vector<int>> levels;
  std::vector<LONG> bandRows;
};

Rendering Render(QORIMG_PICTURE* picture, RECT source, LONG width, LONG height) {
  Rendering result;
  result.levels.assign(height, std::vector<int>(width, -1));
  RenderTiffGreyBands(picture, source, width, height, [&](const GreyBand& band) {
    const std::size_t rowBytes = WIDTHBYTES(static_cast<std::size_t>(width) * 4);
    for (LONG r = 0; r < band.rows; ++r) {
      const BYTE* row = band.bits + rowBytes * (band.rows - 1 - r);
      for (LONG c = 0; c < width; ++c)
        result.levels[band.firstRow + r][c] = (c & 1) ? row[c / 2] & 15 : row[c / 2] >> 4;
    }
    result.bandRows.push_back(band.rows);
    return true;
  });
  return result;
}

class TiffGreyBandsTest : public ::testing::Test {
 protected:
  QORIMG_PICTURE* Open(const Bilevel& image) {
    TiffOptions options;
    options.rowsPerStrip = 3;
    folder.Write("grey.tif", WriteTiff(image, options));
    picture.reset();  // its window is the one reused
    picture.reset(new OpenedPicture(folder / "grey.tif", "", QORIMG_FILE_TIFF));
    return picture->Get();
  }
  layer::testing::TempFolder folder;
  std::unique_ptr<OpenedPicture> picture;
};

TEST_F(TiffGreyBandsTest, OneToOneGivesBlackForBlackPixels) {
  const Bilevel image = MakeTestDrawing(37, 11, 2);
  QORIMG_PICTURE* tiff = Open(image);
  Rendering out = Render(tiff, {0, 0, 37, 11}, 37, 11);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(out.levels[y][x], image.At(x, y) ? 4 : 0) << x << "," << y;
  std::vector<PALETTEENTRY> palette = PaletteEntries(tiff);
  ASSERT_EQ(palette.size(), 5u);
  EXPECT_EQ(palette[2].peRed, 102);
}

// Halving both ways: each output pixel is the share of black among four.
TEST_F(TiffGreyBandsTest, ReductionGivesTheShareOfBlack) {
  Bilevel image(4, 2);
  image.At(0, 0) = 1;                                    // one of four
  image.At(2, 0) = image.At(3, 0) = image.At(2, 1) = 1;  // three of four
  Rendering out = Render(Open(image), {0, 0, 4, 2}, 2, 1);
  EXPECT_EQ(out.levels[0][0], 1);
  EXPECT_EQ(out.levels[0][1], 3);
}

TEST_F(TiffGreyBandsTest, EnlargementRepeatsSourcePixelsAndPartsStartAtTheirCorner) {
  Bilevel image(8, 8);
  image.At(5, 6) = 1;
  Rendering out = Render(Open(image), {4, 6, 8, 8}, 8, 4);  // twice the source part
  EXPECT_EQ(out.levels[0][2], 4);
  EXPECT_EQ(out.levels[1][3], 4);
  EXPECT_EQ(out.levels[0][4], 0);
  EXPECT_EQ(out.levels[2][2], 0);
}

// The share of black among the source pixels of each output pixel, counted
// pixel by pixel: source position i of n covers i * size / n up to
// (i + 1) * size / n, at least one pixel.
std::vector<std::vector<int>> Reference(const Bilevel& image, RECT source, LONG width, LONG height) {
  auto span = [](LONG i, LONG n, LONG size) {
    const LONG first = static_cast<LONG>(static_cast<long long>(i) * size / n);
    const LONG end = static_cast<LONG>(static_cast<long long>(i + 1) * size / n);
    return std::make_pair(first, std::max<LONG>(first + 1, end));
  };
  std::vector<std::vector<int>> levels(height, std::vector<int>(width));
  for (LONG r = 0; r < height; ++r)
    for (LONG c = 0; c < width; ++c) {
      const auto rows = span(r, height, source.bottom - source.top), cols = span(c, width, source.right - source.left);
      long black = 0;
      for (LONG y = rows.first; y < rows.second; ++y)
        for (LONG x = cols.first; x < cols.second; ++x) black += image.At(source.left + x, source.top + y);
      levels[r][c] = static_cast<int>(black * 4 / ((rows.second - rows.first) * (cols.second - cols.first)));
    }
  return levels;
}

struct ScaleCase {
  const char* what;
  RECT source;
  LONG width, height;
};

TEST_F(TiffGreyBandsTest, EveryScaleAgreesWithCountingPixelByPixel) {
  Bilevel image = MakeTestDrawing(203, 97, 6);
  for (POINT dot : {POINT{20, 8}, POINT{25, 12}, POINT{33, 20}, POINT{150, 50}}) {  // single black pixels
    for (int y = dot.y - 1; y <= dot.y + 1; ++y)
      for (int x = dot.x - 1; x <= dot.x + 1; ++x) image.At(x, y) = 0;
    image.At(dot.x, dot.y) = 1;
  }
  QORIMG_PICTURE* tiff = Open(image);
  const ScaleCase cases[] = {
      {"reduced by an uneven factor", {0, 0, 203, 97}, 61, 29},
      {"reduced across, enlarged down", {0, 0, 203, 97}, 50, 150},
      {"enlarged by an uneven factor", {17, 5, 40, 30}, 71, 53},
      {"a part at its own size", {100, 40, 203, 97}, 103, 57},
      {"one output pixel", {0, 0, 203, 97}, 1, 1},
  };
  for (const ScaleCase& c : cases) {
    const auto expected = Reference(image, c.source, c.width, c.height);
    std::set<int> levels;
    for (const auto& row : expected) levels.insert(row.begin(), row.end());
    EXPECT_TRUE(c.width == 1 || (levels.count(0) && levels.size() > 1)) << c.what << ": the part shows nothing";
    EXPECT_TRUE(Render(tiff, c.source, c.width, c.height).levels == expected) << c.what;
  }
}

TEST(GreyBandRows, BandsFitSixtyFourThousandBytesAndHoldAtLeastOneRow) {
  EXPECT_EQ(GreyBandRows(1000, 500), 64);
  EXPECT_EQ(GreyBandRows(100, 30), 29);
  EXPECT_EQ(GreyBandRows(100, 1), 1);
  EXPECT_EQ(GreyBandRows(200000, 50), 1);
}

TEST_F(TiffGreyBandsTest, EveryOutputRowLiesInOneBand) {
  Rendering out = Render(Open(MakeTestDrawing(300, 200)), {0, 0, 300, 200}, 1000, 150);
  EXPECT_EQ(out.bandRows, (std::vector<LONG>{64, 64, 22}));
  for (const auto& row : out.levels) EXPECT_EQ(std::count(row.begin(), row.end(), -1), 0);
}

}  // namespace
