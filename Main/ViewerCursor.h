// The viewer's own cursors over links and orderable texts.
#pragma once

#include "win32/Types.h"

// The viewer's cursor of that number; the system's hand stands in where the
// program carries none.
HCURSOR ViewerCursor(int id);
// Sets cursor unless it is already the one shown, which spares the flicker.
void SetCursorOnce(HCURSOR cursor);
