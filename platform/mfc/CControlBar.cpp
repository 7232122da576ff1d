#include "mfc/CControlBar.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "mfc/CDockBar.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CWinApp.h"
#include "win32/Resources.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_WM_ERASEBKGND()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

namespace {

constexpr int kBorderLine = 2;   // a CBRS_BORDER_ side's lines
constexpr int kDockReach = 24;   // a bar let go this close to a side docks there

// The side a bar lies along, from its alignment.
bool Horizontal(DWORD style) { return (style & CBRS_ORIENT_HORZ) != 0 || !(style & CBRS_ORIENT_VERT); }

}  // namespace

CControlBar::~CControlBar() {
  if (m_pDockBar) m_pDockBar->RemoveBar(this);
}

void CControlBar::SetBarStyle(DWORD style) {
  const DWORD old = m_dwStyle;
  m_dwStyle = style & CBRS_ALL;
  if (m_hWnd && ((old ^ m_dwStyle) & (CBRS_BORDER_ANY | CBRS_ALIGN_ANY)))
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::EnableDocking(DWORD style) {
  m_dwDockStyle = style & CBRS_ALIGN_ANY;
  if (!m_pDockSite) m_pDockSite = GetParentFrame();
}

BOOL CControlBar::IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }

CFrameWnd* CControlBar::GetDockingFrame() const {
  if (m_pDockSite) return m_pDockSite;
  return GetParentFrame();
}

BOOL CControlBar::IsHorizontal() const { return Horizontal(m_dwStyle); }

CSize CControlBar::BorderSize(BOOL horizontal) const {
  CSize size(m_cxLeftBorder + m_cxRightBorder, m_cyTopBorder + m_cyBottomBorder);
  if (!horizontal) size = CSize(m_cyTopBorder + m_cyBottomBorder, m_cxLeftBorder + m_cxRightBorder);
  if (m_dwStyle & CBRS_BORDER_LEFT) size.cx += kBorderLine;
  if (m_dwStyle & CBRS_BORDER_RIGHT) size.cx += kBorderLine;
  if (m_dwStyle & CBRS_BORDER_TOP) size.cy += kBorderLine;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) size.cy += kBorderLine;
  return size;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL horizontal) const {
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += kBorderLine;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += kBorderLine;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= kBorderLine;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kBorderLine;
  if (horizontal) {
    rect.left += m_cxLeftBorder;
    rect.right -= m_cxRightBorder;
    rect.top += m_cyTopBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    rect.left += m_cyTopBorder;
    rect.right -= m_cyBottomBorder;
    rect.top += m_cxLeftBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

// A plain bar is as large as its borders; stretched it takes the whole side.
CSize CControlBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  CSize size = BorderSize(horizontal);
  if (stretch) {
    if (horizontal) size.cx = 32767;
    else size.cy = 32767;
  }
  return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD mode) {
  return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZ) != 0);
}

// The bar takes its strip off the free rectangle's side it is aligned to.
LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (!layout || !(GetStyle() & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY)) return 0;
  const BOOL horizontal = IsHorizontal();
  CSize size = (m_dwStyle & CBRS_SIZE_DYNAMIC)
                   ? CalcDynamicLayout(-1, (horizontal ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK) | (layout->bStretch ? LM_STRETCH : 0))
                   : CalcFixedLayout(layout->bStretch, horizontal);
  RECT& free = layout->rect;
  size.cx = std::min<LONG>(size.cx, free.right - free.left);
  size.cy = std::min<LONG>(size.cy, free.bottom - free.top);
  RECT place = free;
  switch (m_dwStyle & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
      place.bottom = place.top + size.cy;
      free.top += size.cy;
      break;
    case CBRS_ALIGN_BOTTOM:
      place.top = place.bottom - size.cy;
      free.bottom -= size.cy;
      break;
    case CBRS_ALIGN_LEFT:
      place.right = place.left + size.cx;
      free.left += size.cx;
      break;
    case CBRS_ALIGN_RIGHT:
      place.left = place.right - size.cx;
      free.right -= size.cx;
      break;
    default: return 0;
  }
  if (horizontal) {
    place.right = place.left + size.cx;
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
  } else {
    place.bottom = place.top + size.cy;
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
  }
  AfxRepositionWindow(layout, m_hWnd, &place);
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  if (CFrameWnd* target = GetDockingFrame()) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  return 0;
}

BOOL CControlBar::OnEraseBkgnd(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  ::FillRect(dc->GetSafeHdc(), &client, GetSysColorBrush(COLOR_BTNFACE));
  return TRUE;
}

// The border lines and margins lie outside the client area, where the
// items are.
void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params) {
  CRect inside(params->rgrc[0]);
  CalcInsideRect(inside, IsHorizontal());
  if (inside.right < inside.left) inside.right = inside.left;
  if (inside.bottom < inside.top) inside.bottom = inside.top;
  params->rgrc[0] = inside;
}

void CControlBar::DrawBorders(CDC* dc, CRect& rect) {
  HDC handle = dc->GetSafeHdc();
  const auto line = [handle](int left, int top, int right, int bottom, int color) {
    RECT area{left, top, right, bottom};
    ::FillRect(handle, &area, GetSysColorBrush(color));
  };
  if (m_dwStyle & CBRS_BORDER_TOP) {
    line(rect.left, rect.top, rect.right, rect.top + 1, COLOR_BTNSHADOW);
    line(rect.left, rect.top + 1, rect.right, rect.top + 2, COLOR_BTNHIGHLIGHT);
  }
  if (m_dwStyle & CBRS_BORDER_BOTTOM) {
    line(rect.left, rect.bottom - 2, rect.right, rect.bottom - 1, COLOR_BTNSHADOW);
    line(rect.left, rect.bottom - 1, rect.right, rect.bottom, COLOR_BTNHIGHLIGHT);
  }
  if (m_dwStyle & CBRS_BORDER_LEFT) {
    line(rect.left, rect.top, rect.left + 1, rect.bottom, COLOR_BTNSHADOW);
    line(rect.left + 1, rect.top, rect.left + 2, rect.bottom, COLOR_BTNHIGHLIGHT);
  }
  if (m_dwStyle & CBRS_BORDER_RIGHT) {
    line(rect.right - 2, rect.top, rect.right - 1, rect.bottom, COLOR_BTNSHADOW);
    line(rect.right - 1, rect.top, rect.right, rect.bottom, COLOR_BTNHIGHLIGHT);
  }
}

void CControlBar::OnNcPaint() {
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  CDC* dc = GetWindowDC();
  CRect inside = window;
  CalcInsideRect(inside, IsHorizontal());
  // The margins around the client area get the bar's colour, then the lines.
  const RECT strips[] = {{window.left, window.top, window.right, inside.top},
                         {window.left, inside.bottom, window.right, window.bottom},
                         {window.left, inside.top, inside.left, inside.bottom},
                         {inside.right, inside.top, window.right, inside.bottom}};
  for (const RECT& strip : strips)
    if (strip.right > strip.left && strip.bottom > strip.top) ::FillRect(dc->GetSafeHdc(), &strip, GetSysColorBrush(COLOR_BTNFACE));
  DrawBorders(dc, window);
  ReleaseDC(dc);
}

// Tool tips and fly-by prompts follow the pointer over the bar's items.
BOOL CControlBar::PreTranslateMessage(MSG* msg) {
  const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
  if (mouse && msg->hwnd == m_hWnd && (m_dwStyle & (CBRS_TOOLTIPS | CBRS_FLYBY))) ShowTipFor(*msg);
  return CWnd::PreTranslateMessage(msg);
}

void CControlBar::ShowTipFor(const MSG& msg) {
  TOOLINFO info{};
  info.cbSize = sizeof info;
  const CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
  const INT_PTR hit = msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN ? OnToolHitTest(point, &info) : m_lastHit;
  if (hit != m_lastHit) {
    if (m_tips.m_hWnd && m_lastHit >= 0) {
      TOOLINFO old{};
      old.cbSize = sizeof old;
      old.hwnd = m_hWnd;
      old.uId = static_cast<UINT_PTR>(m_lastHit);
      m_tips.SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&old));
    }
    if ((m_dwStyle & CBRS_TOOLTIPS) && hit >= 0) {
      if (!m_tips.m_hWnd) m_tips.Create(this, TTS_ALWAYSTIP);
      info.hwnd = m_hWnd;
      info.uId = static_cast<UINT_PTR>(hit);
      m_tips.SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info));
    }
    if (m_dwStyle & CBRS_FLYBY) ShowPrompt(hit >= 0 ? static_cast<UINT>(hit) : AFX_IDS_IDLEMESSAGE);
    m_lastHit = hit;
  }
  if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK) std::free(info.lpszText);
  if (m_tips.m_hWnd) m_tips.RelayEvent(const_cast<MSG*>(&msg));
}

void CControlBar::ShowPrompt(UINT id) {
  if (id == m_promptShown) return;
  m_promptShown = id;
  if (CFrameWnd* frame = GetDockingFrame()) frame->SendMessage(WM_SETMESSAGESTRING, id);
}

INT_PTR CControlBar::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }

// A tip asked for by callback is the owner's to give; failing that, the
// text after the line feed of the command's string.
BOOL CControlBar::AnswerTipText(NMHDR* header, LRESULT* result) {
  auto* info = reinterpret_cast<NMTTDISPINFO*>(header);
  info->szText[0] = '\0';
  info->lpszText = info->szText;
  *result = 0;
  if (CFrameWnd* frame = GetDockingFrame()) frame->SendMessage(WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
  if (info->lpszText && info->lpszText != LPSTR_TEXTCALLBACK && (info->lpszText != info->szText || info->szText[0]))
    return TRUE;
  char text[256] = {};
  LoadString(AfxGetResourceHandle(), static_cast<UINT>(header->idFrom), text, sizeof text);
  const char* tip = std::strchr(text, '\n');
  std::snprintf(info->szText, sizeof info->szText, "%s", tip ? tip + 1 : "");
  info->lpszText = info->szText;
  return TRUE;
}

// Commands and notifications of the bar's controls are its frame's to handle.
LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    if (header && header->code == TTN_NEEDTEXT && header->hwndFrom == m_tips.m_hWnd && AnswerTipText(header, &result))
      return result;
  }
  if (message == WM_COMMAND) {
    if (CFrameWnd* frame = GetDockingFrame()) return frame->SendMessage(message, wParam, lParam);
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void CControlBar::PostNcDestroy() {
  if (m_pDockBar) m_pDockBar->RemoveBar(this);
  m_pDockBar = nullptr;
  CWnd::PostNcDestroy();
}

void CControlBar::StartDrag(CPoint point) {
  if (!m_dwDockStyle || !m_pDockSite) return;
  m_dragging = true;
  m_dragStart = point;
  SetCapture();
}

void CControlBar::OnMouseMove(UINT, CPoint) { Default(); }

void CControlBar::OnLButtonUp(UINT, CPoint point) {
  if (!m_dragging) {
    Default();
    return;
  }
  m_dragging = false;
  ReleaseCapture();
  if (point == m_dragStart) return;  // a click, not a drag
  ClientToScreen(&point);
  EndDrag(point);
}

void CControlBar::OnCaptureChanged(CWnd* window) {
  if (window != this) m_dragging = false;
  Default();
}

// Let go near a side of the frame that both allow, the bar docks there;
// anywhere else it floats where it was let go.
void CControlBar::EndDrag(CPoint screen) {
  CFrameWnd* frame = m_pDockSite;
  CRect area;
  frame->GetClientRect(&area);
  frame->ClientToScreen(&area);
  struct Side {
    DWORD align;
    UINT dockBar;
    bool near;
  };
  const bool inside = area.PtInRect(screen) != FALSE;
  const Side sides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP, inside && screen.y < area.top + kDockReach},
                        {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, inside && screen.y >= area.bottom - kDockReach},
                        {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, inside && screen.x < area.left + kDockReach},
                        {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT, inside && screen.x >= area.right - kDockReach}};
  for (const Side& side : sides) {
    if (side.near && (m_dwDockStyle & side.align) && frame->GetControlBar(side.dockBar)) {
      frame->DockControlBar(this, side.dockBar);
      return;
    }
  }
  frame->FloatControlBar(this, screen, m_dwStyle & CBRS_ALIGN_ANY);
}
