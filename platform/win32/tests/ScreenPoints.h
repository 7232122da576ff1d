// Points on a window's outer rectangle, in screen coordinates, where the
// input tests press the mouse.
#pragma once

#include "win32/UserWindows.h"

namespace layer::testing {

inline POINT OnWindow(HWND window, int x, int y) {
  RECT rect;
  GetWindowRect(window, &rect);
  return POINT{rect.left + x, rect.top + y};
}

}  // namespace layer::testing
