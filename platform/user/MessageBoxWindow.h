// Message boxes as real windows: a dialog owned by the caller's window with
// the icon, the text and the buttons the type asks for. The layer shows its
// boxes this way where a person can see them (on a display); tests choose it
// as their presenter to work a box with keys and messages.
#pragma once

#include "win32/MessageBox.h"

#define MB_ICONMASK 0x000000F0u
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFMASK 0x00000F00u
#define MB_TYPEMASK 0x0000000Fu
#define MB_MODEMASK 0x00003000u

namespace layer {

// Shows a box and runs it modally; the id of the button that closed it (0
// when the box could not be made).
int ShowMessageBoxWindow(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace layer
