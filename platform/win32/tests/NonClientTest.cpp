// The non-client area: frames, captions, menu bars, client edges and scroll
// bars take their room from the window as the platform computes it, answer
// the hit test, and are drawn; sizes keep within WM_GETMINMAXINFO.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "MessageLog.h"
#include "win32/Gdi.h"
#include "win32/UserMenuBar.h"
#include "win32/UserWindows.h"

using namespace layer::testing;

namespace {

struct FrameCase {
  const char* name;
  DWORD style;
  DWORD exStyle;
  bool menu;
  RECT insets;  // what the frame takes from each side of the window
};

std::ostream& operator<<(std::ostream& out, const FrameCase& c) { return out << c.name; }

const int kFrame = 4, kDialog = 3, kCaption = 19, kBar = 16;

const FrameCase kFrames[] = {
    {"OverlappedWindow", WS_OVERLAPPEDWINDOW, 0, false, {kFrame, kFrame + kCaption, kFrame, kFrame}},
    {"OverlappedWindowWithMenu", WS_OVERLAPPEDWINDOW, 0, true, {kFrame, kFrame + 2 * kCaption, kFrame, kFrame}},
    {"PlainOverlappedGetsACaption", WS_OVERLAPPED, 0, false, {kDialog, kDialog + kCaption, kDialog, kDialog}},
    {"ModalDialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, false, {kDialog, kDialog + kCaption, kDialog, kDialog}},
    {"ToolWindow", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, false, {kDialog, kDialog + 15, kDialog, kDialog}},
    {"SizablePopup", WS_POPUP | WS_THICKFRAME, 0, false, {3, 3, 3, 3}},
    {"BorderedPopup", WS_POPUP | WS_BORDER, 0, false, {1, 1, 1, 1}},
    {"PlainPopup", WS_POPUP, 0, false, {0, 0, 0, 0}},
    {"ClientEdgeAndBothBars", WS_POPUP | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, false, {2, 2, 2 + kBar, 2 + kBar}},
    {"FramedWindowWithAVerticalBar", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, false, {kFrame, kFrame + kCaption, kFrame + kBar, kFrame}},
};

class Frames : public ::testing::TestWithParam<FrameCase> {};

}  // namespace

TEST_P(Frames, TakeTheirRoomFromTheWindowAsThePlatformDoes) {
  const FrameCase& c = GetParam();
  MessageLog log;
  HMENU menu = c.menu ? reinterpret_cast<HMENU>(0x4711) : nullptr;
  HWND window = CreateWindowEx(c.exStyle, "LoggedWindow", "frame", c.style, 100, 80, 300, 200, nullptr, menu, nullptr,
                               nullptr);
  ASSERT_NE(window, nullptr);
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  EXPECT_EQ(origin.x - outer.left, c.insets.left);
  EXPECT_EQ(origin.y - outer.top, c.insets.top);
  EXPECT_EQ(outer.right - (origin.x + client.right), c.insets.right);
  EXPECT_EQ(outer.bottom - (origin.y + client.bottom), c.insets.bottom);

  // AdjustWindowRect gives the window for a client area (scroll bars left out, as on the platform).
  RECT adjusted{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  AdjustWindowRectEx(&adjusted, c.style, c.menu, c.exStyle);
  int bars = (c.style & WS_VSCROLL) ? kBar : 0;
  EXPECT_EQ(adjusted.left, outer.left);
  EXPECT_EQ(adjusted.top, outer.top);
  EXPECT_EQ(adjusted.right + bars, outer.right);
  EXPECT_EQ(adjusted.bottom + ((c.style & WS_HSCROLL) ? kBar : 0), outer.bottom);
  DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(Styles, Frames, ::testing::ValuesIn(kFrames),
                         [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

TEST(NonClient, AWindowMayComputeItsOwnClientArea) {
  MessageLog log;
  log.handlers[WM_NCCALCSIZE] = [](HWND, WPARAM wParam, LPARAM lParam) -> LRESULT {
    RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    InflateRect(rect, -10, -10);  // a frame of its own, caption or not
    return 0;
  };
  HWND window = log.Create("own", WS_OVERLAPPEDWINDOW, nullptr, {0, 0, 300, 200});
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 280);
  EXPECT_EQ(client.bottom, 180);
  SetWindowPos(window, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 380);
  EXPECT_EQ(client.bottom, 280);
  // The sizing frame is still where the style puts it; the rest of its own frame is nowhere in particular.
  EXPECT_EQ(DefWindowProc(window, WM_NCHITTEST, 0, MAKELPARAM(2, 100)), HTLEFT);
  EXPECT_EQ(DefWindowProc(window, WM_NCHITTEST, 0, MAKELPARAM(7, 100)), HTNOWHERE);
}

TEST(NonClient, HitTestOfEveryPart) {
  MessageLog log;
  HWND window = CreateWindowEx(0, "LoggedWindow", "parts", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 100, 100,
                               300, 200, nullptr, reinterpret_cast<HMENU>(0x4711), nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  struct Case {
    const char* part;
    POINT at;  // in the window
    LRESULT hit;
  } cases[] = {
      {"top edge", {150, 1}, HTTOP},
      {"top-left corner", {1, 1}, HTTOPLEFT},
      {"left edge", {0, 100}, HTLEFT},
      {"bottom-right corner", {298, 198}, HTBOTTOMRIGHT},
      {"caption", {100, 12}, HTCAPTION},
      {"system menu", {12, 12}, HTSYSMENU},
      {"close button", {286, 12}, HTCLOSE},
      {"maximise button", {268, 12}, HTMAXBUTTON},
      {"minimise button", {252, 12}, HTMINBUTTON},
      {"menu bar", {100, 30}, HTMENU},
      {"vertical bar", {288, 100}, HTVSCROLL},
      {"horizontal bar", {100, 188}, HTHSCROLL},
      {"box between the bars", {288, 188}, HTSIZE},
      {"client area", {100, 100}, HTCLIENT},
      {"beside the window", {310, 12}, HTNOWHERE},
  };
  for (const Case& c : cases) {
    LPARAM screen = MAKELPARAM(100 + c.at.x, 100 + c.at.y);
    EXPECT_EQ(SendMessage(window, WM_NCHITTEST, 0, screen), c.hit) << c.part;
  }
  DestroyWindow(window);
}

namespace {

struct MenuBarRecord {
  RECT drawn{};
  WPARAM tracked = 0;
};
MenuBarRecord menuBar;

}  // namespace

TEST(NonClient, TheMenuBarIsTheMenuCodesToFill) {
  layer::MenuBarHooks hooks;
  hooks.height = [](HWND, HMENU, int) { return 25; };
  hooks.draw = [](HWND, HMENU, HDC dc, const RECT& area) {
    menuBar.drawn = area;
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  };
  hooks.track = [](HWND, HMENU, WPARAM command, LPARAM) { menuBar.tracked = command; };
  layer::MenuBarHooks before = layer::SetMenuBarHooks(hooks);
  menuBar = MenuBarRecord{};

  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {0, 0, 300, 200});
  log.Pump();
  log.Clear();
  ASSERT_TRUE(layer::SetWindowMenu(frame, reinterpret_cast<HMENU>(0x4711)));
  EXPECT_EQ(layer::WindowMenu(frame), reinterpret_cast<HMENU>(0x4711));
  // The client area makes room for the bar, and the window hears of it.
  EXPECT_TRUE(log.Matches({{"frame", WM_WINDOWPOSCHANGING},
                           {"frame", WM_NCCALCSIZE, kSent | kWParam, TRUE},
                           {"frame", WM_WINDOWPOSCHANGED},
                           {"frame", WM_MOVE, kSent | kDefault},
                           {"frame", WM_SIZE, kSent | kDefault | kLParam, 0, MAKELPARAM(292, 200 - 8 - 19 - 25)}}));
  log.Pump();
  EXPECT_EQ(menuBar.drawn.top, kFrame + kCaption);
  EXPECT_EQ(menuBar.drawn.bottom, kFrame + kCaption + 25);
  HDC dc = GetWindowDC(frame);
  EXPECT_EQ(GetPixel(dc, 100, kFrame + kCaption + 10), RGB(0, 0, 0));  // the menu code's drawing
  ReleaseDC(frame, dc);

  LPARAM onBar = MAKELPARAM(100, kFrame + kCaption + 10);
  EXPECT_EQ(SendMessage(frame, WM_NCHITTEST, 0, onBar), HTMENU);
  SendMessage(frame, WM_NCLBUTTONDOWN, HTMENU, onBar);
  EXPECT_EQ(menuBar.tracked, static_cast<WPARAM>(SC_MOUSEMENU + HTMENU));
  SendMessage(frame, WM_SYSCHAR, 'D', MAKELPARAM(1, KF_ALTDOWN));  // Alt and a letter: the keyboard's way in
  EXPECT_EQ(menuBar.tracked, static_cast<WPARAM>(SC_KEYMENU));

  layer::SetWindowMenu(frame, nullptr);
  RECT client;
  GetClientRect(frame, &client);
  EXPECT_EQ(client.bottom, 200 - 8 - 19);
  EXPECT_FALSE(layer::SetWindowMenu(log.Create("child", WS_CHILD, frame, {0, 0, 10, 10}), nullptr));
  layer::SetMenuBarHooks(before);
}

TEST(NonClient, SizesKeepWithinTheLimitsTheWindowGives) {
  MessageLog log;
  log.handlers[WM_GETMINMAXINFO] = [](HWND, WPARAM, LPARAM lParam) -> LRESULT {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = POINT{300, 200};
    info->ptMaxTrackSize = POINT{500, 400};
    info->ptMaxPosition = POINT{20, 30};
    info->ptMaxSize = POINT{450, 350};
    return 0;
  };
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW, nullptr, {0, 0, 100, 100});
  RECT rect;
  GetWindowRect(frame, &rect);
  EXPECT_EQ(rect.right - rect.left, 300);  // already at creation
  EXPECT_EQ(rect.bottom - rect.top, 200);
  SetWindowPos(frame, nullptr, 0, 0, 900, 900, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(frame, &rect);
  EXPECT_EQ(rect.right - rect.left, 500);
  EXPECT_EQ(rect.bottom - rect.top, 400);
  ShowWindow(frame, SW_SHOWMAXIMIZED);
  GetWindowRect(frame, &rect);
  EXPECT_TRUE(EqualRect(&rect, std::vector<RECT>{RECT{20, 30, 470, 380}}.data()));

  // A popup without a sizing frame is left as asked.
  HWND popup = log.Create("popup", WS_POPUP, nullptr, {0, 0, 50, 50});
  GetWindowRect(popup, &rect);
  EXPECT_EQ(rect.right, 50);
}

TEST(NonClient, PlacementKeepsTheNormalRectangleThroughMinimisingAndMaximising) {
  MessageLog log;
  HWND frame = log.Create("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {40, 50, 340, 250});
  ShowWindow(frame, SW_SHOWMAXIMIZED);
  ShowWindow(frame, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(frame));
  WINDOWPLACEMENT placement{sizeof(WINDOWPLACEMENT)};
  ASSERT_TRUE(GetWindowPlacement(frame, &placement));
  EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
  EXPECT_EQ(placement.flags, static_cast<UINT>(WPF_RESTORETOMAXIMIZED));
  EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, std::vector<RECT>{RECT{40, 50, 340, 250}}.data()));

  ShowWindow(frame, SW_RESTORE);  // back to maximised, as it was
  EXPECT_TRUE(IsZoomed(frame));
  placement.showCmd = SW_SHOWNORMAL;
  placement.flags = 0;
  placement.rcNormalPosition = RECT{60, 70, 460, 370};
  ASSERT_TRUE(SetWindowPlacement(frame, &placement));
  EXPECT_FALSE(IsZoomed(frame));
  RECT rect;
  GetWindowRect(frame, &rect);
  EXPECT_TRUE(EqualRect(&rect, &placement.rcNormalPosition));
  placement.length = 0;  // the platform insists on the record's length
  EXPECT_FALSE(SetWindowPlacement(frame, &placement));
}

TEST(NonClient, FrameAndCaptionAreDrawnAndFollowActivation) {
  MessageLog log;
  HWND first = log.Create("first", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL, nullptr, {0, 0, 300, 200});
  log.Pump();
  HDC dc = GetWindowDC(first);
  EXPECT_EQ(GetPixel(dc, 0, 100), GetSysColor(COLOR_3DLIGHT));     // the frame's outer line
  EXPECT_EQ(GetPixel(dc, 299, 100), GetSysColor(COLOR_3DDKSHADOW));
  COLORREF active = GetPixel(dc, 150, kFrame + 3);
  EXPECT_NE(active, GetPixel(dc, 150, 100));  // the caption is not the client area
  int min = -1, max = -1;
  GetScrollRange(first, SB_VERT, &min, &max);  // created with its bar: the platform's range
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, 100);

  HWND second = log.Create("second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, {20, 20, 320, 220});
  log.Pump();
  EXPECT_NE(GetPixel(dc, 150, kFrame + 3), active);  // drawn inactive now
  SetActiveWindow(first);
  EXPECT_EQ(GetPixel(dc, 150, kFrame + 3), active);
  ReleaseDC(first, dc);
  DestroyWindow(second);
}
