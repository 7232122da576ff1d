#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "StartedProgram.h"
#include "ipc/CrossProcessWindows.h"
#include "ipc/RemoteWindowsClient.h"
#include "ipc/WindowRegistry.h"
#include "testing/TempFolder.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

using layer::testing::TempFolder;
using Clock = std::chrono::steady_clock;

namespace {

const bool spaceChosen = [] {
  setenv("VARNO_IPC_SPACE", ("wtest-" + std::to_string(getpid())).c_str(), 1);
  setenv("VARNO_HUNG_MS", "300", 1);  // for the programs this one starts
  std::atexit([] {
    shm_unlink(("/varno4-" + std::to_string(getuid()) + "-windows-wtest-" + std::to_string(getpid())).c_str());
  });
  return true;
}();

std::vector<std::string> arrived;

LRESULT HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT command = RegisterWindowMessage("IPC_TEST_COMMAND");
  if (message == command) {
    arrived.push_back("command " + std::to_string(wParam) + " " + std::to_string(lParam));
    return 4711;
  }
  if (message == WM_COPYDATA) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::string bytes(static_cast<const char*>(copy->lpData), copy->cbData);  // the receiver keeps a copy
    arrived.push_back("copydata " + std::to_string(copy->dwData) + " " + std::to_string(bytes.size()) + " " +
                      bytes.substr(0, 2) + " from " + std::to_string(wParam));
    return 1;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

HWND HostFrame(LONG userData) {
  static bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostProcedure;
    windowClass.lpszClassName = "HostFrame";
    return RegisterClass(&windowClass) != 0;
  }();
  EXPECT_TRUE(registered);
  HWND window = CreateWindowEx(0, "HostFrame", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
  SetWindowLong(window, GWL_USERDATA, userData);
  return window;
}

struct Program : StartedProgram {
  explicit Program(const std::string& arguments) : StartedProgram("C:\\VARNO4\\WINDOW_PEER.EXE " + arguments) {}
  // Runs this program's message loop until the other one has ended.
  DWORD PumpUntilEnded() {
    auto deadline = Clock::now() + std::chrono::seconds(20);
    while (WaitForSingleObject(info.hProcess, 0) == static_cast<DWORD>(WAIT_TIMEOUT) && Clock::now() < deadline) {
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
      usleep(2000);
    }
    return ExitCode();
  }
};

}  // namespace

TEST(CrossProcessWindows, StartedProgramFindsItsStartersWindowAndItsMessagesArrive) {
  ASSERT_TRUE(layer::ipc::StartCrossProcessWindows());
  HWND decoy = HostFrame(1);
  HWND host = HostFrame(static_cast<LONG>(GetCurrentProcessId()));
  MSG msg;
  PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the loop publishes the user data

  TempFolder dir;
  Program client("client " + dir / "result.txt");
  ASSERT_TRUE(client.started);
  EXPECT_EQ(client.PumpUntilEnded(), 0u);
  std::string handle = std::to_string(reinterpret_cast<UINT_PTR>(host));
  EXPECT_EQ(dir.Read("result.txt"), "window " + handle +
                                        "\nshows 1110 Host HostFrame\npost 1\nsend 4711\ncopydata 1\ncopydata 1 1\n"
                                        "settext 0 87\n");
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  // The sends in their order; the post whenever this loop took it; the
  // message that pointed into the other program's memory never.
  std::vector<std::string> sent = arrived;
  std::erase(sent, "command 2 0");
  std::vector<std::string> expected{"command 8 7", "copydata 18 4096 Aq from 0", "copydata 19 4096 Aq from 0"};
  EXPECT_EQ(sent, expected);
  EXPECT_EQ(arrived.size(), 4u);
  char title[16] = {};
  GetWindowText(host, title, sizeof title);
  EXPECT_STREQ(title, "Host");
  DestroyWindow(host);
  DestroyWindow(decoy);
}

namespace {

// The other program's window as this one sees it: alive, visible, enabled, iconic.
std::string Shows(HWND window) {
  return std::to_string(IsWindow(window)) + std::to_string(IsWindowVisible(window)) +
         std::to_string(IsWindowEnabled(window)) + std::to_string(IsIconic(window));
}

std::string TitleOf(HWND window) {
  char title[64] = {};
  GetWindowText(window, title, sizeof title);
  return title;
}

}  // namespace

TEST(CrossProcessWindows, AnotherProgramsWindowAnswersHangsAndEnds) {
  ASSERT_TRUE(layer::ipc::StartCrossProcessWindows());
  TempFolder dir;
  Program server("serve " + dir / "handle.txt hang");
  ASSERT_TRUE(server.started);
  EXPECT_EQ(WaitForInputIdle(server.info.hProcess, 10000), 0u);
  // Written just before the program's loop started, which released the wait.
  HWND peer = reinterpret_cast<HWND>(std::strtoull(dir.Read("handle.txt").c_str(), nullptr, 10));
  ASSERT_NE(peer, nullptr);
  EXPECT_EQ(FindWindow("peerframe", "PEER FRAME"), peer);
  EXPECT_EQ(FindWindow("PeerFrame", "other title"), nullptr);
  DWORD process = 0;
  EXPECT_NE(GetWindowThreadProcessId(peer, &process), 0u);
  EXPECT_EQ(process, server.info.dwProcessId);
  EXPECT_EQ(GetWindowLong(peer, GWL_USERDATA), static_cast<LONG>(GetCurrentProcessId()));
  EXPECT_EQ(GetParent(peer), nullptr);
  EXPECT_EQ(Shows(peer), "1110");
  EXPECT_EQ(TitleOf(peer), "Peer frame");
  EXPECT_EQ(GetWindow(peer, GW_HWNDFIRST), peer);  // the newest window lies on top

  UINT command = RegisterWindowMessage("IPC_TEST_COMMAND");
  EXPECT_EQ(SendMessage(peer, command, 3, 4), 34);
  DWORD_PTR result = 0;
  EXPECT_EQ(SendMessageTimeout(peer, command, 3, 5, SMTO_NORMAL, 2000, &result), 1);
  EXPECT_EQ(result, 35u);
  std::string block(4096, 'x');
  COPYDATASTRUCT copy{20, static_cast<DWORD>(block.size()), block.data()};
  EXPECT_EQ(SendMessage(peer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)), 4096);
  EXPECT_TRUE(PostMessage(peer, command, 5, 0));
  for (int tries = 0; tries < 200 && TitleOf(peer) != "posted"; ++tries) usleep(10000);
  EXPECT_EQ(TitleOf(peer), "posted");
  // What the window shows of itself, made in its program.
  layer::ipc::RemoteWindowsClient looker(layer::ipc::WindowRegistry::OfUser());
  EXPECT_EQ(looker.Describe(peer), "PeerFrame\tposted\n");
  EXPECT_EQ(looker.Describe(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7fff0001))), "");

  // What is done to the window, in the other program, with the results the
  // platform gives (the state before).
  struct Step {
    const char* what;
    std::function<BOOL()> act;
    BOOL result;
    const char* shows;
  } steps[] = {
      {"hide", [&] { return ShowWindow(peer, SW_HIDE); }, TRUE, "1010"},
      {"minimise", [&] { return ShowWindow(peer, SW_MINIMIZE); }, FALSE, "1111"},
      {"restore", [&] { return ShowWindow(peer, SW_RESTORE); }, TRUE, "1110"},
      {"disable", [&] { return EnableWindow(peer, FALSE); }, FALSE, "1100"},
      {"enable", [&] { return EnableWindow(peer, TRUE); }, TRUE, "1110"},
  };
  for (const Step& step : steps) {
    EXPECT_EQ(step.act(), step.result) << step.what;
    EXPECT_EQ(Shows(peer), step.shows) << step.what;
  }
  HWND own = HostFrame(1);  // on top of the other program's window
  MSG msg;
  PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the loop publishes it
  EXPECT_EQ(GetWindow(peer, GW_HWNDFIRST), own);
  EXPECT_TRUE(SetForegroundWindow(peer));
  EXPECT_EQ(GetWindow(own, GW_HWNDFIRST), peer);
  DestroyWindow(own);

  auto begin = Clock::now();
  EXPECT_EQ(SendMessageTimeout(peer, command, 7, 0, SMTO_NORMAL, 300, &result), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_GE(Clock::now() - begin, std::chrono::milliseconds(290));
  usleep(400000);  // hung for longer than its limit now
  begin = Clock::now();
  EXPECT_EQ(SendMessageTimeout(peer, command, 1, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
  EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(1000));

  kill(static_cast<pid_t>(server.info.dwProcessId), SIGKILL);
  WaitForSingleObject(server.info.hProcess, 5000);
  begin = Clock::now();
  EXPECT_EQ(SendMessageTimeout(peer, command, 1, 0, SMTO_NORMAL, 5000, &result), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(SendMessage(peer, command, 1, 0), 0);
  EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(500));
  EXPECT_FALSE(PostMessage(peer, command, 1, 0));
  EXPECT_FALSE(IsWindow(peer));
  EXPECT_EQ(FindWindow("PeerFrame", nullptr), nullptr);
  EXPECT_EQ(GetWindowThreadProcessId(peer, &process), 0u);
}
