// The diagnostic dump "globals.dmp": date, computer, Windows version, one
// line per member of the program state, the rules, the external programs
// and the variables, scrambled byte by byte.
#include <array>
#include <cstdint>

#include "Main/CWV4ExtPrg.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Logic.h"
#include "Main/CWV4Var.h"
#include "Main/varno4.h"
#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "win32/Clock.h"
#include "win32/ComputerName.h"

namespace {

// The dump key table: 256 entries of which the low byte scrambles.
constexpr std::array<DWORD, 256> MakeDumpKeys() {
  std::array<DWORD, 256> keys{};
  DWORD state = 0x56344D44u;
  for (DWORD& key : keys) {
    state = state * 1664525u + 1013904223u;
    key = state;
  }
  return keys;
}
constexpr std::array<DWORD, 256> kDumpKeys = MakeDumpKeys();

DWORD Address(const void* pointer) { return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(pointer)); }

class DumpWriter {
 public:
  explicit DumpWriter(CDynBuf& out) : m_out(out) {}

  template <typename... Args>
  void Line(const char* format, Args... args) {
    CString line;
    line.Format(format, args...);
    m_out += line;
  }
  void Text(const char* label, const CString& value) {
    m_out += label;
    m_out += value;
    m_out += "\r\n";
  }
  void Bool(const char* label, BOOL value) {
    m_out += label;
    m_out += value != 0 ? "TRUE\r\n" : "FALSE\r\n";
  }
  void Link(const char* label, const char* dbcLabel, const DdmDbLink* link, bool withLines) {
    Line(label, Address(link));
    if (link == nullptr) return;
    Line(dbcLabel, Address(link->dbc));
    if (withLines) Line("\tm_pdb->max_lines : %d\r\n", static_cast<int>(link->max_lines));
  }
  void Languages(const char* label, const LanguageEntry* table, short count) {
    Line(label, static_cast<int>(count));
    for (int i = 0; table != nullptr && i < count; ++i) {
      Line("\t%s : %d (cmdid : %d)\r\n", static_cast<const char*>(table[i].lang_code), table[i].text_number,
           table[i].cmdid);
    }
  }

 private:
  CDynBuf& m_out;
};

const char* WindowsName(int code) {
  switch (code) {
    case 1: return "Win 95 :\r\n";
    case 2: return "Win 98 :\r\n";
    case 3: return "Win NT 4.0 :\r\n";
    case 4: return "Win 2000 :\r\n";
    case 5: return "Win Me :\r\n";
    default: return nullptr;
  }
}

}  // namespace

void CWV4Globals::ScrambleDump(unsigned char* bytes, int length) {
  for (int i = 0; i < length; ++i) bytes[i] ^= static_cast<unsigned char>(kDumpKeys[i % 256] & 0xFF);
}

void CWV4Globals::DumpText(CDynBuf& out) const {
  out.SetGrowBy(2048);
  DumpWriter w(out);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  w.Line("%02d.%02d.%d   %02d:%02d:%02d\r\n", now.wDay, now.wMonth, now.wYear, now.wHour, now.wMinute, now.wSecond);
  char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof computer;
  if (!GetComputerName(computer, &size)) computer[0] = '\0';
  w.Text("", computer);

  const int version = m_papp != nullptr ? m_papp->m_win_version : 0;
  const OSVERSIONINFO os = m_papp != nullptr ? m_papp->m_os_version : OSVERSIONINFO{};
  if (const char* name = WindowsName(version)) out += name;
  w.Line("\tBuildNumber : %d\r\n", static_cast<int>(os.dwBuildNumber));
  w.Line("\tMajorVersion : %d\r\n", static_cast<int>(os.dwMajorVersion));
  w.Line("\tMinorVersion : %d\r\n", static_cast<int>(os.dwMinorVersion));
  w.Line("\tPlatformId : %d\r\n", static_cast<int>(os.dwPlatformId));
  w.Line("\tCSDVersion : %s\r\n\r\n", os.szCSDVersion);

  w.Link("m_pdb : %08X\r\n", "\tm_pdb->dbc : %08X\r\n", m_pdb, true);
  w.Line("m_varno_ver : %08X\r\n", m_varno_ver);
  w.Text("m_app_dir : ", m_app_dir);
  w.Text("m_user_file_path : ", m_user_file_path);
  w.Text("m_user_page_def_path : ", m_user_page_def_path);
  w.Text("m_main_user_ini : ", m_main_user_ini);
  w.Text("m_user_temp_print_path : ", m_user_temp_print_path);
  w.Text("m_main_prj_file : ", m_main_prj_file);
  w.Text("m_main_prj_name : ", m_main_prj_name);
  w.Text("m_cur_prj_file : ", m_cur_prj_file);
  w.Text("m_cur_prj_name : ", m_cur_prj_name);
  w.Text("m_cur_prj_key : ", m_cur_prj_key);
  w.Text("m_cur_prj : ", m_cur_prj);
  w.Text("m_cur_key_name : ", m_cur_key_name);
  w.Text("m_new_key_name : ", m_new_key_name);
  w.Text("m_tmpkey : ", m_tmpkey);
  w.Text("m_cur_read_key : ", m_cur_read_key);
  w.Text("m_key_start : ", m_key_start);
  w.Text("m_key_firststart : ", m_key_firststart);
  w.Text("m_rules_file : ", m_rules_file);
  if (m_plogic != nullptr) m_plogic->Dump(out);
  w.Text("m_ext_file : ", m_ext_file);
  if (m_pextprg != nullptr) m_pextprg->Dump(out);
  w.Text("m_duden : ", m_duden);
  w.Text("m_chduden : ", m_chduden);
  w.Text("m_message : ", m_message);
  w.Text("m_button_file : ", m_button_file);
  w.Text("m_button_file_popup : ", m_button_file_popup);
  w.Line("m_act_key_buf->m_len : %d\r\n", m_act_key_buf.GetLength());
  w.Text("m_menu_file : ", m_menu_file);
  w.Text("m_database : ", m_database);
  w.Text("m_teilestamm : ", m_teilestamm);
  w.Link("m_pstamm : %08X\r\n", "\tm_pstamm->dbc : %08X\r\n", m_pstamm, false);
  w.Link("m_pstamm2 : %08X\r\n", "\tm_pstamm2->dbc : %08X\r\n", m_pstamm2, false);
  w.Text("m_dummy_pic : ", m_dummy_pic);
  w.Text("m_leftneighbour : ", m_leftneighbour);
  w.Text("m_rightneighbour : ", m_rightneighbour);
  w.Text("m_language : ", m_language);
  w.Text("m_prg_language : ", m_prg_language);
  w.Languages("m_lang_data_num : %d\r\n", m_lang_data, m_lang_data_num);
  w.Languages("m_lang_prg_num : %d\r\n", m_lang_prg, m_lang_prg_num);
  w.Bool("m_ignore_rules : ", m_ignore_rules);
  w.Bool("m_raster_on : ", m_raster_on);
  w.Bool("m_raster_text : ", m_raster_text);
  w.Bool("m_prot_visible : ", m_prot_visible);
  w.Bool("m_hs_is_case_sensitive : ", m_hs_is_case_sensitive);
  w.Bool("m_hs_connect_onoff : ", m_hs_connect_onoff);
  w.Bool("m_hs_connect_use_timer : ", m_hs_connect_use_timer);
  w.Line("m_hs_connect_timer : %d\r\n", m_hs_connect_timer);
  w.Line("m_notiz_cmdid : %d\r\n", m_notiz_cmdid);
  w.Text("m_notiz_name : ", m_notiz_name);
  w.Bool("m_notiz_allowed : ", m_notiz_allowed);
  w.Bool("m_show_toolbar : ", m_show_toolbar);
  w.Bool("m_show_statusbar : ", m_show_statusbar);
  w.Bool("m_is_kapitel : ", m_is_kapitel);
  out += "m_def_break_charset ::";
  out += m_def_break_charset;
  out += "::\r\n";
  w.Line("m_link_bkmode : %d\r\n", m_link_bkmode);
  w.Line("m_prot_bkmode : %d\r\n", m_prot_bkmode);
  w.Line("m_linkprot_bkmode : %d\r\n", m_linkprot_bkmode);
  w.Line("m_deflink_bkcolor : %08X\r\n", m_deflink_bkcolor);
  w.Line("m_deflink_textcolor : %08X\r\n", m_deflink_textcolor);
  w.Line("m_norlink_bkcolor : %08X\r\n", m_norlink_bkcolor);
  w.Line("m_norlink_textcolor : %08X\r\n", m_norlink_textcolor);
  w.Line("m_prot_bkcolor : %08X\r\n", m_prot_bkcolor);
  w.Line("m_prot_textcolor : %08X\r\n", m_prot_textcolor);
  w.Line("m_linkprot_bkcolor : %08X\r\n", m_linkprot_bkcolor);
  w.Line("m_linkprot_textcolor : %08X\r\n", m_linkprot_textcolor);
  w.Line("m_protmarkcolor : %08X\r\n", m_protmarkcolor);
  w.Line("m_protmodus : %d\r\n", m_protmodus);
  out += "m_hotspot_key_char : ";
  out += m_hotspot_key_char;
  out += "\r\n";
  w.Bool("m_FirstStart : ", m_FirstStart);
  w.Line("m_WaitFirstStart : %d\r\n", m_WaitFirstStart);
  w.Line("m_cur_varbuf->m_len : %d\r\n", m_cur_varbuf.GetLength());
  w.Line("m_msgdud : %08X\r\n", Address(&m_msgdud));
  w.Line("m_datadud : %08X\r\n", Address(&m_datadud));
  w.Line("m_datachdud : %08X\r\n", Address(&m_datachdud));
  w.Bool("m_IsPopup : ", m_IsPopup);
  w.Text("m_cdname : ", m_cdname);
  w.Bool("m_UserPageDef : ", m_UserPageDef);
  w.Bool("m_use_tt_window : ", m_use_tt_window);
  w.Text("m_fpiinifile : ", m_fpiinifile);
  w.Bool("m_window_maximized : ", m_window_maximized);
  w.Line("m_window_size : (%d,%d)\r\n", m_window_size[0], m_window_size[1]);
  w.Line("m_window_pos : (%d,%d)\r\n", m_window_pos[0], m_window_pos[1]);
  w.Bool("m_toolbar_mode_frm : ", m_toolbar_mode_frm);
  w.Line("m_toolbar_place_default_frm : %d\r\n", m_toolbar_place_default_frm);
  w.Line("m_toolbar_place_user_frm : %d\r\n", m_toolbar_place_user_frm);
  w.Bool("m_toolbar_mode_pop : ", m_toolbar_mode_pop);
  w.Line("m_toolbar_place_default_pop : %d\r\n", m_toolbar_place_default_pop);
  w.Line("m_toolbar_place_user_pop : %d\r\n", m_toolbar_place_user_pop);
  w.Bool("m_invert_at_mousepos : ", m_invert_at_mousepos);
  w.Line("m_max_per_tableline : %d\r\n", m_max_per_tableline);
  w.Line("m_ZoomFactor : %d\r\n", m_ZoomFactor);
  w.Bool("m_building_face : ", m_building_face);
  w.Bool("m_cache_stamm_pointer : ", m_cache_stamm_pointer);
  w.Bool("m_cache_stamm_pointer2 : ", m_cache_stamm_pointer2);
  w.Bool("m_cache_stamm_data : ", m_cache_stamm_data);
  w.Bool("m_cache_duden_pointer : ", m_cache_duden_pointer);
  w.Bool("m_cache_duden_data : ", m_cache_duden_data);
  w.Bool("m_cache_dudench_pointer : ", m_cache_dudench_pointer);
  w.Bool("m_cache_dudench_data : ", m_cache_dudench_data);
  w.Bool("m_cache_message : ", m_cache_message);
  w.Bool("m_check_hs_abilities : ", m_check_hs_abilities);
  w.Line("m_waiting_for_pid : %08X\r\n", m_waiting_for_pid);
  w.Bool("m_is_terminal_server : ", m_is_terminal_server);

  out += "\r\nVariablen\r\n";
  if (m_pvar != nullptr) m_pvar->Dump(out);
  out += "\r\n*** Ende ***\r\n";
}

void CWV4Globals::Dump(const CString& path) const {
  CDynBuf text;
  DumpText(text);
  ScrambleDump(text.GetData(), text.GetLength());
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite | CFile::typeBinary)) return;
  try {
    file.Write(text.GetData(), static_cast<UINT>(text.GetLength()));
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
  }
}
