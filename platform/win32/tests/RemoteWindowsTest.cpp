// The window calls with another program's window: what the public calls
// answer through the installed cross-process part, and that the window
// core's own work never takes such a window for one of its own.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

const HWND kOther = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7000F000));
const HWND kOthersOwner = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7000F004));

// Another program with one window, hidden and minimised, and a record of
// what was asked of it.
class OtherProgram : public layer::RemoteWindows {
 public:
  HWND Find(LPCSTR, LPCSTR) override { return kOther; }
  HWND Neighbour(HWND, UINT) override { return nullptr; }
  bool Facts(HWND window, layer::RemoteWindowFacts& facts) override {
    if (window != kOther) return false;
    facts.processId = 4242;
    facts.threadId = 4243;
    facts.parent = kOthersOwner;
    facts.visible = false;
    facts.enabled = false;
    facts.iconic = true;
    facts.userData = 1234;
    std::strcpy(facts.className, "OtherFrame");
    std::strcpy(facts.title, "Other program");
    return true;
  }
  BOOL Post(HWND, UINT message, WPARAM wParam, LPARAM) override {
    asked.push_back("post " + std::to_string(message) + " " + std::to_string(wParam));
    return TRUE;
  }
  BOOL Send(HWND, UINT message, WPARAM, LPARAM, UINT, UINT timeout, DWORD_PTR* result) override {
    asked.push_back("send " + std::to_string(message) + (timeout == INFINITE ? " waiting" : " timed"));
    if (result) *result = 77;
    return TRUE;
  }
  BOOL Show(HWND, int command) override {
    asked.push_back("show " + std::to_string(command));
    return FALSE;
  }
  BOOL Enable(HWND, BOOL enable) override {
    asked.push_back("enable " + std::to_string(enable));
    return TRUE;
  }
  BOOL BringToFront(HWND) override {
    asked.push_back("front");
    return TRUE;
  }
  std::vector<std::string> asked;
};

LRESULT CALLBACK Plain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(window, message, wParam, lParam);
}

class RemoteWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Plain;
    windowClass.lpszClassName = "RemoteTestOwn";
    RegisterClass(&windowClass);
    own = CreateWindow("RemoteTestOwn", "own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 80, nullptr, nullptr,
                       nullptr, nullptr);
    child = CreateWindow("RemoteTestOwn", "child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, own, nullptr, nullptr,
                         nullptr);
    layer::InstallRemoteWindows(&other);
  }
  void TearDown() override {
    layer::InstallRemoteWindows(nullptr);
    DestroyWindow(own);
  }
  OtherProgram other;
  HWND own = nullptr;
  HWND child = nullptr;
};

}  // namespace

TEST_F(RemoteWindowsTest, PublicCallsAnswerForTheOtherProgramsWindow) {
  EXPECT_TRUE(IsWindow(kOther));
  EXPECT_FALSE(IsWindow(kOthersOwner));  // no window of any program
  EXPECT_FALSE(IsWindowVisible(kOther));
  EXPECT_FALSE(IsWindowEnabled(kOther));
  EXPECT_TRUE(IsIconic(kOther));
  EXPECT_EQ(GetParent(kOther), kOthersOwner);
  EXPECT_EQ(GetWindowLong(kOther, GWL_USERDATA), 1234);
  EXPECT_EQ(GetWindowLongPtr(kOther, GWLP_USERDATA), 1234);
  EXPECT_EQ(GetWindowLong(kOther, GWL_STYLE), static_cast<LONG>(WS_DISABLED | WS_MINIMIZE));
  EXPECT_EQ(GetWindowLong(kOther, 0), 0);  // its extra bytes are its own
  char text[8] = {};
  EXPECT_EQ(GetWindowText(kOther, text, sizeof text), 7);
  EXPECT_STREQ(text, "Other p");
  EXPECT_EQ(GetWindowTextLength(kOther), 13);
  EXPECT_EQ(GetClassName(kOther, text, sizeof text), 7);
  EXPECT_STREQ(text, "OtherFr");
  DWORD process = 0;
  EXPECT_EQ(GetWindowThreadProcessId(kOther, &process), 4243u);
  EXPECT_EQ(process, 4242u);

  EXPECT_FALSE(ShowWindow(kOther, SW_RESTORE));
  EXPECT_TRUE(EnableWindow(kOther, TRUE));
  EXPECT_TRUE(SetForegroundWindow(kOther));
  EXPECT_TRUE(PostMessage(kOther, WM_USER + 1, 8, 0));
  EXPECT_EQ(SendMessage(kOther, WM_USER + 2, 0, 0), 77);
  DWORD_PTR result = 0;
  EXPECT_EQ(SendMessageTimeout(kOther, WM_USER + 3, 0, 0, SMTO_NORMAL, 100, &result), 1);
  EXPECT_EQ(result, 77u);
  std::vector<std::string> expected{"show 9",      "enable 1", "front", "post 1025 8", "send 1026 waiting",
                                    "send 1027 timed"};
  EXPECT_EQ(other.asked, expected);
}

TEST_F(RemoteWindowsTest, TheWindowCoreKeepsToItsOwnWindows) {
  // Each of these works on the window itself, which another program's is not.
  EXPECT_EQ(SetParent(child, kOther), nullptr);
  EXPECT_EQ(GetParent(child), own);
  EXPECT_FALSE(SetWindowText(kOther, "mine"));
  EXPECT_FALSE(UpdateWindow(kOther));
  HWND focus = GetFocus();
  EXPECT_EQ(SetFocus(kOther), nullptr);
  EXPECT_EQ(GetFocus(), focus);
  EXPECT_EQ(SetActiveWindow(kOther), nullptr);
  EXPECT_EQ(GetActiveWindow(), own);
  SetCapture(kOther);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(CreateWindow("RemoteTestOwn", "x", WS_CHILD, 0, 0, 5, 5, kOther, nullptr, nullptr, nullptr), nullptr);
  MSG msg;
  EXPECT_EQ(GetMessage(&msg, kOther, 0, 0), -1);

  // This program's own windows answer within the program.
  EXPECT_TRUE(IsWindow(own));
  EXPECT_TRUE(IsWindowVisible(own));
  EXPECT_EQ(GetParent(child), own);
  EXPECT_TRUE(PostMessage(own, WM_USER + 1, 0, 0));
  EXPECT_EQ(SendMessage(own, WM_GETTEXTLENGTH, 0, 0), 3);
  ShowWindow(own, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(own));
  EXPECT_TRUE(other.asked.empty());
}
