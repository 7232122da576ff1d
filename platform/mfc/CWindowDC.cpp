#include "mfc/CWindowDC.h"

#include "mfc/CWnd.h"

IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWindowDC::CWindowDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() { ReleaseHandle(); }

void CWindowDC::ReleaseHandle() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
