// The viewer's side of the channel to the order-list program: finding its main
// window, posting short commands and sending data.

#include <cstdlib>

#include "Main/CConfirmListDlg.h"
#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"
#include "foundation/CIniClass.h"
#include "interfaces/ProtocolCommands.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/MessageBox.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

namespace {

constexpr int ERR_PROTOCOL_KEY_UNREADABLE = 413;
constexpr int ERR_PROTOCOL_KEY_EMPTY = 414;
constexpr int ERR_PROTOCOL_NOT_STARTED = 415;
constexpr int ERR_PROTOCOL_WINDOW_MISSING = 312;
constexpr int ERR_PROTOCOL_START = 310;
constexpr DWORD kProtocolReadyTimeout = 5000;

// The order-list program's command line: the languages, then the
// dictionaries and the parts master that the project names.
CString ProtocolArguments() {
  const CWV4Globals& g = theGlobals;
  CString arguments;
  arguments.Format("-DL %s -PL %s", static_cast<const char*>(g.m_language), static_cast<const char*>(g.m_prg_language));
  if (!g.m_duden.IsEmpty()) arguments += " -DN '" + g.m_duden + "'";
  if (!g.m_chduden.IsEmpty()) arguments += " -DC '" + g.m_chduden + "'";
  if (!g.m_teilestamm.IsEmpty()) arguments += " -TS '" + g.m_teilestamm + "'";
  return arguments;
}

bool ProcessRuns(DWORD processId) {
  if (processId == 0) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return false;
  DWORD exitCode = 0;
  const bool runs = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
  CloseHandle(process);
  return runs;
}

enum class Readiness { ready, starting, ended };

// Waits, within the start's bound, until the order-list program is ready
// for input; a busy machine may take it longer than that to start.
Readiness AwaitReady(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return Readiness::ended;
  const DWORD waited = WaitForInputIdle(process, kProtocolReadyTimeout);
  CloseHandle(process);
  if (waited == 0) return Readiness::ready;
  return waited == WAIT_TIMEOUT ? Readiness::starting : Readiness::ended;
}

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

BOOL CViewerApp::StartProtocol() {
  CWV4Globals& g = theGlobals;
  CErrorTrace* node = ERROR_TRACE_PUSH();
  CString number;
  if (g.m_pini == nullptr || g.m_pini->ReadKey("SYSTEM", "Protocol", "", number, g.m_main_prj_file, 0) == 0) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_PROTOCOL_KEY_UNREADABLE, g.m_main_prj_file, 0);
    return FALSE;
  }
  if (number.IsEmpty()) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_PROTOCOL_KEY_EMPTY, g.m_main_prj_file, 0);
    return FALSE;
  }
  const CString arguments = ProtocolArguments();
  DWORD processId = 0;
  const BOOL started = g.m_pextprg != nullptr && g.m_pextprg->Run(std::atoi(number), FALSE, arguments, &processId);
  if (!started || processId == 0) {
    ERROR_TRACE_FAIL(node, SEVERITY_ERROR, ERR_PROTOCOL_NOT_STARTED, number, 0);
    return FALSE;
  }
  m_prot_pid = processId;
  m_prot_found = FALSE;
  m_prot_wnd = nullptr;
  CErrorTrace::Remove(node);
  return TRUE;
}

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

// An order-list program that has ended is started again, so that what the
// user asks of it next still arrives; its errors are only logged.
bool RestartEndedProtocol(CViewerApp& app) {
  if (app.m_prot_pid == 0 || ProcessRuns(app.m_prot_pid)) return false;
  CErrorTrace* own = ERROR_TRACE_PUSH();
  if (!app.StartProtocol()) {
    own->Fail(__LINE__, SEVERITY_LOG, ERR_PROTOCOL_START, "", 0);
    CErrorDlg::ReportAndRemove(own);
    return false;
  }
  CErrorTrace::Remove(own);
  AwaitReady(app.m_prot_pid);
  return app.FindProtocolWindow() != FALSE;
}

// An order-list program that is still starting has no window yet: the
// command waits for it to be ready and looks again.
enum class Lookup { found, starting, missing };

Lookup LookOnceReady(CViewerApp& app) {
  if (app.m_prot_pid == 0) return Lookup::missing;
  const Readiness readiness = AwaitReady(app.m_prot_pid);
  if (readiness == Readiness::starting) return Lookup::starting;
  return readiness == Readiness::ready && app.FindProtocolWindow() ? Lookup::found : Lookup::missing;
}

void ReportMissingWindow(int severity, int code) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(node, severity, ERR_PROTOCOL_WINDOW_MISSING, "", code);
  CErrorDlg::ReportAndRemove(node);
}

// Looks the window up when it is not known yet or has gone; the first miss
// of the run is reported. A program that stays busy starting is not missing:
// the command is dropped and only the log says so.
bool KnowsProtocolWindow(CViewerApp& app, int code) {
  if (app.m_prot_found && !IsWindow(app.m_prot_wnd)) app.m_prot_found = FALSE;
  if (app.m_prot_found || app.FindProtocolWindow() || RestartEndedProtocol(app)) return true;
  const Lookup lookup = LookOnceReady(app);
  if (lookup == Lookup::found) return true;
  if (lookup == Lookup::starting) {
    ReportMissingWindow(SEVERITY_LOG, code);
  } else if (!app.m_prot_reported) {
    app.m_prot_reported = TRUE;
    ReportMissingWindow(SEVERITY_ERROR, code);
  }
  return false;
}

UINT ProtocolMessage(CViewerApp& app) {
  if (app.m_prot_msg == 0) app.m_prot_msg = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);
  return app.m_prot_msg;
}

}  // namespace

// A window that went away between the look-up and the message is looked up
// once more.
LRESULT CViewerApp::PostProtocolCommand(int code, LPARAM lParam) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!KnowsProtocolWindow(*this, code)) return 0;
    if (PostMessage(m_prot_wnd, ProtocolMessage(*this), static_cast<WPARAM>(code), lParam)) return TRUE;
    m_prot_found = FALSE;
  }
  return 0;
}

LRESULT CViewerApp::SendProtocolData(int code, CDynBuf* data) {
  COPYDATASTRUCT copy{};
  copy.dwData = static_cast<ULONG_PTR>(code);
  copy.cbData = data != nullptr ? static_cast<DWORD>(data->GetLength()) : 0;
  copy.lpData = data != nullptr ? data->GetData() : nullptr;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!KnowsProtocolWindow(*this, code)) return 0;
    SetLastError(0);
    const LRESULT result =
        SendMessage(m_prot_wnd, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hMainWnd), reinterpret_cast<LPARAM>(&copy));
    if (result != 0 || IsWindow(m_prot_wnd)) return result;
    m_prot_found = FALSE;
  }
  return 0;
}

INT_PTR CViewerApp::RunConfirmList(CConfirmListDlg& dialog) { return dialog.DoModal(); }

void CViewerApp::SendPartsToProtocol(int skipConfirmation, int columns, CDynBuf* titles, CDynBuf* displayRows,
                                     CDynBuf* lines, BOOL orderFlag) {
  if (lines == nullptr) return;
  const int code = orderFlag ? PROTOCOL_CMD_ORDER_PART : PROTOCOL_CMD_PART_INFO;
  if (skipConfirmation == 1) {
    if (lines->GetLength() > 0) lines->CutRight(1);
    SendProtocolData(code, lines);
    return;
  }
  CConfirmListDlg dialog(CWnd::FromHandle(m_hMainWnd));
  dialog.m_columns = columns;
  dialog.m_titles = titles;
  dialog.m_display = displayRows;
  dialog.m_data = lines;
  if (RunConfirmList(dialog) == IDOK && lines->GetLength() > 0) SendProtocolData(code, lines);
}
