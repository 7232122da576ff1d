// A user's session with the viewer on the sample catalogue beyond the first
// link: the way back through the history, the assembly's picture zoomed, the
// program language switched, the about box with its version overview, on a
// plain machine and on a terminal server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Main/CAboutDlg.h"
#include "Main/CDynLog.h"
#include "Main/CVersionDlg.h"
#include "Main/tests/ViewerSessionFixture.h"
#include "user/Dialogs.h"
#include "user/Menus.h"
#include "win32/Paths.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT COMMAND_HOME = 304;
constexpr UINT COMMAND_BACK = 305;
constexpr UINT COMMAND_ABOUT = 312;
constexpr UINT COMMAND_CHAPTER_BACK = 315;
constexpr UINT COMMAND_ZOOM_START = 316;
constexpr UINT COMMAND_ZOOM_WHOLE = 317;
constexpr UINT COMMAND_ZOOM_PART = 318;
constexpr UINT PROGRAM_GERMAN = 400;
constexpr UINT PROGRAM_ENGLISH = 401;

class ViewerSessionTest : public varno::testing::ViewerSessionFixture {
 protected:
  CMainFrame& Main() { return *session->Main(); }
  std::string ShownKey() const { return static_cast<const char*>(theGlobals.m_cur_prj_key); }

  // A command of a menu, a button or an accelerator of the main frame.
  void Command(UINT id) {
    PostMessage(session->App().m_hMainWnd, WM_COMMAND, id, 0);
    session->Pump();
  }
  // The start page's drawing leads to the motor's assembly.
  bool ToTheMotor() {
    if (!session->ClickHotspot("Uebersicht", "2")) return false;
    session->Pump();
    return ShownKey() == "MOT";
  }
  std::string MenuBarText(int position) {
    char text[128] = {};
    GetMenuString(GetMenu(Main().m_hWnd), static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
  }
  std::string TipOf(UINT command) {
    CWV4ToolBar& bar = Main().GetToolBar();
    return static_cast<const char*>(bar.GetTipText(bar.CommandToIndex(command)));
  }
};

TEST_F(ViewerSessionTest, HomeAndChapterBackLeaveTheHistoryEmpty) {
  ASSERT_TRUE(session->Start());
  struct Step {
    UINT command;
    const char* name;
  };
  for (const Step step : {Step{COMMAND_HOME, "home"}, Step{COMMAND_CHAPTER_BACK, "chapter back"}}) {
    ASSERT_TRUE(ToTheMotor()) << step.name << ": " << ShownKey() << "\n" << Told();
    ASSERT_EQ(theGlobals.m_phistory->GetCount(), 1);
    Command(step.command);
    EXPECT_EQ(ShownKey(), "START") << step.name;
    EXPECT_EQ(theGlobals.m_phistory->GetCount(), 0) << step.name;
  }
  // Back with nothing to go back to stays at the start.
  Command(COMMAND_BACK);
  EXPECT_EQ(ShownKey(), "START");
  EXPECT_EQ(Told(), "");
}

TEST_F(ViewerSessionTest, TheAssemblysPictureIsZoomedByCommandAndRubberBand) {
  ASSERT_TRUE(session->Start());
  ASSERT_TRUE(ToTheMotor()) << Told();
  CPicView* picture = session->PictureOf("Hinweis");
  ASSERT_NE(picture, nullptr);
  const CSize whole = picture->ScrollSize();

  Command(COMMAND_ZOOM_PART);
  EXPECT_EQ(picture->GetZoom(), -2);
  Command(COMMAND_ZOOM_WHOLE);
  EXPECT_EQ(picture->GetZoom(), 0);
  EXPECT_EQ(picture->ScrollSize(), whole);

  Command(COMMAND_ZOOM_START);
  ASSERT_TRUE(picture->IsZoomMode());
  const CPoint offset = picture->CentringOffset();
  const CPoint from = offset + CPoint(whole.cx / 4, whole.cy / 4);
  const CPoint to = offset + CPoint(whole.cx / 2, whole.cy / 2);
  picture->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  picture->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  picture->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  session->Pump();
  EXPECT_FALSE(picture->IsZoomMode());
  EXPECT_EQ(picture->GetZoom(), -1);
  EXPECT_GT(picture->ScrollSize().cx, whole.cx);

  Command(COMMAND_ZOOM_WHOLE);
  EXPECT_EQ(picture->ScrollSize(), whole);
  EXPECT_EQ(Told(), "");
}

TEST_F(ViewerSessionTest, ProgramLanguageRetextsMenuToolTipsAndPane) {
  ASSERT_TRUE(session->Start());
  ASSERT_EQ(TipOf(COMMAND_HOME), "Startseite");
  ASSERT_EQ(MenuBarText(0), "&Datei");

  Command(PROGRAM_ENGLISH);
  EXPECT_STREQ(theGlobals.m_prg_language, "GB");
  EXPECT_EQ(MenuBarText(0), "&File");
  EXPECT_EQ(TipOf(COMMAND_HOME), "Start page");
  EXPECT_EQ(TipOf(COMMAND_BACK), "Back");
  EXPECT_STREQ(Main().GetPaneText(3), "GB");
  EXPECT_STREQ(Main().GetPaneText(4), "D") << "the catalogue's language stays";

  Command(PROGRAM_GERMAN);
  EXPECT_EQ(MenuBarText(0), "&Datei");
  EXPECT_EQ(TipOf(COMMAND_HOME), "Startseite");
  EXPECT_STREQ(Main().GetPaneText(3), "D");
  EXPECT_EQ(Told(), "");
}

TEST_F(ViewerSessionTest, AboutBoxOpensTheVersionOverview) {
  ASSERT_TRUE(session->Start());
  std::vector<std::string> seen;
  int modules = -1;
  const layer::ModalHook previous = layer::SetModalHook([&](HWND window) {
    char text[128] = {};
    GetWindowText(window, text, sizeof text);
    seen.emplace_back(text);
    if (seen.size() == 1) {  // the about box: its project, then its "?" button
      GetDlgItemText(window, CAboutDlg::IDC_PROJECT, text, sizeof text);
      seen.emplace_back(text);
      SendMessage(window, WM_COMMAND, CAboutDlg::IDC_VERSIONS, 0);
    } else {
      modules = static_cast<int>(SendDlgItemMessage(window, CVersionDlg::IDC_LIST, LVM_GETITEMCOUNT, 0, 0));
    }
    EndDialog(window, IDOK);
  });
  Command(COMMAND_ABOUT);
  layer::SetModalHook(previous);
  ASSERT_EQ(seen.size(), 3u) << "the about box, its project line, the version overview";
  EXPECT_NE(seen[1].find("Rasenmaeher RM 46"), std::string::npos) << seen[1];
  EXPECT_GT(modules, 0) << "the running program's modules with versions";
  EXPECT_TRUE(IsWindowEnabled(Main().m_hWnd)) << "the frame takes input again";
}

// The two layouts of the user's files: beside the catalogue, or, on a
// terminal server, in a folder of the user's own on drive C.
struct LayoutCase {
  const char* name;
  bool terminalServer;
  const char* userIni;  // below the catalogue's folder, or below drive C
};

class ViewerLayouts : public ViewerSessionTest, public ::testing::WithParamInterface<LayoutCase> {
 protected:
  void SetUp() override {
    ViewerSessionTest::SetUp();
    if (GetParam().terminalServer)
      registry.Write("registry.txt",
                     "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]\n"
                     "ProductSuite=multi:Terminal Server\n");
    setenv("VARNO_REGISTRY", (registry.Path() + "/registry.txt").c_str(), 1);
    layer::SetDriveFolder('C', drive.Path());
    // As beside the catalogue, the user's settings file is there, empty:
    // the ini reader would wait for a missing one in case another program
    // holds it.
    if (GetParam().terminalServer) {
      fs::create_directories(drive.Path() + "/VARNO4_CT/TS");
      drive.Write("VARNO4_CT/TS/varno4_user.ini", "");
    }
  }
  void TearDown() override {
    ViewerSessionTest::TearDown();
    layer::SetDriveFolder('C', "");
    unsetenv("VARNO_REGISTRY");
    theGlobals.m_is_terminal_server = FALSE;
  }
  layer::testing::TempFolder registry;
  layer::testing::TempFolder drive;
};

TEST_P(ViewerLayouts, StartShowsTheStartKeyAndTheEndKeepsTheUsersSettingsInPlace) {
  const LayoutCase& c = GetParam();
  const std::string catalogueIni = session->Folder() + "/varno4_user.ini";
  const auto catalogueIniSize = fs::file_size(catalogueIni);
  ASSERT_TRUE(session->Start()) << Told();
  EXPECT_EQ(theGlobals.m_is_terminal_server != FALSE, c.terminalServer);
  EXPECT_TRUE(IsWindowVisible(Main().m_hWnd));
  ASSERT_TRUE(ToTheMotor()) << Told();
  session->App().ExitInstance();
  const std::string root = c.terminalServer ? drive.Path() : session->Folder();
  ASSERT_TRUE(fs::exists(root + c.userIni)) << root + c.userIni;
  EXPECT_GT(fs::file_size(root + c.userIni), 0u) << "the settings kept for the user";
  if (c.terminalServer)
    EXPECT_EQ(fs::file_size(catalogueIni), catalogueIniSize) << "the catalogue folder's file is not this user's";
  EXPECT_EQ(Told(), "");
}

INSTANTIATE_TEST_SUITE_P(Machines, ViewerLayouts,
                         ::testing::Values(LayoutCase{"Plain", false, "/varno4_user.ini"},
                                           LayoutCase{"TerminalServer", true, "/VARNO4_CT/TS/varno4_user.ini"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
