// A stand-in for the order-list program: a main window that holds its
// starter's process id as user data, as the real one does, and a log of
// what arrives, one line each, in the file that VARNO_ORDERLIST_LOG names:
//   start <command line>
//   post <code> <lParam is the sender's window: 1 or 0>
//   copy <code> <bytes in hex> (sender <1 or 0>)
// Code 1 ends it, as it ends the real program. VARNO_ORDERLIST_START_DELAY
// (milliseconds) makes it as slow to start as on a busy machine.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "interfaces/ProtocolCommands.h"
#include "ipc/CrossProcessWindows.h"
#include "win32/CrossProcess.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace {

std::ofstream& Log() {
  static std::ofstream log(std::getenv("VARNO_ORDERLIST_LOG") ? std::getenv("VARNO_ORDERLIST_LOG") : "/dev/null",
                           std::ios::app);
  return log;
}

std::string Hex(const void* data, DWORD size) {
  std::string text;
  char digits[3];
  for (DWORD i = 0; i < size; ++i) {
    std::snprintf(digits, sizeof digits, "%02X", static_cast<const unsigned char*>(data)[i]);
    text += digits;
  }
  return text;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT command = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);
  if (message == command) {
    Log() << "post " << wParam << " " << (lParam != 0 && IsWindow(reinterpret_cast<HWND>(lParam)) ? 1 : 0)
          << std::endl;
    if (wParam == PROTOCOL_CMD_CLOSE) {
      DestroyWindow(window);
      PostQuitMessage(0);
    }
    return 1;
  }
  if (message == WM_COPYDATA) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    Log() << "copy " << copy->dwData << " " << Hex(copy->lpData, copy->cbData) << " " << (wParam != 0 ? 1 : 0)
          << std::endl;
    return 1;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

int main() {
  if (!layer::ipc::StartCrossProcessWindows()) return 2;
  Log() << "start" << GetCommandLine() << std::endl;
  if (const char* delay = std::getenv("VARNO_ORDERLIST_START_DELAY"))
    usleep(static_cast<useconds_t>(std::atoi(delay)) * 1000);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.lpszClassName = "VarnoOrderListProgram";
  RegisterClass(&windowClass);
  HWND window = CreateWindowEx(0, "VarnoOrderListProgram", "Bestelliste", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  SetWindowLong(window, GWL_USERDATA, static_cast<LONG>(getppid()));
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
  return 0;
}
