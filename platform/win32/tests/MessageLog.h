// A window class whose procedure writes down every message it gets, so a
// test can compare what arrived, and in which order, with what it expects.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace layer::testing {

struct Logged {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class MessageLog {
 public:
  MessageLog() {
    Current() = this;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &MessageLog::Procedure;
    windowClass.lpszClassName = "LoggedWindow";
    windowClass.cbWndExtra = 8;
    RegisterClass(&windowClass);
  }
  ~MessageLog() {
    for (HWND window : m_created) {
      if (IsWindow(window)) DestroyWindow(window);
    }
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    Current() = nullptr;
  }

  HWND Create(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr, RECT rect = {10, 20, 210, 170},
              UINT_PTR id = 0) {
    HWND window = CreateWindowEx(0, "LoggedWindow", "logged", style, rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
    m_created.push_back(window);
    return window;
  }

  // The messages in the log (of one window, or of all), leaving out the given ones.
  std::vector<UINT> Messages(HWND window = nullptr, std::vector<UINT> ignore = {}) const {
    std::vector<UINT> result;
    for (const Logged& entry : m_entries) {
      if (window && entry.window != window) continue;
      if (std::find(ignore.begin(), ignore.end(), entry.message) != ignore.end()) continue;
      result.push_back(entry.message);
    }
    return result;
  }
  std::vector<Logged> Entries(UINT message) const {
    std::vector<Logged> result;
    for (const Logged& entry : m_entries)
      if (entry.message == message) result.push_back(entry);
    return result;
  }
  void Clear() { m_entries.clear(); }

  // What the procedure answers to a message instead of the default handling.
  std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> handlers;

 private:
  static MessageLog*& Current() {
    static MessageLog* current = nullptr;
    return current;
  }
  static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageLog* log = Current();
    if (!log) return DefWindowProc(window, message, wParam, lParam);
    log->m_entries.push_back(Logged{window, message, wParam, lParam});
    auto handler = log->handlers.find(message);
    if (handler != log->handlers.end()) return handler->second(window, wParam, lParam);
    return DefWindowProc(window, message, wParam, lParam);
  }

  std::vector<Logged> m_entries;
  std::vector<HWND> m_created;
};

}  // namespace layer::testing
