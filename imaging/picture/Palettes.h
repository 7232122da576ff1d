// The picture's own logical palette or the shared 256-colour palette, and the
// caller palette that the shared palettes of all pictures have in common.
#pragma once

#include <vector>

#include "interfaces/QridIMG.h"

enum PaletteKind { kDrfPalette = 8, kTiffPalette = 9 };

// Makes the picture's palette of the kind; fillIndex (when given) receives the
// index of the entry nearest to white. Returns FALSE for an unknown kind.
BOOL BuildPalette(int* fillIndex, QORIMG_PICTURE* picture, int kind);

// The entries of the picture's palette; empty when it has none.
std::vector<PALETTEENTRY> PaletteEntries(const QORIMG_PICTURE* picture);

void FreePalette(QORIMG_PICTURE* picture);

// The colours of the TIFF grey-level rendering: the picture colour, three greys, black.
std::vector<RGBQUAD> TiffRenderColours(const QORIMG_PICTURE* picture);
