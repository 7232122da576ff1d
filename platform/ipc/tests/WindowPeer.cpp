// A second program with real windows for the cross-process window tests.
//   serve FILE [hang]  shows a window of class "PeerFrame" (user data: the
//                      parent's process id), writes its handle into FILE and
//                      runs its message loop; "IPC_TEST_COMMAND" answers
//                      wParam * 10 + lParam (wParam 7 hangs with "hang",
//                      wParam 5 retitles the window "posted", wParam 99 ends
//                      the program); WM_COPYDATA answers the block's size;
//                      a description of it is its class and title.
//   client FILE        finds its starter's window of class "HostFrame" whose
//                      user data is the starter's process id, writes what it
//                      shows of itself, posts and sends "IPC_TEST_COMMAND",
//                      sends a 4 KB WM_COPYDATA block and tries a message
//                      whose parameter points into its own memory.
#include <unistd.h>

#include <fstream>
#include <string>

#include "ipc/CrossProcessWindows.h"
#include "ipc/WindowDescription.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

bool hang = false;

LRESULT PeerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT command = RegisterWindowMessage("IPC_TEST_COMMAND");
  if (message == command) {
    if (wParam == 7 && hang) sleep(30);
    if (wParam == 5) SetWindowText(window, "posted");
    if (wParam == 99) {
      DestroyWindow(window);
      PostQuitMessage(0);
    }
    return static_cast<LRESULT>(wParam * 10 + static_cast<WPARAM>(lParam));
  }
  if (message == WM_COPYDATA) return static_cast<LRESULT>(reinterpret_cast<COPYDATASTRUCT*>(lParam)->cbData);
  return DefWindowProc(window, message, wParam, lParam);
}

std::string ClassAndTitle(HWND window) {
  char title[64] = {};
  GetWindowText(window, title, sizeof title);
  return layer::ipc::DescriptionLine({"PeerFrame", title});
}

int Serve(const std::string& file) {
  if (!layer::ipc::StartCrossProcessWindows()) return 2;
  layer::ipc::InstallWindowDescriber(&ClassAndTitle);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PeerProcedure;
  windowClass.lpszClassName = "PeerFrame";
  RegisterClass(&windowClass);
  HWND window = CreateWindowEx(0, "PeerFrame", "Peer frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  SetWindowLong(window, GWL_USERDATA, static_cast<LONG>(getppid()));
  std::ofstream(file) << reinterpret_cast<UINT_PTR>(window);
  usleep(200000);  // the starter's WaitForInputIdle must wait for the loop, not for the start
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
  return 0;
}

// The starter's window as the order-list channel finds it: from a window of
// its class, walking the window order for the one without parent whose
// process and user data fit.
HWND HostWindow() {
  HWND any = FindWindow("HostFrame", nullptr);
  if (!any) return nullptr;
  DWORD starter = static_cast<DWORD>(getppid());
  for (HWND window = GetWindow(any, GW_HWNDFIRST); window; window = GetWindow(window, GW_HWNDNEXT)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == starter && !GetParent(window) && GetWindowLong(window, GWL_USERDATA) == static_cast<LONG>(starter))
      return window;
  }
  return nullptr;
}

int Client(const std::string& file) {
  if (!layer::ipc::StartCrossProcessWindows()) return 2;
  UINT command = RegisterWindowMessage("IPC_TEST_COMMAND");
  HWND host = HostWindow();
  std::ofstream out(file);
  out << "window " << reinterpret_cast<UINT_PTR>(host) << "\n";
  char title[64] = {}, className[64] = {};
  GetWindowText(host, title, sizeof title);
  GetClassName(host, className, sizeof className);
  out << "shows " << IsWindow(host) << IsWindowVisible(host) << IsWindowEnabled(host) << IsIconic(host) << " "
      << title << " " << className << "\n";
  out << "post " << PostMessage(host, command, 2, 0) << "\n";
  out << "send " << SendMessage(host, command, 8, 7) << "\n";
  std::string bytes(4096, 'q');
  bytes[0] = 'A';
  COPYDATASTRUCT copy{18, static_cast<DWORD>(bytes.size()), bytes.data()};
  out << "copydata " << SendMessage(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)) << "\n";
  DWORD_PTR result = 0;
  copy.dwData = 19;
  out << "copydata "
      << SendMessageTimeout(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, 5000, &result)
      << " " << result << "\n";
  SetLastError(0);
  out << "settext " << SendMessage(host, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("mine")) << " " << GetLastError()
      << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string step = argc > 2 ? argv[1] : "";
  hang = argc > 3 && std::string(argv[3]) == "hang";
  if (step == "serve") return Serve(argv[2]);
  if (step == "client") return Client(argv[2]);
  return 1;
}
