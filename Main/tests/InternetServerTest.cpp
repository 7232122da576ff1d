// The internet server on the sample catalogue: a scripted client leaves its
// requests in the server folder while the server loop runs, one after the
// other, and notes what each left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/tests/EngineFixture.h"
#include "Main/tests/InternetScriptedClient.h"
#include "win32/Clock.h"

namespace fs = std::filesystem;

namespace {

using varno::testing::Outcome;
using varno::testing::Request;
using varno::testing::ScriptedClient;

class InternetServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.Load());
    delete theGlobals.m_perrdlg;
    dialog = new varno::testing::RecordingErrorDlg;
    theGlobals.m_perrdlg = dialog;
    layer::InstallClock(&clock);
    theGlobals.m_internet_mode = kInternetServer;
    theGlobals.m_exchange_dir_server = (exchange.Path() + "/").c_str();
  }
  void TearDown() override {
    layer::InstallClock(nullptr);
    theGlobals.m_internet_mode = kInternetNormal;
    theGlobals.m_exchange_dir_server = "C:\\IV4\\";
    theGlobals.m_tmpkey.Empty();
  }
  std::vector<Outcome> Serve(std::vector<Request> requests) {
    ScriptedClient client(installation.app, exchange.Path() + "/", std::move(requests));
    installation.app.m_internet_wait = 1;
    installation.app.RunInternetServer();
    return client.outcomes;
  }
  std::string Read(const char* name) {
    std::ifstream file(exchange / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
  }

  layer::testing::TempFolder user;
  layer::testing::TempFolder exchange;
  varno::catalogue::Installation installation{VARNO_CATALOGUE_DIR, user.Path()};
  varno::testing::RecordingErrorDlg* dialog = nullptr;
  layer::ManualClock clock;
};

TEST_F(InternetServerTest, AnswersEachRequestWithTheKeysFiles) {
  EXPECT_EQ(Serve({{true, "MOT"}}), (std::vector<Outcome>{{true, true, true}}));
  EXPECT_FALSE(fs::exists(exchange / "control.iv4"));
  EXPECT_FALSE(Read("answer.iv4").empty());
  EXPECT_EQ(Read("varno4.iv4").rfind("answer.iv4\r\nvariable.iv4\r\n", 0), 0u);
  const std::string variables = Read("variable.iv4");
  ASSERT_GE(variables.size(), 2u);
  EXPECT_EQ(variables.substr(variables.size() - 2), std::string(2, '\0'));
  EXPECT_TRUE(dialog->shown.empty());
}

// A request the server cannot answer (an unknown key, an empty one, no
// command file) leaves no answer behind, so that the client's request fails,
// but it is finished like any other, so that the client learns of it at
// once; the server goes on with the next one.
TEST_F(InternetServerTest, BadRequestIsRefusedAndTheServerGoesOn) {
  EXPECT_EQ(Serve({{true, "MOT"}, {true, "NO_SUCH_KEY"}, {true, ""}, {false, ""}, {true, "ANT"}}),
            (std::vector<Outcome>{
                {true, true, true}, {true, false, false}, {true, false, false}, {true, false, false}, {true, true, true}}));
  EXPECT_TRUE(dialog->shown.empty());  // logged only: nobody sits at a server
}

TEST_F(InternetServerTest, ServerWithoutItsCatalogueEndsAtOnce) {
  theGlobals.m_pdb->dbc->DdmDbDelete(1);
  theGlobals.m_pdb->dbc = nullptr;
  const CString database = theGlobals.m_database;
  theGlobals.m_database = (exchange / "missing.ddm").c_str();
  installation.app.m_internet_wait = 1;
  installation.app.RunInternetServer();  // returns without a client ever asking
  ASSERT_EQ(dialog->shown.size(), 1u);
  EXPECT_NE(dialog->shown[0].second.find("372"), std::string::npos);
  theGlobals.m_database = database;
}

}  // namespace
