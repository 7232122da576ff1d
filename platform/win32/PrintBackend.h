// What the printing backend does for the spooler: it knows the desktop's
// printers, writes documents as PDF and hands finished documents to a
// printer's queue. Without a backend only the PDF printer exists and nothing
// can be written (not for the system's code).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "win32/GdiPrint.h"
#include "win32/GdiVector.h"

namespace layer {

struct PaperSize {
  short id = DMPAPER_A4;  // DMPAPER_*, or DMPAPER_USER for a size of its own
  int width = 2100;       // tenths of a millimetre, portrait
  int height = 2970;
};

struct PrinterDescription {
  std::string name;  // Windows-1252, as the system's code sees it
  std::string queue; // the desktop's name of the queue (UTF-8)
  std::string port;
  std::string location;
  std::string comment;
  std::string model;
  bool pdf = false;  // the layer's own printer, writing PDF files
  bool color = true;
  bool customPaper = false;  // takes any paper size within limits
  std::vector<PaperSize> papers;
  short defaultPaper = DMPAPER_A4;
  std::vector<int> resolutions;  // dots per inch, ascending
  int defaultResolution = 600;
  int maxCopies = 1;
  bool collates = false;
  // The part of the paper the printer cannot reach, tenths of a millimetre,
  // for portrait paper.
  int marginLeft = 0;
  int marginTop = 0;
  int marginRight = 0;
  int marginBottom = 0;
};

// The paper of one page as the writer lays it out.
struct PageGeometry {
  double widthMillimetres = 210;  // as the page lies (landscape pages are wider than high)
  double heightMillimetres = 297;
  int dotsPerInchX = 600;
  int dotsPerInchY = 600;
  POINT drawableOrigin{0, 0};  // where device (0, 0) is on the paper, in dots
};

// A document being written: pages one after another, each drawn through the
// vector calls in dots of its geometry.
class PageWriter : public VectorTarget {
 public:
  DWORD ContextKind() const override { return OBJ_DC; }
  virtual bool BeginPage(const PageGeometry& page) = 0;
  virtual void EndPage() = 0;
  // Completes the file; false when writing it failed.
  virtual bool Close() = 0;
  // The reason writing failed (an errno value), 0 while all went well.
  virtual int WriteError() const = 0;
};

struct JobSettings {
  std::string title;  // UTF-8
  int copies = 1;
  bool collate = false;
  PaperSize paper;
  int orientation = DMORIENT_PORTRAIT;
};

class PrintBackend {
 public:
  virtual ~PrintBackend() = default;
  virtual std::vector<PrinterDescription> SystemPrinters() = 0;
  // The desktop's default printer's name (Windows-1252), empty for none.
  virtual std::string SystemDefaultPrinter() = 0;
  // A writer of a PDF file at a host path; null when the file cannot be made.
  virtual std::unique_ptr<PageWriter> WriteDocument(const std::string& hostPath, const std::string& title) = 0;
  // Hands a finished PDF file to a printer's queue; false with a reason when
  // the queue refuses it.
  virtual bool Submit(const PrinterDescription& printer, const std::string& hostPath, const JobSettings& settings,
                      std::string* reason) = 0;
  // The folder where the PDF printer puts documents without a file of their own.
  virtual std::string DocumentsFolder() = 0;
};

// The installed backend or null; the installer keeps ownership. Returns the
// one before.
PrintBackend* CurrentPrintBackend();
PrintBackend* InstallPrintBackend(PrintBackend* backend);

}  // namespace layer
