// A table frame of a header and a body of 1000 rows by 8 columns, with
// borders, 3-D edges, widest-cell and percent columns and texts that wrap:
// laid out (column widths, word wrap, borders; target at most 10 ms),
// painted one screenful (at most 5 ms), sorted by a column (at most 2 ms).
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/tests/RecordingWindows.h"
#include "foundation/CDynBuf.h"

namespace {

constexpr int kRows = 1000;
constexpr int kWidth = 1000;
constexpr int kHeight = 700;

void Statement(std::string& out, int tag, const std::string& operand = "") {
  out += '\0';
  out += static_cast<char>(tag);
  out += operand;
}

void Row(std::string& out, const std::string* cells, int count) {
  Statement(out, 52);
  for (int i = 0; i < count; ++i) {
    Statement(out, 48, cells[i]);
    Statement(out, 49);
  }
  Statement(out, 53);
}

std::string TableKey() {
  std::string key{'\0', 'a', 4, 0, 1};
  Statement(key, 72, "Teile");
  Statement(key, 43, std::string{1});
  Statement(key, 98, std::string{static_cast<char>(1 | 2 | 4 | 8 | 64 | 128)});
  Statement(key, 113, std::string{3, 3});
  Statement(key, 41, "8,40,-3,*,60,-3,15%,70,*");
  Statement(key, 47);
  const std::string head[8] = {"Pos.", "Teil", "Benennung", "Menge", "Einheit", "Bemerkung", "Preis", "Hinweis"};
  Row(key, head, 8);
  Statement(key, 76);
  Statement(key, 151, std::string{2});
  Statement(key, 46);
  for (int i = 0; i < kRows; ++i) {
    const std::string n = std::to_string(i + 1);
    const std::string cells[8] = {n,
                                  "RM-" + std::to_string(100000 - i * 37 % 1000),
                                  "Schraube M" + n + " mit Sicherungsmutter und Unterlegscheibe, verzinkt",
                                  std::to_string(i % 12 + 1),
                                  "St\xFC" "ck",
                                  i % 3 == 0 ? "nur Elektrostart; ab Baujahr 2019" : "",
                                  std::to_string(i % 90) + ",95",
                                  "Gr\xF6\xDF" "e und Ausf\xFChrung je nach Baujahr"};
    Row(key, cells, 8);
  }
  Statement(key, 75);
  Statement(key, 73);
  return key + std::string(2, '\0');
}

// The frame read from its key, in a main view on a canvas, with its body's
// client view made by the face's windows.
struct TableFrame {
  TableFrame() {
    theGlobals.m_pvar = new CWV4Var;
    theGlobals.m_pinterp = new CWV4Db;
    const std::string key = TableKey();
    theGlobals.m_act_key_buf.Empty();
    theGlobals.m_act_key_buf.Append(key.data(), static_cast<int>(key.size()));
    face.SetWindows(&windows);
    Read();
  }
  ~TableFrame() {
    frame.reset();
    delete theGlobals.m_pvar;
    delete theGlobals.m_pinterp;
    theGlobals.m_pvar = nullptr;
    theGlobals.m_pinterp = nullptr;
  }
  void Read() {
    frame = std::make_unique<CFrame>(&face, "Teile");
    if (!frame->ReadFrameDef()) throw std::runtime_error("the table frame does not read");
  }
  BOOL Layout() {
    view.rect.right = view.rect.right == kWidth ? kWidth - 1 : kWidth;  // a new size lays out anew
    return frame->AttachView(&view, CDC::FromHandle(canvas.dc), nullptr);
  }

  CFace face;
  varno::testing::RecordingWindows windows;
  std::unique_ptr<CFrame> frame;
  layer::testing::MemoryCanvas canvas{kWidth, kHeight};
  varno::testing::CanvasView view{nullptr, CRect(0, 0, kWidth, kHeight)};
};

void BM_LayOutTableFrame(benchmark::State& state) {
  TableFrame table;
  for (auto _ : state) {
    state.PauseTiming();
    table.Read();
    table.view.frame = table.frame.get();
    state.ResumeTiming();
    if (!table.Layout()) state.SkipWithError("layout failed");
  }
}
BENCHMARK(BM_LayOutTableFrame)->Unit(benchmark::kMillisecond);

void BM_PaintOneScreenful(benchmark::State& state) {
  TableFrame table;
  table.view.frame = table.frame.get();
  table.Layout();
  for (auto _ : state) {
    if (!varno::testing::PaintFrame(*table.frame, table.view, table.canvas)) state.SkipWithError("paint failed");
  }
}
BENCHMARK(BM_PaintOneScreenful)->Unit(benchmark::kMillisecond);

void BM_SortByAColumn(benchmark::State& state) {
  TableFrame table;
  CTablePart& body = *table.frame->m_children[1].Part();
  int column = 3;
  for (auto _ : state) {
    body.SortRows(column);
    column = -column;
  }
}
BENCHMARK(BM_SortByAColumn)->Unit(benchmark::kMillisecond);

}  // namespace
