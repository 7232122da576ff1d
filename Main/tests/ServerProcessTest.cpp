// The viewer program as an internet server in a process of its own, on a
// copy of the sample catalogue, answering this test as its client: the
// requests and answers travel through the server folder "C:\IV4\".
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "CatalogueInstallation.h"
#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "foundation/CIniClass.h"
#include "ipc/CrossProcessWindows.h"
#include "testing/TempFolder.h"
#include "user/Controls.h"
#include "win32/Clock.h"
#include "win32/CrossProcess.h"
#include "win32/Paths.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kPatience = 20000;
constexpr int kEndButton = 3054;

class ServerProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(layer::ipc::StartCrossProcessWindows());
    fs::copy(VARNO_CATALOGUE_DIR, folder.Path(), fs::copy_options::recursive);
    CIniClass ini;
    const CString mainIni = CString(folder.Path().c_str()) + "\\varno4.ini";
    ini.WriteKey("SYSTEM", "Internet", "2", mainIni, 0);
    fs::create_directories(ServerFolder());
    // The server's drive C is a folder of the test's own.
    setenv("VARNO_DRIVE_C", drive.Path().c_str(), 1);
    // The client's variables as the viewer keeps them, the data language
    // among them.
    ASSERT_TRUE(client.Load());
  }
  void TearDown() override {
    if (server.hProcess != nullptr) EndServer();
    unsetenv("VARNO_DRIVE_C");
  }

  // The user presses "Beenden" in the server's box; the server's exit code,
  // STILL_ACTIVE when it does not end.
  DWORD EndServer() {
    HWND box = nullptr;
    for (DWORD waited = 0; box == nullptr && waited < kPatience; waited += 20) {
      box = ServersBox();
      if (box == nullptr) Sleep(20);
    }
    if (box != nullptr) PostMessage(box, WM_COMMAND, MAKEWPARAM(kEndButton, BN_CLICKED), 0);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(server.hProcess, kPatience) == WAIT_OBJECT_0) GetExitCodeProcess(server.hProcess, &code);
    CloseHandle(server.hProcess);
    CloseHandle(server.hThread);
    server = PROCESS_INFORMATION{};
    return code;
  }

  std::string ServerFolder() const { return drive.Path() + "/IV4/"; }

  // The server's box among the top-level windows of all programs (other
  // tests may show boxes of the same title meanwhile).
  HWND ServersBox() const {
    for (HWND window = FindWindow("#32770", "VARNO 4"); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      char title[32] = {};
      GetWindowText(window, title, sizeof title);
      if (process == server.dwProcessId && std::string(title) == "VARNO 4") return window;
    }
    return nullptr;
  }

  bool StartServer() {
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    char commandLine[] = "varno4.exe";
    const std::string directory = layer::SystemPath(folder.Path());
    return CreateProcess(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                         &server) != FALSE;
  }

  // Leaves a request for key and waits until the server has taken it up and
  // finished it, answered or refused; true when it answered.
  bool Ask(const std::string& key) {
    const std::string at = ServerFolder();
    fs::remove(at + "result.iv4");
    CDynBuf variables;
    theGlobals.m_pvar->WriteUserVars(variables);
    std::ofstream(at + "command.iv4", std::ios::binary)
        << std::string(static_cast<const char*>(variables), variables.GetLength()) << std::string("\0{", 2) << key
        << std::string("\0|\0\0", 4);
    std::ofstream(at + "control.iv4");
    for (DWORD waited = 0; waited < kPatience; waited += 20) {
      if (!fs::exists(at + "control.iv4") && fs::exists(at + "result.iv4")) return fs::exists(at + "answer.iv4");
      Sleep(20);
    }
    ADD_FAILURE() << "the server did not finish the request for " << key;
    return false;
  }

  layer::testing::TempFolder folder;
  layer::testing::TempFolder drive;
  layer::testing::TempFolder user;
  varno::catalogue::Installation client{VARNO_CATALOGUE_DIR, user.Path()};
  PROCESS_INFORMATION server{};
};

TEST_F(ServerProcessTest, AnswersAKeyRefusesAnUnknownOneAndServesOn) {
  ASSERT_TRUE(StartServer());
  EXPECT_TRUE(Ask("MOT"));
  EXPECT_GT(fs::file_size(ServerFolder() + "answer.iv4"), 0u);
  EXPECT_FALSE(Ask("NO-SUCH-KEY"));
  EXPECT_FALSE(fs::exists(ServerFolder() + "answer.iv4")) << "no stale answer for a refused request";
  EXPECT_TRUE(Ask("START")) << "the server goes on after a refused request";
  EXPECT_EQ(EndServer(), 0u) << "the server ends when the user says so";
}

}  // namespace
