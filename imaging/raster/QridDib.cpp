// The exports of the raster picture library. The platform's class library
// needs a switch of module state around each export; this one has none.
#include "interfaces/QridDib.h"

#include "imaging/raster/CDib.h"
#include "imaging/raster/CDoubleDib.h"
#include "mfc/CDC.h"

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

QRIDDIB_API DDIB_HANDLE DDIB_New() { return new CDoubleDib; }

QRIDDIB_API void DDIB_Delete(DDIB_HANDLE dib) { delete dib; }

QRIDDIB_API int DDIB_ImageLoad(DDIB_HANDLE dib, DECODER_HANDLE decoder, const char* path, int* bitCount, int* error,
                               HS_HANDLE hotspots) {
  return dib->ImageLoad(decoder, path, bitCount, error, hotspots);
}

QRIDDIB_API int DDIB_ImageLoadResource(DDIB_HANDLE dib, DECODER_HANDLE /*decoder*/, int id, HINSTANCE module,
                                       int* bitCount, int* error) {
  return dib->ImageLoadResource(static_cast<UINT>(id), module, bitCount, error);
}

QRIDDIB_API int DDIB_OnDraw(DDIB_HANDLE dib, CDC* dc, int x, int y) {
  return dc ? dib->OnDraw(dc->GetSafeHdc(), x, y) : 0;
}

QRIDDIB_API int DDIB_GetPalette(DDIB_HANDLE dib, CPalette** palette) { return dib->GetPalette(palette); }

QRIDDIB_API int DDIB_GetZoomSize(DDIB_HANDLE dib, int size[2]) { return dib->GetZoomSize(size); }

QRIDDIB_API int DDIB_ImageCopyToClipboard(DDIB_HANDLE dib) { return dib->ImageCopyToClipboard(); }

QRIDDIB_API int DDIB_ImageZoomCopyToClipboard(DDIB_HANDLE dib) { return dib->ImageZoomCopyToClipboard(); }

QRIDDIB_API int DDIB_ImagePartCopyToClipboard(DDIB_HANDLE dib, int left, int top, int right, int bottom) {
  return dib->ImagePartCopyToClipboard(RECT{left, top, right, bottom});
}

QRIDDIB_API int DDIB_ImageExists(DDIB_HANDLE dib) { return dib->ImageExists(); }

QRIDDIB_API int DDIB_ImageZoomExists(DDIB_HANDLE dib) { return dib->ImageZoomExists(); }

QRIDDIB_API int DDIB_ImageZoom(DDIB_HANDLE dib, int mode, int left, int top, int right, int bottom) {
  return dib->ImageZoom(mode, left, top, right, bottom);
}

QRIDDIB_API int DDIB_ImageZoomRect(DDIB_HANDLE dib, int selLeft, int selTop, int selRight, int selBottom, int left,
                                   int top, int right, int bottom) {
  return dib->ImageZoomRect(RECT{selLeft, selTop, selRight, selBottom}, RECT{left, top, right, bottom});
}

QRIDDIB_API int DDIB_MixPalette(DDIB_HANDLE dib, DDIB_HANDLE partner) { return dib->MixPalette(partner); }

QRIDDIB_API int DDIB_DeleteDecoderInterface(DECODER_HANDLE decoder) { return DcodDeleteInterface(decoder); }

QRIDDIB_API int DDIB_GetSize(DDIB_HANDLE dib, int size[2]) { return dib->GetSize(size); }

QRIDDIB_API DECODER_HANDLE DDIB_NewDecoderInterface() { return DcodNewInterface(); }

QRIDDIB_API BITMAPINFO* DDIB_GetBMI(DDIB_HANDLE dib) { return dib->Picture() ? dib->Picture()->GetBMI() : nullptr; }

QRIDDIB_API BYTE* DDIB_GetBits(DDIB_HANDLE dib) { return dib->Picture() ? dib->Picture()->GetBits() : nullptr; }

QRIDDIB_API BYTE* DDIB_GetBitLine(DDIB_HANDLE dib, int line) {
  return dib->Picture() ? dib->Picture()->GetLine(line) : nullptr;
}

QRIDDIB_API int DDIB_SetStandardCapSize(DDIB_HANDLE /*dib*/, int width, int height) {
  CCapImage::SetStandardSize(width, height);
  return 1;
}

QRIDDIB_API BITMAPINFO* DDIB_GetZoomBMI(DDIB_HANDLE dib) { return dib->Zoomed() ? dib->Zoomed()->GetBMI() : nullptr; }

QRIDDIB_API int DDIB_SetBkColor(DDIB_HANDLE dib, COLORREF colour, int extra) { return dib->SetBkColor(colour, extra); }
