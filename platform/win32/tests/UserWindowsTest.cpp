#include <gtest/gtest.h>

#include <array>

#include "MessageLog.h"
#include "win32/Errors.h"
#include "win32/UserWindows.h"

using namespace layer::testing;

TEST(Windows, HandlesParentsAndControlIds) {
  MessageLog log;
  HWND parent = log.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = log.Create(WS_CHILD | WS_VISIBLE, parent, {5, 5, 55, 45}, 7);
  ASSERT_NE(parent, nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_LE(reinterpret_cast<UINT_PTR>(parent), 0xFFFFFFFFu);  // handles fit in 32 bits
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_EQ(GetDlgItem(parent, 7), child);
  EXPECT_EQ(GetDlgCtrlID(child), 7);
  ASSERT_TRUE(DestroyWindow(parent));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
}

TEST(Windows, CreationFailsCleanly) {
  MessageLog log;
  SetLastError(0);
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  EXPECT_EQ(log.Create(WS_CHILD, nullptr), nullptr);  // a child needs a parent

  // A window that refuses WM_CREATE is destroyed and never returned.
  log.handlers[WM_CREATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; };
  EXPECT_EQ(log.Create("refusing", WS_POPUP), nullptr);
  EXPECT_TRUE(log.Matches({{"refusing", WM_NCCREATE},
                           {"refusing", WM_NCCALCSIZE},
                           {"refusing", WM_CREATE},
                           {"refusing", WM_DESTROY},
                           {"refusing", WM_NCDESTROY}}));
  // One that refuses WM_NCCREATE hears nothing but WM_NCDESTROY after it.
  log.handlers.clear();
  log.handlers[WM_NCCREATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return FALSE; };
  EXPECT_EQ(log.Create("refusing", WS_POPUP), nullptr);
  EXPECT_TRUE(log.Matches({{"refusing", WM_NCCREATE}, {"refusing", WM_NCDESTROY}}));
}

TEST(Windows, GeometryOfParentAndChild) {
  MessageLog log;
  HWND parent = log.Create(WS_POPUP, nullptr, {100, 50, 500, 350});
  HWND child = log.Create(WS_CHILD | WS_BORDER, parent, {10, 20, 110, 70});
  RECT rect;
  ASSERT_TRUE(GetWindowRect(child, &rect));
  EXPECT_EQ(rect.left, 110);
  EXPECT_EQ(rect.top, 70);
  ASSERT_TRUE(GetClientRect(child, &rect));  // a border takes a pixel on each side
  EXPECT_EQ(rect.right, 98);
  EXPECT_EQ(rect.bottom, 48);
  POINT point{0, 0};
  ClientToScreen(child, &point);
  EXPECT_EQ(point.x, 111);
  EXPECT_EQ(point.y, 71);
  ScreenToClient(parent, &point);
  EXPECT_EQ(point.x, 11);
  EXPECT_EQ(point.y, 21);
  POINT mapped{0, 0};
  MapWindowPoints(child, parent, &mapped, 1);
  EXPECT_EQ(mapped.x, 11);

  log.Clear();
  log.Name(child, "child");
  ASSERT_TRUE(MoveWindow(child, 30, 40, 60, 50, TRUE));
  auto size = log.Entries(WM_SIZE).back();
  EXPECT_EQ(LOWORD(size.lParam), 58);
  EXPECT_EQ(HIWORD(size.lParam), 48);
  EXPECT_TRUE(log.Matches({{"child", WM_WINDOWPOSCHANGING},
                           {"child", WM_NCCALCSIZE, kSent | kWParam, TRUE},
                           {"child", WM_WINDOWPOSCHANGED},
                           {"child", WM_MOVE, kSent | kDefault | kLParam, 0, MAKELPARAM(31, 41)},
                           {"child", WM_SIZE, kSent | kDefault}}));

  log.Clear();
  SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(log.Entries(WM_SIZE).empty());  // nothing changed, nothing resized
}

TEST(Windows, ShowEnableAndMaximise) {
  MessageLog log;
  HWND window = log.Create(WS_OVERLAPPEDWINDOW, nullptr, {10, 10, 210, 110});
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(ShowWindow(window, SW_SHOW));  // the result is the visibility before
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(ShowWindow(window, SW_SHOW));
  EXPECT_EQ(log.Entries(WM_SHOWWINDOW).size(), 1u);

  HWND child = log.Create(WS_CHILD | WS_VISIBLE, window, {0, 0, 10, 10});
  ShowWindow(window, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(child));  // hidden with its parent
  EXPECT_TRUE(GetWindowLong(child, GWL_STYLE) & WS_VISIBLE);

  EXPECT_FALSE(EnableWindow(window, FALSE));
  EXPECT_FALSE(IsWindowEnabled(window));
  EXPECT_TRUE(EnableWindow(window, TRUE));  // was disabled
  EXPECT_EQ(log.Entries(WM_ENABLE).size(), 2u);

  log.Clear();
  ShowWindow(window, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(window));
  RECT rect;
  GetWindowRect(window, &rect);
  // The frame of a maximised window lies beyond the screen's edges.
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN) + 2 * GetSystemMetrics(SM_CXFRAME));
  EXPECT_EQ(log.Entries(WM_SIZE).back().wParam, static_cast<WPARAM>(SIZE_MAXIMIZED));
  ShowWindow(window, SW_RESTORE);
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.right, 210);
}

TEST(Windows, WindowLongsAndTexts) {
  MessageLog log;
  HWND window = log.Create(WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(SetWindowLong(window, GWL_USERDATA, 0x12345678), 0);
  EXPECT_EQ(GetWindowLong(window, GWL_USERDATA), 0x12345678);
  EXPECT_EQ(SetWindowLong(window, 4, 99), 0);  // the class gives 8 extra bytes
  EXPECT_EQ(GetWindowLong(window, 4), 99);
  SetLastError(0);
  EXPECT_EQ(GetWindowLong(window, 6), 0);  // would reach past the extra bytes
  EXPECT_NE(GetLastError(), 0u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)) & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  EXPECT_EQ(GetWindowLong(reinterpret_cast<HWND>(0x4242), GWL_USERDATA), 0);

  ASSERT_TRUE(SetWindowText(window, "Teile\xFC"));
  char text[4];
  EXPECT_EQ(GetWindowText(window, text, sizeof text), 3);  // cut to the buffer
  EXPECT_STREQ(text, "Tei");
  EXPECT_EQ(GetWindowTextLength(window), 6);
  char name[32];
  GetClassName(window, name, sizeof name);
  EXPECT_STREQ(name, "LoggedWindow");
}

TEST(Windows, FocusActivationAndCapture) {
  MessageLog log;
  HWND top = log.Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND a = log.Create(WS_CHILD | WS_VISIBLE, top, {0, 0, 10, 10});
  HWND b = log.Create(WS_CHILD | WS_VISIBLE, top, {10, 0, 20, 10});
  EXPECT_EQ(GetActiveWindow(), top);
  SetFocus(a);
  log.Clear();
  EXPECT_EQ(SetFocus(b), a);
  auto kill = log.Entries(WM_KILLFOCUS);
  auto set = log.Entries(WM_SETFOCUS);
  ASSERT_EQ(kill.size(), 1u);
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(kill[0].window, a);
  EXPECT_EQ(kill[0].wParam, reinterpret_cast<WPARAM>(b));
  EXPECT_EQ(set[0].wParam, reinterpret_cast<WPARAM>(a));
  EXPECT_EQ(log.Messages(nullptr, {}), (std::vector<UINT>{WM_KILLFOCUS, WM_SETFOCUS}));

  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(SetCapture(b), a);
  ASSERT_EQ(log.Entries(WM_CAPTURECHANGED).size(), 1u);
  EXPECT_EQ(log.Entries(WM_CAPTURECHANGED)[0].window, a);
  EXPECT_EQ(log.Entries(WM_CAPTURECHANGED)[0].lParam, reinterpret_cast<LPARAM>(b));
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(log.Entries(WM_CAPTURECHANGED).back().window, b);

  SetCapture(a);
  DestroyWindow(a);  // a destroyed window gives up focus and capture
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_NE(GetFocus(), a);
}

TEST(Windows, ScrollBarsClampTheirPositionAndTakeTheirRoomFromTheClientArea) {
  MessageLog log;
  HWND window = log.Create(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 200, 100});
  log.Clear();
  ASSERT_TRUE(SetScrollRange(window, SB_VERT, 0, 50, TRUE));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
  ASSERT_FALSE(log.Entries(WM_SIZE).empty());  // the client area shrank
  EXPECT_EQ(LOWORD(log.Entries(WM_SIZE).back().lParam), 200 - GetSystemMetrics(SM_CXVSCROLL));

  struct Case {
    int pos;
    int expected;
  } cases[] = {{10, 10}, {-5, 0}, {80, 50}};
  for (const Case& c : cases) {
    SetScrollPos(window, SB_VERT, c.pos, TRUE);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), c.expected) << c.pos;
  }
  EXPECT_EQ(SetScrollPos(window, SB_VERT, 20, TRUE), 50);  // the previous position

  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 30, 95, 0};
  EXPECT_EQ(SetScrollInfo(window, SB_HORZ, &info, TRUE), 70);  // a page reaches the end at 99
  SCROLLINFO read{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(window, SB_HORZ, &read));
  EXPECT_EQ(read.nPage, 30u);
  EXPECT_EQ(read.nMax, 99);

  SetScrollRange(window, SB_VERT, 0, 0, TRUE);  // an empty range hides the bar
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 100 - GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(DefWindowProc(window, WM_NCHITTEST, 0, MAKELPARAM(10, 95)), HTHSCROLL);
  ShowScrollBar(window, SB_BOTH, FALSE);
  GetClientRect(window, &client);
  EXPECT_EQ(client.bottom, 100);
}

TEST(Windows, CursorsOfTheSystemAndOfAModule) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);
  EXPECT_NE(LoadCursor(nullptr, IDC_WAIT), arrow);
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1234)), nullptr);

  auto module = reinterpret_cast<HINSTANCE>(0x5000);
  EXPECT_EQ(LoadCursor(module, MAKEINTRESOURCE(103)), nullptr);
  layer::CursorPicture zoom;
  zoom.hotX = 7;
  layer::AddModuleCursor(module, 103, zoom);
  HCURSOR loaded = LoadCursor(module, MAKEINTRESOURCE(103));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(layer::CursorOf(loaded)->hotX, 7);

  SetCursor(arrow);
  EXPECT_EQ(SetCursor(loaded), arrow);
  EXPECT_EQ(GetCursor(), loaded);
}

TEST(Windows, MetricsAndColoursOfTheClassicScheme) {
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  EXPECT_EQ(GetSysColor(99), 0u);
}

TEST(Rectangles, ArithmeticAndMulDiv) {
  RECT a{0, 0, 10, 10}, b{5, 5, 20, 20}, out;
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_TRUE(EqualRect(&out, std::array<RECT, 1>{RECT{5, 5, 10, 10}}.data()));
  RECT far{30, 30, 40, 40};
  EXPECT_FALSE(IntersectRect(&out, &a, &far));
  EXPECT_TRUE(IsRectEmpty(&out));
  UnionRect(&out, &a, &far);
  EXPECT_EQ(out.right, 40);
  EXPECT_TRUE(PtInRect(&a, POINT{0, 0}));
  EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));  // right and bottom are outside

  struct Case {
    int number, numerator, denominator, expected;
  } cases[] = {{10, 1, 3, 3}, {5, 1, 2, 3}, {-5, 1, 2, -3}, {7, 3, -2, -11}, {1, 1, 0, -1}, {0x7FFFFFFF, 2, 1, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected) << c.number << "*" << c.numerator << "/" << c.denominator;
}
