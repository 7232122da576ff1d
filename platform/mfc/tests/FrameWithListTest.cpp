// A frame as a user meets it: a toolbar docked at the top, a status bar,
// and a report list of 100 000 items that the frame keeps, all driven by
// input from the screen. The list scrolls, selects, sorts by a click on a
// title and has a column widened by dragging its divider, with the
// notifications in the platform's order; tips and prompts appear on the
// test clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BarTestSupport.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CListCtrl.h"
#include "mfc/CStatusBar.h"
#include "mfc/CToolBar.h"
#include "win32/Clock.h"
#include "win32/CrossProcess.h"

namespace {

constexpr int kItems = 100000;

class ListFrame : public CFrameWnd {
 public:
  CToolBar m_toolBar;
  CStatusBar m_statusBar;
  CListCtrl m_list;
  std::vector<UINT> m_heard;   // the list's and its header's notifications, in order
  bool m_descending = false;   // the order the frame keeps its items in

  // The frame keeps the texts: item i shows part number i, or the
  // reverse after a click on the first title.
  int PartAt(int index) const { return m_descending ? kItems - 1 - index : index; }
  std::vector<UINT> Heard(UINT first, UINT last) const {
    std::vector<UINT> codes;
    for (UINT code : m_heard)
      if (code <= first && code >= last) codes.push_back(code);
    return codes;
  }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create) {
    if (CFrameWnd::OnCreate(create) == -1) return -1;
    if (!bar_tests::MakeBars(this, m_statusBar, m_toolBar)) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    if (!m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0), this,
                       AFX_IDW_PANE_FIRST))
      return -1;
    m_list.SetFont(CFont::FromHandle(reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    m_list.InsertColumn(0, "Teil", LVCFMT_LEFT, 90);
    m_list.InsertColumn(1, "Benennung", LVCFMT_LEFT, 160);
    m_list.SetItemCount(kItems);
    return 0;
  }

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == LVN_GETDISPINFO) {
      auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
      if (info->item.mask & LVIF_TEXT)
        std::snprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax), info->item.iSubItem ? "Teil %d" : "%06d",
                      PartAt(info->item.iItem));
      *result = 0;
      return TRUE;
    }
    if (header->hwndFrom == m_list.m_hWnd || header->idFrom == 0) m_heard.push_back(header->code);
    if (header->code == LVN_COLUMNCLICK && reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem == 0) {
      m_descending = !m_descending;
      m_list.Invalidate();
    }
    return CFrameWnd::OnNotify(wParam, lParam, result);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListFrame, CFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

class FrameWithListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new ListFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_BARFRAME, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    frame->SetWindowPos(nullptr, 20, 20, 600, 450, SWP_NOZORDER);
    frame->SetForegroundWindow();
    Pump();
  }
  void TearDown() override {
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    Pump();
  }

  void Pump() { bar_tests::Pump(); }
  CPoint OnScreen(const CWnd& window, CPoint point) {
    window.ClientToScreen(&point);
    return point;
  }
  void Mouse(CPoint screen, UINT message, WPARAM keys = 0, int wheel = 0) {
    ASSERT_TRUE(layer::MouseInput(screen, message, keys, wheel));
    Pump();
  }
  void Key(int key) {
    layer::KeyInput(WM_KEYDOWN, key, 1);
    layer::KeyInput(WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    Pump();
  }
  int Row(int index) {
    CRect rect;
    frame->m_list.GetItemRect(index, &rect, LVIR_BOUNDS);
    return rect.CenterPoint().y;
  }

  layer::ManualClock clock;
  layer::ScopedClock scopedClock{clock};
  ListFrame* frame = nullptr;
};

TEST_F(FrameWithListTest, TheListFillsWhatTheBarsLeave) {
  const CRect toolBar = [&] {
    CRect rect;
    frame->m_toolBar.GetParent()->GetWindowRect(&rect);
    frame->ScreenToClient(&rect);
    return rect;
  }();
  CRect list, status, client;
  frame->m_list.GetWindowRect(&list);
  frame->ScreenToClient(&list);
  frame->m_statusBar.GetWindowRect(&status);
  frame->ScreenToClient(&status);
  frame->GetClientRect(&client);
  EXPECT_EQ(toolBar.top, 0);
  EXPECT_EQ(list.top, toolBar.bottom);
  EXPECT_EQ(list.bottom, status.top);
  EXPECT_EQ(status.bottom, client.bottom);
  EXPECT_EQ(frame->m_list.GetItemCount(), kItems);
}

TEST_F(FrameWithListTest, InputScrollsSelectsSortsAndResizes) {
  CListCtrl& list = frame->m_list;
  // A click selects the row under the pointer, then tells of the click.
  Mouse(OnScreen(list, CPoint(30, Row(2))), WM_LBUTTONDOWN, MK_LBUTTON);
  Mouse(OnScreen(list, CPoint(30, Row(2))), WM_LBUTTONUP);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 2);
  EXPECT_EQ(frame->m_heard, (std::vector<UINT>{NM_SETFOCUS, LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}));

  // Keys and the wheel scroll.
  const int page = list.GetCountPerPage();
  frame->m_heard.clear();
  Key(VK_NEXT);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), page - 1);
  EXPECT_EQ(frame->m_heard.front(), LVN_KEYDOWN);
  Key(VK_END);
  EXPECT_EQ(list.GetTopIndex(), kItems - page);
  Key(VK_HOME);
  Mouse(OnScreen(list, CPoint(30, Row(1))), WM_MOUSEWHEEL, 0, -120);
  EXPECT_EQ(list.GetTopIndex(), 3);
  EXPECT_STREQ(list.GetItemText(3, 0), "000003");

  // A click on the first title: the frame turns its order round.
  CHeaderCtrl* header = list.GetHeaderCtrl();
  frame->m_heard.clear();
  Mouse(OnScreen(*header, CPoint(40, 5)), WM_LBUTTONDOWN, MK_LBUTTON);
  Mouse(OnScreen(*header, CPoint(40, 5)), WM_LBUTTONUP);
  EXPECT_EQ(frame->m_heard, (std::vector<UINT>{HDN_ITEMCLICK, LVN_COLUMNCLICK}));
  EXPECT_STREQ(list.GetItemText(0, 0), "099999");

  // The divider after the first title dragged 30 pixels to the right.
  frame->m_heard.clear();
  Mouse(OnScreen(*header, CPoint(90, 5)), WM_LBUTTONDOWN, MK_LBUTTON);
  Mouse(OnScreen(*header, CPoint(105, 5)), WM_MOUSEMOVE, MK_LBUTTON);
  Mouse(OnScreen(*header, CPoint(120, 5)), WM_MOUSEMOVE, MK_LBUTTON);
  Mouse(OnScreen(*header, CPoint(120, 5)), WM_LBUTTONUP);
  EXPECT_EQ(list.GetColumnWidth(0), 120);
  EXPECT_EQ(frame->Heard(HDN_FIRST, HDN_FIRST - 99),
            (std::vector<UINT>{HDN_BEGINTRACK, HDN_ITEMCHANGING, HDN_ITEMCHANGED, HDN_ITEMCHANGING, HDN_ITEMCHANGED,
                               HDN_ENDTRACK}));
}

TEST_F(FrameWithListTest, RestingOnAButtonShowsItsPromptAndThenItsTip) {
  CRect button;
  frame->m_toolBar.GetItemRect(2, &button);
  Mouse(OnScreen(frame->m_toolBar, button.CenterPoint()), WM_MOUSEMOVE);
  EXPECT_STREQ(frame->m_statusBar.GetPaneText(0), "Die Liste speichern");
  clock.Advance(200);
  Pump();
  HWND tip = ::FindWindow(TOOLTIPS_CLASS, nullptr);
  ASSERT_NE(tip, nullptr);
  EXPECT_FALSE(::IsWindowVisible(tip));
  clock.Advance(400);
  Pump();
  EXPECT_TRUE(::IsWindowVisible(tip));
}

}  // namespace
