#include <gtest/gtest.h>

#include "imaging/picture/tests/PictureTestSupport.h"
#include "win32/Gdi.h"
#include "win32/Memory.h"

using namespace picture_tests;

namespace {

class PictureTableTest : public ::testing::Test {
 protected:
  void SetUp() override { QORIMG_ShowErrorMessages(0); }
  void TearDown() override {
    for (std::uintptr_t w : bound) QORIMG_UnloadPicture(Window(w), QORIMG_GetImgStruct(Window(w)));
  }
  QORIMG_PICTURE* Bind(std::uintptr_t w) {
    bound.push_back(w);
    return QORIMG_GetImgStruct(Window(w));
  }
  std::vector<std::uintptr_t> bound;
};

// The table holds 20 windows; the 20th gets its entry at once, a 21st none.
TEST_F(PictureTableTest, TwentyWindowsGetPicturesAndTheTwentyFirstIsRefused) {
  std::vector<QORIMG_PICTURE*> pictures;
  for (std::uintptr_t w = 1; w <= 20; ++w) {
    pictures.push_back(Bind(0x100 + w));
    ASSERT_NE(pictures.back(), nullptr) << w;
    EXPECT_EQ(QORIMG_GetLastError(nullptr), 1);
  }
  EXPECT_EQ(Bind(0x200), nullptr);
  EXPECT_EQ(QORIMG_GetLastError(nullptr), -19);
  EXPECT_EQ(PictureTableCount(), 20);
  EXPECT_EQ(Bind(0x200), nullptr);  // nothing was recorded for it
  for (std::uintptr_t w = 1; w <= 20; ++w) EXPECT_EQ(Bind(0x100 + w), pictures[w - 1]);
}

TEST_F(PictureTableTest, UnloadFreesTheEntryForTheNextWindow) {
  QORIMG_PICTURE* first = Bind(0x301);
  QORIMG_PICTURE* second = Bind(0x302);
  ASSERT_TRUE(first && second);
  first->nDrfWidth = 77;
  QORIMG_UnloadPicture(Window(0x301), nullptr);  // a null picture does nothing
  EXPECT_EQ(Bind(0x301), first);
  EXPECT_EQ(first->nDrfWidth, 77);

  const int count = PictureTableCount();
  QORIMG_UnloadPicture(Window(0x301), first);
  QORIMG_PICTURE* third = Bind(0x303);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->nDrfWidth, 0);  // a fresh, zero-filled record
  EXPECT_EQ(PictureTableCount(), count);
}

// A window whose entry lies behind a freed one keeps its own record.
TEST_F(PictureTableTest, AWindowKeepsItsRecordWhenAnEarlierEntryIsFree) {
  Bind(0x401);
  QORIMG_PICTURE* later = Bind(0x402);
  later->nDrfWidth = 5;
  QORIMG_UnloadPicture(Window(0x401), QORIMG_GetImgStruct(Window(0x401)));
  EXPECT_EQ(Bind(0x402), later);
  EXPECT_EQ(later->nDrfWidth, 5);
}

TEST_F(PictureTableTest, UnloadWithoutWindowFreesEveryEntryOfThePicture) {
  QORIMG_PICTURE* picture = Bind(0x501);
  QORIMG_UnloadPicture(nullptr, picture);
  QORIMG_PICTURE* again = Bind(0x501);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->nHotspotCount, 0);
}

TEST_F(PictureTableTest, NullPictureGivesTheFailureValues) {
  EXPECT_EQ(QORIMG_GetDRFSize(nullptr), -1);
  EXPECT_EQ(QORIMG_GetTIFFSize(nullptr), -1);
  EXPECT_EQ(QORIMG_GetDRFSpotOffset(nullptr), -1);
  EXPECT_EQ(QORIMG_GetGraphicsMode(nullptr), -1);
  EXPECT_EQ(QORIMG_DecodeDRF2DIB(nullptr, nullptr), 0);
  EXPECT_EQ(QORIMG_DecodeTIFF2DIB(nullptr, nullptr), 0);
  EXPECT_EQ(QORIMG_GetDRFColorInfo(nullptr, nullptr, nullptr), 0);
}

TEST_F(PictureTableTest, PairsCarryTheFirstValueInTheLowHalf) {
  QORIMG_PICTURE* picture = Bind(0x601);
  picture->nDrfSpotOffsetX = -2;
  picture->nDrfSpotOffsetY = 3;
  LONGLONG pair = QORIMG_GetDRFSpotOffset(picture);
  EXPECT_EQ(static_cast<LONG>(pair & 0xFFFFFFFF), -2);
  EXPECT_EQ(static_cast<LONG>(pair >> 32), 3);
}

}  // namespace

namespace {

// Opening a second picture in the same window frees what the first one held
// and builds the second one's own palette.
TEST(PictureReset, ReopeningFreesTheEarlierPicturesBlocksAndPalette) {
  using namespace imaging::testing;
  layer::testing::TempFolder folder;
  folder.Write("six.drf", WriteDrfFile(MakeDrfTestPicture(6, 40, 10)));
  folder.Write("seven.drf", WriteDrfFile(MakeDrfTestPicture(7, 40, 10)));
  std::vector<BYTE> target(40 + 4 * 240 + 48 * 10);
  HGLOBAL firstBlock = nullptr;
  {
    OpenedPicture first("", folder / "six.drf", QORIMG_FILE_DRF);
    ASSERT_TRUE(QORIMG_DecodeDRF2DIB(first.Get(), target.data()));
    firstBlock = first->hPixelBlocks[0];
    ASSERT_NE(GlobalLock(firstBlock), nullptr);
    GlobalUnlock(firstBlock);

    QORIMG_PICTURE* second =
        QORIMG_OpenImage(Window(0xF00D), 0, nullptr, "", (folder / "seven.drf").c_str(), 0, QORIMG_FILE_DRF, 0);
    ASSERT_EQ(second, first.Get());
    // The freed handle is unknown now, unless the new block got it again.
    if (firstBlock != second->hPixelBlocks[0]) {
      EXPECT_EQ(GlobalLock(firstBlock), nullptr);
    }
    ASSERT_TRUE(QORIMG_DecodeDRF2DIB(second, target.data()));
    EXPECT_EQ(GetPaletteEntries(second->hPalette, 0, 0, nullptr), 64u);
  }
}

}  // namespace
