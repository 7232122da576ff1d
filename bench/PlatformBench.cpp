// Speed of the layer's hot paths: a one-bit picture stretched into a window
// canvas, and a message posted and dispatched.
#include <benchmark/benchmark.h>

#include <vector>

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

// A 4000 x 3000 one-bit drawing: white with black lines every 50 pixels.
struct Drawing {
  std::vector<BYTE> header = std::vector<BYTE>(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
  std::vector<BYTE> bits;
  Drawing() {
    const int width = 4000, height = 3000, stride = WIDTHBYTES(width);
    auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
    info->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 1, BI_RGB, 0, 0, 0, 2, 0};
    auto* colours = reinterpret_cast<RGBQUAD*>(header.data() + sizeof(BITMAPINFOHEADER));
    colours[0] = RGBQUAD{0, 0, 0, 0};
    colours[1] = RGBQUAD{255, 255, 255, 0};
    bits.assign(static_cast<std::size_t>(stride) * height, 0xFF);
    for (int y = 0; y < height; ++y) {
      BYTE* row = bits.data() + static_cast<std::size_t>(y) * stride;
      if (y % 50 == 0) std::fill(row, row + width / 8, 0);
      for (int x = 0; x < width; x += 50) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
    }
  }
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(header.data()); }
};

void StretchOneBitPictureIntoWindow(benchmark::State& state) {
  static Drawing drawing;
  HWND window = MakeWindow(1000, 750);
  HDC dc = GetDC(window);
  SetStretchBltMode(dc, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    StretchDIBits(dc, 0, 0, 1000, 750, 0, 0, 4000, 3000, drawing.bits.data(), drawing.Info(), DIB_RGB_COLORS, SRCCOPY);
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
