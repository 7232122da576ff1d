// The shown picture on the clipboard: a DRF as a DIB, a TIFF as a bitmap of
// the part the window shows.
#include <gtest/gtest.h>

#include "imaging/picture/tests/PictureWindowSupport.h"
#include "imaging/testing/DrfEncoder.h"
#include "imaging/testing/TiffWriter.h"
#include "win32/Clipboard.h"
#include "win32/Memory.h"

using namespace picture_tests;
using namespace imaging::testing;

namespace {

// The clipboard's bitmap as a bilevel picture (1 black).
Bilevel ClipboardBitmap() {
  Bilevel picture;
  if (!OpenClipboard(nullptr)) return picture;
  if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    picture = Bilevel(info.bmWidth, info.bmHeight);
    for (int y = 0; y < info.bmHeight; ++y)
      for (int x = 0; x < info.bmWidth; ++x) picture.At(x, y) = (GetPixel(dc, x, y) & 0xFFFFFF) == 0;
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  CloseClipboard();
  return picture;
}

Bilevel Part(const Bilevel& image, const RECT& r) {
  Bilevel part(r.right - r.left, r.bottom - r.top);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) part.At(x - r.left, y - r.top) = image.At(x, y);
  return part;
}

TEST(PictureClipboard, ADrfPictureGoesAsADeviceIndependentBitmap) {
  layer::testing::TempFolder folder;
  const DrfPicture source = MakeDrfTestPicture(7, 50, 30, 5);
  folder.Write("p.drf", WriteDrfFile(source));
  PictureWindow window(80, 60);
  QORIMG_PICTURE* picture = window.Load("", folder / "p.drf", QORIMG_DISPLAY_DRF, QORIMG_FILE_DRF);
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(QORIMG_CopyToClipboard(picture), 1);
  EXPECT_EQ(QORIMG_GetLastError(nullptr), 1);

  ASSERT_TRUE(OpenClipboard(nullptr));
  HGLOBAL dib = static_cast<HGLOBAL>(GetClipboardData(CF_DIB));
  ASSERT_NE(dib, nullptr);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(dib));
  BITMAPINFOHEADER header;
  std::memcpy(&header, bytes, sizeof header);
  EXPECT_EQ(header.biWidth, 50);
  EXPECT_EQ(header.biHeight, 30);
  EXPECT_EQ(header.biBitCount, 8);
  const BYTE* rows = bytes + 40 + 4 * 64;
  bool same = true;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 50; ++x) same = same && rows[WIDTHBYTES(8 * 50) * (29 - y) + x] == source.At(x, y);
  EXPECT_TRUE(same);
  GlobalUnlock(dib);
  CloseClipboard();
}

// Fitted, the whole TIFF; zoomed, the part the window shows.
TEST(PictureClipboard, ATiffGoesAsABitmapOfWhatTheWindowShows) {
  layer::testing::TempFolder folder;
  const Bilevel image = MakeTestDrawing(400, 300, 9);
  folder.Write("p.tif", WriteTiff(image));
  PictureWindow window(300, 150);
  QORIMG_PICTURE* picture = window.Load(folder / "p.tif", "", QORIMG_DISPLAY_FITTED, QORIMG_FILE_TIFF);
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(QORIMG_CopyToClipboard(picture), 1);
  Bilevel copied = ClipboardBitmap();
  EXPECT_EQ(copied.width, 400);
  EXPECT_EQ(copied.height, 300);
  EXPECT_TRUE(copied.pixels == image.pixels);

  QORIMG_SetZoomMode(picture);
  window.Drag({100, 25}, {150, 75});
  ASSERT_EQ(QORIMG_GetPictureMode(picture), QORIMG_PICTURE_ZOOMED);
  const RECT shown{picture->nScrollX, picture->nScrollY, picture->nScrollX + picture->nSourceWidth,
                   picture->nScrollY + picture->nSourceHeight};
  ASSERT_LT(shown.bottom - shown.top, 300);
  ASSERT_EQ(QORIMG_CopyToClipboard(picture), 1);
  copied = ClipboardBitmap();
  const Bilevel part =
      Part(image, {shown.left, shown.top, std::min<LONG>(400, shown.right), std::min<LONG>(300, shown.bottom)});
  EXPECT_EQ(copied.width, part.width);
  EXPECT_EQ(copied.height, part.height);
  EXPECT_TRUE(copied.pixels == part.pixels);
}

TEST(PictureClipboard, FailuresAreReportedWithTheirErrors) {
  layer::testing::TempFolder folder;
  folder.Write("p.tif", WriteTiff(MakeTestDrawing(40, 30, 2)));
  folder.Write("p.drf", WriteDrfFile(MakeDrfTestPicture(6, 20, 10)));
  QORIMG_ShowErrorMessages(0);

  // A DRF shown as a TIFF without one: nothing to copy.
  OpenedPicture noTiff("", folder / "p.drf", QORIMG_FILE_DRF, QORIMG_DISPLAY_FITTED, 0xC1);
  ASSERT_NE(noTiff.Get(), nullptr);
  EXPECT_EQ(QORIMG_CopyToClipboard(noTiff.Get()), 0);
  CString text;
  EXPECT_EQ(QORIMG_GetLastError(&text), 1 - QORIMG_ERR_CLIPBOARD_DATA);
  EXPECT_EQ(text, "ClipboardData failure");

  // Somebody holds the clipboard open.
  OpenedPicture tiff(folder / "p.tif", "", QORIMG_FILE_TIFF, QORIMG_DISPLAY_FITTED, 0xC2);
  ASSERT_NE(tiff.Get(), nullptr);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(QORIMG_CopyToClipboard(tiff.Get()), 0);
  EXPECT_EQ(QORIMG_GetLastError(&text), 1 - QORIMG_ERR_OPEN_CLIPBOARD);
  EXPECT_EQ(text, "OpenClipboard failed");
  CloseClipboard();
  EXPECT_EQ(QORIMG_CopyToClipboard(tiff.Get()), 1);
}

}  // namespace
