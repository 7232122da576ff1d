#include "mfc/CClientDC.h"

#include "mfc/CWnd.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() { ReleaseHandle(); }

void CClientDC::ReleaseHandle() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
