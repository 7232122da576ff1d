#include <gtest/gtest.h>

#include <string>

#include "mfc/CScrollView.h"
#include "win32/GdiPrint.h"

namespace {

class PlainScrollView : public CScrollView {
 public:
  void OnDraw(CDC*) override {}
  using CScrollView::GetTrueClientSize;
};

// A scroll view of exactly the given client size (no border), in a parent window.
struct ScrollSetup {
  CWnd parent;
  PlainScrollView* view = new PlainScrollView;

  ScrollSetup(int width, int height) {
    parent.CreateEx(0, nullptr, "Eltern", WS_OVERLAPPEDWINDOW, 0, 0, 600, 500, nullptr, nullptr);
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &parent, 1);
  }
  ~ScrollSetup() { parent.DestroyWindow(); }
  bool Horizontal() const { return view->GetStyle() & WS_HSCROLL; }
  bool Vertical() const { return view->GetStyle() & WS_VSCROLL; }
};

int BarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }
int BarHeight() { return GetSystemMetrics(SM_CYHSCROLL); }

struct BarCase {
  const char* name;
  int totalWidth;   // relative to the client width 200 (bars subtracted where marked)
  int totalHeight;  // relative to the client height 100
  bool horizontal;
  bool vertical;
};

BarCase Case(const char* name, int width, int height, bool horizontal, bool vertical) {
  return BarCase{name, width, height, horizontal, vertical};
}

class ScrollBarNeed : public ::testing::TestWithParam<BarCase> {};

TEST_P(ScrollBarNeed, BarsAppearExactlyWhereTheContentIsLarger) {
  ScrollSetup setup(200, 100);
  setup.view->SetScrollSizes(MM_TEXT, CSize(GetParam().totalWidth, GetParam().totalHeight));
  EXPECT_EQ(setup.Horizontal(), GetParam().horizontal);
  EXPECT_EQ(setup.Vertical(), GetParam().vertical);
  // The decision does not depend on which bars were there before.
  setup.view->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
  setup.view->SetScrollSizes(MM_TEXT, CSize(GetParam().totalWidth, GetParam().totalHeight));
  EXPECT_EQ(setup.Horizontal(), GetParam().horizontal);
  EXPECT_EQ(setup.Vertical(), GetParam().vertical);
}

INSTANTIATE_TEST_SUITE_P(
    CScrollView, ScrollBarNeed,
    ::testing::Values(Case("Smaller", 150, 80, false, false), Case("ExactlyTheClient", 200, 100, false, false),
                      Case("Wider", 201, 80, true, false),
                      Case("WiderAndFitsAboveTheBar", 300, 100 - BarHeight(), true, false),
                      Case("WiderAndTheBarMakesItTooHigh", 300, 100 - BarHeight() + 1, true, true),
                      Case("Higher", 150, 101, false, true),
                      Case("HigherAndFitsBesideTheBar", 200 - BarWidth(), 300, false, true),
                      Case("HigherAndTheBarMakesItTooWide", 200 - BarWidth() + 1, 300, true, true),
                      Case("Both", 400, 400, true, true)),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CScrollView, RangesPagesAndTheTrueClientSize) {
  ScrollSetup setup(200, 100);
  setup.view->SetScrollSizes(MM_TEXT, CSize(500, 400));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(setup.view->GetScrollInfo(SB_VERT, &info, SIF_RANGE | SIF_PAGE));
  EXPECT_EQ(info.nMin, 0);
  EXPECT_EQ(info.nMax, 399);
  EXPECT_EQ(info.nPage, static_cast<UINT>(100 - BarHeight()));
  ASSERT_TRUE(setup.view->GetScrollInfo(SB_HORZ, &info, SIF_RANGE | SIF_PAGE));
  EXPECT_EQ(info.nMax, 499);
  EXPECT_EQ(info.nPage, static_cast<UINT>(200 - BarWidth()));
  CSize size, bars;
  EXPECT_TRUE(setup.view->GetTrueClientSize(size, bars));
  EXPECT_EQ(size, CSize(200, 100));
  EXPECT_EQ(bars, CSize(BarWidth(), BarHeight()));
  EXPECT_EQ(setup.view->GetTotalSize(), CSize(500, 400));
}

TEST(CScrollView, DefaultPageAndLineAndSizesWithoutSign) {
  ScrollSetup setup(200, 100);
  setup.view->SetScrollSizes(MM_TEXT, CSize(-1000, 500));
  int mode;
  SIZE total, page, line;
  setup.view->GetDeviceScrollSizes(mode, total, page, line);
  EXPECT_EQ(mode, MM_TEXT);
  EXPECT_EQ(CSize(total), CSize(1000, 500));
  EXPECT_EQ(CSize(page), CSize(100, 50));
  EXPECT_EQ(CSize(line), CSize(10, 5));
  setup.view->SetScrollSizes(MM_TEXT, CSize(1000, 500), CSize(-70, 60), CSize(7, 0));
  setup.view->GetDeviceScrollSizes(mode, total, page, line);
  EXPECT_EQ(CSize(page), CSize(70, 60));
  EXPECT_EQ(CSize(line), CSize(7, 6));
}

TEST(CScrollView, ScrollToPositionStaysInsideTheContent) {
  ScrollSetup setup(200, 100);
  setup.view->SetScrollSizes(MM_TEXT, CSize(1000, 500));
  int xLimit = 1000 - (200 - BarWidth()), yLimit = 500 - (100 - BarHeight());
  struct {
    POINT asked, expected;
  } cases[] = {{{30, 40}, {30, 40}}, {{-5, -9}, {0, 0}}, {{5000, 5000}, {xLimit, yLimit}}, {{xLimit, 1}, {xLimit, 1}}};
  for (const auto& c : cases) {
    setup.view->ScrollToPosition(c.asked);
    EXPECT_EQ(setup.view->GetScrollPosition(), CPoint(c.expected)) << c.asked.x << "," << c.asked.y;
  }
  // A larger window brings the position back inside the smaller range.
  setup.view->ScrollToPosition(CPoint(xLimit, yLimit));
  setup.view->MoveWindow(0, 0, 400, 300);
  EXPECT_EQ(setup.view->GetScrollPosition(), CPoint(1000 - (400 - BarWidth()), 500 - (300 - BarHeight())));
  setup.view->SetScrollSizes(MM_TEXT, CSize(100, 100));  // no bars: back to the origin
  EXPECT_EQ(setup.view->GetScrollPosition(), CPoint(0, 0));
}

struct ScrollCodeCase {
  const char* name;
  UINT message;
  UINT code;
  int expected;  // the position after starting at 100 with line 10 and page 50
};

class ScrollCodes : public ::testing::TestWithParam<ScrollCodeCase> {};

TEST_P(ScrollCodes, MoveByLinePageOrToTheEnds) {
  ScrollSetup setup(200, 100);
  setup.view->SetScrollSizes(MM_TEXT, CSize(1000, 1000), CSize(50, 50), CSize(10, 10));
  setup.view->ScrollToPosition(CPoint(100, 100));
  setup.view->SendMessage(GetParam().message, MAKEWPARAM(GetParam().code, 0), 0);
  CPoint position = setup.view->GetScrollPosition();
  int moved = GetParam().message == WM_VSCROLL ? position.y : position.x;
  int other = GetParam().message == WM_VSCROLL ? position.x : position.y;
  int limit = GetParam().message == WM_VSCROLL ? 1000 - (100 - BarHeight()) : 1000 - (200 - BarWidth());
  EXPECT_EQ(moved, GetParam().expected == -1 ? limit : GetParam().expected);
  EXPECT_EQ(other, 100);
}

INSTANTIATE_TEST_SUITE_P(CScrollView, ScrollCodes,
                         ::testing::Values(ScrollCodeCase{"LineDown", WM_VSCROLL, SB_LINEDOWN, 110},
                                           ScrollCodeCase{"LineUp", WM_VSCROLL, SB_LINEUP, 90},
                                           ScrollCodeCase{"PageDown", WM_VSCROLL, SB_PAGEDOWN, 150},
                                           ScrollCodeCase{"PageLeft", WM_HSCROLL, SB_PAGELEFT, 50},
                                           ScrollCodeCase{"Top", WM_VSCROLL, SB_TOP, 0},
                                           ScrollCodeCase{"Bottom", WM_VSCROLL, SB_BOTTOM, -1},
                                           ScrollCodeCase{"Right", WM_HSCROLL, SB_RIGHT, -1},
                                           ScrollCodeCase{"EndScrollChangesNothing", WM_VSCROLL, SB_ENDSCROLL, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CScrollView, TheWheelScrollsThreeLinesButNeverMoreThanAPage) {
  ScrollSetup setup(200, 100);
  setup.view->SetScrollSizes(MM_TEXT, CSize(1000, 1000), CSize(50, 50), CSize(10, 10));
  setup.view->ScrollToPosition(CPoint(0, 200));
  setup.view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(setup.view->GetScrollPosition().y, 230);
  setup.view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(setup.view->GetScrollPosition().y, 200);
  setup.view->SetScrollSizes(MM_TEXT, CSize(1000, 1000), CSize(20, 20), CSize(10, 10));
  setup.view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
  EXPECT_EQ(setup.view->GetScrollPosition().y, 220);
  setup.view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(setup.view->GetScrollPosition().y, 220);  // Ctrl and the wheel are the program's
}

TEST(CScrollView, DrawingHappensInContentCoordinates) {
  ScrollSetup setup(200, 100);
  setup.view->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
  setup.view->ScrollToPosition(CPoint(30, 70));
  CDC* dc = setup.view->GetDC();
  setup.view->OnPrepareDC(dc);
  POINT origin{};
  ::GetViewportOrgEx(dc->m_hDC, &origin);
  EXPECT_EQ(CPoint(origin), CPoint(-30, -70));
  setup.view->ReleaseDC(dc);
}

TEST(CScrollView, AWindowWithoutSizeShowsNoBarsAndDividesByNothing) {
  ScrollSetup setup(0, 0);
  setup.view->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
  setup.view->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
  setup.view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  setup.view->ScrollToPosition(CPoint(10, 10));
  EXPECT_FALSE(setup.Horizontal());
  EXPECT_FALSE(setup.Vertical());
  ScrollSetup tiny(3, 3);  // smaller than a bar
  tiny.view->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
  EXPECT_FALSE(tiny.Horizontal());
  EXPECT_FALSE(tiny.Vertical());
}

}  // namespace
