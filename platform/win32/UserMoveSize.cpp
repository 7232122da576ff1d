// Moving and sizing a window with the mouse, and the caption's buttons, as
// the default window procedure does them: modal loops that hold the mouse
// until its button comes up.
#include <algorithm>

#include "win32/UserInternal.h"
#include "win32/UserMessages.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

// The next message of a modal loop; false at WM_QUIT, which is posted again
// for the loop outside.
bool NextMessage(MSG& msg) {
  if (GetMessage(&msg, nullptr, 0, 0)) return true;
  PostQuitMessage(static_cast<int>(msg.wParam));
  return false;
}

bool EndsLoop(const MSG& msg) {
  return msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE));
}

// The rectangle a drag of (dx, dy) gives, moving the window or the edges the
// sizing command names, within the window's limits.
RECT Dragged(const RECT& start, int edges, int dx, int dy, const MINMAXINFO& limits) {
  RECT rect = start;
  if (edges == 0) {
    OffsetRect(&rect, dx, dy);
    return rect;
  }
  bool left = edges == WMSZ_LEFT || edges == WMSZ_TOPLEFT || edges == WMSZ_BOTTOMLEFT;
  bool right = edges == WMSZ_RIGHT || edges == WMSZ_TOPRIGHT || edges == WMSZ_BOTTOMRIGHT;
  bool top = edges == WMSZ_TOP || edges == WMSZ_TOPLEFT || edges == WMSZ_TOPRIGHT;
  bool bottom = edges == WMSZ_BOTTOM || edges == WMSZ_BOTTOMLEFT || edges == WMSZ_BOTTOMRIGHT;
  auto clampLength = [](int length, LONG minimum, LONG maximum) { return std::clamp<int>(length, minimum, std::max(minimum, maximum)); };
  if (left) rect.left = rect.right - clampLength(start.right - (start.left + dx), limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x);
  if (right) rect.right = rect.left + clampLength(start.right + dx - start.left, limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x);
  if (top) rect.top = rect.bottom - clampLength(start.bottom - (start.top + dy), limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y);
  if (bottom) rect.bottom = rect.top + clampLength(start.bottom + dy - start.top, limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y);
  return rect;
}

// A window's rectangle in its parent's client coordinates (the screen for top-level windows).
RECT PlaceOf(HWND handle) {
  auto window = Windows().Find(handle);
  return window ? window->rect : RECT{};
}

}  // namespace

void RunMoveSizeLoop(HWND handle, WPARAM command, POINT screen) {
  auto window = Windows().Find(handle);
  if (!window || window->maximized || window->minimized) return;
  bool moving = (command & 0xFFF0) == SC_MOVE;
  int edges = moving ? 0 : static_cast<int>(command & 0x000F);
  if (!moving && (edges < WMSZ_LEFT || edges > WMSZ_BOTTOMRIGHT)) return;
  MINMAXINFO limits = QueryMinMaxInfo(handle);
  if (!IsWindow(handle)) return;
  SendMessage(handle, WM_ENTERSIZEMOVE, 0, 0);
  SetCapture(handle);
  RECT start = PlaceOf(handle);
  RECT current = start;
  bool cancelled = false;
  MSG msg;
  while (IsWindow(handle) && GetCapture() == handle && NextMessage(msg)) {
    if (EndsLoop(msg)) {
      cancelled = msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
      break;
    }
    if (msg.message != WM_MOUSEMOVE) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
      continue;
    }
    RECT wanted = Dragged(start, edges, msg.pt.x - screen.x, msg.pt.y - screen.y, limits);
    SendMessage(handle, moving ? WM_MOVING : WM_SIZING, static_cast<WPARAM>(edges), reinterpret_cast<LPARAM>(&wanted));
    if (!IsWindow(handle) || EqualRect(&wanted, &current)) continue;
    current = wanted;
    SetWindowPos(handle, nullptr, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0));
  }
  if (!IsWindow(handle)) return;
  if (cancelled)
    SetWindowPos(handle, nullptr, start.left, start.top, start.right - start.left, start.bottom - start.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (GetCapture() == handle) ReleaseCapture();
  SendMessage(handle, WM_EXITSIZEMOVE, 0, 0);
}

void TrackCaptionButton(HWND handle, int hit, POINT screen) {
  auto window = Windows().Find(handle);
  if (!window) return;
  if ((hit == HTMINBUTTON && !(window->style & WS_MINIMIZEBOX)) || (hit == HTMAXBUTTON && !(window->style & WS_MAXIMIZEBOX)))
    return;
  auto showPressed = [&](bool pressed) {
    if (auto record = Windows().Find(handle)) {
      record->pressedCaptionButton = pressed ? hit : 0;
      PaintNonClient(*record);
      NotifyHost(handle);
    }
  };
  SetCapture(handle);
  showPressed(true);
  bool over = true;
  MSG msg;
  while (IsWindow(handle) && GetCapture() == handle && NextMessage(msg)) {
    if (msg.message == WM_LBUTTONUP || msg.message == WM_MOUSEMOVE) {
      bool now = SendMessage(handle, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y)) == hit;
      if (msg.message == WM_LBUTTONUP) {
        over = now;
        break;
      }
      if (now != over) showPressed(over = now);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (!IsWindow(handle)) return;
  showPressed(false);
  if (GetCapture() == handle) ReleaseCapture();
  if (!over) return;
  WPARAM command = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE : IsZoomed(handle) ? SC_RESTORE : SC_MAXIMIZE;
  SendMessage(handle, WM_SYSCOMMAND, command, MAKELPARAM(screen.x, screen.y));
}

}  // namespace layer
