#include "mfc/CFrameWnd.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

BOOL CFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                       LPCSTR /*menuName*/, DWORD exStyle) {
  // The default rectangle leaves both place and size to the system.
  const bool defaultPlace = rect.left == CW_USEDEFAULT;
  return CreateEx(exStyle, className, title, style, rect.left, rect.top,
                  defaultPlace ? CW_USEDEFAULT : rect.right - rect.left,
                  defaultPlace ? CW_USEDEFAULT : rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, nullptr);
}

void CFrameWnd::PostNcDestroy() { delete this; }
