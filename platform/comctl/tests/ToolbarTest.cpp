#include <gtest/gtest.h>

#include <vector>

#include "comctl/tests/ListTestParent.h"
#include "testing/FilledBitmap.h"

namespace {

using layer::testing::TestParent;

constexpr COLORREF kButtonRed = RGB(200, 0, 0);

TBBUTTON Button(int image, int command, BYTE style = TBSTYLE_BUTTON, BYTE state = TBSTATE_ENABLED) {
  TBBUTTON button{};
  button.iBitmap = image;
  button.idCommand = command;
  button.fsState = state;
  button.fsStyle = style;
  button.iString = -1;
  return button;
}

TBBUTTON Separator() { return Button(0, 0, TBSTYLE_SEP, TBSTATE_ENABLED); }

// Images of 16 x 15: a button-face square with a red centre.
HBITMAP Images(int count) {
  std::vector<layer::testing::ColouredRect> centres;
  for (int i = 0; i < count; ++i) centres.push_back({RECT{16 * i + 4, 4, 16 * i + 12, 11}, kButtonRed});
  return layer::testing::FilledBitmap(16 * count, 15, GetSysColor(COLOR_BTNFACE), centres);
}

class ToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override { Make(TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 300); }
  void TearDown() override { DeleteObject(strip); }

  void Make(DWORD style, int width) {
    if (bar) DestroyWindow(bar);
    bar = parent.Child(TOOLBARCLASSNAME, style, RECT{0, 0, width, 60}, 59392);
    ASSERT_NE(bar, nullptr);
    TBADDBITMAP bitmap{nullptr, reinterpret_cast<UINT_PTR>(strip)};
    ASSERT_EQ(Send(TB_ADDBITMAP, 3, &bitmap), 0);
    const TBBUTTON buttons[] = {Button(0, 100), Button(1, 101), Separator(), Button(2, 102)};
    ASSERT_TRUE(Send(TB_ADDBUTTONS, 4, buttons));
  }

  template <typename Record = void>
  LRESULT Send(UINT message, WPARAM wParam = 0, Record* record = nullptr) {
    return SendMessage(bar, message, wParam, reinterpret_cast<LPARAM>(record));
  }
  LRESULT SendValue(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessage(bar, message, wParam, lParam); }

  RECT ItemRect(int index) {
    RECT rect{};
    EXPECT_TRUE(Send(TB_GETITEMRECT, static_cast<WPARAM>(index), &rect)) << index;
    return rect;
  }
  void Click(int index, bool releaseInside = true) {
    const RECT rect = ItemRect(index);
    const LPARAM inside = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessage(bar, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessage(bar, WM_LBUTTONUP, 0, releaseInside ? inside : MAKELPARAM(rect.right + 200, 55));
  }

  TestParent parent;
  HBITMAP strip = Images(3);
  HWND bar = nullptr;
};

TEST_F(ToolbarTest, ButtonsAndSeparatorsLieSideBySide) {
  EXPECT_EQ(Send(TB_BUTTONCOUNT), 4);
  struct Expected {
    int index;
    RECT rect;
  };
  for (const Expected& item : {Expected{0, {0, 0, 23, 22}}, Expected{1, {23, 0, 46, 22}}, Expected{2, {46, 0, 54, 22}},
                               Expected{3, {54, 0, 77, 22}}}) {
    const RECT rect = ItemRect(item.index);
    EXPECT_TRUE(EqualRect(&rect, &item.rect)) << item.index << ": " << rect.left << "," << rect.top << "," << rect.right
                                              << "," << rect.bottom;
  }
  // A hidden button leaves no gap; a wrapping one starts a new row.
  EXPECT_TRUE(SendValue(TB_HIDEBUTTON, 101, TRUE));
  EXPECT_EQ(ItemRect(3).left, 31);
  EXPECT_TRUE(SendValue(TB_SETSTATE, 100, TBSTATE_ENABLED | TBSTATE_WRAP));
  EXPECT_EQ(ItemRect(3).top, 22);
  EXPECT_EQ(Send(TB_GETROWS), 2);
  POINT onSeparator{ItemRect(2).left + 1, 30};
  EXPECT_EQ(Send(TB_HITTEST, 0, &onSeparator), -3);
  POINT onButton{ItemRect(3).left + 1, 30};
  EXPECT_EQ(Send(TB_HITTEST, 0, &onButton), 3);

  // A bar that may wrap starts a row where the window ends.
  Make(TBSTYLE_WRAPABLE | CCS_NOPARENTALIGN | CCS_NORESIZE, 50);
  EXPECT_EQ(ItemRect(1).top, 0);
  EXPECT_EQ(ItemRect(3).top, 22);
}

TEST_F(ToolbarTest, AClickTellsTheOwnerAndChecksCheckButtons) {
  Click(0);
  Click(1, false);  // released elsewhere: no click
  EXPECT_EQ(parent.commands, (std::vector<WPARAM>{MAKEWPARAM(100, BN_CLICKED)}));

  SendValue(TB_ENABLEBUTTON, 100, FALSE);
  Click(0);
  EXPECT_EQ(parent.commands.size(), 1u);

  // A check button toggles; in a group one button is checked at a time.
  const TBBUTTON more[] = {Button(0, 200, TBSTYLE_CHECK), Button(1, 201, TBSTYLE_CHECKGROUP),
                           Button(2, 202, TBSTYLE_CHECKGROUP)};
  Send(TB_ADDBUTTONS, 3, more);
  struct Step {
    const char* name;
    int index;
    bool checked200, checked201, checked202;
  };
  const Step steps[] = {
      {"check button on", 4, true, false, false},   {"check button off", 4, false, false, false},
      {"first of the group", 5, false, true, false}, {"second of the group", 6, false, false, true},
      {"second again stays", 6, false, false, true},
  };
  for (const Step& step : steps) {
    Click(step.index);
    EXPECT_EQ(SendValue(TB_ISBUTTONCHECKED, 200, 0), step.checked200) << step.name;
    EXPECT_EQ(SendValue(TB_ISBUTTONCHECKED, 201, 0), step.checked201) << step.name;
    EXPECT_EQ(SendValue(TB_ISBUTTONCHECKED, 202, 0), step.checked202) << step.name;
  }
}

// The button under the pointer is the hot one, until the pointer leaves the bar.
TEST_F(ToolbarTest, TheButtonUnderThePointerIsHotUntilThePointerLeaves) {
  auto moveTo = [](HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    layer::MouseInput(at, WM_MOUSEMOVE, 0);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  };
  const RECT first = ItemRect(0);
  moveTo(bar, (first.left + first.right) / 2, (first.top + first.bottom) / 2);
  EXPECT_EQ(Send(TB_GETHOTITEM), 0);
  moveTo(parent.handle, 200, 200);  // beside the bar
  EXPECT_EQ(Send(TB_GETHOTITEM), -1);
}

TEST_F(ToolbarTest, StatesAreSetAndReadByCommand) {
  EXPECT_TRUE(SendValue(TB_PRESSBUTTON, 101, TRUE));
  EXPECT_EQ(SendValue(TB_GETSTATE, 101, 0), TBSTATE_ENABLED | TBSTATE_PRESSED);
  // Disabling a button lets it up.
  EXPECT_TRUE(SendValue(TB_ENABLEBUTTON, 101, FALSE));
  EXPECT_EQ(SendValue(TB_GETSTATE, 101, 0), 0);
  EXPECT_EQ(SendValue(TB_ISBUTTONENABLED, 101, 0), FALSE);
  EXPECT_EQ(SendValue(TB_COMMANDTOINDEX, 102, 0), 3);
  TBBUTTON button{};
  ASSERT_TRUE(Send(TB_GETBUTTON, 3, &button));
  EXPECT_EQ(button.idCommand, 102);
  EXPECT_EQ(button.iBitmap, 2);
}

TEST_F(ToolbarTest, UnknownButtonsAndShortBitmapsFail) {
  EXPECT_FALSE(SendValue(TB_ENABLEBUTTON, 999, TRUE));
  EXPECT_EQ(SendValue(TB_ISBUTTONENABLED, 999, 0), -1);
  EXPECT_EQ(SendValue(TB_GETSTATE, 999, 0), -1);
  EXPECT_EQ(SendValue(TB_COMMANDTOINDEX, 999, 0), -1);
  RECT rect{};
  EXPECT_FALSE(Send(TB_GETITEMRECT, 4, &rect));
  EXPECT_FALSE(Send(TB_DELETEBUTTON, 4));
  TBBUTTON button{};
  EXPECT_FALSE(Send(TB_GETBUTTON, 9, &button));
  // A bitmap with fewer images than announced adds none.
  TBADDBITMAP bitmap{nullptr, reinterpret_cast<UINT_PTR>(strip)};
  EXPECT_EQ(Send(TB_ADDBITMAP, 4, &bitmap), -1);
  EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(Send(TB_GETIMAGELIST))), 3);
  EXPECT_EQ(Send(TB_ADDBITMAP, 1, static_cast<TBADDBITMAP*>(nullptr)), -1);
}

TEST_F(ToolbarTest, DisabledButtonsShowTheirImageEngraved) {
  SendValue(TB_ENABLEBUTTON, 101, FALSE);
  UpdateWindow(bar);
  HDC dc = GetDC(bar);
  const RECT enabled = ItemRect(0), disabled = ItemRect(1);
  const int x = 4 + 4, y = 4 + 4;  // inside the image's red centre
  EXPECT_EQ(GetPixel(dc, enabled.left + x, enabled.top + y), kButtonRed);
  EXPECT_EQ(GetPixel(dc, disabled.left + x, disabled.top + y), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, disabled.left + 2, disabled.top + 2), GetSysColor(COLOR_BTNFACE));  // flat: no edge
  ReleaseDC(bar, dc);
}

TEST_F(ToolbarTest, TextsGoUnderTheImages) {
  EXPECT_EQ(SendValue(TB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Neu\0\xD6" "ffnen\0")), 0);
  TBBUTTON withText = Button(0, 300);
  withText.iString = 1;
  Send(TB_ADDBUTTONS, 1, &withText);
  char text[16] = {};
  EXPECT_EQ(SendValue(TB_GETBUTTONTEXT, 300, reinterpret_cast<LPARAM>(text)), 6);
  EXPECT_STREQ(text, "\xD6" "ffnen");
  EXPECT_GT(ItemRect(4).bottom, 22);  // every button grew to hold the line
  EXPECT_EQ(ItemRect(0).bottom, ItemRect(4).bottom);
}

}  // namespace
