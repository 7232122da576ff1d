// The running viewer on the sample catalogue with its order-list program,
// driven as a user drives it: the start shows the start key with its menus,
// toolbar and status bar, a click on a link shows the linked key, going back
// shows the start key again. Nothing of it tells the user of an error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Main/CDynLog.h"
#include "Main/tests/EngineFixture.h"
#include "Main/tests/ViewerSession.h"
#include "Main/tests/ViewerSessionFixture.h"
#include "user/Menus.h"
#include "win32/Paths.h"

namespace {

using varno::testing::ViewerSession;
using varno::testing::ViewerSessionFixture;

class ViewerRunTest : public ViewerSessionFixture {
 protected:
  ViewerRunTest() : ViewerSessionFixture(true) {}
  void TearDown() override {
    if (session) EXPECT_EQ(Told(), "");  // what the session was told goes with it
    ViewerSessionFixture::TearDown();
  }
};

class ViewerWithoutOrderList : public ViewerSessionFixture {};

std::string TitleOf(HWND window) {
  char text[256] = {};
  GetWindowText(window, text, sizeof text);
  return text;
}

TEST_F(ViewerRunTest, StartShowsTheStartKeyWithMenusToolbarAndStatusBar) {
  ViewerSession& viewer = *session;
  ASSERT_TRUE(viewer.Start());
  CMainFrame* main = viewer.Main();
  EXPECT_TRUE(viewer.App().m_start_completed);
  EXPECT_FALSE(theGlobals.m_FirstStart);
  EXPECT_GT(main->GetFace()->m_no_frames, 0);
  EXPECT_EQ(TitleOf(main->m_hWnd), "Rasenmaeher RM 46 - " + std::string(theGlobals.m_cur_key_name));
  EXPECT_NE(GetMenu(main->m_hWnd), nullptr) << "the catalogue's menu bar";
  EXPECT_TRUE(theGlobals.m_show_toolbar);
  EXPECT_TRUE(main->GetToolBar().IsWindowVisible());
  EXPECT_STREQ(main->GetPaneText(2), "START");
  EXPECT_STREQ(main->GetPaneText(1), "rm46");
}

TEST_F(ViewerRunTest, LinkClickShowsTheLinkedKeyAndBackReturnsToTheStart) {
  ViewerSession& viewer = *session;
  ASSERT_TRUE(viewer.Start());
  ASSERT_TRUE(viewer.ClickHotspot("Uebersicht", "2"));
  viewer.Pump();
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "MOT");
  EXPECT_STREQ(viewer.Main()->GetPaneText(2), "MOT");
  EXPECT_EQ(theGlobals.m_phistory->GetCount(), 1) << "the start key is left for the assembly";

  PostMessage(viewer.App().m_hMainWnd, WM_COMMAND, 305, 0);  // back
  viewer.Pump();
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "START");
  EXPECT_EQ(theGlobals.m_phistory->GetCount(), 0);
}

// An installation that names no order-list program: switching the
// languages tells none and shows no box about it.
TEST_F(ViewerWithoutOrderList, LanguagesSwitch) {
  ViewerSession& viewer = *session;
  ASSERT_TRUE(viewer.Start());
  PostMessage(viewer.App().m_hMainWnd, WM_COMMAND, 401, 0);
  PostMessage(viewer.App().m_hMainWnd, WM_COMMAND, 431, 0);
  viewer.Pump();
  EXPECT_STREQ(viewer.Main()->GetPaneText(3), "GB");
  EXPECT_STREQ(viewer.Main()->GetPaneText(4), "GB");
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "START") << "the key is shown again in the new language";
  EXPECT_EQ(Told(), "");
}

// On a terminal server each user's files go to a folder of his own on the
// drive the installation names; the viewer starts there all the same.
TEST_F(ViewerRunTest, TerminalServerLayoutStartsWithTheUsersOwnFolder) {
  layer::testing::TempFolder drive;
  layer::testing::TempFolder registry;
  registry.Write("registry.txt",
                 "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]\n"
                 "ProductSuite=multi:Terminal Server\n");
  setenv("VARNO_REGISTRY", (registry.Path() + "/registry.txt").c_str(), 1);
  layer::SetDriveFolder('T', drive.Path());
  std::ofstream(session->Folder() + "/Varno4TS.ini", std::ios::binary) << "[Client]\r\nDrive=T\r\nApp=Werk2\r\n";
  EXPECT_TRUE(session->Start());
  EXPECT_TRUE(theGlobals.m_is_terminal_server);
  EXPECT_STREQ(theGlobals.m_user_file_path, "T:\\VARNO4_CT\\Werk2");
  EXPECT_STREQ(session->Main()->GetPaneText(2), "START");
  EXPECT_EQ(Told(), "");
  session.reset();
  EXPECT_TRUE(std::filesystem::exists(drive.Path() + "/VARNO4_CT/Werk2/varno4_user.ini")) << "kept for the user";
  layer::SetDriveFolder('T', "");
  unsetenv("VARNO_REGISTRY");
  theGlobals.m_is_terminal_server = FALSE;
}

}  // namespace
