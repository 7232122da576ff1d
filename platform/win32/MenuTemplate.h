// Menu templates (the plain form and the extended one, version 1) and
// accelerator tables as their resources store them, read into records.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "win32/Types.h"

namespace layer {

struct MenuItemTemplate {
  UINT flags = 0;  // MF_* of the plain form (MF_POPUP, MF_SEPARATOR, MF_GRAYED ...), without MF_END
  UINT id = 0;
  std::string text;
  std::vector<MenuItemTemplate> children;  // a pop-up's items
};

// Reads a menu template of at most size bytes into its top items; false,
// with the reason in error (when given), when it is damaged.
bool ReadMenuTemplate(const void* data, std::size_t size, std::vector<MenuItemTemplate>& items,
                      std::string* error = nullptr);

struct AcceleratorEntry {
  BYTE flags = 0;  // FVIRTKEY, FSHIFT, FCONTROL, FALT, FNOINVERT
  WORD key = 0;
  WORD command = 0;
};

// Reads an accelerator resource (8-byte entries, the last one marked).
bool ReadAcceleratorResource(const void* data, std::size_t size, std::vector<AcceleratorEntry>& entries,
                             std::string* error = nullptr);

// The texts of a string-table block (16 counted UTF-16 texts); false when the
// block is cut short.
bool ReadStringBlock(const void* data, std::size_t size, std::vector<std::string>& texts);

}  // namespace layer
