#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "imaging/picture/Palettes.h"
#include "imaging/picture/tests/PictureTestSupport.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

bool Same(const PALETTEENTRY& e, BYTE r, BYTE g, BYTE b) { return e.peRed == r && e.peGreen == g && e.peBlue == b; }

class PalettesTest : public ::testing::Test {
 protected:
  void TearDown() override { QORIMG_SetPaletteEntries(nullptr, nullptr, -1); }
  // A type 6 picture whose colour table starts with the given 6-bit colours
  // and repeats the last one.
  std::string TypeSix(const std::vector<std::array<std::uint8_t, 3>>& colours) {
    DrfPicture picture = MakeDrfTestPicture(6, 16, 4);
    for (std::size_t i = 0; i < picture.colours.size(); ++i)
      picture.colours[i] = colours[std::min(i, colours.size() - 1)];
    folder.Write("six.drf", WriteDrfFile(picture));
    return folder / "six.drf";
  }
  layer::testing::TempFolder folder;
};

TEST_F(PalettesTest, OwnPaletteTakesTheColourTable) {
  folder.Write("grey.drf", WriteDrfFile(MakeDrfTestPicture(7, 16, 4)));
  OpenedPicture picture("", folder / "grey.drf", QORIMG_FILE_DRF);
  DecodedDrf decoded;
  ASSERT_TRUE(DecodeDrf(picture.Get(), &decoded));
  std::vector<PALETTEENTRY> entries = PaletteEntries(picture.Get());
  ASSERT_EQ(entries.size(), 64u);
  EXPECT_TRUE(Same(entries[10], 40, 40, 40));
  EXPECT_EQ(entries[10].peFlags, 0);

  int fill = -1;
  ASSERT_TRUE(BuildPalette(&fill, picture.Get(), kTiffPalette));
  entries = PaletteEntries(picture.Get());
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_TRUE(Same(entries[0], 255, 255, 255));
  EXPECT_TRUE(Same(entries[1], 153, 153, 153));
  EXPECT_TRUE(Same(entries[4], 0, 0, 0));
  EXPECT_EQ(fill, 0);
  EXPECT_FALSE(BuildPalette(nullptr, picture.Get(), 7));
}

TEST_F(PalettesTest, CallerPaletteEntriesAreCappedAndSwitched) {
  std::vector<COLORREF> colours(300, RGB(1, 2, 3));
  EXPECT_EQ(QORIMG_SetPaletteEntries(nullptr, colours.data(), 300), 256);
  std::vector<COLORREF> out(256);
  EXPECT_EQ(QORIMG_GetPaletteEntries(nullptr, out.data()), 256);
  EXPECT_EQ(out[255], RGB(1, 2, 3));

  folder.Write("g.drf", WriteDrfFile(MakeDrfTestPicture(7, 16, 4)));
  OpenedPicture picture("", folder / "g.drf", QORIMG_FILE_DRF);
  EXPECT_EQ(QORIMG_SetPaletteEntries(picture.Get(), nullptr, 0), 0);
  EXPECT_EQ(picture->bUseCallerPalette, 1);
  EXPECT_EQ(QORIMG_SetPaletteEntries(picture.Get(), nullptr, -5), -1);
  EXPECT_EQ(picture->bUseCallerPalette, 0);
}

// The shared palette keeps the system's colours and greys in place, gives
// the picture's colours that repeat them a replacement, leaves the bitmap's
// indices alone and hands its 230 picture colours to the next picture.
TEST_F(PalettesTest, SharedPaletteKeepsSystemColoursAndSharesThePictureColours) {
  // black (a system colour), red, then red again
  OpenedPicture picture("", TypeSix({{0, 0, 0}, {40, 0, 0}, {40, 0, 0}}), QORIMG_FILE_DRF);
  QORIMG_SetPaletteEntries(picture.Get(), nullptr, 0);
  DecodedDrf decoded;
  ASSERT_TRUE(DecodeDrf(picture.Get(), &decoded));
  std::vector<PALETTEENTRY> entries = PaletteEntries(picture.Get());
  ASSERT_EQ(entries.size(), 256u);
  EXPECT_TRUE(Same(entries[0], 0, 0, 0));
  EXPECT_TRUE(Same(entries[7], 192, 192, 192));
  EXPECT_TRUE(Same(entries[10], 153, 153, 153));
  EXPECT_TRUE(Same(entries[245], 205, 205, 205));
  EXPECT_TRUE(Same(entries[255], 255, 255, 255));
  EXPECT_TRUE(Same(entries[13], 0, 0, 1));  // black was taken by entry 0
  EXPECT_TRUE(Same(entries[14], 160, 0, 0));
  EXPECT_TRUE(Same(entries[15], 0, 0, 2));  // fewer than 230 colours: the rest made distinct
  for (int i = 13; i < 243; ++i)
    for (int j = 0; j < i; ++j)
      ASSERT_FALSE(Same(entries[i], entries[j].peRed, entries[j].peGreen, entries[j].peBlue)) << i << " " << j;
  EXPECT_EQ(decoded.colours[0].rgbRed, 0);  // the bitmap keeps its own table

  std::vector<COLORREF> shared(256);
  EXPECT_EQ(QORIMG_GetPaletteEntries(nullptr, shared.data()), 230);
  EXPECT_EQ(shared[1], RGB(160, 0, 0));

  // A TIFF shown next with the shared palette uses the same colours.
  int fill = -1;
  ASSERT_TRUE(BuildPalette(&fill, picture.Get(), kTiffPalette));
  entries = PaletteEntries(picture.Get());
  EXPECT_TRUE(Same(entries[14], 160, 0, 0));
  EXPECT_EQ(fill, 255);
}

TEST_F(PalettesTest, MoreThan230DistinctColoursArePickedEvenly) {
  std::vector<std::array<std::uint8_t, 3>> colours;
  for (int i = 0; i < 240; ++i)
    colours.push_back({static_cast<std::uint8_t>(i / 4), static_cast<std::uint8_t>(i % 4 + 8), 9});
  OpenedPicture picture("", TypeSix(colours), QORIMG_FILE_DRF);
  QORIMG_SetPaletteEntries(picture.Get(), nullptr, 0);
  DecodedDrf decoded;
  ASSERT_TRUE(DecodeDrf(picture.Get(), &decoded));
  std::vector<PALETTEENTRY> entries = PaletteEntries(picture.Get());
  // entry 13 + k takes colour k * 239 / 229
  for (int k : {0, 1, 100, 229}) {
    const auto& c = colours[k * 239 / 229];
    EXPECT_TRUE(Same(entries[13 + k], 4 * c[0], 4 * c[1], 4 * c[2])) << k;
  }
}

}  // namespace
