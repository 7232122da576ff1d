// What a print dialog hands back in its global memory blocks: the printer's
// names and its device mode, read for a test's checks.
#pragma once

#include <cstring>
#include <string>

#include "win32/CommDlg.h"
#include "win32/Memory.h"

namespace layer::testing {

struct PrinterNames {
  std::string driver, device, port;
  WORD isDefault = 0;
};

inline PrinterNames NamesOf(HGLOBAL block) {
  auto* names = static_cast<const DEVNAMES*>(GlobalLock(block));
  const char* text = reinterpret_cast<const char*>(names);
  PrinterNames result{text + names->wDriverOffset, text + names->wDeviceOffset, text + names->wOutputOffset, names->wDefault};
  GlobalUnlock(block);
  return result;
}

inline DEVMODE ModeOf(HGLOBAL block) {
  DEVMODE mode;
  std::memcpy(&mode, GlobalLock(block), sizeof mode);
  GlobalUnlock(block);
  return mode;
}

}  // namespace layer::testing
