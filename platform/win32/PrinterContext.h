// The spooler's side of a printer device context: the printer and its
// settings, and the document being written page by page - to a file the
// caller names, to the PDF printer's folder, or to a queue of the desktop's
// printing service once the document is complete (not for the system's code).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "win32/Printers.h"

namespace layer {

class PrinterContext : public VectorTarget {
 public:
  PrinterContext(PrinterDescription printer, const DEVMODE& mode, std::string port, bool informationOnly);
  ~PrinterContext() override;

  const PrinterDescription& Printer() const { return m_printer; }
  const DEVMODE& Mode() const { return m_mode; }
  DeviceCaps Caps() const { return CapsOf(m_printer, m_mode); }

  // New settings for the pages to come; false while a page is open or for a
  // mode that is none.
  bool Reset(const DEVMODE* mode);
  void SetAbortProcedure(ABORTPROC procedure) { m_abortProcedure = procedure; }
  // The context came from a print dialog a person answered: the PDF printer
  // then asks that person where the document goes.
  void SetChosenByPerson() { m_chosenByPerson = true; }

  // The document calls with the spooler's results (SP_* below zero).
  int StartDocument(HDC dc, const DOCINFO& info);
  int StartPage();
  int EndPage(HDC dc);
  int EndDocument(HDC dc);
  int AbortDocument();

  DWORD ContextKind() const override { return OBJ_DC; }
  bool Lines(const DeviceContext& context, const std::vector<std::vector<POINT>>& runs) override;
  bool Polygon(const DeviceContext& context, const std::vector<POINT>& points) override;
  bool Shape(const DeviceContext& context, ShapeKind kind, const RECT& box) override;
  bool Fill(const DeviceContext& context, const RECT& area, COLORREF colour) override;
  bool Invert(const DeviceContext& context, const RECT& area, InvertKind kind) override;
  bool Text(const DeviceContext& context, const TextLine& line) override;
  bool Picture(const DeviceContext& context, const PictureDraw& picture) override;
  void Released() override;

 private:
  enum class State { Idle, Document, Page, Failed };

  // Where the finished document goes; false when the caller's choice of a
  // file was cancelled.
  bool ChooseDestination(const DOCINFO& info, const std::string& title);
  // Drops the document and its partly written file; the result to report.
  int Abandon(int result);
  int WriteFailure() const;
  PageWriter* OpenPage() const { return m_state == State::Page ? m_writer.get() : nullptr; }

  PrinterDescription m_printer;
  DEVMODE m_mode;
  std::string m_port;
  bool m_informationOnly;
  bool m_chosenByPerson = false;
  ABORTPROC m_abortProcedure = nullptr;

  State m_state = State::Idle;
  std::unique_ptr<PageWriter> m_writer;
  std::string m_title;           // UTF-8
  std::string m_destination;     // host path of the finished file; empty: the printer's queue
  std::string m_partialFile;     // host path written until the document is complete
  int m_pages = 0;
  int m_job = 0;
};

// Asks for the file a document printed "to a file", or printed by a person
// to the PDF printer, goes to; returns the system path, or an empty text
// when the user cancelled.
using PrintToFilePresenter = std::function<std::string(const std::string& documentName)>;
// Installs the presenter and returns the one before (empty for the default:
// the windowing's file dialog, else a file named after the document in the
// PDF printer's folder).
PrintToFilePresenter SetPrintToFilePresenter(PrintToFilePresenter presenter);
// The file dialog the windowing shows where a person can see it; the user
// library installs it.
void SetPrintToFileWindowing(PrintToFilePresenter windowing);

// The host path of a new file named after a document in a folder, not yet
// taken: "name.pdf", "name (2).pdf" ...
std::string FreeDocumentPath(const std::string& folder, const std::string& documentName, const std::string& extension);

}  // namespace layer
