// The viewer's side of the channel to the order-list program: finding its main
// window, posting short commands and sending data.

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/varno4.h"
#include "interfaces/ProtocolCommands.h"
#include "win32/CrossProcess.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

namespace {

// The order-list program's main window: a top-level window of its process
// that holds the viewer's process id as its user data.
bool IsProtocolWindow(HWND window, DWORD protocolPid, DWORD ownPid) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid == protocolPid && GetParent(window) == nullptr &&
         static_cast<DWORD>(GetWindowLong(window, GWL_USERDATA)) == ownPid;
}

HWND WalkFrom(HWND start, UINT direction, DWORD protocolPid, DWORD ownPid) {
  for (HWND window = GetWindow(start, direction); window != nullptr; window = GetWindow(window, direction))
    if (IsProtocolWindow(window, protocolPid, ownPid)) return window;
  return nullptr;
}

}  // namespace

BOOL CViewerApp::FindProtocolWindow() {
  DWORD ownPid = GetCurrentProcessId();
  if (m_prot_pid == 0 || m_hMainWnd == nullptr) return FALSE;
  HWND found = WalkFrom(m_hMainWnd, GW_HWNDPREV, m_prot_pid, ownPid);
  if (found == nullptr) found = WalkFrom(m_hMainWnd, GW_HWNDNEXT, m_prot_pid, ownPid);
  if (found == nullptr) return FALSE;
  m_prot_wnd = found;
  m_prot_found = TRUE;
  PostProtocolCommand(PROTOCOL_CMD_VIEWER_WINDOW, reinterpret_cast<LPARAM>(m_hMainWnd));
  return TRUE;
}

namespace {

// Looks the window up when it is not known yet; the first miss of the run is
// reported.
bool KnowsProtocolWindow(CViewerApp& app, int code) {
  if (app.m_prot_found || app.FindProtocolWindow()) return true;
  if (!app.m_prot_reported) {
    app.m_prot_reported = TRUE;
    CErrorTrace* node = ERROR_TRACE_PUSH();
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, 312, "", code);
    CErrorDlg::ReportAndRemove(node);
  }
  return false;
}

UINT ProtocolMessage(CViewerApp& app) {
  if (app.m_prot_msg == 0) app.m_prot_msg = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);
  return app.m_prot_msg;
}

}  // namespace

LRESULT CViewerApp::PostProtocolCommand(int code, LPARAM lParam) {
  if (!KnowsProtocolWindow(*this, code)) return 0;
  return PostMessage(m_prot_wnd, ProtocolMessage(*this), static_cast<WPARAM>(code), lParam);
}

LRESULT CViewerApp::SendProtocolData(int code, CDynBuf* data) {
  if (!KnowsProtocolWindow(*this, code)) return 0;
  COPYDATASTRUCT copy{};
  copy.dwData = static_cast<ULONG_PTR>(code);
  copy.cbData = data != nullptr ? static_cast<DWORD>(data->GetLength()) : 0;
  copy.lpData = data != nullptr ? data->GetData() : nullptr;
  return SendMessage(m_prot_wnd, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hMainWnd), reinterpret_cast<LPARAM>(&copy));
}
