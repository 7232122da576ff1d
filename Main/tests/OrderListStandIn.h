// A window of this process that stands for the order-list program's main
// window: it holds the viewer's process id as its user data and records what
// arrives.
#pragma once

#include <string>
#include <vector>

#include "interfaces/ProtocolCommands.h"
#include "win32/CrossProcess.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

namespace varno::testing {

class OrderListStandIn {
 public:
  struct Copy {
    ULONG_PTR code;
    std::string bytes;
    WPARAM sender;
  };

  OrderListStandIn() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "VarnoOrderListStandIn";
    RegisterClass(&windowClass);
    window = CreateWindow("VarnoOrderListStandIn", "order list", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                          nullptr, nullptr);
    SetWindowLongPtr(window, GWLP_USERDATA, static_cast<LONG_PTR>(GetCurrentProcessId()));
    Current() = this;
  }
  ~OrderListStandIn() {
    DestroyWindow(window);
    Current() = nullptr;
  }
  OrderListStandIn(const OrderListStandIn&) = delete;
  OrderListStandIn& operator=(const OrderListStandIn&) = delete;

  // The registered commands waiting for the window, as (code, lParam).
  std::vector<std::pair<WPARAM, LPARAM>> TakeCommands() {
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    UINT id = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);
    MSG msg;
    while (PeekMessage(&msg, window, id, id, PM_REMOVE)) commands.emplace_back(msg.wParam, msg.lParam);
    return commands;
  }

  HWND window = nullptr;
  std::vector<Copy> copies;

 private:
  static OrderListStandIn*& Current() {
    static OrderListStandIn* current = nullptr;
    return current;
  }
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA && Current() != nullptr) {
      const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      Current()->copies.push_back(
          {copy->dwData, std::string(static_cast<const char*>(copy->lpData), copy->cbData), wParam});
      return 1;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
  }
};

}  // namespace varno::testing
