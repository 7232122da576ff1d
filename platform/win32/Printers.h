// The printers the spooler offers: the desktop's printers from the printing
// backend and the layer's PDF printer, which is always there (not for the
// system's code).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/DeviceCaps.h"
#include "win32/PrintBackend.h"

namespace layer {

// The name of the printer that writes PDF files.
extern const char* const kPdfPrinterName;

PrinterDescription PdfPrinter();
// Every printer: the desktop's, then the PDF printer.
std::vector<PrinterDescription> Printers();
// A printer by name, compared without regard to case.
std::optional<PrinterDescription> FindPrinter(std::string_view name);
// The default printer: the one the system profile names when it exists, else
// the desktop's default, else the desktop's first printer, else the PDF printer.
PrinterDescription DefaultPrinter();

// Device modes of a printer.
DEVMODE DefaultMode(const PrinterDescription& printer);
// Applies the fields an input mode marks onto a mode, each only as far as the
// printer can do it; reads no byte of the input past its dmSize. False when
// the input is no device mode.
bool MergeMode(const PrinterDescription& printer, DEVMODE& mode, const DEVMODE* input);
PaperSize PaperOf(const DEVMODE& mode);
// A paper's name as people know it ("A4", "Letter"), else its size in millimetres.
std::string PaperName(const PaperSize& paper);
PageGeometry GeometryOf(const PrinterDescription& printer, const DEVMODE& mode);
DeviceCaps CapsOf(const PrinterDescription& printer, const DEVMODE& mode);

}  // namespace layer
