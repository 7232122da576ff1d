#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CScrollView.h"
#include "mfc/CSplitterWnd.h"
#include "res/resource.h"
#include "win32/Gdi.h"
#include "win32/GdiPrint.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

using frame_tests::LoggingView;
using frame_tests::RectInParent;

class PaneScrollView : public CScrollView {
  DECLARE_DYNCREATE(PaneScrollView)

 public:
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override { SetScrollSizes(MM_TEXT, CSize(400, 1000)); }
};
IMPLEMENT_DYNCREATE(PaneScrollView, CScrollView)

// A splitter that writes down how it draws, and keeps its second column bar fixed.
class FixedBarSplitter : public CSplitterWnd {
 public:
  std::vector<std::string> m_drawn;
  bool m_fixSecondBar = false;
  using CSplitterWnd::m_cxSplitter;
  using CSplitterWnd::m_cxSplitterGap;

 protected:
  void OnDrawSplitter(CDC* dc, ESplitType type, const CRect& rect) override {
    m_drawn.push_back(std::string(dc ? "dc " : "none ") + std::to_string(type));
    CSplitterWnd::OnDrawSplitter(dc, type, rect);
  }
  afx_msg void OnLButtonDown(UINT flags, CPoint point) {
    if (m_fixSecondBar && HitTest(point) == hSplitterBar1 + 1) return;
    CSplitterWnd::OnLButtonDown(flags, point);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(FixedBarSplitter, CSplitterWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// A frame with a menu and three columns: a view, a scroll view and a nested
// splitter of two rows.
class SplitFrame : public CFrameWnd {
 public:
  FixedBarSplitter m_outer;
  CSplitterWnd m_nested;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    if (!m_outer.CreateStatic(this, 1, 3)) return FALSE;
    if (!m_outer.CreateView(0, 0, RUNTIME_CLASS(LoggingView), CSize(100, 0), context)) return FALSE;
    if (!m_outer.CreateView(0, 1, RUNTIME_CLASS(PaneScrollView), CSize(150, 0), context)) return FALSE;
    if (!m_nested.CreateStatic(&m_outer, 2, 1, WS_CHILD | WS_VISIBLE, m_outer.IdFromRowCol(0, 2))) return FALSE;
    if (!m_nested.CreateView(0, 0, RUNTIME_CLASS(LoggingView), CSize(0, 80), context)) return FALSE;
    return m_nested.CreateView(1, 0, RUNTIME_CLASS(LoggingView), CSize(0, 0), context);
  }
};

SplitFrame* MakeSplitFrame() {
  auto* frame = new SplitFrame;
  EXPECT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
  frame->MoveWindow(20, 20, 640, 420);
  frame->InitialUpdateFrame(nullptr, TRUE);
  return frame;
}

void Press(CWnd& window, UINT message, int x, int y) {
  window.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

TEST(CSplitterWnd, StaticPanesAndANestedSplitterAreLaidOutInPixels) {
  SplitFrame* frame = MakeSplitFrame();
  CRect client;
  frame->GetClientRect(&client);
  const int w = client.Width(), h = client.Height();
  EXPECT_EQ(RectInParent(frame->m_outer), CRect(0, 0, w, h));
  EXPECT_FALSE(frame->GetExStyle() & WS_EX_CLIENTEDGE) << "the splitter draws the sunken look";
  // Border 2, gap 7; panes with a sunken edge reach 2 pixels into border and gap.
  EXPECT_EQ(RectInParent(*frame->m_outer.GetPane(0, 0)), CRect(0, 0, 104, h));
  EXPECT_EQ(RectInParent(*frame->m_outer.GetPane(0, 1)), CRect(107, 0, 261, h));
  EXPECT_EQ(frame->m_outer.GetPane(0, 2), &frame->m_nested);
  EXPECT_EQ(RectInParent(frame->m_nested), CRect(264, 0, w, h));
  EXPECT_EQ(RectInParent(*frame->m_nested.GetPane(0, 0)), CRect(0, 0, w - 264, 84));
  EXPECT_EQ(RectInParent(*frame->m_nested.GetPane(1, 0)), CRect(0, 87, w - 264, h));
  int current, minimum;
  frame->m_outer.GetColumnInfo(2, current, minimum);
  EXPECT_EQ(current, w - 4 - 100 - 150 - 2 * 7);
  EXPECT_EQ(minimum, 0);
  frame->m_nested.GetRowInfo(1, current, minimum);
  EXPECT_EQ(current, h - 4 - 80 - 7);
  EXPECT_EQ(frame->m_outer.GetPane(0, 0)->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(frame->m_nested.IdFromRowCol(1, 0), AFX_IDW_PANE_FIRST + 16);

  // The scroll view's content is larger both ways: both bars.
  CWnd* scroll = frame->m_outer.GetPane(0, 1);
  EXPECT_TRUE(scroll->GetStyle() & WS_VSCROLL);
  EXPECT_TRUE(scroll->GetStyle() & WS_HSCROLL);

  frame->MoveWindow(20, 20, 500, 300);  // the frame's size reaches every pane at once
  frame->GetClientRect(&client);
  EXPECT_EQ(RectInParent(*frame->m_nested.GetPane(1, 0)).bottom, client.Height());
  EXPECT_EQ(RectInParent(frame->m_nested).right, client.Width());
  frame->DestroyWindow();
}

TEST(CSplitterWnd, AFrameMadeAtItsSizeLaysThePanesOutAtOnce) {
  auto* frame = new SplitFrame;
  ASSERT_TRUE(frame->Create(nullptr, "Sofort", WS_OVERLAPPEDWINDOW, CRect(50, 50, 690, 530)));
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(RectInParent(*frame->m_outer.GetPane(0, 1)), CRect(107, 0, 261, client.Height()));
  frame->DestroyWindow();
}

struct HitCase {
  const char* name;
  bool nested;
  int x, y;
  int expected;
};

class SplitterHits : public ::testing::TestWithParam<HitCase> {};

TEST_P(SplitterHits, BarsHaveTheirCodes) {
  SplitFrame* frame = MakeSplitFrame();
  CSplitterWnd& splitter = GetParam().nested ? static_cast<CSplitterWnd&>(frame->m_nested) : frame->m_outer;
  EXPECT_EQ(splitter.HitTest(CPoint(GetParam().x, GetParam().y)), GetParam().expected);
  frame->DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(CSplitterWnd, SplitterHits,
                         ::testing::Values(HitCase{"InsideTheFirstPane", false, 101, 50, CSplitterWnd::noHit},
                                           HitCase{"FirstColumnBarStart", false, 102, 50, 201},
                                           HitCase{"FirstColumnBarEnd", false, 108, 50, 201},
                                           HitCase{"SecondPane", false, 109, 50, CSplitterWnd::noHit},
                                           HitCase{"SecondColumnBar", false, 260, 50, 202},
                                           HitCase{"NestedRowBar", true, 40, 84, 101},
                                           HitCase{"NestedLowerPane", true, 40, 89, CSplitterWnd::noHit}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CSplitterWnd, ABarIntersectionHasItsOwnCode) {
  auto* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Kreuz", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 300)));
  auto* splitter = new CSplitterWnd;
  ASSERT_TRUE(splitter->CreateStatic(frame, 2, 2));
  splitter->SetRowInfo(0, 50, 0);
  splitter->SetColumnInfo(0, 60, 0);
  splitter->MoveWindow(0, 0, 200, 200);
  splitter->RecalcLayout();
  EXPECT_EQ(splitter->HitTest(CPoint(64, 54)), CSplitterWnd::splitterIntersection1);
  EXPECT_EQ(splitter->HitTest(CPoint(30, 54)), CSplitterWnd::vSplitterBar1);
  EXPECT_EQ(splitter->HitTest(CPoint(64, 150)), CSplitterWnd::hSplitterBar1);
  frame->DestroyWindow();
  delete splitter;
}

TEST(CSplitterWnd, DraggingABarMovesItWithAnInvertedTracker) {
  SplitFrame* frame = MakeSplitFrame();
  CSplitterWnd& outer = frame->m_outer;
  CWnd* second = outer.GetPane(0, 1);
  HDC paneDC = ::GetWindowDC(second->m_hWnd);
  COLORREF before = ::GetPixel(paneDC, 40, 40);

  Press(outer, WM_LBUTTONDOWN, 105, 50);
  EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZEWE));
  Press(outer, WM_MOUSEMOVE, 147, 50);  // the tracker now lies over the second pane
  EXPECT_NE(::GetPixel(paneDC, 40, 40), before) << "the tracker shows over the pane";
  Press(outer, WM_LBUTTONUP, 147, 50);
  EXPECT_EQ(::GetPixel(paneDC, 40, 40), before) << "and is gone after the release";
  ::ReleaseDC(second->m_hWnd, paneDC);
  int current, minimum;
  outer.GetColumnInfo(0, current, minimum);
  EXPECT_EQ(current, 144);  // the bar's left edge where the pointer was, less the pane's edge
  EXPECT_EQ(RectInParent(*second).left, 2 + 144 + 7 - 2);
  frame->DestroyWindow();
}

// A bar no wider than the sunken edges of the panes beside it lies under
// them: the pointer on those edges reaches the bar, and a person can drag it.
TEST(CSplitterWnd, ABarUnderThePanesEdgesIsDraggedThroughThem) {
  SplitFrame* frame = MakeSplitFrame();
  FixedBarSplitter& outer = frame->m_outer;
  outer.m_cxSplitter = outer.m_cxSplitterGap = 4;
  outer.RecalcLayout();
  int before, minimum;
  outer.GetColumnInfo(0, before, minimum);
  CRect first;
  outer.GetPane(0, 0)->GetWindowRect(&first);
  CRect second;
  outer.GetPane(0, 1)->GetWindowRect(&second);
  ASSERT_GE(first.right, second.left) << "the panes' edges meet over the bar";
  auto input = [](POINT at, UINT message, WPARAM keys) {
    layer::MouseInput(at, message, keys);
    layer::PumpUntilIdle();
  };
  POINT onEdge{first.right - 1, first.top + 50};
  CPoint inSplitter(onEdge);
  outer.ScreenToClient(&inSplitter);
  ASSERT_EQ(outer.HitTest(inSplitter), CSplitterWnd::hSplitterBar1);
  input(onEdge, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(::GetCapture(), outer.m_hWnd) << "the press on the pane's edge did not reach the bar";
  input(POINT{onEdge.x + 40, onEdge.y}, WM_MOUSEMOVE, MK_LBUTTON);
  input(POINT{onEdge.x + 40, onEdge.y}, WM_LBUTTONUP, 0);
  int after;
  outer.GetColumnInfo(0, after, minimum);
  EXPECT_NEAR(after, before + 40, 3);

  // The inside of a pane stays the pane's.
  POINT inside{first.left + 20, first.top + 50};
  input(inside, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_NE(::GetCapture(), outer.m_hWnd);
  input(inside, WM_LBUTTONUP, 0);
  frame->DestroyWindow();
}

TEST(CSplitterWnd, TrackingIsLimitedAndEscapeCancelsIt) {
  SplitFrame* frame = MakeSplitFrame();
  CSplitterWnd& outer = frame->m_outer;
  CRect client;
  outer.GetClientRect(&client);
  Press(outer, WM_LBUTTONDOWN, 260, 50);
  Press(outer, WM_MOUSEMOVE, 30000, 50);
  Press(outer, WM_LBUTTONUP, 30000, 50);
  int first, second, third, minimum;
  outer.GetColumnInfo(1, second, minimum);
  outer.GetColumnInfo(2, third, minimum);
  EXPECT_EQ(third, 1) << "dragged to the right edge: the last column keeps what is left";
  EXPECT_GT(second, 0);

  outer.GetColumnInfo(0, first, minimum);
  Press(outer, WM_LBUTTONDOWN, 105, 50);
  Press(outer, WM_MOUSEMOVE, 300, 50);
  outer.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  Press(outer, WM_LBUTTONUP, 300, 50);
  int after;
  outer.GetColumnInfo(0, after, minimum);
  EXPECT_EQ(after, first);

  Press(outer, WM_LBUTTONDOWN, 105, 50);
  Press(outer, WM_MOUSEMOVE, -500, 50);  // beyond the left: the first column goes out of sight
  Press(outer, WM_LBUTTONUP, -500, 50);
  outer.GetColumnInfo(0, after, minimum);
  EXPECT_EQ(after, 0);
  frame->DestroyWindow();
}

TEST(CSplitterWnd, ABarFixedByAnOverrideDoesNotMove) {
  SplitFrame* frame = MakeSplitFrame();
  FixedBarSplitter& outer = frame->m_outer;
  outer.m_fixSecondBar = true;
  int before, minimum;
  outer.GetColumnInfo(1, before, minimum);
  Press(outer, WM_LBUTTONDOWN, 260, 50);
  Press(outer, WM_MOUSEMOVE, 200, 50);
  Press(outer, WM_LBUTTONUP, 200, 50);
  int after;
  outer.GetColumnInfo(1, after, minimum);
  EXPECT_EQ(after, before);
  Press(outer, WM_LBUTTONDOWN, 105, 50);  // the other bar still moves
  Press(outer, WM_MOUSEMOVE, 60, 50);
  Press(outer, WM_LBUTTONUP, 60, 50);
  outer.GetColumnInfo(0, after, minimum);
  EXPECT_EQ(after, 57);
  frame->DestroyWindow();
}

TEST(CSplitterWnd, LayoutWithoutDeviceContextOnlyInvalidatesTheBars) {
  SplitFrame* frame = MakeSplitFrame();
  FixedBarSplitter& outer = frame->m_outer;
  frame_tests::Drain();
  outer.m_drawn.clear();
  outer.RecalcLayout();
  EXPECT_EQ(outer.m_drawn, (std::vector<std::string>{"none 1", "none 1", "none 3", "none 3", "none 3"}));
  RECT update{};
  EXPECT_TRUE(::GetUpdateRect(outer.m_hWnd, &update, FALSE));
  outer.m_drawn.clear();
  outer.UpdateWindow();
  EXPECT_EQ(outer.m_drawn, (std::vector<std::string>{"dc 1", "dc 1", "dc 3", "dc 3", "dc 3"}));
  frame->DestroyWindow();
}

TEST(CSplitterWnd, OutOfRangeSizesAndCountsAreClamped) {
  auto* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Grenzen", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CSplitterWnd many, none;
  ASSERT_TRUE(many.CreateStatic(frame, 40, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST));
  EXPECT_EQ(many.GetRowCount(), 16);
  ASSERT_TRUE(none.CreateStatic(frame, 0, -3, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST + 1));
  EXPECT_EQ(none.GetRowCount(), 1);
  EXPECT_EQ(none.GetColumnCount(), 1);
  many.SetRowInfo(0, -50, -7);
  many.SetRowInfo(99, 10, 10);  // no such row: nothing happens
  int current, minimum;
  many.GetRowInfo(99, current, minimum);
  EXPECT_EQ(current, 0);
  EXPECT_EQ(many.GetPane(-1, 0), nullptr);
  EXPECT_FALSE(many.CreateView(16, 0, RUNTIME_CLASS(LoggingView), CSize(10, 10), nullptr));
  ASSERT_TRUE(many.CreateView(0, 0, RUNTIME_CLASS(LoggingView), CSize(10, 10), nullptr));
  EXPECT_FALSE(many.CreateView(0, 0, RUNTIME_CLASS(LoggingView), CSize(10, 10), nullptr)) << "the pane exists";
  many.SetRowInfo(0, -50, -7);
  many.MoveWindow(0, 0, 0, 0);  // no room at all
  many.RecalcLayout();
  many.GetRowInfo(0, current, minimum);
  EXPECT_GE(current, 0);
  EXPECT_EQ(minimum, 0);
  frame->DestroyWindow();
}

}  // namespace
