// Building a face from its rendered key: 4 frame sets and 12 frames declared,
// checked, given their splitters and views and sized (target: at most 5 ms).
// Once with stand-ins for the windows that take the face's requests and do
// nothing, once in the real splitters and views of a frame window.
#include <benchmark/benchmark.h>

#include <string>

#include "Main/CFace.h"
#include "Main/CMultiFrame.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/FaceWindows.h"
#include "win32/UserMessages.h"

namespace {

class IdleWindows : public FaceWindows {
 public:
  BOOL CreateSplitter(int) override { return TRUE; }
  BOOL CreateFrameView(int) override { return TRUE; }
  void DestroyFrameView(int) override {}
  void DestroySplitter(int) override {}
  CSize PaneArea() override { return {1284, 964}; }
  void SetPaneSize(int, int, int size) override { benchmark::DoNotOptimize(size); }
  int GetPaneSize(int, int) override { return 100; }
  void RecalcSplitter(int) override {}
  void RecalcFrameWindow() override {}
};

void Statement(std::string& out, int tag, const std::string& operand = "") {
  out += '\0';
  out += static_cast<char>(tag);
  out += operand;
}

// A page as a catalogue lays it out: three columns, each split in four rows
// of pixels, percentages and the rest, a frame in every pane, a print entry
// and symbols; then the frames' definitions, each a table, one of 200 rows.
std::string PageKey() {
  std::string key{'\0', 'a', 4, 0, 1};
  Statement(key, 140, "seite");
  Statement(key, 156, "LINKS");
  Statement(key, 157);
  Statement(key, 14);
  Statement(key, 136, std::string{2, 2});
  Statement(key, 137, std::string{1, 1});
  for (int i = 1; i <= 4; ++i) {
    Statement(key, 130, std::to_string(i) + ",symbol" + std::to_string(i));
    Statement(key, 131);
  }
  Statement(key, 15);
  Statement(key, 26, "25%,*,200");
  Statement(key, 24, std::string{3});
  Statement(key, 155, "1");
  const char* columns[] = {"100,*,50,80", "*,40%,20%,*", "30%,30%,*,60"};
  int frame = 0;
  for (const char* rows : columns) {
    Statement(key, 27, rows);
    for (const char* c = rows; *c != '\0'; ++c) {
      if (*c == ',') Statement(key, 21, "F" + std::to_string(frame++));
    }
    Statement(key, 21, "F" + std::to_string(frame++));
    Statement(key, 71);
  }
  Statement(key, 71);
  Statement(key, 118, "F0,F1,F2");
  Statement(key, 119, "\"Seite \"");
  Statement(key, 120, std::string("\0AKEYNAME\0@", 11));
  Statement(key, 121);
  for (int i = 0; i < frame; ++i) {
    Statement(key, 'H', "F" + std::to_string(i));
    Statement(key, 41, "3,60,*,40");
    Statement(key, 46);
    for (int row = 0; row < (i == 1 ? 200 : 3); ++row) {
      Statement(key, 52);
      const std::string cells[] = {"Zeile " + std::to_string(row), "RM-" + std::to_string(1000 + row), "1"};
      for (const std::string& cell : cells) {
        Statement(key, 48, cell);
        Statement(key, 49);
      }
      Statement(key, 53);
    }
    Statement(key, 75);
    Statement(key, 'I');
  }
  key += std::string(2, '\0');
  return key;
}

// The engine's objects that the key's print entry needs, and the key in the
// current-key buffer, for the time of one benchmark.
class PageKeyInBuffer {
 public:
  PageKeyInBuffer() {
    theGlobals.m_pvar = new CWV4Var;
    theGlobals.m_pinterp = new CWV4Db;
    theGlobals.m_pvar->SetVar("KEYNAME", VarValue::Text("Motor"), VAR_CHAR);
    const std::string key = PageKey();
    theGlobals.m_act_key_buf.Empty();
    theGlobals.m_act_key_buf.Append(key.data(), static_cast<int>(key.size()));
  }
  ~PageKeyInBuffer() {
    delete theGlobals.m_pinterp;
    delete theGlobals.m_pvar;
    theGlobals.m_pinterp = nullptr;
    theGlobals.m_pvar = nullptr;
    theGlobals.m_act_key_buf.Empty();
  }
  PageKeyInBuffer(const PageKeyInBuffer&) = delete;
  PageKeyInBuffer& operator=(const PageKeyInBuffer&) = delete;
};

void BuildFaceOf4FrameSetsAnd12Frames(benchmark::State& state) {
  PageKeyInBuffer key;
  IdleWindows windows;
  CFace face;
  face.SetWindows(&windows);
  for (auto _ : state) {
    face.Clear();
    if (!face.NewKey() || !face.CreateLayout() || face.GetFrameSetCount() != 4 || face.m_no_frames != 12) {
      state.SkipWithError("the page does not lay out");
      break;
    }
    benchmark::DoNotOptimize(face.m_framesets.back().m_panes.back().computed);
  }
  face.Clear();
}
BENCHMARK(BuildFaceOf4FrameSetsAnd12Frames)->Unit(benchmark::kMicrosecond);

// The whole build in a frame window: the previous face's windows destroyed,
// the key declared, 4 splitters and 12 frame views made and laid out, every
// frame's definition read.
void BuildFaceInAFrameWindow(benchmark::State& state) {
  PageKeyInBuffer key;
  auto* window = new CMultiFrame;
  window->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1288, 968));
  layer::PumpUntilIdle();
  for (auto _ : state) {
    if (!window->BuildFace() || window->GetFace()->GetFrameSetCount() != 4 || !window->GetFace()->m_laid_out) {
      state.SkipWithError("the page does not lay out");
      break;
    }
  }
  window->DestroyWindow();
  layer::PumpUntilIdle();
}
BENCHMARK(BuildFaceInAFrameWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
