#include "mfc/CScrollBar.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("SCROLLBAR", nullptr, style, rect, parent, id);
}

int CScrollBar::GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
int CScrollBar::SetScrollPos(int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
void CScrollBar::GetScrollRange(LPINT min, LPINT max) const { ::GetScrollRange(m_hWnd, SB_CTL, min, max); }
void CScrollBar::SetScrollRange(int min, int max, BOOL redraw) { ::SetScrollRange(m_hWnd, SB_CTL, min, max, redraw); }
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO info, BOOL redraw) {
  if (!info) return FALSE;
  ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
  return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO info, UINT mask) {
  if (!info) return FALSE;
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, SB_CTL, info);
}
void CScrollBar::ShowScrollBar(BOOL show) { ::ShowScrollBar(m_hWnd, SB_CTL, show); }
BOOL CScrollBar::EnableScrollBar(UINT arrows) { return ::EnableScrollBar(m_hWnd, SB_CTL, arrows); }
