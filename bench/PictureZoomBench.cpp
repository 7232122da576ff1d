// A picture view zooming a 2000 x 1500 picture with 300 hotspots to a
// dragged rectangle and painting the result (target at most 20 ms).
#include <benchmark/benchmark.h>

#include <string>

#include "Main/CImageView.h"
#include "imaging/decoders/tests/BmpFile.h"
#include "mfc/CFrameWnd.h"
#include "testing/TempFolder.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;
constexpr int kHotspots = 300;

// Bands of colour, so that the zoom has something to copy.
std::string Picture() {
  BmpFile file;
  file.width = kWidth;
  file.height = kHeight;
  for (int i = 0; i < 256; ++i) {
    file.colours.push_back(RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 7), 0});
  }
  file.pixels.resize(static_cast<size_t>(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) file.pixels[static_cast<size_t>(y) * kWidth + x] = static_cast<char>((x / 40 + y / 30) & 0xFF);
  }
  return file.Bytes();
}

void ZoomToRectangleAndRepaint(benchmark::State& state) {
  layer::testing::TempFolder folder;
  folder.Write("big.bmp", Picture());
  auto* frame = new CFrameWnd;
  frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 820, 640));
  frame->ShowWindow(SW_SHOW);
  auto* view = new CImageView;
  CRect client;
  frame->GetClientRect(&client);
  view->Create(client, frame, 1);
  int error = 0;
  if (!view->LoadImageFile((folder / "big.bmp").c_str(), &error, FALSE)) {
    state.SkipWithError("the picture does not load");
    frame->DestroyWindow();
    return;
  }
  for (int i = 0; i < kHotspots; ++i) {
    const int x = (i % 20) * 100;
    const int y = (i / 20) * 100;
    view->AddHotspot(CRect(x + 10, y + 10, x + 70, y + 60), std::to_string(i).c_str(), nullptr, i % 4);
  }
  view->SetZoom(0);
  view->UpdateWindow();
  for (auto _ : state) {
    if (!view->ZoomToRect(CRect(200, 150, 420, 310))) {
      state.SkipWithError("no zoom to the rectangle");
      break;
    }
    view->UpdateWindow();
    state.PauseTiming();
    view->SetZoom(0);
    view->UpdateWindow();
    state.ResumeTiming();
  }
  frame->DestroyWindow();
  CImageView::DeleteDecoderInterface();
}
BENCHMARK(ZoomToRectangleAndRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
