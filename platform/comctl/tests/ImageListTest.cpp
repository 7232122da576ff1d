#include <gtest/gtest.h>

#include "comctl/CommCtrl.h"
#include "testing/MemoryCanvas.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kBackground = RGB(0, 160, 0);

// A strip of count 4 x 4 pictures: each a mask-coloured square with a centre
// of 2 x 2 pixels, red in the even pictures, blue in the odd ones.
HBITMAP Strip(int count) {
  HDC screen = GetDC(nullptr);
  HBITMAP strip = CreateCompatibleBitmap(screen, 4 * count, 4);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, strip);
  for (int i = 0; i < count; ++i) {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const bool centre = x >= 1 && x <= 2 && y >= 1 && y <= 2;
        SetPixel(dc, 4 * i + x, y, centre ? (i % 2 ? kBlue : kRed) : kMask);
      }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return strip;
}

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list = ImageList_Create(4, 4, ILC_MASK | ILC_COLOR24, 2, 2);
    strip = Strip(3);
    HBRUSH green = CreateSolidBrush(kBackground);
    RECT all{0, 0, 16, 8};
    FillRect(canvas.dc, &all, green);
    DeleteObject(green);
  }
  void TearDown() override {
    ImageList_Destroy(list);
    DeleteObject(strip);
  }

  HIMAGELIST list = nullptr;
  HBITMAP strip = nullptr;
  layer::testing::MemoryCanvas canvas{16, 8};
};

TEST_F(ImageListTest, MaskColourLeavesTheBackground) {
  EXPECT_EQ(ImageList_AddMasked(list, strip, kMask), 0);
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  ASSERT_TRUE(ImageList_Draw(list, 1, canvas.dc, 0, 0, ILD_TRANSPARENT));
  EXPECT_EQ(GetPixel(canvas.dc, 1, 1), kBlue);
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), kBackground);
  EXPECT_EQ(GetPixel(canvas.dc, 3, 3), kBackground);

  // With a background colour of its own the list paints the left-out pixels.
  ImageList_SetBkColor(list, RGB(255, 255, 0));
  ImageList_Draw(list, 2, canvas.dc, 4, 0, ILD_NORMAL);
  EXPECT_EQ(GetPixel(canvas.dc, 5, 1), kRed);
  EXPECT_EQ(GetPixel(canvas.dc, 4, 0), RGB(255, 255, 0));
}

TEST_F(ImageListTest, ListsWithoutMaskDrawEveryPixel) {
  HIMAGELIST plain = ImageList_Create(4, 4, ILC_COLOR24, 1, 1);
  EXPECT_EQ(ImageList_Add(plain, strip, nullptr), 0);
  ImageList_Draw(plain, 0, canvas.dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(GetPixel(canvas.dc, 0, 0), kMask);
  ImageList_Destroy(plain);
}

TEST_F(ImageListTest, ImagesAreReplacedAndRemovedByIndex) {
  ImageList_AddMasked(list, strip, kMask);
  HBITMAP one = Strip(2);  // the second picture of it is blue
  EXPECT_TRUE(ImageList_Replace(list, 0, one, nullptr));
  EXPECT_TRUE(ImageList_Remove(list, 1));
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  ImageList_Draw(list, 1, canvas.dc, 0, 0, ILD_TRANSPARENT);  // the former third, red
  EXPECT_EQ(GetPixel(canvas.dc, 1, 1), kRed);
  EXPECT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  DeleteObject(one);
}

TEST_F(ImageListTest, BadRequestsFail) {
  ImageList_AddMasked(list, strip, kMask);
  EXPECT_EQ(ImageList_Create(0, 4, ILC_MASK, 1, 1), nullptr);
  EXPECT_FALSE(ImageList_Draw(list, 3, canvas.dc, 0, 0, ILD_NORMAL));
  EXPECT_FALSE(ImageList_Draw(list, -1, canvas.dc, 0, 0, ILD_NORMAL));
  EXPECT_FALSE(ImageList_Remove(list, 3));
  EXPECT_FALSE(ImageList_Replace(list, 5, strip, nullptr));
  EXPECT_EQ(ImageList_Add(list, nullptr, nullptr), -1);
  HIMAGELIST tall = ImageList_Create(4, 8, ILC_MASK, 1, 1);
  EXPECT_EQ(ImageList_AddMasked(tall, strip, kMask), -1);  // lower than its images
  ImageList_Destroy(tall);
  EXPECT_EQ(ImageList_GetImageCount(nullptr), 0);
  EXPECT_FALSE(ImageList_Destroy(nullptr));
}

}  // namespace
