// A window's menu bar, drawn and run through the window core's hooks, and
// its system menu.
#include <map>
#include <mutex>

#include "user/ControlDrawing.h"
#include "user/MenuTracking.h"
#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/UserInternal.h"
#include "win32/UserMenuBar.h"
#include "win32/UserMessages.h"
#include "win32/UserWindow.h"
#include "win32/UserWindows.h"

namespace layer::menus {
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
  if (auto object = MenuOf(menu)) {
    object->window = window;
    object->system = true;
  }
  return menu;
}

int RowHeight() { return GetSystemMetrics(SM_CYMENU); }

int BarHeight(HWND, HMENU menu, int width) {
  std::vector<RECT> items = LayoutBar(menu, width, RowHeight());
  return items.empty() ? RowHeight() : static_cast<int>(items.back().bottom);
}

void DrawBar(HWND window, HMENU menu, HDC dc, const RECT& area) {
  FillRect(dc, &area, GetSysColorBrush(COLOR_MENU));
  auto object = MenuOf(menu);
  if (!object) return;
  std::vector<RECT> items = LayoutBar(menu, area.right - area.left, RowHeight());
  int lit = MenuTracker::BarHighlight(window);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; i < object->items.size() && i < items.size(); ++i) {
    const MenuItem& item = object->items[i];
    if (item.IsSeparator()) continue;
    RECT box = items[i];
    OffsetRect(&box, area.left, area.top);
    bool highlighted = static_cast<int>(i) == lit;
    if (highlighted) FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(!item.IsEnabled() ? COLOR_GRAYTEXT : highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawMnemonicText(dc, LabelOf(item).c_str(), box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
  SelectObject(dc, old);
}

// The system menu opens below the caption's icon.
void TrackSystemMenu(HWND window) {
  auto record = WindowOf(window);
  if (!record) return;
  NonClientLayout layout = LayoutNonClient(*record);
  RECT rect;
  GetWindowRect(window, &rect);
  POINT below{rect.left + layout.systemMenu.left, rect.top + layout.systemMenu.bottom};
  TrackPopupMenu(GetSystemMenu(window, FALSE), TPM_LEFTALIGN | TPM_TOPALIGN, below.x, below.y, 0, window, nullptr);
}

void TrackBar(HWND window, HMENU menu, WPARAM command, LPARAM lParam) {
  if (MenuTracker::Current()) return;  // one menu at a time
  UINT kind = static_cast<UINT>(command & 0xFFF0);
  bool mouse = kind == SC_MOUSEMENU;
  if ((mouse && (command & 0x000F) == HTSYSMENU) || (!mouse && lParam == ' ')) {
    TrackSystemMenu(window);
    return;
  }
  if (!MenuOf(menu)) return;
  int item = 0;
  bool open = false;
  if (mouse) {
    std::vector<RECT> items = BarItemsOnScreen(window, menu);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    item = -1;
    for (std::size_t i = 0; i < items.size(); ++i)
      if (PtInRect(&items[i], point)) item = static_cast<int>(i);
    if (item < 0) return;
    open = true;
  }
  MenuTracker tracker(window, true);
  char letter = mouse ? 0 : static_cast<char>(lParam);
  UINT chosen = tracker.TrackBar(window, menu, item, open, letter);
  if (!chosen) return;
  if (tracker.ChoseSystemCommand()) PostMessage(window, WM_SYSCOMMAND, chosen, 0);
  else PostMessage(window, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

}  // namespace

std::vector<RECT> BarItemsOnScreen(HWND window, HMENU menu) {
  auto record = WindowOf(window);
  if (!record) return {};
  RECT bar = LayoutNonClient(*record).menuBar;
  RECT rect;
  GetWindowRect(window, &rect);
  std::vector<RECT> items = LayoutBar(menu, bar.right - bar.left, RowHeight());
  for (RECT& item : items) OffsetRect(&item, rect.left + bar.left, rect.top + bar.top);
  return items;
}

void InstallMenuBar() {
  MenuBarHooks hooks;
  hooks.height = BarHeight;
  hooks.draw = DrawBar;
  hooks.track = TrackBar;
  SetMenuBarHooks(hooks);
}

}  // namespace layer::menus

HMENU GetMenu(HWND window) {
  HMENU menu = layer::WindowMenu(window);
  return layer::menus::MenuOf(menu) ? menu : nullptr;
}

BOOL SetMenu(HWND window, HMENU menu) {
  auto object = menu ? layer::menus::MenuOf(menu) : nullptr;
  if (menu && !object) {
    SetLastError(1401L);  // ERROR_INVALID_MENU_HANDLE
    return FALSE;
  }
  HMENU old = layer::WindowMenu(window);
  if (!layer::SetWindowMenu(window, menu)) return FALSE;
  if (auto previous = layer::menus::MenuOf(old)) previous->window = nullptr;
  if (object) object->window = window;
  return TRUE;
}

BOOL DrawMenuBar(HWND window) {
  if (!GetMenu(window)) return FALSE;
  return layer::RepaintMenuBar(window);
}

HMENU GetSystemMenu(HWND window, BOOL revert) {
  if (!IsWindow(window)) return nullptr;
  std::lock_guard<std::mutex> lock(layer::menus::systemMutex);
  auto found = layer::menus::SystemMenus().find(window);
  if (revert) {
    if (found != layer::menus::SystemMenus().end()) {
      DestroyMenu(found->second);
      layer::menus::SystemMenus().erase(found);
    }
    return nullptr;
  }
  if (found != layer::menus::SystemMenus().end() && IsMenu(found->second)) return found->second;
  return layer::menus::SystemMenus()[window] = layer::menus::MakeSystemMenu(window);
}
