#include <gtest/gtest.h>

#include "imaging/picture/tests/PictureTestSupport.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

class DrfReaderTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes, const std::string& name = "picture.drf") {
    folder.Write(name, bytes);
    return folder / name;
  }
  layer::testing::TempFolder folder;
};

std::vector<DrfHotspot> NumberedHotspots(int count, int width = 10, int height = 6) {
  std::vector<DrfHotspot> spots;
  for (int i = 0; i < count; ++i) {
    auto x = static_cast<std::int16_t>(3 * i), y = static_cast<std::int16_t>(i);
    spots.push_back({"P" + std::to_string(i), "T" + std::to_string(i), x, y, static_cast<std::int16_t>(x + width),
                     static_cast<std::int16_t>(y + height), 0});
  }
  return spots;
}

// Every type, at widths on and off the 16-pixel stride and heights on and off
// the stripe size, decodes to exactly the pixels the encoder started from.
TEST_F(DrfReaderTest, EveryTypeDecodesToThePixelsThatWereEncoded) {
  struct Case {
    int type, width, height;
  };
  const Case cases[] = {{5, 100, 40},  {5, 1, 3},     {5, 333, 400}, {6, 96, 20}, {6, 17, 9},   {6, 1024, 126},
                        {6, 2000, 70}, {7, 100, 130}, {7, 3, 2},     {8, 50, 20}, {7, 4000, 33}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "type " << c.type << " " << c.width << "x" << c.height);
    DrfPicture source = MakeDrfTestPicture(c.type, c.width, c.height, c.width);
    OpenedPicture picture("", Write(WriteDrfFile(source)), QORIMG_FILE_DRF);
    ASSERT_NE(picture.Get(), nullptr);
    EXPECT_EQ(QORIMG_GetDRFSize(picture.Get()), (static_cast<LONGLONG>(c.height) << 32) | c.width);
    DecodedDrf decoded;
    ASSERT_TRUE(DecodeDrf(picture.Get(), &decoded));
    EXPECT_EQ(decoded.header.biWidth, c.width);
    EXPECT_EQ(decoded.header.biHeight, c.height);
    EXPECT_TRUE(decoded.pixels == source.pixels);
  }
}

TEST_F(DrfReaderTest, ColourTablesFollowThePictureType) {
  DrfPicture six = MakeDrfTestPicture(6, 16, 2);
  six.colours[7] = {63, 32, 1};
  OpenedPicture picture("", Write(WriteDrfFile(six)), QORIMG_FILE_DRF);
  DecodedDrf decoded;
  ASSERT_TRUE(DecodeDrf(picture.Get(), &decoded));
  ASSERT_EQ(decoded.colours.size(), 240u);
  EXPECT_EQ(decoded.colours[7].rgbRed, 252);
  EXPECT_EQ(decoded.colours[7].rgbGreen, 128);
  EXPECT_EQ(decoded.colours[7].rgbBlue, 4);

  OpenedPicture grey("", Write(WriteDrfFile(MakeDrfTestPicture(7, 16, 2)), "grey.drf"), QORIMG_FILE_DRF, 0, 0xF00E);
  ASSERT_TRUE(DecodeDrf(grey.Get(), &decoded));
  ASSERT_EQ(decoded.colours.size(), 64u);
  EXPECT_EQ(decoded.colours[63].rgbRed, 252);

  OpenedPicture twoBit("", Write(WriteDrfFile(MakeDrfTestPicture(5, 16, 2)), "two.drf"), QORIMG_FILE_DRF, 0, 0xF00F);
  twoBit->wRed = 0x1FF;  // only the low byte counts
  twoBit->wGreen = 0;
  ASSERT_TRUE(DecodeDrf(twoBit.Get(), &decoded));
  ASSERT_EQ(decoded.colours.size(), 4u);
  EXPECT_EQ(decoded.colours[0].rgbRed, 0xFF);
  EXPECT_EQ(decoded.colours[0].rgbGreen, 0);
  EXPECT_EQ(decoded.colours[1].rgbRed, 170);
  EXPECT_EQ(decoded.colours[2].rgbRed, 85);
  EXPECT_EQ(decoded.colours[3].rgbRed, 0);
}

TEST_F(DrfReaderTest, ExtensionMovesThePictureInfo) {
  DrfPicture source = MakeDrfTestPicture(7, 20, 5);
  DrfOptions options;
  options.extension = true;
  std::string bytes = WriteDrfFile(source, {}, options);
  EXPECT_EQ(bytes[61 + 1], 20);  // width at 61 + 1
  OpenedPicture picture("", Write(bytes), QORIMG_FILE_DRF);
  DecodedDrf decoded;
  ASSERT_TRUE(DecodeDrf(picture.Get(), &decoded));
  EXPECT_TRUE(decoded.pixels == source.pixels);
}

TEST_F(DrfReaderTest, DisplayModesOneAndFourReadHotspotsButNoPixels) {
  for (LONG mode : {1, 4}) {
    OpenedPicture picture("", Write(WriteDrfFile(MakeDrfTestPicture(6, 30, 5), NumberedHotspots(3))), QORIMG_FILE_DRF,
                          mode);
    ASSERT_NE(picture.Get(), nullptr);
    EXPECT_EQ(picture->hPixelBlocks[0], nullptr);
    EXPECT_EQ(picture->nHotspotCount, 3);
    EXPECT_EQ(picture->nDrfWidth, 30);
  }
}

// All 16 pixel blocks are usable: 16 x 64 KB load, one byte more does not.
TEST_F(DrfReaderTest, PixelDataFillsAllSixteenBlocks) {
  DrfPicture source(7, 16, 1);
  std::string data(16 * 65536, '\0');
  data[0] = 0;
  data[1] = 3;
  data[2] = static_cast<char>(0xC5);  // four pixels of level 5
  OpenedPicture full("", Write(WriteDrfFile(source, data)), QORIMG_FILE_DRF);
  ASSERT_NE(full.Get(), nullptr);
  EXPECT_NE(full->hPixelBlocks[15], nullptr);
  DecodedDrf decoded;
  ASSERT_TRUE(DecodeDrf(full.Get(), &decoded));
  EXPECT_EQ(decoded.pixels[3], 5);
  EXPECT_EQ(decoded.pixels[4], 0);

  OpenedPicture over("", Write(WriteDrfFile(source, data + "x"), "over.drf"), QORIMG_FILE_DRF, 0, 0xF010);
  EXPECT_EQ(over.Get(), nullptr);
  EXPECT_EQ(over.Error(), -8);
  for (HGLOBAL block : over.Bound()->hPixelBlocks) EXPECT_EQ(block, nullptr);
}

TEST_F(DrfReaderTest, DamagedFilesFailWithTheirErrors) {
  DrfPicture source = MakeDrfTestPicture(6, 40, 10);
  const std::string good = WriteDrfFile(source);
  auto withSize = [&](int width, int height) {
    DrfPicture sized = source;
    sized.width = width;
    sized.height = height;
    return WriteDrfFile(sized, EncodeDrfPixelData(source));
  };
  struct Case {
    const char* what;
    std::string bytes;
    int error;
  };
  const Case cases[] = {
      {"header cut", good.substr(0, 10), 7},
      {"picture info cut", good.substr(0, 20), 8},
      {"pixel data cut", good.substr(0, good.size() - 5), 11},
      {"width 0", withSize(0, 10), 8},
      {"height 0", withSize(40, 0), 8},
      {"negative width", withSize(-40, 10), 8},
  };
  for (const Case& c : cases) {
    OpenedPicture picture("", Write(c.bytes), QORIMG_FILE_DRF);
    EXPECT_EQ(picture.Get(), nullptr) << c.what;
    EXPECT_EQ(picture.Error(), 1 - c.error) << c.what;
    EXPECT_EQ(picture.Bound()->hPixelBlocks[0], nullptr) << c.what;
  }
  OpenedPicture missing("", folder / "none.drf", QORIMG_FILE_DRF);
  EXPECT_EQ(missing.Error(), -5);
  EXPECT_STREQ(missing.ErrorText(), "Unable to open DRF file");
}

TEST_F(DrfReaderTest, PlainRasterRecordsBecomeHotspots) {
  std::vector<DrfHotspot> spots = NumberedHotspots(2);
  spots[1].name = std::string(32, 'N');
  spots[1].text2 = std::string(25, 'S');
  spots[1].flag = 0b110;  // bytes 65, 66, 67 = 1, 0, 1
  OpenedPicture picture("", Write(WriteDrfFile(MakeDrfTestPicture(6, 40, 10), spots)), QORIMG_FILE_DRF);
  ASSERT_NE(picture.Get(), nullptr);
  ASSERT_EQ(picture->nHotspotCount, 2);
  const QORIMG_HOTSPOT& second = picture->hotspots[1];
  EXPECT_STREQ(second.szName, std::string(31, 'N').c_str());
  EXPECT_STREQ(second.szText2, std::string(24, 'S').c_str());
  EXPECT_EQ(second.bFlag, 0b110);
  EXPECT_EQ(second.bState, 0);
  EXPECT_EQ(second.rcPicture.left, 3);
  EXPECT_EQ(second.rcPicture.bottom, 7);
  EXPECT_EQ(second.rcWindow.right, second.rcPicture.right);
}

TEST_F(DrfReaderTest, CompressedRasterNamesOfFullLengthHaveNoTerminator) {
  std::vector<DrfHotspot> spots = NumberedHotspots(3, 8, 4);
  spots[0].name = std::string(32, 'A');
  spots[0].text2 = "second";
  spots[0].flag = 5;
  DrfOptions options;
  options.compressedRasters = true;
  OpenedPicture picture("", Write(WriteDrfFile(MakeDrfTestPicture(5, 40, 10), spots, options)), QORIMG_FILE_DRF);
  ASSERT_EQ(picture->nHotspotCount, 3);
  EXPECT_STREQ(picture->hotspots[0].szName, std::string(31, 'A').c_str());
  EXPECT_STREQ(picture->hotspots[0].szText2, "second");
  EXPECT_STREQ(picture->hotspots[2].szName, "P2");
  EXPECT_EQ(picture->hotspots[2].rcPicture.right, 6 + 8);
  EXPECT_EQ(picture->hotspots[2].rcPicture.bottom, 2 + 4);
  EXPECT_EQ(picture->hotspots[2].bFlag, 5);
}

TEST_F(DrfReaderTest, MoreThanSixHundredRastersKeepTheFirstSixHundred) {
  OpenedPicture picture("", Write(WriteDrfFile(MakeDrfTestPicture(6, 40, 10), NumberedHotspots(601))), QORIMG_FILE_DRF);
  ASSERT_NE(picture.Get(), nullptr);
  EXPECT_EQ(picture.Error(), -17);
  EXPECT_EQ(picture->nHotspotCount, 600);
  EXPECT_STREQ(picture->hotspots[599].szName, "P599");
}

// Short raster records set their error, keep what was read and the picture
// still loads; the hotspot count stays as it was.
TEST_F(DrfReaderTest, ShortRasterRecordsKeepThePicture) {
  const DrfPicture source = MakeDrfTestPicture(6, 40, 10);
  DrfOptions compressed;
  compressed.compressedRasters = true;
  const std::string plain = WriteDrfFile(source, NumberedHotspots(4));
  const std::string packed = WriteDrfFile(source, NumberedHotspots(4), compressed);
  const std::size_t rastersAt = plain.size() - 4 * 72;
  struct Case {
    const char* what;
    std::string bytes;
    int error;
  };
  const Case cases[] = {
      {"plain record cut", plain.substr(0, plain.size() - 10), 19},
      {"compressed head cut", packed.substr(0, rastersAt + 3), 16},
      {"compressed record cut", packed.substr(0, rastersAt + 5 + 2), 17},
  };
  for (const Case& c : cases) {
    OpenedPicture picture("", Write(c.bytes), QORIMG_FILE_DRF);
    ASSERT_NE(picture.Get(), nullptr) << c.what;
    EXPECT_EQ(picture.Error(), 1 - c.error) << c.what;
    EXPECT_EQ(picture->nHotspotCount, 0) << c.what;
    DecodedDrf decoded;
    ASSERT_TRUE(DecodeDrf(picture.Get(), &decoded));
    EXPECT_TRUE(decoded.pixels == source.pixels);
  }
}

TEST_F(DrfReaderTest, NoRasterOffsetLeavesTheHotspotCount) {
  OpenedPicture picture("", Write(WriteDrfFile(MakeDrfTestPicture(6, 40, 10))), QORIMG_FILE_DRF);
  EXPECT_EQ(picture->nHotspotCount, 0);
  EXPECT_EQ(picture.Error(), 1);
}

}  // namespace
