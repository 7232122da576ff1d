// Speed of the hotspot library on a picture with the most hotspots the
// picture files hold: the hit test on every mouse move, and reading the
// trailer when a picture is opened.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "interfaces/QridHtSp.h"

namespace {

constexpr int hotspotCount = 300;

// 20 x 15 hotspots of 30 x 20 pixels on a 600 x 300 picture, overlapping
// their neighbours by half, so that most points hit several.
HS_HANDLE MakeGrid() {
  HS_HANDLE list = HS_New();
  HS_SetImageSize(list, 600, 300);
  for (int i = 0; i < hotspotCount; ++i) {
    int x = (i % 20) * 30, y = (i / 20) * 20;
    std::string name = "Pos " + std::to_string(i + 1);
    HS_AddHotspot(list, x, y, x + 45, y + 30, name.c_str(), "#1234", i % 4);
  }
  HS_Zoom(list, 600, 300);
  return list;
}

void HitTestAmong300(benchmark::State& state) {
  HS_HANDLE list = MakeGrid();
  int x = 0, y = 0;
  for (auto _ : state) {
    x = (x + 37) % 640;
    y = (y + 23) % 320;
    benchmark::DoNotOptimize(HS_OnMouseMove(list, nullptr, 0, 0, 0, x, y, nullptr));
  }
  HS_Delete(list);
}
BENCHMARK(HitTestAmong300);

void ReadTrailerOf300(benchmark::State& state) {
  std::string path = (std::filesystem::temp_directory_path() / "varno-hotspots-bench.bmp").string();
  std::filesystem::remove(path);
  HS_HANDLE written = MakeGrid();
  HS_FileWriteHotspots(written, path.c_str());
  HS_Delete(written);
  HS_HANDLE list = HS_New();
  for (auto _ : state) {
    HS_FileReadHotspots(list, path.c_str());
    benchmark::DoNotOptimize(HS_GetNumberOfHotspots(list));
  }
  HS_Delete(list);
  std::filesystem::remove(path);
}
BENCHMARK(ReadTrailerOf300)->Unit(benchmark::kMicrosecond);

}  // namespace
