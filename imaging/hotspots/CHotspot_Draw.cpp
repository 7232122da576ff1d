// Drawing one hotspot: the invert pass, the frame pass and the label pass.
// Inverting passes are their own inverse, so that a state change can be
// shown on the picture as it stands, without a repaint.
#include <algorithm>

#include "CHotspot.h"
#include "CHotspots.h"
#include "mfc/CBitmap.h"
#include "mfc/CBrush.h"
#include "mfc/CDC.h"
#include "mfc/CFont.h"
#include "mfc/CPalette.h"
#include "mfc/CPen.h"
#include "mfc/CWnd.h"

namespace {

RECT Moved(RECT r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }
RECT Inflated(RECT r, int by) { return RECT{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

void DrawShape(CDC* dc, int shape, const RECT& r) {
  if (shape == 2)
    dc->Ellipse(&r);
  else
    dc->Rectangle(&r);
}

}  // namespace

void CHotspot::Redraw(CWnd* window, int scrollX, int scrollY, CPalette* palette) {
  if (!window) return;
  CDC* dc = window->GetDC();
  if (!dc) return;
  CPalette* oldPalette = palette ? dc->SelectPalette(palette, TRUE) : nullptr;
  if (palette) dc->RealizePalette();
  Draw(dc, -scrollX, -scrollY);
  if (palette) dc->SelectPalette(oldPalette, TRUE);
  window->ReleaseDC(dc);
}

void CHotspot::SetSelected(BOOL on, CWnd* window, int scrollX, int scrollY) {
  on = on ? TRUE : FALSE;
  if (on == m_bSelected) return;
  m_bSelected = on;
  if (!window || !m_pOwner || m_pOwner->m_nDrawStyle < 16) return;
  int margin = 2 * std::max(m_pOwner->m_nFrameWidth, m_pOwner->m_nInvertWidth);
  RECT area = Inflated(Moved(m_rcDisplay, -scrollX, -scrollY), margin);
  window->InvalidateRect(&area, TRUE);
}

BOOL CHotspot::NeedsFramePass() const {
  int lo = m_pOwner->m_nDrawStyle & 0x0F, hi = m_pOwner->m_nDrawStyle & 0xF0;
  return lo == 2 || lo == 3 || lo == 4 || hi == 0x20;
}

BOOL CHotspot::NeedsInvertPass() const {
  int lo = m_pOwner->m_nDrawStyle & 0x0F, hi = m_pOwner->m_nDrawStyle & 0xF0;
  if (lo == 1 || lo == 4) return m_bRedraw || m_bActive;
  return hi == 0x10 && m_bSelected && !m_bRedraw;
}

void CHotspot::InvertShape(CDC* dc, const RECT& shape, BOOL withFramePen) {
  CPen pen(PS_SOLID, withFramePen ? m_pOwner->m_nPenWidth : 0, RGB(0, 0, 0));
  CBrush brush(RGB(0, 0, 0));
  int oldMode = dc->SetROP2(R2_NOT);
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(&brush);
  DrawShape(dc, m_pOwner->m_nShape, shape);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
  dc->SetROP2(oldMode);
}

// Drawn white on black in a bitmap of its own and laid over the picture with
// SRCINVERT, so that every outline pixel toggles exactly once however thick
// the pen and wherever its strokes overlap.
void CHotspot::InvertOutline(CDC* dc, const RECT& frame) {
  int pen = m_pOwner->m_nPenWidth;
  int width = frame.right - frame.left + 2 * pen;
  int height = frame.bottom - frame.top + 2 * pen;
  if (width <= 0 || height <= 0) return;
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(dc) || !bitmap.CreateCompatibleBitmap(dc, width, height)) return;
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  memory.PatBlt(0, 0, width, height, BLACKNESS);
  CPen white(PS_SOLID, pen, RGB(255, 255, 255));
  CPen* oldPen = memory.SelectObject(&white);
  CGdiObject* oldBrush = memory.SelectStockObject(BLACK_BRUSH);
  RECT shape{pen, pen, pen + frame.right - frame.left, pen + frame.bottom - frame.top};
  DrawShape(&memory, m_pOwner->m_nShape, shape);
  dc->BitBlt(frame.left - pen, frame.top - pen, width, height, &memory, 0, 0, SRCINVERT);
  memory.SelectObject(oldBrush);
  memory.SelectObject(oldPen);
  memory.SelectObject(oldBitmap);
}

void CHotspot::DrawFrame(CDC* dc, const RECT& frame) {
  COLORREF colour = m_bActive ? m_pOwner->m_clrActive[ColorMode()] : m_pOwner->m_clrNormal[ColorMode()];
  CPen pen(PS_SOLID, m_pOwner->m_nPenWidth, colour);
  CPen* oldPen = dc->SelectObject(&pen);
  CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
  DrawShape(dc, m_pOwner->m_nShape, frame);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

void CHotspot::DrawLabel(CDC* dc, const RECT& box) {
  int lo = m_pOwner->m_nDrawStyle & 0x0F, hi = m_pOwner->m_nDrawStyle & 0xF0;
  bool high = (m_bActive && (lo == 1 || lo == 4)) || (m_bSelected && hi == 0x10);
  int oldBkMode = dc->SetBkMode(m_pOwner->m_nBkMode);
  COLORREF oldColour = dc->SetTextColor(high ? m_pOwner->m_clrTextHigh : m_pOwner->m_clrText);
  CFont* oldFont = dc->SelectObject(m_pOwner->m_pLabelFont);
  int oldMode = dc->SetROP2(R2_COPYPEN);
  RECT r = box;
  dc->DrawText(m_strText, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
  dc->SetROP2(oldMode);
  dc->SelectObject(oldFont);
  dc->SetTextColor(oldColour);
  dc->SetBkMode(oldBkMode);
}

void CHotspot::Draw(CDC* dc, int dx, int dy) {
  if (!m_bEnabled || !dc || !m_pOwner) return;
  int lo = m_pOwner->m_nDrawStyle & 0x0F, hi = m_pOwner->m_nDrawStyle & 0xF0;
  RECT r = Moved(m_rcDisplay, dx, dy);
  if (NeedsInvertPass()) {
    int grow = m_pOwner->m_nInvertWidth;
    InvertShape(dc, grow ? Inflated(r, grow) : r, NeedsFramePass());
  }
  if (NeedsFramePass() && m_pOwner->m_nPenWidth != 0) {
    int grow = m_pOwner->m_nFrameWidth;
    RECT frame = grow ? Inflated(r, grow) : r;
    bool selectionOutline = m_bSelected && !m_bRedraw;
    if (lo == 2) {
      if (m_bRedraw || m_bActive) {
        if (hi != 0x20)
          InvertOutline(dc, frame);
        else if (selectionOutline)
          InvertOutline(dc, frame);
      }
    } else if (hi == 0x20) {
      if (selectionOutline) InvertOutline(dc, frame);
    } else if (lo == 3 || lo == 4) {
      DrawFrame(dc, frame);
    }
  }
  if (m_pOwner->m_nTextMode == 1 && m_pOwner->m_pLabelFont) DrawLabel(dc, r);
  m_bRedraw = FALSE;
}
