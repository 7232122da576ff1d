#include "mfc/CMiniDockFrameWnd.h"

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CFrameWnd)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_TOOLWINDOW;
}  // namespace

BOOL CMiniDockFrameWnd::Create(CFrameWnd* owner, CPoint topLeft) {
  const LPCSTR className = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE), nullptr);
  if (!CreateEx(kFrameExStyle, className, nullptr, kFrameStyle, topLeft.x, topLeft.y, 40, 40,
                owner ? owner->GetSafeHwnd() : nullptr, nullptr))
    return FALSE;
  return m_dockBar.Create(this, WS_CHILD | WS_VISIBLE, AFX_IDW_DOCKBAR_FLOAT);
}

void CMiniDockFrameWnd::SizeToBar() {
  const CSize size = m_dockBar.CalcFixedLayout(FALSE, TRUE);
  m_dockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  CRect frame(0, 0, size.cx, size.cy);
  ::AdjustWindowRectEx(&frame, kFrameStyle, FALSE, kFrameExStyle);
  SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The floating dock bar fills the frame; nothing else is laid out.
void CMiniDockFrameWnd::RecalcLayout(BOOL) {
  if (!m_dockBar.m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  m_dockBar.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMiniDockFrameWnd::OnClose() { ShowWindow(SW_HIDE); }
