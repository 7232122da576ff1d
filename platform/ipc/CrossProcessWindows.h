// Joins this program to the user's other programs: its top-level windows are
// published in the window registry (created, changed, destroyed, brought to
// the front) and answered on its listener, and the window functions reach
// the other programs' windows. The screen host that is installed at the call
// keeps doing its work; the publisher stands in front of it.
#pragma once

namespace layer::ipc {

// Call once from the user-interface thread after the screen host (if any)
// is installed. False when the listener cannot be made.
bool StartCrossProcessWindows();

}  // namespace layer::ipc
