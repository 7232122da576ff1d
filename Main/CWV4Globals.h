// The viewer's whole program state in one object, read and written directly
// by the engine, the screen layout and the shell.
#pragma once

#include "Main/DdmDbLink.h"
#include "foundation/CDynBuf.h"
#include "interfaces/QorDdm.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CViewerApp;
class CWV4Db;
class CWV4Var;
class CWV4Logic;
class CLogFile;
class CErrorDlg;
class CExtPrg;
class CDynLog;
class CIniClass;
class CV4TTWindow;
struct CErrorTrace;

struct LanguageEntry {
  int cmdid = 0;
  CString lang_code;
  int text_number = 0;
};

constexpr int kLanguageSlots = 30;

class CWV4Globals {
 public:
  CWV4Globals();
  ~CWV4Globals();
  CWV4Globals(const CWV4Globals&) = delete;
  CWV4Globals& operator=(const CWV4Globals&) = delete;

  // Single objects.
  CViewerApp* m_papp = nullptr;  // not owned
  CWV4Db* m_pinterp = nullptr;
  CWV4Var* m_pvar = nullptr;
  CWV4Logic* m_plogic = nullptr;
  CLogFile* m_plogfile = nullptr;
  CErrorDlg* m_perrdlg = nullptr;
  CExtPrg* m_pextprg = nullptr;
  CDynLog* m_phistory = nullptr;
  CIniClass* m_pini = nullptr;
  CV4TTWindow* m_ptooltip = nullptr;  // not owned

  // Data-manager link and error trace.
  DdmDbLink* m_pdb = nullptr;
  CErrorTrace* m_error_trace_oldest = nullptr;
  CErrorTrace* m_error_trace_newest = nullptr;
  DWORD m_varno_ver = 0;

  // Folders and files.
  CString m_app_dir;
  CString m_user_file_path;
  CString m_user_page_def_path;
  CString m_main_user_ini;
  CString m_user_temp_print_path;
  CString m_main_prj_file;
  CString m_main_prj_name;
  CString m_cur_prj_file;
  CString m_cur_prj_name;
  CString m_cur_prj_key;
  CString m_cur_key_name;
  CString m_new_key_name;
  CString m_tmpkey;
  CString m_cur_read_key;
  CString m_cur_prj;
  CString m_key_start;
  CString m_key_firststart;
  CString m_rules_file;
  CString m_ext_file;
  CString m_duden;
  CString m_chduden;
  CString m_message;
  CString m_button_file;
  CString m_button_file_popup;

  // Key buffer and further files.
  CDynBuf m_act_key_buf;
  CString m_menu_file;
  CString m_database;
  CString m_teilestamm;
  DdmDbLink* m_pstamm = nullptr;
  DdmDbLink* m_pstamm2 = nullptr;
  CString m_dummy_pic;
  CString m_leftneighbour;
  CString m_rightneighbour;

  // Languages.
  CString m_language;
  CString m_prg_language;
  LanguageEntry* m_lang_data = nullptr;  // kLanguageSlots entries when loaded
  LanguageEntry* m_lang_prg = nullptr;
  short m_lang_data_num = 0;
  short m_lang_prg_num = 0;

  // Switches and display settings.
  BOOL m_ignore_rules = 0;
  BOOL m_raster_on = 1;
  BOOL m_raster_text = 0;
  BOOL m_prot_visible = 0;
  BOOL m_hs_connect_onoff = 1;
  BOOL m_hs_connect_use_timer = 0;
  int m_hs_connect_timer = 500;
  BOOL m_hs_is_case_sensitive = 1;
  BOOL m_notiz_allowed = 0;
  int m_notiz_cmdid = 460;
  CString m_notiz_name;
  BOOL m_show_toolbar = 0;
  BOOL m_show_statusbar = 1;
  BOOL m_is_kapitel = 0;
  CString m_def_break_charset = " -.!?,;";
  int m_link_bkmode = 1;
  int m_prot_bkmode = 1;
  int m_linkprot_bkmode = 1;
  COLORREF m_deflink_bkcolor = 0xFFFFFF;
  COLORREF m_deflink_textcolor = 0xFF0000;
  COLORREF m_norlink_bkcolor = 0xFFFFFF;
  COLORREF m_norlink_textcolor = 0xFF0000;
  COLORREF m_prot_bkcolor = 0xFFFFFF;
  COLORREF m_prot_textcolor = 0x008000;
  COLORREF m_linkprot_bkcolor = 0xFFFFFF;
  COLORREF m_linkprot_textcolor = 0x0000FF;
  COLORREF m_protmarkcolor = 0xC0C0C0;
  int m_protmodus = 0;
  char m_hotspot_key_char = '?';
  BOOL m_FirstStart = 0;
  int m_WaitFirstStart = -1;

  // Saved assignments and text dictionaries.
  CDynBuf m_cur_varbuf;
  DdmTextTable m_msgdud;
  DdmTextTable m_datadud;
  DdmTextTable m_datachdud;

  // Window, toolbars and modes.
  BOOL m_IsPopup = 0;
  CString m_cdname;
  BOOL m_UserPageDef = 1;
  BOOL m_use_tt_window = 0;
  CString m_fpiinifile;
  BOOL m_window_maximized = 0;
  int m_window_size[2] = {-1, -1};
  int m_window_pos[2] = {-1, -1};
  BOOL m_toolbar_mode_frm = 1;
  int m_toolbar_place_default_frm = 0;
  int m_toolbar_place_user_frm = 0;
  BOOL m_toolbar_mode_pop = 1;
  int m_toolbar_place_default_pop = 0;
  int m_toolbar_place_user_pop = 0;
  BOOL m_invert_at_mousepos = 1;
  int m_internet_mode = 0;
  CString m_exchange_dir_client = "C:\\IV4\\";
  CString m_exchange_dir_server = "C:\\IV4\\";
  int m_max_per_tableline = 3;
  int m_ZoomFactor = 0;
  BOOL m_building_face = 0;

  // Cache switches of the data manager.
  BOOL m_cache_stamm_pointer = 0;
  BOOL m_cache_stamm_pointer2 = 0;
  BOOL m_cache_stamm_data = 0;
  BOOL m_cache_duden_pointer = 0;
  BOOL m_cache_duden_data = 0;
  BOOL m_cache_dudench_pointer = 0;
  BOOL m_cache_dudench_data = 0;
  BOOL m_cache_message = 0;

  BOOL m_check_hs_abilities = 0;
  DWORD m_waiting_for_pid = 0;
  BOOL m_is_terminal_server = 0;

  // Texts of the program message table and of the data dictionaries by
  // number and by key; empty when missing.
  CString MessageText(LONG number) const;
  // A program text, or the program's own text where the message file lacks it.
  CString MessageTextOr(LONG number, const CString& builtIn) const;
  CString DataText(LONG number) const;
  CString DataTextByKey(const char* key) const;

  // The diagnostic dump: the whole state as text, scrambled into the file.
  void Dump(const CString& path) const;
  void DumpText(CDynBuf& out) const;
  // XOR by position with the dump key table; applying it twice gives back the text.
  static void ScrambleDump(unsigned char* bytes, int length);

 private:
  void DeleteSingleObjects();
};

extern CWV4Globals theGlobals;

// Internet modes of m_internet_mode.
constexpr int kInternetNormal = 0;
constexpr int kInternetClient = 1;
constexpr int kInternetServer = 2;
