// A system profile and a PDF folder of a test's own, with the PDF printer
// as the default printer, so that printing tests neither see nor change the
// user's printers and files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "testing/TempFolder.h"
#include "win32/Printers.h"
#include "win32/Profile.h"

namespace layer::testing {

class PrinterSandbox {
 public:
  PrinterSandbox() {
    Keep("VARNO_WINDIR", m_folder / "windows", m_oldWindows, m_hadWindows);
    Keep("VARNO_PDF_FOLDER", m_folder / "pdf", m_oldPdf, m_hadPdf);
    std::string device = std::string(kPdfPrinterName) + ",winspool,PDF:";
    WriteProfileString("windows", "device", device.c_str());
  }
  ~PrinterSandbox() {
    Restore("VARNO_WINDIR", m_oldWindows, m_hadWindows);
    Restore("VARNO_PDF_FOLDER", m_oldPdf, m_hadPdf);
  }
  PrinterSandbox(const PrinterSandbox&) = delete;
  PrinterSandbox& operator=(const PrinterSandbox&) = delete;

  const TempFolder& Folder() const { return m_folder; }
  std::string PdfFolder() const { return m_folder / "pdf"; }
  // The PDF files the printer has written so far.
  std::vector<std::string> Pdfs() const {
    std::vector<std::string> files;
    if (!std::filesystem::exists(PdfFolder())) return files;
    for (const auto& entry : std::filesystem::directory_iterator(PdfFolder()))
      if (entry.path().extension() == ".pdf") files.push_back(entry.path().string());
    return files;
  }

 private:
  static void Keep(const char* name, const std::string& value, std::string& old, bool& had) {
    const char* current = std::getenv(name);
    had = current != nullptr;
    if (had) old = current;
    setenv(name, value.c_str(), 1);
  }
  static void Restore(const char* name, const std::string& old, bool had) {
    if (had) setenv(name, old.c_str(), 1);
    else unsetenv(name);
  }

  TempFolder m_folder;
  std::string m_oldWindows, m_oldPdf;
  bool m_hadWindows = false, m_hadPdf = false;
};

}  // namespace layer::testing
