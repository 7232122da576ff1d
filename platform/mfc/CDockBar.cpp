#include "mfc/CDockBar.h"

#include <algorithm>

#include "mfc/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_WM_SIZE()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
END_MESSAGE_MAP()

BOOL CDockBar::Create(CWnd* parent, DWORD style, UINT id) {
  m_dwStyle = style & CBRS_ALL;
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
  m_pDockSite = dynamic_cast<CFrameWnd*>(parent);
  const LPCSTR className = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
  return CreateEx(0, className, nullptr, (style & ~CBRS_ALL) | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                  parent->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CDockBar::DockControlBar(CControlBar* bar) {
  if (!bar) return;
  if (bar->m_pDockBar && bar->m_pDockBar != this) bar->m_pDockBar->RemoveBar(bar);
  if (std::find(m_bars.begin(), m_bars.end(), bar) == m_bars.end()) m_bars.push_back(bar);
  bar->m_pDockBar = this;
  bar->SetParent(this);
  // The bar lies as the side it is docked at; floating, it lies as it did.
  DWORD style = bar->GetBarStyle() & ~CBRS_FLOATING;
  if (m_bFloating) style |= CBRS_FLOATING;
  else style = (style & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY);
  bar->SetBarStyle(style);
  PlaceBars();
}

void CDockBar::RemoveBar(CControlBar* bar) {
  m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), bar), m_bars.end());
  if (bar && bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
  if (m_hWnd) PlaceBars();
}

CSize CDockBar::BarSize(CControlBar* bar, BOOL horizontal) const {
  const DWORD mode = horizontal ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK;
  return (bar->GetBarStyle() & CBRS_SIZE_DYNAMIC) ? bar->CalcDynamicLayout(-1, mode) : bar->CalcFixedLayout(FALSE, horizontal);
}

// Each bar has a row of its own (a column at the left and right sides).
CSize CDockBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  CSize size(0, 0);
  for (CControlBar* bar : m_bars) {
    if (!(bar->GetStyle() & WS_VISIBLE)) continue;
    const CSize own = BarSize(bar, horizontal);
    if (horizontal) {
      size.cx = std::max(size.cx, own.cx);
      size.cy += own.cy;
    } else {
      size.cx += own.cx;
      size.cy = std::max(size.cy, own.cy);
    }
  }
  if (stretch && (size.cx || size.cy)) {
    if (horizontal) size.cx = 32767;
    else size.cy = 32767;
  }
  return size;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
  if (auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam); layout && layout->hDWP) PlaceBars();
  return result;
}

void CDockBar::PlaceBars() {
  const BOOL horizontal = m_bFloating || IsHorizontal();
  int along = 0;
  for (CControlBar* bar : m_bars) {
    if (!bar->m_hWnd || !(bar->GetStyle() & WS_VISIBLE)) continue;
    const CSize size = BarSize(bar, horizontal);
    if (horizontal) {
      bar->SetWindowPos(nullptr, 0, along, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      along += size.cy;
    } else {
      bar->SetWindowPos(nullptr, along, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      along += size.cx;
    }
  }
}

void CDockBar::OnSize(UINT, int, int) { PlaceBars(); }

void CDockBar::PostNcDestroy() {
  for (CControlBar* bar : m_bars) bar->m_pDockBar = nullptr;
  m_bars.clear();
  CControlBar::PostNcDestroy();
  if (m_bAutoDelete) delete this;
}

// A dock bar has no borders of its own.
void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}
void CDockBar::OnNcPaint() {}
