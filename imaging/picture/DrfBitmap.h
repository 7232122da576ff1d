// DRF pictures as device-independent bitmaps: the colour table and geometry
// of the picture type, the bitmap stripes of at most 64 KB, and the packed
// bitmap that callers and the clipboard get.
#pragma once

#include "interfaces/QridIMG.h"

struct DrfFormat {
  WORD bitsPerPixel;
  WORD colours;
};

// Bits per pixel and colours of a picture type; FALSE for an unknown type.
BOOL DrfFormatOf(int type, DrfFormat* format);

struct DrfGeometry {
  LONG stride;  // pixels per bitmap line, a multiple of 16
  LONG strideBytes;
  LONG linesPerStripe;  // below 1 when a single line would not fit in a stripe
  LONG stripes;
  LONG linesLastStripe;
};
DrfGeometry DrfGeometryOf(LONG width, LONG height, WORD bitsPerPixel);

// Fills the header block, builds the palette when the picture has none and,
// in DIB mode, decodes the picture into its stripes. 1 or 0 (last error set).
int BuildDRFBitmap(HWND window, QORIMG_PICTURE* picture);

// A fixed global block with the packed bitmap, or null.
HGLOBAL MakeDRFClipboardDIB(QORIMG_PICTURE* picture);

void FreeStripes(QORIMG_PICTURE* picture);
void FreeBitmapHeader(QORIMG_PICTURE* picture);
