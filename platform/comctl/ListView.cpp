// The list view: rows of texts under titled columns. This half keeps the
// items, their states and the columns, and answers the control's messages;
// ListViewDisplay.cpp shows them and takes the user's input.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <strings.h>
#include <vector>

#include "comctl/ListViewInternal.h"

namespace layer::comctl {
namespace {

constexpr int kAutoSizeExtra = 12;
constexpr int kAskedTextSize = 260;

// An item has a text for every column, and always its own.
size_t TextSlots(const ListView& list) { return std::max<size_t>(1, list.columns.size()); }

UINT& StateRef(ListView& list, size_t index) {
  return list.items.empty() ? list.virtualStates[index] : list.items[index].state;
}

LRESULT NotifyList(HWND window, UINT code, NMLISTVIEW& info) { return NotifyParent(window, code, &info.hdr); }

LRESULT NotifyItem(HWND window, UINT code, int index, LPARAM data) {
  NMLISTVIEW info{};
  info.iItem = index;
  info.lParam = data;
  return NotifyList(window, code, info);
}

// The parent may refuse a change of state (LVN_ITEMCHANGING answering
// non-zero); it hears of every change that happened.
void ChangeState(HWND window, ListView& list, size_t index, UINT state, UINT mask) {
  UINT& current = StateRef(list, index);
  const UINT changed = (current & ~mask) | (state & mask);
  if (changed == current) return;
  NMLISTVIEW info{};
  info.iItem = static_cast<int>(index);
  info.uNewState = changed;
  info.uOldState = current;
  info.uChanged = LVIF_STATE;
  info.lParam = DataOf(list, index);
  if (NotifyList(window, LVN_ITEMCHANGING, info)) return;
  current = changed;
  InvalidateItem(window, list, index);
  NotifyList(window, LVN_ITEMCHANGED, info);
}

// A list that keeps no items tells of a change to all of them at once.
BOOL SetVirtualStateOfAll(HWND window, ListView& list, UINT state, UINT mask) {
  NMLISTVIEW info{};
  info.iItem = -1;
  info.uNewState = state & mask;
  info.uChanged = LVIF_STATE;
  info.uOldState = 0;
  if (NotifyList(window, LVN_ITEMCHANGING, info)) return FALSE;
  for (UINT& current : list.virtualStates) current = (current & ~mask) | (state & mask);
  InvalidateRect(window, nullptr, TRUE);
  NotifyList(window, LVN_ITEMCHANGED, info);
  return TRUE;
}

// A sorted list places a new item by its text, after the items whose texts
// equal it; case does not count.
size_t SortedPlace(HWND window, const ListView& list, const std::string& text) {
  const bool descending = (GetWindowLong(window, GWL_STYLE) & LVS_SORTDESCENDING) != 0;
  const auto before = [&](const ListItem& other) {
    const int order = strcasecmp(text.c_str(), other.texts.empty() ? "" : other.texts[0].c_str());
    return descending ? order > 0 : order < 0;
  };
  return static_cast<size_t>(std::find_if(list.items.begin(), list.items.end(), before) - list.items.begin());
}

int InsertItem(HWND window, ListView& list, const LVITEM* request) {
  if (!request || request->iItem < 0 || request->iSubItem != 0 || OwnsData(window)) return -1;
  size_t index = std::min<size_t>(static_cast<size_t>(request->iItem), list.items.size());
  ListItem item;
  item.texts.resize(TextSlots(list));
  item.askedTexts.resize(TextSlots(list));
  if ((request->mask & LVIF_TEXT) && request->pszText == LPSTR_TEXTCALLBACK) item.askedTexts[0] = true;
  else if ((request->mask & LVIF_TEXT) && request->pszText) item.texts[0] = request->pszText;
  if (GetWindowLong(window, GWL_STYLE) & (LVS_SORTASCENDING | LVS_SORTDESCENDING))
    index = SortedPlace(window, list, item.texts[0]);
  if (request->mask & LVIF_PARAM) item.data = request->lParam;
  if (request->mask & LVIF_IMAGE) item.image = request->iImage;
  list.items.insert(list.items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  if (list.selectionMark >= static_cast<int>(index)) ++list.selectionMark;
  NotifyItem(window, LVN_INSERTITEM, static_cast<int>(index), list.items[index].data);
  if (request->mask & LVIF_STATE) SetState(window, list, index, request->state, request->stateMask);
  UpdateScrollBars(window, list);
  InvalidateRect(window, nullptr, TRUE);
  return static_cast<int>(index);
}

BOOL SetItemText(HWND window, ListView& list, WPARAM index, const LVITEM* request) {
  if (!request || !ValidItem(list, index) || request->iSubItem < 0 || OwnsData(window)) return FALSE;
  const auto column = static_cast<size_t>(request->iSubItem);
  if (column >= TextSlots(list)) return FALSE;
  ListItem& item = list.items[index];
  item.askedTexts[column] = request->pszText == LPSTR_TEXTCALLBACK;
  item.texts[column] = request->pszText && !item.askedTexts[column] ? request->pszText : "";
  InvalidateItem(window, list, index);
  return TRUE;
}

BOOL SetItem(HWND window, ListView& list, const LVITEM* request) {
  if (!request || request->iItem < 0 || !ValidItem(list, static_cast<WPARAM>(request->iItem))) return FALSE;
  const auto index = static_cast<WPARAM>(request->iItem);
  if (OwnsData(window)) {
    if (request->mask & ~LVIF_STATE) return FALSE;
  } else {
    if ((request->mask & LVIF_TEXT) && !SetItemText(window, list, index, request)) return FALSE;
    if (request->mask & LVIF_PARAM) list.items[index].data = request->lParam;
    if (request->mask & LVIF_IMAGE) list.items[index].image = request->iImage;
  }
  if (request->mask & LVIF_STATE) SetState(window, list, index, request->state, request->stateMask);
  InvalidateItem(window, list, index);
  return TRUE;
}

BOOL GetItem(HWND window, const ListView& list, LVITEM* request) {
  if (!request || request->iItem < 0 || !ValidItem(list, static_cast<WPARAM>(request->iItem))) return FALSE;
  const auto index = static_cast<size_t>(request->iItem);
  if (request->mask & LVIF_TEXT) {
    if (request->iSubItem < 0 || static_cast<size_t>(request->iSubItem) >= TextSlots(list)) return FALSE;
    CopyText(CellText(window, list, index, static_cast<size_t>(request->iSubItem)), request->pszText,
             request->cchTextMax);
  }
  if (request->mask & LVIF_STATE) request->state = StateOf(list, index) & request->stateMask;
  if (request->mask & LVIF_PARAM) request->lParam = DataOf(list, index);
  if (request->mask & LVIF_IMAGE) request->iImage = ImageOf(window, list, index);
  return TRUE;
}

int GetItemText(HWND window, const ListView& list, WPARAM index, LVITEM* request) {
  if (!request || !ValidItem(list, index) || request->iSubItem < 0) return 0;
  const auto column = static_cast<size_t>(request->iSubItem);
  const std::string text = column < TextSlots(list) ? CellText(window, list, index, column) : std::string();
  return CopyText(text, request->pszText, request->cchTextMax);
}

void AfterRemoval(HWND window, ListView& list) {
  list.topIndex = std::max(0, std::min(list.topIndex, ItemCount(list) - CountPerPage(window, list)));
  if (list.selectionMark >= ItemCount(list)) list.selectionMark = -1;
  UpdateScrollBars(window, list);
  InvalidateRect(window, nullptr, TRUE);
}

BOOL DeleteItem(HWND window, ListView& list, WPARAM index) {
  if (!ValidItem(list, index)) return FALSE;
  if (OwnsData(window)) {
    --list.virtualCount;
    list.virtualStates.erase(list.virtualStates.begin() + static_cast<std::ptrdiff_t>(index));
    NotifyItem(window, LVN_DELETEITEM, static_cast<int>(index), 0);
  } else {
    NotifyItem(window, LVN_DELETEITEM, static_cast<int>(index), list.items[index].data);
    list.items.erase(list.items.begin() + static_cast<std::ptrdiff_t>(index));
  }
  AfterRemoval(window, list);
  return TRUE;
}

// The parent that answers LVN_DELETEALLITEMS with TRUE hears of no single
// deletion.
BOOL DeleteAllItems(HWND window, ListView& list) {
  if (!NotifyItem(window, LVN_DELETEALLITEMS, -1, 0)) {
    for (int i = 0; i < ItemCount(list); ++i)
      NotifyItem(window, LVN_DELETEITEM, i, DataOf(list, static_cast<size_t>(i)));
  }
  list.items.clear();
  list.virtualCount = 0;
  list.virtualStates.clear();
  list.topIndex = 0;
  list.selectionMark = -1;
  AfterRemoval(window, list);
  return TRUE;
}

// A list of LVS_OWNERDATA gets its count; another only makes room.
BOOL SetItemCount(HWND window, ListView& list, WPARAM count, LPARAM flags) {
  if (!OwnsData(window)) {
    list.items.reserve(count);
    return TRUE;
  }
  if (count > 100000000) return FALSE;
  list.virtualCount = static_cast<int>(count);
  list.virtualStates.resize(count, 0);
  if (list.selectionMark >= list.virtualCount) list.selectionMark = -1;
  if (!(flags & LVSICF_NOSCROLL))
    list.topIndex = std::max(0, std::min(list.topIndex, list.virtualCount - CountPerPage(window, list)));
  UpdateScrollBars(window, list);
  if (!(flags & LVSICF_NOINVALIDATEALL)) InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

// Items keep their states and data through the sort; the order is the
// parent's comparison's, items it finds equal keep theirs.
BOOL SortItems(HWND window, ListView& list, LPARAM sortData, PFNLVCOMPARE compare) {
  if (!compare || OwnsData(window)) return FALSE;
  std::stable_sort(list.items.begin(), list.items.end(), [&](const ListItem& a, const ListItem& b) {
    return compare(a.data, b.data, sortData) < 0;
  });
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

HDITEM HeaderItemOf(const ListColumn& column) {
  HDITEM item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.cxy = column.width;
  item.pszText = const_cast<LPSTR>(column.title.c_str());
  item.fmt = HDF_STRING | (column.format & HDF_JUSTIFYMASK);
  return item;
}

void WriteColumn(ListColumn& column, const LVCOLUMN& request) {
  if ((request.mask & LVCF_TEXT) && request.pszText) column.title = request.pszText;
  if (request.mask & LVCF_WIDTH) column.width = std::max(request.cx, 0);
  if (request.mask & LVCF_FMT) column.format = request.fmt;
}

int InsertColumn(HWND window, ListView& list, WPARAM position, const LVCOLUMN* request) {
  if (!request) return -1;
  const size_t index = std::min<size_t>(position, list.columns.size());
  ListColumn column;
  WriteColumn(column, *request);
  // The items' own texts belong to the first column that is made.
  if (!list.columns.empty()) {
    for (ListItem& item : list.items) {
      item.texts.insert(item.texts.begin() + static_cast<std::ptrdiff_t>(index), std::string());
      item.askedTexts.insert(item.askedTexts.begin() + static_cast<std::ptrdiff_t>(index), false);
    }
  }
  list.columns.insert(list.columns.begin() + static_cast<std::ptrdiff_t>(index), column);
  HDITEM item = HeaderItemOf(column);
  SendMessage(list.header, HDM_INSERTITEM, index, reinterpret_cast<LPARAM>(&item));
  UpdateScrollBars(window, list);
  InvalidateRect(window, nullptr, TRUE);
  return static_cast<int>(index);
}

BOOL SetColumn(HWND window, ListView& list, WPARAM index, const LVCOLUMN* request) {
  if (!request || index >= list.columns.size()) return FALSE;
  WriteColumn(list.columns[index], *request);
  HDITEM item = HeaderItemOf(list.columns[index]);
  SendMessage(list.header, HDM_SETITEM, index, reinterpret_cast<LPARAM>(&item));
  UpdateScrollBars(window, list);
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

BOOL DeleteColumn(HWND window, ListView& list, WPARAM index) {
  if (index >= list.columns.size()) return FALSE;
  // The items keep their own texts when the last column goes.
  const bool lastColumn = list.columns.size() == 1;
  list.columns.erase(list.columns.begin() + static_cast<std::ptrdiff_t>(index));
  if (!lastColumn) {
    for (ListItem& item : list.items) {
      item.texts.erase(item.texts.begin() + static_cast<std::ptrdiff_t>(index));
      item.askedTexts.erase(item.askedTexts.begin() + static_cast<std::ptrdiff_t>(index));
    }
  }
  SendMessage(list.header, HDM_DELETEITEM, index, 0);
  UpdateScrollBars(window, list);
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

BOOL GetColumn(const ListView& list, WPARAM index, LVCOLUMN* request) {
  if (!request || index >= list.columns.size()) return FALSE;
  const ListColumn& column = list.columns[index];
  if (request->mask & LVCF_FMT) request->fmt = column.format;
  if (request->mask & LVCF_WIDTH) request->cx = column.width;
  if (request->mask & LVCF_SUBITEM) request->iSubItem = static_cast<int>(index);
  if (request->mask & LVCF_TEXT) CopyText(column.title, request->pszText, request->cchTextMax);
  return TRUE;
}

int AutoWidth(HWND window, ListView& list, size_t index, bool withTitle) {
  return WithFont(window, list.font, [&](HDC dc) {
    int widest = withTitle ? TextWidth(dc, list.columns[index].title) : 0;
    for (int i = 0; i < ItemCount(list); ++i)
      widest = std::max(widest, TextWidth(dc, CellText(window, list, static_cast<size_t>(i), index)));
    return widest + kAutoSizeExtra;
  });
}

int SelectedCount(const ListView& list) {
  int count = 0;
  for (int i = 0; i < ItemCount(list); ++i)
    if (StateOf(list, static_cast<size_t>(i)) & LVIS_SELECTED) ++count;
  return count;
}

// The header speaks to the list; its parent hears it too, and may refuse a
// drag or size a column itself on a divider's double click. The list follows
// the widths, and a click on a title is a click on the column.
LRESULT OnHeaderNote(HWND window, ListView& list, WPARAM wParam, NMHEADER* note) {
  HWND parent = GetParent(window);
  const LRESULT answer = parent ? SendMessage(parent, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(note)) : 0;
  const UINT code = note->hdr.code;
  const auto column = static_cast<size_t>(note->iItem);
  if (code == HDN_ITEMCHANGED && column < list.columns.size()) {
    HDITEM item = WidthItem(0);
    SendMessage(list.header, HDM_GETITEM, column, reinterpret_cast<LPARAM>(&item));
    list.columns[column].width = item.cxy;
    UpdateScrollBars(window, list);
    InvalidateRect(window, nullptr, TRUE);
  } else if (code == HDN_ITEMCLICK) {
    NMLISTVIEW info{};
    info.iItem = -1;
    info.iSubItem = note->iItem;
    NotifyList(window, LVN_COLUMNCLICK, info);
  } else if (code == HDN_DIVIDERDBLCLICK && column < list.columns.size() && answer == 0) {
    SetColumnWidth(window, list, column, LVSCW_AUTOSIZE);
  }
  return answer;
}

void MakeHeader(HWND window, ListView& list) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  DWORD headerStyle = WS_CHILD | HDS_HORZ | HDS_FULLDRAG;
  if (!(style & LVS_NOSORTHEADER)) headerStyle |= HDS_BUTTONS;
  if (IsReport(window) && !(style & LVS_NOCOLUMNHEADER)) headerStyle |= WS_VISIBLE;
  else headerStyle |= HDS_HIDDEN;
  list.header = CreateWindowEx(0, WC_HEADER, nullptr, headerStyle, 0, 0, 0, 0, window, nullptr, nullptr, nullptr);
  LayoutHeader(window, list);
}

LRESULT Messages(HWND window, ListView& list, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: MakeHeader(window, list); return 0;
    case LVM_GETITEMCOUNT: return ItemCount(list);
    case LVM_INSERTITEM: return InsertItem(window, list, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_SETITEM: return SetItem(window, list, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEM: return GetItem(window, list, reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEMTEXT: return SetItemText(window, list, wParam, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEMTEXT: return GetItemText(window, list, wParam, reinterpret_cast<LVITEM*>(lParam));
    case LVM_DELETEITEM: return DeleteItem(window, list, wParam);
    case LVM_DELETEALLITEMS: return DeleteAllItems(window, list);
    case LVM_SETITEMCOUNT: return SetItemCount(window, list, wParam, lParam);
    case LVM_SORTITEMS: return SortItems(window, list, static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    case LVM_SETITEMSTATE: {
      const auto* request = reinterpret_cast<const LVITEM*>(lParam);
      return request ? SetState(window, list, wParam, request->state, request->stateMask) : FALSE;
    }
    case LVM_GETITEMSTATE:
      return ValidItem(list, wParam) ? static_cast<LRESULT>(StateOf(list, wParam) & static_cast<UINT>(lParam)) : 0;
    case LVM_GETNEXTITEM: return NextItem(list, wParam, lParam);
    case LVM_GETSELECTEDCOUNT: return SelectedCount(list);
    case LVM_GETSELECTIONMARK: return list.selectionMark;
    case LVM_SETSELECTIONMARK: {
      const int old = list.selectionMark;
      list.selectionMark = ValidItem(list, static_cast<WPARAM>(lParam)) ? static_cast<int>(lParam) : -1;
      return old;
    }
    case LVM_INSERTCOLUMN: return InsertColumn(window, list, wParam, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_SETCOLUMN: return SetColumn(window, list, wParam, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN: return DeleteColumn(window, list, wParam);
    case LVM_GETCOLUMN: return GetColumn(list, wParam, reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_GETCOLUMNWIDTH: return wParam < list.columns.size() ? list.columns[wParam].width : 0;
    case LVM_SETCOLUMNWIDTH: return SetColumnWidth(window, list, wParam, static_cast<short>(LOWORD(lParam)));
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(list.header);
    case LVM_GETSTRINGWIDTH: {
      const char* text = reinterpret_cast<const char*>(lParam);
      return text ? WithFont(window, list.font, [&](HDC dc) { return TextWidth(dc, text); }) : 0;
    }
    case LVM_SETIMAGELIST: {
      if (wParam > LVSIL_STATE) return 0;
      HIMAGELIST old = list.images[wParam];
      list.images[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
      InvalidateRect(window, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETIMAGELIST: return wParam <= LVSIL_STATE ? reinterpret_cast<LRESULT>(list.images[wParam]) : 0;
    case LVM_GETBKCOLOR: return static_cast<LRESULT>(list.background);
    case LVM_SETBKCOLOR: list.background = static_cast<COLORREF>(lParam); return TRUE;
    case LVM_GETTEXTCOLOR: return static_cast<LRESULT>(list.textColor);
    case LVM_SETTEXTCOLOR: list.textColor = static_cast<COLORREF>(lParam); return TRUE;
    case LVM_GETTEXTBKCOLOR: return static_cast<LRESULT>(list.textBackground);
    case LVM_SETTEXTBKCOLOR: list.textBackground = static_cast<COLORREF>(lParam); return TRUE;
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return static_cast<LRESULT>(list.extendedStyle);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      const DWORD old = list.extendedStyle;
      const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFU;
      list.extendedStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
      InvalidateRect(window, nullptr, TRUE);
      return static_cast<LRESULT>(old);
    }
    case WM_NOTIFY: {
      auto* note = reinterpret_cast<NMHDR*>(lParam);
      if (note && list.header && note->hwndFrom == list.header)
        return OnHeaderNote(window, list, wParam, reinterpret_cast<NMHEADER*>(note));
      return DefWindowProc(window, message, wParam, lParam);
    }
    case WM_SETFONT:
      list.font = reinterpret_cast<HFONT>(wParam);
      SendMessage(list.header, WM_SETFONT, wParam, lParam);
      ForgetRowHeight(list);
      LayoutHeader(window, list);
      UpdateScrollBars(window, list);
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(list.font);
    case WM_DESTROY:
      // The parent hears that the items it may have attached data to are gone.
      DeleteAllItems(window, list);
      return DefWindowProc(window, message, wParam, lParam);
    default: {
      LRESULT result = 0;
      if (DisplayMessage(window, list, message, wParam, lParam, &result)) return result;
      return DefWindowProc(window, message, wParam, lParam);
    }
  }
}

}  // namespace

bool OwnsData(HWND window) { return (GetWindowLong(window, GWL_STYLE) & LVS_OWNERDATA) != 0; }
bool IsReport(HWND window) { return (GetWindowLong(window, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT; }

int ItemCount(const ListView& list) {
  return list.items.empty() ? list.virtualCount : static_cast<int>(list.items.size());
}

bool ValidItem(const ListView& list, WPARAM index) { return index < static_cast<WPARAM>(ItemCount(list)); }

UINT StateOf(const ListView& list, size_t index) {
  return list.items.empty() ? list.virtualStates[index] : list.items[index].state;
}

LPARAM DataOf(const ListView& list, size_t index) { return list.items.empty() ? 0 : list.items[index].data; }

std::string CellText(HWND window, const ListView& list, size_t index, size_t column) {
  const bool kept = !list.items.empty();
  if (kept && column >= list.items[index].texts.size()) return {};
  if (kept && !list.items[index].askedTexts[column]) return list.items[index].texts[column];
  char buffer[kAskedTextSize] = {};
  NMLVDISPINFO info{};
  info.item.mask = LVIF_TEXT;
  info.item.iItem = static_cast<int>(index);
  info.item.iSubItem = static_cast<int>(column);
  info.item.pszText = buffer;
  info.item.cchTextMax = kAskedTextSize;
  info.item.lParam = DataOf(list, index);
  NotifyParent(window, LVN_GETDISPINFO, &info.hdr);
  if (!info.item.pszText || info.item.pszText == LPSTR_TEXTCALLBACK) return {};
  // The parent may point at a text of its own instead of filling the buffer.
  if (info.item.pszText == buffer) return std::string(buffer, strnlen(buffer, kAskedTextSize));
  return info.item.pszText;
}

int ImageOf(HWND window, const ListView& list, size_t index) {
  if (!list.items.empty() && list.items[index].image != I_IMAGECALLBACK) return list.items[index].image;
  NMLVDISPINFO info{};
  info.item.mask = LVIF_IMAGE;
  info.item.iItem = static_cast<int>(index);
  info.item.iImage = -1;
  info.item.lParam = DataOf(list, index);
  NotifyParent(window, LVN_GETDISPINFO, &info.hdr);
  return info.item.iImage;
}

// Only one item holds the focus, and with single selection only one is
// selected: taking either from the others comes first.
BOOL SetState(HWND window, ListView& list, WPARAM index, UINT state, UINT mask) {
  const bool all = index == static_cast<WPARAM>(-1);
  if (!all && !ValidItem(list, index)) return FALSE;
  if (all && list.items.empty() && OwnsData(window)) return SetVirtualStateOfAll(window, list, state, mask);
  UINT exclusive = 0;
  if (!all && (mask & state & LVIS_FOCUSED)) exclusive |= LVIS_FOCUSED;
  if (!all && (mask & state & LVIS_SELECTED) && (GetWindowLong(window, GWL_STYLE) & LVS_SINGLESEL))
    exclusive |= LVIS_SELECTED;
  const auto count = static_cast<size_t>(ItemCount(list));
  for (size_t i = 0; i < count; ++i) {
    if (all || i == index) ChangeState(window, list, i, state, mask);
    else if (exclusive && (StateOf(list, i) & exclusive)) ChangeState(window, list, i, 0, exclusive);
  }
  return TRUE;
}

int NextItem(const ListView& list, WPARAM start, LPARAM flags) {
  const UINT wanted = (flags & LVNI_SELECTED ? LVIS_SELECTED : 0) | (flags & LVNI_FOCUSED ? LVIS_FOCUSED : 0);
  const int count = ItemCount(list);
  const int from = start == static_cast<WPARAM>(-1) ? -1 : static_cast<int>(start);
  if (from >= count) return -1;
  const int step = flags & LVNI_ABOVE ? -1 : 1;
  int i = from < 0 ? (step > 0 ? 0 : -1) : from + step;
  for (; i >= 0 && i < count; i += step)
    if ((StateOf(list, static_cast<size_t>(i)) & wanted) == wanted) return i;
  return -1;
}

// LVSCW_AUTOSIZE fits the widest cell; LVSCW_AUTOSIZE_USEHEADER the title too.
// The header takes the width and tells the list (and its parent) of it.
BOOL SetColumnWidth(HWND window, ListView& list, WPARAM index, int width) {
  if (index >= list.columns.size()) return FALSE;
  if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)
    width = AutoWidth(window, list, index, width == LVSCW_AUTOSIZE_USEHEADER);
  list.columns[index].width = std::max(width, 0);
  HDITEM item = WidthItem(list.columns[index].width);
  SendMessage(list.header, HDM_SETITEM, index, reinterpret_cast<LPARAM>(&item));
  UpdateScrollBars(window, list);
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

void RegisterListViewClass() { RegisterControlClass(WC_LISTVIEW, StateProc<ListView, Messages>, CS_DBLCLKS); }

}  // namespace layer::comctl

void InitCommonControls() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    layer::comctl::RegisterHeaderClass();
    layer::comctl::RegisterListViewClass();
    layer::comctl::RegisterToolTipClass();
    layer::comctl::RegisterToolbarClass();
    layer::comctl::RegisterStatusBarClass();
  });
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  if (!controls || controls->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  InitCommonControls();
  return TRUE;
}
