// Damaged and hostile picture files: flipped bytes, cut files and huge values
// in every field fail with an error code or decode to something, but never
// crash, read outside the file or allocate without bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "imaging/picture/tests/PictureTestSupport.h"
#include "imaging/testing/TiffWriter.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

constexpr std::size_t kLargestTarget = 64 << 20;

std::string Damage(std::string bytes, std::mt19937& random) {
  if (bytes.empty()) return bytes;
  switch (random() % 4) {
    case 0:  // cut
      bytes.resize(random() % bytes.size());
      break;
    case 1:  // a few flipped bits
      for (int i = 1 + random() % 8; i > 0; --i)
        bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
      break;
    case 2: {  // a huge or negative value over some field near the start
      std::size_t at = random() % std::min<std::size_t>(bytes.size(), 400);
      const char* values[] = {"\xFF\xFF\xFF\xFF", "\x00\x00\x00\x80", "\xFF\x7F\xFF\x7F", "\x00\x00\x00\x00"};
      bytes.replace(at, std::min<std::size_t>(4, bytes.size() - at), values[random() % 4],
                    std::min<std::size_t>(4, bytes.size() - at));
      break;
    }
    default:  // random bytes anywhere
      for (int i = 1 + random() % 32; i > 0; --i) bytes[random() % bytes.size()] = static_cast<char>(random());
  }
  return bytes;
}

void DecodeWhatLoaded(QORIMG_PICTURE* picture, bool tiff) {
  if (tiff) {
    const std::size_t size = 48 + WIDTHBYTES(static_cast<std::size_t>(picture->nTiffWidth)) * picture->nTiffHeight;
    if (size > kLargestTarget) return;
    std::vector<BYTE> target(size);
    QORIMG_DecodeTIFF2DIB(picture, target.data());
    return;
  }
  WORD bits = 0, colours = 0;
  if (!QORIMG_GetDRFColorInfo(picture, &bits, &colours)) return;
  const std::size_t stride = (picture->nDrfWidth + 15) / 16 * 16;
  const std::size_t size = 40 + 4 * colours + stride * bits / 8 * picture->nDrfHeight;
  if (size > kLargestTarget) return;
  std::vector<BYTE> target(size);
  QORIMG_DecodeDRF2DIB(picture, target.data());
}

void RunDamaged(const std::vector<std::string>& fixtures, bool tiff, const std::set<int>& errors, unsigned seed) {
  layer::testing::TempFolder folder;
  std::mt19937 random(seed);
  for (int round = 0; round < 300; ++round) {
    const std::string& fixture = fixtures[round % fixtures.size()];
    folder.Write("damaged", Damage(fixture, random));
    OpenedPicture picture(tiff ? folder / "damaged" : "", tiff ? "" : folder / "damaged",
                          tiff ? QORIMG_FILE_TIFF : QORIMG_FILE_DRF);
    const int error = 1 - picture.Error();
    if (!picture.Get()) {
      EXPECT_TRUE(errors.count(error)) << "error " << error << " in round " << round;
      continue;
    }
    EXPECT_TRUE(error == 0 || errors.count(error)) << "error " << error << " in round " << round;
    DecodeWhatLoaded(picture.Get(), tiff);
  }
}

TEST(DamagedFiles, DrfReaderFailsWithItsErrorsOnly) {
  std::vector<std::string> fixtures;
  DrfOptions compressed;
  compressed.compressedRasters = true;
  std::vector<DrfHotspot> spots = {{"A", "a", 1, 2, 9, 9, 1}, {"B", "b", 4, 4, 12, 11, 1}};
  for (int type : {5, 6, 7, 8}) {
    fixtures.push_back(WriteDrfFile(MakeDrfTestPicture(type, 90, 30, type), spots));
    fixtures.push_back(WriteDrfFile(MakeDrfTestPicture(type, 33, 17, type), spots, compressed));
  }
  // Flag 0x10 and the other raster kind may be switched on by the damage.
  RunDamaged(fixtures, false, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18, 19}, 8);
}

TEST(DamagedFiles, TiffReaderFailsWithItsErrorsOnly) {
  std::vector<std::string> fixtures;
  TiffOptions options;
  options.hotspots = {{1, 2, 3, 4, "A-1", "x", 0}, {5, 6, 7, 8, "B", "", 1}};
  for (bool big : {false, true}) {
    options.bigEndian = big;
    options.rowsPerStrip = big ? 6 : 0;
    fixtures.push_back(WriteTiff(MakeTestDrawing(120, 30, 3), options));
  }
  RunDamaged(fixtures, true, {12, 13, 15}, 9);
}

}  // namespace
