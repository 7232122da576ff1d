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
#include "win32/Clock.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  bool answered;  // result file made
  bool answer;    // answer file there
  bool operator==(const Outcome&) const = default;
};

// A request: the command file's bytes, or none at all.
struct Request {
  bool withCommand;
  std::string key;
};

// Plays the client: each time its message comes it checks whether the server
// has taken the request it left (the control file is gone), notes the
// outcome, leaves the next one, and ends the server after the last.
class ScriptedClient {
 public:
  ScriptedClient(CViewerApp& server, std::string folder, std::vector<Request> requests)
      : m_server(server), m_folder(std::move(folder)), m_requests(std::move(requests)) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "VarnoScriptedClient";
    RegisterClass(&windowClass);
    m_window = CreateWindow("VarnoScriptedClient", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                            nullptr);
    SetWindowLongPtr(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PostMessage(m_window, WM_USER, 0, 0);
  }
  ~ScriptedClient() { DestroyWindow(m_window); }

  std::vector<Outcome> outcomes;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_USER) return DefWindowProc(window, message, wParam, lParam);
    reinterpret_cast<ScriptedClient*>(GetWindowLongPtr(window, GWLP_USERDATA))->Step();
    return 0;
  }
  void Step() {
    if (m_next > 0 && fs::exists(m_folder + "control.iv4")) {  // not taken yet
      PostMessage(m_window, WM_USER, 0, 0);
      return;
    }
    if (m_next > 0) outcomes.push_back({fs::exists(m_folder + "result.iv4"), fs::exists(m_folder + "answer.iv4")});
    if (m_next == m_requests.size()) {
      m_server.m_internet_wait = 0;  // "Beenden"
      return;
    }
    const Request& request = m_requests[m_next++];
    fs::remove(m_folder + "result.iv4");
    fs::remove(m_folder + "command.iv4");
    if (request.withCommand) {
      CDynBuf variables;
      theGlobals.m_pvar->WriteUserVars(variables);
      std::ofstream(m_folder + "command.iv4", std::ios::binary)
          << std::string(static_cast<const char*>(variables), variables.GetLength()) << std::string("\0{", 2)
          << request.key << std::string("\0|\0\0", 4);
    }
    std::ofstream(m_folder + "control.iv4");
    PostMessage(m_window, WM_USER, 0, 0);
  }

  CViewerApp& m_server;
  std::string m_folder;
  std::vector<Request> m_requests;
  size_t m_next = 0;
  HWND m_window = nullptr;
};

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
  EXPECT_EQ(Serve({{true, "MOT"}}), (std::vector<Outcome>{{true, true}}));
  EXPECT_FALSE(fs::exists(exchange / "control.iv4"));
  EXPECT_FALSE(Read("answer.iv4").empty());
  EXPECT_EQ(Read("varno4.iv4").rfind("answer.iv4\r\nvariable.iv4\r\n", 0), 0u);
  const std::string variables = Read("variable.iv4");
  ASSERT_GE(variables.size(), 2u);
  EXPECT_EQ(variables.substr(variables.size() - 2), std::string(2, '\0'));
  EXPECT_TRUE(dialog->shown.empty());
}

// A request the server cannot answer leaves no answer behind, so that the
// client's request fails; the server goes on with the next one.
TEST_F(InternetServerTest, BadRequestIsRefusedAndTheServerGoesOn) {
  EXPECT_EQ(Serve({{true, "MOT"}, {true, "NO_SUCH_KEY"}, {true, ""}, {false, ""}, {true, "ANT"}}),
            (std::vector<Outcome>{{true, true}, {false, false}, {false, false}, {false, false}, {true, true}}));
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
