// Pictures in printed frames. A 1 MB HPGL plot of plain lines read and drawn
// fitted onto a 2000 x 1500 one-bit memory bitmap; the same as whole
// processes beside hp2xx at 1, 4 and 16 MB: our program (hpgl_to_pbm) and
// hp2xx each read the plot and write a PBM of that size, timed by the
// processor time of their whole run. And a 10000 x 7000 one-bit picture
// printed into a frame of a 600 dpi page: a memory bitmap, and a recorded page
// where the layer has them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "VodContext.h"
#include "VodPictures.h"
#include "VodSettings.h"
#include "bench/Pairing.h"
#include "win32/Gdi.h"
#if __has_include("win32/EnhMetaFile.h")
#include "win32/EnhMetaFile.h"
#include "win32/GdiPrint.h"
#include "win32/Printers.h"
#define VARNO_RECORDED_PAGES 1
#endif

namespace {

namespace fs = std::filesystem;

fs::path Folder() {
  static const fs::path folder = [] {
    fs::path made = fs::temp_directory_path() / "varno-printing-pictures-bench";
    fs::create_directories(made);
    std::ofstream(made / "bench.ini", std::ios::binary) << "[VOD]\r\nVOD_ROOT=" << made.string() << "/\r\n";
    std::ofstream(made / "default.pen", std::ios::binary) << "1\r\n1\r\n";
    return made;
  }();
  return folder;
}

// A parts drawing of about 1 MB (or as many as asked): polylines of short
// steps over a 10000 x 7500 sheet with a border, drawn with PU, PD and PA.
fs::path MakePlot(int megabytes) {
  fs::path path = Folder() / ("plot" + std::to_string(megabytes) + ".plt");
  if (fs::exists(path)) return path;
  std::mt19937 random(7);
  std::string plot = "IN;SP1;PU0,0;PD10000,0,10000,7500,0,7500,0,0;";
  while (plot.size() < static_cast<size_t>(megabytes) * 1000000) {
    int x = static_cast<int>(random() % 9000) + 500, y = static_cast<int>(random() % 6500) + 500;
    plot += "PU" + std::to_string(x) + "," + std::to_string(y) + ";PD";
    for (int k = 0; k < 12; ++k) {
      x = std::clamp(x + static_cast<int>(random() % 401) - 200, 0, 10000);
      y = std::clamp(y + static_cast<int>(random() % 401) - 200, 0, 7500);
      plot += (k ? "," : "") + std::to_string(x) + "," + std::to_string(y);
    }
    plot += ";PA" + std::to_string(x) + "," + std::to_string(y) + ";";
  }
  std::ofstream(path, std::ios::binary) << plot << "PU;";
  return path;
}

fs::path Plot() { return MakePlot(1); }

// A job context whose page is a memory bitmap, form units being pixels.
class Page {
 public:
  Page(int width, int height, int bitsPerPixel) : m_width(width), m_height(height), m_bits(bitsPerPixel) {
    m_context->iniPath = (Folder() / "bench.ini").string();
    vod::LoadSettings(*m_context.get(), nullptr);
    m_old = SelectObject(m_dc, m_bitmap = MakeBitmap());
    m_context->page = vod::PageMetrics{static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<DWORD>(width),
                                       static_cast<DWORD>(height)};
    m_context->drawing.SetDevice(m_dc, m_dc);
  }
  ~Page() {
    // The job's end lets the pictures go.
    m_context->pictures->Release(*m_context.get());
    m_context->drawing.Reset();
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  // A fresh white bitmap in place of the old one.
  void Renew() {
    HBITMAP fresh = MakeBitmap();
    SelectObject(m_dc, fresh);
    DeleteObject(m_bitmap);
    m_bitmap = fresh;
  }
  vod::VodContext& Context() { return *m_context.get(); }

 private:
  HBITMAP MakeBitmap() const {
    // Rows padded to 16 bits, every bit set: white.
    std::vector<BYTE> white(static_cast<size_t>((m_width * m_bits + 15) / 16 * 2) * m_height, 0xFF);
    return CreateBitmap(m_width, m_height, 1, m_bits, white.data());
  }

  vod::ContextScope m_context;
  int m_width, m_height, m_bits;
  HDC m_dc = CreateCompatibleDC(nullptr);
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
};

void HpglPlotOurs(benchmark::State& state) {
  std::string plot = Plot().string();
  Page page(2000, 1500, 1);
  vod::VodContext& context = page.Context();
  for (auto _ : state) {
    page.Renew();
    RECT drawn;
    if (!context.pictures->DrawPicture(context, vod::kPictureHpgl, plot, RECT{-5, 0, 2005, 1500}, false, false, 100,
                                       drawn))
      state.SkipWithError("the plot did not draw");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(plot)));
}
BENCHMARK(HpglPlotOurs)->Unit(benchmark::kMillisecond);

// The size of a PBM file's picture, from its head.
std::string PbmSize(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string magic, width, height;
  in >> magic >> width >> height;
  return magic == "P4" ? width + "x" + height : "";
}

// Whole runs of a program that writes the plot's PBM, timed by its
// processor time; the PBM must be 2000 x 1500.
template <class Run>
void TimePlotProgram(benchmark::State& state, int megabytes, const char* name, Run run) {
  const fs::path plot = MakePlot(megabytes), pbm = Folder() / (std::string(name) + ".pbm");
  fs::remove(pbm);
  for (auto _ : state) {
    const double seconds = run(plot.string(), pbm.string());
    if (seconds < 0) {
      state.SkipWithError((std::string(name) + " did not run").c_str());
      return;
    }
    state.SetIterationTime(seconds);
  }
  if (PbmSize(pbm) != "2000x1500") state.SkipWithError("the PBM is not 2000 x 1500");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(plot)));
}

// Ours: the settings name the pen file's folder.
void HpglToPbmOurs(benchmark::State& state, int megabytes) {
  const std::string settings = (Folder() / "bench.ini").string();
  TimePlotProgram(state, megabytes, "ours", [&](const std::string& plot, const std::string& pbm) {
    return bench::ProgramSeconds(VARNO_HPGL_TO_PBM, {settings, plot, pbm, "2000", "1500"});
  });
}

// hp2xx fits the plot's 4:3 extent into 507 x 381 mm at 100 dpi: 2000 x
// 1500 pixels.
void HpglToPbmHp2xx(benchmark::State& state, int megabytes) {
  if (std::system("command -v hp2xx >/dev/null 2>&1") != 0) {
    state.SkipWithError("hp2xx is not installed (Debian package hp2xx): the pairing is skipped");
    return;
  }
  TimePlotProgram(state, megabytes, "hp2xx", [](const std::string& plot, const std::string& pbm) {
    return bench::ProgramSeconds("hp2xx", {"-q", "-m", "pbm", "-d", "100", "-w", "507", "-h", "381", "-f", pbm, plot});
  });
}

BENCHMARK_CAPTURE(HpglToPbmOurs, 1MB, 1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(HpglToPbmHp2xx, 1MB, 1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(HpglToPbmOurs, 4MB, 4)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(HpglToPbmHp2xx, 4MB, 4)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(HpglToPbmOurs, 16MB, 16)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(HpglToPbmHp2xx, 16MB, 16)->Unit(benchmark::kMillisecond)->UseManualTime();

const bool kPlot1Paired = bench::Pair("HPGL 1 MB to a PBM", "HpglToPbmOurs/1MB", "HpglToPbmHp2xx/1MB");
const bool kPlot4Paired = bench::Pair("HPGL 4 MB to a PBM", "HpglToPbmOurs/4MB", "HpglToPbmHp2xx/4MB");
const bool kPlot16Paired = bench::Pair("HPGL 16 MB to a PBM", "HpglToPbmOurs/16MB", "HpglToPbmHp2xx/16MB");

// A 10000 x 7000 one-bit drawing at 1200 dpi: a grid, frames and hatching.
fs::path LargePicture() {
  static const fs::path file = [] {
    constexpr int kWidth = 10000, kHeight = 7000;
    const size_t stride = (kWidth + 31) / 32 * 4;
    std::string pixels(stride * kHeight, '\0');
    auto set = [&](int x, int y) { pixels[stride * (kHeight - 1 - y) + x / 8] |= static_cast<char>(0x80 >> (x % 8)); };
    for (int y = 0; y < kHeight; y += 200)
      for (int x = 0; x < kWidth; ++x) set(x, y);
    for (int x = 0; x < kWidth; x += 250)
      for (int y = 0; y < kHeight; ++y) set(x, y);
    std::mt19937 random(3);
    for (int i = 0; i < 600; ++i) {
      int x0 = static_cast<int>(random() % 9000), y0 = static_cast<int>(random() % 6000);
      for (int k = 0; k < 900; ++k) set(x0 + k, y0 + k * (i % 2));
    }
    auto put32 = [](std::string& s, uint32_t v) {
      for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    std::string info;
    for (uint32_t v : {40u, uint32_t{kWidth}, uint32_t{kHeight}}) put32(info, v);
    info += std::string{1, 0, 1, 0};  // planes, bits per pixel
    for (uint32_t v : {0u, static_cast<uint32_t>(pixels.size()), 47244u, 47244u, 0u, 0u}) put32(info, v);
    put32(info, 0x00FFFFFF);
    put32(info, 0);
    std::string header = "BM";
    put32(header, static_cast<uint32_t>(14 + info.size() + pixels.size()));
    put32(header, 0);
    put32(header, static_cast<uint32_t>(14 + info.size()));
    fs::path path = Folder() / "large.bmp";
    std::ofstream(path, std::ios::binary) << header << info << pixels;
    return path;
  }();
  return file;
}

// An A4 page at 600 dpi; the frame takes most of it, the picture is
// reduced to fit. Decoding is part of each print; cached: only the drawing.
void LargeRasterInto600DpiPage(benchmark::State& state) {
  bool cached = state.range(0) != 0;
  std::string file = LargePicture().string();
  Page page(4960, 7016, 32);
  vod::VodContext& context = page.Context();
  context.resolutionX = context.resolutionY = 600;
  // Form units are device pixels here: the frame is 4000 x 6000 pixels.
  for (auto _ : state) {
    if (!cached) context.pictures->Release(context);
    RECT drawn;
    if (!context.pictures->DrawPicture(context, vod::kPictureRaster, file, RECT{400, 400, 4400, 6400}, false, false,
                                       200, drawn))
      state.SkipWithError("the picture did not print");
  }
}
BENCHMARK(LargeRasterInto600DpiPage)->Arg(0)->Arg(1)->ArgNames({"cached"})->Unit(benchmark::kMillisecond);

#ifdef VARNO_RECORDED_PAGES
// The same frame printed into a recorded page of a 600 dpi printer: the
// page as the printer output keeps it before it goes to the printer.
void LargeRasterIntoRecordedPage(benchmark::State& state) {
  // The printers' profile and PDF folder of the benchmark's own.
  setenv("VARNO_WINDIR", (Folder() / "windows").c_str(), 1);
  setenv("VARNO_PDF_FOLDER", (Folder() / "pdf").c_str(), 1);
  bool cached = state.range(0) != 0;
  std::string file = LargePicture().string();
  vod::ContextScope scope;
  vod::VodContext& context = *scope.get();
  context.iniPath = (Folder() / "bench.ini").string();
  vod::LoadSettings(context, nullptr);
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_PAPERSIZE | DM_PRINTQUALITY | DM_YRESOLUTION;
  mode.dmPaperSize = DMPAPER_A4;
  mode.dmPrintQuality = mode.dmYResolution = 600;
  HDC printer = CreateIC("WINSPOOL", layer::kPdfPrinterName, nullptr, &mode);
  if (!printer) {
    state.SkipWithError("no printer to record for");
    return;
  }
  context.resolutionX = GetDeviceCaps(printer, LOGPIXELSX);
  context.resolutionY = GetDeviceCaps(printer, LOGPIXELSY);
  context.page = vod::PageMetrics{2100, 2970, static_cast<DWORD>(GetDeviceCaps(printer, HORZRES)),
                                  static_cast<DWORD>(GetDeviceCaps(printer, VERTRES))};
  RECT frame{0, 0, 21000, 29700};  // hundredths of a millimetre
  for (auto _ : state) {
    if (!cached) context.pictures->Release(context);
    HDC page = CreateEnhMetaFile(printer, nullptr, &frame, "page");
    context.drawing.SetDevice(printer, page);
    RECT drawn;
    if (!context.pictures->DrawPicture(context, vod::kPictureRaster, file, RECT{100, 100, 2000, 2800}, false, false,
                                       200, drawn))
      state.SkipWithError("the picture did not print");
    context.drawing.Reset();
    DeleteEnhMetaFile(CloseEnhMetaFile(page));
  }
  context.pictures->Release(context);
  DeleteDC(printer);
}
BENCHMARK(LargeRasterIntoRecordedPage)->Arg(0)->Arg(1)->ArgNames({"cached"})->Unit(benchmark::kMillisecond);
#endif

}  // namespace
