// The print dialog's logic: the printer and settings it starts from, what
// the user chose, and the device mode, device names and context it returns.
// Showing the dialog is the presenter's.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <utility>

#include "win32/CommDlg.h"
#include "win32/Errors.h"
#include "win32/Mbstring.h"
#include "win32/Memory.h"
#include "win32/GdiObjects.h"
#include "win32/PresenterSlot.h"
#include "win32/PrinterContext.h"
#include "win32/Printers.h"

namespace {

thread_local DWORD lastDialogError = 0;

layer::PresenterSlot<layer::PrintDialogPresenter>& Presenters() {
  static auto* slot = new layer::PresenterSlot<layer::PrintDialogPresenter>;
  return *slot;
}

void MarkChosenByPerson(HDC dc) {
  auto context = layer::ContextOf(dc);
  auto printer = context ? std::dynamic_pointer_cast<layer::PrinterContext>(context->vector) : nullptr;
  if (printer) printer->SetChosenByPerson();
}

BOOL Fail(DWORD reason) {
  lastDialogError = reason;
  return FALSE;
}

// A text of a device-names block, read only within the block.
std::optional<std::string> NameAt(const BYTE* block, std::size_t size, WORD offset) {
  if (offset < sizeof(DEVNAMES) || offset >= size) return std::nullopt;
  const void* end = std::memchr(block + offset, '\0', size - offset);
  if (!end) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(block + offset));
}

// The printer a caller's device names (or else its device mode) name.
std::optional<std::string> StartingPrinter(HGLOBAL names, HGLOBAL mode) {
  if (names) {
    std::size_t size = GlobalSize(names);
    const auto* block = static_cast<const BYTE*>(GlobalLock(names));
    std::optional<std::string> device;
    if (block && size >= sizeof(DEVNAMES))
      device = NameAt(block, size, reinterpret_cast<const DEVNAMES*>(block)->wDeviceOffset);
    GlobalUnlock(names);
    if (device && !device->empty()) return device;
  }
  if (mode) {
    std::size_t size = GlobalSize(mode);
    const auto* settings = static_cast<const DEVMODE*>(GlobalLock(mode));
    std::optional<std::string> device;
    if (settings && size >= sizeof(settings->dmDeviceName))
      device = std::string(reinterpret_cast<const char*>(settings->dmDeviceName),
                           strnlen(reinterpret_cast<const char*>(settings->dmDeviceName), CCHDEVICENAME));
    GlobalUnlock(mode);
    if (device && !device->empty()) return device;
  }
  return std::nullopt;
}

// The caller's device mode merged onto the printer's defaults; false when the
// block holds no device mode.
bool MergeCallersMode(const layer::PrinterDescription& printer, DEVMODE& settings, HGLOBAL mode) {
  if (!mode) return true;
  std::size_t size = GlobalSize(mode);
  const auto* given = static_cast<const DEVMODE*>(GlobalLock(mode));
  bool merged = false;
  if (given && size >= offsetof(DEVMODE, dmFields) + sizeof(DWORD) && given->dmSize <= size)
    merged = layer::MergeMode(printer, settings, given);
  GlobalUnlock(mode);
  return merged;
}

// Puts bytes into the caller's block (grown to fit) or a new movable block.
HGLOBAL Store(HGLOBAL block, const void* bytes, std::size_t size) {
  HGLOBAL target = block ? GlobalReAlloc(block, size, GMEM_MOVEABLE) : GlobalAlloc(GMEM_MOVEABLE, size);
  if (!target) return nullptr;
  void* at = GlobalLock(target);
  if (!at) return nullptr;
  std::memcpy(at, bytes, size);
  GlobalUnlock(target);
  return target;
}

HGLOBAL StoreNames(HGLOBAL block, const std::string& device, const std::string& port, bool isDefault) {
  const std::string driver = "winspool";
  std::vector<BYTE> bytes(sizeof(DEVNAMES));
  auto append = [&](const std::string& text) {
    WORD offset = static_cast<WORD>(bytes.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back('\0');
    return offset;
  };
  DEVNAMES names{};
  names.wDriverOffset = append(driver);
  names.wDeviceOffset = append(device);
  names.wOutputOffset = append(port);
  names.wDefault = isDefault ? DN_DEFAULTPRN : 0;
  std::memcpy(bytes.data(), &names, sizeof names);
  return Store(block, bytes.data(), bytes.size());
}

layer::PrintChoice ChoiceFor(const PRINTDLG& dialog, const std::vector<layer::PrinterDescription>& printers,
                             std::size_t chosen, const DEVMODE& settings) {
  layer::PrintChoice choice;
  for (const auto& printer : printers) choice.printers.push_back(printer.name);
  choice.printer = chosen;
  choice.mode = settings;
  bool useMode = dialog.Flags & PD_USEDEVMODECOPIESANDCOLLATE;
  choice.copies = useMode && settings.dmCopies > 1 ? settings.dmCopies : std::max<int>(dialog.nCopies, 1);
  choice.collate = (dialog.Flags & PD_COLLATE) || (useMode && settings.dmCollate == DMCOLLATE_TRUE);
  choice.printToFile = dialog.Flags & PD_PRINTTOFILE;
  choice.range = dialog.Flags & (PD_SELECTION | PD_PAGENUMS);
  choice.fromPage = dialog.nFromPage;
  choice.toPage = dialog.nToPage;
  choice.minPage = dialog.nMinPage;
  choice.maxPage = dialog.nMaxPage;
  choice.flags = dialog.Flags;
  return choice;
}

// Copies and collation go into the device mode where the printer makes
// them and the caller wants them there, else to the caller.
void HandOverCopies(PRINTDLG& dialog, const layer::PrinterDescription& printer, const layer::PrintChoice& choice,
                    DEVMODE& settings) {
  bool useMode = dialog.Flags & PD_USEDEVMODECOPIESANDCOLLATE;
  bool printerCopies = useMode && printer.maxCopies > 1;
  settings.dmCopies = static_cast<short>(printerCopies ? std::min(choice.copies, printer.maxCopies) : 1);
  dialog.nCopies = static_cast<WORD>(printerCopies ? 1 : choice.copies);
  bool printerCollates = useMode && printer.collates;
  settings.dmCollate = printerCollates && choice.collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
  dialog.Flags &= ~PD_COLLATE;
  if (choice.collate && !printerCollates) dialog.Flags |= PD_COLLATE;
}

}  // namespace

BOOL PrintDlg(LPPRINTDLG dialog) {
  lastDialogError = 0;
  if (!dialog) return Fail(CDERR_INITIALIZATION);
  if (dialog->lStructSize != sizeof(PRINTDLG)) return Fail(CDERR_STRUCTSIZE);
  bool returnDefault = dialog->Flags & PD_RETURNDEFAULT;
  if (returnDefault && (dialog->hDevMode || dialog->hDevNames)) return Fail(PDERR_RETDEFFAILURE);

  std::vector<layer::PrinterDescription> printers = layer::Printers();
  std::string defaultName = layer::DefaultPrinter().name;
  std::optional<std::string> wanted = returnDefault ? std::nullopt : StartingPrinter(dialog->hDevNames, dialog->hDevMode);
  auto indexOf = [&](const std::string& name) -> std::optional<std::size_t> {
    for (std::size_t i = 0; i < printers.size(); ++i)
      if (_stricmp(printers[i].name.c_str(), name.c_str()) == 0) return i;
    return std::nullopt;
  };
  // A printer that is gone gives way to the default one.
  std::size_t chosen = indexOf(wanted && indexOf(*wanted) ? *wanted : defaultName).value_or(0);
  DEVMODE settings = layer::DefaultMode(printers[chosen]);
  if (wanted && indexOf(*wanted) && !MergeCallersMode(printers[chosen], settings, dialog->hDevMode))
    return Fail(PDERR_GETDEVMODEFAIL);

  layer::PrintChoice choice = ChoiceFor(*dialog, printers, chosen, settings);
  if (!returnDefault) {
    layer::PrintDialogPresenter presenter = Presenters().Current();
    if (presenter && !presenter(dialog->hwndOwner, choice)) return FALSE;  // cancelled: no reason to tell
    if (choice.printer >= printers.size()) return Fail(PDERR_PRINTERNOTFOUND);
  }
  const layer::PrinterDescription& printer = printers[choice.printer];
  settings = layer::DefaultMode(printer);
  layer::MergeMode(printer, settings, &choice.mode);
  HandOverCopies(*dialog, printer, choice, settings);
  dialog->Flags &= ~(PD_PRINTTOFILE | PD_SELECTION | PD_PAGENUMS);
  if (!returnDefault) {
    if (choice.printToFile) dialog->Flags |= PD_PRINTTOFILE;
    dialog->Flags |= choice.range & (PD_SELECTION | PD_PAGENUMS);
    dialog->nFromPage = static_cast<WORD>(choice.fromPage);
    dialog->nToPage = static_cast<WORD>(choice.toPage);
  }

  std::string port = choice.printToFile && !returnDefault ? "FILE:" : printer.port;
  HGLOBAL mode = Store(dialog->hDevMode, &settings, sizeof settings);
  HGLOBAL names = mode ? StoreNames(dialog->hDevNames, printer.name, port, _stricmp(printer.name.c_str(), defaultName.c_str()) == 0)
                       : nullptr;
  if (!mode || !names) return Fail(CDERR_MEMALLOCFAILURE);
  dialog->hDevMode = mode;
  dialog->hDevNames = names;
  dialog->hDC = nullptr;
  if (dialog->Flags & (PD_RETURNDC | PD_RETURNIC)) {
    dialog->hDC = (dialog->Flags & PD_RETURNDC) ? CreateDC("winspool", printer.name.c_str(), port.c_str(), &settings)
                                                : CreateIC("winspool", printer.name.c_str(), port.c_str(), &settings);
    if (!dialog->hDC) return Fail(PDERR_CREATEICFAILURE);
    if (!returnDefault) MarkChosenByPerson(dialog->hDC);
  }
  return TRUE;
}

DWORD CommDlgExtendedError() { return lastDialogError; }

namespace layer {

PrintDialogPresenter SetPrintDialogPresenter(PrintDialogPresenter presenter) {
  return Presenters().Set(std::move(presenter));
}

void SetPrintDialogWindowing(PrintDialogPresenter windowing) { Presenters().SetWindowing(std::move(windowing)); }

void SetCommonDialogError(DWORD reason) { lastDialogError = reason; }

void SwitchPrinter(PrintChoice& choice, std::size_t printer) {
  if (printer >= choice.printers.size()) return;
  auto found = FindPrinter(choice.printers[printer]);
  if (!found) return;
  choice.printer = printer;
  choice.mode = DefaultMode(*found);
}

}  // namespace layer
