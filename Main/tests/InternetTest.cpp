// The internet modes: a client against a stand-in connection program, and
// the server loop answering requests that a scripted client leaves in its
// folder, on the sample catalogue.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CIV4Control.h"
#include "Main/CInternetDlg.h"
#include "Main/tests/EngineFixture.h"
#include "user/Dialogs.h"
#include "win32/Clock.h"
#include "win32/MessageBox.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The variable file as a server writes it: assignment code, then two zero bytes.
std::string VariableFile(const char* name, const char* value) {
  CWV4Var server;
  server.SetVar(name, VarValue::Text(value), VAR_CHAR);
  CDynBuf code;
  server.WriteUserVars(code);
  return std::string(static_cast<const char*>(code), code.GetLength()) + std::string(2, '\0');
}

std::string KeyStatement(const std::string& key) { return std::string("\0{", 2) + key + std::string("\0|\0\0", 4); }

// The connection program: a window of its class on a thread of its own,
// which answers the start-up messages and each fetch with the next reply of
// its list, after leaving that reply's files in the client folder. A fetch
// can be held until the test releases it.
class ConnectionStandIn {
 public:
  struct Fetch {
    LRESULT reply;
    std::string answer;     // empty: no answer file
    std::string variables;  // empty: no variable file
    bool held = false;
  };

  ConnectionStandIn(std::string folder, LRESULT hello, LRESULT online, std::vector<Fetch> fetches)
      : m_folder(std::move(folder)), m_hello(hello), m_online(online), m_fetches(std::move(fetches)) {
    m_thread = std::thread([this] { Loop(); });
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_window != nullptr; });
  }
  ~ConnectionStandIn() {
    Release();
    PostMessage(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
  }
  void Release() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_released = true;
    m_changed.notify_all();
  }
  int FetchCount() const { return m_fetched; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ConnectionStandIn*>(GetWindowLongPtr(window, GWLP_USERDATA));
    if (self != nullptr && message == kSkyfetchHello) return self->m_hello;
    if (self != nullptr && message == kSkyfetchOnline) return self->m_online;
    if (self != nullptr && message == kSkyfetchFetch) return self->Answer();
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProc(window, message, wParam, lParam);
  }
  LRESULT Answer() {
    const Fetch& fetch = m_fetches.at(static_cast<size_t>(m_fetched++));
    if (fetch.held) {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [this] { return m_released; });
    }
    for (const char* name : {"answer.iv4", "variable.iv4"}) fs::remove(m_folder + name);
    if (!fetch.answer.empty()) WriteFile(m_folder + "answer.iv4", fetch.answer);
    if (!fetch.variables.empty()) WriteFile(m_folder + "variable.iv4", fetch.variables);
    return fetch.reply;
  }
  void Loop() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "Skyfetch";
    RegisterClass(&windowClass);
    HWND window = CreateWindow("Skyfetch", "Skyfetch", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                               nullptr);
    SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_window = window;
      m_changed.notify_all();
    }
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
  }

  std::string m_folder;
  LRESULT m_hello;
  LRESULT m_online;
  std::vector<Fetch> m_fetches;
  std::atomic<int> m_fetched{0};
  std::thread m_thread;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  HWND m_window = nullptr;
  bool m_released = false;
};

class InternetClientTest : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    layer::InstallClock(&clock);
    theGlobals.m_exchange_dir_client = (folder.Path() + "/").c_str();
    theGlobals.m_internet_mode = kInternetClient;
    vars().SetVar("DATALANGUAGE", VarValue::Text("DE"), VAR_CHAR);
    vars().SetVar("HIDDEN", VarValue::Text("x"), VAR_CHAR | VAR_FLAG_SYSTEM);
    previous = layer::SetMessageBoxPresenter([this](HWND, const char* text, const char*, UINT) {
      boxes.emplace_back(text);
      return IDOK;
    });
  }
  void TearDown() override {
    layer::SetMessageBoxPresenter(previous);
    layer::InstallClock(nullptr);
    theGlobals.m_exchange_dir_client = "C:\\IV4\\";
    theGlobals.m_act_key_buf.Empty();
    ShellFixture::TearDown();
  }
  std::string Text(const char* name) {
    VarValue value;
    return vars().GetVar(name, &value) == VAR_CHAR ? std::string(value.text) : std::string("<none>");
  }
  std::vector<int> ReportedCodes() const {
    std::vector<int> codes;
    for (const auto& shown : dialog->shown) {
      const size_t close = shown.second.rfind(']');
      const size_t open = shown.second.rfind('[', close);
      codes.push_back(std::stoi(shown.second.substr(open + 1, close - open - 1)));
    }
    return codes;
  }

  layer::ManualClock clock;
  layer::testing::TempFolder folder;
  layer::MessageBoxPresenter previous;
  std::vector<std::string> boxes;
};

struct HandshakeCase {
  const char* name;
  LRESULT hello;
  LRESULT online;
  const char* box;  // "" when the handshake succeeds
};

void PrintTo(const HandshakeCase& c, std::ostream* os) { *os << c.name; }

class InternetHandshake : public InternetClientTest, public ::testing::WithParamInterface<HandshakeCase> {};

TEST_P(InternetHandshake, KeepsTheConnectionProgramOnlyWhenBothRepliesFit) {
  ConnectionStandIn skyfetch(folder.Path() + "/", GetParam().hello, GetParam().online, {});
  app.ConnectInternetClient();
  if (*GetParam().box == '\0') {
    EXPECT_NE(app.m_internet_wnd, nullptr);
    EXPECT_TRUE(boxes.empty());
  } else {
    EXPECT_EQ(app.m_internet_wnd, nullptr);
    EXPECT_EQ(boxes, std::vector<std::string>{GetParam().box});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, InternetHandshake,
    ::testing::Values(HandshakeCase{"Connected", 881, 881, ""},
                      HandshakeCase{"ProgramSilent", 0, 881, "Programm Skyfetch.exe antwortet nicht !"},
                      HandshakeCase{"NoServer", 881, 7, "Wir haben keine Internet-Verbindung zum Server !"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InternetClientTest, WithoutConnectionProgramTheUserGivesUp) {
  // The status box's button, pressed while the viewer looks for the program.
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_USER) reinterpret_cast<CViewerApp*>(lParam)->m_internet_wait = 0;
    return DefWindowProc(window, message, wParam, lParam);
  };
  windowClass.lpszClassName = "VarnoUserPresses";
  RegisterClass(&windowClass);
  HWND user = CreateWindow("VarnoUserPresses", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PostMessage(user, WM_USER, 0, reinterpret_cast<LPARAM>(&app));
  app.ConnectInternetClient();
  EXPECT_EQ(app.m_internet_wnd, nullptr);
  EXPECT_EQ(boxes, std::vector<std::string>{"Keine Internet-Anbindung !"});
  DestroyWindow(user);
}

struct RequestCase {
  const char* name;
  ConnectionStandIn::Fetch fetch;
  bool read;
  std::vector<std::string> boxes;
};

void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

class InternetRequest : public InternetClientTest, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(InternetRequest, TakesTheAnswerOnlyWhenTheConnectionProgramHasOne) {
  const RequestCase& c = GetParam();
  ConnectionStandIn skyfetch(folder.Path() + "/", 881, 881, {c.fetch});
  app.ConnectInternetClient();
  theGlobals.m_act_key_buf.Append("before");
  // The request: the user variables without the system ones, then the key.
  CDynBuf userVars;
  vars().WriteUserVars(userVars);
  EXPECT_EQ(app.ReadKey("MOT") != FALSE, c.read);
  const std::string command = ReadFile(folder / "command.iv4");
  EXPECT_EQ(command, std::string(static_cast<const char*>(userVars), userVars.GetLength()) + KeyStatement("MOT"));
  EXPECT_EQ(command.find("HIDDEN"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder / "control.iv4"));
  EXPECT_EQ(std::string(static_cast<const char*>(theGlobals.m_act_key_buf), theGlobals.m_act_key_buf.GetLength()),
            c.read ? c.fetch.answer : "before");
  EXPECT_EQ(boxes, c.boxes);
  EXPECT_EQ(ReportedCodes(), c.read ? std::vector<int>{} : std::vector<int>{376});
  EXPECT_TRUE(IsWindowEnabled(app.m_hMainWnd));
  if (c.read && !c.fetch.variables.empty()) EXPECT_EQ(Text("FROMSERVER"), "ja");
}

INSTANTIATE_TEST_SUITE_P(
    Fetches, InternetRequest,
    ::testing::Values(
        RequestCase{"Answered", {1, "tags", VariableFile("FROMSERVER", "ja")}, true, {}},
        RequestCase{"WithoutVariables", {1, "tags", ""}, true, {"Keine Variable da !"}},
        RequestCase{"NoAnswerDespiteFiles", {882, "tags", VariableFile("A", "b")}, false, {}},
        RequestCase{"ReplyZeroIsNoAnswer", {0, "tags", VariableFile("A", "b")}, false, {}},
        RequestCase{"AnswerFileMissing", {1, "", VariableFile("A", "b")}, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The user gives a request up; the connection program's late reply to it must
// not end the wait of the next request, which the program refuses.
TEST_F(InternetClientTest, LateReplyOfAGivenUpRequestIsIgnored) {
  const std::string files = VariableFile("A", "b");
  ConnectionStandIn skyfetch(folder.Path() + "/", 881, 881, {{1, "old", files, true}, {882, "old", files}});
  app.ConnectInternetClient();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_USER) reinterpret_cast<CViewerApp*>(lParam)->m_internet_wait = 0;
    if (message == WM_USER + 1) reinterpret_cast<ConnectionStandIn*>(lParam)->Release();
    return DefWindowProc(window, message, wParam, lParam);
  };
  windowClass.lpszClassName = "VarnoUserGivesUp";
  RegisterClass(&windowClass);
  HWND user = CreateWindow("VarnoUserGivesUp", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

  PostMessage(user, WM_USER, 0, reinterpret_cast<LPARAM>(&app));  // "Abbrechen" during the first wait
  EXPECT_FALSE(app.ReadKey("MOT"));
  PostMessage(user, WM_USER + 1, 0, reinterpret_cast<LPARAM>(&skyfetch));  // the late reply, during the second
  EXPECT_FALSE(app.ReadKey("ANT"));
  EXPECT_EQ(skyfetch.FetchCount(), 2);
  EXPECT_EQ(ReportedCodes(), (std::vector<int>{376, 376}));
  DestroyWindow(user);
}

TEST_F(InternetClientTest, StatusBoxButtonEndsTheWait) {
  CInternetDlg box(&app, "Warten auf Daten ...", "Abbrechen");
  ASSERT_TRUE(box.Open(CWnd::FromHandle(app.m_hMainWnd)));
  EXPECT_TRUE(box.IsWindowVisible());
  char text[64] = {};
  GetDlgItemText(box.m_hWnd, CInternetDlg::IDC_TEXT, text, sizeof text);
  EXPECT_STREQ(text, "Warten auf Daten ...");
  GetDlgItemText(box.m_hWnd, CInternetDlg::IDC_BUTTON, text, sizeof text);
  EXPECT_STREQ(text, "Abbrechen");
  app.m_internet_wait = 1;
  SendMessage(box.m_hWnd, WM_COMMAND, MAKEWPARAM(CInternetDlg::IDC_BUTTON, BN_CLICKED),
              reinterpret_cast<LPARAM>(GetDlgItem(box.m_hWnd, CInternetDlg::IDC_BUTTON)));
  EXPECT_EQ(app.m_internet_wait, 0);
  box.Close();
  EXPECT_EQ(box.m_hWnd, nullptr);
}

}  // namespace
