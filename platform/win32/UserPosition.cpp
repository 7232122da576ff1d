// Showing, placing, sizing and stacking windows, as the platform does it:
// every change goes through SetWindowPos, which asks the window first
// (WM_WINDOWPOSCHANGING), computes the client area (WM_NCCALCSIZE), repaints,
// activates and then tells the window (WM_WINDOWPOSCHANGED, whose default
// handling sends WM_MOVE and WM_SIZE). Minimising, maximising and restoring
// go through WM_GETMINMAXINFO; a restore brings back the normal place.
#include <algorithm>

#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/UserInternal.h"
#include "win32/UserMessages.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

using layer::Window;
using layer::WindowOf;

namespace layer {
namespace {

// Window sizes stay within the platform's 16-bit coordinates.
constexpr int kLargestSize = 32767;

void SetState(Window& window, bool minimized, bool maximized) {
  window.minimized = minimized;
  window.maximized = maximized;
  window.style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
  if (minimized) window.style |= WS_MINIMIZE;
  if (maximized) window.style |= WS_MAXIMIZE;
}

// Where a minimised window goes: out of sight, as the platform parks it.
RECT MinimizedRect() {
  return RECT{-32000, -32000, -32000 + GetSystemMetrics(SM_CXMINIMIZED), -32000 + GetSystemMetrics(SM_CYMINIMIZED)};
}

RECT MaximizedRect(HWND handle) {
  MINMAXINFO info = QueryMinMaxInfo(handle);
  return RECT{info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
              info.ptMaxPosition.y + info.ptMaxSize.y};
}

// Changes the window's state for a show command; the place it goes to in
// rect. Returns the flags SetWindowPos needs for it.
UINT MinMaximize(Window& window, int command, RECT& rect) {
  HWND handle = window.handle;
  if (!window.minimized && !window.maximized) window.normal = window.rect;
  switch (command) {
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      if (window.minimized) return 0;
      window.restoreToMaximized = window.maximized;
      SetState(window, true, false);
      rect = MinimizedRect();
      return SWP_NOCOPYBITS | kSwpStateChanged;
    case SW_MAXIMIZE:
      if (window.maximized) return 0;
      rect = MaximizedRect(handle);
      if (!IsOwnWindow(handle)) return 0;
      SetState(window, false, true);
      return kSwpStateChanged;
    default:  // restore
      if (window.minimized && window.restoreToMaximized) {
        rect = MaximizedRect(handle);
        if (!IsOwnWindow(handle)) return 0;
        SetState(window, false, true);
        return kSwpStateChanged;
      }
      if (!window.minimized && !window.maximized) return 0;
      SetState(window, false, false);
      rect = window.normal;
      return kSwpStateChanged;
  }
}

bool ParentShown(const Window& window) {
  if (!window.IsChild()) return true;
  auto parent = Windows().Find(window.parent);
  return parent && IsWindowVisible(parent->handle);
}

// The messages of a first show that an overlapped window missed at its creation.
void SendFirstSize(HWND handle) {
  auto window = Windows().Find(handle);
  if (!window || !window->needsSize) return;
  window->needsSize = false;
  SendMessage(handle, WM_SIZE, SizeKind(*window), ClientSizeParam(*window));
  if (auto again = Windows().Find(handle)) SendMessage(handle, WM_MOVE, 0, ClientOriginParam(*again));
}

void Invalidate(HWND handle, const RECT* rect) {
  RedrawWindow(handle, rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Moves a child window in its parent's z-order; true when it moved.
bool PlaceChild(Window& window, HWND insertAfter) {
  auto parent = Windows().Find(window.parent);
  if (!parent) return false;
  std::vector<HWND> before = parent->children;
  std::vector<HWND>& order = parent->children;
  std::erase(order, window.handle);
  auto place = order.begin();
  if (insertAfter == HWND_BOTTOM || insertAfter == HWND_NOTOPMOST) place = order.end();
  else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST) {
    auto after = std::find(order.begin(), order.end(), insertAfter);
    place = after == order.end() ? order.begin() : after + 1;
  }
  if (insertAfter == HWND_NOTOPMOST) place = order.begin();
  order.insert(place, window.handle);
  return order != before;
}

bool PlaceInZOrder(Window& window, HWND insertAfter) {
  if (window.IsChild()) return PlaceChild(window, insertAfter);
  bool moved = Windows().PlaceTopLevel(window.handle, insertAfter);
  // A window's owned windows stay above it, and go into and out of the
  // topmost band with it.
  if (moved && insertAfter != HWND_BOTTOM) {
    HWND ownedPlace = (window.exStyle & WS_EX_TOPMOST) ? HWND_TOPMOST
                      : insertAfter == HWND_NOTOPMOST ? HWND_NOTOPMOST
                                                      : HWND_TOP;
    for (const auto& other : TopLevelWindows()) {
      if (other->parent != window.handle || other->threadId != window.threadId) continue;
      PlaceInZOrder(*other, ownedPlace);
      NotifyHost(other->handle);
    }
  }
  return moved;
}

}  // namespace

MINMAXINFO QueryMinMaxInfo(HWND handle) {
  auto window = Windows().Find(handle);
  if (!window) return MINMAXINFO{};
  MINMAXINFO info = DefaultMinMaxInfo(*window);
  SendMessage(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, info.ptMinTrackSize.x);
  info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, info.ptMinTrackSize.y);
  return info;
}

void ApplyInitialState(HWND handle, int command) {
  auto window = Windows().Find(handle);
  if (!window) return;
  RECT rect = window->rect;
  UINT flags = MinMaximize(*window, command, rect);
  SetWindowPos(handle, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               flags | SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RecalcFrame(HWND handle) {
  SetWindowPos(handle, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace layer

BOOL ShowWindow(HWND handle, int command) {
  if (command < SW_HIDE || command > SW_FORCEMINIMIZE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (auto* remote = layer::RemoteWindowsFor(handle)) return remote->Show(handle, command);
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  if (window->threadId != GetCurrentThreadId()) {
    // The window's own thread shows it.
    return static_cast<BOOL>(layer::SendRequest(handle, layer::kShowRequest, static_cast<WPARAM>(command), 0));
  }
  bool wasVisible = (window->style & WS_VISIBLE) != 0;
  bool child = window->IsChild();
  UINT flags = 0;
  RECT rect = window->rect;
  bool show = true;
  switch (command) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      show = false;
      flags = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      if (child || handle != GetActiveWindow()) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE:
      flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      [[fallthrough]];
    case SW_SHOWMINIMIZED:
      flags |= SWP_SHOWWINDOW | SWP_FRAMECHANGED;
      if (window->minimized && wasVisible) return TRUE;
      flags |= layer::MinMaximize(*window, command, rect);
      break;
    case SW_SHOWMAXIMIZED:
      if (!wasVisible) flags |= SWP_SHOWWINDOW;
      flags |= SWP_FRAMECHANGED;
      if (window->maximized && wasVisible) return TRUE;
      flags |= layer::MinMaximize(*window, SW_MAXIMIZE, rect);
      break;
    case SW_SHOWNA:
      flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      if (child) flags |= SWP_NOZORDER;
      break;
    case SW_SHOW:
      if (wasVisible) return TRUE;
      flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
      if (child) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_SHOWNOACTIVATE:
      flags = SWP_NOACTIVATE | SWP_NOZORDER;
      [[fallthrough]];
    default:  // SW_SHOWNORMAL, SW_RESTORE, SW_SHOWDEFAULT
      if (!wasVisible) flags |= SWP_SHOWWINDOW;
      if (window->minimized || window->maximized) {
        flags |= SWP_FRAMECHANGED | layer::MinMaximize(*window, SW_RESTORE, rect);
      } else {
        if (wasVisible) return TRUE;
        flags |= SWP_NOSIZE | SWP_NOMOVE;
      }
      if (child) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
  }
  if (!layer::IsOwnWindow(handle)) return wasVisible;
  if ((show != wasVisible || command == SW_SHOWNA) && command != SW_SHOWMAXIMIZED && !(flags & layer::kSwpStateChanged)) {
    SendMessage(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!layer::IsOwnWindow(handle)) return wasVisible;
  }
  if (layer::ParentShown(*window)) {
    SetWindowPos(handle, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
  } else {
    // Under a hidden parent only the style changes; the window shows with its parent.
    if (show) window->style |= WS_VISIBLE;
    else window->style &= ~static_cast<DWORD>(WS_VISIBLE);
  }
  if (!layer::IsOwnWindow(handle)) return wasVisible;
  if (command == SW_HIDE) {
    if (handle == GetActiveWindow()) layer::ActivateOtherWindow(handle);
    HWND focus = GetFocus();
    if (focus && (focus == handle || IsChild(handle, focus))) SetFocus(child ? window->parent : nullptr);
  }
  layer::SendFirstSize(handle);
  layer::NotifyHost(handle);
  return wasVisible;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(handle, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND handle) {
  return SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  if (window->threadId != GetCurrentThreadId()) {
    // The window's own thread places it.
    WINDOWPOS request{handle, insertAfter, x, y, width, height, flags};
    return static_cast<BOOL>(layer::SendRequest(handle, layer::kPositionRequest, 0, reinterpret_cast<LPARAM>(&request)));
  }
  bool child = window->IsChild();
  bool visible = (window->style & WS_VISIBLE) != 0;
  if (visible) flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
  else flags &= ~static_cast<UINT>(SWP_HIDEWINDOW);
  // Activation brings a top-level window to the top.
  if (!child && !(flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW))) {
    flags &= ~static_cast<UINT>(SWP_NOZORDER);
    if (insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) insertAfter = HWND_TOP;
  }
  if (handle == insertAfter) flags |= SWP_NOZORDER;
  WINDOWPOS pos{handle, insertAfter, x, y, width, height, flags};
  if (flags & SWP_NOMOVE) {
    pos.x = window->rect.left;
    pos.y = window->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    pos.cx = window->Width();
    pos.cy = window->Height();
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessage(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!layer::IsOwnWindow(handle)) return FALSE;
  }
  flags = pos.flags;
  RECT old = window->rect;
  RECT oldClient = window->client;
  RECT wanted{pos.x, pos.y, pos.x + std::clamp(pos.cx, 0, layer::kLargestSize), pos.y + std::clamp(pos.cy, 0, layer::kLargestSize)};
  bool moved = wanted.left != old.left || wanted.top != old.top;
  bool sized = wanted.right - wanted.left != old.right - old.left || wanted.bottom - wanted.top != old.bottom - old.top;
  flags = (flags & ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE)) | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);

  // The client area of the new rectangle, as the window computes it.
  RECT client{oldClient.left, oldClient.top, oldClient.right, oldClient.bottom};
  if (sized || (flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = wanted;
    params.rgrc[1] = old;
    params.rgrc[2] = RECT{old.left + oldClient.left, old.top + oldClient.top, old.left + oldClient.right, old.top + oldClient.bottom};
    params.lppos = &pos;
    SendMessage(handle, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    if (!layer::IsOwnWindow(handle)) return FALSE;
    client = params.rgrc[0];
    OffsetRect(&client, -wanted.left, -wanted.top);
  }
  bool clientMoved = wanted.left + client.left != old.left + oldClient.left || wanted.top + client.top != old.top + oldClient.top;
  bool clientSized = client.right - client.left != oldClient.right - oldClient.left ||
                     client.bottom - client.top != oldClient.bottom - oldClient.top;
  flags |= (clientMoved ? 0 : layer::kSwpNoClientMove) | (clientSized ? 0 : layer::kSwpNoClientSize);

  window->rect = wanted;
  window->client = client;
  if (sized) window->FitCanvas();
  if (!(flags & SWP_NOZORDER) && !layer::PlaceInZOrder(*window, pos.hwndInsertAfter)) flags |= SWP_NOZORDER;
  if (flags & SWP_SHOWWINDOW) window->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) window->style &= ~static_cast<DWORD>(WS_VISIBLE);

  if (!(flags & SWP_NOREDRAW)) {
    // A move takes the window's pixels along; what it newly shows needs painting.
    if ((flags & SWP_SHOWWINDOW) || sized || clientSized || (flags & SWP_FRAMECHANGED)) layer::Invalidate(handle, nullptr);
    if (child && (moved || sized || (flags & (SWP_HIDEWINDOW | SWP_SHOWWINDOW)))) {
      InvalidateRect(window->parent, &old, TRUE);
      if (flags & SWP_SHOWWINDOW) InvalidateRect(window->parent, &wanted, TRUE);
    }
  } else if (sized || (flags & SWP_FRAMECHANGED)) {
    window->frameUpdate = window->HasNonClientArea();
  }
  if (!(flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW))) {
    if (child && !(window->style & WS_POPUP)) SendMessage(handle, WM_CHILDACTIVATE, 0, 0);
    else layer::ActivateWindow(handle, false);
    if (!layer::IsOwnWindow(handle)) return TRUE;
  }
  pos.flags = flags;
  constexpr UINT kNothing = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
  if ((flags & (kNothing | SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED)) != kNothing)
    SendMessage(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  layer::NotifyHost(handle);
  return TRUE;
}

BOOL GetWindowPlacement(HWND handle, WINDOWPLACEMENT* placement) {
  auto window = WindowOf(handle);
  if (!window || !placement) return FALSE;
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->flags = window->minimized && window->restoreToMaximized ? WPF_RESTORETOMAXIMIZED : 0;
  placement->showCmd = window->minimized ? SW_SHOWMINIMIZED : window->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  placement->ptMinPosition = POINT{-1, -1};
  placement->ptMaxPosition = POINT{-1, -1};
  placement->rcNormalPosition = window->minimized || window->maximized ? window->normal : window->rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND handle, const WINDOWPLACEMENT* placement) {
  auto window = WindowOf(handle);
  if (!window || !placement) return FALSE;
  if (placement->length != sizeof(WINDOWPLACEMENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECT& normal = placement->rcNormalPosition;
  if (window->minimized || window->maximized) {
    window->normal = normal;
  } else {
    SetWindowPos(handle, nullptr, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!layer::IsOwnWindow(handle)) return FALSE;
  window->restoreToMaximized = (placement->flags & WPF_RESTORETOMAXIMIZED) != 0;
  ShowWindow(handle, static_cast<int>(placement->showCmd));
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

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  Window probe;
  probe.style = style & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);  // the platform leaves scroll bars out
  probe.exStyle = exStyle;
  if (!(style & (WS_CHILD | WS_POPUP))) probe.style |= WS_CAPTION;
  probe.menu = menu ? reinterpret_cast<HMENU>(1) : nullptr;
  // The frame is the difference between a window and its client area.
  RECT window{0, 0, 1000, 1000};
  RECT client = layer::DefaultClientRect(probe, window);
  rect->left -= client.left;
  rect->top -= client.top;
  rect->right += window.right - client.right;
  rect->bottom += window.bottom - client.bottom;
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

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

namespace {

bool ContainsOnScreen(const Window& window, POINT screen) {
  RECT rect;
  GetWindowRect(window.handle, &rect);
  return PtInRect(&rect, screen);
}

// The deepest visible, enabled window at a point, starting from a window that contains it.
HWND DeepestAt(const Window& window, POINT screen) {
  if (window.minimized) return window.handle;
  POINT client = screen;
  ScreenToClient(window.handle, &client);
  RECT clientBox;
  GetClientRect(window.handle, &clientBox);
  if (!PtInRect(&clientBox, client)) return window.handle;
  for (HWND handle : window.children) {
    auto child = layer::Windows().Find(handle);
    if (!child || !(child->style & WS_VISIBLE) || (child->style & WS_DISABLED) || !ContainsOnScreen(*child, screen))
      continue;
    return DeepestAt(*child, screen);
  }
  return window.handle;
}

}  // namespace

HWND WindowFromPoint(POINT point) {
  for (const auto& window : layer::TopLevelWindows()) {
    if (!layer::IsShownOnScreen(*window) || !ContainsOnScreen(*window, point)) continue;
    if (window->style & WS_DISABLED) return nullptr;
    return DeepestAt(*window, point);
  }
  return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  auto window = WindowOf(parent);
  if (!window) return nullptr;
  RECT client;
  GetClientRect(parent, &client);
  if (!PtInRect(&client, point)) return nullptr;
  for (HWND handle : window->children) {
    auto child = layer::Windows().Find(handle);
    if (child && PtInRect(&child->rect, point)) return handle;
  }
  return parent;
}
