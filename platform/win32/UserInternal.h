// What the window, message and paint functions of the layer share among
// themselves (not for the system's code).
#pragma once

#include "win32/UserWindow.h"

namespace layer {

// Gives the calling thread its message queue if it has none yet.
void EnsureQueue();
// Drops the posted messages and timers of a window that is being destroyed.
void ForgetWindowMessages(HWND window);
// WM_ERASEBKGND as the platform's default handler does it: the class brush
// over the client area; 1 when erased.
LRESULT EraseWithClassBrush(Window& window, HDC dc);

}  // namespace layer
