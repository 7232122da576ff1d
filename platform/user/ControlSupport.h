// What the standard controls share (not for the system's code): their state
// object kept in the window, notifications to the parent, colours asked of
// the parent, fonts and borders.
#pragma once

#include <string>

#include "user/ControlDrawing.h"
#include "user/Controls.h"
#include "win32/Gdi.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

namespace layer::controls {

// The control's state lives in its first window bytes from WM_NCCREATE to
// WM_NCDESTROY. Returns null before and after.
template <class State>
State* StateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtr(window, 0));
}

// Makes the state on WM_NCCREATE and frees it on WM_NCDESTROY; the control's
// procedure calls it first.
template <class State>
State* TrackState(HWND window, UINT message) {
  if (message == WM_NCCREATE) SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(new State));
  State* state = StateOf<State>(window);
  if (message == WM_NCDESTROY && state) {
    SetWindowLongPtr(window, 0, 0);
    delete state;
    return nullptr;
  }
  return state;
}

void RegisterControlClass(const char* name, WNDPROC proc, UINT classStyle, LPCSTR cursor);

DWORD StyleOf(HWND window);
// The window that hears a control's notifications: its parent, or the
// owner that made a pop-up part of it.
HWND NotifyTarget(HWND control);
// WM_COMMAND with the control's id and the code, sent to its parent.
void Notify(HWND control, UINT code);
// The brush (and the colours set in dc) that the parent wants for the
// control, through WM_CTLCOLORxxx; the system's defaults when it has none.
HBRUSH ParentBrush(HWND control, HDC dc, UINT message);
// The control's font (WM_SETFONT), or the default GUI font.
HFONT ControlFont(HFONT font);
// Draws a child's border (WS_BORDER, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE)
// around its client area.
void PaintBorder(HWND window);
// The text of a window as the layer keeps it.
std::string WindowTextOf(HWND window);
// The messages the controls answer alike: the font (WM_SETFONT, WM_GETFONT),
// no erasing of their own, and a repaint after a new text or enabling.
// True, with the answer in result, when the message was one of them.
bool CommonMessage(HWND window, HFONT& font, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Height of one line of text in a font.
int LineHeight(HFONT font);
// Width of a text in a font.
int TextWidth(HFONT font, const std::string& text);
// Case-blind comparison of Windows-1252 texts (the lists' finds).
int CompareNoCase(const std::string& a, const std::string& b);
// The lists' sort order: without regard to case, accented letters beside
// their base letters, as the user's locale sorts.
int CompareForSort(const std::string& a, const std::string& b);
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

}  // namespace layer::controls
