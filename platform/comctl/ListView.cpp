// The list view: rows of texts under titled columns, drawn plainly on the
// window's canvas, with the notifications that the parent acts on.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "comctl/CommCtrl.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kTextIndent = 6;   // text starts this far right of its cell's edge
constexpr int kRowPadding = 4;   // row height beyond the font's height
constexpr int kAutoSizeExtra = 12;

struct Column {
  std::string title;
  int width = 0;
  int format = LVCFMT_LEFT;
};

struct Item {
  std::vector<std::string> texts;  // one per column, the item's own text first
  UINT state = 0;
  LPARAM data = 0;
};

struct ListView {
  std::vector<Column> columns;
  std::vector<Item> items;
  HFONT font = nullptr;
};

std::mutex listsMutex;
std::map<HWND, std::unique_ptr<ListView>>& Lists() {
  static auto* lists = new std::map<HWND, std::unique_ptr<ListView>>;
  return *lists;
}

ListView* Find(HWND window) {
  std::lock_guard<std::mutex> lock(listsMutex);
  auto found = Lists().find(window);
  return found == Lists().end() ? nullptr : found->second.get();
}

bool IsReport(HWND window) { return (GetWindowLong(window, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT; }
bool ShowsHeader(HWND window) { return IsReport(window) && !(GetWindowLong(window, GWL_STYLE) & LVS_NOCOLUMNHEADER); }
bool ValidItem(const ListView& list, WPARAM index) { return index < list.items.size(); }
// An item has a text for every column, and always its own.
size_t TextSlots(const ListView& list) { return std::max<size_t>(1, list.columns.size()); }

HFONT FontOf(const ListView& list) {
  return list.font ? list.font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Measures in the list's font on a device context of the window.
template <typename Measure>
auto WithFont(HWND window, const ListView& list, Measure measure) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, FontOf(list));
  auto result = measure(dc);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return result;
}

int RowHeight(HDC dc) {
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  return metrics.tmHeight + kRowPadding;
}

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

LRESULT Notify(HWND window, UINT code, NMLISTVIEW& info) {
  info.hdr.hwndFrom = window;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
  info.hdr.code = code;
  HWND parent = GetParent(window);
  return parent ? SendMessage(parent, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)) : 0;
}

LRESULT NotifyItem(HWND window, UINT code, int index, LPARAM data) {
  NMLISTVIEW info{};
  info.iItem = index;
  info.lParam = data;
  return Notify(window, code, info);
}

void CopyText(const std::string& text, LPSTR buffer, int size, int* copied) {
  *copied = 0;
  if (!buffer || size <= 0) return;
  *copied = static_cast<int>(std::min<size_t>(text.size(), static_cast<size_t>(size - 1)));
  std::memcpy(buffer, text.data(), static_cast<size_t>(*copied));
  buffer[*copied] = '\0';
}

// The parent may refuse a change of state (LVN_ITEMCHANGING answering
// non-zero); it hears of every change that happened.
void ChangeState(HWND window, ListView& list, size_t index, UINT state, UINT mask) {
  Item& item = list.items[index];
  const UINT changed = (item.state & ~mask) | (state & mask);
  if (changed == item.state) return;
  NMLISTVIEW info{};
  info.iItem = static_cast<int>(index);
  info.uNewState = changed;
  info.uOldState = item.state;
  info.uChanged = LVIF_STATE;
  info.lParam = item.data;
  if (Notify(window, LVN_ITEMCHANGING, info)) return;
  item.state = changed;
  Notify(window, LVN_ITEMCHANGED, info);
}

// Only one item holds the focus, and with single selection only one is
// selected: taking either from the others comes first.
BOOL SetState(HWND window, ListView& list, WPARAM index, UINT state, UINT mask) {
  const bool all = index == static_cast<WPARAM>(-1);
  if (!all && !ValidItem(list, index)) return FALSE;
  UINT exclusive = 0;
  if (!all && (mask & state & LVIS_FOCUSED)) exclusive |= LVIS_FOCUSED;
  if (!all && (mask & state & LVIS_SELECTED) && (GetWindowLong(window, GWL_STYLE) & LVS_SINGLESEL))
    exclusive |= LVIS_SELECTED;
  for (size_t i = 0; i < list.items.size(); ++i) {
    if (all || i == index) ChangeState(window, list, i, state, mask);
    else if (exclusive) ChangeState(window, list, i, 0, exclusive);
  }
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

int InsertItem(HWND window, ListView& list, const LVITEM* request) {
  if (!request || request->iItem < 0 || request->iSubItem != 0) return -1;
  const size_t index = std::min<size_t>(static_cast<size_t>(request->iItem), list.items.size());
  Item item;
  item.texts.resize(TextSlots(list));
  if ((request->mask & LVIF_TEXT) && request->pszText) item.texts[0] = request->pszText;
  if (request->mask & LVIF_PARAM) item.data = request->lParam;
  list.items.insert(list.items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  NotifyItem(window, LVN_INSERTITEM, static_cast<int>(index), list.items[index].data);
  if (request->mask & LVIF_STATE) SetState(window, list, index, request->state, request->stateMask);
  InvalidateRect(window, nullptr, TRUE);
  return static_cast<int>(index);
}

BOOL SetItemText(HWND window, ListView& list, WPARAM index, const LVITEM* request) {
  if (!request || !ValidItem(list, index) || request->iSubItem < 0) return FALSE;
  const auto column = static_cast<size_t>(request->iSubItem);
  if (column >= TextSlots(list)) return FALSE;
  list.items[index].texts[column] = request->pszText ? request->pszText : "";
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

BOOL SetItem(HWND window, ListView& list, const LVITEM* request) {
  if (!request || request->iItem < 0 || !ValidItem(list, static_cast<WPARAM>(request->iItem))) return FALSE;
  const auto index = static_cast<WPARAM>(request->iItem);
  if ((request->mask & LVIF_TEXT) && !SetItemText(window, list, index, request)) return FALSE;
  if (request->mask & LVIF_PARAM) list.items[index].data = request->lParam;
  if (request->mask & LVIF_STATE) SetState(window, list, index, request->state, request->stateMask);
  return TRUE;
}

BOOL GetItem(const ListView& list, LVITEM* request) {
  if (!request || request->iItem < 0 || !ValidItem(list, static_cast<WPARAM>(request->iItem))) return FALSE;
  const Item& item = list.items[static_cast<size_t>(request->iItem)];
  if (request->mask & LVIF_TEXT) {
    if (request->iSubItem < 0 || static_cast<size_t>(request->iSubItem) >= item.texts.size()) return FALSE;
    int copied = 0;
    CopyText(item.texts[static_cast<size_t>(request->iSubItem)], request->pszText, request->cchTextMax, &copied);
  }
  if (request->mask & LVIF_STATE) request->state = item.state & request->stateMask;
  if (request->mask & LVIF_PARAM) request->lParam = item.data;
  return TRUE;
}

int GetItemText(const ListView& list, WPARAM index, LVITEM* request) {
  if (!request || !ValidItem(list, index) || request->iSubItem < 0) return 0;
  const Item& item = list.items[index];
  const auto column = static_cast<size_t>(request->iSubItem);
  int copied = 0;
  CopyText(column < item.texts.size() ? item.texts[column] : std::string(), request->pszText, request->cchTextMax,
           &copied);
  return copied;
}

BOOL DeleteItem(HWND window, ListView& list, WPARAM index) {
  if (!ValidItem(list, index)) return FALSE;
  NotifyItem(window, LVN_DELETEITEM, static_cast<int>(index), list.items[index].data);
  list.items.erase(list.items.begin() + static_cast<std::ptrdiff_t>(index));
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

// The parent that answers LVN_DELETEALLITEMS with TRUE hears of no single
// deletion.
BOOL DeleteAllItems(HWND window, ListView& list) {
  if (!NotifyItem(window, LVN_DELETEALLITEMS, -1, 0)) {
    for (size_t i = 0; i < list.items.size(); ++i)
      NotifyItem(window, LVN_DELETEITEM, static_cast<int>(i), list.items[i].data);
  }
  list.items.clear();
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

int InsertColumn(HWND window, ListView& list, WPARAM position, const LVCOLUMN* request) {
  if (!request) return -1;
  const size_t index = std::min<size_t>(position, list.columns.size());
  Column column;
  if ((request->mask & LVCF_TEXT) && request->pszText) column.title = request->pszText;
  if (request->mask & LVCF_WIDTH) column.width = std::max(request->cx, 0);
  if (request->mask & LVCF_FMT) column.format = request->fmt;
  // The items' own texts belong to the first column that is made.
  if (!list.columns.empty())
    for (Item& item : list.items) item.texts.insert(item.texts.begin() + static_cast<std::ptrdiff_t>(index), std::string());
  list.columns.insert(list.columns.begin() + static_cast<std::ptrdiff_t>(index), std::move(column));
  InvalidateRect(window, nullptr, TRUE);
  return static_cast<int>(index);
}

BOOL DeleteColumn(HWND window, ListView& list, WPARAM index) {
  if (index >= list.columns.size()) return FALSE;
  // The items keep their own texts when the last column goes.
  const bool lastColumn = list.columns.size() == 1;
  list.columns.erase(list.columns.begin() + static_cast<std::ptrdiff_t>(index));
  if (!lastColumn)
    for (Item& item : list.items) item.texts.erase(item.texts.begin() + static_cast<std::ptrdiff_t>(index));
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

BOOL GetColumn(const ListView& list, WPARAM index, LVCOLUMN* request) {
  if (!request || index >= list.columns.size()) return FALSE;
  const Column& column = list.columns[index];
  if (request->mask & LVCF_FMT) request->fmt = column.format;
  if (request->mask & LVCF_WIDTH) request->cx = column.width;
  if (request->mask & LVCF_SUBITEM) request->iSubItem = static_cast<int>(index);
  int copied = 0;
  if (request->mask & LVCF_TEXT) CopyText(column.title, request->pszText, request->cchTextMax, &copied);
  return TRUE;
}

// LVSCW_AUTOSIZE fits the widest cell; LVSCW_AUTOSIZE_USEHEADER the title too.
BOOL SetColumnWidth(HWND window, ListView& list, WPARAM index, int width) {
  if (index >= list.columns.size()) return FALSE;
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
    width = WithFont(window, list, [&](HDC dc) {
      int widest = width == LVSCW_AUTOSIZE_USEHEADER ? TextWidth(dc, list.columns[index].title) : 0;
      for (const Item& item : list.items) widest = std::max(widest, TextWidth(dc, item.texts[index]));
      return widest + kAutoSizeExtra;
    });
  }
  list.columns[index].width = std::max(width, 0);
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

int GetNextItem(const ListView& list, WPARAM start, LPARAM flags) {
  const UINT wanted = (flags & LVNI_SELECTED ? LVIS_SELECTED : 0) | (flags & LVNI_FOCUSED ? LVIS_FOCUSED : 0);
  const size_t first = start == static_cast<WPARAM>(-1) ? 0 : start + 1;
  for (size_t i = first; i < list.items.size(); ++i)
    if ((list.items[i].state & wanted) == wanted) return static_cast<int>(i);
  return -1;
}

int HeaderHeight(HWND window, HDC dc) { return ShowsHeader(window) ? RowHeight(dc) : 0; }

void DrawCell(HDC dc, const RECT& cell, const std::string& text) {
  ExtTextOut(dc, cell.left + kTextIndent, cell.top + kRowPadding / 2, ETO_CLIPPED, &cell, text.c_str(),
             static_cast<UINT>(text.size()), nullptr);
}

// Each column takes its width from the left; outside the report view the
// items' own texts fill the whole width.
std::vector<std::pair<int, int>> ColumnSpans(HWND window, const ListView& list, const RECT& client) {
  std::vector<std::pair<int, int>> spans;
  if (!IsReport(window)) return {{client.left, client.right}};
  int x = client.left;
  for (const Column& column : list.columns) {
    spans.emplace_back(x, x + column.width);
    x += column.width;
  }
  return spans;
}

void Paint(HWND window, const ListView& list) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ oldFont = SelectObject(dc, FontOf(list));
  SetBkMode(dc, TRANSPARENT);
  const int rowHeight = RowHeight(dc);
  const auto spans = ColumnSpans(window, list, client);
  int top = client.top;
  if (ShowsHeader(window)) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (size_t c = 0; c < spans.size(); ++c) {
      RECT cell{spans[c].first, top, spans[c].second, top + rowHeight};
      FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
      FrameRect(dc, &cell, GetSysColorBrush(COLOR_BTNSHADOW));
      DrawCell(dc, cell, list.columns[c].title);
    }
    top += rowHeight;
  }
  for (const Item& item : list.items) {
    if (top >= client.bottom) break;
    const bool selected = item.state & LVIS_SELECTED;
    RECT row{client.left, top, client.right, top + rowHeight};
    if (selected) FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    for (size_t c = 0; c < spans.size() && c < item.texts.size(); ++c)
      DrawCell(dc, RECT{spans[c].first, top, spans[c].second, top + rowHeight}, item.texts[c]);
    top += rowHeight;
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

// The item under a point of the client area, or -1.
int ItemAt(HWND window, const ListView& list, int y) {
  return WithFont(window, list, [&](HDC dc) {
    const int row = y - HeaderHeight(window, dc);
    if (row < 0) return -1;
    const size_t index = static_cast<size_t>(row / RowHeight(dc));
    return index < list.items.size() ? static_cast<int>(index) : -1;
  });
}

// A click selects the item under it alone and gives it the focus; the parent
// hears of the click (and of a double click) with the item.
void OnClick(HWND window, ListView& list, UINT code, LPARAM point) {
  const int index = ItemAt(window, list, GET_Y_LPARAM(point));
  SetFocus(window);
  if (code == NM_CLICK && index >= 0) {
    SetState(window, list, static_cast<WPARAM>(-1), 0, LVIS_SELECTED);
    SetState(window, list, static_cast<WPARAM>(index), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  NMITEMACTIVATE info{};
  info.hdr.hwndFrom = window;
  info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
  info.hdr.code = code;
  info.iItem = index;
  info.ptAction = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  if (HWND parent = GetParent(window))
    SendMessage(parent, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

LRESULT ListMessage(HWND window, ListView& list, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LVM_GETITEMCOUNT: return static_cast<LRESULT>(list.items.size());
    case LVM_INSERTITEM: return InsertItem(window, list, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_SETITEM: return SetItem(window, list, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEM: return GetItem(list, reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEMTEXT: return SetItemText(window, list, wParam, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEMTEXT: return GetItemText(list, wParam, reinterpret_cast<LVITEM*>(lParam));
    case LVM_DELETEITEM: return DeleteItem(window, list, wParam);
    case LVM_DELETEALLITEMS: return DeleteAllItems(window, list);
    case LVM_SETITEMSTATE: {
      const auto* request = reinterpret_cast<const LVITEM*>(lParam);
      return request ? SetState(window, list, wParam, request->state, request->stateMask) : FALSE;
    }
    case LVM_GETITEMSTATE:
      return ValidItem(list, wParam) ? static_cast<LRESULT>(list.items[wParam].state & static_cast<UINT>(lParam)) : 0;
    case LVM_GETNEXTITEM: return GetNextItem(list, wParam, lParam);
    case LVM_INSERTCOLUMN: return InsertColumn(window, list, wParam, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN: return DeleteColumn(window, list, wParam);
    case LVM_GETCOLUMN: return GetColumn(list, wParam, reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_GETCOLUMNWIDTH: return wParam < list.columns.size() ? list.columns[wParam].width : 0;
    case LVM_SETCOLUMNWIDTH: return SetColumnWidth(window, list, wParam, static_cast<short>(LOWORD(lParam)));
    case LVM_GETSTRINGWIDTH: {
      const char* text = reinterpret_cast<const char*>(lParam);
      return text ? WithFont(window, list, [&](HDC dc) { return TextWidth(dc, text); }) : 0;
    }
    case WM_SETFONT:
      list.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(list.font);
    case WM_ERASEBKGND: return 1;  // the paint covers the whole area
    case WM_PAINT: Paint(window, list); return 0;
    case WM_LBUTTONDOWN: OnClick(window, list, NM_CLICK, lParam); return 0;
    case WM_LBUTTONDBLCLK: OnClick(window, list, NM_DBLCLK, lParam); return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    std::lock_guard<std::mutex> lock(listsMutex);
    Lists()[window] = std::make_unique<ListView>();
  }
  if (message == WM_DESTROY) {
    // The parent hears that the items it may have attached data to are gone.
    if (ListView* list = Find(window)) DeleteAllItems(window, *list);
  }
  if (message == WM_NCDESTROY) {
    LRESULT result = DefWindowProc(window, message, wParam, lParam);
    std::lock_guard<std::mutex> lock(listsMutex);
    Lists().erase(window);
    return result;
  }
  ListView* list = Find(window);
  return list ? ListMessage(window, *list, message, wParam, lParam) : DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

void InitCommonControls() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    WNDCLASSA listView{};
    listView.style = CS_DBLCLKS | CS_GLOBALCLASS;
    listView.lpfnWndProc = ListViewProc;
    listView.hCursor = LoadCursor(nullptr, IDC_ARROW);
    listView.lpszClassName = WC_LISTVIEW;
    RegisterClass(&listView);
  });
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  if (!controls || controls->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  InitCommonControls();
  return TRUE;
}
