#include "CatalogueInstallation.h"

#include <fstream>

#include "Main/CDynLog.h"
#include "Main/CErrorDlg.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "foundation/CIniClass.h"
#include "interfaces/QorDdm.h"

namespace varno::catalogue {

namespace {

void SetSystemText(const char* name, const CString& value) {
  theGlobals.m_pvar->SetVar(name, VarValue::Text(value), VAR_CHAR | VAR_FLAG_SYSTEM);
}

DdmDbLink* OpenLink(const CString& path) {
  auto* link = new DdmDbLink;
  link->dbc = new DdmDatabase;
  if (!link->dbc->DdmDbOpen(path)) {
    link->dbc->DdmDbDelete(1);
    link->dbc = nullptr;
  }
  return link;
}

void CloseLink(DdmDbLink*& link) {
  if (link == nullptr) return;
  if (link->dbc != nullptr) link->dbc->DdmDbDelete(1);
  delete link;
  link = nullptr;
}

}  // namespace

Installation::Installation(const std::string& folder, const std::string& userFolder) {
  CWV4Globals& g = theGlobals;
  g.m_papp = &app;
  g.m_pini = new CIniClass;
  g.m_pinterp = new CWV4Db;
  g.m_pvar = new CWV4Var;
  g.m_plogic = new CWV4Logic;
  g.m_perrdlg = new CErrorDlg;
  g.m_pextprg = new CExtPrg;
  g.m_phistory = new CDynLog;
  g.m_varno_ver = 262145;
  g.m_app_dir = folder.c_str();
  g.m_user_file_path = userFolder.c_str();
  g.m_main_prj_file = g.m_app_dir + "\\varno4.ini";
  g.m_main_user_ini = g.m_user_file_path + "\\varno4_user.ini";
  g.m_user_page_def_path = g.m_user_file_path + "\\def_user";
  SetSystemText("VARNO", g.m_app_dir);
  // A first start has no user settings yet; an empty file spares the ini
  // reader's waits for a file that another program might hold.
  const std::string userIni = userFolder + "/varno4_user.ini";
  if (!std::ifstream(userIni)) std::ofstream(userIni, std::ios::binary);
}

Installation::~Installation() {
  CWV4Globals& g = theGlobals;
  CloseDatabases();
  CErrorTrace::RemoveAll();
  delete g.m_pini;
  delete g.m_pinterp;
  delete g.m_pvar;
  delete g.m_plogic;
  delete g.m_perrdlg;
  delete g.m_pextprg;
  delete g.m_phistory;
  delete[] g.m_lang_data;
  delete[] g.m_lang_prg;
  g.m_pini = nullptr;
  g.m_pinterp = nullptr;
  g.m_pvar = nullptr;
  g.m_plogic = nullptr;
  g.m_perrdlg = nullptr;
  g.m_pextprg = nullptr;
  g.m_phistory = nullptr;
  g.m_lang_data = g.m_lang_prg = nullptr;
  g.m_lang_data_num = g.m_lang_prg_num = 0;
  g.m_msgdud.DdmTextClose();
  g.m_datadud.DdmTextClose();
  g.m_datachdud.DdmTextClose();
  g.m_papp = nullptr;
}

bool Installation::Load() {
  CWV4Globals& g = theGlobals;
  CString project;
  g.m_pini->ReadKey("SYSTEM", "Project", "", project, g.m_main_prj_file, 0);
  g.m_cur_prj = project;
  g.m_cur_prj_file = g.m_app_dir + "\\" + project + ".prj";
  SetSystemText("PROJECTFILE", g.m_main_prj_file);
  SetSystemText("USER_PROJECTFILE", g.m_main_user_ini);
  SetSystemText("CURPROJECTFILE", g.m_cur_prj_file);
  if (!app.LoadSystemConfig()) return false;
  g.m_main_prj_name = g.m_cur_prj_name;
  g.m_pextprg->Load(g.m_ext_file);
  g.m_plogic->LoadRules(g.m_rules_file);
  app.LoadButtonFile(g.m_button_file, app.m_buttons_frm);
  app.LoadSettings();
  if (!g.m_button_file_popup.IsEmpty()) app.LoadButtonFile(g.m_button_file_popup, app.m_buttons_pop);
  OpenDatabases();
  return g.m_pdb != nullptr && g.m_pdb->dbc != nullptr;
}

void Installation::OpenDatabases() {
  CWV4Globals& g = theGlobals;
  CloseDatabases();
  g.m_pdb = OpenLink(g.m_database);
  if (!g.m_teilestamm.IsEmpty()) g.m_pstamm = OpenLink(g.m_teilestamm);
}

void Installation::CloseDatabases() {
  CloseLink(theGlobals.m_pdb);
  CloseLink(theGlobals.m_pstamm);
  CloseLink(theGlobals.m_pstamm2);
}

bool Installation::Render(const std::string& key, CDynBuf& stream) {
  CWV4Globals& g = theGlobals;
  const size_t tilde = key.find('~');
  const std::string own = tilde == std::string::npos ? key : key.substr(tilde + 1);
  g.m_cur_read_key = key.c_str();
  g.m_pdb->dbc->DdmDbPrepare(0xFFFF);
  g.m_pdb->max_lines = g.m_pdb->dbc->DdmDbLookup(own.c_str());
  g.m_pdb->cur_line = 0;
  return g.m_pinterp->Browse(stream, g.m_pdb, DdmDbLink()) != 0;
}

void Installation::SetDataLanguage(const char* language) {
  CWV4Globals& g = theGlobals;
  g.m_language = language;
  g.m_pvar->SetVar("DATALANGUAGE", VarValue::Text(language), VAR_CHAR);
  g.m_datadud.DdmTextSetLanguage(language);
  g.m_datachdud.DdmTextSetLanguage(language);
}

}  // namespace varno::catalogue
