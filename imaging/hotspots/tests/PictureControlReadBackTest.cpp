// Hotspots written into DRF and TIFF pictures read back by the picture
// control, the reader the catalogue's pictures meet in the viewer.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "HotspotFixtures.h"
#include "imaging/testing/DrfEncoder.h"
#include "imaging/testing/TiffWriter.h"
#include "interfaces/QridIMG.h"
#include "testing/TempFolder.h"

namespace {

using hotspots::testing::MakeList;
using hotspots::testing::Spot;

std::vector<Spot> SlotsOf(const QORIMG_PICTURE* picture) {
  std::vector<Spot> spots;
  for (LONG i = 0; i < picture->nHotspotCount; ++i) {
    const QORIMG_HOTSPOT& slot = picture->hotspots[i];
    spots.push_back({slot.rcPicture.left, slot.rcPicture.top, slot.rcPicture.right, slot.rcPicture.bottom,
                     slot.szName, slot.szText2, slot.bFlag});
  }
  return spots;
}

class PictureControlReadBack : public testing::Test {
 protected:
  void SetUp() override { QORIMG_ShowErrorMessages(0); }

  std::vector<Spot> Saved(const std::string& name, const std::vector<Spot>& spots, LONG fileType) {
    HS_HANDLE list = MakeList(spots);
    EXPECT_EQ(HS_SaveFile(list, (folder / name).c_str()), 1);
    HS_Delete(list);
    HWND window = reinterpret_cast<HWND>(std::uintptr_t{0xBEEF});
    std::string path = folder / name;
    QORIMG_PICTURE* picture = QORIMG_OpenImage(window, 0, nullptr, fileType == QORIMG_FILE_TIFF ? path.c_str() : "",
                                               fileType == QORIMG_FILE_DRF ? path.c_str() : "", 0, fileType, 0);
    EXPECT_NE(picture, nullptr);
    std::vector<Spot> read = picture ? SlotsOf(picture) : std::vector<Spot>{};
    QORIMG_UnloadPicture(window, picture);
    return read;
  }

  layer::testing::TempFolder folder;
};

// Names of 31 characters and second texts of 24 are the most that the
// picture control's slots keep.
const std::string name31(31, 'N');
const std::string text24(24, 'T');

TEST_F(PictureControlReadBack, DrfRecordsInBothForms) {
  struct Case {
    const char* what;
    std::vector<Spot> spots;
  } cases[] = {
      {"compressed", {{1, 2, 11, 7, "A", "#1", 1}, {20, 3, 30, 8, name31, text24, 1}, {5, 9, 15, 14, "C", "", 1}}},
      {"plain", {{1, 2, 11, 7, "A", "#1", 3}, {20, 3, 33, 8, name31, text24, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    imaging::testing::DrfPicture picture = imaging::testing::MakeDrfTestPicture(6, 40, 30);
    folder.Write("pic.drf", imaging::testing::WriteDrfFile(picture));
    EXPECT_EQ(Saved("pic.drf", c.spots, QORIMG_FILE_DRF), c.spots);
  }
}

TEST_F(PictureControlReadBack, CompressedTextsOfTheLongestLengthKeepTheNextRecordInPlace) {
  folder.Write("pic.drf", imaging::testing::WriteDrfFile(imaging::testing::MakeDrfTestPicture(5, 16, 8)));
  std::vector<Spot> spots = {{0, 0, 4, 4, name31 + "XY", text24 + "XY", 0}, {8, 0, 12, 4, "next", "text", 0}};
  std::vector<Spot> kept = {{0, 0, 4, 4, name31, text24, 0}, {8, 0, 12, 4, "next", "text", 0}};
  EXPECT_EQ(Saved("pic.drf", spots, QORIMG_FILE_DRF), kept);
}

TEST_F(PictureControlReadBack, TiffTagInBothByteOrders) {
  std::vector<Spot> spots = {{3, 4, 13, 9, "Teil 1", "#101", 2}, {20, 1, 25, 30, name31, text24, 0}};
  for (bool big : {false, true}) {
    SCOPED_TRACE(big ? "MM" : "II");
    imaging::testing::TiffOptions options{.bigEndian = big, .rowsPerStrip = 8};
    options.hotspots = {{1, 1, 5, 5, "alt", "", 1}};
    folder.Write("pic.tif", imaging::testing::WriteTiff(imaging::testing::MakeTestDrawing(64, 32), options));
    EXPECT_EQ(Saved("pic.tif", spots, QORIMG_FILE_TIFF), spots);
    folder.Write("new.tif", imaging::testing::WriteTiff(imaging::testing::MakeTestDrawing(64, 32), {.bigEndian = big}));
    EXPECT_EQ(Saved("new.tif", spots, QORIMG_FILE_TIFF), spots);
  }
}

}  // namespace
