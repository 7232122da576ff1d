// The grey-level rendering of a bilevel TIFF reduced (or enlarged) to an
// output size: 4-bit bands of five levels, from the picture colour to black,
// each band ready to be drawn as a device-independent bitmap.
#pragma once

#include <functional>

#include "interfaces/QridIMG.h"

struct GreyBand {
  const BITMAPINFO* info;  // header (height = the band's rows) and the five colours
  const BYTE* bits;        // bottom-up rows
  LONG firstRow;           // output row of the band's top
  LONG rows;
};
using GreyBandSink = std::function<bool(const GreyBand&)>;

// Output rows per band: as many as fit in 64000 bytes at one byte a pixel,
// at most the output height less one, at least one.
LONG GreyBandRows(LONG outputWidth, LONG outputHeight);

// Renders the source rectangle into outputWidth x outputHeight pixels. Each
// output pixel's level is the share of black among the source pixels that
// fall on it, from 0 (the picture colour) to 4 (black). Builds the picture's
// palette of the five colours when it has none. A sink that returns false
// ends the rendering; the result is 1 when every band was handed on.
int RenderTiffGreyBands(QORIMG_PICTURE* picture, const RECT& source, LONG outputWidth, LONG outputHeight,
                        const GreyBandSink& sink);
