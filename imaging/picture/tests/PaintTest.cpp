// Pictures painted into a memory context: where the pixels land and which
// colours they take.
#include <gtest/gtest.h>

#include "imaging/picture/DrfPaint.h"
#include "imaging/picture/TiffPaint.h"
#include "imaging/picture/tests/PictureTestSupport.h"
#include "imaging/testing/TiffWriter.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

struct Canvas {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap;
  HGDIOBJ old;
  Canvas(int width, int height) : bitmap(CreateBitmap(width, height, 1, 32, nullptr)) {
    old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};

TEST(PaintDrf, StripesLandAtTheOffsetAndTheBackgroundFillsTheRest) {
  layer::testing::TempFolder folder;
  DrfPicture source = MakeDrfTestPicture(7, 40, 200, 3);  // four stripes of 63 lines
  source.At(0, 199) = 33;
  folder.Write("grey.drf", WriteDrfFile(source));
  OpenedPicture picture("", folder / "grey.drf", QORIMG_FILE_DRF);
  ASSERT_NE(picture.Get(), nullptr);
  EXPECT_EQ(QORIMG_SetBkColor(picture.Get(), RGB(200, 0, 0), 9), 9);
  picture->bDibMode = 1;
  picture->nZoomStartX = 3;
  picture->nZoomStartY = 2;
  picture->nDrfSpotOffsetX = 1;

  Canvas canvas(60, 210);
  const RECT update{0, 0, 60, 210};
  ASSERT_EQ(PaintDRFPicture(nullptr, picture.Get(), canvas.dc, update), 1);
  for (int y : {0, 62, 63, 150, 199})
    for (int x : {0, 1, 20, 39})
      ASSERT_EQ(GetPixel(canvas.dc, 4 + x, 2 + y), RGB(4 * source.At(x, y), 4 * source.At(x, y), 4 * source.At(x, y)))
          << x << "," << y;
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), RGB(200, 0, 0));
  EXPECT_EQ(GetPixel(canvas.dc, 50, 100), RGB(200, 0, 0));
  EXPECT_EQ(picture->hStripes[0], nullptr);  // only the coded data stay between paints
  EXPECT_EQ(picture->hBitmapHeader, nullptr);

  picture->nContent = 0;
  EXPECT_EQ(PaintDRFPicture(nullptr, picture.Get(), canvas.dc, update), 0);
  EXPECT_EQ(GetPixel(canvas.dc, 20, 20), RGB(200, 0, 0));
  EXPECT_EQ(QORIMG_SetBkColor(nullptr, RGB(0, 0, 0), 9), 0);
}

// A picture that cannot be made into a bitmap takes its window with it.
TEST(PaintDrf, FailedBitmapDestroysTheWindow) {
  WNDCLASS windowClass{};
  windowClass.lpfnWndProc = DefWindowProc;
  windowClass.lpszClassName = "PictureTestWindow";
  RegisterClass(&windowClass);
  HWND window = CreateWindowEx(0, "PictureTestWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(window, nullptr);

  layer::testing::TempFolder folder;
  DrfPicture wide(6, 32000, QORIMG_STRIPE_SLOTS + 1);  // more stripes than slots
  folder.Write("wide.drf", WriteDrfFile(wide));
  QORIMG_ShowErrorMessages(0);
  QORIMG_PICTURE* picture =
      QORIMG_OpenImage(window, 0, nullptr, "", (folder / "wide.drf").c_str(), 0, QORIMG_FILE_DRF, 0);
  ASSERT_NE(picture, nullptr);
  picture->bDibMode = 1;
  Canvas canvas(10, 10);
  EXPECT_EQ(PaintDRFPicture(window, picture, canvas.dc, {0, 0, 10, 10}), 0);
  EXPECT_EQ(QORIMG_GetLastError(nullptr), 1 - QORIMG_ERR_BITMAP_MEMORY);
  EXPECT_FALSE(IsWindow(window));
  QORIMG_UnloadPicture(window, picture);
}

TEST(PaintTiff, GreyLevelsFromThePictureColourToBlack) {
  layer::testing::TempFolder folder;
  Bilevel image(8, 4);
  image.At(0, 0) = 1;                                    // 1:1 black
  image.At(4, 0) = image.At(5, 0) = image.At(4, 1) = 1;  // three of four when halved
  folder.Write("p.tif", WriteTiff(image));
  OpenedPicture picture(folder / "p.tif", "", QORIMG_FILE_TIFF);
  ASSERT_NE(picture.Get(), nullptr);
  picture->nCentreX = 2;

  Canvas canvas(20, 10);
  const RECT all{0, 0, 20, 10};
  ASSERT_EQ(PaintTIFFPicture(picture.Get(), canvas.dc, all, {0, 0, 8, 4}, 8, 4), 1);
  EXPECT_EQ(GetPixel(canvas.dc, 2, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(canvas.dc, 3, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(canvas.dc, 15, 0), RGB(255, 255, 255));  // the background brush

  ASSERT_EQ(PaintTIFFPicture(picture.Get(), canvas.dc, all, {0, 0, 8, 4}, 4, 2), 1);
  EXPECT_EQ(GetPixel(canvas.dc, 2 + 2, 0), RGB(51, 51, 51));     // level 3
  EXPECT_EQ(GetPixel(canvas.dc, 2 + 0, 0), RGB(153, 153, 153));  // level 1
  EXPECT_EQ(GetPixel(canvas.dc, 2 + 1, 1), RGB(255, 255, 255));
}

}  // namespace
