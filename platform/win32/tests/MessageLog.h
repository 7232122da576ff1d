// A window class whose procedure writes down every message it gets: to
// which window, whether it was sent or posted (dispatched from the queue),
// and whether it came while the procedure was in the default window
// procedure. Expected sequences are written as tables, as the platform's
// public conformance suites write them, with optional entries where the
// platform itself varies; nothing is filtered out before the comparison.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace layer::testing {

// How a message arrived, and what of it a table entry checks.
enum : unsigned {
  kSent = 1,        // through SendMessage (or the layer's own sending)
  kPosted = 2,      // read from the queue and dispatched
  kDefault = 4,     // while the procedure was in DefWindowProc
  kOptional = 8,    // (tables only) may be missing
  kWParam = 16,     // (tables only) wParam must match
  kLParam = 32,     // (tables only) lParam must match
};

// Sent and passed on to DefWindowProc; sent with its wParam checked.
constexpr unsigned kByDefault = kSent | kDefault;
constexpr unsigned kW = kSent | kWParam;

struct Logged {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  unsigned flags;
};

// One line of an expected sequence: the window's name in the log, the
// message, how it came, and the parameters where kWParam/kLParam say so.
struct Expect {
  const char* window;
  UINT message;
  unsigned flags = kSent;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Names of the messages the window core sends, for readable failures.
inline std::string MessageName(UINT message) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"}, {WM_SETREDRAW, "WM_SETREDRAW"}, {WM_SETTEXT, "WM_SETTEXT"}, {WM_GETTEXT, "WM_GETTEXT"},
      {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"}, {WM_QUIT, "WM_QUIT"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_CHILDACTIVATE, "WM_CHILDACTIVATE"},
      {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_NCCREATE, "WM_NCCREATE"},
      {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_NCHITTEST, "WM_NCHITTEST"},
      {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
      {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
      {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"}, {WM_NCRBUTTONDOWN, "WM_NCRBUTTONDOWN"},
      {WM_NCRBUTTONUP, "WM_NCRBUTTONUP"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"},
      {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCHAR, "WM_SYSCHAR"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"}, {WM_HSCROLL, "WM_HSCROLL"}, {WM_VSCROLL, "WM_VSCROLL"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
      {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"}, {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
      {WM_SIZING, "WM_SIZING"}, {WM_MOVING, "WM_MOVING"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"}, {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"}, {WM_STYLECHANGING, "WM_STYLECHANGING"},
      {WM_STYLECHANGED, "WM_STYLECHANGED"}};
  auto found = names.find(message);
  if (found != names.end()) return found->second;
  char text[24];
  std::snprintf(text, sizeof text, "message 0x%04X", message);
  return text;
}

class MessageLog {
 public:
  MessageLog() {
    Current() = this;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &MessageLog::Procedure;
    windowClass.lpszClassName = "LoggedWindow";
    windowClass.cbWndExtra = 8;
    RegisterClass(&windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpszClassName = kDoubleClickClass;
    RegisterClass(&windowClass);
  }
  // A class of logged windows that want double clicks.
  static constexpr const char* kDoubleClickClass = "LoggedDoubleClickWindow";
  // The class Create makes windows of.
  const char* windowClass = "LoggedWindow";
  ~MessageLog() {
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it)
      if (IsWindow(*it)) DestroyWindow(*it);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    Current() = nullptr;
  }

  // A logged window, named for the tables.
  HWND Create(const char* name, DWORD style, HWND parent = nullptr, RECT rect = {10, 20, 210, 170}, UINT_PTR id = 0,
              DWORD exStyle = 0) {
    m_pendingName = name;
    HWND window = CreateWindowEx(exStyle, windowClass, "logged", style, rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
    m_pendingName = nullptr;
    if (window) {
      m_created.push_back(window);
      Name(window, name);
    }
    return window;
  }
  HWND Create(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr, RECT rect = {10, 20, 210, 170}, UINT_PTR id = 0) {
    return Create("window", style, parent, rect, id);
  }
  // Gives a window made elsewhere a name in the tables.
  void Name(HWND window, const char* name) { m_names[window] = name; }

  // Reads and dispatches what waits in the queue, as a message loop does; the
  // messages dispatched are logged as posted. Returns how many there were.
  int Pump() {
    int count = 0;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      TranslateMessage(&msg);
      Dispatch(msg);
      ++count;
    }
    return count;
  }
  void Dispatch(const MSG& msg) {
    const MSG* outer = m_dispatching;
    int depth = m_depth;
    m_dispatching = &msg;
    m_dispatchDepth = m_depth;
    DispatchMessage(&msg);
    m_dispatching = outer;
    m_dispatchDepth = depth;
  }

  // Compares the log with an expected sequence (then empties the log).
  ::testing::AssertionResult Matches(std::initializer_list<Expect> expected) {
    return Matches(std::vector<Expect>(expected));
  }
  ::testing::AssertionResult Matches(const std::vector<Expect>& expected) {
    std::vector<Logged> actual = std::move(m_entries);
    m_entries.clear();
    std::size_t a = 0, e = 0;
    while (e < expected.size()) {
      if (a < actual.size() && Fits(actual[a], expected[e])) {
        ++a;
        ++e;
      } else if (expected[e].flags & kOptional) {
        ++e;
      } else {
        return ::testing::AssertionFailure() << "expected " << Describe(expected[e]) << " but got "
                                             << (a < actual.size() ? Describe(actual[a]) : std::string("nothing more"))
                                             << "\n" << Listing(actual);
      }
    }
    if (a < actual.size())
      return ::testing::AssertionFailure() << "unexpected " << Describe(actual[a]) << " after the sequence\n"
                                           << Listing(actual);
    return ::testing::AssertionSuccess();
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
  const std::vector<Logged>& All() const { return m_entries; }
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
    if (log->m_pendingName && !log->m_names.count(window)) log->m_names[window] = log->m_pendingName;
    unsigned flags = kSent;
    const MSG* dispatched = log->m_dispatching;
    if (dispatched && log->m_depth == log->m_dispatchDepth && dispatched->hwnd == window && dispatched->message == message)
      flags = kPosted;
    if (log->m_inDefault > 0) flags |= kDefault;
    log->m_entries.push_back(Logged{window, message, wParam, lParam, flags});
    ++log->m_depth;
    LRESULT result;
    auto handler = log->handlers.find(message);
    if (handler != log->handlers.end()) {
      result = handler->second(window, wParam, lParam);
    } else {
      ++log->m_inDefault;
      result = DefWindowProc(window, message, wParam, lParam);
      --log->m_inDefault;
    }
    --log->m_depth;
    return result;
  }

  bool Fits(const Logged& actual, const Expect& expected) const {
    if (actual.message != expected.message) return false;
    if (expected.window && NameOf(actual.window) != expected.window) return false;
    unsigned how = expected.flags & (kSent | kPosted | kDefault);
    if ((actual.flags & (kSent | kPosted | kDefault)) != how) return false;
    if ((expected.flags & kWParam) && actual.wParam != expected.wParam) return false;
    if ((expected.flags & kLParam) && actual.lParam != expected.lParam) return false;
    return true;
  }

  std::string NameOf(HWND window) const {
    auto found = m_names.find(window);
    if (found != m_names.end()) return found->second;
    char text[24];
    std::snprintf(text, sizeof text, "%p", static_cast<void*>(window));
    return text;
  }

  static std::string How(unsigned flags) {
    std::string how = (flags & kPosted) ? "posted" : "sent";
    if (flags & kDefault) how += " by default";
    return how;
  }

  std::string Describe(const Expect& expected) const {
    std::string text = MessageName(expected.message) + " " + How(expected.flags) + " to " +
                       (expected.window ? expected.window : "any window");
    if (expected.flags & kWParam) text += " wParam " + std::to_string(expected.wParam);
    if (expected.flags & kLParam) text += " lParam " + std::to_string(expected.lParam);
    return text;
  }

  std::string Describe(const Logged& actual) const {
    return MessageName(actual.message) + " " + How(actual.flags) + " to " + NameOf(actual.window) + " (wParam " +
           std::to_string(actual.wParam) + ", lParam " + std::to_string(actual.lParam) + ")";
  }

  std::string Listing(const std::vector<Logged>& actual) const {
    std::string text = "the log:";
    for (const Logged& entry : actual) text += "\n  " + Describe(entry);
    return text;
  }

  std::vector<Logged> m_entries;
  std::vector<HWND> m_created;
  std::map<HWND, std::string> m_names;
  const char* m_pendingName = nullptr;  // names a window from its first message on
  const MSG* m_dispatching = nullptr;
  int m_dispatchDepth = 0;
  int m_depth = 0;
  int m_inDefault = 0;
};

}  // namespace layer::testing
