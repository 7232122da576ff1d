// The layout of a window's children among its control bars, the frame it
// sits in, and the limits of its scroll bars.
#include <utility>
#include <vector>

#include "mfc/AfxLayout.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CWnd.h"
#include "win32/CrossProcess.h"

struct AFX_DEFERRED_MOVES {
  std::vector<std::pair<HWND, RECT>> moves;
};

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* layout, HWND window, LPCRECT rect) {
  if (!window || !rect) return;
  if (layout && !layout->hDWP) return;  // only asked how much room is left
  RECT old{};
  ::GetWindowRect(window, &old);
  if (HWND parent = ::GetParent(window)) {
    ::ScreenToClient(parent, reinterpret_cast<LPPOINT>(&old.left));
    ::ScreenToClient(parent, reinterpret_cast<LPPOINT>(&old.right));
  }
  if (::EqualRect(&old, rect)) return;
  if (layout) {
    layout->hDWP->moves.emplace_back(window, *rect);
    return;
  }
  ::SetWindowPos(window, nullptr, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                 SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT idFirst, UINT idLast, UINT idLeftOver, UINT flags, LPRECT rectParam, LPCRECT rectClient,
                          BOOL stretch) {
  AFX_DEFERRED_MOVES moves;
  AFX_SIZEPARENTPARAMS layout{};
  layout.hDWP = (flags & reposQuery) ? nullptr : &moves;
  layout.bStretch = stretch;
  if (rectClient) {
    layout.rect = *rectClient;
  } else {
    GetClientRect(&layout.rect);
  }
  HWND leftOver = nullptr;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
    if (id == idLeftOver) {
      leftOver = child;
    } else if (id >= idFirst && id <= idLast && FromHandlePermanent(child)) {
      ::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
  }
  if (flags & reposQuery) {
    if (!rectParam) return;
    if (stretch) {
      *rectParam = layout.rect;
    } else {
      *rectParam = RECT{0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy};
    }
    return;
  }
  if ((flags & reposExtra) && rectParam) {
    layout.rect.left += rectParam->left;
    layout.rect.top += rectParam->top;
    layout.rect.right -= rectParam->right;
    layout.rect.bottom -= rectParam->bottom;
  }
  // Bars wider than the window leave a rest of no size, never a negative one.
  if (layout.rect.right < layout.rect.left) layout.rect.right = layout.rect.left;
  if (layout.rect.bottom < layout.rect.top) layout.rect.bottom = layout.rect.top;
  if (leftOver && !(flags & reposNoPosLeftOver)) {
    CWnd* pane = FromHandle(leftOver);
    pane->CalcWindowRect(&layout.rect);
    AfxRepositionWindow(&layout, leftOver, &layout.rect);
  }
  for (const auto& [window, rect] : moves.moves) {
    if (::IsWindow(window))
      ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOACTIVATE | SWP_NOZORDER);
  }
}

void CWnd::CalcWindowRect(LPRECT clientRect, UINT adjustType) {
  DWORD exStyle = GetExStyle();
  // Placed as a pane, the window's sunken edge lies inside the given rectangle.
  if (adjustType == adjustBorder) exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  ::AdjustWindowRectEx(clientRect, GetStyle(), FALSE, exStyle);
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == id) {
      CWnd* found = onlyPermanent ? FromHandlePermanent(child) : FromHandle(child);
      if (found) return found;
    }
  }
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::GetWindow(child, GW_CHILD)) continue;
    if (CWnd* found = FromHandle(child)->GetDescendantWindow(id, onlyPermanent)) return found;
  }
  return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const {
  if (!m_hWnd) return nullptr;
  for (HWND window = ::GetParent(m_hWnd); window; window = ::GetParent(window)) {
    if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(window))) return frame;
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  if (!m_hWnd) return nullptr;
  CFrameWnd* top = dynamic_cast<CFrameWnd*>(FromHandlePermanent(m_hWnd));
  if (!top) top = GetParentFrame();
  while (top) {
    CFrameWnd* above = top->GetParentFrame();
    if (!above) break;
    top = above;
  }
  return top;
}

int CWnd::GetScrollLimit(int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  int page = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
  int limit = info.nMax - page;
  return limit < info.nMin ? info.nMin : limit;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

void CWnd::EnableScrollBarCtrl(int bar, BOOL enable) {
  if (bar == SB_BOTH) {
    EnableScrollBarCtrl(SB_HORZ, enable);
    EnableScrollBarCtrl(SB_VERT, enable);
    return;
  }
  ShowScrollBar(static_cast<UINT>(bar), enable);
}
