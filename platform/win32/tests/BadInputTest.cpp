// What the window core does with what it should not be given: windows that
// destroy themselves inside their own handlers, messages and calls with
// impossible parameters. No crash, and the platform's results.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "MessageLog.h"
#include "ScreenPoints.h"
#include "win32/Errors.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

using namespace layer::testing;

namespace {

struct DestroyCase {
  const char* name;
  UINT message;  // the handler of this message destroys its window
  DWORD style;
  std::function<void(HWND)> provoke;
};

std::ostream& operator<<(std::ostream& out, const DestroyCase& c) { return out << c.name; }

void Press(POINT at) {
  layer::MouseInput(at, WM_LBUTTONDOWN, MK_LBUTTON);
  layer::MouseInput(at, WM_LBUTTONUP, 0);
}

const DestroyCase kDestroyCases[] = {
    {"ShowWindow", WM_SHOWWINDOW, WS_OVERLAPPEDWINDOW, [](HWND w) { ShowWindow(w, SW_SHOW); }},
    {"PositionChanging", WM_WINDOWPOSCHANGING, WS_OVERLAPPEDWINDOW, [](HWND w) { ShowWindow(w, SW_SHOW); }},
    {"NcActivate", WM_NCACTIVATE, WS_OVERLAPPEDWINDOW, [](HWND w) { ShowWindow(w, SW_SHOW); }},
    {"Activate", WM_ACTIVATE, WS_OVERLAPPEDWINDOW, [](HWND w) { ShowWindow(w, SW_SHOW); }},
    {"SetFocus", WM_SETFOCUS, WS_OVERLAPPEDWINDOW, [](HWND w) { ShowWindow(w, SW_SHOW); }},
    {"FirstSize", WM_SIZE, WS_OVERLAPPEDWINDOW, [](HWND w) { ShowWindow(w, SW_SHOW); }},
    {"MinMaxInfo", WM_GETMINMAXINFO, WS_OVERLAPPEDWINDOW | WS_VISIBLE, [](HWND w) { MoveWindow(w, 0, 0, 400, 300, TRUE); }},
    {"NcCalcSize", WM_NCCALCSIZE, WS_POPUP | WS_VISIBLE, [](HWND w) { MoveWindow(w, 0, 0, 400, 300, TRUE); }},
    {"Paint", WM_PAINT, WS_POPUP | WS_VISIBLE, [](HWND w) { InvalidateRect(w, nullptr, TRUE); }},
    {"EraseBackground", WM_ERASEBKGND, WS_POPUP | WS_VISIBLE, [](HWND w) { InvalidateRect(w, nullptr, TRUE); }},
    {"NcPaint", WM_NCPAINT, WS_OVERLAPPEDWINDOW | WS_VISIBLE, [](HWND w) { RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE); }},
    {"HitTest", WM_NCHITTEST, WS_POPUP | WS_VISIBLE, [](HWND w) { Press(OnWindow(w, 10, 10)); }},
    {"SetCursor", WM_SETCURSOR, WS_POPUP | WS_VISIBLE, [](HWND w) { Press(OnWindow(w, 10, 10)); }},
    {"MouseActivate", WM_MOUSEACTIVATE, WS_POPUP | WS_VISIBLE, [](HWND w) { Press(OnWindow(w, 10, 10)); }},
    {"ButtonDown", WM_LBUTTONDOWN, WS_POPUP | WS_VISIBLE, [](HWND w) { Press(OnWindow(w, 10, 10)); }},
    {"ScrollWhileHeld", WM_VSCROLL, WS_POPUP | WS_VISIBLE | WS_VSCROLL, [](HWND w) { Press(OnWindow(w, 192, 192)); }},
    {"MoveLoop", WM_MOVING, WS_OVERLAPPEDWINDOW | WS_VISIBLE, [](HWND w) {
       POINT at = OnWindow(w, 100, 10);
       layer::MouseInput(at, WM_LBUTTONDOWN, MK_LBUTTON);
       layer::MouseInput(POINT{at.x + 5, at.y}, WM_MOUSEMOVE, MK_LBUTTON);
       layer::MouseInput(POINT{at.x + 5, at.y}, WM_LBUTTONUP, 0);
     }},
    {"Destroy", WM_DESTROY, WS_POPUP | WS_VISIBLE, [](HWND w) { DestroyWindow(w); }},
};

class DestroyedInItsHandler : public ::testing::TestWithParam<DestroyCase> {};

}  // namespace

TEST_P(DestroyedInItsHandler, LeavesNothingBehindAndTheLoopGoesOn) {
  const DestroyCase& c = GetParam();
  MessageLog log;
  HWND other = log.Create("other", WS_POPUP | WS_VISIBLE, nullptr, {600, 600, 650, 650});
  bool armed = false;
  log.handlers[c.message] = [&](HWND window, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (armed && window != other) DestroyWindow(window);
    return DefWindowProc(window, c.message, wParam, lParam);
  };
  HWND window = log.Create("victim", c.style, nullptr, {100, 100, 300, 300});
  ASSERT_NE(window, nullptr);
  log.Pump();
  SetActiveWindow(other);  // so that a press on the victim activates it
  armed = true;
  c.provoke(window);
  log.Pump();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_NE(GetFocus(), window);
  EXPECT_NE(GetActiveWindow(), window);
  EXPECT_EQ(GetCapture(), nullptr);
  armed = false;
  // The program goes on: its other window still works.
  log.Clear();
  PostMessage(other, WM_USER, 1, 2);
  log.Pump();
  EXPECT_EQ(log.Entries(WM_USER).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Messages, DestroyedInItsHandler, ::testing::ValuesIn(kDestroyCases),
                         [](const ::testing::TestParamInfo<DestroyCase>& info) { return std::string(info.param.name); });

TEST(BadInput, CreationHandlersThatDestroyTheWindow) {
  for (UINT message : {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}) {
    MessageLog log;
    log.handlers[message] = [message](HWND window, WPARAM wParam, LPARAM lParam) -> LRESULT {
      DestroyWindow(window);
      return DefWindowProc(window, message, wParam, lParam);
    };
    EXPECT_EQ(log.Create("short-lived", WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 50, 50}), nullptr) << MessageName(message);
  }
}

TEST(BadInput, ImpossibleParametersGiveThePlatformsResults) {
  MessageLog log;
  HWND window = log.Create("window", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL, nullptr, {100, 100, 300, 300});
  log.Pump();
  // Messages whose pointers are missing.
  for (UINT message : {WM_NCCALCSIZE, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_GETMINMAXINFO, WM_NCCREATE, WM_GETTEXT})
    EXPECT_NO_FATAL_FAILURE(DefWindowProc(window, message, TRUE, 0)) << MessageName(message);
  EXPECT_EQ(DefWindowProc(window, WM_GETTEXT, 0, 0), 0);
  EXPECT_TRUE(DefWindowProc(window, WM_SETTEXT, 0, 0));  // no text: an empty one
  EXPECT_EQ(GetWindowTextLength(window), 0);
  // Codes no part of the window has.
  EXPECT_TRUE(DefWindowProc(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(0x7FFF, WM_MOUSEMOVE)));
  EXPECT_EQ(DefWindowProc(window, WM_NCLBUTTONDOWN, 999, MAKELPARAM(0, 0)), 0);
  EXPECT_EQ(DefWindowProc(window, WM_SYSCOMMAND, 0xF990, 0), 0);
  EXPECT_TRUE(IsWindow(window));
  SetLastError(0);
  EXPECT_FALSE(ShowWindow(window, 99));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(ShowWindow(window, -1));
  // Sizes beyond the platform's coordinates are cut to them.
  SetWindowPos(window, nullptr, 0, 0, 1 << 30, 1 << 30, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_LE(rect.right - rect.left, 32767);
  MoveWindow(window, 10, 10, -50, -50, TRUE);
  GetWindowRect(window, &rect);
  EXPECT_GE(rect.right - rect.left, 0);
  // Scroll bars: a range turned round, missing records.
  SCROLLINFO backwards{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, 50, 10, 0, 30, 0};
  SetScrollInfo(window, SB_VERT, &backwards, TRUE);
  int min = 0, max = 0;
  GetScrollRange(window, SB_VERT, &min, &max);
  EXPECT_LE(min, max);
  EXPECT_EQ(SetScrollInfo(window, SB_VERT, nullptr, TRUE), 0);
  EXPECT_FALSE(GetScrollInfo(window, SB_VERT, nullptr));
  EXPECT_EQ(SetScrollPos(window, 7, 5, TRUE), 0);  // no such bar
  // Input far off every window, and keys beyond the table.
  EXPECT_FALSE(layer::MouseInput(POINT{-100000, 100000}, WM_LBUTTONDOWN, MK_LBUTTON));
  layer::MouseInput(POINT{-100000, 100000}, WM_LBUTTONUP, 0);
  layer::KeyInput(WM_KEYDOWN, 0xFFFF, 0);
  layer::MouseInput(OnWindow(window, 50, 50), WM_MOUSEWHEEL, 0, -32768);
  log.Pump();
  // A program posting the numbers the layer uses for its own requests reaches only its window.
  log.Clear();
  for (UINT number = 1; number <= 3; ++number) PostMessage(window, number, TRUE, 0x1234);
  log.Pump();
  EXPECT_EQ(log.Entries(2).size(), 1u);
  EXPECT_TRUE(IsWindow(window));
}
