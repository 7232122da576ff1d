// The viewer commands that act on the frame windows' bars and menus, given
// to the frames as WM_COMMAND, and how the frames' buttons and menu entries
// follow the program state at idle time.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Main/tests/FaceFixture.h"
#include "Main/tests/FrameFixture.h"
#include "Main/tests/FrameWindowFixture.h"
#include "user/Menus.h"

namespace {

using varno::testing::FrameWindowFixture;
using varno::testing::KeyCommands;
using varno::testing::TakeKeyCommandsOf;

// A key of one frame with one text, as the reader leaves it for the face.
CDynBuf OneFrameKey() {
  const std::string layout = varno::testing::LayoutStream().Rows("*").Frame("A").End().Bytes();
  return varno::testing::Buf(layout + varno::testing::FrameDef("A").Tag(34).Content("Text").Tag(35).Bytes() +
                             std::string("\0\0", 2));
}

const char kViewMenu[] =
    "[MAIN]\r\n1200=[VIEW]\r\n"
    "[VIEW]\r\n1201=300,0\r\n1201=301,0\r\n1201=302,0\r\n1201=305,0\r\n1201=306,0\r\n1201=308,0\r\n1201=309,0\r\n"
    "1201=313,0\r\n1201=314,0\r\n1201=319,0\r\n1201=320,0\r\n1201=321,0\r\n1201=430,0\r\n1201=431,0\r\n";

class FrameCommandsTest : public FrameWindowFixture {
 protected:
  void SetUp() override {
    FrameWindowFixture::SetUp();
    dataFolder.Write("menue.ini", kViewMenu);
    Fill(app.m_buttons_frm, {{300, 1, TRUE}, {301}, {302}, {304}, {305}, {306, 1}, {308, 1, TRUE}, {309}, {319}, {320}});
    CreateBoth();
    ASSERT_TRUE(main->BuildDataMenu());
    main->ShowWindow(SW_SHOWNA);  // only frames on the screen are updated at idle
  }

  BOOL Run(CMultiFrame* frame, UINT command) { return frame->SendMessage(WM_COMMAND, command, 0) == 0; }
  HMENU Menu() const { return GetMenu(main->m_hWnd); }
  bool MenuChecked(UINT command) const { return (GetMenuState(Menu(), command, MF_BYCOMMAND) & MF_CHECKED) != 0; }
  bool MenuGreyed(UINT command) const { return (GetMenuState(Menu(), command, MF_BYCOMMAND) & MF_GRAYED) != 0; }
  CWV4ToolBar& MainBar() { return main->GetToolBar(); }
  CWV4ToolBar& PopupBar() { return popup->GetToolBar(); }
};

struct SwitchCase {
  const char* name;
  UINT command;
  UINT dependent;  // the command that works only while this one is on
  BOOL CWV4Globals::*member;
};

class SwitchCommands : public FrameCommandsTest, public ::testing::WithParamInterface<SwitchCase> {};

// Twice switched is as before; meanwhile the dependent command's buttons
// and menu entry are greyed.
TEST_P(SwitchCommands, FlipTheirStateAndGreyTheDependentCommand) {
  const SwitchCase& c = GetParam();
  BOOL& member = theGlobals.*c.member;
  ASSERT_TRUE(member);
  for (CMultiFrame* frame : {static_cast<CMultiFrame*>(main), static_cast<CMultiFrame*>(popup)}) {
    EXPECT_TRUE(Run(frame, c.command));
    EXPECT_FALSE(member);
    EXPECT_FALSE(MainBar().IsButtonChecked(c.command));
    EXPECT_FALSE(MenuChecked(c.command));
    EXPECT_FALSE(MainBar().IsButtonEnabled(c.dependent));
    EXPECT_FALSE(PopupBar().IsButtonEnabled(c.dependent) && PopupBar().IsButtonVisible(c.dependent));
    EXPECT_TRUE(MenuGreyed(c.dependent));

    EXPECT_TRUE(Run(frame, c.command));
    EXPECT_TRUE(member);
    EXPECT_TRUE(MainBar().IsButtonChecked(c.command));
    EXPECT_TRUE(MenuChecked(c.command));
    EXPECT_TRUE(MainBar().IsButtonEnabled(c.dependent));
    EXPECT_FALSE(MenuGreyed(c.dependent));
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, SwitchCommands,
                         ::testing::Values(SwitchCase{"Raster", 300, 301, &CWV4Globals::m_raster_on},
                                           SwitchCase{"HotspotLinks", 308, 309, &CWV4Globals::m_hs_connect_onoff}),
                         [](const auto& info) { return std::string(info.param.name); });

// The pop-up's own toolbar follows the raster switch as well.
TEST_F(FrameCommandsTest, RasterSwitchGreysThePopupsRasterTextButton) {
  EXPECT_TRUE(Run(popup, 300));
  EXPECT_FALSE(PopupBar().IsButtonChecked(300));
  EXPECT_FALSE(PopupBar().IsButtonEnabled(301));
}

TEST_F(FrameCommandsTest, ToolbarsAndStatusBarAreShownAndHidden) {
  theGlobals.m_show_toolbar = TRUE;
  EXPECT_TRUE(Run(main, 313));
  EXPECT_FALSE(theGlobals.m_show_toolbar);
  EXPECT_FALSE(MainBar().GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(PopupBar().GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(Run(popup, 313));
  EXPECT_TRUE(MainBar().GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(PopupBar().GetStyle() & WS_VISIBLE);

  EXPECT_TRUE(Run(main, 314));
  EXPECT_FALSE(theGlobals.m_show_statusbar);
  EXPECT_FALSE(main->GetStatusBar().GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(MenuChecked(314));
}

// The main frame's update reads the bars' state back: a toolbar hidden by
// other means unchecks its entry.
TEST_F(FrameCommandsTest, BarEntriesFollowTheBarsAtIdle) {
  main->ShowControlBar(&MainBar(), TRUE, FALSE);
  theGlobals.m_show_toolbar = FALSE;
  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(Menu(), 0)), 0);
  EXPECT_TRUE(theGlobals.m_show_toolbar);
  EXPECT_TRUE(MenuChecked(313));
  EXPECT_TRUE(MenuChecked(314));
  main->ShowControlBar(&MainBar(), FALSE, FALSE);
  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(Menu(), 0)), 0);
  EXPECT_FALSE(theGlobals.m_show_toolbar);
  EXPECT_FALSE(MenuChecked(313));
}

// While a print job runs the toolbars' print button and the menu's print
// entry are greyed, also after the idle-time update.
TEST_F(FrameCommandsTest, PrintingIsGreyedWhileAJobRuns) {
  app.EnablePrint(FALSE);
  EXPECT_TRUE(app.m_print_busy);
  CFrameWnd::UpdateFramesAtIdle();
  EXPECT_FALSE(MainBar().IsButtonEnabled(320));
  EXPECT_TRUE(MenuGreyed(321));
  app.EnablePrint(TRUE);
  CFrameWnd::UpdateFramesAtIdle();
  EXPECT_TRUE(MainBar().IsButtonEnabled(320));
  EXPECT_FALSE(MenuGreyed(321));
}

struct UpdateCase {
  const char* name;
  UINT command;
  void (*set)(BOOL on);  // puts the state that the command's button shows
  bool checks;           // checked, else enabled, follows the state
};

class UpdateHandlers : public FrameCommandsTest, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(UpdateHandlers, FollowTheProgramStateAtIdle) {
  const UpdateCase& c = GetParam();
  for (BOOL on : {TRUE, FALSE, TRUE}) {
    c.set(on);
    CFrameWnd::UpdateFramesAtIdle();
    const BOOL shown = c.checks ? MainBar().IsButtonChecked(c.command) : MainBar().IsButtonEnabled(c.command);
    EXPECT_EQ(shown, on) << on;
  }
  c.set(FALSE);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, UpdateHandlers,
    ::testing::Values(
        UpdateCase{"LeftNeighbour", 302,
                   [](BOOL on) { theGlobals.m_leftneighbour = on ? "LINKS" : ""; }, false},
        UpdateCase{"Back", 305,
                   [](BOOL on) {
                     theGlobals.m_phistory->RemoveAll();
                     if (on) theGlobals.m_phistory->AddEntry("P~A", CDynBuf(), FALSE, FALSE);
                   },
                   false},
        UpdateCase{"OrderListVisible", 306, [](BOOL on) { theGlobals.m_prot_visible = on; }, true},
        UpdateCase{"HoverLinks", 309, [](BOOL on) { theGlobals.m_hs_connect_use_timer = on; }, true},
        UpdateCase{"Notes", 319, [](BOOL on) { theGlobals.m_notiz_allowed = on; }, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A command without an update rule keeps what the key's description set.
TEST_F(FrameCommandsTest, CommandsWithoutRuleKeepTheirState) {
  app.EnableCommand(304, FALSE);
  CFrameWnd::UpdateFramesAtIdle();
  EXPECT_FALSE(MainBar().IsButtonEnabled(304));
  app.EnableCommand(304, TRUE);
  CFrameWnd::UpdateFramesAtIdle();
  EXPECT_TRUE(MainBar().IsButtonEnabled(304));
}

// Where the key's notes exist, the notes button shows its second image and
// the menu entry is checked.
TEST_F(FrameCommandsTest, NotesButtonShowsWhetherTheNotesExist) {
  ::DestroyWindow(popup->m_hWnd);
  popup = nullptr;
  main->DestroyWindow();
  main = nullptr;
  Fill(app.m_buttons_frm, {{319, 2, FALSE, "plain.bmp", "second.bmp"}});
  CreateBoth();
  ASSERT_TRUE(main->BuildDataMenu());
  main->ShowWindow(SW_SHOWNA);
  theGlobals.m_notiz_allowed = TRUE;
  theGlobals.m_notiz_name = "MOT";
  theGlobals.m_app_dir = dataFolder.Path().c_str();
  CFrameWnd::UpdateFramesAtIdle();
  EXPECT_FALSE(MainBar().IsImageStateSet(319));
  dataFolder.Write("MOT.notiz", "");  // empty notes count as none
  CFrameWnd::UpdateFramesAtIdle();
  EXPECT_FALSE(MainBar().IsImageStateSet(319));
  dataFolder.Write("MOT.notiz", "x");
  CFrameWnd::UpdateFramesAtIdle();
  EXPECT_TRUE(MainBar().IsImageStateSet(319));
  main->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(Menu(), 0)), 0);
  EXPECT_TRUE(MenuChecked(319));
  theGlobals.m_notiz_allowed = FALSE;
  theGlobals.m_notiz_name.Empty();
  theGlobals.m_app_dir.Empty();
}

// The user's pane sizes of every face are forgotten and the key is shown again.
TEST_F(FrameCommandsTest, ForgettingAllUserPagesShowsTheKeyAgain) {
  theGlobals.m_user_page_def_path = dataFolder.Path().c_str();
  theGlobals.m_cur_prj_key = "MOT";
  dataFolder.Write("A.wv4hpu", "a");
  dataFolder.Write("B.wv4hpu", "b");
  dataFolder.Write("C.other", "c");
  EXPECT_TRUE(Run(popup, 324));
  EXPECT_FALSE(std::filesystem::exists(dataFolder / "A.wv4hpu"));
  EXPECT_FALSE(std::filesystem::exists(dataFolder / "B.wv4hpu"));
  EXPECT_TRUE(std::filesystem::exists(dataFolder / "C.other"));
  EXPECT_EQ(TakeKeyCommandsOf(popup->m_hWnd), (KeyCommands{{0, "MOT"}}));
}

TEST_F(FrameCommandsTest, ToolbarsGoBackToTheirDefaultSides) {
  theGlobals.m_toolbar_place_default_frm = 2;
  theGlobals.m_toolbar_place_default_pop = 3;
  EXPECT_TRUE(Run(main, 327));
  EXPECT_EQ(theGlobals.m_toolbar_place_user_frm, 2);
  EXPECT_EQ(theGlobals.m_toolbar_place_user_pop, 3);
  EXPECT_EQ(MainBar().GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_RIGHT));
  EXPECT_EQ(PopupBar().GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
}

// A data-language entry of the menu shows the language in pane 4 and the
// key again; a program-language change re-texts menu, tips and pane 3.
TEST_F(FrameCommandsTest, LanguagesReachMenuTipsAndPanes) {
  LanguageEntry program[] = {{400, "D", 1}, {401, "GB", 2}};
  LanguageEntry data[] = {{430, "D", 3}, {431, "GB", 4}};
  theGlobals.m_lang_prg = program;
  theGlobals.m_lang_prg_num = 2;
  theGlobals.m_lang_data = data;
  theGlobals.m_lang_data_num = 2;
  theGlobals.m_cur_prj_key = "MOT";
  EXPECT_TRUE(Run(main, 431));
  EXPECT_STREQ(main->GetPaneText(4), "GB");
  EXPECT_TRUE(MenuChecked(431));
  EXPECT_EQ(TakeKeyCommandsOf(main->m_hWnd), (KeyCommands{{0, "MOT"}}));

  Fill(app.m_buttons_pop, {{302, 0, FALSE, "plain.bmp", "", 1400}});
  ::DestroyWindow(popup->m_hWnd);
  ASSERT_TRUE(CreatePopup());
  EXPECT_STREQ(popup->GetToolBar().GetTipText(0), "Links");
  main->ShowActionHint(130, "RM-1", "");
  theGlobals.m_msgdud.DdmTextClose();
  OpenTexts(theGlobals.m_msgdud, "english.ddm",
            "dictionary\nlanguage \"GB\"\n1200 = \"View\"\n1400 = \"Left\"\n1539 = \"Part\"\n");
  theGlobals.m_msgdud.DdmTextSetLanguage("GB");
  EXPECT_TRUE(Run(main, 401));
  char text[32] = {};
  GetMenuString(Menu(), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "View");
  EXPECT_STREQ(popup->GetToolBar().GetTipText(0), "Left");
  EXPECT_STREQ(main->GetPaneText(3), "GB");
  main->ShowActionHint(130, "RM-1", "");  // the hint in the new language
  EXPECT_STREQ(main->GetPaneText(0), "Part: RM-1");

  theGlobals.m_lang_prg = theGlobals.m_lang_data = nullptr;
  theGlobals.m_lang_prg_num = theGlobals.m_lang_data_num = 0;
}

// The first key command of the run completes the start, then shows the key
// with its title.
TEST_F(FrameCommandsTest, FirstKeyCommandCompletesTheStart) {
  ::SetMenu(main->m_hWnd, nullptr);
  theGlobals.m_FirstStart = TRUE;
  theGlobals.m_cur_prj_name = "Motoren";
  theGlobals.m_act_key_buf = OneFrameKey();
  PostKeyCommand(main->m_hWnd, 0, "ZK");
  Dispatch();
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, main->m_hWnd, KeyCommandMessageId(), KeyCommandMessageId(), PM_REMOVE));
  DispatchMessage(&msg);
  EXPECT_FALSE(theGlobals.m_FirstStart);
  EXPECT_TRUE(app.m_start_completed);
  EXPECT_NE(GetMenu(main->m_hWnd), nullptr);
  CString title;
  main->GetWindowText(title);
  EXPECT_STREQ(title, "Motoren - ZK");
  EXPECT_STREQ(main->GetPaneText(2), "ZK");
  EXPECT_EQ(main->GetFace()->m_no_frames, 1);
  theGlobals.m_act_key_buf.Empty();
}

}  // namespace

namespace {

// A key for the pop-up shows it and waits with the main frame disabled; the
// next key for the main frame hides the pop-up again.
TEST_F(FrameCommandsTest, FacesGoToThePopupOrTheMainFrame) {
  theGlobals.m_act_key_buf = OneFrameKey();
  theGlobals.m_IsPopup = TRUE;
  ASSERT_TRUE(app.ShowFace());
  EXPECT_TRUE(popup->m_shown);
  EXPECT_TRUE(popup->IsWindowVisible());
  EXPECT_FALSE(main->IsWindowEnabled());
  EXPECT_EQ(popup->GetFace()->m_no_frames, 1);

  theGlobals.m_IsPopup = FALSE;
  ASSERT_TRUE(app.ShowFace());
  EXPECT_FALSE(popup->m_shown);
  EXPECT_FALSE(popup->IsWindowVisible());
  EXPECT_TRUE(main->IsWindowEnabled());
  EXPECT_EQ(main->GetFace()->m_no_frames, 1);
  theGlobals.m_act_key_buf.Empty();
}

struct BuildFailure {
  const char* name;
  BOOL popup;
  const char* detail;
};

class FaceBuildFailures : public FrameCommandsTest, public ::testing::WithParamInterface<BuildFailure> {};

TEST_P(FaceBuildFailures, LeaveTheirFrameOnTheTrace) {
  theGlobals.m_act_key_buf = varno::testing::Buf(std::string("broken"));
  theGlobals.m_IsPopup = GetParam().popup;
  EXPECT_FALSE(app.ShowFace());
  ASSERT_NE(theGlobals.m_error_trace_newest, nullptr);
  EXPECT_EQ(theGlobals.m_error_trace_newest->error_code, 502);
  EXPECT_STREQ(theGlobals.m_error_trace_newest->detail_text, GetParam().detail);
  theGlobals.m_IsPopup = FALSE;
  theGlobals.m_act_key_buf.Empty();
}

INSTANTIATE_TEST_SUITE_P(Commands, FaceBuildFailures,
                         ::testing::Values(BuildFailure{"Popup", TRUE, "P"}, BuildFailure{"MainFrame", FALSE, "F"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
