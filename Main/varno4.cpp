#include "Main/varno4.h"

#include <cstdlib>

#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

CViewerApp::CViewerApp() : m_nThreadID(GetCurrentThreadId()) {}

LRESULT CViewerApp::OnExitMessage(WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (m_hMainWnd == nullptr || !IsWindow(m_hMainWnd)) std::_Exit(-1);
  PostMessage(m_hMainWnd, WM_CLOSE, 0, 0);
  return 0;
}
