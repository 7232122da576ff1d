// Writes what a window shows (its canvas with its children) as a PNG file,
// for a look with one's own eyes.
#pragma once

#include <string>

#include "win32/Types.h"

namespace layer {

bool SaveWindowPng(HWND window, const std::string& path);
// What the screen shows (on a real or virtual X display: the windows as the
// display server has them).
bool SaveScreenPng(const std::string& path);

}  // namespace layer
