// Describes a window of this program as a person sees it (the format is in
// ipc/WindowDescription.h): the window and its children with their texts and
// places on the screen, the items of list and combo boxes, the columns and
// rows of list views, the panes of status bars, the buttons of toolbars, the
// menu bar of a top-level window and the items of an open menu.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "comctl/CommCtrl.h"
#include "ipc/WindowDescription.h"
#include "user/Controls.h"
#include "user/MenuInternal.h"
#include "user/MenuTracking.h"
#include "win32/Codepage.h"
#include "win32/CrossProcess.h"
#include "win32/UserMessages.h"
#include "win32/UserWindow.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

constexpr std::size_t kMostItems = 2000;  // a list longer than this is described by its start

class Description {
 public:
  // One line: its kind, depth, key (a window's handle, an item's index), class,
  // id, flags, rectangle on the screen, text and further cells.
  void Line(const char* kind, int depth, const std::string& key, const std::string& className, long long id,
            const std::string& flags, const RECT& place, const std::string& text,
            const std::vector<std::string>& cells = {}) {
    std::vector<std::string> fields{kind,
                                    std::to_string(depth),
                                    key,
                                    className,
                                    std::to_string(id),
                                    flags,
                                    std::to_string(place.left),
                                    std::to_string(place.top),
                                    std::to_string(place.right),
                                    std::to_string(place.bottom),
                                    Cp1252ToUtf8(text)};
    for (const auto& cell : cells) fields.push_back(Cp1252ToUtf8(cell));
    m_text += ipc::DescriptionLine(fields);
  }
  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassName(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  int length = GetWindowTextLength(window);
  std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
  text.resize(static_cast<std::size_t>(std::max(GetWindowText(window, text.data(), static_cast<int>(text.size())), 0)));
  return text;
}

// A rectangle in a window's client coordinates, on the screen.
RECT OnScreen(HWND window, RECT place) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::string WindowFlags(HWND window, const std::string& className) {
  std::string flags;
  if (IsWindowVisible(window)) flags += 'v';
  if (IsWindowEnabled(window)) flags += 'e';
  if (GetFocus() == window) flags += 'f';
  if (GetForegroundWindow() == window) flags += 'a';
  if (className == "Button") {
    LRESULT check = SendMessage(window, BM_GETCHECK, 0, 0);
    if (check == BST_CHECKED) flags += 'c';
  }
  return flags;
}

// Item texts of a list that may keep none (owner-drawn without strings).
std::string ListText(HWND window, UINT lengthMessage, UINT textMessage, int index) {
  LRESULT length = SendMessage(window, lengthMessage, static_cast<WPARAM>(index), 0);
  if (length <= 0 || length > 65536) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  LRESULT got = SendMessage(window, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 && got <= length ? static_cast<std::size_t>(got) : 0);
  return text;
}

bool KeepsStrings(HWND window, DWORD ownerDrawn, DWORD hasStrings) {
  auto style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  return !(style & ownerDrawn) || (style & hasStrings);
}

void ListBoxItems(Description& out, HWND window, int depth) {
  LRESULT count = SendMessage(window, LB_GETCOUNT, 0, 0);
  bool strings = KeepsStrings(window, LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE, LBS_HASSTRINGS);
  LRESULT current = SendMessage(window, LB_GETCURSEL, 0, 0);
  for (int i = 0; i < count && static_cast<std::size_t>(i) < kMostItems; ++i) {
    RECT place{};
    SendMessage(window, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place));
    bool selected = SendMessage(window, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0 || current == i;
    out.Line("item", depth, std::to_string(i), "", 0, selected ? "s" : "", OnScreen(window, place),
             strings ? ListText(window, LB_GETTEXTLEN, LB_GETTEXT, i) : std::string());
  }
}

void ComboBoxItems(Description& out, HWND window, int depth) {
  LRESULT count = SendMessage(window, CB_GETCOUNT, 0, 0);
  bool strings = KeepsStrings(window, CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE, CBS_HASSTRINGS);
  LRESULT current = SendMessage(window, CB_GETCURSEL, 0, 0);
  for (int i = 0; i < count && static_cast<std::size_t>(i) < kMostItems; ++i)
    out.Line("item", depth, std::to_string(i), "", 0, current == i ? "s" : "", RECT{},
             strings ? ListText(window, CB_GETLBTEXTLEN, CB_GETLBTEXT, i) : std::string());
}

std::string ListViewCell(HWND window, int item, int column) {
  char text[1024] = {};
  LVITEMA request{};
  request.iSubItem = column;
  request.pszText = text;
  request.cchTextMax = sizeof text;
  SendMessage(window, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
  return text;
}

void ListViewContents(Description& out, HWND window, int depth) {
  int columns = 0;
  for (;; ++columns) {
    char text[512] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    if (!SendMessage(window, LVM_GETCOLUMNA, static_cast<WPARAM>(columns), reinterpret_cast<LPARAM>(&column))) break;
    out.Line("column", depth, std::to_string(columns), "", column.cx, "", RECT{}, text);
  }
  LRESULT count = SendMessage(window, LVM_GETITEMCOUNT, 0, 0);
  for (int i = 0; i < count && static_cast<std::size_t>(i) < kMostItems; ++i) {
    RECT place{};
    place.left = LVIR_BOUNDS;
    SendMessage(window, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place));
    LRESULT state = SendMessage(window, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_SELECTED | LVIS_FOCUSED);
    std::string flags = std::string(state & LVIS_SELECTED ? "s" : "") + (state & LVIS_FOCUSED ? "f" : "");
    std::vector<std::string> cells;
    for (int column = 1; column < columns; ++column) cells.push_back(ListViewCell(window, i, column));
    out.Line("row", depth, std::to_string(i), "", 0, flags, OnScreen(window, place), ListViewCell(window, i, 0), cells);
  }
}

void HeaderItems(Description& out, HWND window, int depth) {
  LRESULT count = SendMessage(window, HDM_GETITEMCOUNT, 0, 0);
  for (int i = 0; i < count && static_cast<std::size_t>(i) < kMostItems; ++i) {
    char text[512] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(window, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    RECT place{};
    SendMessage(window, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place));
    out.Line("column", depth, std::to_string(i), "", item.cxy, "", OnScreen(window, place), text);
  }
}

void StatusBarParts(Description& out, HWND window, int depth) {
  LRESULT count = SendMessage(window, SB_GETPARTS, 0, 0);
  for (int i = 0; i < count && i < 256; ++i) {
    LRESULT length = LOWORD(SendMessage(window, SB_GETTEXTLENGTHA, static_cast<WPARAM>(i), 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessage(window, SB_GETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    RECT place{};
    SendMessage(window, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place));
    out.Line("part", depth, std::to_string(i), "", 0, "", OnScreen(window, place), text);
  }
}

void ToolbarButtons(Description& out, HWND window, int depth) {
  LRESULT count = SendMessage(window, TB_BUTTONCOUNT, 0, 0);
  for (int i = 0; i < count && i < 256; ++i) {
    TBBUTTON button{};
    if (!SendMessage(window, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button))) continue;
    std::string flags;
    if (button.fsStyle & TBSTYLE_SEP) flags += '-';
    if (button.fsState & TBSTATE_ENABLED) flags += 'e';
    if (button.fsState & TBSTATE_CHECKED) flags += 'c';
    if (button.fsState & TBSTATE_PRESSED) flags += 'h';
    if (!(button.fsState & TBSTATE_HIDDEN)) flags += 'v';
    RECT place{};
    SendMessage(window, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place));
    char text[512] = {};
    SendMessage(window, TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand), reinterpret_cast<LPARAM>(text));
    out.Line("tool", depth, std::to_string(i), "", button.idCommand, flags, OnScreen(window, place), text);
  }
}

std::string MenuItemFlags(const menus::MenuItem& item, bool highlighted) {
  std::string flags;
  if (item.IsSeparator()) flags += '-';
  flags += item.IsEnabled() ? "e" : "g";
  if (item.flags & MF_CHECKED) flags += 'c';
  if (item.IsPopup()) flags += 'p';
  if (highlighted) flags += 'h';
  return flags;
}

// A menu's items; the places (screen rectangles) are those of the items as
// shown, none for the pop-ups below a menu that is not open.
void MenuItems(Description& out, HMENU handle, int depth, const std::vector<RECT>& places, int highlighted,
               int nesting) {
  auto menu = menus::MenuOf(handle);
  if (!menu || nesting > 8) return;
  for (std::size_t i = 0; i < menu->items.size() && i < kMostItems; ++i) {
    const auto& item = menu->items[i];
    RECT place = i < places.size() ? places[i] : RECT{};
    out.Line("menu", depth, std::to_string(i), "", item.id, MenuItemFlags(item, static_cast<int>(i) == highlighted),
             place, item.text);
    if (item.IsPopup()) MenuItems(out, item.popup, depth + 1, {}, -1, nesting + 1);
  }
}

void OpenMenuItems(Description& out, HWND popup, int depth) {
  auto* tracker = menus::MenuTracker::Current();
  if (!tracker) return;
  for (const auto& level : tracker->Levels()) {
    if (level.window != popup) continue;
    std::vector<RECT> places;
    for (RECT place : level.layout.items) places.push_back(OnScreen(popup, place));
    MenuItems(out, level.menu, depth, places, level.highlighted, 0);
  }
}

// What the window's own drawing wrote on it (its children's drawing is theirs).
void DrawnTextsOf(Description& out, HWND window, int depth, const RECT& place) {
  auto record = WindowOf(window);
  if (!record) return;
  int index = 0;
  for (const auto& drawn : record->canvas.texts.All()) {
    RECT onScreen = drawn.place;
    OffsetRect(&onScreen, place.left, place.top);
    out.Line("text", depth, std::to_string(index++), "", 0, "", onScreen, drawn.text);
  }
}

void DescribeTree(Description& out, HWND window, int depth) {
  std::string className = ClassOf(window);
  RECT place{};
  GetWindowRect(window, &place);
  char handle[16];
  std::snprintf(handle, sizeof handle, "0x%x", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
  char style[16];
  std::snprintf(style, sizeof style, "%lx", static_cast<unsigned long>(static_cast<DWORD>(GetWindowLong(window, GWL_STYLE))));
  out.Line("window", depth, handle, className, GetDlgCtrlID(window), WindowFlags(window, className), place,
           TextOf(window), {style});
  int inner = depth + 1;
  DrawnTextsOf(out, window, inner, place);
  if (className == "ListBox" || className == "ComboLBox") ListBoxItems(out, window, inner);
  else if (className == "ComboBox") ComboBoxItems(out, window, inner);
  else if (className == WC_LISTVIEW) ListViewContents(out, window, inner);
  else if (className == WC_HEADER) HeaderItems(out, window, inner);
  else if (className == STATUSCLASSNAME) StatusBarParts(out, window, inner);
  else if (className == TOOLBARCLASSNAME) ToolbarButtons(out, window, inner);
  else if (className == "#32768") OpenMenuItems(out, window, inner);
  if (!(GetWindowLong(window, GWL_STYLE) & WS_CHILD)) {
    if (HMENU bar = GetMenu(window)) {
      int highlighted = menus::MenuTracker::BarHighlight(window);
      MenuItems(out, bar, inner, menus::BarItemsOnScreen(window, bar), highlighted, 0);
    }
  }
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    DescribeTree(out, child, inner);
}

std::string DescribeWindowTree(HWND window) {
  if (!IsWindow(window)) return {};
  Description out;
  DescribeTree(out, window, 0);
  return out.Text();
}

// Installed as the library loads: every program with controls can be looked at.
const bool installed = [] {
  ipc::InstallWindowDescriber(&DescribeWindowTree);
  return true;
}();

}  // namespace
}  // namespace layer
