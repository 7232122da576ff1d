// The hourglass for the length of a block: the wait cursor is shown while
// the object lives and the cursor before it comes back at its end.
#pragma once

#include "win32/UserWindows.h"

class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

  // Shows the wait cursor again (after a box, say, put another one up).
  void Restore();

 private:
  HCURSOR m_previous;
};
