// A window's menu bar and its system menu.
#include <map>
#include <mutex>

#include "user/MenuInternal.h"
#include "win32/Errors.h"
#include "win32/UserWindow.h"
#include "win32/UserWindows.h"

namespace {

std::mutex systemMutex;
std::map<HWND, HMENU>& SystemMenus() {
  static auto* menus = new std::map<HWND, HMENU>;
  return *menus;
}

HMENU MakeSystemMenu(HWND window) {
  HMENU menu = CreatePopupMenu();
  DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  AppendMenu(menu, MF_STRING, SC_RESTORE, "&Wiederherstellen");
  AppendMenu(menu, MF_STRING, SC_MOVE, "&Verschieben");
  if (style & WS_THICKFRAME) AppendMenu(menu, MF_STRING, SC_SIZE, "&Gr\xF6\xDF" "e \xE4ndern");
  if (style & WS_MINIMIZEBOX) AppendMenu(menu, MF_STRING, SC_MINIMIZE, "Mi&nimieren");
  if (style & WS_MAXIMIZEBOX) AppendMenu(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximieren");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_STRING, SC_CLOSE, "&Schlie\xDF" "en\tAlt+F4");
  if (auto object = layer::menus::MenuOf(menu)) {
    object->window = window;
    object->system = true;
  }
  return menu;
}

}  // namespace

HMENU GetMenu(HWND window) {
  auto record = layer::WindowOf(window);
  if (!record || record->IsChild()) return nullptr;
  return layer::menus::MenuOf(record->menu) ? record->menu : nullptr;
}

BOOL SetMenu(HWND window, HMENU menu) {
  auto record = layer::WindowOf(window);
  if (!record || record->IsChild()) return FALSE;
  auto object = menu ? layer::menus::MenuOf(menu) : nullptr;
  if (menu && !object) {
    SetLastError(1401L);  // ERROR_INVALID_MENU_HANDLE
    return FALSE;
  }
  if (auto old = layer::menus::MenuOf(record->menu)) old->window = nullptr;
  record->menu = menu;
  if (object) object->window = window;
  // The frame changes: the client area gives room to the bar or takes it back.
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

BOOL DrawMenuBar(HWND window) {
  if (!GetMenu(window)) return FALSE;
  return RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

HMENU GetSystemMenu(HWND window, BOOL revert) {
  if (!IsWindow(window)) return nullptr;
  std::lock_guard<std::mutex> lock(systemMutex);
  auto found = SystemMenus().find(window);
  if (revert) {
    if (found != SystemMenus().end()) {
      DestroyMenu(found->second);
      SystemMenus().erase(found);
    }
    return nullptr;
  }
  if (found != SystemMenus().end() && IsMenu(found->second)) return found->second;
  return SystemMenus()[window] = MakeSystemMenu(window);
}
