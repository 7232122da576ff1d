// Rendering a long DATA FRAME job: about 40 records a page in two frames with
// two fonts, grey areas and lines, onto a page context of 100 dots per inch.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "VodContext.h"
#include "VodFormFile.h"
#include "VodInterpreter.h"
#include "VodSettings.h"
#include "win32/Gdi.h"

namespace {

constexpr int kRecords = 4000;

// A page context that keeps nothing of the pages but their count.
class CountingTarget : public vod::VodPageTarget {
 public:
  CountingTarget() {
    m_bitmap = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
    m_old = SelectObject(m_dc, m_bitmap);
  }
  ~CountingTarget() override {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  bool IsOpen() const override { return m_open; }
  bool Open(vod::VodContext& context) override {
    vod::FormExtent form = vod::FormPageSize(context.orientation, context.paper);
    context.page = vod::PageMetrics{form.width, form.height, kWidth, kHeight};
    context.drawing.SetDevice(m_dc, m_dc);
    return m_open = true;
  }
  bool BeginPage(vod::VodContext&) override { return PatBlt(m_dc, 0, 0, kWidth, kHeight, WHITENESS); }
  bool OutputPage(vod::VodContext&) override { return ++pages, true; }
  void Close(vod::VodContext&) override { m_open = false; }
  int pages = 0;

 private:
  static constexpr int kWidth = 827, kHeight = 1169;
  HDC m_dc = CreateCompatibleDC(nullptr);
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  bool m_open = false;
};

std::string Item(unsigned kind, std::initializer_list<std::pair<int, unsigned>> words, const char* name = nullptr,
                 const char* font = nullptr) {
  std::string item(198, '\0');
  item[136] = static_cast<char>(kind);
  for (auto [offset, value] : words) {
    item[offset] = static_cast<char>(value & 0xFF);
    item[offset + 1] = static_cast<char>(value >> 8);
  }
  if (font) item.replace(146, std::strlen(font), font);
  if (name) {
    item.replace(158, std::strlen(name), name);
    item[167] = name[0] == 'P' ? 'R' : 'L';
  }
  return item;
}

std::string FormFile() {
  std::string bytes = "bench form\x1A";
  for (unsigned word : {198u, 1u, 4u}) bytes += {static_cast<char>(word & 0xFF), static_cast<char>(word >> 8)};
  bytes += Item(4, {{138, 3}, {140, 20}, {142, 100}, {144, 100}, {146, 2000}, {148, 300}});
  bytes += Item(4, {{138, 0}, {140, 10}, {142, 100}, {144, 400}, {146, 2000}, {148, 2600}});
  bytes += Item(0, {{138, 3}, {140, 100}, {142, 450}, {144, 2000}, {146, 450}});
  bytes += Item(0, {{138, 2}, {140, 500}, {142, 400}, {144, 500}, {146, 2600}});
  bytes += Item(5, {{138, 110}, {140, 470}, {142, 490}, {144, 2590}, {156, 14}}, "POS", "COURF");
  bytes += Item(5, {{138, 520}, {140, 470}, {142, 1990}, {144, 2590}, {156, 14}}, "TEXT", "UNIV");
  return bytes;
}

std::string Script() {
  std::string script = "USE FORM bench\nDATA FRAME POS TEXT BEGIN\n";
  for (int record = 1; record <= kRecords; ++record)
    script += std::to_string(record) + "\nHexagon screw M8 x 40 DIN 933, zinc plated\n";
  return script + "END\nPAGE\n";
}

void RenderDataJob(benchmark::State& state) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "varno-printing-render-bench";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "bench.frm", std::ios::binary) << FormFile();
  std::ofstream(folder / "job.vod", std::ios::binary) << Script();
  std::ofstream(folder / "bench.ini", std::ios::binary) << "[VOD]\r\nCheckFrames=FALSE\r\n";

  vod::ContextScope context;
  context->iniPath = (folder / "bench.ini").string();
  int pages = 0;
  for (auto _ : state) {
    vod::LoadSettings(*context.get(), nullptr);
    auto target = std::make_unique<CountingTarget>();
    CountingTarget* counting = target.get();
    context->pageTarget = std::move(target);
    vod::VodInterpreter interpreter(*context.get());
    if (!interpreter.OpenJobFile((folder / "job.vod").string())) {
      state.SkipWithError("script not opened");
      break;
    }
    int result = interpreter.RunStatements();
    interpreter.CloseJobFile();
    if (!interpreter.FinishJob(result == 3)) {
      state.SkipWithError(context->lastError.c_str());
      break;
    }
    pages = counting->pages;
    state.PauseTiming();
    context->EndJob();
    context->pageTarget.reset();
    state.ResumeTiming();
  }
  state.counters["pages"] = pages;
  std::filesystem::remove_all(folder);
}
BENCHMARK(RenderDataJob)->Unit(benchmark::kMillisecond);

}  // namespace
