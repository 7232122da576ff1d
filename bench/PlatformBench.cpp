// Speed of the layer's hot paths: a one-bit picture stretched into a window
// canvas, and a message posted and dispatched.
#include <benchmark/benchmark.h>

#include <vector>

#include "testing/OneBitPicture.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

LRESULT CALLBACK Quiet(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return 0;
  return DefWindowProc(window, message, wParam, lParam);
}

HWND MakeWindow(int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Quiet;
    windowClass.lpszClassName = "BenchWindow";
    RegisterClass(&windowClass);
    registered = true;
  }
  HWND window = CreateWindowEx(0, "BenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                               nullptr, nullptr);
  layer::PumpUntilIdle();
  return window;
}

void StretchOneBitPictureIntoWindow(benchmark::State& state) {
  // A 4000 x 3000 one-bit drawing: white with black lines every 50 pixels.
  static layer::testing::OneBitPicture drawing(4000, 3000, [](int x, int y) { return x % 50 == 0 || y % 50 == 0; });
  HWND window = MakeWindow(1000, 750);
  HDC dc = GetDC(window);
  SetStretchBltMode(dc, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    StretchDIBits(dc, 0, 0, 1000, 750, 0, 0, 4000, 3000, drawing.Bits(), drawing.Info(), DIB_RGB_COLORS, SRCCOPY);
  }
  ReleaseDC(window, dc);
  DestroyWindow(window);
}
BENCHMARK(StretchOneBitPictureIntoWindow)->Arg(BLACKONWHITE)->Arg(COLORONCOLOR)->Unit(benchmark::kMillisecond);

void PostAndDispatchOneMessage(benchmark::State& state) {
  HWND window = MakeWindow(10, 10);
  MSG msg;
  for (auto _ : state) {
    PostMessage(window, WM_USER, 1, 2);
    PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
    DispatchMessage(&msg);
  }
  DestroyWindow(window);
}
BENCHMARK(PostAndDispatchOneMessage);

}  // namespace
