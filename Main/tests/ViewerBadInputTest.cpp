// The viewer started on an installation with a damaged or missing file: the
// user is told what is wrong in the program's words, and the viewer either
// runs on or ends without a window left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Main/CNoteDlg.h"
#include "Main/tests/ViewerSessionFixture.h"
#include "user/Dialogs.h"

namespace fs = std::filesystem;

namespace {

struct BadInput {
  const char* name;
  const char* file;      // below the installation's folder
  const char* contents;  // null: the file is removed
  bool runs;             // the viewer runs on with its main window
  const char* shownKey;  // the key on the screen then
  const char* told;      // a text the user is shown; empty: nothing is shown
  int mediumPrompts;     // how often the user is asked to put the medium back
};

class ViewerBadInput : public varno::testing::ViewerSessionFixture, public ::testing::WithParamInterface<BadInput> {
 protected:
  void SetUp() override {
    ViewerSessionFixture::SetUp();
    // The user gives up when asked for the catalogue's medium.
    previousHook = layer::SetModalHook([this](HWND window) {
      char text[256] = {};
      GetDlgItemText(window, CNoteDlg::IDC_TEXT, text, sizeof text);
      prompts.emplace_back(text);
      EndDialog(window, IDCANCEL);
    });
  }
  void TearDown() override {
    ViewerSessionFixture::TearDown();
    layer::SetModalHook(previousHook);
  }

  std::vector<std::string> prompts;
  layer::ModalHook previousHook;
};

TEST_P(ViewerBadInput, IsToldAndTheViewerRunsOnOrEndsCleanly) {
  const BadInput& c = GetParam();
  const fs::path file = fs::path(session->Folder()) / c.file;
  if (c.contents == nullptr) fs::remove(file);
  else std::ofstream(file, std::ios::binary | std::ios::trunc) << c.contents;

  CViewerApp& app = session->App();
  const bool started = app.InitInstance() != FALSE;
  session->Pump();
  const bool runs = started && app.m_hMainWnd != nullptr && IsWindow(app.m_hMainWnd);
  EXPECT_EQ(runs, c.runs) << Told();
  if (c.runs) EXPECT_STREQ(theGlobals.m_cur_prj_key, c.shownKey) << Told();
  else EXPECT_EQ(app.m_hMainWnd, nullptr) << "no window is left behind";
  if (*c.told == '\0') EXPECT_EQ(Told(), "");
  else EXPECT_NE(Told().find(c.told), std::string::npos) << Told();
  ASSERT_EQ(static_cast<int>(prompts.size()), c.mediumPrompts);
  for (const std::string& prompt : prompts)
    EXPECT_EQ(prompt, "Bitte legen Sie den Katalog RM46-2026 ein.") << "the medium by its name";
}

INSTANTIATE_TEST_SUITE_P(
    Installations, ViewerBadInput,
    ::testing::Values(
        BadInput{"MainIniWithoutItsSystemSection", "varno4.ini", "\x01\x02garbage\r\n[OTHER]\r\nProject=rm46\r\n",
                 false, "", "Projektdatei ", 0},
        BadInput{"MainIniNamesNoProjectFile", "varno4.ini", "[SYSTEM]\r\nProject=..\r\n", false, "",
                 "Projektdatei ", 0},
        BadInput{"ProjectFileGarbled", "rm46.prj", "\xff\xfe\x00garbage without sections", false, "", "[308]", 0},
        BadInput{"MenuFileGarbled", "menue.ini", "[MAIN]\r\n2100=[MAIN]\r\n2110=42\r\nno entry at all\r\n", true,
                 "START", "", 0},
        BadInput{"MenuFileMissing", "menue.ini", nullptr, true, "START", "", 0},
        // Without its toolbar the main frame is not made: the start ends.
        BadInput{"ButtonFileGarbled", "haupt.btn", "16,15\r\n0,0,3,304,\"home.bmp\r\nnonsense\r\n", false, "",
                 "[311]", 0},
        BadInput{"ButtonBitmapCutShort", "home.bmp", "BM\x36\x00", true, "START", "[204]", 0},
        // The user gives up for the start key and for the fall-back to it;
        // the window stays for another try.
        BadInput{"CatalogueMediumGone", "data/katalog.ddm", nullptr, true, "", "[372]", 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
