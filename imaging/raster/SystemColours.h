// The twenty colours that the system's default palette keeps for itself: ten
// at the start and ten at the end of every 256-entry display palette.
#pragma once

#include "win32/GdiTypes.h"

// Entries 0-9 and 246-255 of a 256-entry palette, flags 0.
PALETTEENTRY SystemColour(int entry);
// Fills entries 0-9 and 246-255 of a 256-entry palette with flags as given.
void PutSystemColours(PALETTEENTRY* palette, BYTE flags);
