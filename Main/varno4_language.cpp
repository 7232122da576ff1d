// Program and data language: which texts the viewer shows its own words in,
// and which the catalogue's.
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/ViewerFrames.h"
#include "Main/varno4.h"
#include "foundation/CDynBuf.h"
#include "foundation/CIniClass.h"
#include "interfaces/ProtocolCommands.h"
#include "interfaces/QorDdm.h"
#include "user/Menus.h"
#include "win32/UserWindows.h"

namespace {

// The command of the table's entry with that name; with several, the last.
int CommandOf(const LanguageEntry* table, int count, const CString& name) {
  int command = 0;
  for (int i = 0; table != nullptr && i < count; ++i) {
    if (table[i].lang_code == name) command = table[i].cmdid;
  }
  return command;
}

void CheckMenuCommand(HWND frame, int command, bool checked) {
  HMENU menu = frame != nullptr ? GetMenu(frame) : nullptr;
  if (menu != nullptr && command != 0)
    CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

BOOL CViewerApp::SetProgramLanguage(const char* name) {
  CWV4Globals& g = theGlobals;
  const int oldCommand = CommandOf(g.m_lang_prg, g.m_lang_prg_num, g.m_prg_language);
  const int newCommand = CommandOf(g.m_lang_prg, g.m_lang_prg_num, name);
  g.m_prg_language = name;
  g.m_msgdud.DdmTextSetLanguage(name);
  if (g.m_cache_message) {
    g.m_msgdud.DdmDbCachePointers(0);
    g.m_msgdud.DdmDbCacheData();
  }
  g.m_pvar->SetVar("PRGLANGUAGE", VarValue::Text(name), VAR_CHAR | VAR_FLAG_SYSTEM);
  if (g.m_pini != nullptr) g.m_pini->WriteKey("SYSTEM", "Language", CString("\"") + name + "\"", g.m_main_user_ini, 0);
  if (m_hMainWnd == nullptr) return TRUE;
  CheckMenuCommand(m_hMainWnd, oldCommand, false);
  CMainFrame* main = ViewerMainFrame();
  if (main != nullptr) main->RetextMenu();
  // An order-list program that was never started is not looked for: the
  // viewer runs without one and without an error box.
  if (!g.m_FirstStart && m_prot_pid != 0) {
    CDynBuf text;
    text.Append(name);
    text.Append('\0');
    SendProtocolData(PROTOCOL_CMD_PROGRAM_LANGUAGE, &text);
  }
  if (main != nullptr) main->GetToolBar().ReloadTexts();
  CheckMenuCommand(m_hMainWnd, newCommand, true);
  if (main != nullptr) {
    main->ForgetHint();
    main->SetPaneText(3, name);
  }
  if (CPopup* popup = ViewerPopup()) {
    popup->GetToolBar().ReloadTexts();
    popup->ForgetHint();
  }
  return TRUE;
}

BOOL CViewerApp::SetDataLanguage(const char* name) {
  CWV4Globals& g = theGlobals;
  for (int i = 0; g.m_lang_data != nullptr && i < g.m_lang_data_num; ++i) {
    if (g.m_lang_data[i].lang_code != g.m_language) continue;
    CheckMenuCommand(m_hMainWnd, g.m_lang_data[i].cmdid, false);
    break;
  }
  g.m_language = name;
  g.m_pvar->SetVar("DATALANGUAGE", VarValue::Text(name), VAR_CHAR);
  g.m_datadud.DdmTextSetLanguage(name);
  g.m_datachdud.DdmTextSetLanguage(name);
  return TRUE;
}
