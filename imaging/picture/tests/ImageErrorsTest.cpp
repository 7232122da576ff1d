#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/picture/tests/PictureTestSupport.h"
#include "win32/MessageBox.h"

using namespace picture_tests;

namespace {

TEST(ImageErrors, NoPendingErrorGivesOneAndAnEmptyText) {
  ClearImageError();
  CString text = "old";
  EXPECT_EQ(QORIMG_GetLastError(&text), 1);
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_EQ(QORIMG_GetLastError(nullptr), 1);
}

TEST(ImageErrors, EveryIdHasItsTextAndCode) {
  struct Case {
    int id;
    const char* text;
  };
  const Case cases[] = {
      {1, "No Error"},
      {2, "Global Lock failed"},
      {3, "No memory for bitmap header"},
      {4, "int. err. memsize > MAX_PATCH_SIZE"},
      {5, "No memory for bitmap"},
      {6, "Unable to open DRF file"},
      {7, "Unable to read DRF header"},
      {8, "Unable to read DRF-MainPictureInfo"},
      {9, "Not enough memory for DRF-Picture"},
      {10, "Not enough memory for DRF-Stripes"},
      {11, "Error while reading DRF-Stripes"},
      {12, "Error while displaying TIFF-File"},
      {13, "Unsupported TIFF-Compression (arg)"},
      {14, "Unable to open Image\narg"},
      {15, "Unexpected end of file\narg"},
      {16, "Unable to read DRF-CompRasterHead"},
      {17, "Unable to read DRF-CompRaster"},
      {18, "Unable to load all DRF-Raster"},
      {19, "Unable to read DRF-Raster"},
      {20, "Too much Window Handles left"},
      {21, "ClipboardData failure"},
      {22, "OpenClipboard failed"},
      {23, "EmptyClipboard failed"},
      {24, "SetClipboardData failed"},
      {25, "Unsupported TIFF stripe length ( 1 Stripe > 64k)"},
  };
  QORIMG_ShowErrorMessages(0);
  for (const Case& c : cases) {
    SetImageError(c.id, "arg");
    CString text;
    EXPECT_EQ(QORIMG_GetLastError(&text), 1 - c.id);
    EXPECT_STREQ(text, c.text) << c.id;
  }
  ClearImageError();
}

TEST(ImageErrors, MissingTiffNamesTheFileAndSilencedMessagesKeepTheError) {
  EXPECT_EQ(QORIMG_ShowErrorMessages(0), 0);
  OpenedPicture picture("/no/such/folder/plan.tif", "", QORIMG_FILE_TIFF);
  EXPECT_EQ(picture.Get(), nullptr);
  EXPECT_EQ(picture.Error(), -13);
  EXPECT_STREQ(picture.ErrorText(), "Unable to open Image\n/no/such/folder/plan.tif");
  EXPECT_EQ(QORIMG_ShowErrorMessages(1), 1);
  QORIMG_ShowErrorMessages(0);
}

TEST(ImageErrors, ExportedCallsClearTheErrorOfTheCallBefore) {
  SetImageError(QORIMG_ERR_DRF_HEADER, "x");
  QORIMG_GetDRFSize(nullptr);
  EXPECT_EQ(QORIMG_GetLastError(nullptr), 1);
}

TEST(ImageErrors, VersionText) {
  char buffer[255];
  EXPECT_EQ(QORIMG_GetVersionInfo(buffer), buffer);
  EXPECT_STREQ(buffer, "QridIMG Version 2.0 / 32Bit");
}

}  // namespace

TEST(ImageErrors, ShownInABoxWithTheVersionAsTitleUnlessSilenced) {
  struct Box {
    HWND owner;
    std::string text, caption;
    UINT type;
  };
  std::vector<Box> boxes;
  layer::MessageBoxPresenter before = layer::SetMessageBoxPresenter([&](HWND owner, const char* text, const char* caption, UINT type) {
    boxes.push_back({owner, text, caption, type});
    return IDOK;
  });
  QORIMG_ShowErrorMessages(1);
  SetImageError(QORIMG_ERR_DRF_HEADER, "x");
  QORIMG_ShowErrorMessages(0);
  SetImageError(QORIMG_ERR_DRF_HEADER, "x");
  layer::SetMessageBoxPresenter(before);
  ClearImageError();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].text, "Unable to read DRF header");
  EXPECT_EQ(boxes[0].caption, kImageVersionText);
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}
