// Bilevel TIFF pictures as 1-bit device-independent bitmaps.
#pragma once

#include "interfaces/QridIMG.h"

// Writes the bitmap of the source rectangle (x0, y0) to (x1, y1) into target:
// header, two colours (white, black) and bottom-up rows from byte 48. The
// target must hold 48 + ((width + 31) / 32) * 4 * height bytes. 1 or 0.
int DecodeTIFFToDIB(LONG x0, LONG x1, LONG y0, LONG y1, void* target, QORIMG_PICTURE* picture);

// Bytes that DecodeTIFFToDIB writes for a rectangle of that size.
SIZE_T TiffDIBSize(LONG width, LONG height);
