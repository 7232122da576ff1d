#include "VodPrinter.h"

#include <algorithm>
#include <cstring>

#include "VodContext.h"
#include "VodReport.h"
#include "VodSettings.h"
#include "VodStrings.h"
#include "VodUi.h"
#include "res/resource.h"
#include "user/Dialogs.h"
#include "win32/Errors.h"
#include "win32/GdiPrint.h"
#include "win32/Memory.h"
#include "win32/Profile.h"
#include "win32/UserWindows.h"

namespace vod {
namespace {

constexpr size_t kNameLimit = 160;
constexpr size_t kShortestDevicesEntry = 10;

void CopyName(const std::string& name, char* buffer) {
  if (!buffer) return;
  size_t n = std::min(name.size(), kNameLimit - 1);
  std::memcpy(buffer, name.data(), n);
  buffer[n] = '\0';
}

std::string Field(const char* block, WORD offset) { return offset ? block + offset : ""; }

// The device mode a block holds; what the block lacks stays zero.
DEVMODE ModeOf(HGLOBAL block) {
  DEVMODE mode{};
  std::memcpy(&mode, GlobalLock(block), std::min<size_t>(sizeof mode, GlobalSize(block)));
  GlobalUnlock(block);
  return mode;
}

HGLOBAL BlockOf(const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  std::memcpy(GlobalLock(block), bytes, size);
  GlobalUnlock(block);
  return block;
}

// A device-names block: the three names behind the offsets, the device at 8.
HGLOBAL NamesBlock(const std::string& device, const std::string& driver, const std::string& port) {
  std::string text(sizeof(DEVNAMES), '\0');
  DEVNAMES names{};
  names.wDeviceOffset = static_cast<WORD>(text.size());
  text += device + '\0';
  names.wDriverOffset = static_cast<WORD>(text.size());
  text += driver + '\0';
  names.wOutputOffset = static_cast<WORD>(text.size());
  text += port + '\0';
  std::memcpy(text.data(), &names, sizeof names);
  return BlockOf(text.data(), text.size());
}

}  // namespace

VodPrinter::~VodPrinter() { FreeDialogData(); }

void VodPrinter::FreeDialogData() {
  if (m_devMode) GlobalFree(m_devMode);
  if (m_devNames) GlobalFree(m_devNames);
  m_devMode = m_devNames = nullptr;
}

std::optional<DEVMODE> VodPrinter::ChosenMode() const {
  if (!m_devMode) return std::nullopt;
  return ModeOf(m_devMode);
}

short VodPrinter::FormOrientation() const {
  return (m_context.orientation & 0xFF) ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE;
}

bool VodPrinter::Turn(HDC dc, short orientation) {
  if (!m_devMode) return false;
  DEVMODE mode = ModeOf(m_devMode);
  if ((mode.dmFields & DM_ORIENTATION) && mode.dmOrientation == orientation) return false;
  mode.dmOrientation = orientation;
  mode.dmFields |= DM_ORIENTATION;
  if (!ResetDC(dc, &mode)) return false;
  std::memcpy(GlobalLock(m_devMode), &mode, std::min<size_t>(sizeof mode, GlobalSize(m_devMode)));
  GlobalUnlock(m_devMode);
  return true;
}

bool VodPrinter::TakeNames(const std::string& joined) {
  size_t first = joined.find(',');
  size_t second = first == std::string::npos ? first : joined.find(',', first + 1);
  if (second == std::string::npos) return false;
  device = joined.substr(0, std::min(first, kNameLimit));
  driver = joined.substr(first + 1, std::min(second - first - 1, kNameLimit));
  port = joined.substr(second + 1, kNameLimit);
  Trim(device);
  Trim(driver);
  Trim(port);
  return !device.empty();
}

std::string VodPrinter::SystemDefault() {
  char buffer[3 * kNameLimit];
  GetProfileString("WINDOWS", "DEVICE", "", buffer, sizeof buffer);
  if (buffer[0]) return buffer;
  char keys[4096];
  GetProfileString("DEVICES", nullptr, "", keys, sizeof keys);
  if (!keys[0]) return "";
  char value[2 * kNameLimit];
  GetProfileString("DEVICES", keys, "", value, sizeof value);
  std::string entry = std::string(keys) + "," + value;
  return entry.size() >= kShortestDevicesEntry ? entry : "";
}

bool VodPrinter::Known() {
  if (TakeNames(ReadVodKey(m_context, nullptr, "Device", ""))) return true;
  return TakeNames(SystemDefault());
}

void VodPrinter::PrepareMode(DEVMODE& mode, bool forDialog) {
  const VodSettingsValues& settings = m_context.settings;
  mode.dmPaperSize = static_cast<short>(settings.userSize ? settings.paperSize
                                        : m_context.paper == 4 ? DMPAPER_A4
                                                               : DMPAPER_A3);
  mode.dmOrientation = FormOrientation();
  mode.dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
  if (forDialog) return;
  int xRes = ReadVodInt(m_context, nullptr, "PrinterXRes", 0);
  int yRes = ReadVodInt(m_context, nullptr, "PrinterYRes", 0);
  if (xRes) mode.dmPrintQuality = static_cast<short>(xRes), mode.dmFields |= DM_PRINTQUALITY;
  if (yRes) mode.dmYResolution = static_cast<short>(yRes), mode.dmFields |= DM_YRESOLUTION;
  mode.dmTTOption = static_cast<short>(ReadVodInt(m_context, nullptr, "PrintTrueTyp", 1));
  mode.dmFields |= DM_TTOPTION;
}

std::optional<DEVMODE> VodPrinter::OpenConfigured(HDC& dc) {
  dc = nullptr;
  if (!TakeNames(ReadVodKey(m_context, nullptr, "Device", ""))) return std::nullopt;
  HANDLE handle = nullptr;
  DEVMODE mode{};
  bool opened = OpenPrinter(device.data(), &handle, nullptr);
  LONG size = opened ? DocumentProperties(nullptr, handle, device.data(), nullptr, nullptr, 0) : -1;
  bool fetched = size > 0 && static_cast<size_t>(size) <= sizeof mode &&
                 DocumentProperties(nullptr, handle, device.data(), &mode, nullptr, DM_OUT_BUFFER) == IDOK;
  if (fetched) {
    PrepareMode(mode, false);
    fetched = DocumentProperties(nullptr, handle, device.data(), &mode, &mode, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK;
  }
  int error = static_cast<int>(GetLastError());
  if (opened) ClosePrinter(handle);
  if (!fetched) {
    ReportInternalError(m_context, 420, error);
    return std::nullopt;
  }
  dc = CreateDC(driver.c_str(), device.c_str(), port.c_str(), &mode);
  return mode;
}

void VodPrinter::Clear(char* deviceOut, char* driverOut, char* portOut) {
  device.clear();
  driver.clear();
  port.clear();
  CopyName("", deviceOut);
  CopyName("", driverOut);
  CopyName("", portOut);
}

HDC VodPrinter::Choose(char* deviceOut, char* driverOut, char* portOut) {
  bool retry = false;
  HDC dc = ChooseOnce(retry);
  if (!dc && retry) {
    WriteVodKey(m_context, nullptr, "Device", "Fehler");
    dc = ChooseOnce(retry);
  }
  if (!dc) {
    Clear(deviceOut, driverOut, portOut);
    return nullptr;
  }
  CopyName(device, deviceOut);
  CopyName(driver, driverOut);
  CopyName(port, portOut);
  return dc;
}

HDC VodPrinter::ChooseOnce(bool& retry) {
  retry = false;
  FreeDialogData();
  HWND dialogOwner = m_context.printDialog;
  HDC configuredDC = nullptr;
  std::optional<DEVMODE> mode = OpenConfigured(configuredDC);
  if (configuredDC) DeleteDC(configuredDC);
  PRINTDLG dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = dialogOwner;
  if (mode) {
    m_devNames = NamesBlock(device, driver, port);
  } else {
    device.clear(), driver.clear(), port.clear();
    dialog.Flags = PD_RETURNDEFAULT;
    if (!PrintDlg(&dialog)) {
      CurrentUi().MessageBox(nullptr, "Kein Drucker\nNo Printer", "VOD", BoxButtons::Ok, BoxIcon::Error);
      return nullptr;
    }
    m_devNames = dialog.hDevNames;
    mode = ModeOf(dialog.hDevMode);
    GlobalFree(dialog.hDevMode);
    TakeDialogNames();
  }
  PrepareMode(*mode, true);
  printToFile = ReadVodKey(m_context, nullptr, "PrintToFile", "FALSE") == "TRUE";
  m_devMode = BlockOf(&*mode, sizeof *mode);

  HDC dc = nullptr;
  bool isDefault = false;
  if (m_context.settings.noDialog) {
    dc = CreateDC("WINSPOOL", device.c_str(), nullptr, &*mode);
    if (!dc) {
      ReportErrorInt(m_context, 114, static_cast<int>(GetLastError()));
      if (m_context.jobState == kJobRunning) m_context.jobState = kJobError;
      return nullptr;
    }
  } else {
    HWND owner = m_context.asyncDialog ? m_context.owner : nullptr;
    if (owner) EnableWindow(owner, FALSE);
    if (dialogOwner) SetWindowPos(dialogOwner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    dialog.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE |
                   (printToFile ? PD_PRINTTOFILE : 0);
    dialog.hDevMode = m_devMode;
    dialog.hDevNames = m_devNames;
    LeaveContext();
    BOOL chosen = PrintDlg(&dialog);
    EnterContext();
    if (dialogOwner) SetWindowPos(dialogOwner, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (owner) EnableWindow(owner, TRUE);
    m_devMode = dialog.hDevMode;
    m_devNames = dialog.hDevNames;
    if (!chosen) {
      DWORD reason = CommDlgExtendedError();
      if (reason) {
        retry = true;
        ReportErrorInt(m_context, 113, static_cast<int>(reason));
        if (m_context.jobState == kJobRunning) m_context.jobState = kJobError;
      } else if (m_context.jobState == kJobRunning) {
        m_context.jobState = kJobCancelled;
      }
      return nullptr;
    }
    dc = dialog.hDC;
    printToFile = (dialog.Flags & PD_PRINTTOFILE) != 0;
  }
  Remember(dc);
  isDefault = (static_cast<const DEVNAMES*>(GlobalLock(m_devNames))->wDefault & DN_DEFAULTPRN) != 0;
  GlobalUnlock(m_devNames);
  WriteVodKey(m_context, nullptr, "Device",
              isDefault ? "Default" : (device + "," + driver + "," + port).c_str());
  if (m_context.printDialog)
    SetDlgItemText(m_context.printDialog, IDC_VOD_DEVICE,
                   FormatMessage(LoadText(m_context, 323).c_str(), isDefault ? "Default-" : "", device.c_str(),
                                 port.c_str()).c_str());
  return dc;
}

void VodPrinter::TakeDialogNames() {
  const char* names = static_cast<const char*>(GlobalLock(m_devNames));
  const auto* offsets = reinterpret_cast<const DEVNAMES*>(names);
  device = Field(names, offsets->wDeviceOffset);
  driver = Field(names, offsets->wDriverOffset);
  port = Field(names, offsets->wOutputOffset);
  GlobalUnlock(m_devNames);
}

void VodPrinter::Remember(HDC dc) {
  WriteVodKey(m_context, nullptr, "PrintToFile", printToFile ? "TRUE" : "FALSE");
  TakeDialogNames();
  std::optional<DEVMODE> mode = ChosenMode();
  if (!mode) return;
  auto write = [this](const char* key, int value) {
    WriteVodKey(m_context, nullptr, key, std::to_string(value).c_str());
  };
  if (mode->dmFields & DM_PAPERSIZE) write("PaperSize", mode->dmPaperSize);
  if (mode->dmFields & DM_ORIENTATION) write("Paperorient", mode->dmOrientation);
  if (mode->dmFields & DM_YRESOLUTION) {
    write("PrinterXRes", mode->dmPrintQuality);
    write("PrinterYRes", mode->dmYResolution);
  }
  if (mode->dmFields & DM_TTOPTION) write("PrintTrueTyp", mode->dmTTOption);
  ResetDC(dc, &*mode);
}

}  // namespace vod
