// The messages of creating, showing, activating, placing and destroying
// windows, in the platform's order, pinned as tables.
#include <gtest/gtest.h>

#include "MessageLog.h"
#include "win32/UserWindows.h"

using namespace layer::testing;

namespace {

LPARAM Handle(HWND window) { return reinterpret_cast<LPARAM>(window); }

// The first paint of a window just shown: its frame and background come with it.
const std::vector<Expect> FirstPaint(const char* window) {
  return {{window, WM_PAINT, kPosted},
          {window, WM_NCPAINT, kByDefault | kOptional},
          {window, WM_ERASEBKGND, kByDefault | kOptional}};
}

}  // namespace

TEST(Sequences, AnOverlappedWindowHearsItsSizeAndPlaceWhenFirstShown) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(log.Matches({{"frame", WM_GETMINMAXINFO},
                           {"frame", WM_NCCREATE},
                           {"frame", WM_NCCALCSIZE, kW, FALSE},
                           {"frame", WM_CREATE}}));

  ShowWindow(frame, SW_SHOW);
  EXPECT_TRUE(log.Matches({{"frame", WM_SHOWWINDOW, kW, TRUE},
                           {"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_WINDOWPOSCHANGING},  // coming to the top as it is activated
                           {"frame", WM_ACTIVATEAPP, kW, TRUE},
                           {"frame", WM_NCACTIVATE, kW, TRUE},
                           {"frame", WM_ACTIVATE, kSent | kWParam | kLParam, WA_ACTIVE, 0},
                           {"frame", WM_SETFOCUS, kByDefault | kWParam, 0},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_SIZE, kW, SIZE_RESTORED},
                           {"frame", WM_MOVE}}));
  log.Pump();
  EXPECT_TRUE(log.Matches(FirstPaint("frame")));

  ShowWindow(frame, SW_HIDE);  // the program's last window: the program is no longer active
  EXPECT_TRUE(log.Matches({{"frame", WM_SHOWWINDOW, kW, FALSE},
                           {"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_NCACTIVATE, kW, FALSE},
                           {"frame", WM_ACTIVATE, kW, WA_INACTIVE},
                           {"frame", WM_ACTIVATEAPP, kW, FALSE},
                           {"frame", WM_KILLFOCUS, kW, 0}}));
  ShowWindow(frame, SW_SHOW);  // shown again: no second first size
  log.Pump();
  EXPECT_TRUE(log.Matches({{"frame", WM_SHOWWINDOW, kW, TRUE},
                           {"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_ACTIVATEAPP, kW, TRUE},
                           {"frame", WM_NCACTIVATE, kW, TRUE},
                           {"frame", WM_ACTIVATE, kW, WA_ACTIVE},
                           {"frame", WM_SETFOCUS, kByDefault},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_PAINT, kPosted},
                           {"frame", WM_NCPAINT, kByDefault | kOptional},
                           {"frame", WM_ERASEBKGND, kByDefault | kOptional}}));
}

TEST(Sequences, APopupAndAChildCreatedVisible) {
  MessageLog log;
  HWND popup = log.Create("popup", WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 200});
  EXPECT_TRUE(log.Matches({{"popup", WM_NCCREATE},
                           {"popup", WM_NCCALCSIZE, kW, FALSE},
                           {"popup", WM_CREATE},
                           {"popup", WM_SIZE, kW, SIZE_RESTORED},
                           {"popup", WM_MOVE},
                           {"popup", WM_SHOWWINDOW, kW, TRUE},
                           {"popup", WM_WINDOWPOSCHANGING},
                           {"popup", WM_WINDOWPOSCHANGING, kOptional | kSent},
                           {"popup", WM_ACTIVATEAPP, kW, TRUE},
                           {"popup", WM_NCACTIVATE, kW, TRUE},
                           {"popup", WM_ACTIVATE, kW, WA_ACTIVE},
                           {"popup", WM_SETFOCUS, kByDefault},
                           {"popup", WM_WINDOWPOSCHANGED}}));
  log.Pump();
  log.Clear();

  HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, popup, {5, 5, 55, 45}, 7);
  EXPECT_TRUE(log.Matches({{"child", WM_NCCREATE},
                           {"child", WM_NCCALCSIZE, kW, FALSE},
                           {"child", WM_CREATE},
                           {"child", WM_SIZE, kW, SIZE_RESTORED},
                           {"child", WM_MOVE, kSent | kLParam, 0, MAKELPARAM(5, 5)},
                           {"popup", WM_PARENTNOTIFY, kSent | kWParam | kLParam, MAKEWPARAM(WM_CREATE, 7), Handle(child)},
                           {"child", WM_SHOWWINDOW, kW, TRUE},
                           {"child", WM_WINDOWPOSCHANGING},
                           {"child", WM_WINDOWPOSCHANGED}}));
  ShowWindow(child, SW_HIDE);
  EXPECT_TRUE(log.Matches({{"child", WM_SHOWWINDOW, kW, FALSE},
                           {"child", WM_WINDOWPOSCHANGING},
                           {"child", WM_WINDOWPOSCHANGED}}));
  ShowWindow(popup, SW_HIDE);
  log.Clear();
  ShowWindow(child, SW_SHOW);  // under a hidden parent only the flag changes
  EXPECT_TRUE(log.Matches({{"child", WM_SHOWWINDOW, kW, TRUE}}));
  EXPECT_FALSE(IsWindowVisible(child));
  EXPECT_TRUE(GetWindowLong(child, GWL_STYLE) & WS_VISIBLE);
}

TEST(Sequences, ActivationPassesFromOneFrameToTheOther) {
  MessageLog log;
  HWND first = log.Create("first", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND second = log.Create("second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {50, 60, 250, 210});
  HWND field = log.Create("field", WS_CHILD | WS_VISIBLE, second, {0, 0, 40, 20});
  SetFocus(field);
  log.Pump();
  log.Clear();
  ASSERT_EQ(GetActiveWindow(), second);

  EXPECT_EQ(SetActiveWindow(first), second);
  EXPECT_TRUE(log.Matches({{"second", WM_NCACTIVATE, kSent | kWParam | kLParam, FALSE, Handle(first)},
                           {"second", WM_ACTIVATE, kSent | kWParam | kLParam, WA_INACTIVE, Handle(first)},
                           {"first", WM_WINDOWPOSCHANGING},
                           {"first", WM_WINDOWPOSCHANGED},  // it came to the top
                           {"first", WM_NCACTIVATE, kSent | kWParam | kLParam, TRUE, Handle(second)},
                           {"first", WM_ACTIVATE, kSent | kWParam | kLParam, WA_ACTIVE, Handle(second)},
                           {"field", WM_KILLFOCUS, kByDefault | kWParam, reinterpret_cast<WPARAM>(first)},
                           {"first", WM_SETFOCUS, kByDefault | kWParam, reinterpret_cast<WPARAM>(field)}}));
  EXPECT_EQ(GetForegroundWindow(), first);
  EXPECT_EQ(GetFocus(), first);

  // Giving the focus to a window of an inactive frame activates the frame
  // first; the focus given back is the one the activation left.
  EXPECT_EQ(SetFocus(field), second);
  EXPECT_TRUE(log.Matches({{"first", WM_NCACTIVATE, kW, FALSE},
                           {"first", WM_ACTIVATE, kW, WA_INACTIVE},
                           {"second", WM_WINDOWPOSCHANGING},
                           {"second", WM_WINDOWPOSCHANGED},
                           {"second", WM_NCACTIVATE, kW, TRUE},
                           {"second", WM_ACTIVATE, kW, WA_ACTIVE},
                           {"first", WM_KILLFOCUS, kByDefault},
                           {"second", WM_SETFOCUS, kByDefault},
                           {"second", WM_KILLFOCUS, kSent},
                           {"field", WM_SETFOCUS, kSent}}));
}

TEST(Sequences, DestroyingAFrameAndAFocusedChild) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, frame, {0, 0, 40, 20}, 3);
  HWND other = log.Create("other", WS_CHILD | WS_VISIBLE, frame, {50, 0, 90, 20}, 4);
  SetFocus(child);
  log.Pump();
  log.Clear();

  DestroyWindow(child);  // the focus goes back to the parent
  EXPECT_TRUE(log.Matches({{"frame", WM_PARENTNOTIFY, kSent | kWParam | kLParam, MAKEWPARAM(WM_DESTROY, 3), Handle(child)},
                           {"child", WM_SHOWWINDOW, kW, FALSE},
                           {"child", WM_WINDOWPOSCHANGING},
                           {"child", WM_WINDOWPOSCHANGED},
                           {"child", WM_KILLFOCUS, kW, reinterpret_cast<WPARAM>(frame)},
                           {"frame", WM_SETFOCUS, kW, reinterpret_cast<WPARAM>(child)},
                           {"child", WM_DESTROY},
                           {"child", WM_NCDESTROY}}));
  EXPECT_EQ(GetFocus(), frame);

  DestroyWindow(frame);  // WM_DESTROY goes down from the parent, WM_NCDESTROY comes up from the child
  EXPECT_TRUE(log.Matches({{"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_NCACTIVATE, kW, FALSE},
                           {"frame", WM_ACTIVATE, kW, WA_INACTIVE},
                           {"frame", WM_ACTIVATEAPP, kW, FALSE},
                           {"frame", WM_KILLFOCUS, kW, 0},
                           {"frame", WM_DESTROY},
                           {"other", WM_DESTROY},
                           {"other", WM_NCDESTROY},
                           {"frame", WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_FALSE(IsWindow(other));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST(Sequences, ClosingTheActiveFrameActivatesTheOneBelow) {
  MessageLog log;
  HWND below = log.Create("below", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND top = log.Create("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {40, 40, 240, 190});
  log.Pump();
  log.Clear();
  DestroyWindow(top);
  EXPECT_TRUE(log.Matches({{"top", WM_WINDOWPOSCHANGING},
                           {"top", WM_WINDOWPOSCHANGED},
                           {"top", WM_NCACTIVATE, kW, FALSE},
                           {"top", WM_ACTIVATE, kW, WA_INACTIVE},
                           {"below", WM_WINDOWPOSCHANGING, kSent},
                           {"below", WM_WINDOWPOSCHANGED, kSent | kOptional},
                           {"below", WM_NCACTIVATE, kW, TRUE},
                           {"below", WM_ACTIVATE, kW, WA_ACTIVE},
                           {"top", WM_KILLFOCUS, kByDefault},
                           {"below", WM_SETFOCUS, kByDefault},
                           {"top", WM_DESTROY},
                           {"top", WM_NCDESTROY}}));
  EXPECT_EQ(GetActiveWindow(), below);
}

TEST(Sequences, MovingAndSizing) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND popup = log.Create("popup", WS_POPUP | WS_VISIBLE, nullptr, {300, 300, 400, 400});
  log.Pump();
  log.Clear();

  SetWindowPos(frame, nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(log.Matches({{"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_GETMINMAXINFO, kByDefault},  // a framed window's limits
                           {"frame", WM_NCCALCSIZE, kW, TRUE},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_SIZE, kByDefault | kWParam, SIZE_RESTORED}}));
  SetWindowPos(frame, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(log.Matches({{"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_MOVE, kByDefault}}));
  MoveWindow(popup, 310, 300, 50, 60, TRUE);
  EXPECT_TRUE(log.Matches({{"popup", WM_WINDOWPOSCHANGING},
                           {"popup", WM_NCCALCSIZE, kW, TRUE},
                           {"popup", WM_WINDOWPOSCHANGED},
                           {"popup", WM_MOVE, kByDefault},
                           {"popup", WM_SIZE, kByDefault}}));
  SetWindowPos(popup, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(log.Matches({{"popup", WM_WINDOWPOSCHANGING}}));  // nothing changed, nothing to tell
}

TEST(Sequences, MaximisingAHiddenFrameShowsAndActivatesIt) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW);
  log.Clear();
  ShowWindow(frame, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(log.Matches({{"frame", WM_GETMINMAXINFO},
                           {"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_GETMINMAXINFO, kByDefault},
                           {"frame", WM_NCCALCSIZE, kW, TRUE},
                           {"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_ACTIVATEAPP, kW, TRUE},
                           {"frame", WM_NCACTIVATE, kW, TRUE},
                           {"frame", WM_ACTIVATE, kW, WA_ACTIVE},
                           {"frame", WM_SETFOCUS, kByDefault},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_MOVE, kByDefault},
                           {"frame", WM_SIZE, kByDefault | kWParam, SIZE_MAXIMIZED}}));
  EXPECT_TRUE(IsZoomed(frame));
  RECT rect;
  GetWindowRect(frame, &rect);
  int frameWidth = GetSystemMetrics(SM_CXFRAME);
  // The frame lies just outside the screen, as the platform places maximised windows.
  EXPECT_EQ(rect.left, -frameWidth);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN) + 2 * frameWidth);

  ShowWindow(frame, SW_RESTORE);
  EXPECT_TRUE(log.Matches({{"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_GETMINMAXINFO, kByDefault},
                           {"frame", WM_NCCALCSIZE, kW, TRUE},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_MOVE, kByDefault},
                           {"frame", WM_SIZE, kByDefault | kWParam, SIZE_RESTORED}}));
  GetWindowRect(frame, &rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.bottom, 170);
}
