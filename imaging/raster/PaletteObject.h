// Palette objects made from palette entries.
#pragma once

#include <vector>

#include "win32/GdiTypes.h"

class CPalette;

// A new palette object of those entries; null when there are none.
CPalette* MakePaletteObject(const std::vector<PALETTEENTRY>& entries);
