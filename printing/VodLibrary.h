// What the library holds for the whole process: its module, the icons of
// the printing dialog, the cursors and the preview window's class. The
// library attaches itself on its first use.
#pragma once

#include "win32/Types.h"

namespace vod {

// Attaches the library once; false when the loader gave it no module.
bool LibraryAttached();
HINSTANCE LibraryInstance();
// The window icon, and animation picture n (0 to 4).
HICON WindowIcon();
HICON AnimationIcon(int n);

}  // namespace vod
