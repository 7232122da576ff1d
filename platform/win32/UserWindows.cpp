#include "win32/UserWindows.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string_view>
#include <utility>

#include "win32/Codepage.h"
#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Icons.h"
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

// Focus, activation and capture are the process's; the system's windows
// all run on the one thread that shows them.
struct InputState {
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HCURSOR cursor = nullptr;
  int cursorCount = 0;
  POINT cursorPos{};
  SHORT keys[256]{};
  int characters[256]{};
};
InputState& Input() {
  static InputState state;
  return state;
}

layer::CreationHook& CurrentCreationHook() {
  thread_local layer::CreationHook hook = nullptr;
  return hook;
}

void NotifyHost(HWND window) {
  if (auto* host = layer::CurrentWindowHost()) host->WindowChanged(window);
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

HWND TopLevelOf(HWND handle) {
  auto window = layer::Windows().Find(handle);
  while (window && window->IsChild()) {
    auto parent = layer::Windows().Find(window->parent);
    if (!parent) break;
    window = parent;
  }
  return window ? window->handle : nullptr;
}

void ReleaseStateOf(HWND handle) {
  InputState& input = Input();
  if (input.capture == handle) ReleaseCapture();
  if (input.focus == handle) input.focus = nullptr;
  if (input.active == handle) input.active = nullptr;
}

void SendDestroy(HWND handle) {
  auto window = layer::Windows().Find(handle);
  if (!window) return;
  window->destroying = true;
  SendMessage(handle, WM_DESTROY, 0, 0);
  for (HWND child : std::vector<HWND>(window->children)) SendDestroy(child);
}

void SendNcDestroy(HWND handle) {
  auto window = layer::Windows().Find(handle);
  if (!window) return;
  for (HWND child : std::vector<HWND>(window->children)) SendNcDestroy(child);
  SendMessage(handle, WM_NCDESTROY, 0, 0);
  ReleaseStateOf(handle);
  layer::ForgetWindowMessages(handle);
  if (auto* host = layer::CurrentWindowHost()) host->WindowDestroyed(handle);
  layer::Windows().Remove(handle);
}

void DrawScrollBars(Window& window);

// Fits the canvas to the window and tells the window its client size changed.
void SizeChanged(Window& window, bool sendSize) {
  window.canvas.Resize(window.Width(), window.Height(), 0xFFFFFFFFu);
  DrawScrollBars(window);
  if (sendSize) SendMessage(window.handle, WM_SIZE, SizeKind(window), ClientSizeParam(window));
}

}  // namespace

// Scroll bars are drawn by the layer into the window's canvas, plain as the
// platform's classic ones, so screenshots show them.
namespace {

void DrawScrollBars(Window& window) {
  const std::uint32_t track = layer::PixelFromColor(RGB(224, 224, 224));
  const std::uint32_t face = layer::PixelFromColor(GetSysColor(COLOR_BTNFACE));
  const std::uint32_t shadow = layer::PixelFromColor(GetSysColor(COLOR_BTNSHADOW));
  auto drawButton = [&](RECT box) {
    if (IsRectEmpty(&box)) return;
    window.canvas.Fill(box, shadow);
    InflateRect(&box, -1, -1);
    window.canvas.Fill(box, face);
  };
  for (int bar : {SB_HORZ, SB_VERT}) {
    if (!window.bars[bar].shown) continue;
    layer::ScrollBarLayout layout = layer::LayoutScrollBar(window, bar);
    window.canvas.Fill(layout.area, track);
    drawButton(layout.lineUp);
    drawButton(layout.lineDown);
    drawButton(layout.thumb);
  }
  if (window.bars[SB_HORZ].shown && window.bars[SB_VERT].shown) {
    RECT client = window.ClientArea();
    window.canvas.Fill(RECT{client.right, client.bottom, window.Width(), window.Height()}, face);
  }
  window.canvas.Touch();
}

void ApplyStyleVisibility(Window& window, bool visible) {
  if (visible) window.style |= WS_VISIBLE;
  else window.style &= ~static_cast<DWORD>(WS_VISIBLE);
}

}  // namespace

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
  std::shared_ptr<Window> parentWindow;
  if (parent) {
    parentWindow = WindowOf(parent);
    if (!parentWindow) return nullptr;
  } else if (style & WS_CHILD) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  bool child = (style & WS_CHILD) != 0;
  if (x == CW_USEDEFAULT) x = y = child ? 0 : 24;
  if (width == CW_USEDEFAULT) {
    width = child ? 0 : GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
    height = child ? 0 : GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
  }
  auto window = std::make_shared<Window>();
  window->windowClass = windowClass;
  window->proc = windowClass->proc;
  window->style = style & ~static_cast<DWORD>(WS_VISIBLE);
  window->exStyle = exStyle;
  window->text = windowName ? windowName : "";
  window->parent = parent;
  window->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  window->id = child ? reinterpret_cast<UINT_PTR>(menu) : 0;
  window->menu = child ? nullptr : menu;
  window->instance = instance;
  window->threadId = GetCurrentThreadId();
  window->extraBytes.assign(static_cast<std::size_t>(windowClass->windowExtraBytes), 0);
  window->canvas.Resize(window->Width(), window->Height());
  HWND handle = layer::Windows().Add(window);
  layer::EnsureQueue();
  if (child) parentWindow->children.push_back(handle);
  if (auto* host = layer::CurrentWindowHost()) host->WindowCreated(handle);
  if (layer::CreationHook hook = CurrentCreationHook()) hook(handle);

  CREATESTRUCTA create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                       windowName, className, exStyle};
  if (!SendMessage(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    SendNcDestroy(handle);
    if (child && parentWindow) std::erase(parentWindow->children, handle);
    return nullptr;
  }
  if (SendMessage(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!layer::IsOwnWindow(handle)) return nullptr;  // destroyed while being created
  SendMessage(handle, WM_SIZE, SIZE_RESTORED, ClientSizeParam(*window));
  SendMessage(handle, WM_MOVE, 0, ClientOriginParam(*window));
  if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  return layer::IsOwnWindow(handle) ? handle : nullptr;
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}

BOOL DestroyWindow(HWND handle) {
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  if (window->destroying) return TRUE;
  // Windows owned by this one go first, as on the platform.
  for (const auto& other : layer::Windows().All()) {
    if (!other->IsChild() && other->parent == handle) DestroyWindow(other->handle);
  }
  if (window->style & WS_VISIBLE) {
    ApplyStyleVisibility(*window, false);
    if (window->IsChild()) {
      RECT area = window->rect;
      InvalidateRect(window->parent, &area, TRUE);
    }
  }
  SendDestroy(handle);
  SendNcDestroy(handle);
  if (window->IsChild()) {
    if (auto parent = layer::Windows().Find(window->parent)) std::erase(parent->children, handle);
  }
  return TRUE;
}

LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto window = WindowOf(handle);
  if (!window) return 0;
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (create && create->lpszName) window->text = create->lpszName;
      return TRUE;
    }
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(handle, &paint);
      EndPaint(handle, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return layer::EraseWithClassBrush(*window, reinterpret_cast<HDC>(wParam));
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos && !(pos->flags & SWP_NOMOVE)) SendMessage(handle, WM_MOVE, 0, ClientOriginParam(*window));
      if (pos && !(pos->flags & SWP_NOSIZE)) SendMessage(handle, WM_SIZE, SizeKind(*window), ClientSizeParam(*window));
      return 0;
    }
    case WM_SETTEXT:
      window->text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
      NotifyHost(handle);
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window->text.size());
    case WM_GETTEXT: {
      auto* text = reinterpret_cast<LPSTR>(lParam);
      if (!text || wParam == 0) return 0;
      std::size_t count = std::min<std::size_t>(window->text.size(), wParam - 1);
      std::memcpy(text, window->text.data(), count);
      text[count] = '\0';
      return static_cast<LRESULT>(count);
    }
    case WM_SETCURSOR:
      if (window->IsChild() && SendMessage(window->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (LOWORD(lParam) == HTCLIENT && window->windowClass->cursor) {
        SetCursor(window->windowClass->cursor);
        return TRUE;
      }
      return FALSE;
    case WM_NCHITTEST: {
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT windowRect;
      GetWindowRect(handle, &windowRect);
      if (!PtInRect(&windowRect, point)) return HTNOWHERE;
      POINT inside{point.x - windowRect.left, point.y - windowRect.top};
      RECT client = window->ClientArea();
      if (PtInRect(&client, inside)) return HTCLIENT;
      if (window->bars[SB_VERT].shown && inside.x >= client.right && inside.y < client.bottom) return HTVSCROLL;
      if (window->bars[SB_HORZ].shown && inside.y >= client.bottom && inside.x < client.right) return HTHSCROLL;
      return HTNOWHERE;
    }
    case WM_MOUSEACTIVATE:
      return 1;  // MA_ACTIVATE
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !window->IsChild()) {
        HWND focus = GetFocus();
        if (!focus || TopLevelOf(focus) != handle) SetFocus(handle);
      }
      return 0;
    case WM_CONTEXTMENU:
      if (window->IsChild()) return SendMessage(window->parent, message, wParam, lParam);
      return 0;
    case WM_SETREDRAW:
      window->redraw = wParam != 0;
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == 0xF060) SendMessage(handle, WM_CLOSE, 0, 0);  // SC_CLOSE
      return 0;
    default:
      return 0;
  }
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

namespace {

RECT MaximizedRect(const Window& window) {
  if (window.IsChild()) {
    RECT client;
    GetClientRect(window.parent, &client);
    return client;
  }
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Minimising, maximising and restoring move the window; the rectangle it
// had before comes back on restore.
std::map<HWND, RECT>& RestoreRects() {
  static auto* rects = new std::map<HWND, RECT>;
  return *rects;
}

void Place(Window& window, const RECT& rect) {
  SetWindowPos(window.handle, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

BOOL ShowWindow(HWND handle, int command) {
  if (auto* remote = layer::RemoteWindowsFor(handle)) return remote->Show(handle, command);
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  bool wasVisible = (window->style & WS_VISIBLE) != 0;
  bool show = command != SW_HIDE;
  if (wasVisible != show) {
    SendMessage(handle, WM_SHOWWINDOW, show, 0);
    if (!layer::IsOwnWindow(handle)) return wasVisible;
    ApplyStyleVisibility(*window, show);
    if (show) {
      RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (window->IsChild()) {
      RECT area = window->rect;
      InvalidateRect(window->parent, &area, TRUE);
    }
  }
  switch (command) {
    case SW_SHOWMAXIMIZED:
      if (!window->maximized) {
        if (!window->minimized) RestoreRects()[handle] = window->rect;
        window->minimized = false;
        window->maximized = true;
        Place(*window, MaximizedRect(*window));
      }
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      if (!window->minimized) {
        if (!window->maximized) RestoreRects()[handle] = window->rect;
        window->minimized = true;
        SendMessage(handle, WM_SIZE, SIZE_MINIMIZED, 0);
      }
      break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
      if (window->minimized || window->maximized) {
        window->minimized = window->maximized = false;
        auto saved = RestoreRects().find(handle);
        if (saved != RestoreRects().end()) {
          RECT rect = saved->second;
          RestoreRects().erase(saved);
          Place(*window, rect);
        }
        SendMessage(handle, WM_SIZE, SIZE_RESTORED, ClientSizeParam(*window));
      }
      break;
    default:
      break;
  }
  bool activates = command != SW_HIDE && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                   command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;
  if (activates && !window->IsChild() && layer::IsOwnWindow(handle)) SetActiveWindow(handle);
  NotifyHost(handle);
  return wasVisible;
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
  NotifyHost(handle);
  return wasDisabled;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(handle, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND handle, HWND, int x, int y, int width, int height, UINT flags) {
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  WINDOWPOS pos{handle, nullptr, x, y, width, height, flags};
  if (flags & SWP_NOMOVE) {
    pos.x = window->rect.left;
    pos.y = window->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    pos.cx = window->Width();
    pos.cy = window->Height();
  }
  SendMessage(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  if (!layer::IsOwnWindow(handle)) return FALSE;
  RECT old = window->rect;
  RECT wanted{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
  bool moved = wanted.left != old.left || wanted.top != old.top;
  bool sized = (wanted.right - wanted.left) != (old.right - old.left) || (wanted.bottom - wanted.top) != (old.bottom - old.top);
  pos.flags = (pos.flags & ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE)) | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
  window->rect = wanted;
  if (sized) SizeChanged(*window, false);
  if (flags & SWP_SHOWWINDOW) ApplyStyleVisibility(*window, true);
  if (flags & SWP_HIDEWINDOW) ApplyStyleVisibility(*window, false);
  bool repaint = !(flags & SWP_NOREDRAW) && (sized || (flags & (SWP_SHOWWINDOW | SWP_FRAMECHANGED)));
  if (repaint) RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  if ((moved || sized || (flags & SWP_HIDEWINDOW)) && window->IsChild() && !(flags & SWP_NOREDRAW)) {
    InvalidateRect(window->parent, &old, TRUE);
  }
  SendMessage(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  NotifyHost(handle);
  return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
  auto window = WindowOf(handle);
  if (!window || !rect) return FALSE;
  RECT client = window->ClientArea();
  *rect = RECT{0, 0, client.right - client.left, client.bottom - client.top};
  return TRUE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect) {
  auto window = WindowOf(handle);
  if (!window || !rect) return FALSE;
  *rect = window->rect;
  if (window->IsChild()) {
    if (auto parent = layer::Windows().Find(window->parent)) {
      POINT origin = layer::ClientOriginOnScreen(*parent);
      OffsetRect(rect, origin.x, origin.y);
    }
  }
  return TRUE;
}

BOOL ClientToScreen(HWND handle, LPPOINT point) {
  auto window = WindowOf(handle);
  if (!window || !point) return FALSE;
  POINT origin = layer::ClientOriginOnScreen(*window);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND handle, LPPOINT point) {
  auto window = WindowOf(handle);
  if (!window || !point) return FALSE;
  POINT origin = layer::ClientOriginOnScreen(*window);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT fromOrigin{}, toOrigin{};
  if (from) {
    auto window = WindowOf(from);
    if (!window) return 0;
    fromOrigin = layer::ClientOriginOnScreen(*window);
  }
  if (to) {
    auto window = WindowOf(to);
    if (!window) return 0;
    toOrigin = layer::ClientOriginOnScreen(*window);
  }
  int dx = fromOrigin.x - toOrigin.x, dy = fromOrigin.y - toOrigin.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
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
  if (window->IsChild() && parent) layer::Windows().Find(parent)->children.push_back(handle);
  NotifyHost(handle);
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

namespace {

HWND DeepestChildAt(HWND handle, POINT screen) {
  auto window = layer::Windows().Find(handle);
  if (!window) return nullptr;
  for (auto it = window->children.rbegin(); it != window->children.rend(); ++it) {
    auto child = layer::Windows().Find(*it);
    if (!child || !(child->style & WS_VISIBLE)) continue;
    RECT rect;
    GetWindowRect(*it, &rect);
    if (PtInRect(&rect, screen)) return DeepestChildAt(*it, screen);
  }
  return handle;
}

}  // namespace

HWND WindowFromPoint(POINT point) {
  auto all = layer::Windows().All();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    const auto& window = *it;
    if (window->IsChild() || !layer::IsShownOnScreen(*window)) continue;
    if (PtInRect(&window->rect, point)) return DeepestChildAt(window->handle, point);
  }
  return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  auto window = WindowOf(parent);
  if (!window) return nullptr;
  RECT client;
  GetClientRect(parent, &client);
  if (!PtInRect(&client, point)) return nullptr;
  for (auto it = window->children.rbegin(); it != window->children.rend(); ++it) {
    auto child = layer::Windows().Find(*it);
    if (child && PtInRect(&child->rect, point)) return *it;
  }
  return parent;
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
      NotifyHost(handle);
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

HWND SetFocus(HWND handle) {
  InputState& input = Input();
  if (handle && !layer::IsOwnWindow(handle)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  HWND old = input.focus;
  if (old == handle) return old;
  if (handle) {
    HWND top = TopLevelOf(handle);
    if (top != input.active) SetActiveWindow(top);
    if (input.focus != old) old = input.focus;  // activation moved the focus already
    if (old == handle) return old;
  }
  input.focus = handle;
  if (old && layer::IsOwnWindow(old)) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
  if (handle && input.focus == handle) SendMessage(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() { return Input().focus; }

HWND SetActiveWindow(HWND handle) {
  InputState& input = Input();
  if (handle && !layer::IsOwnWindow(handle)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  handle = TopLevelOf(handle);
  HWND old = input.active;
  if (old == handle) return old;
  input.active = handle;
  if (old && layer::IsOwnWindow(old)) SendMessage(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(handle));
  if (handle) SendMessage(handle, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
  return old;
}

HWND GetActiveWindow() { return Input().active; }
BOOL SetForegroundWindow(HWND handle) {
  if (auto* remote = layer::RemoteWindowsFor(handle)) return remote->BringToFront(handle);
  if (!layer::IsOwnWindow(handle)) return FALSE;
  SetActiveWindow(handle);
  return TRUE;
}
HWND GetForegroundWindow() { return Input().active; }

HWND SetCapture(HWND handle) {
  InputState& input = Input();
  HWND old = input.capture;
  if (handle && !layer::IsOwnWindow(handle)) return old;
  input.capture = handle;
  if (old && old != handle && layer::IsOwnWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
  if (auto* host = layer::CurrentWindowHost()) host->CaptureChanged(handle);
  return old;
}

HWND GetCapture() { return Input().capture; }

BOOL ReleaseCapture() {
  InputState& input = Input();
  HWND old = input.capture;
  input.capture = nullptr;
  if (old && layer::IsOwnWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  if (auto* host = layer::CurrentWindowHost()) host->CaptureChanged(nullptr);
  return TRUE;
}

namespace {

struct CursorTable {
  std::mutex mutex;
  std::map<UINT_PTR, layer::CursorPicture> cursors;
  std::map<std::pair<HINSTANCE, WORD>, UINT_PTR> byModule;
  UINT_PTR next = 0x00200000;
};
CursorTable& Cursors() {
  static auto* table = new CursorTable;
  return *table;
}

bool IsSystemCursorId(WORD id) {
  static const WORD ids[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};
  return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

// A system cursor's handle carries its id, so it is the same in every call.
constexpr UINT_PTR kSystemCursorBase = 0x00100000;

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) {
    SetLastError(1814L);  // ERROR_RESOURCE_NAME_NOT_FOUND
    return nullptr;
  }
  WORD id = LOWORD(reinterpret_cast<ULONG_PTR>(name));
  if (!instance) {
    if (!IsSystemCursorId(id)) {
      SetLastError(1814L);
      return nullptr;
    }
    return reinterpret_cast<HCURSOR>(kSystemCursorBase | id);
  }
  CursorTable& table = Cursors();
  {
    std::lock_guard<std::mutex> lock(table.mutex);
    auto found = table.byModule.find({instance, id});
    if (found != table.byModule.end()) return reinterpret_cast<HCURSOR>(found->second);
  }
  // A cursor of the module's resources becomes known on its first load.
  if (HCURSOR cursor = layer::LoadCursorResource(instance, name)) return cursor;
  SetLastError(1814L);
  return nullptr;
}

namespace layer {

void AddModuleCursor(HINSTANCE module, WORD id, const CursorPicture& picture) {
  CursorTable& table = Cursors();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto found = table.byModule.find({module, id});
  UINT_PTR handle = found != table.byModule.end() ? found->second : (table.next += 4);
  table.byModule[{module, id}] = handle;
  table.cursors[handle] = picture;
}

const CursorPicture* CursorOf(HCURSOR cursor) {
  auto value = reinterpret_cast<UINT_PTR>(cursor);
  if ((value & ~static_cast<UINT_PTR>(0xFFFF)) == kSystemCursorBase) {
    static std::map<UINT_PTR, CursorPicture> system;
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    CursorPicture& picture = system[value];
    picture.systemId = MAKEINTRESOURCE(value & 0xFFFF);
    return &picture;
  }
  CursorTable& table = Cursors();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto found = table.cursors.find(value);
  return found == table.cursors.end() ? nullptr : &found->second;
}

void SetKeyDown(int virtualKey, bool down) {
  if (virtualKey < 0 || virtualKey > 255) return;
  SHORT& state = Input().keys[virtualKey];
  bool wasDown = (state & 0x8000) != 0;
  SHORT toggled = static_cast<SHORT>(state & 1);
  if (down && !wasDown) toggled ^= 1;
  state = static_cast<SHORT>((down ? 0x8000 : 0) | toggled);
}

void SetCursorPosition(POINT point) { Input().cursorPos = point; }

void NoteKeyCharacter(int virtualKey, int character) {
  if (virtualKey >= 0 && virtualKey <= 255) Input().characters[virtualKey] = character;
}

int NotedKeyCharacter(int virtualKey) { return virtualKey >= 0 && virtualKey <= 255 ? Input().characters[virtualKey] : 0; }

CreationHook SetCreationHook(CreationHook hook) { return std::exchange(CurrentCreationHook(), hook); }

}  // namespace layer

HCURSOR SetCursor(HCURSOR cursor) {
  InputState& input = Input();
  HCURSOR old = input.cursor;
  input.cursor = cursor;
  if (old != cursor) {
    if (auto* host = layer::CurrentWindowHost()) host->CursorChanged(input.cursorCount >= 0 ? cursor : nullptr);
  }
  return old;
}

HCURSOR GetCursor() { return Input().cursor; }

int ShowCursor(BOOL show) {
  InputState& input = Input();
  input.cursorCount += show ? 1 : -1;
  if (auto* host = layer::CurrentWindowHost()) host->CursorChanged(input.cursorCount >= 0 ? input.cursor : nullptr);
  return input.cursorCount;
}

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = Input().cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  Input().cursorPos = POINT{x, y};
  return TRUE;
}

SHORT GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return Input().keys[virtualKey];
}

SHORT GetAsyncKeyState(int virtualKey) {
  return static_cast<SHORT>(GetKeyState(virtualKey) & 0x8000);
}

int GetSystemMetrics(int index) {
  SIZE screen{1024, 768};
  if (auto* host = layer::CurrentWindowHost()) screen = host->ScreenSize();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: return screen.cx;
    case SM_CYSCREEN: return screen.cy;
    case SM_CYFULLSCREEN: return screen.cy - 18;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYCAPTION:
    case SM_CYMENU: return 18;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMAXIMIZED: return screen.cx + 8;
    case SM_CYMAXIMIZED: return screen.cy + 8;
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

namespace {

int MaxPos(const layer::ScrollBarState& bar) {
  return bar.max - std::max<int>(static_cast<int>(bar.page) - 1, 0);
}

layer::ScrollBarState* BarOf(Window& window, int bar) {
  return bar == SB_HORZ || bar == SB_VERT ? &window.bars[bar] : nullptr;
}

// Showing or hiding a bar changes the client area, which the window hears as WM_SIZE.
void SetBarShown(Window& window, int bar, bool shown) {
  if (window.bars[bar].shown == shown) return;
  window.bars[bar].shown = shown;
  DrawScrollBars(window);
  SendMessage(window.handle, WM_SIZE, SizeKind(window), ClientSizeParam(window));
  RedrawWindow(window.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  NotifyHost(window.handle);
}

}  // namespace

int SetScrollInfo(HWND handle, int bar, LPCSCROLLINFO info, BOOL redraw) {
  auto window = WindowOf(handle);
  if (!window || !info) return 0;
  layer::ScrollBarState* state = BarOf(*window, bar);
  if (!state) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (info->fMask & SIF_RANGE) {
    state->min = info->nMin;
    state->max = info->nMax;
  }
  if (info->fMask & SIF_PAGE) state->page = std::min<UINT>(info->nPage, static_cast<UINT>(std::max(state->max - state->min + 1, 0)));
  if (info->fMask & SIF_POS) state->pos = info->nPos;
  state->pos = std::clamp(state->pos, state->min, std::max(state->min, MaxPos(*state)));
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    bool scrollable = state->max > state->min && static_cast<int>(state->page) <= state->max - state->min;
    SetBarShown(*window, bar, scrollable || (info->fMask & SIF_DISABLENOSCROLL));
  }
  if (redraw) {
    DrawScrollBars(*window);
    NotifyHost(handle);
  }
  return state->pos;
}

BOOL GetScrollInfo(HWND handle, int bar, LPSCROLLINFO info) {
  auto window = WindowOf(handle);
  if (!window || !info) return FALSE;
  layer::ScrollBarState* state = BarOf(*window, bar);
  if (!state) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = state->min;
    info->nMax = state->max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = state->page;
  if (info->fMask & SIF_POS) info->nPos = state->pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = state->trackPos;
  return TRUE;
}

int SetScrollPos(HWND handle, int bar, int pos, BOOL redraw) {
  auto window = WindowOf(handle);
  if (!window) return 0;
  layer::ScrollBarState* state = BarOf(*window, bar);
  if (!state) return 0;
  int old = state->pos;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(handle, bar, &info, redraw);
  return old;
}

int GetScrollPos(HWND handle, int bar) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(handle, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND handle, int bar, int min, int max, BOOL redraw) {
  if (max - min > 0x7FFF * 2 + 1 || max < min) {
    SetLastError(ERROR_INVALID_PARAMETER);  // the platform's limit for a range
    return FALSE;
  }
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0};
  auto window = WindowOf(handle);
  if (!window || !BarOf(*window, bar)) return FALSE;
  SetScrollInfo(handle, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND handle, int bar, LPINT min, LPINT max) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(handle, bar, &info)) return FALSE;
  if (min) *min = info.nMin;
  if (max) *max = info.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND handle, int bar, BOOL show) {
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  if (bar == SB_HORZ || bar == SB_BOTH) SetBarShown(*window, SB_HORZ, show);
  if (bar == SB_VERT || bar == SB_BOTH) SetBarShown(*window, SB_VERT, show);
  return bar == SB_HORZ || bar == SB_VERT || bar == SB_BOTH;
}
