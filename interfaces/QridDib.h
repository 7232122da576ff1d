// The raster picture library QridDib: DDIB_* on a picture with its zoomed copy,
// DIB_* on one bare bitmap. Importers bind them by ordinal on the platform;
// the ordinal of each function is given beside it. Results are 1 for success
// and 0 for failure unless said otherwise; handles are not checked.
#pragma once

#include "win32/GdiTypes.h"

class CDib;
class CDoubleDib;
class CDC;
class CPalette;

typedef CDib* DIB_HANDLE;
typedef CDoubleDib* DDIB_HANDLE;
typedef void* DECODER_HANDLE;
#include "interfaces/QridHtSp.h"

#define QRIDDIB_API extern "C" __attribute__((visibility("default")))

QRIDDIB_API DDIB_HANDLE DDIB_New();                                                               // 11
QRIDDIB_API void DDIB_Delete(DDIB_HANDLE dib);                                                    // 12
// Both outputs are set to 0 first; *error gets a decoder error code.
QRIDDIB_API int DDIB_ImageLoad(DDIB_HANDLE dib, DECODER_HANDLE decoder, const char* path, int* bitCount, int* error,
                               HS_HANDLE hotspots);                                               // 13
QRIDDIB_API int DDIB_OnDraw(DDIB_HANDLE dib, CDC* dc, int x, int y);                              // 14
QRIDDIB_API int DDIB_GetZoomSize(DDIB_HANDLE dib, int size[2]);                                   // 15
QRIDDIB_API int DDIB_ImageCopyToClipboard(DDIB_HANDLE dib);                                       // 16
QRIDDIB_API int DDIB_ImageZoomCopyToClipboard(DDIB_HANDLE dib);                                   // 17
QRIDDIB_API int DDIB_ImageExists(DDIB_HANDLE dib);                                                // 18
QRIDDIB_API int DDIB_ImageZoomExists(DDIB_HANDLE dib);                                            // 19
// mode 1 actual size, 0 fit, -2 fit to width, n > 1 one n-th.
QRIDDIB_API int DDIB_ImageZoom(DDIB_HANDLE dib, int mode, int left, int top, int right, int bottom);  // 20
QRIDDIB_API int DDIB_ImageZoomRect(DDIB_HANDLE dib, int selLeft, int selTop, int selRight, int selBottom,
                                   int left, int top, int right, int bottom);                     // 21
QRIDDIB_API int DDIB_ImagePartCopyToClipboard(DDIB_HANDLE dib, int left, int top, int right, int bottom);  // 22
QRIDDIB_API int DDIB_GetPalette(DDIB_HANDLE dib, CPalette** palette);                             // 23
QRIDDIB_API int DDIB_MixPalette(DDIB_HANDLE dib, DDIB_HANDLE partner);                            // 24
QRIDDIB_API int DDIB_DeleteDecoderInterface(DECODER_HANDLE decoder);                              // 25
QRIDDIB_API int DDIB_GetSize(DDIB_HANDLE dib, int size[2]);                                       // 26
// The second parameter is not used; callers pass their decoder handle. Both
// outputs are set to 0 first; *error is 2 when module has no such resource.
QRIDDIB_API int DDIB_ImageLoadResource(DDIB_HANDLE dib, DECODER_HANDLE unused, int id, HINSTANCE module, int* bitCount,
                                       int* error);                                               // 27
QRIDDIB_API DECODER_HANDLE DDIB_NewDecoderInterface();                                            // 28
QRIDDIB_API BITMAPINFO* DDIB_GetBMI(DDIB_HANDLE dib);                                             // 29
QRIDDIB_API BYTE* DDIB_GetBits(DDIB_HANDLE dib);                                                  // 30
QRIDDIB_API BYTE* DDIB_GetBitLine(DDIB_HANDLE dib, int line);                                     // 31
QRIDDIB_API int DDIB_SetStandardCapSize(DDIB_HANDLE dib, int width, int height);                  // 32
QRIDDIB_API BITMAPINFO* DDIB_GetZoomBMI(DDIB_HANDLE dib);                                         // 33
QRIDDIB_API int DDIB_SetBkColor(DDIB_HANDLE dib, COLORREF colour, int extra);                     // 34

QRIDDIB_API int DIB_GetHeight(DIB_HANDLE dib);                                                    // 51
QRIDDIB_API int DIB_GetWidth(DIB_HANDLE dib);                                                     // 52
QRIDDIB_API BITMAPINFO* DIB_GetBMI(DIB_HANDLE dib);                                               // 53
// Allocation failures raise the class library's memory exception.
QRIDDIB_API int DIB_Create(DIB_HANDLE dib, int width, int height, int bits, int unused, int coloursUsed);  // 54
QRIDDIB_API int DIB_CreateSpecialWidth(DIB_HANDLE dib, int width, int height, int bits, int unused,
                                       int coloursUsed);                                          // 56
QRIDDIB_API int DIB_BitsClear(DIB_HANDLE dib);                                                    // 57
QRIDDIB_API BYTE** DIB_GetLineArray(DIB_HANDLE dib);                                              // 58
QRIDDIB_API int DIB_SetPalette(DIB_HANDLE dib, const RGBQUAD* colours);                           // 59
QRIDDIB_API int DIB_SetPaletteEntry(DIB_HANDLE dib, int index, BYTE red, BYTE green, BYTE blue, BYTE reserved);  // 60
