// Windows: classes, creation and destruction, geometry, styles, focus,
// capture, cursors, scroll bars and the system's metrics and colours.
#pragma once

#include "win32/UserTypes.h"

#ifndef ERROR_INVALID_WINDOW_HANDLE
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#endif
#ifndef ERROR_CLASS_ALREADY_EXISTS
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#endif
#ifndef ERROR_CLASS_DOES_NOT_EXIST
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#endif
#ifndef ERROR_CANNOT_FIND_WND_CLASS
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#endif

ATOM RegisterClass(const WNDCLASSA* windowClass);
ATOM RegisterClassEx(const WNDCLASSEXA* windowClass);
BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASSA* windowClass);
int GetClassName(HWND window, LPSTR name, int size);

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL IsWindow(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL IsWindowEnabled(HWND window);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);
BOOL IsChild(HWND parent, HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL BringWindowToTop(HWND window);
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement);
// The window rectangle that gives a client rectangle, for windows of these styles.
BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL GetWindowRect(HWND window, LPRECT rect);
BOOL ScreenToClient(HWND window, LPPOINT point);
BOOL ClientToScreen(HWND window, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
HWND GetParent(HWND window);
HWND SetParent(HWND window, HWND parent);
HWND GetDesktopWindow();
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND window);
HWND WindowFromPoint(POINT point);
HWND ChildWindowFromPoint(HWND parent, POINT point);

LONG GetWindowLong(HWND window, int index);
LONG SetWindowLong(HWND window, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND window, int index);
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);
BOOL SetWindowText(HWND window, LPCSTR text);
int GetWindowText(HWND window, LPSTR text, int size);
int GetWindowTextLength(HWND window);

HWND SetFocus(HWND window);
HWND GetFocus();
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
HWND SetCapture(HWND window);
HWND GetCapture();
BOOL ReleaseCapture();

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
// TME_LEAVE: the window gets WM_MOUSELEAVE once the pointer's next input
// goes elsewhere (another window, its non-client area, or no window of the
// program); TME_CANCEL with it stops that. One window is watched at a time.
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);

int GetSystemMetrics(int index);
DWORD GetSysColor(int index);

int SetScrollPos(HWND window, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND window, int bar);
BOOL SetScrollRange(HWND window, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND window, int bar, LPINT min, LPINT max);
int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info);
BOOL ShowScrollBar(HWND window, int bar, BOOL show);
BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows);
// Moves the pixels of the client area (or of scroll, within clip) by dx, dy
// and invalidates what they leave uncovered; ScrollWindow erases it and,
// scrolling the whole client area, moves the child windows along.
BOOL ScrollWindow(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip);
int ScrollWindowEx(HWND window, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRegion,
                   LPRECT updateRect, UINT flags);

BOOL InvalidateRect(HWND window, LPCRECT rect, BOOL erase);
BOOL ValidateRect(HWND window, LPCRECT rect);
BOOL UpdateWindow(HWND window);
BOOL RedrawWindow(HWND window, LPCRECT rect, HRGN region, UINT flags);
BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL erase);

// Rectangles.
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT to, const RECT* from);
BOOL IsRectEmpty(const RECT* rect);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL IntersectRect(LPRECT result, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT result, const RECT* a, const RECT* b);
BOOL EqualRect(const RECT* a, const RECT* b);
int MulDiv(int number, int numerator, int denominator);

namespace layer {

// A module's own cursor, found by LoadCursor(module, id). The picture is
// 32 x 32 pixels of 0xAARRGGBB (may be empty: then the shape of the system
// cursor systemId is used).
struct CursorPicture {
  int hotX = 0;
  int hotY = 0;
  const std::uint32_t* pixels = nullptr;
  LPCSTR systemId = IDC_ARROW;
};
void AddModuleCursor(HINSTANCE module, WORD id, const CursorPicture& picture);
// What a cursor handle stands for (a system id for the system's cursors).
const CursorPicture* CursorOf(HCURSOR cursor);
// The state of a key or button as the input has left it (the backend and
// tests set it): down in bit 15, toggled in bit 0.
void SetKeyDown(int virtualKey, bool down);
// The character the keyboard gave with the last press of a key (0: none),
// which TranslateMessage turns into WM_CHAR; without one it knows the
// letters, digits and a few keys itself.
void NoteKeyCharacter(int virtualKey, int character);
int NotedKeyCharacter(int virtualKey);
void SetCursorPosition(POINT point);

// Input as the screen delivers it, for the thread whose window it reaches
// (the window under the pointer, or the one that captured the mouse; keys
// go to the thread of the foreground window). The message it becomes is
// worked out when that thread reads its queue. message is WM_MOUSEMOVE, a
// button's WM_xBUTTONDOWN or WM_xBUTTONUP, or WM_MOUSEWHEEL with its delta;
// keys the MK_ flags held. False when no window takes it.
bool MouseInput(POINT screen, UINT message, WPARAM keys, int wheelDelta = 0);
// A key: WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP with its flags.
// held (kHeld... flags) gives the modifier keys held as it was pressed: the
// key state the program reads is then the one of the key it is handling,
// not the one of keys the screen has delivered since (a quick Ctrl+P whose
// Ctrl is up before the program takes the P still counts as Ctrl+P).
enum HeldModifiers : unsigned { kHeldShift = 1, kHeldControl = 2, kHeldAlt = 4, kHeldKnown = 8 };
bool KeyInput(UINT message, int virtualKey, LPARAM flags, unsigned held = 0);

// Called on the creating thread with every new window before its first
// message (WM_NCCREATE), so a class library can bind its object to the window
// and take over its procedure. Returns the hook it replaces.
using CreationHook = void (*)(HWND window);
CreationHook SetCreationHook(CreationHook hook);

}  // namespace layer
