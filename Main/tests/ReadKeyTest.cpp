// Reading keys of the sample catalogue as the viewer does: a key command
// posted to a frame window, the databases opened on first use, the key's
// stream in the current-key buffer.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CMultiFrame.h"
#include "Main/CNoteDlg.h"
#include "user/Dialogs.h"
#include "Main/tests/EngineFixture.h"
#include "Main/tests/OrderListStandIn.h"
#include "interfaces/QorDdm.h"
#include "win32/MessageBox.h"

namespace {

namespace fs = std::filesystem;

const std::string kGolden = std::string(VARNO_TEST_DATA) + "/../../catalogue/golden/";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), {});
}

std::string Stream(const CDynBuf& buffer) {
  return std::string(reinterpret_cast<const char*>(buffer.GetData()), static_cast<size_t>(buffer.GetLength()));
}

void Forget(DdmDbLink* link) {
  if (link == nullptr || link->dbc == nullptr) return;
  link->dbc->DdmDbDelete(1);
  link->dbc = nullptr;
}

class ReadKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.Load());
    delete theGlobals.m_perrdlg;
    dialog = new varno::testing::RecordingErrorDlg;
    theGlobals.m_perrdlg = dialog;
    // The reader opens the databases itself when the first key comes.
    for (DdmDbLink* link : {theGlobals.m_pdb, theGlobals.m_pstamm, theGlobals.m_pstamm2}) Forget(link);
    frame = new CMultiFrame;
    ASSERT_TRUE(frame->Create(nullptr, "VARNO 4"));
    app().m_hMainWnd = frame->m_hWnd;
    // The medium note, answered as the user would.
    previousHook = layer::SetModalHook([this](HWND note) {
      char text[512] = {};
      GetDlgItemText(note, CNoteDlg::IDC_TEXT, text, sizeof text);
      mediumAsked.emplace_back(text);
      const int answer = answers.empty() ? IDCANCEL : Answer();
      PostMessage(note, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    });
  }
  void TearDown() override {
    layer::SetModalHook(previousHook);
    frame->DestroyWindow();  // the frame deletes itself
    CWV4Globals& g = theGlobals;
    for (CString* text : {&g.m_cur_prj_key, &g.m_cur_read_key, &g.m_cur_key_name, &g.m_new_key_name,
                          &g.m_notiz_name, &g.m_tmpkey})
      text->Empty();
    g.m_act_key_buf.Empty();
    g.m_IsPopup = FALSE;
    g.m_internet_mode = kInternetNormal;
  }

  CViewerApp& app() { return installation.app; }

  void Show(const char* key, WPARAM fromLink = 0) {
    ASSERT_TRUE(PostKeyCommand(app().m_hMainWnd, fromLink, key));
    layer::PumpUntilIdle();
  }

  // The codes of the reports, in order, taken from their detail texts.
  std::vector<int> Reported() const {
    std::vector<int> codes;
    for (const auto& shown : dialog->shown) {
      const std::string& detail = shown.second;
      const size_t close = detail.rfind(']');
      const size_t open = detail.rfind('[', close);
      codes.push_back(std::stoi(detail.substr(open + 1, close - open - 1)));
    }
    return codes;
  }

  int Answer() {
    const auto answer = answers.front();
    answers.erase(answers.begin());
    return answer();
  }

  // A copy of a database file of the installation, which the test can take
  // away and bring back as a medium would go and come.
  std::string CopyOf(const char* file, const std::string& into) {
    fs::create_directories(fs::path(into).parent_path());
    fs::copy_file(std::string(VARNO_CATALOGUE_DIR) + "/data/" + file, into, fs::copy_options::overwrite_existing);
    return into;
  }

  layer::testing::TempFolder user;
  varno::catalogue::Installation installation{VARNO_CATALOGUE_DIR, user.Path()};
  varno::testing::RecordingErrorDlg* dialog = nullptr;
  CMultiFrame* frame = nullptr;
  layer::ModalHook previousHook;
  std::vector<std::string> mediumAsked;
  std::vector<std::function<int()>> answers;  // the medium dialog's answers, one per showing
};

TEST_F(ReadKeyTest, KeyCommandReadsTheKeysStreamThroughTheCatalogue) {
  struct Case {
    const char* key;
    const char* golden;
    const char* name;
  };
  const Case cases[] = {
      {"START", "START", "Baugruppen"},
      {"MOT", "MOT", "Motor"},
      {"ANT", "ANT", "Antrieb"},
  };
  ::testing::internal::CaptureStderr();
  for (const Case& c : cases) {
    theGlobals.m_IsPopup = TRUE;  // what the key before left; no key of the sample is a pop-up
    Show(c.key);
    EXPECT_EQ(Stream(theGlobals.m_act_key_buf), ReadFile(kGolden + c.golden + ".tags")) << c.key;
    EXPECT_STREQ(theGlobals.m_cur_prj_key, c.key);
    EXPECT_STREQ(theGlobals.m_cur_key_name, c.name);
    EXPECT_FALSE(theGlobals.m_IsPopup) << c.key;
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("teile2"), std::string::npos) << "the missing companion is no failure to tell:\n" << said;
  // Opened on the first key and kept; the look-up is over. The sample parts
  // master has no companion, which is no error.
  ASSERT_NE(theGlobals.m_pdb->dbc, nullptr);
  EXPECT_EQ(theGlobals.m_pdb->max_lines, 0);
  ASSERT_NE(theGlobals.m_pstamm, nullptr);
  EXPECT_NE(theGlobals.m_pstamm->dbc, nullptr);
  ASSERT_NE(theGlobals.m_pstamm2, nullptr);
  EXPECT_EQ(theGlobals.m_pstamm2->dbc, nullptr);
  EXPECT_TRUE(dialog->shown.empty());
  EXPECT_TRUE(mediumAsked.empty());
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ReadKeyTest, MissingKeyIsReportedAndTheLastKeyShownAgain) {
  Show("MOT");
  Show("NOPE", 1);
  EXPECT_EQ(Reported(), std::vector<int>{374});
  EXPECT_TRUE(mediumAsked.empty());  // the catalogue file is there
  EXPECT_STREQ(theGlobals.m_cur_prj_key, "MOT");
  EXPECT_EQ(Stream(theGlobals.m_act_key_buf), ReadFile(kGolden + "MOT.tags"));
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ReadKeyTest, FailedRenderingKeepsTheLastStreamAndStillReadsTheKeysVariables) {
  Show("MOT");
  const std::string shown = Stream(theGlobals.m_act_key_buf);
  theGlobals.m_new_key_name = "Motor";
  theGlobals.m_IsPopup = TRUE;
  theGlobals.m_pvar->SetVar("VARNO_DEF", VarValue::Text((user / "no descriptions").c_str()), VAR_CHAR);

  EXPECT_FALSE(app().ReadKey("ANT"));
  EXPECT_EQ(Reported().back(), 376);
  EXPECT_EQ(Stream(theGlobals.m_act_key_buf), shown);
  EXPECT_EQ(theGlobals.m_pdb->max_lines, 0);
  // The description failed after it had named the key.
  EXPECT_STREQ(theGlobals.m_new_key_name, "Antrieb");
  EXPECT_FALSE(theGlobals.m_IsPopup);
  EXPECT_EQ(theGlobals.m_error_trace_newest, nullptr);
}

TEST_F(ReadKeyTest, MissingMediumIsAskedForUntilItIsBackOrTheUserGivesUp) {
  CWV4Globals& g = theGlobals;
  const std::string catalogue = user / "medium/katalog.ddm";
  g.m_database = catalogue.c_str();
  auto bringBack = [&] {
    CopyOf("katalog.ddm", catalogue);
    return IDOK;
  };
  auto stillAway = [] { return IDOK; };

  // The catalogue cannot be opened: asked for until it is there.
  answers = {stillAway, bringBack};
  EXPECT_TRUE(app().ReadKey("MOT"));
  EXPECT_EQ(mediumAsked.size(), 2u);
  EXPECT_EQ(Stream(g.m_act_key_buf), ReadFile(kGolden + "MOT.tags"));

  // The medium goes while the catalogue is open: a key that is not found
  // asks for it, and once it is back the key is looked up again.
  fs::remove(catalogue);
  answers = {bringBack};
  EXPECT_FALSE(app().ReadKey("NOPE"));
  EXPECT_EQ(mediumAsked.size(), 3u);
  EXPECT_EQ(Reported(), std::vector<int>{374});

  // Giving up closes the catalogue, which the next key opens again.
  fs::remove(catalogue);
  EXPECT_FALSE(app().ReadKey("NOPE"));
  EXPECT_EQ(g.m_pdb->dbc, nullptr);
  EXPECT_FALSE(app().ReadKey("MOT"));
  EXPECT_EQ(Reported(), (std::vector<int>{374, 372, 372}));
  EXPECT_EQ(mediumAsked.size(), 5u);
  EXPECT_EQ(Stream(g.m_act_key_buf), ReadFile(kGolden + "MOT.tags"));

  // A parts master that stays away.
  CopyOf("katalog.ddm", catalogue);
  Forget(g.m_pstamm);
  g.m_teilestamm = (user / "gone/teile.ddm").c_str();
  EXPECT_FALSE(app().ReadKey("MOT"));
  EXPECT_EQ(Reported().back(), 466);
  EXPECT_EQ(g.m_error_trace_newest, nullptr);
}

TEST_F(ReadKeyTest, CompanionOfThePartsMasterIsCutAtTheFileNamesFirstDot) {
  CWV4Globals& g = theGlobals;
  // A dot in a folder name does not count.
  const std::string folder = user / "cat.2026";
  g.m_teilestamm = CopyOf("teile.ddm", folder + "/teile.old.ddm").c_str();
  CopyOf("teile.ddm", folder + "/teile2.ddm");
  Forget(g.m_pstamm);
  g.m_cache_stamm_pointer2 = TRUE;
  EXPECT_TRUE(app().ReadKey("MOT"));
  ASSERT_NE(g.m_pstamm2->dbc, nullptr);
  EXPECT_EQ(g.m_pstamm2->dbc->DdmDbFindKey("RM-1001"), 1);
  g.m_cache_stamm_pointer2 = FALSE;
  EXPECT_TRUE(dialog->shown.empty());
}

TEST_F(ReadKeyTest, KeyOfAnotherProjectLoadsItAndAnnouncesItsPartsMaster) {
  varno::testing::OrderListStandIn orderList;
  app().m_prot_pid = GetCurrentProcessId();
  Show("START");
  EXPECT_TRUE(orderList.copies.empty());  // the same project: nothing to announce

  // The key of another project, as a link of a second catalogue would name it.
  theGlobals.m_cur_prj = "alt";
  theGlobals.m_teilestamm.Empty();
  Show("rm46~MOT", 1);
  EXPECT_STREQ(theGlobals.m_cur_prj, "rm46");
  EXPECT_EQ(Stream(theGlobals.m_act_key_buf), ReadFile(kGolden + "MOT.tags"));
  ASSERT_FALSE(orderList.copies.empty());
  const auto& announced = orderList.copies.back();
  EXPECT_EQ(announced.code, static_cast<ULONG_PTR>(PROTOCOL_CMD_PARTS_DATABASE));
  EXPECT_EQ(announced.bytes, std::string(theGlobals.m_teilestamm) + '\0');
  EXPECT_NE(announced.bytes.find("teile.ddm"), std::string::npos);
  EXPECT_TRUE(dialog->shown.empty());
}

}  // namespace
