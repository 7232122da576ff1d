// How often a thread's message loop turns to the screen: a window that
// changes again and again is shown once a frame, its last picture included,
// and a loop that looks for messages without waiting asks the screen for
// news at most once a millisecond.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "MessageLog.h"
#include "win32/Gdi.h"
#include "win32/ScreenBackend.h"
#include "win32/UserMessages.h"
#include "win32/WindowHost.h"

using namespace layer::testing;

namespace {

using Clock = std::chrono::steady_clock;

// Counts what the loop asks of the screen and keeps the last picture shown.
class CountingHost : public layer::WindowHost {
 public:
  void WindowCreated(HWND) override {}
  void WindowDestroyed(HWND) override {}
  void WindowChanged(HWND) override {}
  void CursorChanged(HCURSOR) override {}
  void CaptureChanged(HWND) override {}
  SIZE ScreenSize() override { return SIZE{1024, 768}; }
  bool ProcessEvents(DWORD wait) override {
    ++asked;
    if (wait) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return false;
  }
  void Wake() override {}
  DWORD ThreadId() override { return GetCurrentThreadId(); }
  void Present(HWND, layer::Surface&& image) override {
    ++shown;
    lastCorner = image.Row(0)[0];
  }
  int asked = 0;
  int shown = 0;
  std::uint32_t lastCorner = 0;
};

// Stands in for the screen while it lives; the backend is loaded first, so
// that loading it later cannot put its own host back.
class StandIn {
 public:
  StandIn() {
    layer::LoadScreenBackend();
    m_before = layer::LoadedScreenWindowHost();
    layer::InstallWindowHost(&host);
  }
  ~StandIn() { layer::InstallWindowHost(m_before); }
  CountingHost host;

 private:
  layer::WindowHost* m_before = nullptr;
};

void LookForMessages() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
}

void Paint(HWND window, COLORREF colour) {
  HDC dc = GetDC(window);
  RECT all{0, 0, 50, 50};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(window, dc);
}

}  // namespace

TEST(ScreenPacing, AWindowThatChangesAgainWithinAFrameIsShownWhenTheFrameIsOver) {
  StandIn screen;
  MessageLog log;
  HWND window = log.Create("paced", WS_POPUP | WS_VISIBLE, nullptr, {10, 10, 60, 60});
  LookForMessages();
  Paint(window, RGB(255, 0, 0));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  LookForMessages();
  const int shownAfterFirstChange = screen.host.shown;
  ASSERT_GE(shownAfterFirstChange, 1);

  Paint(window, RGB(0, 0, 255));
  LookForMessages();
  EXPECT_EQ(screen.host.shown, shownAfterFirstChange) << "shown again within the frame";
  const DWORD due = layer::MillisecondsToDuePresent();
  EXPECT_NE(due, INFINITE);
  EXPECT_LE(due, 15u);

  // A loop that waits for input wakes for it: the last picture reaches the screen.
  auto deadline = Clock::now() + std::chrono::seconds(2);
  while (screen.host.shown == shownAfterFirstChange && Clock::now() < deadline) {
    SetTimer(window, 1, 100, nullptr);
    MSG msg;
    if (GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
    KillTimer(window, 1);
  }
  EXPECT_GT(screen.host.shown, shownAfterFirstChange);
  EXPECT_EQ(screen.host.lastCorner, 0xFF0000FFu);
  EXPECT_EQ(layer::MillisecondsToDuePresent(), INFINITE);
  DestroyWindow(window);
}

TEST(ScreenPacing, ALoopThatNeverWaitsAsksTheScreenAtMostOnceAMillisecond) {
  StandIn screen;
  const auto start = Clock::now();
  MSG msg;
  for (int i = 0; i < 20000; ++i) PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  EXPECT_GE(screen.host.asked, 1);
  EXPECT_LE(screen.host.asked, elapsed + 1);
}
