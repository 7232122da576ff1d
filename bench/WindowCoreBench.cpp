// Speed of the window core: a mouse move through hit test, cursor and move
// messages to a child window, and a top-level window with 20 children made,
// shown, painted and destroyed.
#include <benchmark/benchmark.h>

#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

LRESULT CALLBACK Plain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(window, message, wParam, lParam);
}

void RegisterOnce() {
  static bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Plain;
    windowClass.lpszClassName = "CoreBenchWindow";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return RegisterClass(&windowClass) != 0;
  }();
  (void)registered;
}

void MouseMoveToAChild(benchmark::State& state) {
  RegisterOnce();
  HWND frame = CreateWindowEx(0, "CoreBenchWindow", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 640, 480,
                              nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "CoreBenchWindow", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 50, 40, 300, 200, frame,
                              reinterpret_cast<HMENU>(1), nullptr, nullptr);
  layer::PumpUntilIdle();
  POINT points[2] = {{60, 50}, {61, 52}};
  ClientToScreen(child, &points[0]);
  ClientToScreen(child, &points[1]);
  MSG msg;
  int turn = 0;
  for (auto _ : state) {
    layer::MouseInput(points[turn ^= 1], WM_MOUSEMOVE, 0);
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) || msg.message != WM_MOUSEMOVE || msg.hwnd != child) {
      state.SkipWithError("the move did not reach the child");
      break;
    }
    DispatchMessage(&msg);
  }
  DestroyWindow(frame);
  layer::PumpUntilIdle();
}
BENCHMARK(MouseMoveToAChild);

void FrameWithTwentyChildren(benchmark::State& state) {
  RegisterOnce();
  for (auto _ : state) {
    HWND frame = CreateWindowEx(0, "CoreBenchWindow", "frame", WS_OVERLAPPEDWINDOW, 100, 100, 640, 480, nullptr,
                                nullptr, nullptr, nullptr);
    for (int i = 0; i < 20; ++i)
      CreateWindowEx(0, "CoreBenchWindow", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10 + (i % 5) * 120, 10 + (i / 5) * 100,
                     110, 90, frame, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(i + 1)), nullptr, nullptr);
    ShowWindow(frame, SW_SHOW);
    layer::PumpUntilIdle();  // first paint of the frame and its children
    DestroyWindow(frame);
    layer::PumpUntilIdle();
  }
}
BENCHMARK(FrameWithTwentyChildren)->Unit(benchmark::kMicrosecond);

}  // namespace
