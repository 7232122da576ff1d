// Showing a key: the variables and the key history around reading a key and
// putting its face on the screen, and the fall-back to the last good key.
#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/ViewerFrames.h"
#include "Main/varno4.h"
#include "interfaces/ProtocolCommands.h"
#include "interfaces/QorDdm.h"
#include "mfc/CWaitCursor.h"
#include "win32/UserWindows.h"

namespace {

constexpr int ERR_LINK_ASSIGNMENTS = 307;
constexpr int ERR_PROJECT_LOAD = 308;
constexpr int ERR_FACE = 217;

void SetSystemText(const char* name, const CString& value) {
  theGlobals.m_pvar->SetVar(name, VarValue::Text(value), VAR_CHAR | VAR_FLAG_SYSTEM);
}

void CloseDatabase(DdmDbLink* link) {
  if (link == nullptr || link->dbc == nullptr) return;
  link->dbc->DdmDbClose();
  delete link->dbc;
  link->dbc = nullptr;
}

void ReopenTexts(DdmTextTable& table, const CString& file, BOOL cacheData, BOOL cachePointers) {
  table.DdmTextClose();
  if (file.IsEmpty()) return;  // the project has no such dictionary
  table.DdmTextOpen(file, theGlobals.m_language, "D0");
  if (cacheData) table.DdmDbCacheData();
  if (cachePointers) table.DdmDbCachePointers(0);
}

// The failed call's nodes stay above own on the trace, so the report names them.
void Report(CErrorTrace* own, int line, int code, const char* detail) {
  own->Fail(line, SEVERITY_ERROR, code, detail, 0);
  CErrorDlg::ReportAndRemove(own);
}

// Runs an assignment list; a failure is reported with code and the key is
// shown all the same.
void RunAssignments(const CDynBuf& list, int code, int line) {
  CErrorTrace* own = ERROR_TRACE_PUSH();
  if (theGlobals.m_pinterp->ExecAssignments(list)) CErrorTrace::Remove(own);
  else Report(own, line, code, "");
}

// WV4ADDTOLIST keeps the key being left out of the history only when it
// exists and holds 0.
bool HistoryWanted() {
  VarValue value;
  switch (theGlobals.m_pvar->GetVar("WV4ADDTOLIST", &value)) {
    case VAR_LONG:
    case VAR_BOOL:
    case VAR_DUD: return value.lval != 0;
    case VAR_FLOAT: return value.fval != 0.0f;
    default: return true;
  }
}

// The order-list program looks parts up in the parts master of the project
// on the screen.
void AnnouncePartsMaster(CViewerApp& app) {
  CDynBuf path;
  path.Append(theGlobals.m_teilestamm);
  path.Append('\0');
  app.SendProtocolData(PROTOCOL_CMD_PARTS_DATABASE, &path);
}

void ForgetNeighbours() {
  theGlobals.m_leftneighbour.Empty();
  theGlobals.m_rightneighbour.Empty();
}

}  // namespace

namespace {

constexpr int ERR_FACE_BUILD = 502;

// The frame window of the window with the keyboard focus.
CFrameWnd* FocusFrame() {
  HWND focus = GetFocus();
  CWnd* window = focus != nullptr ? CWnd::FromHandle(focus) : nullptr;
  if (window == nullptr) return nullptr;
  if (auto* frame = dynamic_cast<CFrameWnd*>(window)) return frame;
  return window->GetParentFrame();
}

BOOL FailBuild(const char* which) {
  ERROR_TRACE_PUSH()->Fail(__LINE__, SEVERITY_ERROR, ERR_FACE_BUILD, which, 0);
  return FALSE;
}

}  // namespace

// The face goes to the pop-up when the key asks for it, the main frame
// waiting disabled meanwhile; otherwise to the main frame, the pop-up hidden.
// Without frame windows there is nothing to show.
BOOL CViewerApp::ShowFace() {
  CMainFrame* main = ViewerMainFrame();
  CPopup* popup = ViewerPopup();
  if (main == nullptr) return TRUE;
  const CFrameWnd* focus = FocusFrame();
  const bool hadFocus = focus != nullptr && (focus == main || focus == popup);
  CFrameWnd* shown = main;
  if (theGlobals.m_IsPopup && popup != nullptr) {
    if (!popup->m_shown) {
      main->EnableWindow(FALSE);
      popup->m_shown = TRUE;
    }
    if (!popup->BuildFace()) return FailBuild("P");
    popup->PlaceAtCursor(main);
    popup->ShowWindow(SW_SHOW);
    popup->UpdateWindow();
    popup->EnableWindow(TRUE);
    shown = popup;
  } else {
    if (popup != nullptr && popup->m_shown) {
      main->EnableWindow(TRUE);
      popup->EnableWindow(FALSE);
      popup->ShowWindow(SW_HIDE);
      popup->m_shown = FALSE;
    }
    if (!main->BuildFace()) return FailBuild("F");
    main->ShowWindow(SW_SHOW);
    main->UpdateWindow();
    main->EnableWindow(TRUE);
  }
  if (hadFocus) shown->SetFocus();
  return TRUE;
}

BOOL CViewerApp::ShowKey(const char* keyText, WPARAM fromLink, bool mayFallBack) {
  CWV4Globals& g = theGlobals;
  if (g.m_internet_mode == kInternetServer) {  // the server answers keys; it shows none
    ServeInternet();
    return TRUE;
  }
  CWaitCursor waiting;
  // A copy: the text may be m_tmpkey, which a fall-back writes.
  const CString requested(keyText);
  const CString oldProject = g.m_cur_prj;

  SetSystemText("LASTKEY", g.m_cur_prj_key);
  SetSystemText("LASTPRJ", g.m_cur_prj);
  g.m_pvar->SaveSnapshot();

  CString key = requested;
  bool projectChanged = false;
  if (const int tilde = requested.Find('~'); tilde >= 0) {
    const CString project = requested.Left(tilde);
    key = requested.Mid(tilde + 1);
    if (project != g.m_cur_prj) {
      CloseDatabase(g.m_pdb);
      g.m_cur_prj = project;
      g.m_cur_prj_file = g.m_app_dir + "\\" + project + ".prj";
      CErrorTrace* own = ERROR_TRACE_PUSH();
      if (!LoadKeyProject()) {
        Report(own, __LINE__, ERR_PROJECT_LOAD, project);
        ForgetNeighbours();
        g.m_pvar->RestoreSnapshot();
        g.m_cur_prj = oldProject;
        g.m_cur_prj_file = g.m_app_dir + "\\" + oldProject + ".prj";
        LoadKeyProject();
        if (!mayFallBack) return FALSE;
        g.m_tmpkey = oldProject + "~" + g.m_cur_prj_key;
        return ShowKey(g.m_tmpkey, 0, false);
      }
      CErrorTrace::Remove(own);
      ReopenTexts(g.m_datadud, g.m_duden, g.m_cache_duden_data, g.m_cache_duden_pointer);
      ReopenTexts(g.m_datachdud, g.m_chduden, g.m_cache_dudench_data, g.m_cache_dudench_pointer);
      CloseDatabase(g.m_pstamm);
      CloseDatabase(g.m_pstamm2);
      projectChanged = true;
    }
  }
  SetSystemText("CURKEY", key);
  SetSystemText("CURPRJ", g.m_cur_prj);
  g.m_cur_read_key = key;

  // Going back to a key of the history puts its traced variables back, and
  // the key being left is not added.
  const CString requestedName = g.m_cur_prj + "~" + key;
  bool addToHistory = fromLink == 1;
  CDynBuf historyData;
  if (g.m_phistory->PopToName(requestedName, historyData)) {
    RunAssignments(historyData, ERR_LINK_ASSIGNMENTS, __LINE__);
    addToHistory = false;
  }
  RunAssignments(g.m_cur_varbuf, ERR_LINK_ASSIGNMENTS, __LINE__);

  g.m_protmodus = 0;
  ForgetNeighbours();
  g.m_notiz_name = key;
  g.m_notiz_allowed = FALSE;
  const BOOL leftPopup = g.m_IsPopup;
  const BOOL leftChapter = g.m_is_kapitel;
  g.m_use_tt_window = FALSE;
  g.m_IsPopup = FALSE;
  g.m_is_kapitel = FALSE;

  // The key on the screen stays the last good one. There is one fall-back
  // only: the last key may lie in another project, whose own fall-back would
  // lead back here, and so on without end.
  auto fallBack = [&]() -> BOOL {
    if (!mayFallBack || (!projectChanged && key == g.m_cur_prj_key)) return FALSE;
    g.m_tmpkey = oldProject + "~" + g.m_cur_prj_key;
    return ShowKey(g.m_tmpkey, 0, false);
  };
  if (!ReadKey(key)) {
    ForgetNeighbours();
    g.m_IsPopup = FALSE;
    g.m_is_kapitel = FALSE;
    g.m_notiz_allowed = FALSE;
    g.m_use_tt_window = FALSE;
    g.m_pvar->RestoreSnapshot();
    if (g.m_internet_mode == kInternetClient) return FALSE;
    return fallBack();
  }
  if (projectChanged) AnnouncePartsMaster(*this);

  CErrorTrace* own = ERROR_TRACE_PUSH();
  if (!ShowFace()) {
    ForgetNeighbours();
    g.m_pvar->RestoreSnapshot();
    Report(own, __LINE__, ERR_FACE, key);
    return fallBack();
  }
  CErrorTrace::Remove(own);

  CDynBuf traced;
  g.m_pvar->WriteTraceVars(traced);
  if (addToHistory && !HistoryWanted()) addToHistory = false;
  if (addToHistory && requested != g.m_key_start && key != g.m_key_start) {
    // Named with its project even when the new key names one, so that going
    // back finds it and shows it in its own project.
    const CString leftName = oldProject + "~" + g.m_cur_prj_key;
    if (leftName != requestedName) g.m_phistory->AddEntry(leftName, traced, leftChapter, leftPopup);
  }

  g.m_cur_prj_key = key;
  g.m_cur_key_name = g.m_new_key_name;
  g.m_pvar->DiscardSnapshot();
  g.m_cur_varbuf.Empty();
  if (g.m_IsPopup) {
    if (CPopup* popup = ViewerPopup()) popup->UpdateTitle();
  } else if (CMainFrame* main = ViewerMainFrame()) {
    main->UpdateTitle();
  }
  return TRUE;
}
