// The catalogue's exploded view in each of its formats loads with its
// picture size and the hotspots of the assemblies' keys and of the parts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interfaces/QridDib.h"
#include "interfaces/QridHtSp.h"
#include "interfaces/QridIMG.h"

namespace {

class PicturesTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    decoder = DDIB_NewDecoderInterface();
    dib = DDIB_New();
    hotspots = HS_New();
  }
  void TearDown() override {
    DDIB_Delete(dib);
    DDIB_DeleteDecoderInterface(decoder);
    HS_Delete(hotspots);
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < HS_GetNumberOfHotspots(hotspots); ++i) {
      RECT rect{};
      CString* name = nullptr;
      CString* text2 = nullptr;
      BYTE mode = 0;
      if (HS_GetHotspot(hotspots, i, &rect, &name, &text2, &mode)) names.push_back(static_cast<const char*>(*name));
    }
    return names;
  }

  DECODER_HANDLE decoder = nullptr;
  DDIB_HANDLE dib = nullptr;
  HS_HANDLE hotspots = nullptr;
};

TEST_P(PicturesTest, LoadsWithTheHotspotsOfKeysAndParts) {
  const std::string path = std::string(VARNO_CATALOGUE_DIR) + "/" + GetParam();
  int bits = -1;
  int error = -1;
  ASSERT_EQ(DDIB_ImageLoad(dib, decoder, path.c_str(), &bits, &error, hotspots), 1) << "decoder error " << error;
  int size[2] = {0, 0};
  ASSERT_TRUE(DDIB_GetSize(dib, size));
  EXPECT_EQ(size[0], 640);
  EXPECT_EQ(size[1], 400);
  const std::vector<std::string> names = Names();
  ASSERT_EQ(names.size(), 15u);
  EXPECT_EQ(names[0], "?GEH");
  EXPECT_EQ(names[4], "RM-1001");
  EXPECT_EQ(names[14], "RM-4002");
}

INSTANTIATE_TEST_SUITE_P(Formats, PicturesTest, ::testing::Values("rm46.bmp", "rm46.drf"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(name.find('.') + 1);
                         });

// The bilevel TIFF picture is the picture control's; its hotspots come from its tag.
TEST(TiffPictureTest, OpensWithTheHotspotsOfKeysAndParts) {
  const std::string path = std::string(VARNO_CATALOGUE_DIR) + "/rm46.tif";
  QORIMG_PICTURE* picture =
      QORIMG_OpenImage(nullptr, 0, nullptr, path.c_str(), nullptr, QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF, 0);
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->nHotspotCount, 15);
  EXPECT_STREQ(picture->hotspots[0].szName, "?GEH");
  EXPECT_STREQ(picture->hotspots[14].szName, "RM-4002");
  QORIMG_UnloadPicture(nullptr, picture);
}

}  // namespace

namespace {

// The line drawing's labels number the assemblies as the start page does.
TEST_F(PicturesTest, TheLineDrawingLoadsWithTheAssemblyLabels) {
  const std::string path = std::string(VARNO_CATALOGUE_DIR) + "/rm46.cap";
  int bits = -1;
  int error = -1;
  ASSERT_EQ(DDIB_ImageLoad(dib, decoder, path.c_str(), &bits, &error, hotspots), 1) << "error " << error;
  EXPECT_EQ(bits, 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"1", "2", "3", "4"}));
}

}  // namespace
