#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Main/CImage.h"
#include "Main/CShiftScrollView.h"
#include "Main/PictureView.h"
#include "Main/res/ScreenLayoutIds.h"
#include "Main/tests/LinkFixture.h"

namespace {

using varno::testing::FrameDef;

class NamesPicture : public PictureView {
 public:
  BOOL GetActiveHotspot(CString&, CString&) override { return FALSE; }
  void SelectHotspot(const CString& name) override { selected.push_back(static_cast<const char*>(name)); }
  void DeleteHotspots() override {}
  std::vector<std::string> selected;
};

// A part table whose body lies in a real client scroll view of the main
// window, which is the active window.
class ShiftScrollViewTest : public varno::testing::LinkFixture {
 protected:
  void SetUp() override {
    LinkFixture::SetUp();
    frame = &TableFrame();
    CFrame& pictureFrame = Read({FrameDef("P").Text(28, "teil.bmp")});
    pictureFrame.m_children[0].Picture()->m_view = &picture;
    for (auto& each : frames) face.m_frames.push_back(std::move(each));
    frames.clear();
    ShowWindow(app.m_hMainWnd, SW_SHOW);
    SetActiveWindow(app.m_hMainWnd);
    view = new CClientScrollView;
    ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200),
                             CWnd::FromHandle(app.m_hMainWnd), 59649));
    view->AttachFrame(frame);
    int slot = frame->m_children[0].view_slot;
    ASSERT_GT(slot, 0);
    frame->m_views[static_cast<size_t>(slot)] = view;
  }
  void TearDown() override {
    theGlobals.m_hs_connect_use_timer = FALSE;
    theGlobals.m_protmodus = 0;
    CShiftScrollView::ContextView() = nullptr;
    view->DestroyWindow();
    face.Clear();
    LinkFixture::TearDown();
  }
  CPoint RowPoint(int row, int column) { return At(PartOf(*frame, 0), row, column); }
  void Send(UINT message, CPoint at, WPARAM flags = 0) {
    SendMessage(view->m_hWnd, message, flags, MAKELPARAM(at.x, at.y));
  }

  CFrame* frame = nullptr;
  CClientScrollView* view = nullptr;
  NamesPicture picture;
};

TEST_F(ShiftScrollViewTest, TheCursorChoiceFollowsWhatLiesUnderThePointer) {
  Send(WM_MOUSEMOVE, RowPoint(0, 1));
  EXPECT_EQ(view->m_link_flags, 1 | 2);
  EXPECT_STREQ(view->m_part_text1, "1");
  EXPECT_EQ(view->CursorChoice(), 129);
  ASSERT_FALSE(shell.hints.empty());
  EXPECT_EQ(shell.hints.back(), "129:1:Motor");
  Send(WM_MOUSEMOVE, RowPoint(1, 1));
  EXPECT_EQ(view->CursorChoice(), 0);  // marked, but neither Ctrl nor order-list mode
  theGlobals.m_protmodus = 1;
  EXPECT_EQ(view->CursorChoice(), 130);
}

TEST_F(ShiftScrollViewTest, AClickOnALinkRowShowsItsKey) {
  Send(WM_MOUSEMOVE, RowPoint(0, 2));
  Send(WM_LBUTTONDOWN, RowPoint(0, 2), MK_LBUTTON);
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));
  Send(WM_LBUTTONDOWN, RowPoint(1, 2), MK_LBUTTON);
  EXPECT_TRUE(TakeKeyCommands().empty());
}

TEST_F(ShiftScrollViewTest, TheConnectionFiresOnceAfterThePointerRested) {
  theGlobals.m_hs_connect_onoff = TRUE;
  theGlobals.m_hs_connect_use_timer = FALSE;
  Send(WM_MOUSEMOVE, RowPoint(0, 0));
  EXPECT_EQ(picture.selected, (std::vector<std::string>{"1"}));
  picture.selected.clear();
  theGlobals.m_hs_connect_use_timer = TRUE;
  Send(WM_MOUSEMOVE, RowPoint(1, 0));
  Send(WM_MOUSEMOVE, RowPoint(1, 1));
  EXPECT_TRUE(picture.selected.empty());
  EXPECT_TRUE(view->m_timer_running);
  SendMessage(view->m_hWnd, WM_TIMER, CShiftScrollView::kConnectTimer, 0);
  EXPECT_EQ(picture.selected, (std::vector<std::string>{"2"}));
  EXPECT_FALSE(view->m_timer_running);
}

// The keyboard walks the rows as the pointer does: the arrows move the
// current row, which lights its hotspot and shows its hint, and Return
// follows it as a click on it does.
TEST_F(ShiftScrollViewTest, ArrowsMoveTheCurrentRowAndReturnFollowsItAsAClickDoes) {
  theGlobals.m_hs_connect_onoff = TRUE;
  auto key = [this](UINT code) { SendMessage(view->m_hWnd, WM_KEYDOWN, code, 1); };
  view->SetFocus();
  key(VK_DOWN);
  EXPECT_STREQ(view->m_part_text1, "1");
  ASSERT_FALSE(shell.hints.empty());
  EXPECT_EQ(shell.hints.back(), "129:1:Motor");
  EXPECT_EQ(picture.selected, (std::vector<std::string>{"1"}));
  key(VK_RETURN);
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{1, "MOT"}}));

  key(VK_DOWN);
  EXPECT_STREQ(view->m_part_text1, "2");
  key(VK_DOWN);
  EXPECT_STREQ(view->m_part_text1, "2") << "the last row stays the current one";
  key(VK_RETURN);
  EXPECT_TRUE(TakeKeyCommands().empty()) << "a row without a link leads nowhere";
  key(VK_UP);
  EXPECT_STREQ(view->m_part_text1, "1");
  theGlobals.m_hs_connect_onoff = FALSE;
}

TEST_F(ShiftScrollViewTest, ContextCommandsActOnTheContextViewAtItsLastPoint) {
  Send(WM_MOUSEMOVE, RowPoint(1, 1));
  CShiftScrollView::ContextView() = view;
  SendMessage(view->m_hWnd, WM_COMMAND, ID_CTX_COPY_ROW, 0);
  EXPECT_EQ(ClipboardText(), "2\tRM-2\tDeckel\r\n");
  SendMessage(view->m_hWnd, WM_COMMAND, ID_CTX_COPY_FIELD, 0);
  EXPECT_EQ(ClipboardText(), "RM-2");
}

// The table's context menu brings the order list up, as the picture's does.
TEST_F(ShiftScrollViewTest, TheOrderListEntryShowsTheOrderList) {
  varno::testing::OrderListStandIn orderList;
  SendMessage(view->m_hWnd, WM_COMMAND, ID_CTX_ORDER_LIST, 0);
  using Commands = std::vector<std::pair<WPARAM, LPARAM>>;
  EXPECT_EQ(orderList.TakeCommands(),
            (Commands{{PROTOCOL_CMD_VIEWER_WINDOW, reinterpret_cast<LPARAM>(app.m_hMainWnd)}, {PROTOCOL_CMD_SHOW, 0}}));
}

}  // namespace
