#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "imaging/picture/DrfBitmap.h"
#include "imaging/picture/Palettes.h"
#include "imaging/picture/tests/PictureTestSupport.h"
#include "win32/Memory.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

TEST(DrfGeometry, StrideStripesAndLastStripe) {
  struct Case {
    LONG width, height;
    WORD bits;
    LONG stride, lines, stripes, last;
  };
  const Case cases[] = {
      {100, 10, 8, 112, 584, 1, 10},    // 65536 / 112 = 585, minus 1
      {96, 10, 8, 96, 681, 1, 10},      //
      {1024, 126, 8, 1024, 63, 2, 63},  // a multiple of the stripe height
      {1024, 127, 8, 1024, 63, 3, 1},   //
      {2000, 1500, 8, 2000, 31, 49, 12}, {100, 10, 4, 112, 1169, 1, 10},
  };
  for (const Case& c : cases) {
    DrfGeometry g = DrfGeometryOf(c.width, c.height, c.bits);
    EXPECT_EQ(g.stride, c.stride) << c.width;
    EXPECT_EQ(g.linesPerStripe, c.lines) << c.width;
    EXPECT_EQ(g.stripes, c.stripes) << c.width;
    EXPECT_EQ(g.linesLastStripe, c.last) << c.width;
  }
}

class DrfCodeTest : public ::testing::Test {
 protected:
  // Opens a picture whose pixel data are the given bytes.
  OpenedPicture* Open(int type, int width, int height, const std::string& data) {
    folder.Write("codes.drf", WriteDrfFile(DrfPicture(type, width, height), data));
    opened.reset();  // its window is the one reused
    opened.reset(new OpenedPicture("", folder / "codes.drf", QORIMG_FILE_DRF));
    return opened.get();
  }
  layer::testing::TempFolder folder;
  std::unique_ptr<OpenedPicture> opened;
};

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

TEST_F(DrfCodeTest, HandWrittenCodesOfEachDecoder) {
  struct Case {
    const char* what;
    int type;
    std::string data;
    std::vector<int> firstPixels;
  };
  const std::string table(722, '\0');
  const Case cases[] = {
      {"grey run of four at level 5", 7, Bytes({0, 3, 0xC5}), {5, 5, 5, 5, 0}},
      {"grey level 0 skips a pixel", 7, Bytes({0, 4, 0x00, 0x07}), {0, 7, 0}},
      {"two-bit run of one pixel of colour 1", 5, Bytes({0, 1, 0x0B}), {1, 0}},
      {"two-bit group of three", 5, Bytes({0, 2, 0x06, 0b111001}), {1, 2, 3, 0}},
      {"two-bit run of colour 0 only advances", 5, Bytes({0, 2, 0x11, 0x0F}), {0, 0, 3, 0}},
      {"byte pixel and run", 6, table + Bytes({0, 7, 16 + 9, 3, 16 + 4, 0}), {9, 4, 4, 4}},
  };
  for (const Case& c : cases) {
    OpenedPicture* picture = Open(c.type, 16, 1, c.data);
    ASSERT_NE(picture->Get(), nullptr) << c.what;
    DecodedDrf decoded;
    ASSERT_TRUE(DecodeDrf(picture->Get(), &decoded)) << c.what;
    std::vector<int> first(decoded.pixels.begin(), decoded.pixels.begin() + c.firstPixels.size());
    EXPECT_EQ(first, c.firstPixels) << c.what;
  }
}

// A line whose codes end early is filled with the colour nearest to white
// when the palette is made in the same build, with 0 when it existed before.
TEST_F(DrfCodeTest, ShortTypeSixLineIsFilledWithTheWhitestColour) {
  std::string data(722, '\0');
  data[2 + 3 * 200] = data[3 + 3 * 200] = data[4 + 3 * 200] = 63;  // colour 200 is white
  data += Bytes({0, 4, 16 + 1, 0});
  OpenedPicture* picture = Open(6, 20, 1, data);
  DecodedDrf decoded;
  ASSERT_TRUE(DecodeDrf(picture->Get(), &decoded));
  EXPECT_EQ(decoded.pixels[0], 1);
  EXPECT_EQ(decoded.pixels[1], 200);
  EXPECT_EQ(decoded.pixels[19], 200);

  ASSERT_TRUE(DecodeDrf(picture->Get(), &decoded));  // the palette stands now
  EXPECT_EQ(decoded.pixels[1], 0);
}

TEST_F(DrfCodeTest, TypeEightStaysAtColourZero) {
  OpenedPicture* picture = Open(8, 30, 4, "whatever");
  DecodedDrf decoded;
  ASSERT_TRUE(DecodeDrf(picture->Get(), &decoded));
  EXPECT_EQ(std::count(decoded.pixels.begin(), decoded.pixels.end(), 0), 30 * 4);
}

TEST_F(DrfCodeTest, ColourInfoPerType) {
  struct Case {
    int type;
    LONG result;
    WORD bits, colours;
  };
  for (const Case& c : {Case{5, 1, 4, 4}, Case{6, 1, 8, 240}, Case{7, 1, 8, 64}, Case{8, 1, 4, 4}, Case{9, 0, 0, 0}}) {
    OpenedPicture* picture = Open(c.type, 16, 1, "");
    WORD bits = 0, colours = 0;
    EXPECT_EQ(QORIMG_GetDRFColorInfo(picture->Get(), &bits, &colours), c.result) << c.type;
    EXPECT_EQ(bits, c.bits);
    EXPECT_EQ(colours, c.colours);
  }
  OpenedPicture* unknown = Open(4, 16, 1, "");
  std::vector<BYTE> target(4096);
  EXPECT_EQ(QORIMG_DecodeDRF2DIB(unknown->Get(), target.data()), 0);
}

// A picture that needs more stripes than the record has slots fails instead
// of writing past them.
TEST_F(DrfCodeTest, PictureNeedingMoreStripesThanSlotsFails) {
  DrfPicture wide(6, 32000, QORIMG_STRIPE_SLOTS + 1);  // one line per stripe
  OpenedPicture* picture = Open(6, wide.width, wide.height, EncodeDrfPixelData(wide));
  ASSERT_NE(picture->Get(), nullptr);
  std::vector<BYTE> target(40 + 4 * 240 + static_cast<std::size_t>(32000) * wide.height);
  EXPECT_EQ(QORIMG_DecodeDRF2DIB(picture->Get(), target.data()), 0);
  EXPECT_EQ(QORIMG_GetLastError(nullptr), 1 - QORIMG_ERR_BITMAP_MEMORY);
}

TEST_F(DrfCodeTest, ClipboardBlockHoldsThePackedBitmap) {
  DrfPicture source = MakeDrfTestPicture(7, 21, 5);
  folder.Write("clip.drf", WriteDrfFile(source));
  OpenedPicture picture("", folder / "clip.drf", QORIMG_FILE_DRF);
  HGLOBAL block = MakeDRFClipboardDIB(picture.Get());
  ASSERT_NE(block, nullptr);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
  EXPECT_EQ(header->biWidth, 21);
  EXPECT_EQ(header->biHeight, 5);
  const BYTE* bits = reinterpret_cast<const BYTE*>(header) + 40 + 4 * 64;
  EXPECT_EQ(bits[4 * 24 + 3], source.At(3, 0));  // the top line is the last of five
  GlobalUnlock(block);
  GlobalFree(block);

  picture->nContent = 0;
  EXPECT_EQ(MakeDRFClipboardDIB(picture.Get()), nullptr);
}

}  // namespace
