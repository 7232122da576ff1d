// Bitmap buttons and image lists of the class library: the picture a button
// shows in each of its states, and images drawn through a CImageList.
#include <gtest/gtest.h>

#include "mfc/CBitmapButton.h"
#include "mfc/CClientDC.h"
#include "mfc/CImageList.h"
#include "testing/FilledBitmap.h"
#include "testing/MemoryCanvas.h"

namespace {

class ButtonParent : public CWnd {
 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonParent, CWnd)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// A bitmap of one colour.
HBITMAP Solid(COLORREF color, int width = 20, int height = 10) { return layer::testing::FilledBitmap(width, height, color); }

constexpr COLORREF kNormal = RGB(10, 20, 30);
constexpr COLORREF kSelected = RGB(200, 0, 0);
constexpr COLORREF kFocus = RGB(0, 200, 0);

class BitmapButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Knopf", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(5, 5, 60, 40), &parent, 7777));
    button.m_bitmap.Attach(Solid(kNormal));
    button.m_bitmapSel.Attach(Solid(kSelected));
    button.m_bitmapFocus.Attach(Solid(kFocus));
  }

  COLORREF Shown() {
    button.Invalidate();
    button.UpdateWindow();
    CClientDC dc(&button);
    return dc.GetPixel(3, 3);
  }

  ButtonParent parent;
  CBitmapButton button;
};

TEST_F(BitmapButtonTest, EachStateShowsItsPicture) {
  button.SizeToContent();
  CRect size;
  button.GetClientRect(&size);
  EXPECT_EQ(size.Width(), 20);
  EXPECT_EQ(size.Height(), 10);

  EXPECT_EQ(Shown(), kNormal);
  button.SetState(TRUE);
  EXPECT_EQ(Shown(), kSelected);
  button.SetState(FALSE);
  button.SetFocus();
  EXPECT_EQ(Shown(), kFocus);
  parent.SetFocus();
  // Without a disabled picture a disabled button shows the normal one.
  button.EnableWindow(FALSE);
  EXPECT_EQ(Shown(), kNormal);
  button.m_bitmapDisabled.Attach(Solid(RGB(90, 90, 90)));
  EXPECT_EQ(Shown(), RGB(90, 90, 90));
}

TEST_F(BitmapButtonTest, ButtonsThatShareAnIdEachShowTheirOwnPicture) {
  CBitmapButton twin;
  ASSERT_TRUE(twin.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(80, 5, 135, 40), &parent, 7777));
  twin.m_bitmap.Attach(Solid(kFocus));
  EXPECT_EQ(Shown(), kNormal);
  twin.Invalidate();
  twin.UpdateWindow();
  CClientDC dc(&twin);
  EXPECT_EQ(dc.GetPixel(3, 3), kFocus);
}

TEST_F(BitmapButtonTest, PicturesThatAreNotThereFailToLoad) {
  CBitmapButton other;
  EXPECT_FALSE(other.LoadBitmaps(54321));
  EXPECT_FALSE(other.LoadBitmaps(static_cast<LPCSTR>(nullptr)));
  EXPECT_EQ(other.m_bitmap.GetSafeHandle(), nullptr);
}

TEST(ImageListTest, ClassLibraryListDrawsItsImages) {
  CImageList images;
  ASSERT_TRUE(images.Create(10, 10, ILC_MASK | ILC_COLOR24, 2, 2));
  CBitmap strip;
  strip.Attach(Solid(kSelected, 20, 10));
  EXPECT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
  EXPECT_EQ(images.GetImageCount(), 2);
  layer::testing::MemoryCanvas canvas(30, 10);
  EXPECT_TRUE(images.Draw(CDC::FromHandle(canvas.dc), 1, POINT{10, 0}, ILD_TRANSPARENT));
  EXPECT_EQ(GetPixel(canvas.dc, 15, 5), kSelected);
  EXPECT_EQ(GetPixel(canvas.dc, 5, 5), RGB(255, 255, 255));
  EXPECT_FALSE(images.Draw(CDC::FromHandle(canvas.dc), 2, POINT{0, 0}, ILD_TRANSPARENT));
  HIMAGELIST handle = images.Detach();
  EXPECT_EQ(images.GetSafeHandle(), nullptr);
  EXPECT_TRUE(ImageList_Destroy(handle));
}

}  // namespace
