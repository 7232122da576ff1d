#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <algorithm>
#include <string>
#include <vector>

#include "StartedProgram.h"
#include "ipc/CrossProcessWindows.h"
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
  EXPECT_EQ(dir.Read("result.txt"), "window " + handle + "\npost 1\nsend 1 4711\ncopydata 1 1\n");
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
  // The sends in their order; the post whenever this loop took it.
  std::vector<std::string> sent = arrived;
  std::erase(sent, "command 2 0");
  std::vector<std::string> expected{"command 8 7", "copydata 18 4096 Aq from 0"};
  EXPECT_EQ(sent, expected);
  EXPECT_EQ(arrived.size(), 3u);
  DestroyWindow(host);
  DestroyWindow(decoy);
}

TEST(CrossProcessWindows, AnotherProgramsWindowAnswersHangsAndEnds) {
  ASSERT_TRUE(layer::ipc::StartCrossProcessWindows());
  TempFolder dir;
  Program server("serve " + dir / "handle.txt hang");
  ASSERT_TRUE(server.started);
  EXPECT_EQ(WaitForInputIdle(server.info.hProcess, 10000), 0u);
  HWND peer = reinterpret_cast<HWND>(std::strtoull(dir.Read("handle.txt").c_str(), nullptr, 10));
  EXPECT_EQ(FindWindow("peerframe", "PEER FRAME"), peer);
  EXPECT_EQ(FindWindow("PeerFrame", "other title"), nullptr);
  DWORD process = 0;
  EXPECT_NE(GetWindowThreadProcessId(peer, &process), 0u);
  EXPECT_EQ(process, server.info.dwProcessId);
  layer::RemoteWindowFacts facts;
  ASSERT_TRUE(layer::CurrentRemoteWindows()->Facts(peer, facts));
  EXPECT_EQ(facts.userData, static_cast<LONG>(GetCurrentProcessId()));
  EXPECT_TRUE(facts.visible);
  EXPECT_EQ(GetWindow(peer, GW_HWNDFIRST), peer);  // the newest window lies on top

  UINT command = RegisterWindowMessage("IPC_TEST_COMMAND");
  DWORD_PTR result = 0;
  EXPECT_EQ(SendMessageTimeout(peer, command, 3, 4, SMTO_NORMAL, 2000, &result), 1);
  EXPECT_EQ(result, 34u);
  std::string block(4096, 'x');
  COPYDATASTRUCT copy{20, static_cast<DWORD>(block.size()), block.data()};
  EXPECT_EQ(SendMessageTimeout(peer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, 2000, &result), 1);
  EXPECT_EQ(result, 4096u);
  EXPECT_TRUE(layer::CurrentRemoteWindows()->Show(peer, SW_HIDE));
  ASSERT_TRUE(layer::CurrentRemoteWindows()->Facts(peer, facts));
  EXPECT_FALSE(facts.visible);

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
  EXPECT_LT(Clock::now() - begin, std::chrono::milliseconds(500));
  EXPECT_EQ(FindWindow("PeerFrame", nullptr), nullptr);
  EXPECT_EQ(GetWindowThreadProcessId(peer, &process), 0u);
}
