// The viewer program on the sample catalogue, in-process and offscreen: its
// start up to the start key's face shown (target at most 0.5 s), and a click
// on a link up to the linked key's face shown (target at most 50 ms).
#include <benchmark/benchmark.h>

#include <memory>

#include "Main/tests/ViewerSession.h"

namespace {

using varno::testing::ViewerSession;

void BM_ViewerStartToFirstKey(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto viewer = std::make_unique<ViewerSession>();
    state.ResumeTiming();
    if (!viewer->Start()) state.SkipWithError("the viewer did not show its start key");
    state.PauseTiming();
    viewer.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ViewerStartToFirstKey)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_LinkClickToNewKey(benchmark::State& state) {
  ViewerSession viewer;
  if (!viewer.Start()) {
    state.SkipWithError("the viewer did not show its start key");
    return;
  }
  for (auto _ : state) {
    if (!viewer.ClickHotspot("Uebersicht", "2")) {
      state.SkipWithError("no label to click on the start page");
      break;
    }
    viewer.Pump();
    state.PauseTiming();
    PostMessage(viewer.App().m_hMainWnd, WM_COMMAND, 305, 0);  // back to the start key
    viewer.Pump();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LinkClickToNewKey)->Unit(benchmark::kMillisecond);

}  // namespace
