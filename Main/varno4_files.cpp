// The viewer's configuration: the installation's main ini with its
// variables, languages and system keys, the project file, and the user's
// settings. Most values are plain-text expressions, so a literal text is
// written between double quotes and a bare name stands for a variable.
#include <cstdlib>
#include <cstring>

#include "Main/CErrorTrace.h"
#include "Main/CWV4Db.h"
#include "Main/CWV4Globals.h"
#include "Main/PlainExpression.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "Main/varno4.h"
#include "interfaces/ProtocolCommands.h"
#include "foundation/CIniClass.h"
#include "interfaces/QorDdm.h"
#include "win32/Files.h"
#include "win32/Version.h"

namespace {

constexpr const char* kSystem = "SYSTEM";
constexpr const char* kSettings = "SETTINGS";
constexpr BYTE kSystemChar = VAR_CHAR | VAR_FLAG_SYSTEM;

struct VariableSection {
  const char* name;
  BYTE type;
  int evalCode;  // failure codes of the project file
  int setCode;
};

constexpr VariableSection kChar{"VARIABLES_CHAR", VAR_CHAR, 346, 347};
constexpr VariableSection kLong{"VARIABLES_LONG", VAR_LONG, 348, 349};
constexpr VariableSection kDuden{"VARIABLES_DUDEN", VAR_DUD, 350, 351};
constexpr VariableSection kDudench{"VARIABLES_DUDENCH", VAR_DUDCH, 450, 451};
constexpr VariableSection kFloat{"VARIABLES_FLOAT", VAR_FLOAT, 352, 353};
constexpr VariableSection kBool{"VARIABLES_BOOL", VAR_BOOL, 354, 355};

CIniClass& Ini() { return *theGlobals.m_pini; }

// A value of the given type from a plain-text expression.
bool EvalTyped(const CString& expression, BYTE type, VarValue& value) {
  CDynBuf code;
  code += expression;
  CWV4Db& db = *theGlobals.m_pinterp;
  switch (type & VAR_TYPE_MASK) {
    case VAR_CHAR:
    case VAR_DUDCH: return db.EvalString(code, value.text, FALSE, TRUE, nullptr) != 0;
    case VAR_FLOAT: return db.EvalFloat(code, value.fval, FALSE, TRUE, nullptr) != 0;
    case VAR_BOOL: return db.EvalBool(code, value.bval, FALSE, TRUE, nullptr) != 0;
    default: return db.EvalLong(code, value.lval, FALSE, TRUE, nullptr) != 0;
  }
}

void SetSystemText(const char* name, const CString& value) {
  theGlobals.m_pvar->SetVar(name, VarValue::Text(value), kSystemChar);
}

// The lines of a section, each ended by a zero byte.
template <typename Visit>
void ForEachLine(const CDynBuf& lines, Visit visit) {
  const char* text = lines;
  const int length = lines.GetLength();
  for (int pos = 0; pos < length;) {
    const int lineLength = static_cast<int>(std::strlen(text + pos));
    if (lineLength == 0) break;
    visit(CString(text + pos, lineLength));
    pos += lineLength + 1;
  }
}

// Reads every "name = expression" line of a variable section. On failure
// name holds the variable and setFailed says which step failed.
bool ReadVariables(const char* file, const char* section, BYTE type, CString& name, bool& setFailed) {
  CDynBuf lines;
  Ini().ReadSection(section, lines, file, 0);
  bool ok = true;
  ForEachLine(lines, [&](const CString& line) {
    if (!ok) return;
    const int equals = line.Find('=');
    if (equals < 0) return;
    name = line.Left(equals);
    name.TrimLeft();
    name.TrimRight();
    VarValue value;
    if (!EvalTyped(line.Mid(equals + 1), type, value)) {
      ok = false;
      setFailed = false;
    } else if (!theGlobals.m_pvar->SetVar(name, value, type)) {
      ok = false;
      setFailed = true;
    }
  });
  return ok;
}

// Reads a key with its codes: cannot be read, is empty (0: allowed), does not
// evaluate. An allowed empty value leaves target alone.
class KeyReader {
 public:
  KeyReader(CErrorTrace* node, const CString& file, const CString& detail)
      : m_node(node), m_file(file), m_detail(detail) {}

  bool Raw(const char* key, CString& value, int unreadable, const char* fallback = "") {
    if (Ini().ReadKey(kSystem, key, fallback, value, m_file, 0) == 0 && unreadable != 0) return Fail(unreadable);
    return true;
  }
  bool Expression(const char* key, CString& target, int unreadable, int empty, int noEval) {
    CString value;
    if (!Raw(key, value, unreadable)) return false;
    if (value.IsEmpty()) return empty == 0 || Fail(empty);
    if (!EvalPlainText(value, target)) return Fail(noEval);
    return true;
  }
  bool Fail(int code, const char* detail = nullptr, int value = 0) {
    ERROR_TRACE_FAIL(m_node, SEVERITY_ERROR, code, detail != nullptr ? detail : static_cast<const char*>(m_detail),
                     value);
    return false;
  }

 private:
  CErrorTrace* m_node;
  CString m_file;
  CString m_detail;
};

// "command id = code expression , text number".
bool ReadLanguages(KeyReader& keys, const char* section, int low, int high, int codes[3], LanguageEntry*& table,
                   short& count) {
  delete[] table;
  table = new LanguageEntry[kLanguageSlots];
  count = 0;
  CDynBuf lines;
  if (Ini().ReadSection(section, lines, theGlobals.m_main_prj_file, 0) == 0) return keys.Fail(codes[0]);
  bool ok = true;
  ForEachLine(lines, [&](const CString& line) {
    if (!ok) return;
    const int equals = line.Find('=');
    const int cmdid = std::atoi(equals < 0 ? line : line.Left(equals));
    if (cmdid < low || cmdid > high) {
      ok = keys.Fail(codes[1], "", cmdid);
      return;
    }
    // Every slot of the table is taken; further lines are left out.
    if (count >= kLanguageSlots) return;
    const CString rest = equals < 0 ? CString() : line.Mid(equals + 1);
    const int comma = rest.Find(',');
    const int lastComma = rest.ReverseFind(',');
    LanguageEntry& entry = table[count];
    if (!EvalPlainText(comma < 0 ? CString() : rest.Left(comma), entry.lang_code)) {
      ok = keys.Fail(codes[2], line);
      return;
    }
    entry.cmdid = cmdid;
    entry.text_number = std::atoi(lastComma < 0 ? rest : rest.Mid(lastComma + 1));
    ++count;
  });
  return ok;
}

void CloseMaster(DdmDbLink*& link) {
  if (link == nullptr) return;
  if (link->dbc != nullptr) {
    link->dbc->DdmDbClose();
    link->dbc->DdmDbDelete(1);
  }
  delete link;
  link = nullptr;
}

}  // namespace

int CViewerApp::LoadSystemConfig() {
  CWV4Globals& g = theGlobals;
  CString value;
  CString varFile = g.m_main_prj_file;
  if (Ini().ReadKey(kSystem, "VarFile", "", value, g.m_main_prj_file, 0) != 0 && !value.IsEmpty() &&
      !EvalPlainText(value, varFile)) {
    return 0;
  }
  CString name;
  bool setFailed = false;
  for (const VariableSection* s : {&kChar, &kLong, &kDuden, &kDudench, &kFloat, &kBool}) {
    if (!ReadVariables(varFile, s->name, s->type, name, setFailed)) return 0;
  }
  for (const VariableSection* s : {&kChar, &kDudench, &kLong, &kDuden, &kFloat, &kBool}) {
    const CString section = CString("TRACE_") + s->name;
    if (!ReadVariables(varFile, section, s->type | VAR_FLAG_TRACE, name, setFailed)) return 0;
  }

  Ini().ReadKey(kSystem, "Language", "", value, g.m_main_user_ini, 0);
  if (value.IsEmpty()) Ini().ReadKey(kSystem, "Language", "", value, g.m_main_prj_file, 0);
  if (value.IsEmpty()) value = "\"D\"";
  if (!EvalPlainText(value, g.m_prg_language)) return 0;
  SetSystemText("PRGLANGUAGE", g.m_prg_language);

  if (Ini().ReadKey(kSystem, "Message", "", value, g.m_main_prj_file, 0) == 0 || value.IsEmpty() ||
      !EvalPlainText(value, g.m_message)) {
    return 0;
  }
  g.m_msgdud.DdmTextOpen(g.m_message, g.m_prg_language, "D0", 0, 0);
  SetSystemText("MESSAGEFILE", g.m_message);

  CErrorTrace* node = ERROR_TRACE_PUSH();
  KeyReader keys(node, g.m_main_prj_file, g.m_main_prj_file);

  // The data language: the variable, overridden by the user's choice.
  VarValue language;
  const bool languageSet = g.m_pvar->GetVar("DATALANGUAGE", &language) == VAR_CHAR;
  if (languageSet) g.m_language = language.text;
  Ini().ReadKey("VARIABLES_CHAR", "DATALANGUAGE", "", value, g.m_main_user_ini, 0);
  if (!value.IsEmpty() || !languageSet) {
    CString chosen = "D";
    if (!value.IsEmpty() && !EvalPlainText(value, chosen)) return keys.Fail(346, "DATALANGUAGE");
    g.m_language = chosen;
    g.m_pvar->SetVar("DATALANGUAGE", VarValue::Text(chosen), VAR_CHAR);
  }

  if (!keys.Raw("Start", value, 317)) return 0;
  if (value.IsEmpty()) return keys.Fail(318);
  g.m_key_start = value.Find('~') >= 0 ? value : g.m_cur_prj + "~" + value;
  if (!keys.Raw("FirstStart", value, 319)) return 0;
  if (!value.IsEmpty()) g.m_key_firststart = value;
  g.m_cur_read_key = g.m_key_firststart.IsEmpty() ? g.m_key_start : g.m_key_firststart;
  g.m_WaitFirstStart = -1;
  if (keys.Raw("WaitFirstStart", value, 0) && !value.IsEmpty()) g.m_WaitFirstStart = std::atol(value);

  if (!keys.Expression("Rules", g.m_rules_file, 321, 0, 322)) return 0;
  if (!keys.Expression("Extern", g.m_ext_file, 323, 0, 324)) return 0;
  if (!keys.Expression("Duden", g.m_duden, 325, 0, 326)) return 0;
  if (!keys.Expression("DudenCh", g.m_chduden, 454, 0, 455)) return 0;
  g.m_datadud.DdmTextOpen(g.m_duden, g.m_language, "D0", 0, 0);
  g.m_datachdud.DdmTextOpen(g.m_chduden, g.m_language, "D0", 0, 0);

  if (!keys.Expression("Buttons", g.m_button_file, 330, 332, 331)) return 0;
  if (!keys.Expression("ButtonsPop", g.m_button_file_popup, 0, 0, 533)) return 0;
  if (!keys.Expression("Menu", g.m_menu_file, 333, 335, 334)) return 0;

  keys.Raw("UserPageDef", value, 0);
  if (value == "FALSE") g.m_UserPageDef = FALSE;
  if (value == "TRUE") g.m_UserPageDef = TRUE;
  if (g.m_UserPageDef && GetFileAttributes(g.m_user_page_def_path) == INVALID_FILE_ATTRIBUTES) {
    CreateDirectory(g.m_user_page_def_path, nullptr);
  }

  if (!keys.Raw("Notiz", value, 336)) return 0;
  if (value.IsEmpty()) return keys.Fail(338);
  g.m_notiz_cmdid = static_cast<int>(std::atol(value));
  if (g.m_notiz_cmdid == 0) return keys.Fail(337);

  int dataCodes[3] = {366, 367, 368};
  int prgCodes[3] = {369, 370, 371};
  if (!ReadLanguages(keys, "LANGUAGE_DATA", 430, 459, dataCodes, g.m_lang_data, g.m_lang_data_num)) return 0;
  if (!ReadLanguages(keys, "LANGUAGE_PRG", 400, 429, prgCodes, g.m_lang_prg, g.m_lang_prg_num)) return 0;

  if (!keys.Expression("DummyPic", g.m_dummy_pic, 509, 0, 510)) return 0;

  if (Ini().ReadKey(kSystem, "Internet", "0", value, g.m_main_prj_file, 0) != 0) {
    g.m_internet_mode = std::atoi(value);
  }
  if (g.m_internet_mode == kInternetClient) {
    Ini().ReadKey(kSystem, "IV4ComClient", "C:\\IV4\\", value, g.m_main_prj_file, 0);
    if (!EvalPlainText(value, g.m_exchange_dir_client)) g.m_exchange_dir_client = "C:\\IV4\\";
  }
  if (g.m_internet_mode != kInternetNormal) {
    Ini().ReadKey(kSystem, "VarCnt", "0", value, g.m_main_prj_file, 0);
    const int count = std::atoi(value);
    for (int i = 0; i < count; ++i) {
      CString key;
      key.Format("Var%02d", i);
      Ini().ReadKey(kSystem, key, "", value, g.m_main_prj_file, 0);
      for (int start = 0; !value.IsEmpty() && start <= value.GetLength();) {
        int comma = value.Find(',', start);
        if (comma < 0) comma = value.GetLength();
        CString declared = value.Mid(start, comma - start);
        declared.TrimLeft(' ');
        declared.TrimRight(' ');
        if (!declared.IsEmpty()) g.m_pvar->SetVar(declared, VarValue(), VAR_UNKNOWN | VAR_FLAG_SYSTEM);
        start = comma + 1;
      }
    }
  }

  if (!LoadProject()) return keys.Fail(308, g.m_cur_prj_file);
  CErrorTrace::Remove(node);
  return 1;
}

int CViewerApp::LoadProject() {
  CWV4Globals& g = theGlobals;
  CErrorTrace* node = ERROR_TRACE_PUSH();
  KeyReader keys(node, g.m_cur_prj_file, g.m_cur_prj_file);
  SetSystemText("CURPROJECTFILE", g.m_cur_prj_file);

  CString name;
  for (const VariableSection* s : {&kChar, &kDudench, &kLong, &kDuden, &kFloat, &kBool}) {
    bool setFailed = false;
    if (!ReadVariables(g.m_cur_prj_file, s->name, s->type, name, setFailed)) {
      return keys.Fail(setFailed ? s->setCode : s->evalCode, name);
    }
  }

  CString value;
  if (!keys.Raw("Projectname", value, 315)) return 0;
  if (value.IsEmpty()) return keys.Fail(316);
  g.m_cur_prj_name = value;
  if (!keys.Expression("Duden", g.m_duden, 325, 0, 326)) return 0;
  if (!keys.Expression("DudenCh", g.m_chduden, 454, 0, 455)) return 0;
  if (!keys.Expression("Database", g.m_database, 327, 329, 328)) return 0;

  if (!keys.Raw("Teilestamm", value, 464)) return 0;
  if (!value.IsEmpty()) {
    if (!EvalPlainText(value, g.m_teilestamm)) return keys.Fail(465);
  } else {
    g.m_teilestamm.Empty();
    CloseMaster(g.m_pstamm);
    CloseMaster(g.m_pstamm2);
  }
  if (!keys.Raw("CDName", g.m_cdname, 441)) return 0;

  VarValue language;
  if (g.m_pvar->GetVar("DATALANGUAGE", &language) == VAR_CHAR) g.m_language = language.text;

  if (!keys.Raw("Rules", value, 321)) return 0;
  if (!value.IsEmpty()) {
    if (!EvalPlainText(value, g.m_rules_file)) return keys.Fail(322);
    if (g.m_plogic != nullptr) g.m_plogic->LoadRules(g.m_rules_file);
  }
  if (!keys.Expression("DummyPic", g.m_dummy_pic, 509, 0, 510)) return 0;
  if (m_hMainWnd != nullptr) {
    CDynBuf dictionaries;
    dictionaries.Append(g.m_duden);
    dictionaries.Append('\0');
    dictionaries.Append(g.m_chduden);
    dictionaries.Append('\0');
    SendProtocolData(PROTOCOL_CMD_DICTIONARIES, &dictionaries);
  }
  CErrorTrace::Remove(node);
  return 1;
}

namespace {

// A settings value, counted as true unless it is "0".
void ReadSwitch(const char* file, const char* key, const char* fallback, BOOL& target) {
  CString value;
  if (Ini().ReadKey(kSettings, key, fallback, value, file, 1) != 0) target = value != "0";
}

void ReadNumber(const char* file, const char* key, const char* fallback, int& target) {
  CString value;
  if (Ini().ReadKey(kSettings, key, fallback, value, file, 1) != 0) target = std::atoi(value);
}

// "a,b" into two numbers; left alone without a comma.
void ReadPair(const char* file, const char* key, int (&target)[2]) {
  CString value;
  if (Ini().ReadKey(kSettings, key, "-1,-1", value, file, 1) == 0) return;
  const int comma = value.Find(',');
  if (comma < 0) return;
  target[0] = std::atoi(value.Left(comma));
  target[1] = std::atoi(value.Mid(comma + 1));
}

// The user's toolbar place, or the default place when none is set.
void ReadPlace(const char* file, const char* key, int fallback, int& target) {
  CString value;
  if (Ini().ReadKey(kSettings, key, "", value, file, 1) == 0 || value.IsEmpty()) target = fallback;
  else target = std::atoi(value);
}

}  // namespace

void CViewerApp::LoadSettings() {
  CWV4Globals& g = theGlobals;
  const CString user = g.m_main_user_ini;
  const CString main = g.m_main_prj_file;
  ReadSwitch(user, "HotSpotLink", "1", g.m_hs_connect_onoff);
  ReadSwitch(user, "HotspotDelay", "0", g.m_hs_connect_use_timer);
  ReadSwitch(user, "Window", "0", g.m_window_maximized);
  ReadPair(user, "WindowSize", g.m_window_size);
  ReadPair(user, "WindowPos", g.m_window_pos);
  ReadSwitch(main, "InvertAtMouse", "1", g.m_invert_at_mousepos);
  ReadSwitch(main, "HotspotsCaseSensitive", "1", g.m_hs_is_case_sensitive);
  ReadSwitch(main, "ToolbarModeFrm", "1", g.m_toolbar_mode_frm);
  ReadNumber(main, "ToolbarPlaceDefaultFrm", "0", g.m_toolbar_place_default_frm);
  ReadPlace(user, "ToolbarPlaceUserFrm", g.m_toolbar_place_default_frm, g.m_toolbar_place_user_frm);
  ReadSwitch(main, "ToolbarModePop", "1", g.m_toolbar_mode_pop);
  ReadNumber(main, "ToolbarPlaceDefaultPop", "0", g.m_toolbar_place_default_pop);
  ReadPlace(user, "ToolbarPlaceUserPop", g.m_toolbar_place_default_pop, g.m_toolbar_place_user_pop);
  ReadSwitch(main, "CheckHSAbilities", "0", g.m_check_hs_abilities);
  ReadSwitch(main, "CacheTSPNT", "0", g.m_cache_stamm_pointer);
  ReadSwitch(main, "CacheTSPNT2", "0", g.m_cache_stamm_pointer2);
  ReadSwitch(main, "CacheTSBIN", "0", g.m_cache_stamm_data);
  ReadSwitch(main, "CacheDUDPNT", "0", g.m_cache_duden_pointer);
  ReadSwitch(main, "CacheDUDBIN", "0", g.m_cache_duden_data);
  ReadSwitch(main, "CacheDUDCHPNT", "0", g.m_cache_dudench_pointer);
  ReadSwitch(main, "CacheDUDCHBIN", "0", g.m_cache_dudench_data);
  ReadSwitch(main, "CacheMessage", "0", g.m_cache_message);

  if (g.m_cache_message) {
    g.m_msgdud.DdmDbCachePointers(0);
    g.m_msgdud.DdmDbCacheData();
  }
  if (g.m_cache_duden_data) g.m_datadud.DdmDbCacheData();
  if (g.m_cache_duden_pointer) g.m_datadud.DdmDbCachePointers(0);
  if (g.m_cache_dudench_data) g.m_datachdud.DdmDbCacheData();
  if (g.m_cache_dudench_pointer) g.m_datachdud.DdmDbCachePointers(0);
  m_settings_loaded = TRUE;
}

void CViewerApp::SaveSettings() {
  if (!m_settings_loaded) return;
  CWV4Globals& g = theGlobals;
  const CString user = g.m_main_user_ini;
  auto write = [&user](const char* key, const CString& value) { Ini().WriteKey(kSettings, key, value, user, 1); };
  auto pair = [](const int (&values)[2]) {
    CString text;
    text.Format("%d,%d", values[0], values[1]);
    return text;
  };
  auto number = [](int value) {
    CString text;
    text.Format("%d", value);
    return text;
  };
  write("HotSpotLink", g.m_hs_connect_onoff ? "1" : "0");
  write("HotspotDelay", g.m_hs_connect_use_timer ? "1" : "0");
  write("WindowSize", pair(g.m_window_size));
  write("WindowPos", pair(g.m_window_pos));
  write("Window", g.m_window_maximized ? "1" : "0");
  write("ToolbarPlaceUserFrm", number(g.m_toolbar_place_user_frm));
  write("ToolbarPlaceUserPop", number(g.m_toolbar_place_user_pop));
  // Written as quoted texts, so that they read back as text expressions.
  Ini().WriteKey("VARIABLES_CHAR", "DATALANGUAGE", "\"" + g.m_language + "\"", user, 0);
  Ini().WriteKey(kSystem, "Language", "\"" + g.m_prg_language + "\"", user, 0);
}

int CViewerApp::GetFileVersion(const CString& file, CString& version) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSize(file, &handle);
  if (size == 0) return 0;
  CDynBuf block;
  if (!block.SetLength(static_cast<int>(size)) || !GetFileVersionInfo(file, handle, size, block.GetData())) return 0;
  void* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValue(block.GetData(), "\\VarFileInfo\\Translation", &translation, &length) || length < 4) return 0;
  const auto* pair = static_cast<const WORD*>(translation);
  CString query;
  query.Format("\\StringFileInfo\\%04x%04x\\FileVersion", pair[0], pair[1]);
  void* text = nullptr;
  version.Empty();
  if (VerQueryValue(block.GetData(), query, &text, &length) && text != nullptr) {
    version = static_cast<const char*>(text);
  }
  return 1;
}
