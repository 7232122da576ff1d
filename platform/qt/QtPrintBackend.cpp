// The printing backend: the desktop's printers through Qt's printing
// support (which asks CUPS), documents written as PDF, and finished documents
// handed to a CUPS queue. CUPS_SERVER chooses the scheduler, as for every
// CUPS client.
#include <cups/cups.h>

#include <QPageSize>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <mutex>

#include "qt/GuiApplication.h"
#include "qt/PdfPageWriter.h"
#include "win32/Codepage.h"
#include "win32/PrintBackend.h"

namespace layer {
namespace {

int TenthsOfMillimetre(double millimetres) { return static_cast<int>(std::lround(millimetres * 10)); }

PrinterDescription Describe(const QPrinterInfo& info) {
  PrinterDescription printer;
  printer.queue = info.printerName().toStdString();
  printer.name = Utf8ToCp1252(printer.queue);
  printer.port = "CUPS:";
  printer.location = Utf8ToCp1252(info.location().toStdString());
  printer.comment = Utf8ToCp1252(info.description().toStdString());
  printer.model = Utf8ToCp1252(info.makeAndModel().toStdString());
  printer.color = info.supportedColorModes().contains(QPrinter::Color);
  printer.maxCopies = 999;
  printer.collates = true;
  for (const QPageSize& size : info.supportedPageSizes()) {
    int id = size.windowsId();
    if (id <= 0 || id >= DMPAPER_USER) continue;
    QSizeF millimetres = size.size(QPageSize::Millimeter);
    printer.papers.push_back(PaperSize{static_cast<short>(id), TenthsOfMillimetre(millimetres.width()),
                                       TenthsOfMillimetre(millimetres.height())});
  }
  if (printer.papers.empty()) printer.papers.push_back(PaperSize{});
  int preferred = info.defaultPageSize().windowsId();
  auto offered = [&](int id) {
    return std::any_of(printer.papers.begin(), printer.papers.end(), [&](const PaperSize& p) { return p.id == id; });
  };
  printer.defaultPaper = offered(preferred) ? static_cast<short>(preferred) : printer.papers.front().id;
  for (int resolution : info.supportedResolutions())
    if (resolution > 0) printer.resolutions.push_back(resolution);
  std::sort(printer.resolutions.begin(), printer.resolutions.end());
  printer.resolutions.erase(std::unique(printer.resolutions.begin(), printer.resolutions.end()), printer.resolutions.end());
  if (printer.resolutions.empty()) printer.resolutions = {300};
  // 600 dots per inch where the printer has it, else the finest below, else its coarsest.
  printer.defaultResolution = printer.resolutions.front();
  for (int resolution : printer.resolutions)
    if (resolution <= 600) printer.defaultResolution = resolution;
  return printer;
}

// The media a CUPS queue is asked for: a standard name, or a size of its own.
std::string MediaOf(const PaperSize& paper) {
  switch (paper.id) {
    case DMPAPER_A3: return "A3";
    case DMPAPER_A4: return "A4";
    case DMPAPER_A5: return "A5";
    case DMPAPER_LETTER: return "Letter";
    case DMPAPER_LEGAL: return "Legal";
    case DMPAPER_EXECUTIVE: return "Executive";
    default: {
      char custom[64];
      std::snprintf(custom, sizeof custom, "Custom.%gx%gmm", paper.width / 10.0, paper.height / 10.0);
      return custom;
    }
  }
}

class QtPrintBackend : public PrintBackend {
 public:
  std::vector<PrinterDescription> SystemPrinters() override {
    if (!EnsureGuiApplication()) return {};
    std::vector<PrinterDescription> printers;
    std::lock_guard<std::mutex> hold(m_lock);
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
      std::string queue = name.toStdString();
      // What a printer can do is asked once: it may mean fetching its driver description.
      auto known = m_described.find(queue);
      if (known == m_described.end())
        known = m_described.emplace(queue, Describe(QPrinterInfo::printerInfo(name))).first;
      printers.push_back(known->second);
    }
    return printers;
  }

  std::string SystemDefaultPrinter() override {
    if (!EnsureGuiApplication()) return "";
    return Utf8ToCp1252(QPrinterInfo::defaultPrinterName().toStdString());
  }

  std::unique_ptr<PageWriter> WriteDocument(const std::string& hostPath, const std::string& title) override {
    return PdfPageWriter::Open(hostPath, title);
  }

  bool Submit(const PrinterDescription& printer, const std::string& hostPath, const JobSettings& settings,
              std::string* reason) override {
    cups_option_t* options = nullptr;
    int count = 0;
    count = cupsAddOption("copies", std::to_string(std::max(settings.copies, 1)).c_str(), count, &options);
    count = cupsAddOption("collate", settings.collate ? "true" : "false", count, &options);
    count = cupsAddOption("media", MediaOf(settings.paper).c_str(), count, &options);
    int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.queue.c_str(), hostPath.c_str(), settings.title.c_str(), count,
                             options);
    cupsFreeOptions(count, options);
    if (job == 0 && reason) *reason = cupsLastErrorString();
    return job != 0;
  }

  std::string DocumentsFolder() override {
    if (const char* chosen = std::getenv("VARNO_PDF_FOLDER"); chosen && *chosen) return chosen;
    if (EnsureGuiApplication()) {
      QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
      if (!documents.isEmpty()) return documents.toStdString();
    }
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/tmp";
  }

 private:
  std::mutex m_lock;
  std::map<std::string, PrinterDescription> m_described;
};

}  // namespace
}  // namespace layer

// What the layer looks up when it loads this library at the first use of a
// printer. The backend lives as long as the process.
extern "C" __attribute__((visibility("default"))) layer::PrintBackend* VarnoPrintBackend() {
  static auto* backend = new layer::QtPrintBackend;
  return backend;
}
