// Scroll bars held down with the mouse: the modal loop sends WM_VSCROLL or
// WM_HSCROLL at once and repeats on the clock while the pointer stays on
// the part, the thumb follows the pointer, SB_ENDSCROLL ends it; the
// scroll-bar control; scrolling a window's pixels.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "MessageLog.h"
#include "ScreenPoints.h"
#include "win32/Clock.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

using namespace layer::testing;

namespace {

// The middle of the vertical bar's lower arrow, and of the bar at a height.
POINT LowerArrow(HWND window) {
  RECT client;
  GetClientRect(window, &client);  // a plain popup: the client area starts at the window's corner
  int bar = GetSystemMetrics(SM_CXVSCROLL);
  return OnWindow(window, client.right + bar / 2, client.bottom - bar / 2);
}

struct Scroll {
  int code;
  int pos;
  DWORD time;
  bool operator==(const Scroll& other) const = default;
};

std::ostream& operator<<(std::ostream& out, const Scroll& s) {
  return out << "{" << s.code << ", " << s.pos << ", " << s.time << "}";
}

}  // namespace

TEST(ScrollBars, AnArrowHeldDownRepeatsOnTheTestClock) {
  layer::ManualClock clock(10000);
  layer::ScopedClock use(clock);
  MessageLog log;
  HWND view = log.Create("view", WS_POPUP | WS_VISIBLE | WS_VSCROLL, nullptr, {100, 100, 300, 300});
  log.Pump();
  POINT arrow = LowerArrow(view);
  std::vector<Scroll> scrolls;
  int lines = 0;
  log.handlers[WM_VSCROLL] = [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
    scrolls.push_back(Scroll{LOWORD(wParam), 0, GetTickCount() - 10000});
    if (LOWORD(wParam) == SB_LINEDOWN && ++lines == 4) layer::MouseInput(arrow, WM_LBUTTONUP, 0);
    return 0;
  };
  log.Clear();
  layer::MouseInput(arrow, WM_LBUTTONDOWN, MK_LBUTTON);
  log.Pump();
  // At once, after the first delay, then at the repeat rate; the end when let go.
  EXPECT_EQ(scrolls, (std::vector<Scroll>{{SB_LINEDOWN, 0, 0}, {SB_LINEDOWN, 0, 200}, {SB_LINEDOWN, 0, 250},
                                          {SB_LINEDOWN, 0, 300}, {SB_ENDSCROLL, 0, 300}}));
  EXPECT_TRUE(log.Matches({{"view", WM_NCHITTEST},
                           {"view", WM_SETCURSOR, kSent | kLParam, 0, MAKELPARAM(HTVSCROLL, WM_LBUTTONDOWN)},
                           {"view", WM_NCLBUTTONDOWN, kPosted | kWParam, HTVSCROLL},
                           {"view", WM_SYSCOMMAND, kByDefault | kWParam, SC_VSCROLL + HTVSCROLL},
                           {"view", WM_VSCROLL, kByDefault | kWParam | kLParam, SB_LINEDOWN, 0},
                           {"view", WM_VSCROLL, kByDefault | kWParam, SB_LINEDOWN},
                           {"view", WM_VSCROLL, kByDefault | kWParam, SB_LINEDOWN},
                           {"view", WM_VSCROLL, kByDefault | kWParam, SB_LINEDOWN},
                           {"view", WM_CAPTURECHANGED, kByDefault},
                           {"view", WM_VSCROLL, kByDefault | kWParam, SB_ENDSCROLL}}));
  EXPECT_EQ(GetCapture(), nullptr);
}

namespace {
POINT pointerBack{};
void CALLBACK ComeBack(HWND, UINT, UINT_PTR id, DWORD) {
  // The pointer comes back after 400 ms, and lets go 100 ms later.
  if (id == 1) layer::MouseInput(pointerBack, WM_MOUSEMOVE, MK_LBUTTON);
  if (id == 2) layer::MouseInput(pointerBack, WM_LBUTTONUP, 0);
}
}  // namespace

TEST(ScrollBars, NoRepeatWhileThePointerIsOffThePart) {
  layer::ManualClock clock(10000);
  layer::ScopedClock use(clock);
  MessageLog log;
  HWND view = log.Create("view", WS_POPUP | WS_VISIBLE | WS_VSCROLL, nullptr, {100, 100, 300, 300});
  HWND timers = log.Create("timers", WS_POPUP, nullptr, {0, 0, 10, 10});
  log.Pump();
  pointerBack = LowerArrow(view);
  std::vector<Scroll> scrolls;
  log.handlers[WM_VSCROLL] = [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
    scrolls.push_back(Scroll{LOWORD(wParam), 0, GetTickCount() - 10000});
    if (scrolls.size() == 1) {
      layer::MouseInput(OnWindow(view, 50, 50), WM_MOUSEMOVE, MK_LBUTTON);  // off the arrow
      SetTimer(timers, 1, 400, ComeBack);
      SetTimer(timers, 2, 500, ComeBack);
    }
    return 0;
  };
  layer::MouseInput(pointerBack, WM_LBUTTONDOWN, MK_LBUTTON);
  log.Pump();
  KillTimer(timers, 1);
  KillTimer(timers, 2);
  // Back at 400: the repeats go on at the rate from the next tick on.
  EXPECT_EQ(scrolls, (std::vector<Scroll>{{SB_LINEDOWN, 0, 0}, {SB_LINEDOWN, 0, 400}, {SB_LINEDOWN, 0, 450},
                                          {SB_ENDSCROLL, 0, 500}}));
}

TEST(ScrollBars, TheTrackPagesAndTheThumbFollowsThePointer) {
  MessageLog log;
  HWND view = log.Create("view", WS_POPUP | WS_VISIBLE | WS_VSCROLL, nullptr, {100, 100, 300, 300});
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
  SetScrollInfo(view, SB_VERT, &info, TRUE);
  log.Pump();
  std::vector<Scroll> scrolls;
  log.handlers[WM_VSCROLL] = [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
    scrolls.push_back(Scroll{LOWORD(wParam), static_cast<short>(HIWORD(wParam)), 0});
    return 0;
  };
  int x = 200 - GetSystemMetrics(SM_CXVSCROLL) / 2;
  POINT track = OnWindow(view, x, 150), thumb = OnWindow(view, x, 20);
  layer::MouseInput(track, WM_LBUTTONDOWN, MK_LBUTTON);  // below the thumb: a page down
  layer::MouseInput(track, WM_LBUTTONUP, 0);
  layer::MouseInput(thumb, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(POINT{thumb.x, thumb.y + 42}, WM_MOUSEMOVE, MK_LBUTTON);
  layer::MouseInput(POINT{thumb.x, thumb.y + 84}, WM_MOUSEMOVE, MK_LBUTTON);
  layer::MouseInput(POINT{thumb.x, thumb.y + 84}, WM_LBUTTONUP, 0);
  log.Pump();
  ASSERT_EQ(scrolls.size(), 6u);
  EXPECT_EQ(scrolls[0].code, SB_PAGEDOWN);
  EXPECT_EQ(scrolls[1].code, SB_ENDSCROLL);
  EXPECT_EQ(scrolls[2].code, SB_THUMBTRACK);
  EXPECT_EQ(scrolls[3].code, SB_THUMBTRACK);
  EXPECT_GT(scrolls[3].pos, scrolls[2].pos);
  EXPECT_NEAR(scrolls[3].pos, 2 * scrolls[2].pos, 2);  // the thumb moves in proportion
  EXPECT_EQ(scrolls[4], (Scroll{SB_THUMBPOSITION, scrolls[3].pos, 0}));
  EXPECT_EQ(scrolls[5].code, SB_ENDSCROLL);
  SCROLLINFO read{sizeof(SCROLLINFO), SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
  GetScrollInfo(view, SB_VERT, &read);
  EXPECT_EQ(read.nTrackPos, scrolls[3].pos);
  EXPECT_EQ(read.nPos, 0);  // the window moves the position itself, if it wants to
}

TEST(ScrollBars, AQuitMetByTheLoopEndsItAndWaitsForTheLoopOutside) {
  MessageLog log;
  HWND view = log.Create("view", WS_POPUP | WS_VISIBLE | WS_VSCROLL, nullptr, {100, 100, 300, 300});
  log.Pump();
  std::vector<int> codes;
  log.handlers[WM_VSCROLL] = [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
    codes.push_back(LOWORD(wParam));
    if (codes.size() == 1) PostQuitMessage(7);
    return 0;
  };
  layer::MouseInput(LowerArrow(view), WM_LBUTTONDOWN, MK_LBUTTON);
  log.Pump();
  EXPECT_EQ(codes, (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(GetCapture(), nullptr);
  int code = 0;
  EXPECT_TRUE(layer::QuitPending(&code));
  EXPECT_EQ(code, 7);
  MSG msg;
  EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
  layer::MouseInput(LowerArrow(view), WM_LBUTTONUP, 0);
  log.Pump();
}

TEST(ScrollBars, TheScrollBarControlTellsItsParent) {
  MessageLog log;
  HWND parent = log.Create("parent", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 400, 300});
  HWND bar = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 10, 10, 200, 16, parent,
                            reinterpret_cast<HMENU>(9), nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 50, 10, 20, 0};
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 20);
  EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 20);
  EXPECT_EQ(SendMessage(bar, SBM_SETPOS, 30, TRUE), 20);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 30);
  EXPECT_FALSE(SetScrollInfo(parent, SB_CTL, &info, TRUE));  // only a control has SB_CTL
  log.Pump();
  HDC dc = GetDC(bar);
  EXPECT_EQ(GetPixel(dc, 195, 8), GetSysColor(COLOR_3DFACE));  // the right arrow's face
  ReleaseDC(bar, dc);
  log.Clear();

  POINT right{195, 8};
  ClientToScreen(bar, &right);
  layer::MouseInput(right, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(right, WM_LBUTTONUP, 0);
  log.Pump();
  auto scrolls = log.Entries(WM_HSCROLL);
  ASSERT_EQ(scrolls.size(), 2u);
  EXPECT_EQ(LOWORD(scrolls[0].wParam), SB_LINEDOWN);
  EXPECT_EQ(scrolls[0].lParam, reinterpret_cast<LPARAM>(bar));  // it names itself
  EXPECT_EQ(LOWORD(scrolls[1].wParam), SB_ENDSCROLL);

  SendMessage(bar, WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(LOWORD(log.Entries(WM_HSCROLL).at(2).wParam), SB_TOP);

  EXPECT_TRUE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_BOTH));
  log.Clear();
  layer::MouseInput(right, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(right, WM_LBUTTONUP, 0);
  log.Pump();
  EXPECT_TRUE(log.Entries(WM_HSCROLL).empty());  // a disabled arrow does nothing
}

TEST(ScrollBars, ScrollingAWindowMovesItsPixelsAndChildren) {
  MessageLog log;
  HWND view = log.Create("view", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 200, 200});
  HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, view, {10, 60, 30, 80}, 1);
  log.Pump();
  HDC dc = GetDC(view);
  RECT mark{10, 10, 20, 20};
  FillRect(dc, &mark, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  log.Clear();

  RECT update{};
  EXPECT_EQ(ScrollWindowEx(view, 0, 20, nullptr, nullptr, nullptr, &update, SW_INVALIDATE | SW_SCROLLCHILDREN), SIMPLEREGION);
  EXPECT_EQ(GetPixel(dc, 15, 35), RGB(0, 0, 0));  // moved down
  EXPECT_TRUE(EqualRect(&update, std::vector<RECT>{RECT{0, 0, 100, 20}}.data()));
  RECT invalid;
  ASSERT_TRUE(GetUpdateRect(view, &invalid, FALSE));
  EXPECT_TRUE(EqualRect(&invalid, &update));
  RECT childRect;
  GetWindowRect(child, &childRect);
  EXPECT_EQ(childRect.top, 100 + 80);
  EXPECT_TRUE(log.Matches({{"child", WM_WINDOWPOSCHANGING},
                           {"child", WM_WINDOWPOSCHANGED},
                           {"child", WM_MOVE, kByDefault | kLParam, 0, MAKELPARAM(10, 80)}}));
  log.Pump();

  EXPECT_EQ(ScrollWindowEx(view, 5, 5, nullptr, nullptr, nullptr, &update, 0), COMPLEXREGION);  // two strips
  EXPECT_FALSE(GetUpdateRect(view, &invalid, FALSE));  // without SW_INVALIDATE nothing waits for a paint
  EXPECT_EQ(ScrollWindowEx(view, 0, 0, nullptr, nullptr, nullptr, &update, SW_INVALIDATE), NULLREGION);
  RECT part{0, 0, 50, 100};
  ScrollWindow(view, 0, -10, &part, nullptr);  // only the left half moves; the child stays
  GetWindowRect(child, &childRect);
  EXPECT_EQ(childRect.top, 100 + 80);
  EXPECT_EQ(ScrollWindowEx(view, 1 << 20, 0, nullptr, nullptr, nullptr, &update, 0), SIMPLEREGION);  // all uncovered
  EXPECT_TRUE(EqualRect(&update, std::vector<RECT>{RECT{0, 0, 100, 100}}.data()));
  ReleaseDC(view, dc);
}
