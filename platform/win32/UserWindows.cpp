#include "win32/UserWindows.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string_view>
#include <utility>

#include "win32/Codepage.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/UserMessages.h"
#include "win32/UserInternal.h"
#include "win32/UserWindowTable.h"
#include "win32/WindowHost.h"

#ifndef ERROR_TLW_WITH_WSCHILD
#define ERROR_TLW_WITH_WSCHILD 1406L
#endif
#ifndef ERROR_INVALID_INDEX
#define ERROR_INVALID_INDEX 1413L
#endif

using layer::Window;
using layer::WindowOf;

namespace {

std::mutex classMutex;
std::map<std::string, std::shared_ptr<layer::WindowClassRecord>>& Classes() {
  static auto* classes = new std::map<std::string, std::shared_ptr<layer::WindowClassRecord>>;
  return *classes;
}

std::string ClassKey(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
  std::string key(name);
  for (char& c : key) c = static_cast<char>(layer::Cp1252ToUpper(static_cast<unsigned char>(c)));
  return key;
}

ATOM AtomOf(const std::string& key) {
  // Class atoms are in the range the platform uses for them.
  return static_cast<ATOM>(0xC000 + std::hash<std::string>{}(key) % 0x3FFF);
}

std::shared_ptr<layer::WindowClassRecord> FindClass(LPCSTR name) {
  if (!name) return nullptr;
  std::lock_guard<std::mutex> lock(classMutex);
  auto found = Classes().find(ClassKey(name));
  return found == Classes().end() ? nullptr : found->second;
}

layer::CreationHook& CurrentCreationHook() {
  thread_local layer::CreationHook hook = nullptr;
  return hook;
}

// A text into a caller's buffer of size bytes, cut to fit; its length.
int CopyCut(std::string_view text, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

// What GetWindowLong answers for another program's window.
LONG_PTR RemoteWindowLong(const layer::RemoteWindowFacts& facts, int index) {
  switch (index) {
    case GWL_USERDATA: return facts.userData;
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(facts.parent);
    case GWL_STYLE:
      return static_cast<LONG>((facts.visible ? WS_VISIBLE : 0) | (facts.enabled ? 0 : WS_DISABLED) |
                               (facts.iconic ? WS_MINIMIZE : 0));
    default:
      SetLastError(ERROR_ACCESS_DENIED);  // its memory is not this program's
      return 0;
  }
}

bool IsOverlapped(DWORD style) { return !(style & (WS_CHILD | WS_POPUP)); }

void SendDestroy(HWND handle) {
  auto window = layer::Windows().Find(handle);
  if (!window) return;
  window->destroying = true;
  if (handle == GetActiveWindow()) layer::ActivateOtherWindow(handle);
  if (GetCapture() == handle) ReleaseCapture();
  if (!layer::IsOwnWindow(handle)) return;
  SendMessage(handle, WM_DESTROY, 0, 0);
  for (HWND child : std::vector<HWND>(window->children)) SendDestroy(child);
}

void SendNcDestroy(HWND handle) {
  auto window = layer::Windows().Find(handle);
  if (!window) return;
  for (HWND child : std::vector<HWND>(window->children)) SendNcDestroy(child);
  SendMessage(handle, WM_NCDESTROY, 0, 0);
  layer::ForgetInputOf(handle);
  layer::ForgetWindowMessages(handle);
  if (auto* host = layer::InstalledWindowHost()) host->WindowDestroyed(handle);
  layer::Windows().Remove(handle);
}

// Creation moves and sizes a window as the platform does: default places
// for CW_USEDEFAULT, and the limits of WM_GETMINMAXINFO for framed windows.
void PlaceNewWindow(const Window& window, int& x, int& y, int& width, int& height) {
  bool child = window.IsChild();
  if (x == CW_USEDEFAULT) x = y = child ? 0 : 24;
  if (width == CW_USEDEFAULT) {
    width = child ? 0 : GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
    height = child ? 0 : GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
  }
  if ((window.style & WS_THICKFRAME) || IsOverlapped(window.style)) {
    MINMAXINFO info = layer::QueryMinMaxInfo(window.handle);
    width = std::min<int>(width, info.ptMaxTrackSize.x);
    height = std::min<int>(height, info.ptMaxTrackSize.y);
    width = std::max<int>(width, info.ptMinTrackSize.x);
    height = std::max<int>(height, info.ptMinTrackSize.y);
  }
  width = std::clamp(width, 0, 32767);  // the platform's 16-bit coordinates
  height = std::clamp(height, 0, 32767);
}

}  // namespace

namespace layer {

HWND TopLevelOf(HWND handle) {
  auto window = Windows().Find(handle);
  while (window && window->IsChild()) {
    auto parent = Windows().Find(window->parent);
    if (!parent) break;
    window = parent;
  }
  return window ? window->handle : nullptr;
}

void DestroyThreadWindows(DWORD threadId) {
  for (const auto& window : WindowsOfThread(threadId)) {
    window->destroying = true;
    ForgetInputOf(window->handle);
    ForgetWindowMessages(window->handle);
    if (window->IsChild()) {
      if (auto parent = Windows().Find(window->parent)) std::erase(parent->children, window->handle);
    }
    if (auto* host = InstalledWindowHost()) host->WindowDestroyed(window->handle);
    Windows().Remove(window->handle);
  }
}

void NotifyHost(HWND window) {
  if (!window) return;
  if (auto* host = InstalledWindowHost()) host->WindowChanged(window);
}

void NotifyParents(HWND child, UINT event, POINT screen) {
  HWND current = child;
  for (;;) {
    auto window = Windows().Find(current);
    if (!window || !window->IsChild() || (window->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    HWND parent = window->parent;
    if (!parent || !IsOwnWindow(parent)) return;
    WPARAM wParam = MAKEWPARAM(event, (event == WM_CREATE || event == WM_DESTROY) ? window->id : 0);
    LPARAM lParam;
    if (event == WM_CREATE || event == WM_DESTROY) {
      lParam = reinterpret_cast<LPARAM>(child);
    } else {
      POINT inParent = screen;
      ScreenToClient(parent, &inParent);
      lParam = MAKELPARAM(inParent.x, inParent.y);
    }
    SendMessage(parent, WM_PARENTNOTIFY, wParam, lParam);
    current = parent;
  }
}

LPARAM ClientSizeParam(const Window& window) {
  RECT client = window.ClientArea();
  return MAKELPARAM(client.right - client.left, client.bottom - client.top);
}

LPARAM ClientOriginParam(const Window& window) {
  RECT client = window.ClientArea();
  return MAKELPARAM(window.rect.left + client.left, window.rect.top + client.top);
}

WPARAM SizeKind(const Window& window) {
  if (window.minimized) return SIZE_MINIMIZED;
  return window.maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

CreationHook SetCreationHook(CreationHook hook) { return std::exchange(CurrentCreationHook(), hook); }

}  // namespace layer

ATOM RegisterClassEx(const WNDCLASSEXA* info) {
  if (!info || !info->lpszClassName || !info->lpfnWndProc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto record = std::make_shared<layer::WindowClassRecord>();
  record->name = IS_INTRESOURCE(info->lpszClassName) ? ClassKey(info->lpszClassName) : info->lpszClassName;
  record->style = info->style;
  record->proc = info->lpfnWndProc;
  record->instance = info->hInstance;
  record->cursor = info->hCursor;
  record->background = info->hbrBackground;
  record->windowExtraBytes = std::max(info->cbWndExtra, 0);
  std::string key = ClassKey(info->lpszClassName);
  std::lock_guard<std::mutex> lock(classMutex);
  if (Classes().count(key)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  Classes()[key] = record;
  return AtomOf(key);
}

ATOM RegisterClass(const WNDCLASSA* info) {
  if (!info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXA extended{sizeof(WNDCLASSEXA), info->style, info->lpfnWndProc, info->cbClsExtra,
                       info->cbWndExtra, info->hInstance, info->hIcon, info->hCursor,
                       info->hbrBackground, info->lpszMenuName, info->lpszClassName, nullptr};
  return RegisterClassEx(&extended);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
  if (!className) return FALSE;
  std::string key = ClassKey(className);
  {
    std::lock_guard<std::mutex> lock(classMutex);
    auto found = Classes().find(key);
    if (found == Classes().end()) {
      SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
      return FALSE;
    }
    for (const auto& window : layer::Windows().All()) {
      if (window->windowClass == found->second) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);  // still has windows
        return FALSE;
      }
    }
    Classes().erase(found);
  }
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR className, WNDCLASSA* info) {
  auto record = FindClass(className);
  if (!record || !info) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *info = WNDCLASSA{record->style, record->proc, 0, record->windowExtraBytes, record->instance, nullptr,
                    record->cursor, record->background, nullptr, className};
  return TRUE;
}

int GetClassName(HWND handle, LPSTR name, int size) {
  if (auto facts = layer::RemoteFactsOf(handle)) return CopyCut(facts->className, name, size);
  auto window = WindowOf(handle);
  return window ? CopyCut(window->windowClass->name, name, size) : 0;
}

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  auto windowClass = FindClass(className);
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  bool child = (style & WS_CHILD) != 0;
  std::shared_ptr<Window> parentWindow;
  if (parent) {
    parentWindow = WindowOf(parent);
    if (!parentWindow) return nullptr;
    // A top-level window is owned by the top-level window of the one it names.
    if (!child) parent = layer::TopLevelOf(parent);
  } else if (child) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  // Overlapped windows always have a caption; the state bits come from ShowWindow.
  if (IsOverlapped(style)) style |= WS_CAPTION | WS_CLIPSIBLINGS;
  DWORD initialState = style & (WS_MINIMIZE | WS_MAXIMIZE);
  auto window = std::make_shared<Window>();
  window->windowClass = windowClass;
  window->proc = windowClass->proc;
  window->style = style & ~static_cast<DWORD>(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  window->exStyle = exStyle;
  // A window owned by a topmost window is topmost too, so that it is never
  // hidden behind its owner.
  if (!child && parentWindow && (layer::WindowOf(parent)->exStyle & WS_EX_TOPMOST)) window->exStyle |= WS_EX_TOPMOST;
  window->text = windowName ? windowName : "";
  window->parent = parent;
  window->id = child ? reinterpret_cast<UINT_PTR>(menu) : 0;
  window->menu = child ? nullptr : menu;
  window->instance = instance;
  window->threadId = GetCurrentThreadId();
  window->extraBytes.assign(static_cast<std::size_t>(windowClass->windowExtraBytes), 0);
  window->needsSize = IsOverlapped(style);
  HWND handle = layer::Windows().Add(window);
  layer::EnsureQueue();
  if (auto* host = layer::CurrentWindowHost()) host->WindowCreated(handle);
  if (layer::CreationHook hook = CurrentCreationHook()) hook(handle);

  PlaceNewWindow(*window, x, y, width, height);
  if (!layer::IsOwnWindow(handle)) return nullptr;
  window->rect = RECT{x, y, x + width, y + height};
  window->client = RECT{0, 0, width, height};
  window->normal = window->rect;
  window->FitCanvas();
  CREATESTRUCTA create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                       windowName, className, exStyle};
  if (!SendMessage(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    SendNcDestroy(handle);
    return nullptr;
  }
  if (!layer::IsOwnWindow(handle)) return nullptr;
  // A child joins its parent's children (at the bottom) once WM_NCCREATE let it live.
  if (child) parentWindow->children.push_back(handle);
  RECT client = window->rect;
  SendMessage(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  if (!layer::IsOwnWindow(handle)) return nullptr;
  OffsetRect(&client, -window->rect.left, -window->rect.top);
  window->client = client;
  if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!layer::IsOwnWindow(handle)) return nullptr;  // destroyed while being created
  // Overlapped windows hear their size and place when they are first shown.
  if (!window->needsSize) {
    SendMessage(handle, WM_SIZE, SIZE_RESTORED, layer::ClientSizeParam(*window));
    if (layer::IsOwnWindow(handle)) SendMessage(handle, WM_MOVE, 0, layer::ClientOriginParam(*window));
  }
  if (initialState) layer::ApplyInitialState(handle, (initialState & WS_MINIMIZE) ? SW_MINIMIZE : SW_MAXIMIZE);
  if (child && layer::IsOwnWindow(handle)) layer::NotifyParents(handle, WM_CREATE, POINT{});
  if ((style & WS_VISIBLE) && layer::IsOwnWindow(handle)) ShowWindow(handle, SW_SHOW);
  return layer::IsOwnWindow(handle) ? handle : nullptr;
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}

BOOL DestroyWindow(HWND handle) {
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  if (window->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);  // a window is destroyed by the thread that made it
    return FALSE;
  }
  if (window->destroying) return TRUE;
  bool child = window->IsChild();
  if (child) layer::NotifyParents(handle, WM_DESTROY, POINT{});
  if (!layer::IsOwnWindow(handle)) return TRUE;
  if (window->style & WS_VISIBLE) {
    if (child) ShowWindow(handle, SW_HIDE);
    else SetWindowPos(handle, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    if (!layer::IsOwnWindow(handle)) return TRUE;
  }
  // Windows owned by this one go first, as on the platform.
  if (!child) {
    for (const auto& other : layer::Windows().All()) {
      if (!other->IsChild() && other->parent == handle && other->threadId == window->threadId)
        DestroyWindow(other->handle);
    }
  }
  SendDestroy(handle);
  HWND parent = window->parent;
  SendNcDestroy(handle);
  if (child) {
    if (auto parentWindow = layer::Windows().Find(parent)) std::erase(parentWindow->children, handle);
  }
  return TRUE;
}

BOOL IsWindow(HWND handle) { return layer::IsOwnWindow(handle) || layer::RemoteFactsOf(handle); }

BOOL IsWindowVisible(HWND handle) {
  if (auto facts = layer::RemoteFactsOf(handle)) return facts->visible;
  auto window = layer::Windows().Find(handle);
  return window && layer::IsShownOnScreen(*window);
}

BOOL IsWindowEnabled(HWND handle) {
  if (auto facts = layer::RemoteFactsOf(handle)) return facts->enabled;
  auto window = WindowOf(handle);
  return window && !(window->style & WS_DISABLED);
}

BOOL IsIconic(HWND handle) {
  if (auto facts = layer::RemoteFactsOf(handle)) return facts->iconic;
  auto window = layer::Windows().Find(handle);
  return window && window->minimized;
}

BOOL IsZoomed(HWND handle) {
  auto window = layer::Windows().Find(handle);
  return window && window->maximized;
}

BOOL IsChild(HWND parent, HWND handle) {
  auto window = layer::Windows().Find(handle);
  while (window && window->IsChild()) {
    if (window->parent == parent) return TRUE;
    window = layer::Windows().Find(window->parent);
  }
  return FALSE;
}

BOOL EnableWindow(HWND handle, BOOL enable) {
  if (auto* remote = layer::RemoteWindowsFor(handle)) return remote->Enable(handle, enable);
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
  if (static_cast<bool>(wasDisabled) == !enable) return wasDisabled;
  if (!enable) {
    window->style |= WS_DISABLED;
    HWND focus = GetFocus();
    if (focus == handle || IsChild(handle, focus)) SetFocus(nullptr);
    if (GetCapture() == handle) ReleaseCapture();
  } else {
    window->style &= ~static_cast<DWORD>(WS_DISABLED);
  }
  SendMessage(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
  layer::NotifyHost(handle);
  return wasDisabled;
}


HWND GetParent(HWND handle) {
  if (auto facts = layer::RemoteFactsOf(handle)) return facts->parent;
  auto window = WindowOf(handle);
  return window ? window->parent : nullptr;
}

HWND SetParent(HWND handle, HWND parent) {
  auto window = WindowOf(handle);
  if (!window) return nullptr;
  if (parent && !layer::IsOwnWindow(parent)) return nullptr;
  HWND old = window->parent;
  if (window->IsChild()) {
    if (auto oldParent = layer::Windows().Find(old)) std::erase(oldParent->children, handle);
  }
  window->parent = parent;
  // The window comes to the top of its new parent's children.
  if (window->IsChild() && parent) {
    auto& siblings = layer::Windows().Find(parent)->children;
    siblings.insert(siblings.begin(), handle);
  }
  layer::NotifyHost(handle);
  return old;
}

HWND GetDesktopWindow() { return nullptr; }

HWND GetDlgItem(HWND dialog, int id) {
  auto window = WindowOf(dialog);
  if (!window) return nullptr;
  for (HWND child : window->children) {
    auto found = layer::Windows().Find(child);
    if (found && found->id == static_cast<UINT_PTR>(id)) return child;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND handle) {
  auto window = WindowOf(handle);
  return window ? static_cast<int>(window->id) : 0;
}


LONG_PTR GetWindowLongPtr(HWND handle, int index) {
  if (auto facts = layer::RemoteFactsOf(handle)) return RemoteWindowLong(*facts, index);
  auto window = WindowOf(handle);
  if (!window) return 0;
  switch (index) {
    case GWL_STYLE: return static_cast<LONG>(window->style);
    case GWL_EXSTYLE: return static_cast<LONG>(window->exStyle);
    case GWL_USERDATA: return window->userData;
    case GWL_ID: return static_cast<LONG_PTR>(window->id);
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(window->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(window->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(window->parent);
    default: break;
  }
  if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG_PTR) > window->extraBytes.size()) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  LONG_PTR value;
  std::memcpy(&value, window->extraBytes.data() + index, sizeof value);
  return value;
}

LONG_PTR SetWindowLongPtr(HWND handle, int index, LONG_PTR value) {
  auto window = WindowOf(handle);
  if (!window) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWL_STYLE:
      old = static_cast<LONG>(window->style);
      window->style = static_cast<DWORD>(value);
      layer::NotifyHost(handle);
      return old;
    case GWL_EXSTYLE:
      old = static_cast<LONG>(window->exStyle);
      window->exStyle = static_cast<DWORD>(value);
      return old;
    case GWL_USERDATA:
      old = window->userData;
      window->userData = value;
      return old;
    case GWL_ID:
      old = static_cast<LONG_PTR>(window->id);
      window->id = static_cast<UINT_PTR>(value);
      return old;
    case GWL_WNDPROC:
      old = reinterpret_cast<LONG_PTR>(window->proc);
      window->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    default:
      break;
  }
  if (index < 0 || static_cast<std::size_t>(index) + sizeof(LONG_PTR) > window->extraBytes.size()) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  std::memcpy(&old, window->extraBytes.data() + index, sizeof old);
  std::memcpy(window->extraBytes.data() + index, &value, sizeof value);
  return old;
}

LONG GetWindowLong(HWND handle, int index) {
  if (auto facts = layer::RemoteFactsOf(handle)) return static_cast<LONG>(RemoteWindowLong(*facts, index));
  auto window = WindowOf(handle);
  if (!window) return 0;
  if (index == GWL_WNDPROC || index == GWL_HINSTANCE) {
    SetLastError(ERROR_INVALID_INDEX);  // a pointer does not fit into 32 bits
    return 0;
  }
  if (index >= 0) {
    if (static_cast<std::size_t>(index) + sizeof(LONG) > window->extraBytes.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG value;
    std::memcpy(&value, window->extraBytes.data() + index, sizeof value);
    return value;
  }
  return static_cast<LONG>(GetWindowLongPtr(handle, index));
}

LONG SetWindowLong(HWND handle, int index, LONG value) {
  auto window = WindowOf(handle);
  if (!window) return 0;
  if (index == GWL_WNDPROC || index == GWL_HINSTANCE) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  if (index >= 0) {
    if (static_cast<std::size_t>(index) + sizeof(LONG) > window->extraBytes.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG old;
    std::memcpy(&old, window->extraBytes.data() + index, sizeof old);
    std::memcpy(window->extraBytes.data() + index, &value, sizeof value);
    return old;
  }
  return static_cast<LONG>(SetWindowLongPtr(handle, index, value));
}

BOOL SetWindowText(HWND handle, LPCSTR text) {
  if (!layer::IsOwnWindow(handle)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return static_cast<BOOL>(SendMessage(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int GetWindowText(HWND handle, LPSTR text, int size) {
  if (auto facts = layer::RemoteFactsOf(handle)) return CopyCut(facts->title, text, size);
  if (!text || size <= 0 || !layer::IsOwnWindow(handle)) return 0;
  return static_cast<int>(SendMessage(handle, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLength(HWND handle) {
  if (auto facts = layer::RemoteFactsOf(handle)) return static_cast<int>(std::strlen(facts->title));
  return layer::IsOwnWindow(handle) ? static_cast<int>(SendMessage(handle, WM_GETTEXTLENGTH, 0, 0)) : 0;
}


int GetSystemMetrics(int index) {
  SIZE screen{1024, 768};
  if (auto* host = layer::CurrentWindowHost()) screen = host->ScreenSize();
  // The platform's classic metrics, which the system's screens were made for.
  constexpr int kCaption = 19;
  constexpr int kFrame = 4;
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: return screen.cx;
    case SM_CYSCREEN: return screen.cy;
    case SM_CYFULLSCREEN: return screen.cy - kCaption;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYCAPTION:
    case SM_CYMENU: return kCaption;
    case SM_CXSIZE:
    case SM_CYSIZE: return kCaption - 1;
    case SM_CYSMCAPTION: return 15;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return 13;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return kFrame;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    case SM_CXMAXTRACK: return screen.cx + 3 * kFrame;
    case SM_CYMAXTRACK: return screen.cy + 3 * kFrame;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_CXMAXIMIZED: return screen.cx + 2 * kFrame;
    case SM_CYMAXIMIZED: return screen.cy + 2 * kFrame;
    default: return 0;
  }
}

DWORD GetSysColor(int index) {
  // The platform's classic scheme, which the system's screens were made for.
  static const COLORREF colors[] = {
      RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128),
      RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(192, 192, 192), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
      RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),
      RGB(255, 255, 225)};
  if (index < 0 || index >= static_cast<int>(std::size(colors))) return 0;
  return colors[index];
}
