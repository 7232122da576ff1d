// Mouse and keys as the platform delivers them. The screen queues what
// happened; the thread that reads it finds the window under the pointer by
// asking each candidate (WM_NCHITTEST, where HTTRANSPARENT passes the point
// on to the window below), tells the ancestors of a pressed child
// (WM_PARENTNOTIFY), lets a press activate an inactive window
// (WM_MOUSEACTIVATE), lets the window choose the cursor (WM_SETCURSOR), and
// only then reads the client or non-client mouse message. Presses in quick
// succession at one place become double clicks. A window that asked to hear
// when the pointer leaves it is told when the pointer's input goes elsewhere.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "win32/Clock.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/UserInternal.h"
#include "win32/UserMessages.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

constexpr UINT kDoubleClickTime = 500;

struct RawMouse {
  POINT screen;
  UINT message;
  WPARAM keys;
  short delta;
};

RawMouse Unpack(const MSG& raw) {
  return RawMouse{POINT{GET_X_LPARAM(raw.lParam), GET_Y_LPARAM(raw.lParam)}, static_cast<UINT>((raw.wParam >> 16) & 0xFFFF),
                  raw.wParam & 0xFFFF, static_cast<short>((raw.wParam >> 32) & 0xFFFF)};
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool Contains(const Window& window, POINT screen) {
  RECT rect;
  return GetWindowRect(window.handle, &rect) && PtInRect(&rect, screen);
}

// The windows under a point inside a top-level window, the deepest (and,
// among siblings, the topmost) first: the order in which they are asked.
void Candidates(const Window& window, POINT screen, std::vector<HWND>& out) {
  if (!window.minimized) {
    POINT client = screen;
    ScreenToClient(window.handle, &client);
    RECT box;
    GetClientRect(window.handle, &box);
    if (PtInRect(&box, client)) {
      for (HWND handle : window.children) {
        auto child = Windows().Find(handle);
        // A disabled child takes no input: the window below it does.
        if (!child || !(child->style & WS_VISIBLE) || (child->style & WS_DISABLED) || !Contains(*child, screen)) continue;
        Candidates(*child, screen, out);
      }
    }
  }
  out.push_back(window.handle);
}

struct Target {
  HWND window = nullptr;
  LRESULT hit = HTNOWHERE;
  DWORD otherThread = 0;  // the point belongs to a window of another thread
};

Target WindowAt(POINT screen) {
  for (const auto& top : TopLevelWindows()) {
    if (!IsShownOnScreen(*top) || !Contains(*top, screen)) continue;
    if (top->threadId != GetCurrentThreadId()) return Target{nullptr, HTNOWHERE, top->threadId};
    if (top->style & WS_DISABLED) return Target{top->handle, HTERROR};
    std::vector<HWND> candidates;
    Candidates(*top, screen, candidates);
    for (HWND handle : candidates) {
      auto window = Windows().Find(handle);
      if (!window) continue;
      if (window->threadId != GetCurrentThreadId()) return Target{nullptr, HTNOWHERE, window->threadId};
      LRESULT hit = SendMessage(handle, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
      if (hit != HTTRANSPARENT) return Target{handle, hit};
    }
  }
  return Target{};
}

// There is one pointer: the window watched for its leaving, of any thread.
std::atomic<HWND> leaveWatched{nullptr};

// The pointer's input goes to now (a window's client area; none for anything
// else): a watched window that it left hears so, once.
void NoteWhereThePointerIs(HWND now) {
  HWND watched = leaveWatched.load();
  if (watched == nullptr || watched == now || !leaveWatched.compare_exchange_strong(watched, nullptr)) return;
  PostMessage(watched, WM_MOUSELEAVE, 0, 0);
}

struct LastClick {
  HWND window = nullptr;
  UINT message = 0;
  DWORD time = 0;
  POINT screen{};
};
thread_local LastClick lastClick;

// A press close in time and place to the one before it, on the same window
// with the same button, is a double click (for windows that want them, and
// always on the non-client area).
bool IsDoubleClick(HWND window, UINT message, POINT screen, DWORD time) {
  return lastClick.window == window && lastClick.message == message && time - lastClick.time <= kDoubleClickTime &&
         std::abs(screen.x - lastClick.screen.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(screen.y - lastClick.screen.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

bool WantsDoubleClicks(HWND handle, bool client) {
  if (!client) return true;
  auto window = Windows().Find(handle);
  return window && window->windowClass && (window->windowClass->style & CS_DBLCLKS);
}

// What a press does to activation; false when the window eats the press.
bool MouseActivate(HWND window, LRESULT hit, UINT rawMessage) {
  HWND top = TopLevelOf(window);
  if (!top || top == GetActiveWindow()) return true;
  LRESULT answer =
      SendMessage(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MAKELPARAM(static_cast<WORD>(hit), rawMessage));
  switch (answer) {
    case MA_NOACTIVATEANDEAT:
      return false;
    case MA_NOACTIVATE:
      return true;
    case MA_ACTIVATEANDEAT:
      ActivateWindow(top, true);
      return false;
    default:  // MA_ACTIVATE, or nothing said
      return ActivateWindow(top, true) && IsWindow(window);
  }
}

InputOutcome ConvertMouse(const MSG& raw, bool remove, MSG* out) {
  RawMouse mouse = Unpack(raw);
  *out = MSG{nullptr, mouse.message, mouse.keys, 0, raw.time, mouse.screen};
  if (mouse.message == WM_MOUSEWHEEL) {
    HWND focus = GetFocus();
    if (!focus) return InputOutcome::kDrop;
    *out = MSG{focus, WM_MOUSEWHEEL, MAKEWPARAM(mouse.keys, static_cast<WORD>(mouse.delta)),
               MAKELPARAM(mouse.screen.x, mouse.screen.y), raw.time, mouse.screen};
    return InputOutcome::kDeliver;
  }
  Target target;
  bool captured = false;
  if (HWND capture = CaptureWindow()) {
    auto window = Windows().Find(capture);
    if (window && window->threadId != GetCurrentThreadId()) {
      QueueInput(window->threadId, raw);
      return InputOutcome::kElsewhere;
    }
    target = Target{capture, HTCLIENT};
    captured = true;
  } else {
    target = WindowAt(mouse.screen);
    if (target.otherThread) {
      QueueInput(target.otherThread, raw);
      return InputOutcome::kElsewhere;
    }
    if (remove) NoteWhereThePointerIs(target.hit == HTCLIENT ? target.window : nullptr);
  }
  if (!target.window || !IsWindow(target.window)) return InputOutcome::kDrop;
  if (target.hit == HTERROR) {
    // A window that takes no input: it may only show that (WM_SETCURSOR).
    if (remove) SendMessage(target.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(target.window), MAKELPARAM(HTERROR, mouse.message));
    return InputOutcome::kDrop;
  }
  if (target.hit == HTNOWHERE && !captured) return InputOutcome::kDrop;
  bool client = target.hit == HTCLIENT;
  UINT message = client ? mouse.message : mouse.message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
  if (IsButtonDown(mouse.message)) {
    bool twice = IsDoubleClick(target.window, mouse.message, mouse.screen, raw.time) && WantsDoubleClicks(target.window, client);
    if (twice) message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    if (remove) lastClick = twice ? LastClick{} : LastClick{target.window, mouse.message, raw.time, mouse.screen};
  }
  if (client) {
    POINT point = mouse.screen;
    ScreenToClient(target.window, &point);
    *out = MSG{target.window, message, mouse.keys, MAKELPARAM(point.x, point.y), raw.time, mouse.screen};
  } else {
    *out = MSG{target.window, message, static_cast<WPARAM>(target.hit), MAKELPARAM(mouse.screen.x, mouse.screen.y), raw.time,
               mouse.screen};
  }
  if (!remove) return InputOutcome::kDeliver;
  bool deliver = true;
  if (IsButtonDown(mouse.message) && !captured) {
    NotifyParents(target.window, mouse.message, mouse.screen);
    if (!IsWindow(target.window)) return InputOutcome::kDrop;
    deliver = MouseActivate(target.window, target.hit, mouse.message);
    if (!IsWindow(target.window)) return InputOutcome::kDrop;
  }
  if (!captured)
    SendMessage(target.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(target.window),
                MAKELPARAM(static_cast<WORD>(target.hit), mouse.message));
  if (!deliver || !IsWindow(target.window)) return InputOutcome::kDrop;
  return InputOutcome::kDeliver;
}

// Keys go to the window with the focus; without one, to the active window as
// system keys; without either, nowhere.
// The keys held as the program takes a key: the modifiers held with it, and
// the key itself.
void NoteHeldKeys(UINT message, int key, unsigned held) {
  if (!(held & kHeldKnown)) return;
  SetKeyDown(VK_SHIFT, held & kHeldShift);
  SetKeyDown(VK_CONTROL, held & kHeldControl);
  SetKeyDown(VK_MENU, held & kHeldAlt);
  SetKeyDown(key, message == WM_KEYDOWN || message == WM_SYSKEYDOWN);
}

InputOutcome ConvertKey(const MSG& raw, MSG* out) {
  UINT message = static_cast<UINT>((raw.wParam >> 16) & 0xFFFF);
  WPARAM key = raw.wParam & 0xFFFF;
  NoteHeldKeys(message, static_cast<int>(key), static_cast<unsigned>((static_cast<uint64_t>(raw.wParam) >> 32) & 0xFF));
  HWND target = GetFocus();
  if (!target) {
    target = GetActiveWindow();
    if (!target) return InputOutcome::kDrop;
    if (message == WM_KEYDOWN) message = WM_SYSKEYDOWN;
    else if (message == WM_KEYUP) message = WM_SYSKEYUP;
  }
  *out = MSG{target, message, key, raw.lParam, raw.time, raw.pt};
  return InputOutcome::kDeliver;
}

DWORD ThreadAt(POINT screen) {
  if (HWND capture = CaptureWindow()) {
    if (auto window = Windows().Find(capture)) return window->threadId;
  }
  for (const auto& top : TopLevelWindows()) {
    if (IsShownOnScreen(*top) && Contains(*top, screen)) return top->threadId;
  }
  return 0;
}

void NoteButton(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: SetKeyDown(VK_LBUTTON, true); break;
    case WM_LBUTTONUP: SetKeyDown(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN: SetKeyDown(VK_RBUTTON, true); break;
    case WM_RBUTTONUP: SetKeyDown(VK_RBUTTON, false); break;
    case WM_MBUTTONDOWN: SetKeyDown(VK_MBUTTON, true); break;
    case WM_MBUTTONUP: SetKeyDown(VK_MBUTTON, false); break;
    default: break;
  }
}

}  // namespace

InputOutcome ConvertInput(const MSG& raw, bool remove, MSG* out) {
  if (raw.message == kKeyInput) return ConvertKey(raw, out);
  return ConvertMouse(raw, remove, out);
}

bool MouseInput(POINT screen, UINT message, WPARAM keys, int wheelDelta) {
  SetCursorPosition(screen);
  NoteButton(message);
  DWORD thread = message == WM_MOUSEWHEEL ? 0 : ThreadAt(screen);
  if (message == WM_MOUSEWHEEL) {
    if (HWND front = GetForegroundWindow()) thread = GetWindowThreadProcessId(front, nullptr);
  }
  if (!thread && message != WM_MOUSEWHEEL) NoteWhereThePointerIs(nullptr);  // over no window of the program
  if (!thread) return false;
  WPARAM packed = (keys & 0xFFFF) | (static_cast<WPARAM>(message & 0xFFFF) << 16) |
                  (static_cast<WPARAM>(static_cast<WORD>(wheelDelta)) << 32);
  return QueueInput(thread, MSG{nullptr, kMouseInput, packed, MAKELPARAM(screen.x, screen.y), GetTickCount(), screen});
}

bool KeyInput(UINT message, int virtualKey, LPARAM flags, unsigned held) {
  HWND front = GetForegroundWindow();
  if (!front) return false;
  POINT cursor;
  GetCursorPos(&cursor);
  WPARAM packed = (static_cast<WPARAM>(virtualKey) & 0xFFFF) | (static_cast<WPARAM>(message & 0xFFFF) << 16) |
                  (static_cast<WPARAM>(held & 0xFF) << 32);
  return QueueInput(GetWindowThreadProcessId(front, nullptr), MSG{nullptr, kKeyInput, packed, flags, GetTickCount(), cursor});
}

}  // namespace layer

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
  using layer::leaveWatched;
  if (track == nullptr || track->cbSize != sizeof(TRACKMOUSEEVENT) || !IsWindow(track->hwndTrack)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!(track->dwFlags & TME_LEAVE)) return TRUE;
  if (!(track->dwFlags & TME_CANCEL)) {
    leaveWatched.store(track->hwndTrack);
    return TRUE;
  }
  HWND watched = track->hwndTrack;
  leaveWatched.compare_exchange_strong(watched, nullptr);
  return TRUE;
}
