#include "win32/PrinterContext.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/Mbstring.h"
#include "win32/Paths.h"
#include "win32/PresenterSlot.h"


namespace layer {
namespace {

std::atomic<int> lastJob{0};

PresenterSlot<PrintToFilePresenter>& FilePresenters() {
  static auto* slot = new PresenterSlot<PrintToFilePresenter>;
  return *slot;
}

// A document name as a file name: no folder separators or characters the
// platform forbids in names, not empty, not overly long.
std::string FileNameFor(const std::string& documentName) {
  std::string name;
  for (unsigned char c : documentName) {
    bool forbidden = c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
    name += forbidden ? '_' : static_cast<char>(c);
  }
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  while (!name.empty() && (name.front() == ' ' || name.front() == '.')) name.erase(name.begin());
  if (name.size() > 120) name.resize(120);
  return name.empty() ? "Document" : name;
}

// Makes an empty file beside the destination (or in the temporary folder
// for a queue) that the document is written into until it is complete.
std::string NewPartialFile(const std::string& destination) {
  std::filesystem::path folder =
      destination.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(destination).parent_path();
  std::string name = destination.empty() ? "varno-job" : "." + std::filesystem::path(destination).filename().string();
  std::string pattern = (folder / (name + ".XXXXXX")).string();
  int descriptor = mkstemp(pattern.data());
  if (descriptor < 0) return "";
  close(descriptor);
  return pattern;
}

bool IsFilePort(const std::string& port) {
  return _stricmp(port.c_str(), "FILE:") == 0;
}

int ResultForError(int error) { return error == ENOSPC || error == EFBIG ? SP_OUTOFDISK : SP_ERROR; }

}  // namespace

PrintToFilePresenter SetPrintToFilePresenter(PrintToFilePresenter presenter) {
  return FilePresenters().Set(std::move(presenter));
}

void SetPrintToFileWindowing(PrintToFilePresenter windowing) { FilePresenters().SetWindowing(std::move(windowing)); }

std::string FreeDocumentPath(const std::string& folder, const std::string& documentName, const std::string& extension) {
  std::string base = Cp1252ToUtf8(FileNameFor(documentName));
  std::string path = folder + "/" + base + extension;
  for (int copy = 2; std::filesystem::exists(path); ++copy) path = folder + "/" + base + " (" + std::to_string(copy) + ")" + extension;
  return path;
}

PrinterContext::PrinterContext(PrinterDescription printer, const DEVMODE& mode, std::string port, bool informationOnly)
    : m_printer(std::move(printer)), m_mode(mode), m_port(std::move(port)), m_informationOnly(informationOnly) {}

PrinterContext::~PrinterContext() { Released(); }

void PrinterContext::Released() {
  if (m_state != State::Idle) Abandon(SP_ERROR);
  m_state = State::Idle;
}

bool PrinterContext::Reset(const DEVMODE* mode) {
  if (m_state == State::Page) return false;
  DEVMODE changed = m_mode;
  if (!MergeMode(m_printer, changed, mode)) return false;
  m_mode = changed;
  return true;
}

bool PrinterContext::ChooseDestination(const DOCINFO& info, const std::string& title) {
  std::string output = info.lpszOutput ? info.lpszOutput : "";
  PrintBackend* backend = CurrentPrintBackend();
  std::string documents = backend ? backend->DocumentsFolder() : std::filesystem::temp_directory_path().string();
  const bool personChooses = output.empty() && (IsFilePort(m_port) || (m_printer.pdf && m_chosenByPerson));
  if (IsFilePort(output) || personChooses) {
    PrintToFilePresenter presenter = FilePresenters().Current();
    if (!presenter) {
      m_destination = FreeDocumentPath(documents, title, ".pdf");
      return true;
    }
    std::string chosen = presenter(title);
    if (chosen.empty()) return false;
    m_destination = HostPath(chosen);
    return true;
  }
  if (!output.empty()) m_destination = HostPath(output);
  else if (m_printer.pdf) m_destination = FreeDocumentPath(documents, title, ".pdf");
  else m_destination.clear();  // the printer's queue
  return true;
}

int PrinterContext::StartDocument(HDC, const DOCINFO& info) {
  if (m_informationOnly || m_state == State::Document || m_state == State::Page) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return SP_ERROR;
  }
  PrintBackend* backend = CurrentPrintBackend();
  if (!backend) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return SP_ERROR;
  }
  std::string documentName = info.lpszDocName ? info.lpszDocName : "";
  m_title = Cp1252ToUtf8(documentName);
  if (!ChooseDestination(info, documentName.empty() ? "Document" : documentName)) {
    SetLastError(ERROR_CANCELLED);
    return SP_ERROR;
  }
  if (!m_destination.empty()) std::filesystem::create_directories(std::filesystem::path(m_destination).parent_path());
  m_partialFile = NewPartialFile(m_destination);
  if (m_partialFile.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return SP_ERROR;
  }
  m_writer = backend->WriteDocument(m_partialFile, m_title);
  if (!m_writer) {
    std::filesystem::remove(m_partialFile);
    SetLastError(ERROR_WRITE_FAULT);
    return SP_ERROR;
  }
  m_state = State::Document;
  m_pages = 0;
  m_job = ++lastJob;
  return m_job;
}

int PrinterContext::StartPage() {
  if (m_state != State::Document) {
    SetLastError(ERROR_SPL_NO_STARTDOC);
    return SP_ERROR;
  }
  // Beginning a page writes the one before: a full disk shows here at the latest.
  if (!m_writer->BeginPage(GeometryOf(m_printer, m_mode))) return Abandon(SP_ERROR);
  if (int failure = WriteFailure()) return Abandon(failure);
  m_state = State::Page;
  return 1;
}

int PrinterContext::EndPage(HDC dc) {
  if (m_state != State::Page) {
    SetLastError(ERROR_SPL_NO_STARTDOC);
    return SP_ERROR;
  }
  m_writer->EndPage();
  ++m_pages;
  m_state = State::Document;
  if (m_abortProcedure && !m_abortProcedure(dc, 0)) return Abandon(SP_APPABORT);
  if (int failure = WriteFailure()) return Abandon(failure);
  return 1;
}

int PrinterContext::EndDocument(HDC dc) {
  if (m_state == State::Page) {
    if (int result = EndPage(dc); result < 0) return result;
  }
  if (m_state != State::Document) {
    SetLastError(ERROR_SPL_NO_STARTDOC);
    return SP_ERROR;
  }
  if (m_pages == 0) return Abandon(1);  // an empty document prints nothing
  if (!m_writer->Close()) return Abandon(ResultForError(m_writer->WriteError()));
  m_writer.reset();
  std::error_code failed;
  if (!m_destination.empty()) {
    std::filesystem::rename(m_partialFile, m_destination, failed);
    if (failed) return Abandon(SP_ERROR);
  } else {
    JobSettings settings{m_title, m_mode.dmCopies, m_mode.dmCollate == DMCOLLATE_TRUE, PaperOf(m_mode), m_mode.dmOrientation};
    std::string reason;
    PrintBackend* backend = CurrentPrintBackend();
    bool submitted = backend && backend->Submit(m_printer, m_partialFile, settings, &reason);
    if (!submitted) {
      SetLastError(ERROR_INVALID_PRINTER_STATE);
      return Abandon(SP_ERROR);
    }
    std::filesystem::remove(m_partialFile, failed);
  }
  m_partialFile.clear();
  m_state = State::Idle;
  return m_job;
}

int PrinterContext::AbortDocument() {
  if (m_state == State::Idle) {
    SetLastError(ERROR_SPL_NO_STARTDOC);
    return SP_ERROR;
  }
  Abandon(1);
  m_state = State::Idle;
  return 1;
}

int PrinterContext::WriteFailure() const {
  int error = m_writer ? m_writer->WriteError() : 0;
  return error ? ResultForError(error) : 0;
}

int PrinterContext::Abandon(int result) {
  m_writer.reset();
  if (!m_partialFile.empty()) {
    std::error_code ignored;
    std::filesystem::remove(m_partialFile, ignored);
    m_partialFile.clear();
  }
  m_state = result > 0 ? State::Idle : State::Failed;
  if (result == SP_OUTOFDISK) SetLastError(ERROR_DISK_FULL);
  else if (result == SP_APPABORT) SetLastError(ERROR_PRINT_CANCELLED);
  return result;
}

bool PrinterContext::Lines(const DeviceContext& context, const std::vector<std::vector<POINT>>& runs) {
  PageWriter* page = OpenPage();
  return page && page->Lines(context, runs);
}
bool PrinterContext::Polygon(const DeviceContext& context, const std::vector<POINT>& points) {
  PageWriter* page = OpenPage();
  return page && page->Polygon(context, points);
}
bool PrinterContext::Shape(const DeviceContext& context, ShapeKind kind, const RECT& box) {
  PageWriter* page = OpenPage();
  return page && page->Shape(context, kind, box);
}
bool PrinterContext::Fill(const DeviceContext& context, const RECT& area, COLORREF colour) {
  PageWriter* page = OpenPage();
  return page && page->Fill(context, area, colour);
}
bool PrinterContext::Invert(const DeviceContext& context, const RECT& area, InvertKind kind) {
  PageWriter* page = OpenPage();
  return page && page->Invert(context, area, kind);
}
bool PrinterContext::Text(const DeviceContext& context, const TextLine& line) {
  PageWriter* page = OpenPage();
  return page && page->Text(context, line);
}
bool PrinterContext::Picture(const DeviceContext& context, const PictureDraw& picture) {
  PageWriter* page = OpenPage();
  return page && page->Picture(context, picture);
}

}  // namespace layer
