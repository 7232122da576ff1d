// The exports of the raster picture library. The platform's class library
// needs a switch of module state around each export; this one has none.
#include "interfaces/QridDib.h"

#include "imaging/raster/CDib.h"

QRIDDIB_API int DIB_GetHeight(DIB_HANDLE dib) { return dib->GetHeight(); }

QRIDDIB_API int DIB_GetWidth(DIB_HANDLE dib) { return dib->GetWidth(); }

QRIDDIB_API BITMAPINFO* DIB_GetBMI(DIB_HANDLE dib) { return dib->GetBMI(); }

QRIDDIB_API int DIB_Create(DIB_HANDLE dib, int width, int height, int bits, int unused, int coloursUsed) {
  return dib->Create(width, height, bits, unused, coloursUsed);
}

QRIDDIB_API int DIB_CreateSpecialWidth(DIB_HANDLE dib, int width, int height, int bits, int unused,
                                       int coloursUsed) {
  return dib->CreateSpecialWidth(width, height, bits, unused, coloursUsed);
}

QRIDDIB_API int DIB_BitsClear(DIB_HANDLE dib) {
  dib->BitsClear();
  return 1;
}

QRIDDIB_API BYTE** DIB_GetLineArray(DIB_HANDLE dib) { return dib->GetLineArray(); }

QRIDDIB_API int DIB_SetPalette(DIB_HANDLE dib, const RGBQUAD* colours) { return dib->SetPalette(colours); }

QRIDDIB_API int DIB_SetPaletteEntry(DIB_HANDLE dib, int index, BYTE red, BYTE green, BYTE blue, BYTE reserved) {
  dib->SetPaletteEntry(index, red, green, blue, reserved);
  return 1;
}
