// The window functions that reach across programs. With the ipc part
// installed they answer from the user's window registry, which holds this
// program's top-level windows too; without it, from this program's windows.
#include <algorithm>
#include <cstring>

#include "win32/Codepage.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Process.h"
#include "win32/UserMessages.h"
#include "win32/UserWindow.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

namespace {

bool SameText(const std::string& have, LPCSTR wanted) {
  if (!wanted) return true;
  size_t length = std::strlen(wanted);
  if (have.size() != length) return false;
  for (size_t i = 0; i < length; ++i)
    if (layer::Cp1252ToLower(static_cast<unsigned char>(have[i])) !=
        layer::Cp1252ToLower(static_cast<unsigned char>(wanted[i])))
      return false;
  return true;
}

// This program's top-level windows in z-order, the topmost first.
std::vector<std::shared_ptr<layer::Window>> OwnTopLevel() {
  auto windows = layer::TopLevelWindows();
  std::erase_if(windows, [](const auto& window) { return window->destroying; });
  return windows;
}

HWND InList(const std::vector<std::shared_ptr<layer::Window>>& list, HWND window, UINT command) {
  if (list.empty()) return nullptr;
  if (command == GW_HWNDFIRST) return list.front()->handle;
  if (command == GW_HWNDLAST) return list.back()->handle;
  auto at = std::find_if(list.begin(), list.end(), [window](const auto& each) { return each->handle == window; });
  if (at == list.end()) return nullptr;
  if (command == GW_HWNDNEXT) return at + 1 == list.end() ? nullptr : (*(at + 1))->handle;
  return at == list.begin() ? nullptr : (*(at - 1))->handle;
}

}  // namespace

namespace layer {

bool IsOwnWindow(HWND window) { return window && Windows().Find(window) != nullptr; }

RemoteWindows* RemoteWindowsFor(HWND window) {
  auto* remote = CurrentRemoteWindows();
  return remote && window && !IsOwnWindow(window) ? remote : nullptr;
}

std::optional<RemoteWindowFacts> RemoteFactsOf(HWND window) {
  RemoteWindowFacts facts;
  auto* remote = RemoteWindowsFor(window);
  if (!remote || !remote->Facts(window, facts)) return std::nullopt;
  return facts;
}

}  // namespace layer

HWND FindWindow(LPCSTR className, LPCSTR windowName) {
  if (auto* remote = layer::CurrentRemoteWindows()) return remote->Find(className, windowName);
  for (const auto& window : OwnTopLevel())
    if (SameText(window->windowClass->name, className) && SameText(window->text, windowName)) return window->handle;
  return nullptr;
}

HWND GetWindow(HWND handle, UINT command) {
  auto local = layer::Windows().Find(handle);
  if (command == GW_CHILD) return local && !local->children.empty() ? local->children.front() : nullptr;
  if (command == GW_OWNER) {
    if (local) return local->IsChild() ? nullptr : local->parent;
    auto facts = layer::RemoteFactsOf(handle);
    return facts ? facts->parent : nullptr;
  }
  if (command > GW_HWNDPREV) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (local && local->IsChild()) {  // among its siblings
    std::vector<std::shared_ptr<layer::Window>> siblings;
    if (auto parent = layer::Windows().Find(local->parent))
      for (HWND child : parent->children)
        if (auto sibling = layer::Windows().Find(child)) siblings.push_back(sibling);
    return InList(siblings, handle, command);
  }
  if (auto* remote = layer::CurrentRemoteWindows()) return remote->Neighbour(handle, command);
  return InList(OwnTopLevel(), handle, command);
}

DWORD GetWindowThreadProcessId(HWND handle, LPDWORD processId) {
  if (auto local = layer::Windows().Find(handle)) {
    if (processId) *processId = GetCurrentProcessId();
    return local->threadId;
  }
  if (auto facts = layer::RemoteFactsOf(handle)) {
    if (processId) *processId = facts->processId;
    return facts->threadId;
  }
  if (processId) *processId = 0;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return 0;
}

LRESULT SendMessageTimeout(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                           DWORD_PTR* result) {
  if (result) *result = 0;
  if (layer::IsOwnWindow(handle)) {
    // This program's own windows answer within the program.
    LRESULT answer = SendMessage(handle, message, wParam, lParam);
    if (result) *result = static_cast<DWORD_PTR>(answer);
    return 1;
  }
  auto* remote = layer::CurrentRemoteWindows();
  if (!remote) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return remote->Send(handle, message, wParam, lParam, flags, timeout, result);
}
