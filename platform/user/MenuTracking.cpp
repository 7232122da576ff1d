// Pop-up menus on the screen: their windows, their drawing, and the loop
// that runs while one is open.
#include "user/MenuTracking.h"

#include <algorithm>

#include "user/ControlDrawing.h"
#include "user/Dialogs.h"
#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/UserMenuBar.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"
#include "win32/MessageBox.h"

namespace layer::menus {
namespace {

constexpr const char* kPopupClass = "#32768";
constexpr int kCheckColumn = 20;
constexpr int kArrowColumn = 16;
constexpr int kSeparatorHeight = 8;
constexpr int kBorder = 3;

thread_local MenuTracker* current = nullptr;

HFONT MenuFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

SIZE TextSize(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

std::string WithoutPrefix(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

void PaintPopup(HWND window, HMENU menu, int highlighted, const PopupLayout& layout) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
  RECT frame = client;
  DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
  auto object = MenuOf(menu);
  HGDIOBJ oldFont = SelectObject(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i = 0; object && i < object->items.size() && i < layout.items.size(); ++i) {
    const MenuItem& item = object->items[i];
    RECT box = layout.items[i];
    if (item.IsSeparator()) {
      RECT line{box.left + 1, (box.top + box.bottom) / 2 - 1, box.right - 1, (box.top + box.bottom) / 2 + 1};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
      continue;
    }
    bool lit = static_cast<int>(i) == highlighted;
    if (lit) FillRect(dc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
    COLORREF colour = GetSysColor(!item.IsEnabled() ? COLOR_GRAYTEXT : lit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    SetTextColor(dc, colour);
    if (item.flags & MF_CHECKED) {
      RECT mark{box.left + 2, box.top, box.left + kCheckColumn - 2, box.bottom};
      DrawFrameControl(dc, &mark, DFC_MENU, (item.flags & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    RECT label{box.left + kCheckColumn, box.top, box.right - kArrowColumn, box.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER | ((item.flags & MF_DEFAULT) ? 0 : 0);
    DrawMnemonicText(dc, LabelOf(item).c_str(), label, format);
    std::string shortcut = ShortcutOf(item);
    if (!shortcut.empty()) {
      RECT right{box.left + layout.shortcutColumn, box.top, box.right - kArrowColumn, box.bottom};
      DrawText(dc, shortcut.c_str(), -1, &right, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.IsPopup()) {
      RECT arrow{box.right - kArrowColumn, box.top, box.right - 2, box.bottom};
      DrawFrameControl(dc, &arrow, DFC_MENU, DFCS_MENUARROW);
    }
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MenuTracker* tracker = MenuTracker::Current();
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT:
      if (tracker) {
        for (const auto& level : tracker->Levels())
          if (level.window == window) PaintPopup(window, level.menu, level.highlighted, level.layout);
      } else {
        ValidateRect(window, nullptr);
      }
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return 3;  // MA_NOACTIVATE: a menu never takes the activation
    case WM_MOUSEMOVE:
      if (tracker) tracker->MouseMoved(window, point);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (tracker) tracker->MouseDown(window, point);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (tracker) tracker->MouseUp(window, point);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (tracker) tracker->Key(wParam);
      return 0;
    case WM_CHAR:
    case WM_SYSCHAR:
      if (tracker) tracker->Character(static_cast<char>(wParam));
      return 0;
    case WM_CANCELMODE:
      if (tracker) tracker->Cancel();
      return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

void RegisterPopupClass() {
  static bool registered = [] {
    WNDCLASSA popupClass{};
    popupClass.style = CS_SAVEBITS | CS_DBLCLKS | CS_GLOBALCLASS;
    popupClass.lpfnWndProc = PopupProc;
    popupClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    popupClass.lpszClassName = kPopupClass;
    RegisterClass(&popupClass);
    return true;
  }();
  (void)registered;
}

bool IsChoosable(const MenuItem& item) { return !item.IsSeparator() && item.IsEnabled(); }

}  // namespace

PopupLayout LayoutPopup(HMENU menu) {
  PopupLayout layout;
  auto object = MenuOf(menu);
  if (!object) return layout;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuFont());
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  int rowHeight = metrics.tmHeight + 6;
  int labelWidth = 0, shortcutWidth = 0;
  for (const MenuItem& item : object->items) {
    if (item.IsSeparator()) continue;
    labelWidth = std::max(labelWidth, static_cast<int>(TextSize(dc, WithoutPrefix(LabelOf(item))).cx));
    std::string shortcut = ShortcutOf(item);
    if (!shortcut.empty()) shortcutWidth = std::max(shortcutWidth, static_cast<int>(TextSize(dc, shortcut).cx));
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int width = kCheckColumn + labelWidth + (shortcutWidth ? 16 + shortcutWidth : 0) + kArrowColumn;
  layout.shortcutColumn = kCheckColumn + labelWidth + 16;
  int y = kBorder;
  for (const MenuItem& item : object->items) {
    int height = item.IsSeparator() ? kSeparatorHeight : rowHeight;
    layout.items.push_back(RECT{kBorder, y, kBorder + width, y + height});
    y += height;
  }
  layout.size = SIZE{width + 2 * kBorder, y + kBorder};
  return layout;
}

std::vector<RECT> LayoutBar(HMENU menu, int width, int rowHeight) {
  std::vector<RECT> items;
  auto object = MenuOf(menu);
  if (!object) return items;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, MenuFont());
  int x = 0, y = 0;
  for (const MenuItem& item : object->items) {
    int itemWidth = item.IsSeparator() ? 8 : static_cast<int>(TextSize(dc, WithoutPrefix(LabelOf(item))).cx) + 16;
    // An item that does not fit goes to the next row, unless it is the first of its row.
    if (x > 0 && (x + itemWidth > width || (item.flags & (MF_MENUBREAK | MF_MENUBARBREAK)))) {
      x = 0;
      y += rowHeight;
    }
    items.push_back(RECT{x, y, x + itemWidth, y + rowHeight});
    x += itemWidth;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return items;
}

MenuTracker::MenuTracker(HWND owner, bool notify) : m_owner(owner), m_notify(notify) {}

MenuTracker* MenuTracker::Current() { return current; }

void MenuTracker::Open(HMENU menu, POINT place, UINT flags, int index) {
  RegisterPopupClass();
  if (m_notify) {
    if (index < 0) index = m_levels.empty() ? 0 : m_levels.back().highlighted;
    auto object = MenuOf(menu);
    SendMessage(m_owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                MAKELPARAM(index, object && object->system ? TRUE : FALSE));
  }
  PopupLayout layout = LayoutPopup(menu);
  int x = place.x, y = place.y;
  if (flags & TPM_RIGHTALIGN) x -= layout.size.cx;
  else if (flags & TPM_CENTERALIGN) x -= layout.size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) y -= layout.size.cy;
  else if (flags & TPM_VCENTERALIGN) y -= layout.size.cy / 2;
  x = std::clamp(x, 0, std::max(0, static_cast<int>(GetSystemMetrics(SM_CXSCREEN) - layout.size.cx)));
  y = std::clamp(y, 0, std::max(0, static_cast<int>(GetSystemMetrics(SM_CYSCREEN) - layout.size.cy)));
  HWND window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, "", WS_POPUP, x, y, layout.size.cx,
                               layout.size.cy, m_owner, nullptr, nullptr, nullptr);
  m_levels.push_back(Level{menu, window, -1, std::move(layout)});
  ShowWindow(window, SW_SHOWNA);
  UpdateWindow(window);
}

void MenuTracker::CloseFrom(std::size_t level) {
  while (m_levels.size() > level) {
    HWND window = m_levels.back().window;
    m_levels.pop_back();
    if (IsWindow(window)) DestroyWindow(window);
  }
}

void MenuTracker::Highlight(std::size_t level, int index) {
  if (level >= m_levels.size()) return;
  Level& at = m_levels[level];
  if (at.highlighted == index) return;
  at.highlighted = index;
  InvalidateRect(at.window, nullptr, TRUE);
  auto object = MenuOf(at.menu);
  if (!m_notify || !object || index < 0 || index >= static_cast<int>(object->items.size())) return;
  const MenuItem& item = object->items[static_cast<std::size_t>(index)];
  UINT flags = (item.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR)) | MF_HILITE |
               (object->system ? MF_SYSMENU : 0);
  WORD id = static_cast<WORD>(item.IsPopup() ? index : item.id);
  SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(at.menu));
}

void MenuTracker::OpenSubmenu(std::size_t level, int index, bool selectFirst) {
  auto object = MenuOf(m_levels[level].menu);
  if (!object || index < 0 || index >= static_cast<int>(object->items.size())) return;
  const MenuItem& item = object->items[static_cast<std::size_t>(index)];
  if (!item.IsPopup() || !item.IsEnabled()) return;
  CloseFrom(level + 1);
  const PopupLayout& layout = m_levels[level].layout;
  POINT corner{layout.items[static_cast<std::size_t>(index)].right, layout.items[static_cast<std::size_t>(index)].top - kBorder};
  ClientToScreen(m_levels[level].window, &corner);
  Open(item.popup, corner, 0);
  if (selectFirst) Key(VK_DOWN);
}

void MenuTracker::Choose(std::size_t level, int index) {
  auto object = MenuOf(m_levels[level].menu);
  if (!object || index < 0 || index >= static_cast<int>(object->items.size())) return;
  const MenuItem& item = object->items[static_cast<std::size_t>(index)];
  if (item.IsPopup()) {
    OpenSubmenu(level, index, true);
    return;
  }
  if (!IsChoosable(item)) return;
  m_system = object->system;
  Finish(item.id);
}

void MenuTracker::Finish(UINT command) {
  m_command = command;
  m_done = true;
}

int MenuTracker::ItemAt(const Level& level, POINT client) const {
  const PopupLayout& layout = level.layout;
  for (std::size_t i = 0; i < layout.items.size(); ++i)
    if (PtInRect(&layout.items[i], client)) return static_cast<int>(i);
  return -1;
}

std::size_t MenuTracker::LevelOf(HWND popup) const {
  for (std::size_t i = 0; i < m_levels.size(); ++i)
    if (m_levels[i].window == popup) return i;
  return m_levels.size();
}

// The mouse is held by the deepest menu window: a point is looked up in
// every open level, deepest first.
bool MenuTracker::ItemUnder(HWND popup, POINT client, std::size_t& level, int& index) const {
  POINT screen = client;
  ClientToScreen(popup, &screen);
  for (level = m_levels.size(); level-- > 0;) {
    POINT inside = screen;
    ScreenToClient(m_levels[level].window, &inside);
    index = ItemAt(m_levels[level], inside);
    if (index >= 0) return true;
  }
  return false;
}

void MenuTracker::MouseMoved(HWND popup, POINT client) {
  std::size_t level;
  int index;
  POINT screen = client;
  ClientToScreen(popup, &screen);
  int barIndex;
  if (BarItemAt(screen, barIndex)) {
    if (barIndex != m_bar.highlighted) {
      CloseFrom(0);
      HighlightBar(barIndex);
      OpenBarPopup(false);
    }
    return;
  }
  if (!ItemUnder(popup, client, level, index)) return;
  Highlight(level, index);
  auto object = MenuOf(m_levels[level].menu);
  bool popupItem = object && object->items[static_cast<std::size_t>(index)].IsPopup();
  if (popupItem && (level + 1 >= m_levels.size() || m_levels[level + 1].menu != object->items[static_cast<std::size_t>(index)].popup))
    OpenSubmenu(level, index, false);
  else if (!popupItem)
    CloseFrom(level + 1);
}

void MenuTracker::MouseDown(HWND popup, POINT client) {
  POINT screen = client;
  ClientToScreen(popup, &screen);
  int barIndex;
  if (BarItemAt(screen, barIndex)) {
    // A press on the open item's title closes its pop-up; on another, opens that one.
    if (barIndex == m_bar.highlighted && !m_levels.empty()) Cancel();
    return;
  }
  for (const Level& level : m_levels) {
    RECT area;
    GetWindowRect(level.window, &area);
    if (PtInRect(&area, screen)) return;  // the release chooses
  }
  Cancel();  // a press beside the menu closes it
}

void MenuTracker::MouseUp(HWND popup, POINT client) {
  std::size_t level;
  int index;
  if (ItemUnder(popup, client, level, index)) Choose(level, index);
}

void MenuTracker::Key(WPARAM key) {
  bool onBar = m_bar.window != nullptr;
  if (m_levels.empty()) {
    // The bar alone is highlighted: the keys move along it, open or leave it.
    if (!onBar) return;
    switch (key) {
      case VK_LEFT: MoveOnBar(-1); return;
      case VK_RIGHT: MoveOnBar(1); return;
      case VK_DOWN:
      case VK_UP:
      case VK_RETURN: OpenBarPopup(true); return;
      case VK_ESCAPE:
      case VK_MENU:
      case 0x79: Cancel(); return;  // F10, like Alt, leaves the bar
      default: return;
    }
  }
  std::size_t level = m_levels.size() - 1;
  Level& at = m_levels[level];
  auto object = MenuOf(at.menu);
  int count = object ? static_cast<int>(object->items.size()) : 0;
  switch (key) {
    case VK_UP:
    case VK_DOWN: {
      if (count == 0) return;
      int step = key == VK_DOWN ? 1 : -1;
      int index = at.highlighted;
      for (int n = 0; n < count; ++n) {
        index = ((index < 0 && step < 0 ? 0 : index) + step + count) % count;
        if (!object->items[static_cast<std::size_t>(index)].IsSeparator()) break;
      }
      Highlight(level, index);
      return;
    }
    case VK_RIGHT: {
      bool opens = at.highlighted >= 0 && object && object->items[static_cast<std::size_t>(at.highlighted)].IsPopup();
      if (opens) OpenSubmenu(level, at.highlighted, true);
      else if (onBar) MoveOnBar(1);
      return;
    }
    case VK_LEFT:
      if (level > 0) CloseFrom(level);
      else if (onBar) MoveOnBar(-1);
      return;
    case VK_RETURN:
      if (at.highlighted >= 0) Choose(level, at.highlighted);
      else Cancel();
      return;
    case VK_ESCAPE:
      if (level > 0 || onBar) CloseFrom(level);  // back one level, or back to the bar alone
      else Cancel();
      return;
    case VK_MENU:
    case 0x79:  // F10 leaves the menu as Alt does
      Cancel();
      return;
    default: return;
  }
}

void MenuTracker::HighlightBar(int index) {
  if (m_bar.highlighted == index) return;
  m_bar.highlighted = index;
  RepaintMenuBar(m_bar.window);
  auto object = MenuOf(m_bar.menu);
  if (!m_notify || !object || index < 0 || index >= static_cast<int>(object->items.size())) return;
  const MenuItem& item = object->items[static_cast<std::size_t>(index)];
  UINT flags = (item.flags & (MF_GRAYED | MF_DISABLED | MF_POPUP)) | MF_HILITE;
  SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(item.IsPopup() ? index : item.id, flags), reinterpret_cast<LPARAM>(m_bar.menu));
}

void MenuTracker::OpenBarPopup(bool selectFirst) {
  auto object = MenuOf(m_bar.menu);
  int index = m_bar.highlighted;
  if (!object || index < 0 || index >= static_cast<int>(object->items.size())) return;
  const MenuItem& item = object->items[static_cast<std::size_t>(index)];
  if (!item.IsPopup()) {
    if (item.IsEnabled() && !item.IsSeparator()) Finish(item.id);
    return;
  }
  if (!item.IsEnabled()) return;
  CloseFrom(0);
  const RECT& place = m_bar.items[static_cast<std::size_t>(index)];
  Open(item.popup, POINT{place.left, place.bottom}, 0, index);
  if (m_levels.size() == 1) SetCapture(m_levels.front().window);
  if (selectFirst) Key(VK_DOWN);
}

// Left and right along the bar; an open pop-up follows to the new item.
void MenuTracker::MoveOnBar(int step) {
  auto object = MenuOf(m_bar.menu);
  int count = object ? static_cast<int>(object->items.size()) : 0;
  if (count == 0) return;
  int index = m_bar.highlighted;
  for (int n = 0; n < count; ++n) {
    index = ((index < 0 ? 0 : index) + step + count) % count;
    if (!object->items[static_cast<std::size_t>(index)].IsSeparator()) break;
  }
  bool wasOpen = !m_levels.empty();
  CloseFrom(0);
  HighlightBar(index);
  if (wasOpen) OpenBarPopup(true);
}

bool MenuTracker::BarItemAt(POINT screen, int& index) const {
  for (std::size_t i = 0; m_bar.window && i < m_bar.items.size(); ++i) {
    if (PtInRect(&m_bar.items[i], screen)) {
      index = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

void MenuTracker::Character(char character) {
  if (m_levels.empty()) {
    auto bar = MenuOf(m_bar.menu);
    if (!bar) return;
    char wanted = MnemonicOf(std::string("&") + character);
    for (std::size_t i = 0; i < bar->items.size(); ++i) {
      if (MnemonicOf(bar->items[i].text) != wanted) continue;
      HighlightBar(static_cast<int>(i));
      OpenBarPopup(true);
      return;
    }
    MessageBeep(0);
    return;
  }
  std::size_t level = m_levels.size() - 1;
  auto object = MenuOf(m_levels[level].menu);
  if (!object) return;
  char wanted = MnemonicOf(std::string("&") + character);
  std::vector<int> matches;
  for (std::size_t i = 0; i < object->items.size(); ++i)
    if (!object->items[i].IsSeparator() && MnemonicOf(object->items[i].text) == wanted) matches.push_back(static_cast<int>(i));
  if (matches.empty()) {
    if (m_notify) {
      LRESULT answer = SendMessage(m_owner, WM_MENUCHAR, MAKEWPARAM(static_cast<unsigned char>(character), MF_POPUP),
                                   reinterpret_cast<LPARAM>(m_levels[level].menu));
      if (HIWORD(answer) == MNC_EXECUTE) Choose(level, LOWORD(answer));
      else if (HIWORD(answer) == MNC_CLOSE) Cancel();
    }
    return;
  }
  // One item with the letter is chosen; several take turns being highlighted.
  if (matches.size() == 1) {
    Highlight(level, matches[0]);
    Choose(level, matches[0]);
    return;
  }
  auto next = std::find_if(matches.begin(), matches.end(), [&](int index) { return index > m_levels[level].highlighted; });
  Highlight(level, next == matches.end() ? matches.front() : *next);
}

void MenuTracker::Cancel() { Finish(0); }

UINT MenuTracker::RunLoop(HWND first) {
  if (m_done) return m_command;  // settled before the loop began
  if (first) SetCapture(first);
  RunModalHook(first ? first : m_bar.window);
  MSG msg;
  while (!m_done && (!m_levels.empty() || m_bar.window)) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    // Keys belong to the open menu, whichever window had the focus.
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      TranslateMessage(&msg);
      Key(msg.wParam);
      continue;
    }
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
      Character(static_cast<char>(msg.wParam));
      continue;
    }
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (GetCapture() && LevelOf(GetCapture()) < m_levels.size()) ReleaseCapture();
  CloseFrom(0);
  return m_command;
}

UINT MenuTracker::TrackPopup(HMENU menu, POINT place, UINT flags) {
  m_outer = current;
  current = this;
  if (m_notify) {
    SendMessage(m_owner, WM_ENTERMENULOOP, TRUE, 0);
    SendMessage(m_owner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  }
  Open(menu, place, flags);
  RunLoop(m_levels.empty() ? nullptr : m_levels.front().window);
  if (m_notify) {
    SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(m_owner, WM_EXITMENULOOP, TRUE, 0);
  }
  current = m_outer;
  return m_command;
}

UINT MenuTracker::TrackBar(HWND window, HMENU menu, int item, bool open, char letter) {
  m_outer = current;
  current = this;
  m_bar.window = window;
  m_bar.menu = menu;
  m_bar.items = BarItemsOnScreen(window, menu);
  SendMessage(m_owner, WM_ENTERMENULOOP, FALSE, 0);
  SendMessage(m_owner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  if (letter) {
    Character(letter);
    if (m_bar.highlighted < 0) Finish(0);
  } else {
    HighlightBar(item);
    if (open) OpenBarPopup(false);
  }
  RunLoop(m_levels.empty() ? nullptr : m_levels.front().window);
  m_bar.highlighted = -1;
  RepaintMenuBar(window);
  m_bar.window = nullptr;
  SendMessage(m_owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessage(m_owner, WM_EXITMENULOOP, FALSE, 0);
  current = m_outer;
  return m_command;
}

int MenuTracker::BarHighlight(HWND window) {
  for (MenuTracker* tracker = current; tracker; tracker = tracker->m_outer)
    if (tracker->m_bar.window == window) return tracker->m_bar.highlighted;
  return -1;
}

}  // namespace layer::menus

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND window, const RECT*) {
  if (!layer::menus::MenuOf(menu) || !IsWindow(window)) {
    SetLastError(!IsWindow(window) ? 1400L : 1401L);  // ERROR_INVALID_WINDOW_HANDLE, ERROR_INVALID_MENU_HANDLE
    return FALSE;
  }
  if (layer::menus::MenuTracker::Current()) return FALSE;  // one menu at a time
  layer::menus::MenuTracker tracker(window, !(flags & TPM_NONOTIFY));
  UINT command = tracker.TrackPopup(menu, POINT{x, y}, flags);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(command);
  if (command == 0) return FALSE;
  if (tracker.ChoseSystemCommand()) PostMessage(window, WM_SYSCOMMAND, command, 0);
  else PostMessage(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return TRUE;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND window, TPMPARAMS*) {
  return TrackPopupMenu(menu, flags, x, y, 0, window, nullptr);
}

BOOL EndMenu() {
  layer::menus::MenuTracker* tracker = layer::menus::MenuTracker::Current();
  if (!tracker) return FALSE;
  tracker->Cancel();
  return TRUE;
}

BOOL HiliteMenuItem(HWND window, HMENU menu, UINT item, UINT flags) {
  layer::menus::Found found;
  if (!layer::menus::FindItem(menu, item, flags, found)) return FALSE;
  UINT& bits = found.menu->items[found.index].flags;
  bits = (flags & MF_HILITE) ? (bits | MF_HILITE) : (bits & ~static_cast<UINT>(MF_HILITE));
  if (window && GetMenu(window) == menu) DrawMenuBar(window);
  return TRUE;
}
