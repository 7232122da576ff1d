// The running viewer on the sample catalogue, driven as a user drives it:
// the start shows the start key with its menus, toolbar and status bar, a
// click on a link shows the linked key, going back shows the start key again.
#include <gtest/gtest.h>

#include <string>

#include "Main/CDynLog.h"
#include "Main/tests/EngineFixture.h"
#include "Main/tests/ViewerSession.h"
#include "user/Menus.h"

namespace {

using varno::testing::ViewerSession;

std::string TitleOf(HWND window) {
  char text[256] = {};
  GetWindowText(window, text, sizeof text);
  return text;
}

TEST(ViewerRunTest, StartShowsTheStartKeyWithMenusToolbarAndStatusBar) {
  ViewerSession viewer;
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

TEST(ViewerRunTest, LinkClickShowsTheLinkedKeyAndBackReturnsToTheStart) {
  ViewerSession viewer;
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

// The sample installation names no order-list program: switching the
// languages tells none and shows no box about it.
TEST(ViewerRunTest, LanguagesSwitchWithoutAnOrderListProgram) {
  ViewerSession viewer;
  ASSERT_TRUE(viewer.Start());
  auto* errors = new varno::testing::RecordingErrorDlg;
  delete theGlobals.m_perrdlg;
  theGlobals.m_perrdlg = errors;
  PostMessage(viewer.App().m_hMainWnd, WM_COMMAND, 401, 0);
  PostMessage(viewer.App().m_hMainWnd, WM_COMMAND, 431, 0);
  viewer.Pump();
  EXPECT_STREQ(viewer.Main()->GetPaneText(3), "GB");
  EXPECT_STREQ(viewer.Main()->GetPaneText(4), "GB");
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "START") << "the key is shown again in the new language";
  EXPECT_TRUE(errors->shown.empty());
}

}  // namespace
