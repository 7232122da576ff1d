#include "user/ControlDrawing.h"

#include <mutex>
#include <string>

#include "win32/Gdi.h"
#include "win32/UserWindows.h"

namespace {

void Line(HDC dc, int left, int top, int right, int bottom, int colour) {
  RECT box{left, top, right, bottom};
  FillRect(dc, &box, GetSysColorBrush(colour));
}

// One 1-pixel ring of an edge: the top and left in one colour, the bottom and right in another.
void Ring(HDC dc, RECT& rect, UINT flags, int topLeft, int bottomRight) {
  if (flags & BF_TOP) Line(dc, rect.left, rect.top, rect.right, rect.top + 1, topLeft);
  if (flags & BF_LEFT) Line(dc, rect.left, rect.top, rect.left + 1, rect.bottom, topLeft);
  if (flags & BF_BOTTOM) Line(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom, bottomRight);
  if (flags & BF_RIGHT) Line(dc, rect.right - 1, rect.top, rect.right, rect.bottom, bottomRight);
  if (flags & BF_TOP) ++rect.top;
  if (flags & BF_LEFT) ++rect.left;
  if (flags & BF_BOTTOM) --rect.bottom;
  if (flags & BF_RIGHT) --rect.right;
}

std::mutex painterMutex;
layer::ThemedPainter& Painter() {
  static auto* painter = new layer::ThemedPainter;
  return *painter;
}

void Triangle(HDC dc, const RECT& box, UINT direction, COLORREF colour) {
  int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  int size = std::max(2, static_cast<int>(std::min(box.right - box.left, box.bottom - box.top)) / 4);
  HBRUSH brush = CreateSolidBrush(colour);
  for (int i = 0; i < size; ++i) {
    RECT row;
    switch (direction) {
      case DFCS_SCROLLUP: row = RECT{cx - i, cy - size / 2 + i, cx + i + 1, cy - size / 2 + i + 1}; break;
      case DFCS_SCROLLLEFT: row = RECT{cx - size / 2 + i, cy - i, cx - size / 2 + i + 1, cy + i + 1}; break;
      case DFCS_SCROLLRIGHT: row = RECT{cx + size / 2 - i, cy - i, cx + size / 2 - i + 1, cy + i + 1}; break;
      default: row = RECT{cx - (size - 1 - i), cy - size / 2 + i, cx + (size - 1 - i) + 1, cy - size / 2 + i + 1}; break;
    }
    FillRect(dc, &row, brush);
  }
  DeleteObject(brush);
}

void CheckMark(HDC dc, const RECT& box, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  int w = box.right - box.left, x = box.left + w / 4, y = box.top + (box.bottom - box.top) / 2;
  for (int i = 0; i < 3; ++i) {
    MoveToEx(dc, x, y - 1 + i, nullptr);
    LineTo(dc, x + 2, y + 1 + i);
    LineTo(dc, x + w / 2 + 2, y - w / 4 + i);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

RECT MarkBox(const RECT& rect) {
  int size = 13;
  int top = rect.top + (rect.bottom - rect.top - size) / 2;
  return RECT{rect.left, top, rect.left + size, top + size};
}

void ClassicButton(HDC dc, RECT rect, UINT state) {
  UINT kind = state & 0xFF;
  bool inactive = state & DFCS_INACTIVE;
  if (kind & DFCS_BUTTONPUSH) {
    if (state & layer::kThemeDefault) {
      FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&rect, -1, -1);
    }
    if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
      FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
      InflateRect(&rect, -1, -1);
      FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    } else {
      DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    return;
  }
  RECT box = MarkBox(rect);
  if (kind & DFCS_BUTTONRADIO) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(inactive ? COLOR_BTNFACE : COLOR_WINDOW));
    Ellipse(dc, box.left, box.top, box.right - 1, box.bottom - 1);
    if (state & DFCS_CHECKED) {
      SelectObject(dc, GetSysColorBrush(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
      Ellipse(dc, box.left + 4, box.top + 4, box.right - 5, box.bottom - 5);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    return;
  }
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  bool indeterminate = (kind & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
  FillRect(dc, &box, GetSysColorBrush(inactive || indeterminate ? COLOR_BTNFACE : COLOR_WINDOW));
  if (state & DFCS_CHECKED) CheckMark(dc, box, GetSysColor(inactive || indeterminate ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
}

}  // namespace

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
  if (!rect) return FALSE;
  RECT inner = *rect;
  if (flags & BF_MONO) {
    Ring(dc, inner, flags, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
  } else if (flags & BF_FLAT) {
    Ring(dc, inner, flags, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
  } else {
    if (edge & BDR_RAISEDOUTER) Ring(dc, inner, flags, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    else if (edge & BDR_SUNKENOUTER) Ring(dc, inner, flags, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    if (edge & BDR_RAISEDINNER) Ring(dc, inner, flags, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    else if (edge & BDR_SUNKENINNER) Ring(dc, inner, flags, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  }
  if (flags & BF_MIDDLE) FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
  if (flags & BF_ADJUST) *rect = inner;
  return TRUE;
}

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
  if (!rect) return FALSE;
  if (layer::PaintThemed(dc, *rect, type, state)) return TRUE;
  switch (type) {
    case DFC_BUTTON:
      ClassicButton(dc, *rect, state);
      return TRUE;
    case DFC_SCROLL: {
      RECT box = *rect;
      if (state & DFCS_PUSHED) {
        FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&box, -1, -1);
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
      } else {
        DrawEdge(dc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
      }
      UINT direction = (state & 0xFF) == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : state & 0xFF;
      Triangle(dc, box, direction, GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
      return TRUE;
    }
    case DFC_MENU: {
      COLORREF colour = GetTextColor(dc);
      if ((state & 0xFF) == DFCS_MENUARROW) Triangle(dc, *rect, DFCS_SCROLLRIGHT, colour);
      else if ((state & 0xFF) == DFCS_MENUCHECK) CheckMark(dc, *rect, colour);
      else {
        HBRUSH brush = CreateSolidBrush(colour);
        HGDIOBJ old = SelectObject(dc, brush);
        int cx = (rect->left + rect->right) / 2, cy = (rect->top + rect->bottom) / 2;
        Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
        SelectObject(dc, old);
        DeleteObject(brush);
      }
      return TRUE;
    }
    default:
      return FALSE;
  }
}

namespace layer {

void SetThemedPainter(ThemedPainter painter) {
  std::lock_guard<std::mutex> lock(painterMutex);
  Painter() = std::move(painter);
}

bool PaintThemed(HDC dc, const RECT& rect, UINT type, UINT state) {
  ThemedPainter painter;
  {
    std::lock_guard<std::mutex> lock(painterMutex);
    painter = Painter();
  }
  return painter && painter(dc, rect, type, state);
}

void DrawMnemonicText(HDC dc, const char* text, RECT rect, UINT format, bool underline) {
  std::string shown;
  int mnemonic = -1;
  for (const char* at = text; *at; ++at) {
    if (*at == '&' && !(format & DT_NOPREFIX)) {
      if (at[1] == '&') {
        shown += '&';
        ++at;
        continue;
      }
      if (at[1] && mnemonic < 0) mnemonic = static_cast<int>(shown.size());
      continue;
    }
    shown += *at;
  }
  DrawText(dc, shown.c_str(), static_cast<int>(shown.size()), &rect, format | DT_NOPREFIX);
  if (!underline || mnemonic < 0 || !(format & DT_SINGLELINE) || (format & DT_CALCRECT)) return;
  SIZE whole{}, before{}, letter{};
  GetTextExtentPoint32(dc, shown.c_str(), static_cast<int>(shown.size()), &whole);
  GetTextExtentPoint32(dc, shown.c_str(), mnemonic, &before);
  GetTextExtentPoint32(dc, shown.c_str() + mnemonic, 1, &letter);
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  int x = rect.left;
  if (format & DT_CENTER) x = rect.left + (rect.right - rect.left - whole.cx) / 2;
  else if (format & DT_RIGHT) x = rect.right - whole.cx;
  int top = rect.top;
  if (format & DT_VCENTER) top = rect.top + (rect.bottom - rect.top - metrics.tmHeight) / 2;
  else if (format & DT_BOTTOM) top = rect.bottom - metrics.tmHeight;
  int y = top + metrics.tmAscent + 1;
  RECT line{x + before.cx, y, x + before.cx + letter.cx, y + 1};
  HBRUSH brush = CreateSolidBrush(GetTextColor(dc));
  FillRect(dc, &line, brush);
  DeleteObject(brush);
}

}  // namespace layer
