// The layer's menu objects behind HMENU values (not for the system's code).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "user/Menus.h"

namespace layer::menus {

struct MenuItem {
  UINT flags = 0;  // MF_ type and state bits (MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED, MF_DEFAULT ...)
  UINT id = 0;
  std::string text;
  HMENU popup = nullptr;
  ULONG_PTR data = 0;
  bool IsPopup() const { return (flags & MF_POPUP) != 0; }
  bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
  bool IsEnabled() const { return !(flags & (MF_GRAYED | MF_DISABLED)); }
};

struct Menu {
  bool bar = false;
  std::vector<MenuItem> items;
  HWND window = nullptr;  // the window whose menu bar or system menu this is
  bool system = false;
};

std::shared_ptr<Menu> MenuOf(HMENU menu);
// The menu and position of an item: by position in the menu itself, or by
// command searched through the menu and its pop-ups (depth first).
struct Found {
  std::shared_ptr<Menu> menu;
  HMENU handle = nullptr;
  std::size_t index = 0;
};
bool FindItem(HMENU menu, UINT item, UINT flags, Found& found);
// Whether a pop-up is (or holds) the given menu.
bool Contains(HMENU menu, HMENU wanted);

// The text shown for an item: without the accelerator part after a tab.
std::string LabelOf(const MenuItem& item);
// The accelerator text after the tab ("Ctrl+O"), or "".
std::string ShortcutOf(const MenuItem& item);
// The mnemonic character of a text (the letter after a single "&"), upper
// case, or 0.
char MnemonicOf(const std::string& text);

}  // namespace layer::menus
