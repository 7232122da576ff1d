// Speed of the class library's frames: a frame with a static splitter of
// three scroll views resized (layout and repaint of every pane), and a
// splitter bar dragged (tracker, release, layout and repaint).
#include <benchmark/benchmark.h>

#include <string>

#include "mfc/CFrameWnd.h"
#include "mfc/CScrollView.h"
#include "mfc/CSplitterWnd.h"
#include "win32/GdiPrint.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

class ContentView : public CScrollView {
  DECLARE_DYNCREATE(ContentView)

 public:
  void OnInitialUpdate() override { SetScrollSizes(MM_TEXT, CSize(2000, 1500)); }
  void OnDraw(CDC* dc) override {
    dc->FillSolidRect(0, 0, 2000, 1500, RGB(255, 255, 255));
    for (int y = 0; y < 1500; y += 40) dc->FillSolidRect(0, y, 2000, 1, RGB(200, 200, 220));
  }
};
IMPLEMENT_DYNCREATE(ContentView, CScrollView)

class SplitFrame : public CFrameWnd {
 public:
  CSplitterWnd m_splitter;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    return m_splitter.CreateStatic(this, 1, 3) &&
           m_splitter.CreateView(0, 0, RUNTIME_CLASS(ContentView), CSize(200, 0), context) &&
           m_splitter.CreateView(0, 1, RUNTIME_CLASS(ContentView), CSize(200, 0), context) &&
           m_splitter.CreateView(0, 2, RUNTIME_CLASS(ContentView), CSize(0, 0), context);
  }
};

SplitFrame* MakeFrame() {
  auto* frame = new SplitFrame;
  frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW, CRect(50, 50, 690, 530));
  frame->InitialUpdateFrame(nullptr, TRUE);
  layer::PumpUntilIdle();
  return frame;
}

void RepaintAll(CWnd* frame) { frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

void ResizeFrameWithThreeScrollPanes(benchmark::State& state) {
  SplitFrame* frame = MakeFrame();
  int turn = 0;
  for (auto _ : state) {
    turn ^= 1;
    frame->MoveWindow(50, 50, turn ? 720 : 640, turn ? 540 : 480);
    RepaintAll(frame);
  }
  frame->DestroyWindow();
  layer::PumpUntilIdle();
}
BENCHMARK(ResizeFrameWithThreeScrollPanes)->Unit(benchmark::kMillisecond);

void DragSplitterBar(benchmark::State& state) {
  SplitFrame* frame = MakeFrame();
  CSplitterWnd& splitter = frame->m_splitter;
  int turn = 0;
  for (auto _ : state) {
    turn ^= 1;
    // The first bar starts at 202 after a column of 200; it goes to 250 and back.
    int from = turn ? 205 : 253, to = turn ? 250 : 202;
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, 40));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from + to) / 2, 40));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, 40));
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to, 40));
    RepaintAll(frame);
    int width, minimum;
    splitter.GetColumnInfo(0, width, minimum);
    if (width != (turn ? 247 : 199)) {
      state.SkipWithError(("the bar did not follow the mouse: " + std::to_string(width)).c_str());
      break;
    }
  }
  frame->DestroyWindow();
  layer::PumpUntilIdle();
}
BENCHMARK(DragSplitterBar)->Unit(benchmark::kMillisecond);

}  // namespace
