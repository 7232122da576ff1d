// The frame's part in docking: the dock bars along its sides, bars docked
// into them or floated out into small frames of their own.
#include "mfc/CDockBar.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CMiniDockFrameWnd.h"

namespace {

struct DockSide {
  DWORD align;
  UINT id;
};
// The order the sides are made in, which is the order they are laid out in.
constexpr DockSide kSides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                               {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                               {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                               {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};

// The mini frame a floating bar sits in, or null.
CMiniDockFrameWnd* FloatingFrameOf(CControlBar* bar) {
  if (!bar->m_pDockBar) return nullptr;
  return dynamic_cast<CMiniDockFrameWnd*>(bar->m_pDockBar->GetParent());
}

void CloseEmptyFloatingFrame(CMiniDockFrameWnd* frame) {
  if (frame && frame->GetDockBar()->GetDockedCount() == 0) frame->DestroyWindow();
}

}  // namespace

void CFrameWnd::EnableDocking(DWORD style) {
  for (const DockSide& side : kSides) {
    if (!(style & side.align) || GetControlBar(side.id)) continue;
    auto* dockBar = new CDockBar;
    dockBar->m_bAutoDelete = TRUE;
    if (!dockBar->Create(this, WS_CHILD | WS_VISIBLE | side.align, side.id)) delete dockBar;
  }
}

CControlBar* CFrameWnd::GetControlBar(UINT id) {
  return dynamic_cast<CControlBar*>(FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(id))));
}

// Without a dock bar id the bar goes to the first side both allow.
void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT) {
  if (!bar || !bar->m_hWnd) return;
  CDockBar* dockBar = nullptr;
  for (const DockSide& side : kSides) {
    const bool wanted = dockBarId ? side.id == dockBarId : (bar->m_dwDockStyle & side.align) != 0;
    if (wanted) dockBar = dynamic_cast<CDockBar*>(GetControlBar(side.id));
    if (dockBar) break;
  }
  if (!dockBar) return;
  CMiniDockFrameWnd* floating = FloatingFrameOf(bar);
  bar->m_pDockSite = this;
  dockBar->DockControlBar(bar);
  CloseEmptyFloatingFrame(floating);
  RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint point, DWORD style) {
  if (!bar || !bar->m_hWnd) return;
  CMiniDockFrameWnd* old = FloatingFrameOf(bar);
  auto* frame = new CMiniDockFrameWnd;
  if (!frame->Create(this, point)) {
    delete frame;
    return;
  }
  bar->m_pDockSite = this;
  bar->SetBarStyle((bar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (style & CBRS_ALIGN_ANY));
  frame->GetDockBar()->DockControlBar(bar);
  frame->SizeToBar();
  frame->ShowWindow(SW_SHOWNA);
  CloseEmptyFloatingFrame(old);
  RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
  if (!bar || !bar->m_hWnd) return;
  bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
  if (CMiniDockFrameWnd* floating = FloatingFrameOf(bar)) floating->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
  if (delay) DelayRecalcLayout();
  else RecalcLayout();
}
