#include "Main/CSplitWnd.h"

#include "Main/CFace.h"
#include "Main/CMultiFrame.h"
#include "Main/FrameSet.h"
#include "Main/SplitterFaceWindows.h"
#include "mfc/CDC.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNCREATE(CSplitWnd, CSplitterWnd)

BEGIN_MESSAGE_MAP(CSplitWnd, CSplitterWnd)
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

// One pixel wide or high, from (left, top) to (right, bottom) exclusive.
void Line(CDC& dc, int left, int top, int right, int bottom, COLORREF colour) {
  CRect line(left, top, right, bottom);
  dc.FillSolidRect(&line, colour);
}

}  // namespace

CSplitWnd::CSplitWnd() { SetMetrics(); }

void CSplitWnd::Attach(CFace* face, SplitterFaceWindows* windows, int frameSet) {
  m_face = face;
  m_windows = windows;
  m_frameset = frameSet;
  SetMetrics();
}

const FrameSet* CSplitWnd::OwnFrameSet() const {
  if (m_face == nullptr || m_frameset < 0 || m_frameset >= m_face->GetFrameSetCount()) return nullptr;
  return &m_face->m_framesets[static_cast<size_t>(m_frameset)];
}

void CSplitWnd::SetMetrics() {
  const FrameSet* own = OwnFrameSet();
  const SplitterMetrics metrics = own != nullptr ? own->Metrics() : FrameSet(FRAMESET_ROWS).Metrics();
  m_cxBorderShare = m_cyBorderShare = metrics.borderShare;
  m_cxBorder = m_cyBorder = metrics.border;
  m_cxSplitter = m_cySplitter = metrics.splitterSize;
  m_cxSplitterGap = m_cySplitterGap = metrics.splitterGap;
}

BOOL CSplitWnd::IsFixedBar(int hit) const {
  const FrameSet* own = OwnFrameSet();
  return own != nullptr && own->IsFixedBar(hit);
}

CMultiFrame* CSplitWnd::GetFrameWindow() const { return m_face != nullptr ? m_face->GetFrameWindow() : nullptr; }

BOOL CSplitWnd::IsOutermost() const {
  const CMultiFrame* frameWindow = GetFrameWindow();
  if (frameWindow != nullptr && m_hWnd != nullptr) return ::GetParent(m_hWnd) == frameWindow->m_hWnd;
  const FrameSet* own = OwnFrameSet();
  return own == nullptr || own->m_parent_set < 0;
}

void CSplitWnd::OnDrawSplitter(CDC* dc, ESplitType type, const CRect& rect) {
  if (rect.Width() < 1 || rect.Height() < 1) return;
  if (dc == nullptr) {
    RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    return;
  }
  if (type == splitBar) DrawBar(*dc, rect);
  else if (type == splitBorder) DrawPaneBorder(*dc, rect);
}

// The bar itself, without the borders of the panes on either side of it.
void CSplitWnd::DrawBar(CDC& dc, CRect rect) const {
  const FrameSet* own = OwnFrameSet();
  if (own == nullptr || own->m_bar_width <= 0) return;
  if (own->IsRows()) rect.DeflateRect(0, m_cyBorder);
  else rect.DeflateRect(m_cxBorder, 0);
  dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

// The outermost splitter frames the whole face once: only the edges of its
// panes that lie on the outside are drawn, and, with shared borders, the
// lines between the panes too. Nested splitters draw their panes' borders
// as the class library does.
void CSplitWnd::DrawPaneBorder(CDC& dc, const CRect& rect) const {
  if (!IsOutermost()) {
    const_cast<CSplitWnd*>(this)->CSplitterWnd::OnDrawSplitter(&dc, splitBorder, rect);
    return;
  }
  const FrameSet* own = OwnFrameSet();
  // Shared borders: the lines between the panes, across the orientation.
  const BOOL shared = own != nullptr && own->m_shared_border;
  const BOOL rows = own == nullptr || own->IsRows();
  CRect inside;
  GetClientRect(&inside);
  inside.DeflateRect(m_cxBorder + 1, m_cyBorder + 1);
  auto drawEdges = [&](const CRect& r, COLORREF topLeft, COLORREF bottomRight) {
    const bool top = r.top < inside.top || (shared && rows);
    const bool left = r.left < inside.left || (shared && !rows);
    const bool bottom = r.bottom - 1 >= inside.bottom || (shared && rows);
    const bool right = r.right - 1 >= inside.right || (shared && !rows);
    if (top) Line(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
    if (left) Line(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    if (bottom) Line(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
    if (right) Line(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
  };
  drawEdges(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  CRect inner = rect;
  inner.DeflateRect(1, 1);
  drawEdges(inner, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
}

BOOL CSplitWnd::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  POINT at{};
  ::GetCursorPos(&at);
  CPoint point(at);
  ScreenToClient(&point);
  // No sizing cursor over a bar that cannot be moved.
  if (!m_bTracking && IsFixedBar(HitTest(point))) return CWnd::OnSetCursor(window, hitTest, message);
  return CSplitterWnd::OnSetCursor(window, hitTest, message);
}

void CSplitWnd::OnMouseMove(UINT flags, CPoint point) {
  const int hit = HitTest(point);
  if (!m_bTracking && IsFixedBar(hit)) return;
  CSplitterWnd::OnMouseMove(flags, point);
  if (hit == noHit) PassOn(WM_MOUSEMOVE, flags, point);
}

void CSplitWnd::OnLButtonDown(UINT flags, CPoint point) {
  const int hit = HitTest(point);
  if (!m_bTracking && IsFixedBar(hit)) return;
  CSplitterWnd::OnLButtonDown(flags, point);
  if (hit == noHit) PassOn(WM_LBUTTONDOWN, flags, point);
}

void CSplitWnd::OnLButtonUp(UINT flags, CPoint point) {
  const int hit = HitTest(point);
  if (!m_bTracking && IsFixedBar(hit)) return;
  CSplitterWnd::OnLButtonUp(flags, point);
  if (hit == noHit) PassOn(WM_LBUTTONUP, flags, point);
  // Every pane may have changed its size: the whole face is drawn again.
  if (CMultiFrame* frameWindow = GetFrameWindow(); frameWindow != nullptr && frameWindow->m_hWnd != nullptr) {
    frameWindow->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

void CSplitWnd::OnLButtonDblClk(UINT flags, CPoint point) {
  const int hit = HitTest(point);
  if (!m_bTracking && IsFixedBar(hit)) return;
  CSplitterWnd::OnLButtonDblClk(flags, point);
  if (hit == noHit) PassOn(WM_LBUTTONDBLCLK, flags, point);
}

void CSplitWnd::HandleMouse(UINT message, UINT flags, CPoint point) {
  switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(flags, point); return;
    case WM_LBUTTONDOWN: OnLButtonDown(flags, point); return;
    case WM_LBUTTONUP: OnLButtonUp(flags, point); return;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, point); return;
    default: return;
  }
}

void CSplitWnd::PassOn(UINT message, UINT flags, CPoint point) {
  // A bar being dragged keeps the mouse to itself.
  if (m_bTracking || m_windows == nullptr) return;
  CPoint screen = point;
  ClientToScreen(&screen);
  for (int k = 0; k < m_windows->SplitterCount(); ++k) {
    CSplitWnd* other = m_windows->Splitter(k);
    if (other == nullptr || other == this || other->m_hWnd == nullptr) continue;
    CPoint there = screen;
    other->ScreenToClient(&there);
    if (other->HitTest(there) == noHit) continue;
    other->HandleMouse(message, flags, there);
    return;
  }
}
