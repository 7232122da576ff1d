// The viewer's commands that do not depend on the frame window's bars: the
// language, external-program, key and variable ranges and the fixed commands
// that switch state, move through the keys, print, open dialogs and notes.
// Both frame windows hand their commands here with the face they show.
#include <cstdlib>

#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CLanguageDlg.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/KeyCommand.h"
#include "Main/varno4.h"
#include "foundation/CIniClass.h"
#include "interfaces/ProtocolCommands.h"
#include "user/Menus.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/MessageBox.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

constexpr int ERR_NOT_STARTED = 252;
constexpr int ERR_KEY_ENTRY = 520;
constexpr int ERR_VARIABLE_ENTRY = 540;
constexpr int ERR_VARIABLE_SET = 307;
constexpr UINT kAppAbout = 0xE140;

struct VariableRange {
  UINT first;
  BYTE type;
  int evalError;
};

// 1000 to 2199: CHAR, LONG, FLOAT, BOOL, DUD, DUDCH, two hundred ids each.
constexpr VariableRange kVariableRanges[] = {{1000, VAR_CHAR, 261}, {1200, VAR_LONG, 263}, {1400, VAR_FLOAT, 262},
                                             {1600, VAR_BOOL, 264}, {1800, VAR_DUD, 263}, {2000, VAR_DUDCH, 261}};

BOOL Report(CErrorTrace* own, int line, int code, const char* detail, int value) {
  own->Fail(line, SEVERITY_ERROR, code, detail, value);
  CErrorDlg::ReportAndRemove(own);
  return TRUE;
}

bool Evaluate(const CString& command, BYTE type, VarValue& value) {
  CDynBuf code;
  code.Append(command);
  CWV4Db& db = *theGlobals.m_pinterp;
  switch (type) {
    case VAR_CHAR:
    case VAR_DUDCH: return db.EvalString(code, value.text, FALSE, TRUE, nullptr) != FALSE;
    case VAR_FLOAT: return db.EvalFloat(code, value.fval, FALSE, TRUE, nullptr) != FALSE;
    case VAR_BOOL: return db.EvalBool(code, value.bval, FALSE, TRUE, nullptr) != FALSE;
    default: return db.EvalLong(code, value.lval, FALSE, TRUE, nullptr) != FALSE;
  }
}

void PostShowKey(HWND receiver, const CString& key, WPARAM fromLink) { PostKeyCommand(receiver, fromLink, key); }

// The key on the screen read and laid out anew.
void ShowAgain(HWND receiver) {
  theGlobals.m_cur_varbuf.Empty();
  PostShowKey(receiver, theGlobals.m_cur_prj_key, 0);
}

// The folder is made when the path does not exist yet.
void MakeFolder(const CString& path) {
  if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
    CreateDirectory(path, nullptr);
}

}  // namespace

void CViewerApp::CheckCommand(int command, BOOL check) {
  HMENU menu = m_hMainWnd != nullptr ? GetMenu(m_hMainWnd) : nullptr;
  if (menu != nullptr) CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

// The notes of a key lie in the user's folder on a terminal server, each
// user his own, else where VARNO_NOTIZ says or in the program's folder.
CString CViewerApp::NotesFile() {
  const CWV4Globals& g = theGlobals;
  CString folder;
  if (g.m_is_terminal_server) {
    folder = g.m_user_file_path + "\\Notizen";
    MakeFolder(folder);
    folder += "\\Sonstige";
    MakeFolder(folder);
  } else {
    VarValue value;
    folder = g.m_pvar != nullptr && g.m_pvar->GetVar("VARNO_NOTIZ", &value) == VAR_CHAR ? value.text : g.m_app_dir;
  }
  CString file = folder + "\\" + g.m_notiz_name;
  if (g.m_notiz_name.Find('.') < 0) file += ".notiz";
  return file;
}

BOOL CViewerApp::RunRangeCommand(HWND receiver, UINT id) {
  CWV4Globals& g = theGlobals;
  if (id >= 400 && id <= 429) {
    for (int i = 0; g.m_lang_prg != nullptr && i < g.m_lang_prg_num; ++i) {
      if (g.m_lang_prg[i].cmdid == static_cast<int>(id)) SetProgramLanguage(g.m_lang_prg[i].lang_code);
    }
    return TRUE;
  }
  if (id >= 430 && id <= 459) {
    for (int i = 0; g.m_lang_data != nullptr && i < g.m_lang_data_num; ++i) {
      if (g.m_lang_data[i].cmdid != static_cast<int>(id)) continue;
      ChangeDataLanguage(receiver, g.m_lang_data[i].lang_code, static_cast<int>(id));
      break;
    }
    return TRUE;
  }
  if (id >= 460 && id <= 819) {
    CErrorTrace* own = ERROR_TRACE_PUSH();
    DWORD process = 0;
    if (g.m_pextprg == nullptr || !g.m_pextprg->Run(static_cast<int>(id), id >= 640, nullptr, &process))
      return Report(own, __LINE__, ERR_NOT_STARTED, "", static_cast<int>(id));
    CErrorTrace::Remove(own);
    return TRUE;
  }
  if (id >= 820 && id <= 999) {
    CErrorTrace* own = ERROR_TRACE_PUSH();
    int flag = 0;
    CString command;
    if (g.m_pextprg == nullptr || !g.m_pextprg->Find(static_cast<int>(id), g.m_tmpkey, flag, command))
      return Report(own, __LINE__, ERR_KEY_ENTRY, "", static_cast<int>(id));
    CErrorTrace::Remove(own);
    g.m_cur_varbuf.Empty();
    PostShowKey(receiver, g.m_tmpkey, 1);
    return TRUE;
  }
  for (const VariableRange& range : kVariableRanges) {
    if (id < range.first || id >= range.first + 200) continue;
    CErrorTrace* own = ERROR_TRACE_PUSH();
    CString name;
    int flag = 0;
    CString command;
    if (g.m_pextprg == nullptr || !g.m_pextprg->Find(static_cast<int>(id), name, flag, command))
      return Report(own, __LINE__, ERR_VARIABLE_ENTRY, "", static_cast<int>(id));
    VarValue value;
    if (!Evaluate(command, range.type, value)) return Report(own, __LINE__, range.evalError, command, 0);
    if (!g.m_pvar->SetVar(name, value, range.type)) return Report(own, __LINE__, ERR_VARIABLE_SET, name, range.type);
    CErrorTrace::Remove(own);
    if (flag != 0) ShowAgain(receiver);
    return TRUE;
  }
  return FALSE;
}

void CViewerApp::ChangeDataLanguage(HWND receiver, const CString& language, int command) {
  CWV4Globals& g = theGlobals;
  SetDataLanguage(language);
  CheckCommand(command, TRUE);
  CDynBuf name;
  name.Append(g.m_language);
  name.Append('\0');
  SendProtocolData(PROTOCOL_CMD_DATA_LANGUAGE, &name);
  ShowAgain(receiver);
}

// A switch: the member flips and the command's check follows it.
static void Switch(CViewerApp& app, BOOL& member, int command) {
  member = member ? FALSE : TRUE;
  app.CheckCommand(command, member);
}

BOOL CViewerApp::RunViewerCommand(HWND receiver, CFace* face, UINT id) {
  CWV4Globals& g = theGlobals;
  if (id == 0) return FALSE;
  if (RunRangeCommand(receiver, id)) return TRUE;
  CString key;
  switch (id) {
    case 300: Switch(*this, g.m_raster_on, 300); EnableCommand(301, g.m_raster_on); return TRUE;
    case 301: Switch(*this, g.m_raster_text, 301); return TRUE;
    case 302:
    case 303: {
      const CString& neighbour = id == 302 ? g.m_leftneighbour : g.m_rightneighbour;
      if (neighbour.IsEmpty()) return TRUE;
      g.m_cur_varbuf.Empty();
      PostShowKey(receiver, neighbour, 0);
      return TRUE;
    }
    case 304:
      g.m_phistory->GetAllData(g.m_cur_varbuf);
      g.m_phistory->RemoveAll();
      PostShowKey(receiver, g.m_key_start, 0);
      return TRUE;
    case 305:
    case 315: {
      const BOOL found = id == 305 ? g.m_phistory->Pop(g.m_tmpkey, g.m_cur_varbuf)
                                   : g.m_phistory->PopToMark(g.m_tmpkey, g.m_cur_varbuf);
      if (found) {
        PostShowKey(receiver, g.m_tmpkey, 0);
      } else {
        g.m_phistory->RemoveAll();
        PostShowKey(receiver, g.m_key_start, 0);
      }
      return TRUE;
    }
    case 306:
      Switch(*this, g.m_prot_visible, 306);
      PostProtocolCommand(g.m_prot_visible ? PROTOCOL_CMD_SHOW : PROTOCOL_CMD_HIDE, 0);
      return TRUE;
    case 307:
      g.m_protmodus = (g.m_protmodus & 1) ? 0 : 1;
      CheckCommand(307, g.m_protmodus == 1);
      return TRUE;
    case 308: Switch(*this, g.m_hs_connect_onoff, 308); EnableCommand(309, g.m_hs_connect_onoff); return TRUE;
    case 309: Switch(*this, g.m_hs_connect_use_timer, 309); return TRUE;
    case 311: PostMessage(receiver, WM_CLOSE, 0, 0); return TRUE;
    case 312: PostMessage(receiver, WM_COMMAND, kAppAbout, 0); return TRUE;
    case 319: {
      DWORD process = 0;
      if (g.m_pextprg != nullptr) g.m_pextprg->Run(g.m_notiz_cmdid, FALSE, NotesFile(), &process);
      return TRUE;
    }
    case 320:
    case 321:
      if (face != nullptr) face->Print(id == 320 ? 0 : 1);
      return TRUE;
    case 323:
      if (face != nullptr) face->RemoveUserFile();
      PostShowKey(receiver, g.m_cur_prj_key, 0);
      return TRUE;
    case 325: RunLanguageDialog(receiver); return TRUE;
    case 326:
      g.m_phistory->RemoveAll();
      PostShowKey(receiver, g.m_key_start, 0);
      return TRUE;
    default: return FALSE;  // the frame window's own
  }
}

void CViewerApp::RunLanguageDialog(HWND receiver) {
  CWV4Globals& g = theGlobals;
  CLanguageDlg dialog(CWnd::FromHandle(receiver));
  if (dialog.DoModal() != IDOK) return;
  if (dialog.m_result & CLanguageDlg::kProgramLanguage) SetProgramLanguage(dialog.m_program_language);
  if (!(dialog.m_result & CLanguageDlg::kDataLanguage)) return;
  SetDataLanguage(dialog.m_data_language);
  CheckCommand(dialog.m_data_command, TRUE);
  CDynBuf name;
  name.Append(g.m_language);
  name.Append('\0');
  SendProtocolData(PROTOCOL_CMD_DATA_LANGUAGE, &name);
  g.m_cur_varbuf.Empty();
  if (g.m_pini != nullptr) g.m_pini->WriteKey("VARIABLES_CHAR", "DATALANGUAGE", "\"" + g.m_language + "\"", g.m_main_user_ini, 0);
  PostShowKey(receiver, g.m_cur_prj_key, 0);
}
