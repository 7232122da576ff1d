// The list view on the screen: rows under the header, scrolled by items
// vertically and by pixels sideways, drawn by the list or by its parent
// (LVS_OWNERDRAWFIXED), and the mouse and keys that select and scroll.
#include <algorithm>
#include <string>

#include "comctl/ListViewInternal.h"
#include "user/Controls.h"

namespace layer::comctl {
namespace {

constexpr int kTextIndent = 6;    // text starts this far right of its cell's edge
constexpr int kRowPadding = 4;    // row height beyond the font's height
constexpr int kIconGap = 2;       // around a small image before the text
constexpr int kWheelDelta = 120;  // one notch of the wheel
constexpr int kWheelLines = 3;

bool OwnerDrawn(HWND window) { return IsReport(window) && (GetWindowLong(window, GWL_STYLE) & LVS_OWNERDRAWFIXED); }

RECT ClientOf(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return client;
}

// The part of the client area under the header, where the rows are.
RECT RowArea(HWND window, const ListView& list) {
  RECT area = ClientOf(window);
  area.top = std::min(area.bottom, area.top + HeaderHeight(list));
  return area;
}

int SmallImageWidth(const ListView& list) {
  int width = 0, height = 0;
  return ImageList_GetIconSize(list.images[LVSIL_SMALL], &width, &height) ? width + kIconGap : 0;
}

int PageRows(HWND window, ListView& list) { return std::max(1, CountPerPage(window, list)); }

int LastTop(HWND window, ListView& list) { return std::max(0, ItemCount(list) - PageRows(window, list)); }

RECT BoundsOf(HWND window, ListView& list, int index) {
  const RECT area = RowArea(window, list);
  const int height = RowHeight(window, list);
  const int top = area.top + (index - list.topIndex) * height;
  const int left = -list.xOrigin;
  return RECT{left, top, left + std::max(TotalWidth(list), IsReport(window) ? 0 : area.right), top + height};
}

// The cell of a column in an item's row.
RECT CellOf(const ListView& list, const RECT& bounds, size_t column) {
  int left = bounds.left;
  for (size_t c = 0; c < column && c < list.columns.size(); ++c) left += list.columns[c].width;
  const int width = column < list.columns.size() ? list.columns[column].width : bounds.right - bounds.left;
  return RECT{left, bounds.top, left + width, bounds.bottom};
}

COLORREF Chosen(COLORREF color, int system) { return color == CLR_DEFAULT || color == CLR_NONE ? GetSysColor(system) : color; }

UINT AlignmentOf(int format) {
  if ((format & LVCFMT_RIGHT) == LVCFMT_RIGHT) return DT_RIGHT;
  if ((format & LVCFMT_CENTER) == LVCFMT_CENTER) return DT_CENTER;
  return DT_LEFT;
}

void DrawCellText(HDC dc, RECT cell, const std::string& text, int format) {
  InflateRect(&cell, -kTextIndent, 0);
  if (cell.right <= cell.left || text.empty()) return;
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &cell,
           AlignmentOf(format) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The parent draws an owner-drawn row in the rectangle of the whole item.
void AskParentToDraw(HWND window, ListView& list, HDC dc, int index, const RECT& bounds) {
  const UINT state = StateOf(list, static_cast<size_t>(index));
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_LISTVIEW;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(window));
  item.itemID = static_cast<UINT>(index);
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = (state & LVIS_SELECTED ? ODS_SELECTED : 0) |
                   ((state & LVIS_FOCUSED) && GetFocus() == window ? ODS_FOCUS : 0);
  item.hwndItem = window;
  item.hDC = dc;
  item.rcItem = bounds;
  item.itemData = static_cast<ULONG_PTR>(DataOf(list, static_cast<size_t>(index)));
  if (HWND parent = GetParent(window)) SendMessage(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void DrawRow(HWND window, ListView& list, HDC dc, int index, const RECT& bounds) {
  const auto item = static_cast<size_t>(index);
  const UINT state = StateOf(list, item);
  const bool selected = state & LVIS_SELECTED;
  RECT row{bounds.left, bounds.top, std::max(bounds.right, ClientOf(window).right), bounds.bottom};
  if (selected) FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : Chosen(list.textColor, COLOR_WINDOWTEXT));
  const size_t columns = IsReport(window) ? list.columns.size() : 1;
  for (size_t c = 0; c < columns; ++c) {
    RECT cell = CellOf(list, bounds, c);
    if (!IsReport(window)) cell.right = row.right;
    if (c == 0 && list.images[LVSIL_SMALL]) {
      const int image = ImageOf(window, list, item);
      int width = 0, height = 0;
      ImageList_GetIconSize(list.images[LVSIL_SMALL], &width, &height);
      if (image >= 0)
        ImageList_Draw(list.images[LVSIL_SMALL], image, dc, cell.left + kIconGap,
                       cell.top + (cell.bottom - cell.top - height) / 2, ILD_TRANSPARENT);
      cell.left += SmallImageWidth(list);
    }
    DrawCellText(dc, cell, CellText(window, list, item, c), c < list.columns.size() ? list.columns[c].format : 0);
  }
  if ((state & LVIS_FOCUSED) && GetFocus() == window) DrawFocusRect(dc, &row);
}

void Paint(HWND window, ListView& list) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const RECT area = RowArea(window, list);
  HBRUSH background = list.background == CLR_DEFAULT || list.background == CLR_NONE
                          ? GetSysColorBrush(COLOR_WINDOW)
                          : CreateSolidBrush(list.background);
  FillRect(dc, &paint.rcPaint, background);
  HGDIOBJ oldFont = SelectObject(dc, FontOr(list.font));
  SetBkMode(dc, TRANSPARENT);
  const int height = RowHeight(window, list);
  // Only the rows that meet the area to paint are drawn.
  const int first = list.topIndex + std::max(0, static_cast<int>(paint.rcPaint.top - area.top) / height);
  const int last = std::min(ItemCount(list) - 1, list.topIndex + static_cast<int>(paint.rcPaint.bottom - area.top) / height);
  HRGN clip = CreateRectRgn(area.left, area.top, area.right, area.bottom);
  SelectClipRgn(dc, clip);
  for (int i = first; i <= last; ++i) {
    const RECT bounds = BoundsOf(window, list, i);
    if (OwnerDrawn(window)) AskParentToDraw(window, list, dc, i, bounds);
    else DrawRow(window, list, dc, i, bounds);
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  SelectObject(dc, oldFont);
  if (background != GetSysColorBrush(COLOR_WINDOW)) DeleteObject(background);
  EndPaint(window, &paint);
}

void ScrollSideways(HWND window, ListView& list, int x) {
  const int widest = std::max(0, TotalWidth(list) - (ClientOf(window).right));
  x = std::clamp(x, 0, widest);
  if (x == list.xOrigin) return;
  list.xOrigin = x;
  LayoutHeader(window, list);
  UpdateScrollBars(window, list);
  InvalidateRect(window, nullptr, TRUE);
}

int TrackPosition(HWND window, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(window, bar, &info);
  return info.nTrackPos;
}

void OnVScroll(HWND window, ListView& list, WORD code) {
  const int page = PageRows(window, list);
  switch (code) {
    case SB_LINEUP: ScrollToTop(window, list, list.topIndex - 1); break;
    case SB_LINEDOWN: ScrollToTop(window, list, list.topIndex + 1); break;
    case SB_PAGEUP: ScrollToTop(window, list, list.topIndex - page); break;
    case SB_PAGEDOWN: ScrollToTop(window, list, list.topIndex + page); break;
    case SB_TOP: ScrollToTop(window, list, 0); break;
    case SB_BOTTOM: ScrollToTop(window, list, LastTop(window, list)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollToTop(window, list, TrackPosition(window, SB_VERT)); break;
    default: break;
  }
}

void OnHScroll(HWND window, ListView& list, WORD code) {
  const int page = ClientOf(window).right;
  const int line = std::max(1, RowHeight(window, list));
  switch (code) {
    case SB_LINELEFT: ScrollSideways(window, list, list.xOrigin - line); break;
    case SB_LINERIGHT: ScrollSideways(window, list, list.xOrigin + line); break;
    case SB_PAGELEFT: ScrollSideways(window, list, list.xOrigin - page); break;
    case SB_PAGERIGHT: ScrollSideways(window, list, list.xOrigin + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollSideways(window, list, TrackPosition(window, SB_HORZ)); break;
    default: break;
  }
}

bool SingleSelection(HWND window) { return (GetWindowLong(window, GWL_STYLE) & LVS_SINGLESEL) != 0; }
bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Selects the items from the selection mark to index and no others.
void SelectRange(HWND window, ListView& list, int index) {
  const int mark = list.selectionMark >= 0 ? list.selectionMark : index;
  const int low = std::min(mark, index), high = std::max(mark, index);
  for (int i = 0; i < ItemCount(list); ++i) {
    const bool inside = i >= low && i <= high;
    if (inside != ((StateOf(list, static_cast<size_t>(i)) & LVIS_SELECTED) != 0))
      SetState(window, list, static_cast<WPARAM>(i), inside ? LVIS_SELECTED : 0, LVIS_SELECTED);
  }
}

// What a click or a key does to the selection: index alone selected and
// focused; with Ctrl (several selections allowed) its selection toggled;
// with Shift the range from the selection mark.
void SelectByUser(HWND window, ListView& list, int index, bool toggle, bool range) {
  const bool several = !SingleSelection(window);
  if (several && range) {
    SelectRange(window, list, index);
  } else if (several && toggle) {
    const UINT selected = StateOf(list, static_cast<size_t>(index)) & LVIS_SELECTED;
    SetState(window, list, static_cast<WPARAM>(index), selected ^ LVIS_SELECTED, LVIS_SELECTED);
    list.selectionMark = index;
  } else {
    for (int i = 0; i < ItemCount(list); ++i)
      if (i != index && (StateOf(list, static_cast<size_t>(i)) & LVIS_SELECTED))
        SetState(window, list, static_cast<WPARAM>(i), 0, LVIS_SELECTED);
    SetState(window, list, static_cast<WPARAM>(index), LVIS_SELECTED, LVIS_SELECTED);
    list.selectionMark = index;
  }
  SetState(window, list, static_cast<WPARAM>(index), LVIS_FOCUSED, LVIS_FOCUSED);
}

LRESULT NotifyActivate(HWND window, UINT code, const LVHITTESTINFO& hit, UINT keys) {
  NMITEMACTIVATE info{};
  info.iItem = hit.iItem;
  info.iSubItem = hit.iSubItem;
  info.ptAction = hit.pt;
  info.uKeyFlags = keys;
  return NotifyParent(window, code, &info.hdr);
}

LVHITTESTINFO HitAt(HWND window, ListView& list, LPARAM point) {
  LVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  HitTest(window, list, &hit);
  return hit;
}

// A press selects the item under it (or, on no item, lets every item go)
// and gives the list the focus; then the parent hears of the click.
void OnButtonDown(HWND window, ListView& list, UINT code, WPARAM keys, LPARAM point) {
  if (GetFocus() != window) SetFocus(window);
  const LVHITTESTINFO hit = HitAt(window, list, point);
  const bool toggle = keys & MK_CONTROL, range = keys & MK_SHIFT;
  if (hit.iItem >= 0) {
    const bool keepSelection = code == NM_RCLICK && (StateOf(list, static_cast<size_t>(hit.iItem)) & LVIS_SELECTED);
    if (!keepSelection) SelectByUser(window, list, hit.iItem, toggle && code == NM_CLICK, range && code == NM_CLICK);
  } else if (!toggle && !range && code != NM_DBLCLK) {
    SetState(window, list, static_cast<WPARAM>(-1), 0, LVIS_SELECTED);
  }
  const LRESULT handled = NotifyActivate(window, code, hit, static_cast<UINT>(keys));
  // A right click that the parent leaves alone asks for the context menu.
  if (code == NM_RCLICK && !handled) {
    POINT screen = hit.pt;
    ClientToScreen(window, &screen);
    SendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(screen.x, screen.y));
  }
}

int FocusedItem(const ListView& list) { return NextItem(list, static_cast<WPARAM>(-1), LVNI_FOCUSED); }

// The item a key moves the focus to, or -1 when it moves nothing.
int KeyTarget(HWND window, ListView& list, int key) {
  const int count = ItemCount(list);
  if (count == 0) return -1;
  const int focus = FocusedItem(list);
  const int page = PageRows(window, list);
  const int bottom = std::min(count - 1, list.topIndex + page - 1);
  switch (key) {
    case VK_UP: return focus < 0 ? 0 : std::max(0, focus - 1);
    case VK_DOWN: return focus < 0 ? 0 : std::min(count - 1, focus + 1);
    case VK_HOME: return 0;
    case VK_END: return count - 1;
    // Paging goes to the edge of what shows first, then a page further.
    case VK_PRIOR: return focus != list.topIndex ? list.topIndex : std::max(0, focus - page + 1);
    case VK_NEXT: return focus != bottom ? bottom : std::min(count - 1, focus + page - 1);
    case VK_SPACE: return focus;
    default: return -1;
  }
}

void OnKeyDown(HWND window, ListView& list, WPARAM key, LPARAM flags) {
  NMLVKEYDOWN note{};
  note.wVKey = static_cast<WORD>(key);
  note.flags = static_cast<UINT>(flags);
  NotifyParent(window, LVN_KEYDOWN, &note.hdr);
  if (!IsWindow(window)) return;
  if (key == VK_RETURN) {
    NMHDR header{};
    NotifyParent(window, NM_RETURN, &header);
    return;
  }
  const int target = KeyTarget(window, list, static_cast<int>(key));
  if (target < 0) return;
  const bool control = Held(VK_CONTROL);
  if (control && key != VK_SPACE) SetState(window, list, static_cast<WPARAM>(target), LVIS_FOCUSED, LVIS_FOCUSED);
  else SelectByUser(window, list, target, control, Held(VK_SHIFT));
  EnsureVisible(window, list, static_cast<WPARAM>(target), FALSE);
}

void OnWheel(HWND window, ListView& list, WPARAM wParam) {
  const int notches = static_cast<short>(HIWORD(wParam)) / kWheelDelta;
  ScrollToTop(window, list, list.topIndex - notches * kWheelLines);
}

void OnFocusChange(HWND window, ListView& list, UINT code) {
  const int focus = FocusedItem(list);
  if (focus >= 0) InvalidateItem(window, list, static_cast<size_t>(focus));
  NMHDR header{};
  NotifyParent(window, code, &header);
}

// An owner-drawn list asks its row height again when its place changes.
void OnPlaceChanged(HWND window, ListView& list) {
  if (OwnerDrawn(window)) ForgetRowHeight(list);
  LayoutHeader(window, list);
  UpdateScrollBars(window, list);
}

}  // namespace

int RowHeight(HWND window, ListView& list) {
  if (list.rowHeight > 0) return list.rowHeight;
  int height = WithFont(window, list.font, [](HDC dc) { return FontHeight(dc) + kRowPadding; });
  int iconWidth = 0, iconHeight = 0;
  if (ImageList_GetIconSize(list.images[LVSIL_SMALL], &iconWidth, &iconHeight)) height = std::max(height, iconHeight + 1);
  if (OwnerDrawn(window)) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTVIEW;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID(window));
    measure.itemHeight = static_cast<UINT>(height);
    if (HWND parent = GetParent(window))
      SendMessage(parent, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    if (measure.itemHeight > 0) height = static_cast<int>(measure.itemHeight);
  }
  list.rowHeight = height;
  return height;
}

void ForgetRowHeight(ListView& list) { list.rowHeight = 0; }

int HeaderHeight(const ListView& list) {
  if (!list.header || !IsWindowVisible(list.header)) return 0;
  RECT rect;
  GetWindowRect(list.header, &rect);
  return rect.bottom - rect.top;
}

int TotalWidth(const ListView& list) {
  int total = 0;
  for (const ListColumn& column : list.columns) total += column.width;
  return total;
}

int CountPerPage(HWND window, ListView& list) {
  const RECT area = RowArea(window, list);
  return std::max(0, static_cast<int>(area.bottom - area.top) / RowHeight(window, list));
}

// The header sits at the top, moved left with the rows.
void LayoutHeader(HWND window, ListView& list) {
  if (!list.header) return;
  RECT area = ClientOf(window);
  area.left -= list.xOrigin;
  WINDOWPOS place{};
  HDLAYOUT layout{&area, &place};
  SendMessage(list.header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  const bool shown = IsReport(window) && !(GetWindowLong(window, GWL_STYLE) & LVS_NOCOLUMNHEADER);
  SetWindowPos(list.header, nullptr, place.x, place.y, place.cx + list.xOrigin, shown ? place.cy : 0,
               SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// Showing or hiding a bar changes the client area, which may call for the
// other bar: the bars settle within two rounds.
void UpdateScrollBars(HWND window, ListView& list) {
  if (list.updatingBars || (GetWindowLong(window, GWL_STYLE) & LVS_NOSCROLL)) return;
  list.updatingBars = true;
  for (int round = 0; round < 2; ++round) {
    list.topIndex = std::clamp(list.topIndex, 0, LastTop(window, list));
    SCROLLINFO vertical{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, ItemCount(list) - 1),
                        static_cast<UINT>(CountPerPage(window, list)), list.topIndex, 0};
    SetScrollInfo(window, SB_VERT, &vertical, TRUE);
    const int width = IsReport(window) ? TotalWidth(list) : 0;
    list.xOrigin = std::clamp(list.xOrigin, 0, std::max(0, width - static_cast<int>(ClientOf(window).right)));
    SCROLLINFO horizontal{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, width - 1),
                          static_cast<UINT>(ClientOf(window).right), list.xOrigin, 0};
    SetScrollInfo(window, SB_HORZ, &horizontal, TRUE);
  }
  LayoutHeader(window, list);
  list.updatingBars = false;
}

void ScrollToTop(HWND window, ListView& list, int top) {
  top = std::clamp(top, 0, LastTop(window, list));
  if (top == list.topIndex) return;
  list.topIndex = top;
  SetScrollPos(window, SB_VERT, top, TRUE);
  const RECT area = RowArea(window, list);
  InvalidateRect(window, &area, TRUE);
}

BOOL EnsureVisible(HWND window, ListView& list, WPARAM index, BOOL partialOk) {
  if (!ValidItem(list, index)) return FALSE;
  const int item = static_cast<int>(index);
  const int page = PageRows(window, list);
  if (item < list.topIndex) ScrollToTop(window, list, item);
  else if (item >= list.topIndex + page) {
    const bool partlyShown = item == list.topIndex + CountPerPage(window, list) &&
                             BoundsOf(window, list, item).top < RowArea(window, list).bottom;
    if (!(partialOk && partlyShown)) ScrollToTop(window, list, item - page + 1);
  }
  return TRUE;
}

// LVIR_BOUNDS is the whole row; LVIR_ICON the small image's place; LVIR_LABEL
// the first column after the image.
BOOL ItemRect(HWND window, ListView& list, WPARAM index, RECT* rect) {
  if (!rect || !ValidItem(list, index)) return FALSE;
  const int part = rect->left;
  const RECT bounds = BoundsOf(window, list, static_cast<int>(index));
  RECT first = CellOf(list, bounds, 0);
  if (!IsReport(window)) first.right = bounds.right;
  const int iconRight = first.left + SmallImageWidth(list);
  switch (part) {
    case LVIR_BOUNDS: *rect = bounds; return TRUE;
    case LVIR_ICON: *rect = RECT{first.left, first.top, iconRight, first.bottom}; return TRUE;
    case LVIR_LABEL: *rect = RECT{iconRight, first.top, first.right, first.bottom}; return TRUE;
    case LVIR_SELECTBOUNDS: *rect = (list.extendedStyle & LVS_EX_FULLROWSELECT) ? bounds : first; return TRUE;
    default: return FALSE;
  }
}

BOOL SubItemRect(HWND window, ListView& list, WPARAM index, RECT* rect) {
  if (!rect || !ValidItem(list, index) || rect->top < 0) return FALSE;
  const auto column = static_cast<size_t>(rect->top);
  if (column > 0 && column >= list.columns.size()) return FALSE;
  if (column == 0) {
    if (rect->left == LVIR_BOUNDS) {
      *rect = CellOf(list, BoundsOf(window, list, static_cast<int>(index)), 0);
      return TRUE;
    }
    return ItemRect(window, list, index, rect);
  }
  *rect = CellOf(list, BoundsOf(window, list, static_cast<int>(index)), column);
  return TRUE;
}

int HitTest(HWND window, ListView& list, LVHITTESTINFO* info) {
  if (!info) return -1;
  info->iItem = -1;
  info->iSubItem = 0;
  info->flags = 0;
  const RECT area = RowArea(window, list);
  const POINT pt = info->pt;
  if (pt.y < area.top) info->flags |= LVHT_ABOVE;
  if (pt.y >= area.bottom) info->flags |= LVHT_BELOW;
  if (pt.x < area.left) info->flags |= LVHT_TOLEFT;
  if (pt.x >= area.right) info->flags |= LVHT_TORIGHT;
  if (info->flags) return -1;
  const int index = list.topIndex + static_cast<int>(pt.y - area.top) / RowHeight(window, list);
  const RECT bounds = index < ItemCount(list) ? BoundsOf(window, list, index) : RECT{};
  if (index >= ItemCount(list) || (IsReport(window) && pt.x >= bounds.right)) {
    info->flags = LVHT_NOWHERE;
    return -1;
  }
  for (size_t c = 1; c < list.columns.size(); ++c)
    if (pt.x >= CellOf(list, bounds, c).left) info->iSubItem = static_cast<int>(c);
  const RECT first = CellOf(list, bounds, 0);
  info->flags = pt.x < first.left + SmallImageWidth(list) && list.images[LVSIL_SMALL] ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
  info->iItem = index;
  return index;
}

void InvalidateItem(HWND window, ListView& list, size_t index) {
  const int item = static_cast<int>(index);
  if (item < list.topIndex || item > list.topIndex + CountPerPage(window, list)) return;
  RECT bounds = BoundsOf(window, list, item);
  bounds.left = 0;
  bounds.right = ClientOf(window).right;
  InvalidateRect(window, &bounds, TRUE);
}

bool DisplayMessage(HWND window, ListView& list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case LVM_GETITEMRECT: *result = ItemRect(window, list, wParam, reinterpret_cast<RECT*>(lParam)); return true;
    case LVM_GETSUBITEMRECT: *result = SubItemRect(window, list, wParam, reinterpret_cast<RECT*>(lParam)); return true;
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: *result = HitTest(window, list, reinterpret_cast<LVHITTESTINFO*>(lParam)); return true;
    case LVM_ENSUREVISIBLE: *result = EnsureVisible(window, list, wParam, static_cast<BOOL>(lParam)); return true;
    case LVM_GETTOPINDEX: *result = list.topIndex; return true;
    case LVM_GETCOUNTPERPAGE: *result = CountPerPage(window, list); return true;
    case LVM_SCROLL: {
      const int height = RowHeight(window, list);
      const int dy = static_cast<int>(lParam);
      ScrollToTop(window, list, list.topIndex + (dy >= 0 ? (dy + height - 1) / height : -((-dy + height - 1) / height)));
      ScrollSideways(window, list, list.xOrigin + static_cast<int>(wParam));
      *result = TRUE;
      return true;
    }
    case LVM_REDRAWITEMS:
      for (WPARAM i = wParam; i <= static_cast<WPARAM>(lParam) && ValidItem(list, i); ++i)
        InvalidateItem(window, list, i);
      *result = TRUE;
      return true;
    case WM_ERASEBKGND: *result = 1; return true;  // the paint covers the whole area
    case WM_PAINT: Paint(window, list); return true;
    case WM_SIZE: LayoutHeader(window, list); UpdateScrollBars(window, list); return true;
    case WM_WINDOWPOSCHANGED:
      *result = DefWindowProc(window, message, wParam, lParam);
      OnPlaceChanged(window, list);
      return true;
    case WM_VSCROLL: OnVScroll(window, list, LOWORD(wParam)); return true;
    case WM_HSCROLL: OnHScroll(window, list, LOWORD(wParam)); return true;
    case WM_MOUSEWHEEL: OnWheel(window, list, wParam); return true;
    case WM_LBUTTONDOWN: OnButtonDown(window, list, NM_CLICK, wParam, lParam); return true;
    case WM_LBUTTONDBLCLK: OnButtonDown(window, list, NM_DBLCLK, wParam, lParam); return true;
    case WM_RBUTTONDOWN: OnButtonDown(window, list, NM_RCLICK, wParam, lParam); return true;
    case WM_RBUTTONUP: return true;  // the press has asked for the context menu already
    case WM_RBUTTONDBLCLK: NotifyActivate(window, NM_RDBLCLK, HitAt(window, list, lParam), static_cast<UINT>(wParam)); return true;
    case WM_KEYDOWN: OnKeyDown(window, list, wParam, lParam); return true;
    case WM_GETDLGCODE: *result = DLGC_WANTARROWS | DLGC_WANTCHARS; return true;
    case WM_SETFOCUS: OnFocusChange(window, list, NM_SETFOCUS); return true;
    case WM_KILLFOCUS: OnFocusChange(window, list, NM_KILLFOCUS); return true;
    default: return false;
  }
}

}  // namespace layer::comctl
