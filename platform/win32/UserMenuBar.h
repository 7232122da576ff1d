// Where the menu code meets the window core. A top-level window that has a
// menu (its HMENU) gets a menu bar in its non-client area, between the
// caption and the client area. The window core reserves the bar's room when
// it computes the non-client area (the default handling of WM_NCCALCSIZE),
// answers HTMENU for points on it (WM_NCHITTEST), paints it with the rest of
// the non-client area (WM_NCPAINT) and routes the mouse and the menu keys on
// it through WM_SYSCOMMAND (SC_MOUSEMENU for a press on the bar, SC_KEYMENU
// for Alt and F10), as the platform's default window procedure does. What
// the bar holds, how high it is, how it looks and how it is tracked belong
// to the menu code, which installs these hooks; without them a window with a
// menu gets an empty bar of SM_CYMENU pixels.
#pragma once

#include "win32/UserTypes.h"

namespace layer {

struct MenuBarHooks {
  // The bar's height for a window whose bar is width pixels wide (a long
  // menu may wrap onto more lines). Null: SM_CYMENU.
  int (*height)(HWND window, HMENU menu, int width) = nullptr;
  // Draws the bar into area (window coordinates) on a device context of the
  // whole window. Null: the bar is filled with COLOR_MENU.
  void (*draw)(HWND window, HMENU menu, HDC dc, const RECT& area) = nullptr;
  // Runs the menu for WM_SYSCOMMAND's SC_MOUSEMENU or SC_KEYMENU (wParam and
  // lParam as the message carries them: the point on the screen for the
  // mouse, the character for the keys). Null: nothing happens.
  void (*track)(HWND window, HMENU menu, WPARAM command, LPARAM lParam) = nullptr;
};

// Installs the menu code's hooks (a copy is kept); returns the ones before.
MenuBarHooks SetMenuBarHooks(const MenuBarHooks& hooks);

// The menu of a top-level window (null for none, and for child windows,
// whose HMENU is their control id).
HMENU WindowMenu(HWND window);
// Gives a top-level window its menu (null removes it) and recomputes its
// non-client area, so the client area makes room for the bar or takes the
// room back (WM_NCCALCSIZE, then WM_SIZE when the client area changed).
// FALSE for a child window or a handle that is no window.
BOOL SetWindowMenu(HWND window, HMENU menu);
// Repaints the menu bar of a window at once (after the menu changed).
BOOL RepaintMenuBar(HWND window);

}  // namespace layer
