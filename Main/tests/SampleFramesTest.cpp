// The sample catalogue's toolbar buttons, menu file and accelerators in the
// viewer's frame windows, as the start builds them: every button with its
// picture, no error on the way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CMainFrame.h"
#include "Main/CPopup.h"
#include "Main/CWV4Globals.h"
#include "testing/TempFolder.h"
#include "user/Dialogs.h"
#include "user/Menus.h"
#include "win32/Files.h"

namespace {

class SampleFramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectory(sizeof m_folder, m_folder);
    SetCurrentDirectory(VARNO_CATALOGUE_DIR);
    layer::SetModalHook([this](HWND window) {
      char title[128] = {};
      GetWindowText(window, title, sizeof title);
      boxes.emplace_back(title);
      PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ASSERT_TRUE(installation.Load());
  }
  void TearDown() override {
    if (popup != nullptr) ::DestroyWindow(popup->m_hWnd);
    if (main != nullptr) main->DestroyWindow();
    installation.app.m_hMainWnd = installation.app.m_hPopupWnd = nullptr;
    layer::SetModalHook(nullptr);
    SetCurrentDirectory(m_folder);
  }

  layer::testing::TempFolder user;
  varno::catalogue::Installation installation{VARNO_CATALOGUE_DIR, user.Path()};
  CMainFrame* main = nullptr;
  CPopup* popup = nullptr;
  std::vector<std::string> boxes;
  char m_folder[MAX_PATH] = {};
};

TEST_F(SampleFramesTest, ToolbarsMenusAndAcceleratorsComeWhole) {
  main = new CMainFrame;
  ASSERT_TRUE(main->Create(nullptr, "VARNO 4"));
  installation.app.m_hMainWnd = main->m_hWnd;
  popup = new CPopup;
  ASSERT_TRUE(popup->Create(nullptr, ""));
  installation.app.m_hPopupWnd = popup->m_hWnd;
  installation.app.BuildFrameMenus();

  CWV4ToolBar& bar = main->GetToolBar();
  EXPECT_EQ(bar.GetImageCount(), 8);
  std::vector<UINT> commands;
  for (int i = 0; i < bar.SendMessage(TB_BUTTONCOUNT); ++i) commands.push_back(bar.GetItemID(i));
  EXPECT_EQ(commands, (std::vector<UINT>{304, 305, 315, 0, 302, 303, 0, 300, 301, 0, 320}));
  EXPECT_STREQ(bar.GetTipText(0), "Startseite");
  EXPECT_EQ(popup->GetToolBar().GetImageCount(), 2);

  HMENU menu = GetMenu(main->m_hWnd);
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> titles;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    titles.emplace_back(text);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"&Datei", "&Ansicht", "&Gehe zu", "&Suchen", "S&prache", "&Hilfe"}));
  EXPECT_EQ(main->GetAccelerators().Entries().size(), 3u);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
  EXPECT_TRUE(boxes.empty());
}

}  // namespace
