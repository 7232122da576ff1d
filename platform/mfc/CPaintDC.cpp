#include "mfc/CPaintDC.h"

#include "mfc/CWnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) {
  Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() { ReleaseHandle(); }

void CPaintDC::ReleaseHandle() {
  if (!m_hDC) return;
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}
