#include "mfc/CSplitterWnd.h"

#include <algorithm>
#include <climits>

#include "mfc/CCreateContext.h"
#include "mfc/CDocument.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CPaintDC.h"
#include "mfc/CView.h"
#include "win32/CrossProcess.h"
#include "win32/Gdi.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_LBUTTONUP()
  ON_WM_KEYDOWN()
  VARNO_ON_MESSAGE(WM_CANCELMODE, t->OnCancelMode(); return 0)
END_MESSAGE_MAP()

namespace {

constexpr int kMaxPanes = 16;
// The sunken edge of a pane, which the layout lets reach into the border.
constexpr int kEdge = 2;

int ClampPanes(int count) { return std::clamp(count, 1, kMaxPanes); }

// Gives each row (or column) its size along one direction: the ideal sizes
// one after the other with a gap between, the last one the rest; what does
// not fit is cut, and a pane below its minimum gives its room to the one before.
void LayoutRowCol(std::vector<CSplitterWnd::CRowColInfo>& infos, int count, int size, int gap) {
  if (count <= 0) return;
  if (size < 0) size = 0;
  for (int i = 0; i < count - 1; ++i) {
    if (infos[i].nIdealSize < infos[i].nMinSize) infos[i].nIdealSize = 0;  // too small to be seen
    infos[i].nCurSize = infos[i].nIdealSize;
  }
  infos[count - 1].nCurSize = INT_MAX;
  for (int i = 0; i < count; ++i) {
    auto& info = infos[i];
    if (size == 0) {
      info.nCurSize = 0;
      continue;
    }
    if (size < info.nMinSize && i != 0) {
      // Too small to show: the pane before takes the room, less the edge of this one.
      info.nCurSize = 0;
      infos[i - 1].nCurSize += size + kEdge;
      size = 0;
    } else if (size < info.nCurSize) {
      info.nCurSize = size;
      size = 0;
    } else {
      size -= info.nCurSize;
    }
    if (i == count - 1) continue;
    if (size > gap) {
      size -= gap;
    } else {
      // No room for the bar: the pane takes what is left, short of the bar.
      info.nCurSize += size;
      if (info.nCurSize > gap - kEdge) info.nCurSize -= gap - kEdge;
      size = 0;
    }
  }
}

bool IsRowBar(int hit) {
  return hit == CSplitterWnd::vSplitterBox || (hit >= CSplitterWnd::vSplitterBar1 && hit <= CSplitterWnd::vSplitterBar15);
}
bool IsColumnBar(int hit) {
  return hit == CSplitterWnd::hSplitterBox || (hit >= CSplitterWnd::hSplitterBar1 && hit <= CSplitterWnd::hSplitterBar15);
}
bool IsIntersection(int hit) {
  return hit == CSplitterWnd::bothSplitterBox ||
         (hit >= CSplitterWnd::splitterIntersection1 && hit <= CSplitterWnd::splitterIntersection225);
}

// The tracker: an inverting pattern that a second call removes again.
const COLORREF kTrackerColour = RGB(0x80, 0x80, 0x80);

}  // namespace

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(3 + 2 + 2),
      m_cySplitter(3 + 2 + 2),
      m_cxBorderShare(0),
      m_cyBorderShare(0),
      m_cxSplitterGap(3 + 2 + 2),
      m_cySplitterGap(3 + 2 + 2),
      m_cxBorder(2),
      m_cyBorder(2) {}

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int columns, DWORD style, UINT id) {
  if (!parent || m_hWnd) return FALSE;
  m_nRows = m_nMaxRows = ClampPanes(rows);
  m_nCols = m_nMaxCols = ClampPanes(columns);
  // The panes come with CreateView; they may be as small as they like.
  return CreateCommon(parent, SIZE{0, 0}, style, id);
}

BOOL CSplitterWnd::CreateCommon(CWnd* parent, SIZE minimumPane, DWORD style, UINT id) {
  m_pColInfo.assign(static_cast<std::size_t>(m_nMaxCols), CRowColInfo{std::max(0, static_cast<int>(minimumPane.cx)),
                                                                      std::max(0, static_cast<int>(minimumPane.cx)), -1});
  m_pRowInfo.assign(static_cast<std::size_t>(m_nMaxRows), CRowColInfo{std::max(0, static_cast<int>(minimumPane.cy)),
                                                                      std::max(0, static_cast<int>(minimumPane.cy)), -1});
  // The splitter draws its own border; shared scroll bars are not kept.
  DWORD createStyle = (style & ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL | WS_BORDER)) | WS_CHILD;
  LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!CreateEx(0, windowClass, nullptr, createStyle, 0, 0, 0, 0, parent->m_hWnd,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return FALSE;
  // The splitter gives the sunken look itself; its parent drops its own.
  parent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return TRUE;
}

BOOL CSplitterWnd::CreateView(int row, int column, CRuntimeClass* viewClass, SIZE initialSize, CCreateContext* context) {
  if (row < 0 || row >= m_nRows || column < 0 || column >= m_nCols || !viewClass || !m_hWnd) return FALSE;
  if (GetPane(row, column)) return FALSE;  // the pane exists already
  m_pColInfo[static_cast<std::size_t>(column)].nIdealSize = std::max(0, static_cast<int>(initialSize.cx));
  m_pRowInfo[static_cast<std::size_t>(row)].nIdealSize = std::max(0, static_cast<int>(initialSize.cy));
  bool sendInitialUpdate = false;
  CCreateContext fromActive;
  if (!context) {
    // Without a context the new view shows the document of the active one.
    if (auto* active = dynamic_cast<CView*>(GetActivePane())) {
      fromActive.m_pLastView = active;
      fromActive.m_pCurrentDoc = active->GetDocument();
      if (fromActive.m_pCurrentDoc) fromActive.m_pNewDocTemplate = fromActive.m_pCurrentDoc->GetDocTemplate();
    }
    context = &fromActive;
    sendInitialUpdate = true;
  }
  CObject* object = viewClass->CreateObject();
  auto* pane = dynamic_cast<CWnd*>(object);
  if (!pane) {
    delete object;
    return FALSE;
  }
  CRect rect(0, 0, std::max(0, static_cast<int>(initialSize.cx)), std::max(0, static_cast<int>(initialSize.cy)));
  if (!pane->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, rect, this, static_cast<UINT>(IdFromRowCol(row, column)),
                    context))
    return FALSE;
  if (sendInitialUpdate) pane->SendMessage(WM_INITIALUPDATE);
  return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const {
  if (row < 0 || row >= m_nMaxRows) {
    current = minimum = 0;
    return;
  }
  current = m_pRowInfo[static_cast<std::size_t>(row)].nCurSize;
  minimum = m_pRowInfo[static_cast<std::size_t>(row)].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum) {
  if (row < 0 || row >= m_nMaxRows) return;
  m_pRowInfo[static_cast<std::size_t>(row)].nIdealSize = std::max(0, ideal);
  m_pRowInfo[static_cast<std::size_t>(row)].nMinSize = std::max(0, minimum);
}

void CSplitterWnd::GetColumnInfo(int column, int& current, int& minimum) const {
  if (column < 0 || column >= m_nMaxCols) {
    current = minimum = 0;
    return;
  }
  current = m_pColInfo[static_cast<std::size_t>(column)].nCurSize;
  minimum = m_pColInfo[static_cast<std::size_t>(column)].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int column, int ideal, int minimum) {
  if (column < 0 || column >= m_nMaxCols) return;
  m_pColInfo[static_cast<std::size_t>(column)].nIdealSize = std::max(0, ideal);
  m_pColInfo[static_cast<std::size_t>(column)].nMinSize = std::max(0, minimum);
}

int CSplitterWnd::IdFromRowCol(int row, int column) const { return AFX_IDW_PANE_FIRST + row * 16 + column; }

CWnd* CSplitterWnd::GetPane(int row, int column) const {
  if (!m_hWnd || row < 0 || row >= m_nMaxRows || column < 0 || column >= m_nMaxCols) return nullptr;
  HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, column));
  return pane ? FromHandle(pane) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* window, int* row, int* column) {
  if (!window || !window->m_hWnd || ::GetParent(window->m_hWnd) != m_hWnd) return FALSE;
  int id = window->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
  if (id < 0 || id >= 16 * 16 || id / 16 >= m_nRows || id % 16 >= m_nCols) return FALSE;
  if (row) *row = id / 16;
  if (column) *column = id % 16;
  return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* row, int* column) {
  CWnd* active = nullptr;
  if (CFrameWnd* frame = GetParentFrame()) active = frame->GetActiveView();
  if (!active) active = GetFocus();
  return active && IsChildPane(active, row, column) ? active : nullptr;
}

void CSplitterWnd::SetActivePane(int row, int column, CWnd* window) {
  CWnd* pane = window ? window : GetPane(row, column);
  if (!pane) return;
  CFrameWnd* frame = GetParentFrame();
  if (auto* view = dynamic_cast<CView*>(pane); view && frame) {
    frame->SetActiveView(view);
  } else {
    pane->SetFocus();
  }
}

void CSplitterWnd::GetInsideRect(CRect& rect) const {
  GetClientRect(&rect);
  rect.InflateRect(-m_cxBorder, -m_cyBorder);
  if (m_bHasVScroll) rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
  if (m_bHasHScroll) rect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
}

void CSplitterWnd::DeferClientPos(AFX_SIZEPARENTPARAMS* layout, CWnd* pane, int x, int y, int cx, int cy) {
  CRect rect(x, y, x + cx, y + cy);
  if ((pane->GetExStyle() & WS_EX_CLIENTEDGE) || dynamic_cast<CSplitterWnd*>(pane)) rect.InflateRect(kEdge, kEdge);
  AfxRepositionWindow(layout, pane->m_hWnd, &rect);
}

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd || m_nRows <= 0 || m_nCols <= 0) return;
  CRect client;
  GetClientRect(&client);
  client.InflateRect(-m_cxBorder, -m_cyBorder);
  CRect inside;
  GetInsideRect(inside);
  LayoutRowCol(m_pColInfo, m_nCols, inside.Width(), m_cxSplitterGap);
  LayoutRowCol(m_pRowInfo, m_nRows, inside.Height(), m_cySplitterGap);
  int x = client.left;
  for (int column = 0; column < m_nCols; ++column) {
    int cx = m_pColInfo[static_cast<std::size_t>(column)].nCurSize;
    int y = client.top;
    for (int row = 0; row < m_nRows; ++row) {
      int cy = m_pRowInfo[static_cast<std::size_t>(row)].nCurSize;
      if (CWnd* pane = GetPane(row, column)) DeferClientPos(nullptr, pane, x, y, cx, cy);
      y += cy + m_cySplitterGap;
    }
    x += cx + m_cxSplitterGap;
  }
  DrawAllSplitBars(nullptr, inside.right, inside.bottom);
}

int CSplitterWnd::HitTest(CPoint point) const {
  if (!m_hWnd) return noHit;
  CRect client;
  GetClientRect(&client);
  client.InflateRect(-m_cxBorder, -m_cyBorder);
  // The gaps between the panes, borders included, are the bars.
  CRect rect = client;
  int column = 0;
  for (; column < m_nCols - 1; ++column) {
    rect.left += m_pColInfo[static_cast<std::size_t>(column)].nCurSize;
    rect.right = rect.left + m_cxSplitterGap;
    if (rect.PtInRect(point)) break;
    rect.left = rect.right;
  }
  rect = client;
  int row = 0;
  for (; row < m_nRows - 1; ++row) {
    rect.top += m_pRowInfo[static_cast<std::size_t>(row)].nCurSize;
    rect.bottom = rect.top + m_cySplitterGap;
    if (rect.PtInRect(point)) break;
    rect.top = rect.bottom;
  }
  bool onColumnBar = column < m_nCols - 1, onRowBar = row < m_nRows - 1;
  if (onColumnBar && onRowBar) return splitterIntersection1 + row * 15 + column;
  if (onColumnBar) return hSplitterBar1 + column;
  if (onRowBar) return vSplitterBar1 + row;
  return noHit;
}

void CSplitterWnd::OnSize(UINT kind, int cx, int cy) {
  if (kind != SIZE_MINIMIZED && cx > 0 && cy > 0) RecalcLayout();
  CWnd::OnSize(kind, cx, cy);
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  CRect inside;
  GetInsideRect(inside);
  DrawAllSplitBars(&dc, inside.right, inside.bottom);
  // Where bars cross, inside the panes' area only.
  dc.IntersectClipRect(&inside);
  CRect rect;
  rect.top = inside.top;
  for (int row = 0; row < m_nRows - 1; ++row) {
    rect.top += m_pRowInfo[static_cast<std::size_t>(row)].nCurSize + m_cyBorderShare;
    rect.bottom = rect.top + m_cySplitter;
    rect.left = inside.left;
    for (int column = 0; column < m_nCols - 1; ++column) {
      rect.left += m_pColInfo[static_cast<std::size_t>(column)].nCurSize + m_cxBorderShare;
      rect.right = rect.left + m_cxSplitter;
      OnDrawSplitter(&dc, splitIntersection, rect);
      rect.left = rect.right + m_cxBorderShare;
    }
    rect.top = rect.bottom + m_cyBorderShare;
  }
}

void CSplitterWnd::DrawAllSplitBars(CDC* dc, int cxInside, int cyInside) {
  CRect rect;
  GetClientRect(&rect);
  rect.left += m_cxBorder;
  for (int column = 0; column < m_nCols - 1; ++column) {
    rect.left += m_pColInfo[static_cast<std::size_t>(column)].nCurSize + m_cxBorderShare;
    rect.right = rect.left + m_cxSplitter;
    if (rect.left > cxInside) break;  // the rest lies outside
    OnDrawSplitter(dc, splitBar, rect);
    rect.left = rect.right + m_cxBorderShare;
  }
  GetClientRect(&rect);
  rect.top += m_cyBorder;
  for (int row = 0; row < m_nRows - 1; ++row) {
    rect.top += m_pRowInfo[static_cast<std::size_t>(row)].nCurSize + m_cyBorderShare;
    rect.bottom = rect.top + m_cySplitter;
    if (rect.top > cyInside) break;
    OnDrawSplitter(dc, splitBar, rect);
    rect.top = rect.bottom + m_cyBorderShare;
  }
  // A sunken border around every pane.
  GetClientRect(&rect);
  int x = rect.left;
  for (int column = 0; column < m_nCols; ++column) {
    int cx = m_pColInfo[static_cast<std::size_t>(column)].nCurSize + 2 * m_cxBorder;
    int y = rect.top;
    for (int row = 0; row < m_nRows; ++row) {
      int cy = m_pRowInfo[static_cast<std::size_t>(row)].nCurSize + 2 * m_cyBorder;
      OnDrawSplitter(dc, splitBorder, CRect(x, y, x + cx, y + cy));
      y += cy + m_cySplitterGap - 2 * m_cyBorder;
    }
    x += cx + m_cxSplitterGap - 2 * m_cxBorder;
  }
}

void CSplitterWnd::OnDrawSplitter(CDC* dc, ESplitType type, const CRect& rectArg) {
  if (!dc) {
    RedrawWindow(&rectArg, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
    return;
  }
  CRect rect = rectArg;
  switch (type) {
    case splitBorder:
      dc->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
      rect.InflateRect(-1, -1);
      dc->Draw3dRect(&rect, ::GetSysColor(COLOR_WINDOWFRAME), ::GetSysColor(COLOR_BTNFACE));
      return;
    case splitBox:
      dc->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOWFRAME));
      rect.InflateRect(-1, -1);
      dc->Draw3dRect(&rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
      rect.InflateRect(-1, -1);
      break;
    case splitIntersection:
    case splitBar:
      break;
  }
  dc->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
}

// The tracker lies over the panes as well: every window under it is inverted
// where it covers the rectangle, so the line shows wherever it is.
void CSplitterWnd::InvertOverPanes(HWND window, const CRect& rect) {
  HDC dc = window == m_hWnd ? ::GetDC(window) : ::GetWindowDC(window);
  HBRUSH brush = ::CreateSolidBrush(kTrackerColour);
  HGDIOBJ old = ::SelectObject(dc, brush);
  ::PatBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
  ::SelectObject(dc, old);
  ::DeleteObject(brush);
  ::ReleaseDC(window, dc);
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    CRect placed;
    ::GetWindowRect(child, &placed);
    CRect inChild = rect;
    // rect is in window's drawing coordinates: the splitter's client, or a child's whole window.
    POINT origin{0, 0};
    if (window == m_hWnd) {
      ::ClientToScreen(window, &origin);
    } else {
      RECT outer;
      ::GetWindowRect(window, &outer);
      origin = POINT{outer.left, outer.top};
    }
    inChild.OffsetRect(origin.x - placed.left, origin.y - placed.top);
    CRect overlap;
    CRect bounds(0, 0, placed.Width(), placed.Height());
    if (overlap.IntersectRect(&inChild, &bounds)) InvertOverPanes(child, overlap);
  }
}

void CSplitterWnd::OnInvertTracker(const CRect& rect) {
  if (rect.IsRectEmpty()) return;
  InvertOverPanes(m_hWnd, rect);
}

void CSplitterWnd::GetHitRect(int hit, CRect& rectHit) {
  CRect client;
  GetClientRect(&client);
  client.InflateRect(-m_cxBorder, -m_cyBorder);
  int x = client.left, y = client.top;
  int cx = client.Width(), cy = client.Height();
  m_ptTrackOffset = CPoint(0, 0);
  if (hit >= vSplitterBar1 && hit <= vSplitterBar15) {
    int row = hit - vSplitterBar1;
    for (int i = 0; i < row; ++i) y += m_pRowInfo[static_cast<std::size_t>(i)].nCurSize + m_cySplitterGap;
    m_rectLimit.top = y;
    y += m_pRowInfo[static_cast<std::size_t>(row)].nCurSize + m_cyBorderShare + 1;
    m_rectLimit.bottom -= m_cySplitter;
    cy = m_cySplitter;
  } else if (hit >= hSplitterBar1 && hit <= hSplitterBar15) {
    int column = hit - hSplitterBar1;
    for (int i = 0; i < column; ++i) x += m_pColInfo[static_cast<std::size_t>(i)].nCurSize + m_cxSplitterGap;
    m_rectLimit.left = x;
    x += m_pColInfo[static_cast<std::size_t>(column)].nCurSize + m_cxBorderShare + 1;
    m_rectLimit.right -= m_cxSplitter;
    cx = m_cxSplitter;
  }
  rectHit = CRect(x, y, x + cx, y + cy);
}

void CSplitterWnd::StartTracking(int hit) {
  if (hit == noHit || m_nRows <= 0 || m_nCols <= 0) return;
  GetInsideRect(m_rectLimit);
  if (hit >= splitterIntersection1 && hit <= splitterIntersection225) {
    int row = (hit - splitterIntersection1) / 15, column = (hit - splitterIntersection1) % 15;
    if (row >= m_nRows - 1 || column >= m_nCols - 1) return;
    GetHitRect(row + vSplitterBar1, m_rectTracker);
    int yOffset = m_ptTrackOffset.y;
    m_bTracking2 = TRUE;
    GetHitRect(column + hSplitterBar1, m_rectTracker2);
    m_ptTrackOffset.y = yOffset;
  } else if ((IsRowBar(hit) && hit - vSplitterBar1 < m_nRows - 1) || (IsColumnBar(hit) && hit - hSplitterBar1 < m_nCols - 1)) {
    GetHitRect(hit, m_rectTracker);
  } else {
    return;  // a code this splitter does not have
  }
  // The active view keeps what it needs before the splitter takes the focus.
  if (auto* view = dynamic_cast<CView*>(GetActivePane())) {
    if (CFrameWnd* frame = GetParentFrame()) view->OnActivateFrame(WA_INACTIVE, frame);
  }
  SetCapture();
  SetFocus();
  RedrawWindow(nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
  m_bTracking = TRUE;
  OnInvertTracker(m_rectTracker);
  if (m_bTracking2) OnInvertTracker(m_rectTracker2);
  m_htTrack = hit;
  SetSplitCursor(hit);
}

void CSplitterWnd::StopTracking(BOOL accept) {
  if (!m_bTracking) return;
  m_bTracking = FALSE;  // before the capture goes, which may bring us back here
  ::ReleaseCapture();
  OnInvertTracker(m_rectTracker);
  if (m_bTracking2) OnInvertTracker(m_rectTracker2);
  m_bTracking2 = FALSE;
  CWnd* oldActive = GetActivePane();
  // The tracker shows the bar; the pane before it ends one border earlier.
  m_rectTracker.OffsetRect(-1, -1);
  m_rectTracker2.OffsetRect(-1, -1);
  if (accept) {
    if (m_htTrack >= vSplitterBar1 && m_htTrack <= vSplitterBar15) {
      TrackRowSize(m_rectTracker.top, m_htTrack - vSplitterBar1);
      RecalcLayout();
    } else if (m_htTrack >= hSplitterBar1 && m_htTrack <= hSplitterBar15) {
      TrackColumnSize(m_rectTracker.left, m_htTrack - hSplitterBar1);
      RecalcLayout();
    } else if (m_htTrack >= splitterIntersection1 && m_htTrack <= splitterIntersection225) {
      int row = (m_htTrack - splitterIntersection1) / 15, column = (m_htTrack - splitterIntersection1) % 15;
      TrackRowSize(m_rectTracker.top, row);
      TrackColumnSize(m_rectTracker2.left, column);
      RecalcLayout();
    }
  }
  m_htTrack = noHit;
  if (oldActive && oldActive == GetActivePane()) {
    SetActivePane(-1, -1, oldActive);
    oldActive->SetFocus();
  }
}

void CSplitterWnd::TrackRowSize(int y, int row) {
  if (row < 0 || row >= m_nRows - 1) return;
  CWnd* pane = GetPane(row, 0);
  CPoint point(0, y);
  ClientToScreen(&point);
  if (pane) pane->ScreenToClient(&point);
  auto& info = m_pRowInfo[static_cast<std::size_t>(row)];
  // A row dragged below its minimum goes out of sight.
  info.nIdealSize = point.y < info.nMinSize ? 0 : point.y;
}

void CSplitterWnd::TrackColumnSize(int x, int column) {
  if (column < 0 || column >= m_nCols - 1) return;
  CWnd* pane = GetPane(0, column);
  CPoint point(x, 0);
  ClientToScreen(&point);
  if (pane) pane->ScreenToClient(&point);
  auto& info = m_pColInfo[static_cast<std::size_t>(column)];
  info.nIdealSize = point.x < info.nMinSize ? 0 : point.x;
}

void CSplitterWnd::SetSplitCursor(int hit) {
  LPCSTR cursor = IDC_ARROW;
  if (IsRowBar(hit)) {
    cursor = IDC_SIZENS;
  } else if (IsColumnBar(hit)) {
    cursor = IDC_SIZEWE;
  } else if (IsIntersection(hit)) {
    cursor = IDC_SIZEALL;
  }
  ::SetCursor(::LoadCursor(nullptr, cursor));
}

BOOL CSplitterWnd::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  // Over its own client area the splitter sets the cursor as the mouse moves.
  if (hitTest == HTCLIENT && window == this && !m_bTracking) return TRUE;
  return CWnd::OnSetCursor(window, hitTest, message);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
  if (m_bTracking && GetCapture() != this) StopTracking(FALSE);
  if (!m_bTracking) {
    SetSplitCursor(HitTest(point));
    return;
  }
  point.Offset(m_ptTrackOffset);
  point.y = std::clamp(point.y, m_rectLimit.top, std::max(m_rectLimit.top, m_rectLimit.bottom));
  point.x = std::clamp(point.x, m_rectLimit.left, std::max(m_rectLimit.left, m_rectLimit.right));
  auto moveTracker = [this](CRect& tracker, int dx, int dy) {
    if (!dx && !dy) return;
    OnInvertTracker(tracker);
    tracker.OffsetRect(dx, dy);
    OnInvertTracker(tracker);
  };
  if (IsRowBar(m_htTrack)) {
    moveTracker(m_rectTracker, 0, point.y - m_rectTracker.top);
  } else if (IsColumnBar(m_htTrack)) {
    moveTracker(m_rectTracker, point.x - m_rectTracker.left, 0);
  } else if (IsIntersection(m_htTrack)) {
    moveTracker(m_rectTracker, 0, point.y - m_rectTracker.top);
    moveTracker(m_rectTracker2, point.x - m_rectTracker2.left, 0);
  }
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  if (m_bTracking) return;
  StartTracking(HitTest(point));
}

void CSplitterWnd::OnLButtonDblClk(UINT, CPoint) {
  // A static splitter neither splits nor joins on a double click.
  StopTracking(FALSE);
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint) {
  if (m_bTracking) StopTracking(TRUE);
}

void CSplitterWnd::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (m_bTracking && key == VK_ESCAPE) {
    StopTracking(FALSE);
  } else if (m_bTracking && key == VK_RETURN) {
    StopTracking(TRUE);
  } else {
    CWnd::OnKeyDown(key, repeat, flags);
  }
}

void CSplitterWnd::OnCancelMode() {
  StopTracking(FALSE);
  Default();
}
