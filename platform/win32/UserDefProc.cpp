// The default window procedure: what a window does with a message its own
// procedure leaves alone, as the platform's DefWindowProc does it.
#include <algorithm>
#include <cstring>
#include <utility>

#include "win32/Gdi.h"
#include "win32/UserInternal.h"
#include "win32/UserMenuBar.h"
#include "win32/UserMessages.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

namespace {

using layer::Window;

LRESULT SetCursorFor(Window& window, WPARAM wParam, LPARAM lParam) {
  if (window.IsChild() && SendMessage(window.parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  LPCSTR shape = IDC_ARROW;
  switch (static_cast<short>(LOWORD(lParam))) {
    case HTERROR:
      return FALSE;  // a press on a window that takes no input: nothing to show
    case HTCLIENT:
      if (!window.windowClass->cursor) return FALSE;
      SetCursor(window.windowClass->cursor);
      return TRUE;
    case HTLEFT:
    case HTRIGHT: shape = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: shape = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
    default: break;
  }
  SetCursor(LoadCursor(nullptr, shape));
  return TRUE;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// A press on the non-client area starts what the part pressed stands for.
void NonClientButtonDown(HWND handle, WPARAM hit, LPARAM lParam) {
  switch (hit) {
    case HTCAPTION: {
      HWND top = layer::TopLevelOf(handle);
      if (GetActiveWindow() != top) layer::ActivateWindow(top, true);
      if (GetActiveWindow() == top) SendMessage(handle, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
      break;
    }
    case HTSYSMENU:
      SendMessage(handle, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lParam);
      break;
    case HTMENU:
      SendMessage(handle, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lParam);
      break;
    case HTHSCROLL:
      SendMessage(handle, WM_SYSCOMMAND, SC_HSCROLL + HTHSCROLL, lParam);
      break;
    case HTVSCROLL:
      SendMessage(handle, WM_SYSCOMMAND, SC_VSCROLL + HTVSCROLL, lParam);
      break;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
      layer::TrackCaptionButton(handle, static_cast<int>(hit), PointOf(lParam));
      break;
    default:
      if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
        SendMessage(handle, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lParam);
      break;
  }
}

void NonClientDoubleClick(HWND handle, const Window& window, WPARAM hit, LPARAM lParam) {
  switch (hit) {
    case HTCAPTION:
      if (window.style & WS_MAXIMIZEBOX)
        SendMessage(handle, WM_SYSCOMMAND, (window.maximized || window.minimized) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      break;
    case HTSYSMENU:
      if (!(window.windowClass->style & CS_NOCLOSE)) SendMessage(handle, WM_SYSCOMMAND, SC_CLOSE, lParam);
      break;
    case HTHSCROLL:
    case HTVSCROLL:
      NonClientButtonDown(handle, hit, lParam);
      break;
    default:
      break;
  }
}

void SystemCommand(HWND handle, Window& window, WPARAM wParam, LPARAM lParam) {
  WPARAM command = wParam & 0xFFF0;
  switch (command) {
    case SC_CLOSE:
      SendMessage(handle, WM_CLOSE, 0, 0);
      break;
    case SC_MINIMIZE:
      ShowWindow(handle, SW_MINIMIZE);
      break;
    case SC_MAXIMIZE:
      ShowWindow(handle, SW_SHOWMAXIMIZED);
      break;
    case SC_RESTORE:
      ShowWindow(handle, SW_RESTORE);
      break;
    case SC_MOVE:
    case SC_SIZE:
      layer::RunMoveSizeLoop(handle, wParam, PointOf(lParam));
      break;
    case SC_HSCROLL:
    case SC_VSCROLL:
      layer::TrackScrollBar(handle, command == SC_VSCROLL ? SB_VERT : SB_HORZ, PointOf(lParam));
      break;
    case SC_MOUSEMENU:
    case SC_KEYMENU:
      layer::TrackMenu(handle, window.menu, wParam, lParam);
      break;
    default:
      break;
  }
}

// What a window does when it is asked to draw nothing (WM_SETREDRAW FALSE)
// or again (TRUE): it counts as hidden meanwhile, but the screen keeps it.
void SetRedraw(HWND handle, Window& window, bool on) {
  if (on == window.redraw) return;
  window.redraw = on;
  if (!on) {
    if (!(window.style & WS_VISIBLE)) return;
    RedrawWindow(handle, nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
    window.style &= ~static_cast<DWORD>(WS_VISIBLE);
    window.hiddenForRedraw = true;
  } else if (window.hiddenForRedraw) {
    window.style |= WS_VISIBLE;
    window.hiddenForRedraw = false;
  }
}

// The key that may open the menu when it is let go: Alt or F10 pressed alone.
thread_local WPARAM menuKey = 0;

void MenuKeyDown(HWND handle, UINT message, WPARAM key, LPARAM lParam) {
  bool alt = (HIWORD(lParam) & KF_ALTDOWN) != 0;
  bool repeat = (HIWORD(lParam) & KF_REPEAT) != 0;
  if (message == WM_SYSKEYDOWN && alt && key == VK_F4) {
    PostMessage(layer::TopLevelOf(handle), WM_SYSCOMMAND, SC_CLOSE, 0);
    menuKey = 0;
  } else if (key == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
    SendMessage(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), MAKELPARAM(-1, -1));  // from the keyboard
    menuKey = 0;
  } else if ((key == VK_MENU && alt) || key == VK_F10) {
    if (!repeat) menuKey = key;
  } else {
    menuKey = 0;  // another key: Alt was a modifier
  }
}

}  // namespace

LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto window = layer::WindowOf(handle);
  if (!window) return 0;
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (create && create->lpszName) window->text = create->lpszName;
      // Window scroll bars start with the platform's range.
      for (int bar : {SB_HORZ, SB_VERT}) window->bars[bar].max = window->BarShown(bar) ? 100 : 0;
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      if (!lParam) return 0;
      RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      *rect = layer::DefaultClientRect(*window, *rect);
      return 0;
    }
    case WM_NCHITTEST:
      return layer::DefaultHitTest(*window, PointOf(lParam));
    case WM_NCPAINT:
      layer::PaintNonClient(*window);
      return 0;
    case WM_NCACTIVATE:
      window->captionActive = wParam != 0;
      if (IsWindowVisible(handle) && window->HasNonClientArea()) layer::PaintNonClient(*window);
      layer::NotifyHost(handle);
      return TRUE;
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
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      bool limited = (window->style & WS_THICKFRAME) || !(window->style & (WS_POPUP | WS_CHILD));
      if (!pos || (pos->flags & SWP_NOSIZE) || !limited) return 0;
      MINMAXINFO info = layer::QueryMinMaxInfo(handle);
      pos->cx = std::min<int>(pos->cx, info.ptMaxTrackSize.x);
      pos->cy = std::min<int>(pos->cy, info.ptMaxTrackSize.y);
      if (!(window->style & WS_MINIMIZE)) {
        pos->cx = std::max<int>(pos->cx, info.ptMinTrackSize.x);
        pos->cy = std::max<int>(pos->cy, info.ptMinTrackSize.y);
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!pos) return 0;
      if (!(pos->flags & layer::kSwpNoClientMove)) SendMessage(handle, WM_MOVE, 0, layer::ClientOriginParam(*window));
      if (!(pos->flags & layer::kSwpNoClientSize) || (pos->flags & layer::kSwpStateChanged)) {
        window->needsSize = false;  // the first size of an overlapped window is told now
        SendMessage(handle, WM_SIZE, layer::SizeKind(*window), layer::ClientSizeParam(*window));
      }
      return 0;
    }
    case WM_SETTEXT:
      window->text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
      if (IsWindowVisible(handle) && !window->IsChild() && window->HasNonClientArea()) layer::PaintNonClient(*window);
      layer::NotifyHost(handle);
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window->text.size());
    case WM_SETICON: {
      HICON& slot = window->icons[wParam == ICON_SMALL ? ICON_SMALL : ICON_BIG];
      return reinterpret_cast<LRESULT>(std::exchange(slot, reinterpret_cast<HICON>(lParam)));
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(window->icons[wParam == ICON_SMALL ? ICON_SMALL : ICON_BIG]);
    case WM_GETTEXT: {
      auto* text = reinterpret_cast<LPSTR>(lParam);
      if (!text || wParam == 0) return 0;
      std::size_t count = std::min<std::size_t>(window->text.size(), wParam - 1);
      std::memcpy(text, window->text.data(), count);
      text[count] = '\0';
      return static_cast<LRESULT>(count);
    }
    case WM_SETCURSOR:
      return SetCursorFor(*window, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (window->IsChild()) {
        if (LRESULT answer = SendMessage(window->parent, WM_MOUSEACTIVATE, wParam, lParam)) return answer;
      }
      // A press on the caption activates when the press is handled (to allow a move).
      return LOWORD(lParam) == HTCAPTION ? MA_NOACTIVATE : MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !window->IsChild() && !window->minimized) {
        HWND focus = GetFocus();
        if (!focus || layer::TopLevelOf(focus) != handle) SetFocus(handle);
      }
      return 0;
    case WM_NCLBUTTONDOWN:
      NonClientButtonDown(handle, wParam, lParam);
      return 0;
    case WM_NCLBUTTONDBLCLK:
      NonClientDoubleClick(handle, *window, wParam, lParam);
      return 0;
    case WM_RBUTTONUP: {
      POINT screen = PointOf(lParam);
      ClientToScreen(handle, &screen);
      SendMessage(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), MAKELPARAM(screen.x, screen.y));
      return 0;
    }
    case WM_NCRBUTTONUP:
      SendMessage(handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(handle), lParam);
      return 0;
    case WM_CONTEXTMENU:
      if (window->IsChild()) return SendMessage(window->parent, message, wParam, lParam);
      return 0;
    case WM_SETREDRAW:
      SetRedraw(handle, *window, wParam != 0);
      return 0;
    case WM_SYSCOMMAND:
      SystemCommand(handle, *window, wParam, lParam);
      return 0;
    case WM_SYSKEYDOWN:
    case WM_KEYDOWN:
      MenuKeyDown(handle, message, wParam, lParam);
      return 0;
    case WM_SYSKEYUP:
    case WM_KEYUP:
      // Alt or F10 pressed and let go alone opens the menu.
      if ((wParam == VK_MENU || wParam == VK_F10) && std::exchange(menuKey, 0) == wParam)
        SendMessage(layer::TopLevelOf(handle), WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    case WM_SYSCHAR:
      if ((HIWORD(lParam) & KF_ALTDOWN) && wParam && wParam != VK_TAB && wParam != VK_ESCAPE && wParam != VK_RETURN)
        SendMessage(layer::TopLevelOf(handle), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == handle) ReleaseCapture();
      return 0;
    case WM_QUERYOPEN:
      return TRUE;
    default:
      return 0;
  }
}
