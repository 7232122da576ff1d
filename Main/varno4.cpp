#include "Main/varno4.h"

#include "Main/CErrorDlg.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

CViewerApp::CViewerApp() : m_nThreadID(GetCurrentThreadId()) {}

LRESULT CViewerApp::OnExitMessage(WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (m_hMainWnd == nullptr || !IsWindow(m_hMainWnd)) ExitProcess(static_cast<UINT>(-1));
  PostMessage(m_hMainWnd, WM_CLOSE, 0, 0);
  return 0;
}

void CViewerApp::PumpWaitingMessages() {
  while (PumpOneMessage()) {
  }
}
