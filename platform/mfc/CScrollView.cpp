#include "mfc/CScrollView.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "mfc/CFrameWnd.h"
#include "mfc/CScrollBar.h"
#include "win32/GdiPrint.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

// Lines one notch of the wheel scrolls: the desktop's usual setting.
constexpr int kWheelScrollLines = 3;
constexpr int kWheelDelta = 120;

// Sizes count without their sign; the most negative value has none to drop.
int Magnitude(int value) { return value == INT_MIN ? INT_MAX : std::abs(value); }

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

int ClampToInt(long long value) {
  return static_cast<int>(value < -INT_MAX ? -INT_MAX : (value > INT_MAX ? INT_MAX : value));
}

// The new position of one bar for a bar code.
int PositionForCode(int code, int position, int track, int line, int page) {
  switch (code) {
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return INT_MAX;
    case SB_LINEUP:
      return position - line;
    case SB_LINEDOWN:
      return position + line;
    case SB_PAGEUP:
      return position - page;
    case SB_PAGEDOWN:
      return position + page;
    case SB_THUMBTRACK:
      return track;
    default:
      return position;
  }
}

}  // namespace

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line) {
  int oldMapMode = m_nMapMode;
  // Device pixels are the only unit here: every mode counts as MM_TEXT.
  m_nMapMode = mapMode == 0 ? MM_TEXT : mapMode;
  m_totalLog = CSize(Magnitude(total.cx), Magnitude(total.cy));
  m_totalDev = m_totalLog;
  m_pageDev = CSize(Magnitude(page.cx), Magnitude(page.cy));
  m_lineDev = CSize(Magnitude(line.cx), Magnitude(line.cy));
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
  if (!m_hWnd) return;
  UpdateBars();
  if (oldMapMode != m_nMapMode) Invalidate(TRUE);
}

void CScrollView::GetDeviceScrollSizes(int& mapMode, SIZE& total, SIZE& page, SIZE& line) const {
  mapMode = m_nMapMode;
  total = m_totalDev;
  page = m_pageDev;
  line = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const { return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)); }

CPoint CScrollView::GetScrollPosition() const { return GetDeviceScrollPosition(); }

void CScrollView::ScrollToPosition(POINT position) {
  CPoint limited(Clamp(position.x, 0, GetScrollLimit(SB_HORZ)), Clamp(position.y, 0, GetScrollLimit(SB_VERT)));
  ScrollToDevicePosition(limited);
}

void CScrollView::ScrollToDevicePosition(POINT position) {
  int xOld = GetScrollPos(SB_HORZ);
  SetScrollPos(SB_HORZ, position.x);
  int yOld = GetScrollPos(SB_VERT);
  SetScrollPos(SB_VERT, position.y);
  // The bars may have limited the position; the content follows them.
  int dx = xOld - GetScrollPos(SB_HORZ);
  int dy = yOld - GetScrollPos(SB_VERT);
  if (dx || dy) ScrollWindow(dx, dy);
}

void CScrollView::GetScrollBarSizes(CSize& sizeScrollBars) {
  DWORD style = GetStyle();
  sizeScrollBars = CSize(0, 0);
  if (!GetScrollBarCtrl(SB_VERT)) {
    sizeScrollBars.cx = ::GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_BORDER) sizeScrollBars.cx -= ::GetSystemMetrics(SM_CXBORDER);
  }
  if (!GetScrollBarCtrl(SB_HORZ)) {
    sizeScrollBars.cy = ::GetSystemMetrics(SM_CYHSCROLL);
    if (style & WS_BORDER) sizeScrollBars.cy -= ::GetSystemMetrics(SM_CYBORDER);
  }
}

BOOL CScrollView::GetTrueClientSize(CSize& size, CSize& sizeScrollBars) {
  CRect client;
  GetClientRect(&client);
  size = CSize(client.right, client.bottom);
  DWORD style = GetStyle();
  GetScrollBarSizes(sizeScrollBars);
  // Bars that are shown now took their room from the client area.
  if (sizeScrollBars.cx != 0 && (style & WS_VSCROLL)) size.cx += sizeScrollBars.cx;
  if (sizeScrollBars.cy != 0 && (style & WS_HSCROLL)) size.cy += sizeScrollBars.cy;
  return size.cx > sizeScrollBars.cx && size.cy > sizeScrollBars.cy;
}

void CScrollView::GetScrollBarState(CSize sizeClient, CSize& needScrollBars, CSize& sizeRange, CPoint& move,
                                    BOOL insideClient) {
  CSize sizeScrollBars;
  GetScrollBarSizes(sizeScrollBars);
  sizeRange = m_totalDev - sizeClient;
  move = GetDeviceScrollPosition();
  bool needH = sizeRange.cx > 0;
  if (!needH) {
    move.x = 0;
  } else if (insideClient) {
    sizeRange.cy += sizeScrollBars.cy;  // the horizontal bar takes height from the client
  }
  bool needV = sizeRange.cy > 0;
  if (!needV) {
    move.y = 0;
  } else if (insideClient) {
    sizeRange.cx += sizeScrollBars.cx;
  }
  // The vertical bar's width can make the horizontal bar needed after all.
  if (needV && !needH && sizeRange.cx > 0) {
    needH = true;
    sizeRange.cy += sizeScrollBars.cy;
  }
  if (sizeRange.cx > 0 && move.x >= sizeRange.cx) move.x = sizeRange.cx;
  if (sizeRange.cy > 0 && move.y >= sizeRange.cy) move.y = sizeRange.cy;
  needScrollBars = CSize(needH, needV);
}

void CScrollView::UpdateBars() {
  if (m_bInsideUpdate) return;  // showing a bar sizes the window, which comes back here
  m_bInsideUpdate = TRUE;
  CSize sizeClient, sizeScrollBars;
  if (!GetTrueClientSize(sizeClient, sizeScrollBars)) {
    // No room even for the bars: a visible window shows none.
    CRect client;
    GetClientRect(&client);
    if (client.right > 0 && client.bottom > 0) EnableScrollBarCtrl(SB_BOTH, FALSE);
    m_bInsideUpdate = FALSE;
    return;
  }
  CSize need, sizeRange;
  CPoint move;
  GetScrollBarState(sizeClient, need, sizeRange, move, TRUE);
  // Each bar shown takes its room from the page of the other.
  if (need.cx) sizeClient.cy -= sizeScrollBars.cy;
  if (need.cy) sizeClient.cx -= sizeScrollBars.cx;
  ScrollToDevicePosition(move);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_PAGE | SIF_RANGE;
  info.nMin = 0;
  EnableScrollBarCtrl(SB_HORZ, need.cx);
  if (need.cx) {
    info.nPage = static_cast<UINT>(sizeClient.cx);
    info.nMax = m_totalDev.cx - 1;
    SetScrollInfo(SB_HORZ, &info, TRUE);
  }
  EnableScrollBarCtrl(SB_VERT, need.cy);
  if (need.cy) {
    info.nPage = static_cast<UINT>(sizeClient.cy);
    info.nMax = m_totalDev.cy - 1;
    SetScrollInfo(SB_VERT, &info, TRUE);
  }
  // The page may have grown over the position: keep the content at the limit.
  ScrollToDevicePosition(move);
  m_bInsideUpdate = FALSE;
}

void CScrollView::ResizeParentToFit(BOOL shrinkOnly) {
  CFrameWnd* frame = GetParentFrame();
  if (!frame) return;
  CSize client, sizeScrollBars;
  GetTrueClientSize(client, sizeScrollBars);
  CSize wanted = m_totalDev;
  if (shrinkOnly) wanted = CSize(std::min(wanted.cx, client.cx), std::min(wanted.cy, client.cy));
  CRect outer;
  frame->GetWindowRect(&outer);
  frame->SetWindowPos(nullptr, 0, 0, std::max(0, outer.Width() + wanted.cx - client.cx),
                      std::max(0, outer.Height() + wanted.cy - client.cy), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  if (dc) dc->SetViewportOrg(-GetDeviceScrollPosition());
  CView::OnPrepareDC(dc, info);
}

void CScrollView::OnSize(UINT kind, int cx, int cy) {
  CView::OnSize(kind, cx, cy);
  UpdateBars();
}

void CScrollView::CheckScrollBars(BOOL& hasHorizontal, BOOL& hasVertical) const {
  DWORD style = GetStyle();
  hasHorizontal = (style & WS_HSCROLL) != 0;
  hasVertical = (style & WS_VSCROLL) != 0;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL doScroll) {
  BOOL hasHorizontal, hasVertical;
  CheckScrollBars(hasHorizontal, hasVertical);
  // Nothing scrolls along a side without a bar.
  if (!hasVertical) sizeScroll.cy = 0;
  if (!hasHorizontal) sizeScroll.cx = 0;
  int xOld = GetScrollPos(SB_HORZ);
  int yOld = GetScrollPos(SB_VERT);
  auto step = [](int from, int by, int limit) { return Clamp(ClampToInt(static_cast<long long>(from) + by), 0, limit); };
  int x = step(xOld, sizeScroll.cx, GetScrollLimit(SB_HORZ));
  int y = step(yOld, sizeScroll.cy, GetScrollLimit(SB_VERT));
  if (x == xOld && y == yOld) return FALSE;
  if (doScroll) {
    ScrollWindow(-(x - xOld), -(y - yOld));
    if (x != xOld) SetScrollPos(SB_HORZ, x);
    if (y != yOld) SetScrollPos(SB_VERT, y);
  }
  return TRUE;
}

BOOL CScrollView::OnScroll(UINT scrollCode, UINT, BOOL doScroll) {
  auto track = [this](int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    return GetScrollInfo(bar, &info, SIF_TRACKPOS) ? info.nTrackPos : GetScrollPos(bar);
  };
  int xOld = GetScrollPos(SB_HORZ);
  int yOld = GetScrollPos(SB_VERT);
  int x = PositionForCode(LOBYTE(scrollCode), xOld, track(SB_HORZ), m_lineDev.cx, m_pageDev.cx);
  int y = PositionForCode(HIBYTE(scrollCode), yOld, track(SB_VERT), m_lineDev.cy, m_pageDev.cy);
  CSize by(ClampToInt(static_cast<long long>(x) - xOld), ClampToInt(static_cast<long long>(y) - yOld));
  BOOL scrolled = OnScrollBy(by, doScroll);
  if (scrolled && doScroll) UpdateWindow();
  return scrolled;
}

void CScrollView::OnHScroll(UINT code, UINT position, CScrollBar* bar) {
  if (bar != GetScrollBarCtrl(SB_HORZ)) return;  // a scroll bar control of the view's own
  OnScroll(MAKEWORD(code, 0xFF), position);
}

void CScrollView::OnVScroll(UINT code, UINT position, CScrollBar* bar) {
  if (bar != GetScrollBarCtrl(SB_VERT)) return;
  OnScroll(MAKEWORD(0xFF, code), position);
}

BOOL CScrollView::OnMouseWheel(UINT flags, short delta, CPoint) {
  // Shift and Ctrl with the wheel mean something else (zooming, by the program).
  if (flags & (MK_SHIFT | MK_CONTROL)) return FALSE;
  BOOL hasHorizontal, hasVertical;
  CheckScrollBars(hasHorizontal, hasVertical);
  if (!hasHorizontal && !hasVertical) return FALSE;
  int lines = ::MulDiv(-delta, kWheelScrollLines, kWheelDelta);
  int line = hasVertical ? m_lineDev.cy : m_lineDev.cx;
  int page = hasVertical ? m_pageDev.cy : m_pageDev.cx;
  int displacement = lines * line;
  if (displacement > page) displacement = page;  // one notch never scrolls more than a page
  CSize by = hasVertical ? CSize(0, displacement) : CSize(displacement, 0);
  BOOL scrolled = OnScrollBy(by, TRUE);
  if (scrolled) UpdateWindow();
  return scrolled;
}
