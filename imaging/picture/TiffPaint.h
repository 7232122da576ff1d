// Painting a bilevel TIFF into a window's device context in grey levels,
// reduced or enlarged to an output size.
#pragma once

#include "interfaces/QridIMG.h"

// Fills the update rectangle with the background and draws the source
// rectangle of the TIFF into outputWidth x outputHeight pixels at the zoom
// start plus the picture centre. 1 or 0.
int PaintTIFFPicture(QORIMG_PICTURE* picture, HDC dc, const RECT& update, const RECT& source, LONG outputWidth,
                     LONG outputHeight);
