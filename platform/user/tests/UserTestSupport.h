// What the user-interface tests share: an owner window, keys typed as a
// person types them into a dialog (through IsDialogMessage, as the dialog's
// loop passes them), mouse clicks on controls, and notifications written down.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "user/Dialogs.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace layer::testing {

// The keys held down while a key is pressed.
enum Held : unsigned { kNone = 0, kShift = 1, kControl = 2, kAlt = 4 };

// Delivers the messages waiting in the queue as a dialog's loop does.
inline void DrainThroughDialog(HWND dialog) {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (!dialog || !IsWindow(dialog) || !IsDialogMessage(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
}

// A key press and release at the window with the focus; the character it
// types follows, as TranslateMessage makes it.
inline void PressKey(HWND dialog, int key, unsigned held = kNone, int character = 0) {
  SetKeyDown(VK_SHIFT, held & kShift);
  SetKeyDown(VK_CONTROL, held & kControl);
  SetKeyDown(VK_MENU, held & kAlt);
  NoteKeyCharacter(key, character);
  HWND target = GetFocus() ? GetFocus() : dialog;
  bool alt = held & kAlt;
  SetKeyDown(key, true);
  PostMessage(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(key), alt ? (1 | (1 << 29)) : 1);
  DrainThroughDialog(dialog);
  SetKeyDown(key, false);
  target = GetFocus() ? GetFocus() : dialog;
  PostMessage(target, alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(key), alt ? (0xC0000001 | (1 << 29)) : 0xC0000001);
  DrainThroughDialog(dialog);
  NoteKeyCharacter(key, 0);
  SetKeyDown(VK_SHIFT, false);
  SetKeyDown(VK_CONTROL, false);
  SetKeyDown(VK_MENU, false);
}

// Characters typed one after the other at the window with the focus.
inline void TypeText(HWND dialog, const std::string& text) {
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    int key = byte >= 'a' && byte <= 'z' ? byte - 32 : (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ? byte : 0xDF;
    PressKey(dialog, key, (byte >= 'A' && byte <= 'Z') ? kShift : kNone, byte);
  }
}

// A left click at a point of a window's client area.
inline void Click(HWND window, POINT point = {3, 3}, bool twice = false) {
  LPARAM where = MAKELPARAM(point.x, point.y);
  SendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessage(window, WM_LBUTTONUP, 0, where);
  if (twice) {
    SendMessage(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    SendMessage(window, WM_LBUTTONUP, 0, where);
  }
  DrainThroughDialog(nullptr);
}

// The code and control of every WM_COMMAND a window procedure received.
struct Command {
  WORD id;
  WORD code;
  bool operator==(const Command& other) const { return id == other.id && code == other.code; }
};
inline void PrintTo(const Command& command, std::ostream* out) { *out << "{" << command.id << ", " << command.code << "}"; }

// A plain top-level window that writes down the commands its children send.
class OwnerWindow {
 public:
  OwnerWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &OwnerWindow::Procedure;
    windowClass.lpszClassName = "UserTestOwner";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClass(&windowClass);
    m_window = CreateWindowEx(0, "UserTestOwner", "Besitzer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 500, 400, nullptr,
                              nullptr, nullptr, nullptr);
    Current() = this;
  }
  ~OwnerWindow() {
    Current() = nullptr;
    if (IsWindow(m_window)) DestroyWindow(m_window);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;

  HWND Handle() const { return m_window; }
  // A child control of the window.
  HWND Child(const char* className, const char* text, DWORD style, RECT rect, int id) {
    HWND child = CreateWindowEx(0, className, text, style | WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                nullptr);
    SendMessage(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
  }

  std::vector<Command> commands;
  std::vector<UINT> messages;  // other messages of interest (WM_DRAWITEM, WM_MEASUREITEM ...)
  std::function<LRESULT(UINT, WPARAM, LPARAM)> answer;

 private:
  static OwnerWindow*& Current() {
    static OwnerWindow* current = nullptr;
    return current;
  }
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    OwnerWindow* owner = Current();
    if (owner && window == owner->m_window) {
      if (message == WM_COMMAND) owner->commands.push_back(Command{LOWORD(wParam), HIWORD(wParam)});
      if (message == WM_DRAWITEM || message == WM_MEASUREITEM) owner->messages.push_back(message);
      if (owner->answer) {
        LRESULT result = owner->answer(message, wParam, lParam);
        if (result) return result;
      }
    }
    return DefWindowProc(window, message, wParam, lParam);
  }
  HWND m_window = nullptr;
};

// Installs a modal hook for the life of the object.
class ModalScript {
 public:
  explicit ModalScript(ModalHook hook) : m_previous(SetModalHook(std::move(hook))) {}
  ~ModalScript() { SetModalHook(std::move(m_previous)); }
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

 private:
  ModalHook m_previous;
};

inline std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowText(window, text, sizeof text);
  return text;
}

}  // namespace layer::testing
