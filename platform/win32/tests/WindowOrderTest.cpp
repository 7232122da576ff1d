// The z-order of top-level windows (new ones and activated ones on top,
// windows that stay on top above all), of child windows (the first made on
// top), and windows whose drawing is switched off (WM_SETREDRAW).
#include <gtest/gtest.h>

#include "MessageLog.h"
#include "win32/CrossProcess.h"
#include "win32/UserWindow.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

using namespace layer::testing;

namespace {
const POINT kMiddle{150, 150};
}

TEST(Order, NewAndActivatedWindowsComeOnTop) {
  MessageLog log;
  HWND a = log.Create("a", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 200, 200});
  HWND b = log.Create("b", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 200, 200});
  HWND c = log.Create("c", WS_POPUP | WS_VISIBLE | WS_DISABLED, nullptr, {100, 100, 200, 200});
  EXPECT_EQ(GetWindow(a, GW_HWNDFIRST), c);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b);
  EXPECT_EQ(WindowFromPoint(kMiddle), nullptr);  // the top one takes no input
  EnableWindow(c, TRUE);
  EXPECT_EQ(WindowFromPoint(kMiddle), c);
  ASSERT_TRUE(BringWindowToTop(a));  // and activates it
  EXPECT_EQ(WindowFromPoint(kMiddle), a);
  EXPECT_EQ(GetForegroundWindow(), a);
  SetActiveWindow(b);
  EXPECT_EQ(WindowFromPoint(kMiddle), b);
  SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(a, GW_HWNDLAST), b);
  EXPECT_EQ(WindowFromPoint(kMiddle), a);
}

TEST(Order, TopmostWindowsStayAboveTheOthers) {
  MessageLog log;
  HWND floating = log.Create("floating", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 200, 200});
  SetWindowPos(floating, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(GetWindowLong(floating, GWL_EXSTYLE) & WS_EX_TOPMOST);
  HWND normal = log.Create("normal", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 200, 200});
  EXPECT_EQ(WindowFromPoint(kMiddle), floating);  // the new window goes below the topmost ones
  BringWindowToTop(normal);
  EXPECT_EQ(WindowFromPoint(kMiddle), floating);
  EXPECT_EQ(GetActiveWindow(), normal);  // active, still under the floating one

  SetWindowPos(floating, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLong(floating, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WindowFromPoint(kMiddle), floating);  // the top of the others
  BringWindowToTop(normal);
  EXPECT_EQ(WindowFromPoint(kMiddle), normal);
  // A window created to stay on top does so from the start.
  HWND tip = CreateWindowEx(WS_EX_TOPMOST, "LoggedWindow", "tip", WS_POPUP | WS_VISIBLE, 120, 120, 20, 20, nullptr,
                            nullptr, nullptr, nullptr);
  BringWindowToTop(normal);
  EXPECT_EQ(WindowFromPoint(POINT{125, 125}), tip);
  DestroyWindow(tip);
}

// A progress window made topmost while it asks through a dialog it owns must
// not hide that dialog: owned windows share their owner's band.
TEST(Order, WindowsOwnedByATopmostWindowStayAboveIt) {
  MessageLog log;
  HWND progress = log.Create("progress", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 200, 200});
  HWND asking = log.Create("asking", WS_POPUP | WS_VISIBLE, progress, {100, 100, 200, 200});
  SetWindowPos(progress, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(GetWindowLong(asking, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WindowFromPoint(kMiddle), asking);

  HWND later = log.Create("later", WS_POPUP | WS_VISIBLE, progress, {100, 100, 200, 200});
  EXPECT_TRUE(GetWindowLong(later, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WindowFromPoint(kMiddle), later);  // made after the owner went on top: above it all the same
  DestroyWindow(later);

  SetWindowPos(progress, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(GetWindowLong(asking, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WindowFromPoint(kMiddle), asking);
}

TEST(Order, TheFirstChildIsOnTopAndChildrenCanBeRestacked) {
  MessageLog log;
  HWND parent = log.Create("parent", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 300, 300});
  HWND first = log.Create("first", WS_CHILD | WS_VISIBLE, parent, {0, 0, 100, 100}, 1);
  HWND second = log.Create("second", WS_CHILD | WS_VISIBLE, parent, {50, 50, 150, 150}, 2);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  EXPECT_EQ(ChildWindowFromPoint(parent, POINT{60, 60}), first);
  EXPECT_EQ(WindowFromPoint(POINT{160, 160}), first);

  auto fill = [](HWND window, COLORREF color) {
    auto record = layer::Windows().Find(window);
    record->canvas.Fill(RECT{0, 0, record->Width(), record->Height()}, layer::PixelFromColor(color));
  };
  fill(first, RGB(255, 0, 0));
  fill(second, RGB(0, 0, 255));
  auto shown = [parent] {
    layer::Surface composed = layer::ComposeWindow(*layer::Windows().Find(parent));
    return layer::ColorFromPixel(composed.Row(60)[60]);
  };
  EXPECT_EQ(shown(), RGB(255, 0, 0));  // the screen shows the top one where they overlap

  SetWindowPos(first, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
  EXPECT_EQ(WindowFromPoint(POINT{160, 160}), second);
  EXPECT_EQ(shown(), RGB(0, 0, 255));
  SetWindowPos(first, second, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // behind second: no change
  EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
  SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
}

TEST(Order, AWindowWhoseDrawingIsOffIsNotPaintedButStaysOnTheScreen) {
  MessageLog log;
  HWND view = log.Create("view", WS_POPUP | WS_VISIBLE, nullptr, {100, 100, 300, 300});
  HWND picture = log.Create("picture", WS_CHILD | WS_VISIBLE, view, {10, 10, 110, 110}, 1);
  log.Pump();
  log.Clear();

  SendMessage(picture, WM_SETREDRAW, FALSE, 0);
  EXPECT_FALSE(IsWindowVisible(picture));
  EXPECT_FALSE(GetWindowLong(picture, GWL_STYLE) & WS_VISIBLE);
  InvalidateRect(picture, nullptr, TRUE);
  UpdateWindow(picture);
  log.Pump();
  EXPECT_TRUE(log.Entries(WM_PAINT).empty());
  auto record = layer::Windows().Find(picture);
  record->canvas.Fill(RECT{0, 0, 100, 100}, layer::PixelFromColor(RGB(0, 128, 0)));
  layer::Surface composed = layer::ComposeWindow(*layer::Windows().Find(view));
  EXPECT_EQ(layer::ColorFromPixel(composed.Row(20)[20]), RGB(0, 128, 0));  // what it showed stays

  SendMessage(picture, WM_SETREDRAW, TRUE, 0);
  EXPECT_TRUE(IsWindowVisible(picture));
  log.Pump();
  EXPECT_TRUE(log.Entries(WM_PAINT).empty());  // switching it on paints nothing by itself
  InvalidateRect(picture, nullptr, TRUE);
  log.Pump();
  EXPECT_EQ(log.Entries(WM_PAINT).size(), 1u);

  // Switched off, a parent's children are not painted either.
  SendMessage(view, WM_SETREDRAW, FALSE, 0);
  EXPECT_FALSE(IsWindowVisible(picture));
  log.Clear();
  RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  log.Pump();
  EXPECT_TRUE(log.Entries(WM_PAINT).empty());
  SendMessage(view, WM_SETREDRAW, TRUE, 0);
}
