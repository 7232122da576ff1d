// Rendering a long DATA FRAME job: about 40 records a page in two frames with
// two fonts, grey areas and lines, onto a page context of 100 dots per inch,
// into recorded pages, and as a whole job through the exports to the PDF
// printer, paired with Qt's PDF writer alone writing the same 94 pages.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "VodContext.h"
#include "VodFormFile.h"
#include "VodInterpreter.h"
#include "VodSettings.h"
#include "bench/Pairing.h"
#include "interfaces/QorVod32.h"
#include "qt/GuiApplication.h"
#include "qt/RealisedFont.h"
#include "win32/GdiObjects.h"
#include "win32/PrintBackend.h"
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

// What the PDF printer was asked to draw on a page, in its dots, kept so that
// Qt's PDF writer alone can draw the same page.
struct DrawnText {
  QPointF baseline;
  QString text;
  QFont font;
};
struct DrawnPage {
  layer::PageGeometry geometry;
  std::vector<DrawnText> texts;
  std::vector<QPolygonF> lines;
  std::vector<std::pair<QRectF, QColor>> fills;
  std::vector<QRectF> boxes;
  int others = 0;  // calls of kinds the peer does not draw
};

QRectF Area(const RECT& r) { return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top).normalized(); }

// Hands every call on to the real writer and keeps what it drew.
class KeepingWriter : public layer::PageWriter {
 public:
  KeepingWriter(std::unique_ptr<layer::PageWriter> writer, std::vector<DrawnPage>& pages)
      : m_writer(std::move(writer)), m_pages(pages) {}
  bool BeginPage(const layer::PageGeometry& page) override {
    m_pages.push_back({page, {}, {}, {}, {}, 0});
    return m_writer->BeginPage(page);
  }
  void EndPage() override { m_writer->EndPage(); }
  bool Close() override { return m_writer->Close(); }
  int WriteError() const override { return m_writer->WriteError(); }
  bool Lines(const layer::DeviceContext& context, const std::vector<std::vector<POINT>>& runs) override {
    for (const auto& run : runs) {
      QPolygonF line;
      for (const POINT& point : run) line << Point(point.x + 0.5, point.y + 0.5);
      Page().lines.push_back(line);
    }
    return m_writer->Lines(context, runs);
  }
  bool Polygon(const layer::DeviceContext& context, const std::vector<POINT>& points) override {
    ++Page().others;
    return m_writer->Polygon(context, points);
  }
  bool Shape(const layer::DeviceContext& context, layer::ShapeKind kind, const RECT& box) override {
    Page().boxes.push_back(Area(box).translated(Point(0, 0)));
    return m_writer->Shape(context, kind, box);
  }
  bool Fill(const layer::DeviceContext& context, const RECT& area, COLORREF colour) override {
    Page().fills.push_back({Area(area).translated(Point(0, 0)),
                            QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour))});
    return m_writer->Fill(context, area, colour);
  }
  bool Invert(const layer::DeviceContext& context, const RECT& area, layer::InvertKind kind) override {
    ++Page().others;
    return m_writer->Invert(context, area, kind);
  }
  bool Text(const layer::DeviceContext& context, const layer::TextLine& line) override {
    if (context.state.font)
      Page().texts.push_back({Point(line.topLeft.x, line.topLeft.y + line.ascent),
                              QString::fromLatin1(line.text.data(), static_cast<qsizetype>(line.text.size())),
                              layer::Realise(*context.state.font)->font});
    return m_writer->Text(context, line);
  }
  bool Picture(const layer::DeviceContext& context, const layer::PictureDraw& picture) override {
    ++Page().others;
    return m_writer->Picture(context, picture);
  }

 private:
  DrawnPage& Page() { return m_pages.back(); }
  QPointF Point(double x, double y) {
    return QPointF(x + Page().geometry.drawableOrigin.x, y + Page().geometry.drawableOrigin.y);
  }
  std::unique_ptr<layer::PageWriter> m_writer;
  std::vector<DrawnPage>& m_pages;
};

class KeepingBackend : public layer::PrintBackend {
 public:
  explicit KeepingBackend(layer::PrintBackend* backend) : m_backend(backend) {}
  std::vector<layer::PrinterDescription> SystemPrinters() override { return m_backend->SystemPrinters(); }
  std::string SystemDefaultPrinter() override { return m_backend->SystemDefaultPrinter(); }
  std::unique_ptr<layer::PageWriter> WriteDocument(const std::string& hostPath, const std::string& title) override {
    pages.clear();
    auto writer = m_backend->WriteDocument(hostPath, title);
    if (!writer) return writer;
    return std::make_unique<KeepingWriter>(std::move(writer), pages);
  }
  bool Submit(const layer::PrinterDescription& printer, const std::string& hostPath,
              const layer::JobSettings& settings, std::string* reason) override {
    return m_backend->Submit(printer, hostPath, settings, reason);
  }
  std::string DocumentsFolder() override { return m_backend->DocumentsFolder(); }
  std::vector<DrawnPage> pages;

 private:
  layer::PrintBackend* m_backend;
};

// The job's folder, its settings and the printers' sandbox.
struct PdfJob {
  static constexpr const char* kName = "varno-printing-pdf-bench";
  layer::testing::PrinterSandbox sandbox;
  std::filesystem::path out = std::filesystem::temp_directory_path() / kName / "out";
  BenchFolder folder{kName, "NoDialog=TRUE\r\nPrintToFile=TRUE\r\nOutputPfad=" + out.string() + "\r\n"};
  bool Ready() { return VOD_Init(0, nullptr, (folder / "bench.ini").c_str()) == 1; }
  bool Print() { return VOD_Print_Sync(nullptr, (folder / "job.vod").c_str()) == 1; }
};

const bool kPdfPaired = bench::Pair("94-page DATA FRAME job to PDF", "PrintDataJobToPdf", "WriteSamePagesWithQPdfWriter");

// The whole job through VOD_Print_Sync: printer choice without the dialog,
// the document, every page and the PDF file. Target: at most 2 s.
void PrintDataJobToPdf(benchmark::State& state) {
  layer::SetMessageBoxPresenter([](HWND, const char*, const char*, UINT) { return IDOK; });
  PdfJob job;
  if (!job.Ready()) {
    state.SkipWithError("no printer");
    return;
  }
  for (auto _ : state) {
    if (!job.Print()) {
      state.SkipWithError("the job failed");
      break;
    }
  }
  std::error_code missing;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(job.out / "job.prn", missing));
  layer::SetMessageBoxPresenter(nullptr);
}
BENCHMARK(PrintDataJobToPdf)->Unit(benchmark::kMillisecond);

// The peer: the pages that the job drew (taken from one run of it), written
// by a Qt program of its own: QPdfWriter and QPainter with the same fonts,
// texts, lines and areas, to a file.
void WriteSamePagesWithQPdfWriter(benchmark::State& state) {
  layer::SetMessageBoxPresenter([](HWND, const char*, const char*, UINT) { return IDOK; });
  std::vector<DrawnPage> pages;
  {
    PdfJob job;
    KeepingBackend keeping(layer::CurrentPrintBackend());
    layer::PrintBackend* before = layer::InstallPrintBackend(&keeping);
    const bool printed = job.Ready() && job.Print();
    layer::InstallPrintBackend(before);
    pages = std::move(keeping.pages);
    if (!printed || pages.empty()) {
      state.SkipWithError("the job that gives the pages failed");
      return;
    }
  }
  layer::SetMessageBoxPresenter(nullptr);
  int others = 0;
  for (const DrawnPage& page : pages) others += page.others;
  if (others) state.SkipWithError("the job drew what the peer does not draw");
  layer::EnsureGuiApplication();
  const std::string path = (std::filesystem::temp_directory_path() / "varno-qpdfwriter-bench.pdf").string();
  for (auto _ : state) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
      state.SkipWithError("the file");
      break;
    }
    QPdfWriter writer(&file);
    QPainter painter;
    for (const DrawnPage& page : pages) {
      const layer::PageGeometry& g = page.geometry;
      writer.setPageLayout(QPageLayout(QPageSize(QSizeF(g.widthMillimetres, g.heightMillimetres), QPageSize::Millimeter,
                                                 QString(), QPageSize::ExactMatch),
                                       QPageLayout::Portrait, QMarginsF()));
      if (&page == &pages.front()) {
        writer.setResolution(g.dotsPerInchX);
        painter.begin(&writer);
      } else {
        writer.newPage();
      }
      for (const auto& [area, colour] : page.fills) painter.fillRect(area, colour);
      painter.setPen(QPen(Qt::black, 1));
      for (const QRectF& box : page.boxes) painter.drawRect(box);
      for (const QPolygonF& line : page.lines) painter.drawPolyline(line);
      for (const DrawnText& text : page.texts) {
        painter.setFont(text.font);
        painter.drawText(text.baseline, text.text);
      }
    }
    painter.end();
    file.close();
  }
  state.counters["pages"] = static_cast<double>(pages.size());
  std::filesystem::remove(path);
}
BENCHMARK(WriteSamePagesWithQPdfWriter)->Unit(benchmark::kMillisecond);

}  // namespace
