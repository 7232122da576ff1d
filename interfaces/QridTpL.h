// The line scaler: reductions of bilevel (1 bit per pixel) pictures to
// 16-colour copies whose pixels say how much of each cell is ink.
//
// Pictures are bottom-up device-independent bitmaps with lines padded to
// 32 bits: the source has 1 bit per pixel, the target 4 bits. A target pixel
// gets an index 0 to 4: 0 for a cell without ink, 4 for a cell all ink, and
// at least 1 for a cell with any ink at all, so thin lines survive.
// Mode 1: set bits (index 1) are ink; mode 0: clear bits (index 0) are ink.
#pragma once

#include "win32/GdiTypes.h"

extern "C" {

// ordinal 3
void TplReduceMono(const BYTE* sourceBits, BYTE* targetBits, int width, int height, int sourceWidth,
                   int sourceHeight, int mode);

// ordinal 4: the same from side data that TplDescribeMono made of the source;
// false (and nothing written) when the side data does not describe a picture
// of sourceWidth x sourceHeight or is damaged.
BOOL TplReduceMonoFromData(BYTE* targetBits, int width, int height, int sourceWidth, int sourceHeight,
                           const BYTE* sideData, int sideDataLength, int mode);

// ordinal 5: writes to sideData the runs of set bits of each line of a 1-bit
// picture, bottom line first, and answers their length in bytes; 0 (nothing
// worth keeping) when they would take more than capacity or than the picture.
int TplDescribeMono(const BYTE* sourceBits, int sourceWidth, int sourceHeight, BYTE* sideData, int capacity);
}
