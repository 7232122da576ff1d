#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/CDynLog.h"
#include "Main/CWV4Globals.h"
#include "foundation/CIniClass.h"

namespace {

TEST(GlobalsTest, DefaultsOfAFreshObject) {
  CWV4Globals g;
  EXPECT_EQ(g.m_hs_connect_timer, 500);
  EXPECT_EQ(g.m_notiz_cmdid, 460);
  EXPECT_EQ(g.m_hotspot_key_char, '?');
  EXPECT_EQ(g.m_WaitFirstStart, -1);
  EXPECT_EQ(g.m_max_per_tableline, 3);
  EXPECT_EQ(g.m_window_size[0], -1);
  EXPECT_EQ(g.m_window_size[1], -1);
  EXPECT_EQ(g.m_window_pos[0], -1);
  EXPECT_EQ(g.m_window_pos[1], -1);
  EXPECT_STREQ(g.m_exchange_dir_client, "C:\\IV4\\");
  EXPECT_STREQ(g.m_exchange_dir_server, "C:\\IV4\\");
  EXPECT_STREQ(g.m_def_break_charset, " -.!?,;");
  for (BOOL on : {g.m_raster_on, g.m_hs_connect_onoff, g.m_hs_is_case_sensitive, g.m_show_statusbar, g.m_UserPageDef,
                  g.m_invert_at_mousepos, g.m_toolbar_mode_frm, g.m_toolbar_mode_pop}) {
    EXPECT_EQ(on, 1);
  }
  for (int mode : {g.m_link_bkmode, g.m_prot_bkmode, g.m_linkprot_bkmode}) EXPECT_EQ(mode, 1);
  EXPECT_EQ(g.m_deflink_textcolor, 0xFF0000u);
  EXPECT_EQ(g.m_prot_textcolor, 0x008000u);
  EXPECT_EQ(g.m_linkprot_textcolor, 0x0000FFu);
  EXPECT_EQ(g.m_protmarkcolor, 0xC0C0C0u);
  for (BOOL off : {g.m_raster_text, g.m_prot_visible, g.m_hs_connect_use_timer, g.m_FirstStart, g.m_internet_mode,
                   g.m_is_terminal_server, g.m_cache_message, g.m_check_hs_abilities}) {
    EXPECT_EQ(off, 0);
  }
  EXPECT_EQ(g.m_pvar, nullptr);
  EXPECT_EQ(g.m_pdb, nullptr);
  EXPECT_EQ(g.m_error_trace_newest, nullptr);
  EXPECT_EQ(g.m_varno_ver, 0u);
  EXPECT_TRUE(g.m_app_dir.IsEmpty());
  EXPECT_EQ(g.m_act_key_buf.GetLength(), 0);
  EXPECT_STREQ(g.MessageText(1505), "");  // the text tables are closed until configured
}

std::vector<std::string> g_deleted;

class RecordedIni : public CIniClass {
 public:
  ~RecordedIni() override { g_deleted.push_back("ini"); }
};

class RecordedHistory : public CDynLog {
 public:
  ~RecordedHistory() override { g_deleted.push_back("history"); }
};

TEST(GlobalsTest, HistoryGoesLastAndTheOthersAreNotOwned) {
  g_deleted.clear();
  {
    CWV4Globals g;
    g.m_phistory = new RecordedHistory;
    g.m_pini = new RecordedIni;
    g.m_papp = reinterpret_cast<CViewerApp*>(0x10);       // not owned: never deleted
    g.m_ptooltip = reinterpret_cast<CV4TTWindow*>(0x20);  // not owned: never deleted
    g.m_pdb = new DdmDbLink;
    g.m_lang_data = new LanguageEntry[kLanguageSlots];
  }
  EXPECT_EQ(g_deleted, (std::vector<std::string>{"ini", "history"}));
}

}  // namespace
