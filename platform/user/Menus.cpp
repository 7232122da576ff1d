// Menu objects: made empty or from templates, changed and asked item by item.
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>

#include "user/MenuInternal.h"
#include "win32/Codepage.h"
#include "win32/Errors.h"
#include "win32/Resources.h"

#ifndef ERROR_INVALID_MENU_HANDLE
#define ERROR_INVALID_MENU_HANDLE 1401L
#endif
#ifndef ERROR_MENU_ITEM_NOT_FOUND
#define ERROR_MENU_ITEM_NOT_FOUND 1456L
#endif

namespace layer::menus {
namespace {

constexpr std::size_t kUntoldSize = 1u << 20;
constexpr UINT kTypeBits = MF_SEPARATOR | MF_POPUP | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK | MF_HELP;
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT | MF_HILITE;

std::mutex menusMutex;
std::map<UINT_PTR, std::shared_ptr<Menu>>& Menus() {
  static auto* menus = new std::map<UINT_PTR, std::shared_ptr<Menu>>;
  return *menus;
}

HMENU AddMenu(bool bar) {
  static UINT_PTR next = 0x00300000;
  auto menu = std::make_shared<Menu>();
  menu->bar = bar;
  std::lock_guard<std::mutex> lock(menusMutex);
  next += 4;
  Menus()[next] = menu;
  return reinterpret_cast<HMENU>(next);
}

std::shared_ptr<Menu> Checked(HMENU handle) {
  auto menu = MenuOf(handle);
  if (!menu) SetLastError(ERROR_INVALID_MENU_HANDLE);
  return menu;
}

bool FindByCommand(HMENU handle, UINT id, Found& found, int depth) {
  auto menu = MenuOf(handle);
  if (!menu || depth > 32) return false;
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (item.IsPopup()) {
      if (FindByCommand(item.popup, id, found, depth + 1)) return true;
    } else if (item.id == id && !item.IsSeparator()) {
      found = Found{menu, handle, i};
      return true;
    }
  }
  // A pop-up can be found by its own handle given as a command, as on the platform.
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    if (menu->items[i].IsPopup() && reinterpret_cast<UINT_PTR>(menu->items[i].popup) == id) {
      found = Found{menu, handle, i};
      return true;
    }
  }
  return false;
}

// The item that flags and idOrPopup describe.
MenuItem ItemFrom(UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  MenuItem item;
  item.flags = flags & (kTypeBits | kStateBits);
  if (flags & MF_POPUP) item.popup = reinterpret_cast<HMENU>(idOrPopup);
  else item.id = static_cast<UINT>(idOrPopup);
  if (!(flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && text) item.text = text;
  if (flags & MF_OWNERDRAW) item.data = reinterpret_cast<ULONG_PTR>(text);
  // An item without text, id or pop-up is a separator, as the platform takes it.
  if (!(flags & (MF_POPUP | MF_BITMAP | MF_OWNERDRAW)) && !text && item.id == 0) item.flags |= MF_SEPARATOR;
  return item;
}

bool Place(HMENU handle, UINT position, UINT flags, MenuItem item, bool replace) {
  auto menu = Checked(handle);
  if (!menu) return false;
  if (item.IsPopup() && (!MenuOf(item.popup) || Contains(item.popup, handle))) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);  // no pop-up may hold the menu it is in
    return false;
  }
  Found found;
  if (replace) {
    if (!FindItem(handle, position, flags, found)) return false;
    MenuItem& old = found.menu->items[found.index];
    if (old.IsPopup() && old.popup != item.popup) DestroyMenu(old.popup);
    old = std::move(item);
    return true;
  }
  if ((flags & MF_BYPOSITION) || position == static_cast<UINT>(-1)) {
    std::size_t at = std::min<std::size_t>(position, menu->items.size());
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return true;
  }
  if (!FindItem(handle, position, MF_BYCOMMAND, found)) return false;
  found.menu->items.insert(found.menu->items.begin() + static_cast<std::ptrdiff_t>(found.index), std::move(item));
  return true;
}

void Build(HMENU handle, const std::vector<MenuItemTemplate>& items) {
  for (const MenuItemTemplate& item : items) {
    if (item.flags & MF_POPUP) {
      HMENU popup = CreatePopupMenu();
      Build(popup, item.children);
      AppendMenu(handle, (item.flags & (kStateBits | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP)) | MF_POPUP,
                 reinterpret_cast<UINT_PTR>(popup), item.text.c_str());
    } else if (item.flags & MF_SEPARATOR) {
      AppendMenu(handle, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenu(handle, (item.flags & (kStateBits | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP)) | MF_STRING, item.id,
                 item.text.c_str());
    }
  }
}

HMENU FromTemplate(const void* bytes, std::size_t size) {
  std::vector<MenuItemTemplate> items;
  std::string error;
  if (!ReadMenuTemplate(bytes, size, items, &error)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  HMENU menu = CreateMenu();
  Build(menu, items);
  return menu;
}

}  // namespace

std::shared_ptr<Menu> MenuOf(HMENU handle) {
  std::lock_guard<std::mutex> lock(menusMutex);
  auto found = Menus().find(reinterpret_cast<UINT_PTR>(handle));
  return found == Menus().end() ? nullptr : found->second;
}

bool FindItem(HMENU handle, UINT item, UINT flags, Found& found) {
  auto menu = Checked(handle);
  if (!menu) return false;
  if (flags & MF_BYPOSITION) {
    if (item >= menu->items.size()) {
      SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
      return false;
    }
    found = Found{menu, handle, item};
    return true;
  }
  if (FindByCommand(handle, item, found, 0)) return true;
  SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return false;
}

bool Contains(HMENU menu, HMENU wanted) {
  if (menu == wanted) return true;
  auto object = MenuOf(menu);
  if (!object) return false;
  return std::any_of(object->items.begin(), object->items.end(),
                     [wanted](const MenuItem& item) { return item.IsPopup() && Contains(item.popup, wanted); });
}

std::string LabelOf(const MenuItem& item) { return item.text.substr(0, item.text.find('\t')); }

std::string ShortcutOf(const MenuItem& item) {
  std::size_t tab = item.text.find('\t');
  return tab == std::string::npos ? "" : item.text.substr(tab + 1);
}

char MnemonicOf(const std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(Cp1252ToUpper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

}  // namespace layer::menus

using layer::menus::Found;
using layer::menus::MenuItem;

HMENU CreateMenu() { return layer::menus::AddMenu(true); }
HMENU CreatePopupMenu() { return layer::menus::AddMenu(false); }

BOOL DestroyMenu(HMENU handle) {
  std::shared_ptr<layer::menus::Menu> menu;
  {
    std::lock_guard<std::mutex> lock(layer::menus::menusMutex);
    auto found = layer::menus::Menus().find(reinterpret_cast<UINT_PTR>(handle));
    if (found == layer::menus::Menus().end()) {
      SetLastError(ERROR_INVALID_MENU_HANDLE);
      return FALSE;
    }
    menu = found->second;
    layer::menus::Menus().erase(found);
  }
  for (const MenuItem& item : menu->items)
    if (item.IsPopup()) DestroyMenu(item.popup);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return layer::menus::MenuOf(menu) ? TRUE : FALSE; }

HMENU LoadMenu(HINSTANCE module, LPCSTR name) {
  DWORD size = 0;
  const BYTE* bytes = layer::ResourceBytes(module, name, RT_MENU, &size);
  return bytes ? layer::menus::FromTemplate(bytes, size) : nullptr;
}

HMENU LoadMenuIndirect(const void* menuTemplate) {
  return menuTemplate ? layer::menus::FromTemplate(menuTemplate, layer::menus::kUntoldSize) : nullptr;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  return layer::menus::Place(menu, static_cast<UINT>(-1), MF_BYPOSITION,
                             layer::menus::ItemFrom(flags, idOrPopup, text), false);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  return layer::menus::Place(menu, position, flags, layer::menus::ItemFrom(flags, idOrPopup, text), false);
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  return layer::menus::Place(menu, position, flags, layer::menus::ItemFrom(flags, idOrPopup, text), true);
}

namespace {

BOOL Take(HMENU menu, UINT position, UINT flags, bool destroy) {
  Found found;
  if (!layer::menus::FindItem(menu, position, flags, found)) return FALSE;
  MenuItem item = found.menu->items[found.index];
  found.menu->items.erase(found.menu->items.begin() + static_cast<std::ptrdiff_t>(found.index));
  if (destroy && item.IsPopup()) DestroyMenu(item.popup);
  return TRUE;
}

// Changes state bits of an item; the old bits of the mask, or -1.
DWORD ChangeState(HMENU menu, UINT item, UINT flags, UINT mask, UINT wanted) {
  Found found;
  if (!layer::menus::FindItem(menu, item, flags, found)) return static_cast<DWORD>(-1);
  MenuItem& entry = found.menu->items[found.index];
  DWORD old = entry.flags & mask;
  entry.flags = (entry.flags & ~mask) | (wanted & mask);
  return old;
}

}  // namespace

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return Take(menu, position, flags, true); }
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return Take(menu, position, flags, false); }

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) { return ChangeState(menu, item, check, MF_CHECKED, check); }

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  bool any = false;
  for (UINT item = first; item <= last; ++item) {
    if (ChangeState(menu, item, flags, MF_CHECKED, item == check ? MF_CHECKED : 0) != static_cast<DWORD>(-1)) any = true;
    if (item == last) break;
  }
  return any;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  return static_cast<BOOL>(ChangeState(menu, item, enable, MF_GRAYED | MF_DISABLED, enable));
}

int GetMenuItemCount(HMENU menu) {
  auto object = layer::menus::Checked(menu);
  return object ? static_cast<int>(object->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  Found found;
  if (position < 0 || !layer::menus::FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION, found))
    return static_cast<UINT>(-1);
  const MenuItem& item = found.menu->items[found.index];
  return item.IsPopup() ? static_cast<UINT>(-1) : item.id;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  Found found;
  if (!layer::menus::FindItem(menu, item, flags, found)) return static_cast<UINT>(-1);
  const MenuItem& entry = found.menu->items[found.index];
  if (!entry.IsPopup()) return entry.flags & ~static_cast<UINT>(MF_POPUP);
  return (static_cast<UINT>(GetMenuItemCount(entry.popup)) << 8) | (entry.flags & 0xFF);
}

int GetMenuString(HMENU menu, UINT item, LPSTR text, int size, UINT flags) {
  Found found;
  if (!layer::menus::FindItem(menu, item, flags, found)) return 0;
  const std::string& label = found.menu->items[found.index].text;
  if (!text || size <= 0) return static_cast<int>(label.size());
  std::size_t count = std::min<std::size_t>(label.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(text, label.data(), count);
  text[count] = '\0';
  return static_cast<int>(count);
}

HMENU GetSubMenu(HMENU menu, int position) {
  Found found;
  if (position < 0 || !layer::menus::FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION, found)) return nullptr;
  const MenuItem& item = found.menu->items[found.index];
  return item.IsPopup() ? item.popup : nullptr;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info) {
  Found found;
  if (!info || !layer::menus::FindItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, found)) return FALSE;
  const MenuItem& entry = found.menu->items[found.index];
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = entry.flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBREAK | MF_MENUBARBREAK | MFT_RADIOCHECK);
  if (info->fMask & MIIM_STATE) info->fState = entry.flags & (MFS_GRAYED | MF_CHECKED | MF_DEFAULT | MF_HILITE);
  if (info->fMask & MIIM_ID) info->wID = entry.IsPopup() ? reinterpret_cast<UINT_PTR>(entry.popup) & 0xFFFFFFFFu : entry.id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = entry.popup;
  if (info->fMask & MIIM_DATA) info->dwItemData = entry.data;
  if ((info->fMask & (MIIM_TYPE | MIIM_STRING)) && !entry.IsSeparator()) {
    // With a buffer the count is what was copied into it; without, the text's length.
    if (info->dwTypeData && info->cch > 0) {
      std::size_t count = std::min<std::size_t>(entry.text.size(), info->cch - 1);
      std::memcpy(info->dwTypeData, entry.text.data(), count);
      info->dwTypeData[count] = '\0';
      info->cch = static_cast<UINT>(count);
    } else {
      info->cch = static_cast<UINT>(entry.text.size());
    }
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
  Found found;
  if (!info || !layer::menus::FindItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, found)) return FALSE;
  MenuItem& entry = found.menu->items[found.index];
  constexpr UINT typeMask = MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBREAK | MF_MENUBARBREAK | MFT_RADIOCHECK;
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) entry.flags = (entry.flags & ~typeMask) | (info->fType & typeMask);
  if (info->fMask & MIIM_STATE) entry.flags = (entry.flags & ~(MFS_GRAYED | MF_CHECKED | MF_DEFAULT | MF_HILITE)) | info->fState;
  if (info->fMask & MIIM_ID) entry.id = info->wID;
  if (info->fMask & MIIM_SUBMENU) {
    if (info->hSubMenu && layer::menus::Contains(info->hSubMenu, menu)) return FALSE;
    entry.popup = info->hSubMenu;
    entry.flags = info->hSubMenu ? (entry.flags | MF_POPUP) : (entry.flags & ~static_cast<UINT>(MF_POPUP));
  }
  if (info->fMask & MIIM_DATA) entry.data = info->dwItemData;
  if ((info->fMask & (MIIM_TYPE | MIIM_STRING)) && !(entry.flags & MF_SEPARATOR))
    entry.text = info->dwTypeData ? info->dwTypeData : "";
  return TRUE;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  auto object = layer::menus::Checked(menu);
  if (!object) return FALSE;
  for (MenuItem& entry : object->items) entry.flags &= ~static_cast<UINT>(MF_DEFAULT);
  if (item == static_cast<UINT>(-1)) return TRUE;
  Found found;
  if (!layer::menus::FindItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, found)) return FALSE;
  found.menu->items[found.index].flags |= MF_DEFAULT;
  return TRUE;
}
