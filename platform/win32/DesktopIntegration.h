// What the desktop gives the layer beyond windows: whether a person can see
// the screen, the desktop's style for the drawn parts of controls, its file
// dialog, its icons, its alert sound and its clipboard (the last three are
// installed into the layer when the backend loads).
#pragma once

#include <string>

#include "win32/Types.h"

namespace layer {

// False on a screen nobody sees (Qt's offscreen platform).
bool ScreenIsVisible();

// Paints a frame control (DrawFrameControl's type and state) with the
// desktop's style; false when the style has no such part.
bool PaintWithDesktopStyle(HDC dc, const RECT& rect, UINT type, UINT state);

// The desktop's file dialog. filters: the dialog's name filters ("Text
// (*.txt *.TXT)"), one per line; filterIndex in and out, from 0. Paths are
// host paths (UTF-8). False when the user cancelled.
struct DesktopFileChoice {
  bool save = false;
  HWND owner = nullptr;
  std::string title;
  std::string filters;
  int filterIndex = 0;
  std::string folder;
  std::string name;
  std::string defaultSuffix;
  bool mustExist = false;
};
bool ShowDesktopFileDialog(DesktopFileChoice& choice, std::string& chosenPath);

}  // namespace layer
