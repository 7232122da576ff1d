#include "Main/varno4.h"

#include "Main/CAboutDlg.h"
#include "Main/CErrorDlg.h"
#include "Main/CStartDlg.h"
#include "Main/KeyCommand.h"
#include "mfc/AfxCommandIds.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {
// Registered when the program is loaded, so that both ids are known before
// the first message can arrive.
const UINT exitMessage = ExitMessageId();
[[maybe_unused]] const UINT keyCommandMessage = KeyCommandMessageId();
}  // namespace

BEGIN_MESSAGE_MAP(CViewerApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
  ON_REGISTERED_MESSAGE(exitMessage, OnExitMessage)
END_MESSAGE_MAP()

CViewerApp::CViewerApp() = default;

CViewerApp::~CViewerApp() { CloseStartDialog(); }

BOOL CViewerApp::InitInstance() {
  if (!StartEngine() || !StartServices()) return FALSE;
  return StartWindows();
}

int CViewerApp::ExitInstance() {
  EndServices();
  m_buttons_frm.RemoveAll();
  m_buttons_pop.RemoveAll();
  return CWinApp::ExitInstance();
}

BOOL CViewerApp::PreTranslateMessage(MSG* msg) {
  if (msg->hwnd == nullptr) {
    if (const AFX_MSGMAP_ENTRY* entry = FindEntry(msg->message, 0, 0)) {
      entry->pfn(this, msg->wParam, msg->lParam);
      return TRUE;
    }
  }
  return CWinApp::PreTranslateMessage(msg);
}

void CViewerApp::OnAppAbout() {
  CAboutDlg about(CWnd::FromHandle(m_hMainWnd));
  about.DoModal();
}

LRESULT CViewerApp::OnExitMessage(WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (m_hMainWnd == nullptr || !IsWindow(m_hMainWnd)) ExitProcess(static_cast<UINT>(-1));
  PostMessage(m_hMainWnd, WM_CLOSE, 0, 0);
  return 0;
}

void CViewerApp::PumpWaitingMessages() {
  while (PumpOneMessage()) {
  }
}

void CViewerApp::CloseStartDialog() {
  if (m_pStartDlg == nullptr) return;
  m_pStartDlg->Close();
  delete m_pStartDlg;
  m_pStartDlg = nullptr;
}
