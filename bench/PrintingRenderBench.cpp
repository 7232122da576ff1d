// Rendering a long DATA FRAME job: about 40 records a page in two frames with
// two fonts, grey areas and lines, onto a page context of 100 dots per inch,
// into recorded pages, and as a whole job through the exports to the PDF
// printer.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "VodContext.h"
#include "VodFormFile.h"
#include "VodInterpreter.h"
#include "VodSettings.h"
#include "interfaces/QorVod32.h"
#include "testing/PrinterSandbox.h"
#include "win32/EnhMetaFile.h"
#include "win32/GdiPrint.h"
#include "win32/MessageBox.h"
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
  int Pages() const { return pages; }
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

// Pages recorded against the PDF printer's information context.
class RecordingTarget : public vod::VodPageTarget {
 public:
  ~RecordingTarget() override {
    for (HENHMETAFILE page : m_pages) DeleteEnhMetaFile(page);
    if (m_reference) DeleteDC(m_reference);
  }
  bool IsOpen() const override { return m_reference != nullptr; }
  bool Open(vod::VodContext& context) override {
    m_reference = CreateIC("WINSPOOL", layer::kPdfPrinterName, nullptr, nullptr);
    if (!m_reference) return false;
    vod::FormExtent form = vod::FormPageSize(context.orientation, context.paper);
    context.page = vod::PageMetrics{form.width, form.height, static_cast<DWORD>(GetDeviceCaps(m_reference, HORZRES)),
                                    static_cast<DWORD>(GetDeviceCaps(m_reference, VERTRES))};
    return BeginPage(context);
  }
  bool BeginPage(vod::VodContext& context) override {
    if (m_page) return true;
    RECT frame{0, 0, 21000, 29700};
    m_page = CreateEnhMetaFile(m_reference, nullptr, &frame, "VOD");
    context.drawing.SetDevice(m_reference, m_page);
    return m_page != nullptr;
  }
  bool OutputPage(vod::VodContext& context) override {
    m_pages.push_back(CloseEnhMetaFile(m_page));
    m_page = nullptr;
    return BeginPage(context);
  }
  void Close(vod::VodContext& context) override {
    context.drawing.Reset();
    if (m_page) DeleteEnhMetaFile(CloseEnhMetaFile(m_page));
    m_page = nullptr;
  }
  size_t Pages() const { return m_pages.size(); }

 private:
  HDC m_reference = nullptr;
  HDC m_page = nullptr;
  std::vector<HENHMETAFILE> m_pages;
};

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

// The job's form, script and ini file in a folder of their own.
struct BenchFolder {
  BenchFolder(const char* name, const std::string& settings)
      : path(std::filesystem::temp_directory_path() / name) {
    std::filesystem::create_directories(path / "out");
    std::ofstream(path / "bench.frm", std::ios::binary) << FormFile();
    std::ofstream(path / "job.vod", std::ios::binary) << Script();
    std::ofstream(path / "bench.ini", std::ios::binary) << "[VOD]\r\nCheckFrames=FALSE\r\n" << settings;
  }
  ~BenchFolder() { std::filesystem::remove_all(path); }
  std::string operator/(const char* name) const { return (path / name).string(); }
  std::filesystem::path path;
};


template <class Target>
void RenderInto(benchmark::State& state) {
  BenchFolder folder("varno-printing-record-bench", "");
  vod::ContextScope context;
  context->iniPath = folder / "bench.ini";
  size_t pages = 0;
  for (auto _ : state) {
    vod::LoadSettings(*context.get(), nullptr);
    auto target = std::make_unique<Target>();
    Target* recording = target.get();
    context->pageTarget = std::move(target);
    vod::VodInterpreter interpreter(*context.get());
    if (!interpreter.OpenJobFile(folder / "job.vod")) {
      state.SkipWithError("script not opened");
      break;
    }
    int result = interpreter.RunStatements();
    interpreter.CloseJobFile();
    if (!interpreter.FinishJob(result == 3)) {
      state.SkipWithError(context->lastError.c_str());
      break;
    }
    pages = recording->Pages();
    state.PauseTiming();
    context->EndJob();
    context->pageTarget.reset();
    state.ResumeTiming();
  }
  state.counters["pages"] = static_cast<double>(pages);
}

void RenderDataJob(benchmark::State& state) { RenderInto<CountingTarget>(state); }
BENCHMARK(RenderDataJob)->Unit(benchmark::kMillisecond);

// Target: at most 0.5 s for the 100 pages.
void RecordDataJob(benchmark::State& state) { RenderInto<RecordingTarget>(state); }
BENCHMARK(RecordDataJob)->Unit(benchmark::kMillisecond);

// The whole job through VOD_Print_Sync: printer choice without the dialog,
// the document, every page and the PDF file. Target: at most 2 s.
void PrintDataJobToPdf(benchmark::State& state) {
  layer::testing::PrinterSandbox sandbox;
  layer::SetMessageBoxPresenter([](HWND, const char*, const char*, UINT) { return IDOK; });
  const char* name = "varno-printing-pdf-bench";
  std::filesystem::path out = std::filesystem::temp_directory_path() / name / "out";
  BenchFolder folder(name, "NoDialog=TRUE\r\nPrintToFile=TRUE\r\nOutputPfad=" + out.string() + "\r\n");
  if (VOD_Init(0, nullptr, (folder / "bench.ini").c_str()) != 1) {
    state.SkipWithError("no printer");
    return;
  }
  for (auto _ : state) {
    if (VOD_Print_Sync(nullptr, (folder / "job.vod").c_str()) != 1) {
      state.SkipWithError("the job failed");
      break;
    }
  }
  std::error_code missing;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(out / "job.prn", missing));
  layer::SetMessageBoxPresenter(nullptr);
}
BENCHMARK(PrintDataJobToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
