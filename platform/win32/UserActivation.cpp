// Focus, activation and capture. The keyboard focus and the active window
// belong to a thread (each user-interface thread has its own); the
// foreground window and the mouse capture belong to the program, as there is
// one keyboard and one mouse. Activation sends the platform's messages in its
// order: the window losing activation hears WM_NCACTIVATE and WM_ACTIVATE,
// the window gaining it comes to the top, WM_ACTIVATEAPP goes to the threads
// whose activation changes, then WM_NCACTIVATE and WM_ACTIVATE to the new
// window, whose default handling gives it the focus.
#include <algorithm>
#include <map>
#include <mutex>

#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/UserInternal.h"
#include "win32/UserMessages.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"
#include "win32/WindowHost.h"

namespace layer {
namespace {

struct ThreadInput {
  HWND focus = nullptr;
  HWND active = nullptr;
};

struct InputState {
  std::mutex mutex;
  std::map<DWORD, ThreadInput> threads;
  HWND foreground = nullptr;
  HWND capture = nullptr;
};

InputState& Input() {
  static auto* state = new InputState;
  return *state;
}

ThreadInput Of(DWORD thread) {
  InputState& input = Input();
  std::lock_guard<std::mutex> lock(input.mutex);
  auto found = input.threads.find(thread);
  return found == input.threads.end() ? ThreadInput{} : found->second;
}

ThreadInput Own() { return Of(GetCurrentThreadId()); }

void SetOwnFocus(HWND window) {
  InputState& input = Input();
  std::lock_guard<std::mutex> lock(input.mutex);
  input.threads[GetCurrentThreadId()].focus = window;
}

DWORD ThreadOf(HWND handle) {
  auto window = Windows().Find(handle);
  return window ? window->threadId : 0;
}

// The calling thread's active window; a window that comes to the foreground
// takes it from another thread's window, which that thread lets go.
void SetOwnActive(HWND window) {
  HWND other = nullptr;
  {
    InputState& input = Input();
    std::lock_guard<std::mutex> lock(input.mutex);
    input.threads[GetCurrentThreadId()].active = window;
    HWND foreground = input.foreground;
    DWORD foregroundThread = ThreadOf(foreground);
    if (window) {
      if (foreground && foregroundThread != GetCurrentThreadId()) other = foreground;
      input.foreground = window;
    } else if (foregroundThread == GetCurrentThreadId() || !foregroundThread) {
      input.foreground = nullptr;
    }
  }
  if (other) PostRequest(other, kActivationRequest, FALSE, 0);
}

bool IsOwnThreadWindow(HWND handle) {
  auto window = Windows().Find(handle);
  return window && window->threadId == GetCurrentThreadId();
}

// A window takes the focus only while it and the windows above it are enabled and not minimised.
bool CanTakeFocus(HWND handle) {
  for (auto window = Windows().Find(handle); window; window = Windows().Find(window->parent)) {
    if (window->style & (WS_DISABLED | WS_MINIMIZE)) return false;
    if (!window->IsChild()) return true;
  }
  return false;
}

void MoveFocus(HWND handle) {
  HWND old = Own().focus;
  if (old == handle) return;
  SetOwnFocus(handle);
  if (old && IsOwnWindow(old)) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
  if (handle && Own().focus == handle) SendMessage(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
}

void SendActivateApp(DWORD thread, bool active, DWORD otherThread) {
  for (const auto& window : TopLevelWindows()) {
    if (window->threadId != thread) continue;
    SendMessage(window->handle, WM_ACTIVATEAPP, active ? TRUE : FALSE, static_cast<LPARAM>(otherThread));
  }
}

bool CanBeActivated(const Window& window) {
  return !window.IsChild() && !window.destroying && (window.style & WS_VISIBLE) && !(window.style & WS_DISABLED) &&
         !window.minimized;
}

}  // namespace

bool ActivateWindow(HWND handle, bool byMouse) {
  if (handle) handle = TopLevelOf(handle);
  HWND previous = Own().active;
  if (previous == handle) return true;
  if (previous && IsOwnWindow(previous)) {
    SendMessage(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(handle));
    SendMessage(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(previous) ? 1 : 0),
                reinterpret_cast<LPARAM>(handle));
  }
  if (handle && !IsOwnWindow(handle)) handle = nullptr;  // gone while the old one was told
  SetOwnActive(handle);
  if (handle) {
    SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    if (!IsOwnWindow(handle)) return false;
  }
  DWORD oldThread = previous ? ThreadOf(previous) : 0;
  DWORD newThread = handle ? GetCurrentThreadId() : 0;
  if (oldThread != newThread) {
    if (!previous) SendActivateApp(newThread, true, oldThread);
    else if (!handle) SendActivateApp(oldThread, false, newThread);
  }
  if (handle) {
    SendMessage(handle, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(previous));
    SendMessage(handle, WM_ACTIVATE, MAKEWPARAM(byMouse ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(handle) ? 1 : 0),
                reinterpret_cast<LPARAM>(previous));
    // A procedure that handled WM_ACTIVATE itself still leaves the focus inside the new window.
    HWND focus = Own().focus;
    if (Own().active == handle && (!focus || TopLevelOf(focus) != handle)) MoveFocus(handle);
  } else {
    MoveFocus(nullptr);
  }
  NotifyHost(previous);
  NotifyHost(handle);
  return handle == nullptr || Own().active == handle;
}

void ActivateOtherWindow(HWND handle) {
  auto window = Windows().Find(handle);
  HWND next = nullptr;
  if (window && window->parent) {
    auto owner = Windows().Find(window->parent);
    if (owner && CanBeActivated(*owner) && owner->threadId == GetCurrentThreadId()) next = owner->handle;
  }
  if (!next) {
    for (const auto& other : TopLevelWindows()) {
      if (other->handle != handle && other->threadId == GetCurrentThreadId() && CanBeActivated(*other) &&
          !(other->exStyle & WS_EX_TOOLWINDOW)) {
        next = other->handle;
        break;
      }
    }
  }
  ActivateWindow(next, false);
}

void ForgetInputOf(HWND handle) {
  InputState& input = Input();
  std::lock_guard<std::mutex> lock(input.mutex);
  for (auto& [thread, state] : input.threads) {
    if (state.focus == handle) state.focus = nullptr;
    if (state.active == handle) state.active = nullptr;
  }
  if (input.foreground == handle) input.foreground = nullptr;
  if (input.capture == handle) input.capture = nullptr;
}

HWND ForegroundFocus() {
  InputState& input = Input();
  std::lock_guard<std::mutex> lock(input.mutex);
  auto window = Windows().Find(input.foreground);
  if (!window) return nullptr;
  auto found = input.threads.find(window->threadId);
  return found == input.threads.end() ? nullptr : found->second.focus;
}

HWND CaptureWindow() {
  InputState& input = Input();
  std::lock_guard<std::mutex> lock(input.mutex);
  return input.capture;
}

}  // namespace layer

using layer::Own;

HWND SetFocus(HWND handle) {
  if (handle && !layer::IsOwnThreadWindow(handle)) {
    SetLastError(layer::IsOwnWindow(handle) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  HWND old = Own().focus;
  if (old == handle) return old;
  if (handle) {
    if (!layer::CanTakeFocus(handle)) return nullptr;
    HWND top = layer::TopLevelOf(handle);
    if (top != Own().active) {
      if (!layer::ActivateWindow(top, false) || !IsWindow(handle)) return nullptr;
      if (Own().active != top) return nullptr;
    }
    old = Own().focus;  // activation may have moved the focus already
    if (old == handle) return old;
  }
  layer::MoveFocus(handle);
  return old;
}

HWND GetFocus() { return Own().focus; }

HWND SetActiveWindow(HWND handle) {
  HWND old = Own().active;
  if (handle && !layer::IsOwnThreadWindow(handle)) {
    SetLastError(layer::IsOwnWindow(handle) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  auto window = layer::Windows().Find(handle);
  if (window && window->IsChild()) return old;  // a child window is never the active one
  layer::ActivateWindow(handle, false);
  return old;
}

HWND GetActiveWindow() { return Own().active; }

BOOL SetForegroundWindow(HWND handle) {
  if (auto* remote = layer::RemoteWindowsFor(handle)) return remote->BringToFront(handle);
  auto window = layer::WindowOf(handle);
  if (!window) return FALSE;
  if (window->threadId == GetCurrentThreadId()) return layer::ActivateWindow(handle, false);
  // Another thread's window is activated by its own thread, when it next looks at its queue.
  return layer::PostRequest(handle, layer::kActivationRequest, TRUE, 0);
}

HWND GetForegroundWindow() {
  layer::InputState& input = layer::Input();
  std::lock_guard<std::mutex> lock(input.mutex);
  return input.foreground;
}

HWND SetCapture(HWND handle) {
  HWND old = layer::CaptureWindow();
  if (handle && !layer::IsOwnThreadWindow(handle)) return old;
  {
    layer::InputState& input = layer::Input();
    std::lock_guard<std::mutex> lock(input.mutex);
    input.capture = handle;
  }
  if (old && old != handle && layer::IsOwnWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
  if (auto* host = layer::InstalledWindowHost()) host->CaptureChanged(handle);
  return old && layer::IsOwnThreadWindow(old) ? old : nullptr;
}

HWND GetCapture() {
  HWND capture = layer::CaptureWindow();
  return capture && layer::IsOwnThreadWindow(capture) ? capture : nullptr;
}

BOOL ReleaseCapture() {
  HWND old = layer::CaptureWindow();
  if (!old) return TRUE;
  {
    layer::InputState& input = layer::Input();
    std::lock_guard<std::mutex> lock(input.mutex);
    input.capture = nullptr;
  }
  if (layer::IsOwnWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  if (auto* host = layer::InstalledWindowHost()) host->CaptureChanged(nullptr);
  return TRUE;
}

namespace layer {

LRESULT HandleRequest(HWND window, UINT request, WPARAM wParam, LPARAM lParam) {
  if (!IsOwnThreadWindow(window)) return 0;
  switch (request) {
    case kActivationRequest:
      if (wParam) ActivateWindow(window, false);
      else if (Own().active == TopLevelOf(window)) ActivateWindow(nullptr, false);
      return 0;
    case kShowRequest:
      return ShowWindow(window, static_cast<int>(wParam));
    case kPositionRequest: {
      auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      return pos ? SetWindowPos(window, pos->hwndInsertAfter, pos->x, pos->y, pos->cx, pos->cy, pos->flags) : 0;
    }
    default:
      return 0;
  }
}

}  // namespace layer
