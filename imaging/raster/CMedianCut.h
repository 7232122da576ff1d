// The 256-colour display palette of a true-colour picture: a median cut over
// a histogram of 5 bits per channel. The picture's pixels are not changed.
#pragma once

#include "win32/GdiTypes.h"

class CMedianCut {
 public:
  // Fills palette[0..255] from a 24- or 32-bit bottom-up picture whose pixels
  // follow the usual stride; false for other depths or when memory runs out.
  static bool Quantise(const BITMAPINFOHEADER& header, const BYTE* pixels, RGBQUAD palette[256]);
};
