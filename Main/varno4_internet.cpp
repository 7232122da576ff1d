// The internet modes. A client hands each key with its variables to the
// connection program through exchange files and takes the rendered answer;
// a server polls its exchange folder and answers each request.
#include <string>

#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CIV4Control.h"
#include "Main/CInternetDlg.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/DdmDbLink.h"
#include "Main/varno4.h"
#include "interfaces/QorDdm.h"
#include "mfc/AfxMessageBox.h"
#include "mfc/CFile.h"
#include "win32/Clock.h"
#include "win32/CrossProcess.h"
#include "win32/Files.h"
#include "win32/Threads.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr int ERR_KEY_MISSING = 374;
constexpr int ERR_REQUEST = 376;
constexpr int ERR_ANSWER_VARIABLES = 307;
constexpr const char* kConnectionClass = "Skyfetch";

bool Exists(const CString& path) {
  CFileStatus status;
  return CFile::GetStatus(path, status) != FALSE;
}

// The whole file, or false when it is missing, cannot be opened or gives
// fewer bytes than its size.
bool ReadWhole(const CString& path, CDynBuf& content) {
  if (!Exists(path)) return false;
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return false;
  try {
    const DWORD length = file.GetLength();
    if (!content.SetLength(static_cast<int>(length))) return false;
    return length == 0 || file.Read(content.GetData(), length) == length;
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
}

bool WriteWhole(const CString& path, const CDynBuf& content) {
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary)) return false;
  try {
    file.Write(content.GetData(), static_cast<UINT>(content.GetLength()));
    file.Close();
    return true;
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
}

// A flag file: its existence is the message.
void CreateEmpty(const CString& path) {
  CFile file;
  if (file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone)) file.Close();
}

void Report(CErrorTrace* own, int line, int severity, int code, const char* detail) {
  own->Fail(line, severity, code, detail, 0);
  CErrorDlg::ReportAndRemove(own);
}

// The user's variables, then a key statement that makes the key the one to show.
CDynBuf RequestFor(const char* key) {
  CDynBuf request;
  theGlobals.m_pvar->WriteUserVars(request);
  request.Append('\0');
  request.Append('{');
  request.Append(key);
  request.Append('\0');
  request.Append('|');
  request.Append('\0');
  request.Append('\0');
  return request;
}

void ForgetKeyState() {
  CWV4Globals& g = theGlobals;
  g.m_leftneighbour.Empty();
  g.m_rightneighbour.Empty();
  g.m_notiz_allowed = FALSE;
  g.m_use_tt_window = FALSE;
  g.m_IsPopup = FALSE;
  g.m_is_kapitel = FALSE;
}

}  // namespace

BOOL CViewerApp::PumpOneMessage() {
  MSG msg;
  if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) return FALSE;
  if (msg.message == WM_QUIT) {  // left for the message loop that ends the program
    PostQuitMessage(static_cast<int>(msg.wParam));
    return FALSE;
  }
  if (msg.hwnd == nullptr && msg.message == ExitMessageId()) {
    OnExitMessage(msg.wParam, msg.lParam);
    return TRUE;
  }
  TranslateMessage(&msg);
  DispatchMessage(&msg);
  return TRUE;
}

void CViewerApp::ConnectInternetClient() {
  m_internet_wnd = FindWindow(kConnectionClass, nullptr);
  if (m_internet_wnd == nullptr) {
    CInternetDlg box(this, "Warten auf Skyfetch ...", "Abbrechen");
    box.Open(CWnd::FromHandle(m_hMainWnd));
    m_internet_wait = 1;
    while (m_internet_wnd == nullptr) {
      for (int i = 0; i < 100; ++i) {
        PumpOneMessage();
        Sleep(5);
      }
      if (!m_internet_wait) break;
      m_internet_wnd = FindWindow(kConnectionClass, nullptr);
    }
    box.Close();
    if (m_internet_wnd == nullptr) {
      AfxMessageBox("Keine Internet-Anbindung !");
      return;
    }
  }
  const char* refusal = nullptr;
  if (SendMessage(m_internet_wnd, kSkyfetchHello, 0, 0) != kSkyfetchYes)
    refusal = "Programm Skyfetch.exe antwortet nicht !";
  else if (SendMessage(m_internet_wnd, kSkyfetchOnline, 0, 0) != kSkyfetchYes)
    refusal = "Wir haben keine Internet-Verbindung zum Server !";
  if (refusal != nullptr) {
    AfxMessageBox(refusal);
    m_internet_wnd = nullptr;
  }
}

void CViewerApp::TakeInternetReply(DWORD request, LRESULT reply) {
  if (request != m_internet_request) return;  // the user gave that request up
  m_internet_answer = reply;
  m_internet_replied = request;
}

// Waits for the connection program's reply to the request in the client
// folder's files, keeping the viewer alive; true when the answer is there.
bool CViewerApp::FetchInternetAnswer() {
  EnableWindow(m_hMainWnd, FALSE);
  CInternetDlg box(this, "Warten auf Daten ...", "Abbrechen");
  box.Open(CWnd::FromHandle(m_hMainWnd));
  m_internet_wait = 1;
  m_internet_answer = 0;
  const DWORD request = ++m_internet_request;
  // The thread deletes its object when it ends, which may be at once: it
  // starts suspended so that the object is complete first.
  auto* control = new CIV4Control;
  control->SetTarget(this, m_internet_wnd, request);
  if (control->CreateThread(CREATE_SUSPENDED)) ::ResumeThread(control->m_hThread);
  else delete control;
  while (m_internet_wait && m_internet_replied != request) {
    PumpOneMessage();
    Sleep(5);
  }
  EnableWindow(m_hMainWnd, TRUE);
  box.Close();
  if (m_internet_replied != request) return false;  // given up
  const LRESULT answer = m_internet_answer;
  return answer != kSkyfetchNoAnswer && answer != 0;
}

BOOL CViewerApp::ReadKeyFromServer(const char* key) {
  const CString& folder = theGlobals.m_exchange_dir_client;
  CErrorTrace* own = ERROR_TRACE_PUSH();
  auto fail = [&](int line) {
    Report(own, line, SEVERITY_ERROR, ERR_REQUEST, key);
    return FALSE;
  };
  if (!WriteWhole(folder + "command.iv4", RequestFor(key))) return fail(__LINE__);
  CreateEmpty(folder + "control.iv4");
  if (!FetchInternetAnswer()) return fail(__LINE__);
  CDynBuf answer;
  if (!ReadWhole(folder + "answer.iv4", answer)) return fail(__LINE__);
  const CString variablesFile = folder + "variable.iv4";
  if (!Exists(variablesFile)) {
    AfxMessageBox("Keine Variable da !");
  } else {
    CDynBuf variables;
    if (!ReadWhole(variablesFile, variables)) return fail(__LINE__);
    CErrorTrace* run = ERROR_TRACE_PUSH();
    if (theGlobals.m_pinterp->ExecAssignments(variables)) CErrorTrace::Remove(run);
    else Report(run, __LINE__, SEVERITY_ERROR, ERR_ANSWER_VARIABLES, variablesFile);
  }
  theGlobals.m_act_key_buf = answer;
  CErrorTrace::Remove(own);
  return TRUE;
}

void CViewerApp::ServeInternet() {
  CInternetDlg box(this, "VARNO 4 Internet Server l\xE4uft ...", "Beenden");
  box.Open(CWnd::FromHandle(m_hMainWnd));
  m_internet_wait = 1;
  RunInternetServer();
  box.Close();
  ::PostThreadMessage(m_nThreadID, ExitMessageId(), 0, 0);
}

// Polls for a request until one is there (true) or the user ends the server.
bool CViewerApp::AwaitInternetRequest() {
  const CString control = theGlobals.m_exchange_dir_server + "control.iv4";
  for (;;) {
    for (int i = 0; i < 10; ++i) {
      PumpOneMessage();
      Sleep(50);
    }
    if (!m_internet_wait) return false;
    if (Exists(control)) return true;
  }
}

// Answers one request; 0 when it was answered, else the error that refuses it.
int CViewerApp::AnswerInternetRequest() {
  CWV4Globals& g = theGlobals;
  const CString& folder = g.m_exchange_dir_server;
  CDynBuf command;
  if (!ReadWhole(folder + "command.iv4", command)) return ERR_REQUEST;
  g.m_tmpkey.Empty();
  g.m_pinterp->ExecAssignments(command);
  VarValue language;
  if (g.m_pvar->GetVar("DATALANGUAGE", &language) != VAR_CHAR) return ERR_REQUEST;
  if (language.text != g.m_language) SetDataLanguage(language.text);
  if (g.m_tmpkey.IsEmpty()) return ERR_REQUEST;
  g.m_pdb->max_lines = g.m_pdb->dbc->DdmDbLookup(g.m_tmpkey, 0);
  g.m_pdb->cur_line = 0;
  if (g.m_pdb->max_lines == 0) return ERR_KEY_MISSING;
  CDynBuf stream;
  const BOOL rendered = g.m_pinterp->Browse(stream, g.m_pdb, DdmDbLink());
  g.m_pdb->dbc->DdmDbEndLookup();
  g.m_pdb->max_lines = 0;
  return rendered ? 0 : ERR_REQUEST;
}

// A request that cannot be answered leaves no answer behind, so that the
// client's request fails with its own error; it is finished all the same,
// so that the client learns of it at once instead of at the connection
// program's time-out. The server goes on serving.
void CViewerApp::RunInternetServer() {
  CWV4Globals& g = theGlobals;
  const CString& folder = g.m_exchange_dir_server;
  CErrorTrace* own = ERROR_TRACE_PUSH();
  if (!OpenCatalogueDatabases(own, FALSE)) return;
  for (DdmDbLink* master : {g.m_pstamm, g.m_pstamm2}) {
    if (master != nullptr && master->dbc != nullptr) master->dbc->DdmDbPrepare(0xFFFF);
  }
  for (;;) {
    ForgetKeyState();
    if (!AwaitInternetRequest()) break;
    DeleteFile(folder + "control.iv4");
    if (const int refused = AnswerInternetRequest(); refused != 0) {
      for (const char* stale : {"answer.iv4", "variable.iv4", "varno4.iv4"}) DeleteFile(folder + stale);
      CErrorTrace* request = ERROR_TRACE_PUSH();
      Report(request, __LINE__, SEVERITY_LOG, refused, g.m_tmpkey);
    }
    CreateEmpty(folder + "result.iv4");
  }
  CErrorTrace::Remove(own);
}
