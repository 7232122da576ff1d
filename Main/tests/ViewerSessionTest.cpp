// A user's session with the viewer on the sample catalogue: through to an
// assembly and back, the picture zoomed, the languages switched, the about
// box with its version overview, on a plain machine and on a terminal server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Main/CAboutDlg.h"
#include "Main/CDynLog.h"
#include "Main/CImage.h"
#include "Main/CPicView.h"
#include "Main/CVersionDlg.h"
#include "Main/tests/ProgramFixture.h"
#include "user/Dialogs.h"
#include "user/Menus.h"
#include "win32/Paths.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT COMMAND_BACK = 305;
constexpr UINT COMMAND_HOME = 304;
constexpr UINT COMMAND_ABOUT = 312;
constexpr UINT COMMAND_ZOOM_START = 316;
constexpr UINT COMMAND_ZOOM_WHOLE = 317;
constexpr UINT COMMAND_ZOOM_PART = 318;
constexpr UINT PROGRAM_GERMAN = 400;
constexpr UINT PROGRAM_ENGLISH = 401;
constexpr UINT DATA_ENGLISH = 431;

class ViewerSessionTest : public varno::testing::ProgramFixture {
 protected:
  std::string MenuBarText(int position) {
    char text[128] = {};
    GetMenuString(GetMenu(Main().m_hWnd), static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
  }
  std::string HomeTip() {
    CWV4ToolBar& bar = Main().GetToolBar();
    return static_cast<const char*>(bar.GetTipText(bar.CommandToIndex(COMMAND_HOME)));
  }
  CPicView* MotorPicture() {
    CFrame* notes = Frame("Hinweis");
    if (notes == nullptr || notes->m_child_count == 0) return nullptr;
    CImage* image = notes->m_children[notes->m_child_count - 1].Picture();
    return image != nullptr ? image->GetPicView() : nullptr;
  }
};

TEST_F(ViewerSessionTest, StartShowsTheStartKeyWithMenuToolbarAndStatusBar) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(ShownKey(), "START");
  EXPECT_TRUE(App().m_start_completed);
  EXPECT_EQ(MenuBarText(0), "&Suchen");
  EXPECT_TRUE(Main().GetToolBar().GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(Main().GetStatusBar().GetStyle() & WS_VISIBLE);
  EXPECT_EQ(std::string(Main().GetPaneText(3)), "D");
  EXPECT_EQ(std::string(Main().GetPaneText(4)), "D");
  EXPECT_TRUE(errors->shown.empty()) << ErrorsShown();
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ViewerSessionTest, ClickThroughToAnAssemblyAndBackThroughTheHistory) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(ClickThroughToTheMotor()) << ShownKey() << "\n" << ErrorsShown();
  EXPECT_EQ(theGlobals.m_phistory->GetCount(), 1);
  EXPECT_NE(Frame("Teile"), nullptr) << "the assembly's parts table";

  Command(COMMAND_BACK);
  EXPECT_EQ(ShownKey(), "START");
  EXPECT_EQ(theGlobals.m_phistory->GetCount(), 0);
  ASSERT_TRUE(ClickThroughToTheMotor());

  // Home forgets the way there.
  Command(COMMAND_HOME);
  EXPECT_EQ(ShownKey(), "START");
  EXPECT_EQ(theGlobals.m_phistory->GetCount(), 0);
  // Back with an empty history stays at the start.
  Command(COMMAND_BACK);
  EXPECT_EQ(ShownKey(), "START");
  EXPECT_TRUE(errors->shown.empty()) << ErrorsShown();
}

TEST_F(ViewerSessionTest, TheAssemblysPictureIsZoomedByCommandAndRubberBand) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(ClickThroughToTheMotor());
  CPicView* picture = MotorPicture();
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
  layer::PumpUntilIdle();
  EXPECT_FALSE(picture->IsZoomMode());
  EXPECT_EQ(picture->GetZoom(), -1);
  EXPECT_GT(picture->ScrollSize().cx, whole.cx);
  Command(COMMAND_ZOOM_WHOLE);
  EXPECT_EQ(picture->ScrollSize(), whole);
}

TEST_F(ViewerSessionTest, ProgramLanguageRetextsMenuToolTipsAndPane) {
  ASSERT_TRUE(Start());
  ASSERT_EQ(HomeTip(), "VARNO 4 Hinweis");
  Command(PROGRAM_ENGLISH);
  EXPECT_STREQ(theGlobals.m_prg_language, "GB");
  EXPECT_EQ(MenuBarText(0), "&Search");
  EXPECT_EQ(HomeTip(), "VARNO 4 note");
  EXPECT_EQ(std::string(Main().GetPaneText(3)), "GB");
  EXPECT_EQ(std::string(Main().GetPaneText(4)), "D") << "the catalogue's language stays";
  EXPECT_EQ(ShownKey(), "START");

  Command(PROGRAM_GERMAN);
  EXPECT_EQ(MenuBarText(0), "&Suchen");
  EXPECT_EQ(HomeTip(), "VARNO 4 Hinweis");
  EXPECT_EQ(std::string(Main().GetPaneText(3)), "D");
}

// The sample installation names no order-list program: switching the
// catalogue's language has nobody to tell and shows no error for that.
TEST_F(ViewerSessionTest, DataLanguageShowsTheKeyAgainInTheOtherLanguage) {
  ASSERT_TRUE(Start());
  ASSERT_TRUE(ClickThroughToTheMotor());
  Command(DATA_ENGLISH);
  EXPECT_STREQ(theGlobals.m_language, "GB");
  EXPECT_EQ(std::string(Main().GetPaneText(4)), "GB");
  EXPECT_EQ(std::string(Main().GetPaneText(3)), "D");
  EXPECT_EQ(ShownKey(), "MOT") << "the same key, in the other language";
  EXPECT_TRUE(errors->shown.empty()) << ErrorsShown();
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ViewerSessionTest, AboutBoxOpensTheVersionOverview) {
  ASSERT_TRUE(Start());
  std::vector<std::string> titles;
  int modules = -1;
  const layer::ModalHook previous = layer::SetModalHook([&](HWND window) {
    char title[128] = {};
    GetWindowText(window, title, sizeof title);
    titles.emplace_back(title);
    if (titles.size() == 1) {
      char project[128] = {};
      GetDlgItemText(window, CAboutDlg::IDC_PROJECT, project, sizeof project);
      titles.emplace_back(project);
      SendMessage(window, WM_COMMAND, CAboutDlg::IDC_VERSIONS, 0);
      EndDialog(window, IDOK);
    } else {
      modules = static_cast<int>(SendDlgItemMessage(window, CVersionDlg::IDC_LIST, LVM_GETITEMCOUNT, 0, 0));
      EndDialog(window, IDOK);
    }
  });
  Command(COMMAND_ABOUT);
  layer::SetModalHook(previous);
  ASSERT_EQ(titles.size(), 3u) << "the about box, its project line, the version overview";
  EXPECT_NE(titles[1].find("Rasenmaeher RM 46"), std::string::npos) << titles[1];
  EXPECT_GT(modules, 0) << "the running program's modules with versions";
  EXPECT_TRUE(IsWindowEnabled(Main().m_hWnd)) << "the frame takes input again";
}

// The two layouts of the user's files: beside the catalogue, or, on a
// terminal server, in a folder of the user's own on drive C.
struct LayoutCase {
  const char* name;
  bool terminalServer;
  const char* userIni;  // below the catalogue folder, or below drive C
};

class ViewerLayouts : public ViewerSessionTest, public ::testing::WithParamInterface<LayoutCase> {
 protected:
  void SetUp() override {
    ViewerSessionTest::SetUp();
    const std::string registry = registryFolder.Path() + "/registry.txt";
    if (GetParam().terminalServer)
      registryFolder.Write("registry.txt",
                           "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\ProductOptions]\n"
                           "ProductSuite=multi:Terminal Server\n");
    setenv("VARNO_REGISTRY", registry.c_str(), 1);
    layer::SetDriveFolder('C', drive.Path());
  }
  void TearDown() override {
    ViewerSessionTest::TearDown();
    layer::SetDriveFolder('C', "");
    unsetenv("VARNO_REGISTRY");
    theGlobals.m_is_terminal_server = FALSE;
  }
  layer::testing::TempFolder registryFolder;
  layer::testing::TempFolder drive;
};

TEST_P(ViewerLayouts, StartShowsTheStartKeyAndTheEndKeepsTheUsersSettingsInPlace) {
  const LayoutCase& c = GetParam();
  ASSERT_TRUE(Start()) << ErrorsShown();
  EXPECT_EQ(theGlobals.m_is_terminal_server != FALSE, c.terminalServer);
  EXPECT_TRUE(IsWindowVisible(Main().m_hWnd));
  EXPECT_EQ(ShownKey(), "START");
  ASSERT_TRUE(ClickThroughToTheMotor());
  App().ExitInstance();
  const std::string root = c.terminalServer ? drive.Path() : folder.Path();
  EXPECT_TRUE(fs::exists(root + c.userIni)) << root + c.userIni;
  if (c.terminalServer)
    EXPECT_EQ(fs::file_size(folder.Path() + "/varno4_user.ini"), 0u)
        << "a terminal server's users leave the catalogue folder's file alone";
  EXPECT_TRUE(errors->shown.empty()) << ErrorsShown();
}

INSTANTIATE_TEST_SUITE_P(Machines, ViewerLayouts,
                         ::testing::Values(LayoutCase{"Plain", false, "/varno4_user.ini"},
                                           LayoutCase{"TerminalServer", true, "/VARNO4_CT/TS/varno4_user.ini"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
