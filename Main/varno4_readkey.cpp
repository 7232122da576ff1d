// Reading a key: the catalogue databases are opened on first use, the key's
// record is looked up and its description rendered into the current-key
// buffer, which keeps the last good key when anything fails.
#include <new>
#include <string>

#include "Main/CErrorDlg.h"
#include "Main/CNoteDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/DdmDbLink.h"
#include "Main/varno4.h"
#include "Main/ProgramTexts.h"
#include "foundation/CompanionDatabase.h"
#include "foundation/MessageFormat.h"
#include "interfaces/QorDdm.h"
#include "mfc/CFile.h"
#include "win32/MessageBox.h"

namespace {

constexpr int ERR_NO_MEMORY = 1;
constexpr int ERR_CATALOGUE_NOT_OPENED = 372;
constexpr int ERR_KEY_MISSING = 374;
constexpr int ERR_RENDERING = 376;
constexpr int ERR_PARTS_MASTER_NOT_OPENED = 466;
constexpr LONG TEXT_INSERT_MEDIUM = ProgramText::kInsertMedium;

void Report(CErrorTrace* own, int line, int severity, int code, const char* detail) {
  own->Fail(line, severity, code, detail, 0);
  CErrorDlg::ReportAndRemove(own);
}

bool HaveLink(DdmDbLink*& link) {
  if (link == nullptr) link = new (std::nothrow) DdmDbLink;
  return link != nullptr;
}

// The catalogue's medium (a disc, a network share) may be gone; the user puts
// it back and tries again, or gives up.
bool MediumBack(HWND owner) {
  CNoteDlg note(CWnd::FromHandle(owner));
  note.m_text = FormatMessageText(theGlobals.MessageText(TEXT_INSERT_MEDIUM), {theGlobals.m_cdname});
  return note.DoModal() == IDOK;
}

bool FileExists(const CString& path) {
  CFileStatus status;
  return CFile::GetStatus(path, status) != FALSE;
}

// Opens path into the link, asking for the medium after each failed try
// when asked to.
bool OpenAskingForMedium(DdmDbLink& link, const CString& path, HWND owner, bool ask) {
  auto* database = new DdmDatabase(0, 0, 0, 0);
  while (!database->DdmDbOpen(path)) {
    if (!ask || !MediumBack(owner)) {
      database->DdmDbDelete(1);
      return false;
    }
  }
  link.dbc = database;
  return true;
}

// A companion that is missing is no error: not every catalogue has one. It
// is looked for with every key read, so its absence is not tried (and
// logged) as a failed open each time; one that is there but cannot be
// opened is.
void OpenCompanion(DdmDbLink& link) {
  const CString path = CompanionDatabasePath(theGlobals.m_teilestamm);
  if (!FileExists(path)) return;
  auto* database = new DdmDatabase(0, 0, 0, 0);
  if (!database->DdmDbOpen(path)) {
    database->DdmDbDelete(1);
    return;
  }
  link.dbc = database;
  if (theGlobals.m_cache_stamm_pointer2) database->DdmDbCachePointers(0);
}

}  // namespace

BOOL CViewerApp::OpenCatalogueDatabases(CErrorTrace* own, BOOL askForMedium) {
  CWV4Globals& g = theGlobals;
  const HWND owner = m_hMainWnd;
  const bool ask = askForMedium != FALSE;
  const bool withMaster = !g.m_teilestamm.IsEmpty();
  if (!HaveLink(g.m_pdb) || (withMaster && (!HaveLink(g.m_pstamm) || !HaveLink(g.m_pstamm2)))) {
    Report(own, __LINE__, SEVERITY_FATAL, ERR_NO_MEMORY, "");
    return false;
  }
  if (g.m_pdb->dbc == nullptr && !OpenAskingForMedium(*g.m_pdb, g.m_database, owner, ask)) {
    Report(own, __LINE__, SEVERITY_ERROR, ERR_CATALOGUE_NOT_OPENED, g.m_database);
    return false;
  }
  if (g.m_pstamm != nullptr && g.m_pstamm->dbc == nullptr) {
    if (!OpenAskingForMedium(*g.m_pstamm, g.m_teilestamm, owner, ask)) {
      Report(own, __LINE__, SEVERITY_ERROR, ERR_PARTS_MASTER_NOT_OPENED, g.m_teilestamm);
      return false;
    }
    if (g.m_cache_stamm_pointer) g.m_pstamm->dbc->DdmDbCachePointers(0);
    if (g.m_cache_stamm_data) g.m_pstamm->dbc->DdmDbCacheData();
  }
  if (g.m_pstamm2 != nullptr && g.m_pstamm2->dbc == nullptr) OpenCompanion(*g.m_pstamm2);
  return true;
}

namespace {

// Positions the catalogue at the key's records, hit 0 being the key's own.
// A key that finds nothing in a catalogue file that is there is missing;
// without the file the medium is asked for and the key looked up again.
bool LookUpKey(const char* key, CErrorTrace* own, HWND owner) {
  CWV4Globals& g = theGlobals;
  DdmDbLink& catalogue = *g.m_pdb;
  for (;;) {
    catalogue.max_lines = catalogue.dbc->DdmDbLookup(key, 0);
    catalogue.cur_line = 0;
    if (catalogue.max_lines > 0) return true;
    if (FileExists(g.m_database)) {
      Report(own, __LINE__, SEVERITY_ERROR, ERR_KEY_MISSING, key);
      return false;
    }
    do {
      if (!MediumBack(owner)) {
        catalogue.dbc->DdmDbDelete(1);
        catalogue.dbc = nullptr;
        Report(own, __LINE__, SEVERITY_ERROR, ERR_CATALOGUE_NOT_OPENED, g.m_database);
        return false;
      }
    } while (!FileExists(g.m_database));
  }
}

bool RenderKey(const char* key, CErrorTrace* own) {
  CWV4Globals& g = theGlobals;
  CDynBuf stream;
  for (DdmDbLink* master : {g.m_pstamm, g.m_pstamm2}) {
    if (master != nullptr && master->dbc != nullptr) master->dbc->DdmDbPrepare(0xFFFF);
  }
  if (!g.m_pinterp->Browse(stream, g.m_pdb, DdmDbLink())) {
    Report(own, __LINE__, SEVERITY_ERROR, ERR_RENDERING, key);
    return false;
  }
  g.m_act_key_buf = stream;
  return true;
}

// The key's description names the key and may ask for the pop-up frame.
void TakeKeyVariables() {
  CWV4Globals& g = theGlobals;
  VarValue value;
  if (g.m_pvar->GetVar("KEYNAME", &value) == VAR_CHAR) g.m_new_key_name = value.text;
  else g.m_new_key_name.Empty();
  switch (g.m_pvar->GetVar("WV4POPUP", &value)) {
    case VAR_LONG:
    case VAR_BOOL:
    case VAR_DUD: g.m_IsPopup = value.lval != 0; break;
    case VAR_FLOAT: g.m_IsPopup = value.fval != 0.0f; break;
    default: g.m_IsPopup = FALSE;
  }
}

}  // namespace

BOOL CViewerApp::LoadKeyProject() { return LoadProject() != 0; }

BOOL CViewerApp::ReadKey(const char* key) {
  CWV4Globals& g = theGlobals;
  if (g.m_internet_mode == kInternetClient && !g.m_FirstStart) {
    if (!ReadKeyFromServer(key)) return FALSE;
    TakeKeyVariables();
    return TRUE;
  }
  CErrorTrace* own = ERROR_TRACE_PUSH();
  if (!OpenCatalogueDatabases(own, TRUE) || !LookUpKey(key, own, m_hMainWnd)) return FALSE;
  const bool rendered = RenderKey(key, own);
  g.m_pdb->dbc->DdmDbEndLookup();
  g.m_pdb->max_lines = 0;
  TakeKeyVariables();
  if (rendered) CErrorTrace::Remove(own);
  return rendered;
}
