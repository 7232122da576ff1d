// The viewer's start with its windows, run on a copy of the sample
// catalogue in the way the program runs: its folder is the current folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CLogFile.h"
#include "Main/CStartDlg.h"
#include "Main/CWV4Globals.h"
#include "Main/KeyCommand.h"
#include "Main/tests/EngineFixture.h"
#include "Main/tests/ViewerSession.h"
#include "mfc/CFrameWnd.h"
#include "testing/TempFolder.h"
#include "user/Menus.h"
#include "win32/Clock.h"
#include "win32/MessageBox.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT COMMAND_HOME = 304;

class ProgramStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = std::make_unique<varno::testing::ViewerSession>();
    delete theGlobals.m_perrdlg;
    errors = new varno::testing::RecordingErrorDlg;
    theGlobals.m_perrdlg = errors;
    previousPresenter = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      boxes.emplace_back(text);
      return IDOK;
    });
  }

  void TearDown() override {
    layer::SetMessageBoxPresenter(previousPresenter);
    session.reset();
  }

  CViewerApp& app() { return session->App(); }

  // Sets key of the main ini's section SYSTEM, as an installer would; null
  // removes it.
  void SetMainIni(const std::string& key, const char* value) {
    const fs::path ini = session->Folder() + "/varno4.ini";
    std::ifstream in(ini, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    const std::regex line("(^|\n)" + key + "=[^\r\n]*");
    const std::string entry = value != nullptr ? key + "=" + value : std::string();
    std::string changed = std::regex_replace(text.str(), line, "$1" + entry);
    if (changed == text.str() && value != nullptr)
      changed = std::regex_replace(changed, std::regex("\\[SYSTEM\\]"), "[SYSTEM]\r\n" + entry);
    std::ofstream(ini, std::ios::binary) << changed;
  }

  // The commands, key commands and closes posted to the main window, their
  // keys handed back.
  std::vector<MSG> TakeMainWindowMessages() {
    std::vector<MSG> taken;
    MSG msg;
    for (UINT message : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE), KeyCommandMessageId()}) {
      while (PeekMessage(&msg, app().m_hMainWnd, message, message, PM_REMOVE)) {
        if (msg.message == KeyCommandMessageId()) TakeKeyCommandKey(msg.lParam);
        taken.push_back(msg);
      }
    }
    return taken;
  }

  static bool HomeCommandIn(const std::vector<MSG>& messages) {
    for (const MSG& msg : messages)
      if (msg.message == WM_COMMAND && LOWORD(msg.wParam) == COMMAND_HOME) return true;
    return false;
  }

  std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowText(window, text, sizeof text);
    return text;
  }

  std::unique_ptr<varno::testing::ViewerSession> session;
  varno::testing::RecordingErrorDlg* errors = nullptr;
  std::vector<std::string> boxes;
  layer::MessageBoxPresenter previousPresenter;
};

TEST_F(ProgramStartTest, SampleCatalogueStartsWithBothFramesAndAsksForHome) {
  ASSERT_TRUE(app().InitInstance());
  const HWND main = app().m_hMainWnd;
  ASSERT_TRUE(IsWindow(main));
  EXPECT_EQ(app().m_pMainWnd != nullptr ? app().m_pMainWnd->m_hWnd : nullptr, main);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(WindowText(main), "VARNO 4");
  EXPECT_EQ(GetMenu(main), nullptr) << "the catalogue's menus replace the resource's";
  ASSERT_TRUE(IsWindow(app().m_hPopupWnd));
  EXPECT_FALSE(IsWindowVisible(app().m_hPopupWnd));
  EXPECT_FALSE(theGlobals.m_show_toolbar);
  EXPECT_TRUE(theGlobals.m_FirstStart);
  EXPECT_EQ(app().m_pStartDlg, nullptr) << "the start note is gone once the frames stand";
  EXPECT_TRUE(HomeCommandIn(TakeMainWindowMessages()));
  // The sample installation names no order-list program: no box for it.
  EXPECT_TRUE(errors->shown.empty()) << (errors->shown.empty() ? "" : errors->shown[0].first + " / " + errors->shown[0].second);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ProgramStartTest, NamedOrderListProgramThatDoesNotStartIsReportedAndTheStartGoesOn) {
  SetMainIni("Protocol", "9");  // no such entry in the list of external programs
  ASSERT_TRUE(app().InitInstance());
  ASSERT_EQ(errors->shown.size(), 1u);
  EXPECT_NE(errors->shown[0].second.find("[310]"), std::string::npos) << errors->shown[0].second;
  EXPECT_TRUE(IsWindowVisible(app().m_hMainWnd));
}

// The main frame cannot stand without its toolbar: the start ends with the
// frame's error, and no window is left behind.
TEST_F(ProgramStartTest, MainFrameWithoutItsToolbarEndsTheStart) {
  SetMainIni("Buttons", "VARNO+\"\\fehlt.btn\"");
  SetMainIni("Protocol", nullptr);  // none to outlive the start
  EXPECT_FALSE(app().InitInstance());
  EXPECT_EQ(app().m_hMainWnd, nullptr);
  ASSERT_FALSE(errors->shown.empty());
  EXPECT_NE(errors->shown.back().second.find("[311]"), std::string::npos) << errors->shown.back().second;
}

struct FirstKeyCase {
  const char* name;
  const char* firstStart;
  const char* wait;
  DWORD slept;
  bool home;
  const char* shownKey;  // the key on the screen before home
};

class FirstKeyTest : public ProgramStartTest, public ::testing::WithParamInterface<FirstKeyCase> {};

TEST_P(FirstKeyTest, FirstStartKeyAndPauseBeforeHome) {
  const FirstKeyCase& c = GetParam();
  SetMainIni("FirstStart", c.firstStart);
  SetMainIni("WaitFirstStart", c.wait);
  layer::ManualClock clock;
  layer::ScopedClock scoped(clock);
  ASSERT_TRUE(app().InitInstance());
  EXPECT_EQ(clock.SleptMilliseconds(), c.slept);
  EXPECT_EQ(HomeCommandIn(TakeMainWindowMessages()), c.home);
  EXPECT_STREQ(theGlobals.m_cur_prj_key, c.shownKey);
  EXPECT_TRUE(theGlobals.m_FirstStart) << "only the first key command completes the start";
}

INSTANTIATE_TEST_SUITE_P(
    Settings, FirstKeyTest,
    ::testing::Values(FirstKeyCase{"NeitherSet", "", "", 0, true, ""},
                      FirstKeyCase{"PauseOnly", "", "2000", 2000, true, ""},
                      FirstKeyCase{"FirstStartKeyWithoutPause", "MOT", "", 0, false, "MOT"},
                      FirstKeyCase{"FirstStartKeyThenHome", "MOT", "0", 0, true, "MOT"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramStartTest, ServerStartsHiddenAndHandsTheFirstKeyCommandToTheServer) {
  SetMainIni("Internet", "2");
  ASSERT_TRUE(app().InitInstance());
  EXPECT_FALSE(IsWindowVisible(app().m_hMainWnd));
  EXPECT_TRUE(IsWindow(app().m_hPopupWnd));
  const std::vector<MSG> waiting = TakeMainWindowMessages();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(waiting[0].message, KeyCommandMessageId());
  EXPECT_EQ(waiting[0].wParam, 0u);
  EXPECT_FALSE(theGlobals.m_FirstStart);
  EXPECT_EQ(app().m_prot_msg, 0u) << "a server has no order-list program";
  EXPECT_EQ(app().m_buttons_frm.count, 0) << "nor toolbars";
}

struct StartFailure {
  const char* name;
  const char* key;  // null: the main ini is gone
  const char* value;
  const char* box;  // the start of the box's text
};

class StartFailureTest : public ProgramStartTest, public ::testing::WithParamInterface<StartFailure> {};

TEST_P(StartFailureTest, StartEndsWithItsBoxAndNoWindow) {
  if (GetParam().key != nullptr) SetMainIni(GetParam().key, GetParam().value);
  else fs::remove(session->Folder() + "/varno4.ini");
  EXPECT_FALSE(app().InitInstance());
  EXPECT_EQ(app().m_hMainWnd, nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind(GetParam().box, 0), 0u) << boxes[0];
}

INSTANTIATE_TEST_SUITE_P(
    Installations, StartFailureTest,
    ::testing::Values(StartFailure{"ProjectMissing", "Project", "fehlt", "Projektdatei "},
                      StartFailure{"ProjectNotNamed", "Project", nullptr, "Projektdatei "},
                      StartFailure{"MainIniGone", nullptr, nullptr,
                                   "Fehler in der Ini-Datei : Projekt kann nicht gelesen werden !"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramStartTest, ExitMessageOfTheThreadClosesTheMainWindow) {
  ASSERT_TRUE(app().InitInstance());
  TakeMainWindowMessages();
  PostThreadMessage(GetCurrentThreadId(), ExitMessageId(), 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessage(&msg, nullptr, ExitMessageId(), ExitMessageId(), PM_REMOVE));
  EXPECT_TRUE(app().PreTranslateMessage(&msg));
  std::vector<MSG> waiting = TakeMainWindowMessages();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(waiting[0].message, static_cast<UINT>(WM_CLOSE));
}

TEST_F(ProgramStartTest, EndKeepsTheWindowPlaceForTheUser) {
  ASSERT_TRUE(app().InitInstance());
  theGlobals.m_window_size[0] = 640;
  theGlobals.m_window_size[1] = 480;
  app().ExitInstance();
  std::ifstream in(session->Folder() + "/varno4_user.ini", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("WindowSize=640,480"), std::string::npos) << text.str();
}

// A viewer that ends before its first key has not looked for the order-list
// program's window yet: it does so at its end, and the program ends with it.
TEST_F(ProgramStartTest, OrderListProgramEndsWithAViewerEndedBeforeItsFirstKey) {
  ASSERT_TRUE(app().InitInstance());
  ASSERT_NE(app().m_prot_pid, 0u) << "the sample installation names its order-list program";
  HANDLE orderList = OpenProcess(SYNCHRONIZE, FALSE, app().m_prot_pid);
  ASSERT_NE(orderList, nullptr);
  app().ExitInstance();
  EXPECT_EQ(WaitForSingleObject(orderList, 10000), WAIT_OBJECT_0);
  CloseHandle(orderList);
}

TEST_F(ProgramStartTest, StartNoteShowsTheLoadingTextOfTheProgramLanguage) {
  ASSERT_TRUE(app().InitInstance());
  CStartDlg note;
  ASSERT_TRUE(note.Open());
  EXPECT_TRUE(IsWindowVisible(note.m_hWnd));
  EXPECT_EQ(WindowText(note.m_hWnd), "VARNO 4 Hinweis");
  EXPECT_EQ(WindowText(GetDlgItem(note.m_hWnd, CStartDlg::IDC_TEXT)), "Bitte warten, VARNO 4 wird geladen ...");
  note.Close();
  EXPECT_EQ(note.m_hWnd, nullptr);
}

}  // namespace
