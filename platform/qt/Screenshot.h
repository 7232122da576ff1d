// Writes what a window shows (its canvas with its children) as a PNG file,
// for a look with one's own eyes.
#pragma once

#include <string>

#include "win32/Types.h"

namespace layer {

bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace layer
