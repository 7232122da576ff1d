// The desktop's look for the parts of a window that the window core draws
// itself. The screen backend installs a painter that draws them in the
// desktop's style; without one the core draws them plainly in the system
// colours, so windows still look whole (and tests stay exact) without a
// screen.
#pragma once

#include <string>

#include "win32/Surface.h"

namespace layer {

// A top-level window's caption bar, in the window's own coordinates.
struct CaptionLook {
  RECT bar{};  // the whole bar, buttons included
  std::string title;  // Windows-1252
  bool active = false;
  bool small = false;  // a tool window's narrow caption
  RECT systemMenu{};   // empty when there is none
  RECT minimize{};
  RECT maximize{};
  RECT close{};
  bool minimizeEnabled = true;
  bool maximizeEnabled = true;
  bool maximized = false;  // the maximise button shows "restore"
  int pressed = 0;         // the hit code of the button held down, 0 for none
};

class ThemePainter {
 public:
  virtual ~ThemePainter() = default;
  // Draws the caption bar into the window's surface; false leaves it to the
  // window core's plain drawing.
  virtual bool DrawCaption(Surface& surface, const CaptionLook& look) = 0;
};

// The installed painter or null. The installer keeps ownership.
ThemePainter* CurrentThemePainter();
void InstallThemePainter(ThemePainter* painter);

}  // namespace layer
