// Input as a user gives it, for tests: mouse events handed to the backend at
// a point of the screen, where the window under the point (or the one that
// holds the mouse) turns them into messages as it does for a real mouse.
#pragma once

#include "win32/UserTypes.h"

namespace layer {

// message: WM_MOUSEMOVE or a button's WM_xBUTTONDOWN, WM_xBUTTONUP or
// WM_xBUTTONDBLCLK (the second press of a double click); keys: the MK_
// buttons held after the event and MK_SHIFT/MK_CONTROL. False when no
// window of this program lies at the point.
bool SendUserMouse(UINT message, POINT screen, WPARAM keys);

}  // namespace layer
