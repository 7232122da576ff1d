#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CMenu.h"
#include "res/resource.h"

namespace {

using frame_tests::LoggingView;
using frame_tests::RectInParent;
using frame_tests::StripBar;

// A frame with a bar at the top, one at the bottom and a view in between.
class BarFrame : public CFrameWnd {
 public:
  StripBar m_top{true, 24};
  StripBar m_bottom{false, 18};
  bool* m_gone = nullptr;
  ~BarFrame() override {
    if (m_gone) *m_gone = true;
  }

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT create, CCreateContext* context) override {
    m_top.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_TOOLBAR);
    m_bottom.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_STATUS_BAR);
    return CFrameWnd::OnCreateClient(create, context);
  }
};

BarFrame* MakeBarFrame(int width, int height) {
  auto* frame = new BarFrame;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(LoggingView);
  EXPECT_TRUE(frame->Create(nullptr, "Rahmen", WS_OVERLAPPEDWINDOW, CRect(10, 10, 10 + width, 10 + height), nullptr,
                            nullptr, 0, &context));
  return frame;
}

TEST(CFrameWndLayout, BarsTakeTheirStripsAndTheViewGetsTheRest) {
  BarFrame* frame = MakeBarFrame(400, 300);
  CRect client;
  frame->GetClientRect(&client);
  CWnd* view = frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(RectInParent(frame->m_top), CRect(0, 0, client.right, 24));
  EXPECT_EQ(RectInParent(frame->m_bottom), CRect(0, client.bottom - 18, client.right, client.bottom));
  EXPECT_EQ(RectInParent(*view), CRect(0, 24, client.right, client.bottom - 18));
  // The view's sunken edge replaces the frame's own.
  EXPECT_TRUE(view->GetExStyle() & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(frame->GetExStyle() & WS_EX_CLIENTEDGE);

  frame->MoveWindow(10, 10, 500, 260);  // resizing lays out at once
  frame->GetClientRect(&client);
  EXPECT_EQ(RectInParent(*view), CRect(0, 24, client.right, client.bottom - 18));
  EXPECT_EQ(RectInParent(frame->m_bottom).top, client.bottom - 18);
  frame->DestroyWindow();
}

TEST(CFrameWndLayout, QueryAnswersTheFreeAreaAndMovesNothing) {
  BarFrame* frame = MakeBarFrame(400, 300);
  CWnd* view = frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
  CRect before = RectInParent(*view);
  CRect client;
  frame->GetClientRect(&client);
  CRect shrunk(0, 0, 200, 100);
  CRect free;
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &free, &shrunk);
  EXPECT_EQ(free, CRect(0, 24, 200, 100 - 18));
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &free);
  EXPECT_EQ(free, CRect(0, 24, client.right, client.bottom - 18));
  // Without stretching the answer is what the bars took.
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &free, nullptr, FALSE);
  EXPECT_EQ(free, CRect(0, 0, 0, 24 + 18));
  EXPECT_EQ(RectInParent(*view), before);
  EXPECT_EQ(RectInParent(frame->m_top).bottom, 24);
  frame->DestroyWindow();
}

TEST(CFrameWndLayout, BorderAroundThePaneAndNoNegativeRest) {
  BarFrame* frame = MakeBarFrame(400, 300);
  CWnd* view = frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
  CRect client;
  frame->GetClientRect(&client);
  frame->m_rectBorder = CRect(3, 4, 5, 6);
  frame->RecalcLayout();
  EXPECT_EQ(RectInParent(*view), CRect(3, 24 + 4, client.right - 5, client.bottom - 18 - 6));

  // A frame lower than its bars leaves the view no room, but never a negative size.
  frame->m_rectBorder = CRect(0, 0, 0, 0);
  frame->MoveWindow(10, 10, 120, 60);
  CRect rest = RectInParent(*view);
  EXPECT_GE(rest.Width(), 0);
  EXPECT_GE(rest.Height(), 0);
  frame->MoveWindow(10, 10, 0, 0);  // no size at all
  EXPECT_GE(RectInParent(*view).Height(), 0);
  frame->DestroyWindow();
}

TEST(CFrameWndLayout, LoadFrameTakesTitleMenuAndAcceleratorsFromItsResources) {
  auto* frame = new CFrameWnd;
  ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
  CString title;
  frame->GetWindowText(title);
  EXPECT_STREQ(title, "Testrahmen");
  EXPECT_STREQ(frame->m_strTitle, "Testrahmen");
  CMenu* menu = frame->GetMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->GetMenuItemCount(), 2u);
  EXPECT_NE(frame->GetDefaultAccelerator(), nullptr);
  EXPECT_NE(frame->GetIcon(TRUE), nullptr);
  frame->DestroyWindow();
}

TEST(CFrameWndLayout, FrameWithoutItsMenuFailsAndGoes) {
  bool gone = false;
  auto* frame = new BarFrame;
  frame->m_gone = &gone;
  EXPECT_FALSE(frame->LoadFrame(IDR_NOMENU));
  EXPECT_TRUE(gone);
}

TEST(CFrameWndLayout, SeveralTopLevelFramesLiveAndGoIndependently) {
  BarFrame* first = MakeBarFrame(300, 200);
  bool firstGone = false, secondGone = false;
  first->m_gone = &firstGone;
  BarFrame* second = MakeBarFrame(320, 220);
  second->m_gone = &secondGone;
  EXPECT_EQ(first->GetActiveFrame(), first);
  EXPECT_EQ(second->GetActiveFrame(), second);
  first->ShowWindow(SW_SHOW);
  second->ShowWindow(SW_SHOW);
  CFrameWnd::UpdateFramesAtIdle();
  EXPECT_EQ(first->m_top.m_idleUpdates, 1);
  EXPECT_EQ(second->m_bottom.m_idleUpdates, 1);
  ::SendMessage(first->m_hWnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(firstGone);
  EXPECT_FALSE(secondGone);
  CFrameWnd::UpdateFramesAtIdle();  // the gone frame is left out
  EXPECT_EQ(second->m_bottom.m_idleUpdates, 2);
  second->DestroyWindow();
  EXPECT_TRUE(secondGone);
}

}  // namespace
