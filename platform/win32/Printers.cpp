// The spooler's printers and printer handles.
#include "win32/Printers.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "win32/Errors.h"
#include "win32/LibraryBesideLayer.h"
#include "win32/Mbstring.h"
#include "win32/MessageBox.h"
#include "win32/PresenterSlot.h"
#include "win32/Profile.h"

namespace layer {

const char* const kPdfPrinterName = "PDF file";

namespace {

std::atomic<PrintBackend*> installedBackend{nullptr};

// The desktop's printing backend lives in a library of its own beside the
// layer's, loaded when printing is first asked for: a program that never
// prints does not load the printing system's libraries at its start.
constexpr const char* kBackendLibrary = "liblayer_print.so";
constexpr const char* kBackendEntry = "VarnoPrintBackend";

void LoadBackendOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    void* library = dlopen(LibraryBesideLayer(kBackendLibrary).c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!library) return;  // without it only the PDF printer exists
    auto entry = reinterpret_cast<PrintBackend* (*)()>(dlsym(library, kBackendEntry));
    PrintBackend* none = nullptr;
    if (entry) installedBackend.compare_exchange_strong(none, entry());
  });
}

bool SameName(std::string_view a, std::string_view b) {
  std::string left(a), right(b);
  return _mbsicmp(reinterpret_cast<const unsigned char*>(left.c_str()),
                  reinterpret_cast<const unsigned char*>(right.c_str())) == 0;
}

PresenterSlot<PrinterPropertiesPresenter>& PropertiesPresenters() {
  static auto* slot = new PresenterSlot<PrinterPropertiesPresenter>;
  return *slot;
}

// What a printer handle stands for.
struct OpenedPrinter {
  PrinterDescription printer;
  DEVMODE mode;
};

class PrinterHandles {
 public:
  HANDLE Add(OpenedPrinter opened) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_next += 4;
    m_open.emplace(m_next, std::move(opened));
    return reinterpret_cast<HANDLE>(m_next);
  }
  std::optional<OpenedPrinter> Find(HANDLE handle) {
    std::lock_guard<std::mutex> hold(m_lock);
    auto found = m_open.find(reinterpret_cast<UINT_PTR>(handle));
    if (found == m_open.end()) return std::nullopt;
    return found->second;
  }
  bool Remove(HANDLE handle) {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_open.erase(reinterpret_cast<UINT_PTR>(handle)) == 1;
  }

 private:
  std::mutex m_lock;
  UINT_PTR m_next = 0x00500000;
  std::map<UINT_PTR, OpenedPrinter> m_open;
};

PrinterHandles& Handles() {
  static auto* handles = new PrinterHandles;
  return *handles;
}

}  // namespace

PrintBackend* CurrentPrintBackend() {
  LoadBackendOnce();
  return installedBackend.load();
}

// The desktop's backend is loaded first, so that the one installed in its
// place hands it back.
PrintBackend* InstallPrintBackend(PrintBackend* backend) {
  LoadBackendOnce();
  return installedBackend.exchange(backend);
}

PrinterPropertiesPresenter SetPrinterPropertiesPresenter(PrinterPropertiesPresenter presenter) {
  return PropertiesPresenters().Set(std::move(presenter));
}

void SetPrinterPropertiesWindowing(PrinterPropertiesPresenter windowing) {
  PropertiesPresenters().SetWindowing(std::move(windowing));
}

PrinterDescription PdfPrinter() {
  PrinterDescription printer;
  printer.name = kPdfPrinterName;
  printer.port = "PDF:";
  printer.comment = "Writes PDF files";
  printer.model = "PDF";
  printer.pdf = true;
  printer.customPaper = true;
  printer.papers = {{DMPAPER_A4, 2100, 2970}, {DMPAPER_A3, 2970, 4200},      {DMPAPER_A5, 1480, 2100},
                    {DMPAPER_LETTER, 2159, 2794}, {DMPAPER_LEGAL, 2159, 3556}, {DMPAPER_EXECUTIVE, 1841, 2667},
                    {DMPAPER_B4, 2500, 3530}, {DMPAPER_B5, 1820, 2570}};
  printer.resolutions = {72, 150, 300, 600, 1200};
  printer.defaultResolution = 600;
  return printer;
}

std::vector<PrinterDescription> Printers() {
  std::vector<PrinterDescription> printers;
  if (PrintBackend* backend = CurrentPrintBackend()) printers = backend->SystemPrinters();
  // A desktop printer of the same name as the layer's hides it.
  if (std::none_of(printers.begin(), printers.end(), [](const auto& p) { return SameName(p.name, kPdfPrinterName); }))
    printers.push_back(PdfPrinter());
  return printers;
}

std::optional<PrinterDescription> FindPrinter(std::string_view name) {
  for (PrinterDescription& printer : Printers())
    if (SameName(printer.name, name)) return std::move(printer);
  return std::nullopt;
}

PrinterDescription DefaultPrinter() {
  std::vector<PrinterDescription> printers = Printers();
  auto named = [&](std::string_view name) -> const PrinterDescription* {
    for (const PrinterDescription& printer : printers)
      if (!name.empty() && SameName(printer.name, name)) return &printer;
    return nullptr;
  };
  std::string stored = ProfileFileValue("windows", "device");
  if (const PrinterDescription* chosen = named(stored.substr(0, stored.find(',')))) return *chosen;
  if (PrintBackend* backend = CurrentPrintBackend()) {
    if (const PrinterDescription* chosen = named(backend->SystemDefaultPrinter())) return *chosen;
  }
  return printers.front();  // the desktop's first printer, else the PDF printer
}

}  // namespace layer

namespace {

// Lays records out at the front of a buffer and their texts behind them;
// without a buffer it only counts the bytes.
class RecordWriter {
 public:
  RecordWriter(LPBYTE buffer, std::size_t recordBytes) : m_buffer(buffer), m_next(recordBytes) {}

  LPSTR Text(const std::string& text) {
    std::size_t at = Take(text.size() + 1, 1);
    if (!m_buffer) return nullptr;
    std::memcpy(m_buffer + at, text.c_str(), text.size() + 1);
    return reinterpret_cast<LPSTR>(m_buffer + at);
  }
  LPDEVMODE Mode(const DEVMODE& mode) {
    std::size_t at = Take(sizeof mode, alignof(DEVMODE));
    if (!m_buffer) return nullptr;
    std::memcpy(m_buffer + at, &mode, sizeof mode);
    return reinterpret_cast<LPDEVMODE>(m_buffer + at);
  }
  std::size_t End() const { return m_next; }

 private:
  std::size_t Take(std::size_t bytes, std::size_t alignment) {
    m_next = (m_next + alignment - 1) / alignment * alignment;
    std::size_t at = m_next;
    m_next += bytes;
    return at;
  }

  LPBYTE m_buffer;
  std::size_t m_next;
};

std::size_t RecordSize(DWORD level) {
  switch (level) {
    case 1: return sizeof(PRINTER_INFO_1);
    case 2: return sizeof(PRINTER_INFO_2);
    case 4: return sizeof(PRINTER_INFO_4);
    case 5: return sizeof(PRINTER_INFO_5);
    default: return 0;
  }
}

// Fills one record at a level (or only measures its texts without a buffer).
void Describe(const layer::PrinterDescription& printer, bool isDefault, DWORD level, LPBYTE record, RecordWriter& texts) {
  DWORD attributes = PRINTER_ATTRIBUTE_LOCAL | (isDefault ? PRINTER_ATTRIBUTE_DEFAULT : 0);
  switch (level) {
    case 1: {
      PRINTER_INFO_1 info{0x00800000u, texts.Text(printer.name + "," + printer.model + "," + printer.location),
                          texts.Text(printer.name), texts.Text(printer.comment)};
      if (record) std::memcpy(record, &info, sizeof info);
      break;
    }
    case 2: {
      PRINTER_INFO_2 info{};
      info.pPrinterName = texts.Text(printer.name);
      info.pShareName = texts.Text("");
      info.pPortName = texts.Text(printer.port);
      info.pDriverName = texts.Text(printer.model);
      info.pComment = texts.Text(printer.comment);
      info.pLocation = texts.Text(printer.location);
      info.pPrintProcessor = texts.Text("winprint");
      info.pDatatype = texts.Text("RAW");
      info.pDevMode = texts.Mode(layer::DefaultMode(printer));
      info.Attributes = attributes;
      info.Priority = info.DefaultPriority = 1;
      if (record) std::memcpy(record, &info, sizeof info);
      break;
    }
    case 4: {
      PRINTER_INFO_4 info{texts.Text(printer.name), nullptr, attributes};
      if (record) std::memcpy(record, &info, sizeof info);
      break;
    }
    default: {
      PRINTER_INFO_5 info{texts.Text(printer.name), texts.Text(printer.port), attributes, 15000, 45000};
      if (record) std::memcpy(record, &info, sizeof info);
      break;
    }
  }
}

}  // namespace

BOOL EnumPrinters(DWORD flags, LPSTR, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
  std::size_t recordBytes = RecordSize(level);
  if (!recordBytes) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  if (!needed || !returned) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  layer::PrinterDescription defaultPrinter = layer::DefaultPrinter();
  std::vector<layer::PrinterDescription> printers =
      (flags & PRINTER_ENUM_DEFAULT) ? std::vector<layer::PrinterDescription>{defaultPrinter} : layer::Printers();
  auto describeAll = [&](LPBYTE into) {
    RecordWriter texts(into, printers.size() * recordBytes);
    for (std::size_t i = 0; i < printers.size(); ++i) {
      bool isDefault = printers[i].name == defaultPrinter.name;
      Describe(printers[i], isDefault, level, into ? into + i * recordBytes : nullptr, texts);
    }
    return texts.End();
  };
  std::size_t total = describeAll(nullptr);
  *needed = static_cast<DWORD>(total);
  *returned = 0;
  if (!buffer || size < total) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  describeAll(buffer);
  *returned = static_cast<DWORD>(printers.size());
  return TRUE;
}

BOOL GetDefaultPrinter(LPSTR buffer, LPDWORD size) {
  if (!size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string name = layer::DefaultPrinter().name;
  if (!buffer || *size < name.size() + 1) {
    *size = static_cast<DWORD>(name.size() + 1);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *size = static_cast<DWORD>(name.size() + 1);
  return TRUE;
}

BOOL OpenPrinter(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTS defaults) {
  if (!printer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *printer = nullptr;
  auto found = name ? layer::FindPrinter(name) : std::nullopt;
  if (!found) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return FALSE;
  }
  DEVMODE mode = layer::DefaultMode(*found);
  if (defaults && defaults->pDevMode && !layer::MergeMode(*found, mode, defaults->pDevMode)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *printer = layer::Handles().Add(layer::OpenedPrinter{std::move(*found), mode});
  return TRUE;
}

BOOL ClosePrinter(HANDLE printer) {
  if (layer::Handles().Remove(printer)) return TRUE;
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

LONG DocumentProperties(HWND owner, HANDLE printer, LPSTR, PDEVMODE output, PDEVMODE input, DWORD mode) {
  auto opened = layer::Handles().Find(printer);
  if (!opened) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  if (mode == 0) return static_cast<LONG>(sizeof(DEVMODE));
  DEVMODE settings = opened->mode;
  if ((mode & DM_IN_BUFFER) && input && !layer::MergeMode(opened->printer, settings, input)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if ((mode & DM_OUT_BUFFER) && !output) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (mode & DM_IN_PROMPT) {
    layer::PrinterPropertiesPresenter presenter = layer::PropertiesPresenters().Current();
    DEVMODE shown = settings;
    if (presenter && !presenter(owner, opened->printer.name, shown)) return IDCANCEL;
    // What the user changed is taken as far as the printer can do it.
    if (!layer::MergeMode(opened->printer, settings, &shown)) return -1;
  }
  if (mode & DM_OUT_BUFFER) std::memcpy(output, &settings, sizeof settings);
  return IDOK;
}
