// The header: titled items side by side, each as wide as the column it
// heads. Its parent hears of clicks and of the user dragging a divider, and
// may refuse the drag before it starts.
#include <algorithm>
#include <string>
#include <vector>

#include "comctl/CommCtrl.h"
#include "comctl/ControlSupport.h"
#include "user/ControlDrawing.h"

namespace layer::comctl {
namespace {

constexpr int kDividerReach = 4;  // a press this close to a divider drags it
constexpr int kTextIndent = 6;
constexpr int kHeightPadding = 6;

struct HeaderItem {
  std::string title;
  int width = 0;
  int format = HDF_LEFT | HDF_STRING;
  LPARAM data = 0;
};

struct Header {
  std::vector<HeaderItem> items;
  HFONT font = nullptr;
  int pressed = -1;        // the item held down by the left button
  bool pressedInside = false;
  int tracked = -1;        // the item whose divider is being dragged
  int trackOffset = 0;     // from the pointer to the divider when the drag began
};

bool ValidItem(const Header& header, WPARAM index) { return index < header.items.size(); }

RECT ItemRect(HWND window, const Header& header, size_t index) {
  RECT client;
  GetClientRect(window, &client);
  int left = 0;
  for (size_t i = 0; i < index; ++i) left += header.items[i].width;
  return RECT{left, 0, left + header.items[index].width, client.bottom};
}

// Fills an HDITEM from an item, as far as its mask asks.
void ReadItem(const HeaderItem& item, HDITEM* request) {
  if (request->mask & HDI_WIDTH) request->cxy = item.width;
  if (request->mask & HDI_FORMAT) request->fmt = item.format;
  if (request->mask & HDI_LPARAM) request->lParam = item.data;
  if (request->mask & HDI_TEXT) CopyText(item.title, request->pszText, request->cchTextMax);
}

void WriteItem(HeaderItem& item, const HDITEM& request) {
  if (request.mask & HDI_WIDTH) item.width = std::max(request.cxy, 0);
  if (request.mask & HDI_FORMAT) item.format = request.fmt;
  if (request.mask & HDI_LPARAM) item.data = request.lParam;
  if ((request.mask & HDI_TEXT) && request.pszText) item.title = request.pszText;
}

LRESULT NotifyItem(HWND window, UINT code, int index, HDITEM* item, int button = 0) {
  NMHEADER info{};
  info.iItem = index;
  info.iButton = button;
  info.pitem = item;
  return NotifyParent(window, code, &info.hdr);
}

// A change the parent may refuse with HDN_ITEMCHANGING; it hears of every
// change made with HDN_ITEMCHANGED.
BOOL ChangeItem(HWND window, Header& header, size_t index, HDITEM request) {
  if (NotifyItem(window, HDN_ITEMCHANGING, static_cast<int>(index), &request)) return FALSE;
  WriteItem(header.items[index], request);
  NotifyItem(window, HDN_ITEMCHANGED, static_cast<int>(index), &request);
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

int InsertItem(HWND window, Header& header, WPARAM position, const HDITEM* request) {
  if (!request) return -1;
  const size_t index = std::min<size_t>(position, header.items.size());
  HeaderItem item;
  WriteItem(item, *request);
  header.items.insert(header.items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  InvalidateRect(window, nullptr, TRUE);
  return static_cast<int>(index);
}

BOOL DeleteItem(HWND window, Header& header, WPARAM index) {
  if (!ValidItem(header, index)) return FALSE;
  header.items.erase(header.items.begin() + static_cast<std::ptrdiff_t>(index));
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

// Points right of an item's right edge by up to kDividerReach still count as
// its divider, so that an item dragged down to nothing can be found again.
void HitTest(HWND window, const Header& header, HDHITTESTINFO& info) {
  RECT client;
  GetClientRect(window, &client);
  info.iItem = -1;
  info.flags = 0;
  const POINT pt = info.pt;
  if (pt.y < client.top) info.flags |= HHT_ABOVE;
  if (pt.y >= client.bottom) info.flags |= HHT_BELOW;
  if (pt.x < client.left) info.flags |= HHT_TOLEFT;
  if (pt.x >= client.right) info.flags |= HHT_TORIGHT;
  if (info.flags) return;
  int left = 0;
  for (size_t i = 0; i < header.items.size(); ++i) {
    const int right = left + header.items[i].width;
    if (pt.x >= right - kDividerReach && pt.x <= right + kDividerReach) {
      info.iItem = static_cast<int>(i);
      info.flags = HHT_ONDIVIDER;
    } else if (info.flags != HHT_ONDIVIDER && pt.x >= left && pt.x < right) {
      info.iItem = static_cast<int>(i);
      info.flags = HHT_ONHEADER;
    }
    left = right;
  }
  if (!info.flags) info.flags = HHT_NOWHERE;
}

HDHITTESTINFO HitAt(HWND window, const Header& header, LPARAM point) {
  HDHITTESTINFO info{};
  info.pt = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  HitTest(window, header, info);
  return info;
}

int Height(HWND window, const Header& header) {
  return WithFont(window, header.font, [](HDC dc) { return FontHeight(dc) + kHeightPadding; });
}

// Places the header at the top of the rectangle and takes its height off it.
BOOL Layout(HWND window, const Header& header, HDLAYOUT* layout) {
  if (!layout || !layout->prc || !layout->pwpos) return FALSE;
  const bool hidden = (GetWindowLong(window, GWL_STYLE) & HDS_HIDDEN) != 0;
  const int height = hidden ? 0 : Height(window, header);
  RECT& area = *layout->prc;
  *layout->pwpos = WINDOWPOS{window, nullptr, area.left, area.top, area.right - area.left, height, SWP_NOZORDER};
  area.top += height;
  return TRUE;
}

void DrawItemText(HDC dc, const HeaderItem& item, RECT cell) {
  InflateRect(&cell, -kTextIndent, 0);
  UINT align = DT_LEFT;
  if ((item.format & HDF_JUSTIFYMASK) == HDF_RIGHT) align = DT_RIGHT;
  if ((item.format & HDF_JUSTIFYMASK) == HDF_CENTER) align = DT_CENTER;
  DrawText(dc, item.title.c_str(), static_cast<int>(item.title.size()), &cell,
           align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Paint(HWND window, const Header& header) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HGDIOBJ oldFont = SelectObject(dc, FontOr(header.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  int right = 0;
  for (size_t i = 0; i < header.items.size(); ++i) {
    RECT cell = ItemRect(window, header, i);
    right = cell.right;
    if (cell.right <= cell.left) continue;
    const bool down = header.pressedInside && header.pressed == static_cast<int>(i);
    DrawFrameControl(dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    if (down) OffsetRect(&cell, 1, 1);
    DrawItemText(dc, header.items[i], cell);
  }
  // The space after the last item looks like an item without a title.
  if (right < client.right) {
    RECT rest{right, 0, client.right, client.bottom};
    DrawFrameControl(dc, &rest, DFC_BUTTON, DFCS_BUTTONPUSH);
  }
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

int TrackedWidth(const Header& header, HWND window, LPARAM point) {
  const RECT cell = ItemRect(window, header, static_cast<size_t>(header.tracked));
  return std::max(0, GET_X_LPARAM(point) + header.trackOffset - cell.left);
}

void OnButtonDown(HWND window, Header& header, LPARAM point) {
  const HDHITTESTINFO hit = HitAt(window, header, point);
  if (hit.flags & HHT_ONDIVIDER) {
    HDITEM item = WidthItem(header.items[static_cast<size_t>(hit.iItem)].width);
    if (NotifyItem(window, HDN_BEGINTRACK, hit.iItem, &item)) return;
    header.tracked = hit.iItem;
    header.trackOffset = ItemRect(window, header, static_cast<size_t>(hit.iItem)).right - GET_X_LPARAM(point);
    SetCapture(window);
    return;
  }
  if ((hit.flags & HHT_ONHEADER) && (GetWindowLong(window, GWL_STYLE) & HDS_BUTTONS)) {
    header.pressed = hit.iItem;
    header.pressedInside = true;
    SetCapture(window);
    InvalidateRect(window, nullptr, TRUE);
  }
}

bool FullDrag(HWND window) { return (GetWindowLong(window, GWL_STYLE) & HDS_FULLDRAG) != 0; }

bool OverPressedItem(HWND window, const Header& header, LPARAM point) {
  const HDHITTESTINFO hit = HitAt(window, header, point);
  return hit.iItem == header.pressed && (hit.flags & HHT_ONHEADER);
}

// A drag of full width changes the item as the pointer moves; otherwise the
// parent hears where the divider would go, and the item changes at the end.
void OnMouseMove(HWND window, Header& header, LPARAM point) {
  if (header.tracked >= 0) {
    HDITEM item = WidthItem(TrackedWidth(header, window, point));
    if (FullDrag(window)) ChangeItem(window, header, static_cast<size_t>(header.tracked), item);
    else NotifyItem(window, HDN_TRACK, header.tracked, &item);
    return;
  }
  if (header.pressed >= 0) {
    const bool inside = OverPressedItem(window, header, point);
    if (inside != header.pressedInside) {
      header.pressedInside = inside;
      InvalidateRect(window, nullptr, TRUE);
    }
  }
}

// The end of a drag tells the parent the width reached and makes it the
// item's width; a click released over the item it began on is a click.
void OnButtonUp(HWND window, Header& header, LPARAM point) {
  if (header.tracked >= 0) {
    const auto index = static_cast<size_t>(header.tracked);
    HDITEM item = WidthItem(TrackedWidth(header, window, point));
    header.tracked = -1;
    ReleaseCapture();
    NotifyItem(window, HDN_ENDTRACK, static_cast<int>(index), &item);
    if (index < header.items.size() && header.items[index].width != item.cxy) ChangeItem(window, header, index, item);
    return;
  }
  if (header.pressed >= 0) {
    const int index = header.pressed;
    const bool inside = OverPressedItem(window, header, point);
    header.pressed = -1;
    header.pressedInside = false;
    ReleaseCapture();
    InvalidateRect(window, nullptr, TRUE);
    if (inside) NotifyItem(window, HDN_ITEMCLICK, index, nullptr);
  }
}

void OnDoubleClick(HWND window, Header& header, LPARAM point) {
  const HDHITTESTINFO hit = HitAt(window, header, point);
  if (hit.flags & HHT_ONDIVIDER) NotifyItem(window, HDN_DIVIDERDBLCLICK, hit.iItem, nullptr);
  else if ((hit.flags & HHT_ONHEADER) && (GetWindowLong(window, GWL_STYLE) & HDS_BUTTONS))
    NotifyItem(window, HDN_ITEMDBLCLICK, hit.iItem, nullptr);
}

BOOL OnSetCursor(HWND window, const Header& header) {
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(window, &pt);
  HDHITTESTINFO hit{pt, 0, -1};
  HitTest(window, header, hit);
  if (!(hit.flags & HHT_ONDIVIDER)) return FALSE;
  SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
  return TRUE;
}

LRESULT HeaderMessage(HWND window, Header& header, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case HDM_GETITEMCOUNT: return static_cast<LRESULT>(header.items.size());
    case HDM_INSERTITEM: return InsertItem(window, header, wParam, reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM: return DeleteItem(window, header, wParam);
    case HDM_GETITEM: {
      auto* request = reinterpret_cast<HDITEM*>(lParam);
      if (!request || !ValidItem(header, wParam)) return FALSE;
      ReadItem(header.items[wParam], request);
      return TRUE;
    }
    case HDM_SETITEM: {
      const auto* request = reinterpret_cast<const HDITEM*>(lParam);
      return request && ValidItem(header, wParam) ? ChangeItem(window, header, wParam, *request) : FALSE;
    }
    case HDM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!rect || !ValidItem(header, wParam)) return FALSE;
      *rect = ItemRect(window, header, wParam);
      return TRUE;
    }
    case HDM_HITTEST: {
      auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
      if (!info) return -1;
      HitTest(window, header, *info);
      return info->iItem;
    }
    case HDM_LAYOUT: return Layout(window, header, reinterpret_cast<HDLAYOUT*>(lParam));
    case WM_SETFONT:
      header.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(header.font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(window, header); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(window, header, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(window, header, lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(window, header, lParam); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(window, header, lParam); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) header.tracked = header.pressed = -1;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && OnSetCursor(window, header)) return TRUE;
      return DefWindowProc(window, message, wParam, lParam);
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterHeaderClass() {
  WNDCLASSA header{};
  header.style = CS_DBLCLKS | CS_GLOBALCLASS;
  header.lpfnWndProc = StateProc<Header, HeaderMessage>;
  header.hCursor = LoadCursor(nullptr, IDC_ARROW);
  header.lpszClassName = WC_HEADER;
  RegisterClass(&header);
}

}  // namespace layer::comctl
