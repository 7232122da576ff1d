// The picture control QridIMG: the picture record that every exported function
// takes as a handle, and the exported functions. The DRF decoder plug-in binds
// QORIMG_UnloadPicture (10), QORIMG_OpenImage (21), QORIMG_DecodeDRF2DIB (49)
// and QORIMG_GetDRFColorInfo (50) and reads the DRF size, the hotspot count and
// the hotspot slots of the record directly, so their order and widths are
// binding between the two.
#pragma once

#include <cstddef>

#include "mfc/CFile.h"
#include "mfc/CString.h"
#include "win32/GdiTypes.h"
#include "win32/Types.h"

#define QORIMG_MAX_HOTSPOTS 600
#define QORIMG_NO_HOTSPOT 601
#define QORIMG_MAX_WINDOWS 20
#define QORIMG_PIXEL_BLOCKS 16
// Bitmap stripes of at most 64 KB each: room for a 2000 x 1500 picture of 8 bits.
#define QORIMG_STRIPE_SLOTS 64

// Error ids of QORIMG_GetLastError; their texts lie in the library's string table.
enum QORIMG_ERROR {
  QORIMG_ERR_NONE = 1,
  QORIMG_ERR_GLOBAL_LOCK = 2,
  QORIMG_ERR_BITMAP_HEADER_MEMORY = 3,
  QORIMG_ERR_PATCH_SIZE = 4,
  QORIMG_ERR_BITMAP_MEMORY = 5,
  QORIMG_ERR_DRF_OPEN = 6,
  QORIMG_ERR_DRF_HEADER = 7,
  QORIMG_ERR_DRF_PICTURE_INFO = 8,
  QORIMG_ERR_DRF_PICTURE_MEMORY = 9,
  QORIMG_ERR_DRF_STRIPE_MEMORY = 10,
  QORIMG_ERR_DRF_STRIPE_READ = 11,
  QORIMG_ERR_TIFF_DISPLAY = 12,
  QORIMG_ERR_TIFF_COMPRESSION = 13,
  QORIMG_ERR_IMAGE_OPEN = 14,
  QORIMG_ERR_END_OF_FILE = 15,
  QORIMG_ERR_DRF_COMP_RASTER_HEAD = 16,
  QORIMG_ERR_DRF_COMP_RASTER = 17,
  QORIMG_ERR_DRF_ALL_RASTERS = 18,
  QORIMG_ERR_DRF_RASTER = 19,
  QORIMG_ERR_WINDOW_HANDLES = 20,
  QORIMG_ERR_CLIPBOARD_DATA = 21,
  QORIMG_ERR_OPEN_CLIPBOARD = 22,
  QORIMG_ERR_EMPTY_CLIPBOARD = 23,
  QORIMG_ERR_SET_CLIPBOARD = 24,
  QORIMG_ERR_TIFF_STRIPE_LENGTH = 25
};

// File types of QORIMG_OpenImage.
#define QORIMG_FILE_DRF 3
#define QORIMG_FILE_TIFF 4

// Hotspot state bits.
#define QORIMG_HS_ACTIVE 0x01
#define QORIMG_HS_HOVER 0x02
#define QORIMG_HS_SELECTED 0x04
#define QORIMG_HS_FRAMED 0x08

// Hotspot mode bit: frames are inverted outlines; without it the whole
// rectangle is inverted.
#define QORIMG_HSMODE_OUTLINE 0x20000

// Display modes of QORIMG_OpenImage and QORIMG_DisplayPicture.
#define QORIMG_DISPLAY_DRF 0
#define QORIMG_DISPLAY_FITTED 1
#define QORIMG_DISPLAY_DRF_PLACED 2
#define QORIMG_DISPLAY_DRF_WINDOW 3
#define QORIMG_DISPLAY_ZOOMED 4

// Picture modes of QORIMG_GetPictureMode.
#define QORIMG_PICTURE_DRF 0
#define QORIMG_PICTURE_ZOOMED 1
#define QORIMG_PICTURE_FITTED 2

// Commands of QORIMG_MAIN.
#define QORIMG_CMD_MESSAGE 0
#define QORIMG_CMD_RESET 1
#define QORIMG_CMD_PLACE_WINDOW 2
#define QORIMG_CMD_REREAD_DRF 3
#define QORIMG_CMD_PAINT 5
#define QORIMG_CMD_HOVER 7
#define QORIMG_CMD_FIT_BARS 14

// The zoom cursor among the library's resources.
#define QORIMG_ZOOM_CURSOR 103

typedef LRESULT (*QORIMG_CALLBACK)(int zero, UINT message, char* currentName);

// The slot and the picture record hold native pointers and stay inside one
// process: they keep their fields' natural alignment, and both deliverables
// compile against this one definition. The exchange record is byte-packed.
struct QORIMG_HOTSPOT {
  RECT rcWindow;
  char szName[32];
  char szText2[25];
  BYTE bState;
  BYTE bFlag;
  RECT rcPicture;
};

#pragma pack(push, 1)
struct QORIMG_HOTSPOTDATA {
  LONG nIndex;
  RECT rcWindow;
  RECT rcPicture;
  char szName[34];
  char szText2[27];
  BYTE bState;
  BYTE reserved[3];
  BYTE bFlag;
};
#pragma pack(pop)

struct QORIMG_PICTURE {
  CFile* pTiffFile;  // the whole TIFF file in memory
  char szDrfFile[261];
  char szTiffFile[261];
  HPALETTE hPalette2;
  HGLOBAL hStripOffsets;
  DWORD nStripOffsets;
  // TIFF reading state
  HGLOBAL hStripByteCounts;  // null when the file has no byte counts
  DWORD nStripByteCounts;
  WORD wCompression;
  DWORD nRowsPerStrip;
  LONG nTiffWidth, nTiffHeight;
  // bitmap geometry
  LONG nLinesPerStripe, nLinesLastStripe, nStripes, nStride;
  HPALETTE hPalette;
  SHORT nDrfType;
  HGLOBAL hPixelBlocks[QORIMG_PIXEL_BLOCKS];
  HGLOBAL hStripes[QORIMG_STRIPE_SLOTS];
  BYTE* pStripes[QORIMG_STRIPE_SLOTS];
  DWORD nPixelDataSize;
  LONG nDrfWidth, nDrfHeight;
  LONG nContent;
  BYTE bPainting;
  LONG lCallerValue;
  QORIMG_CALLBACK pfnCallback;
  BYTE bDibMode, bOtherMode, bBitmapMode;
  WORD wRed, wGreen, wBlue;  // colour 0 of DRF types 5 and 8 and of the TIFF rendering
  HBRUSH hBkBrush;
  HGLOBAL hBitmapHeader;
  WORD wColors, wBitsPerPixel;
  LONG lBkValue;
  BITMAPINFOHEADER* pBitmapHeader;
  LONG nHotspotMode, nHotspotValue1, nHotspotValue2;
  COLORREF crFrame;
  LONG nHoverIndex;
  LONG nHotspotCount;
  SHORT nDrfSpotOffsetX, nDrfSpotOffsetY;
  LONG nSelectedIndex, nCurrentIndex;
  char szSelectedName[32];
  char szCurrentName[32];
  QORIMG_HOTSPOT hotspots[QORIMG_MAX_HOTSPOTS];
  LONG nDisplayMode;
  LONG lCallerValue2;
  SHORT nPictureMode;
  // layout
  LONG nScaledWidth, nScaledHeight;
  LONG nWindowWidth, nWindowHeight;
  LONG nVisibleWidth, nVisibleHeight;
  LONG nOutputWidth, nOutputHeight;
  LONG nWindowX, nWindowY;
  LONG nOriginX, nOriginY;
  LONG nCentreX, nCentreY;
  double dFittedWidth, dFittedHeight;
  RECT rcZoom;
  double dPictureFactorX, dPictureFactorY;
  LONG nScrollX, nScrollY, nScrollRangeX, nScrollRangeY;
  LONG nSourceWidth, nSourceHeight;
  LONG nScrollOrigin1X, nScrollOrigin1Y, nScrollOrigin2X, nScrollOrigin2Y;
  LONG nScrollThreshold;
  BYTE bZoomState, bZoomArmed, bPaintedOnce, bOverlay;
  LONG nZoomStartX, nZoomStartY;
  double dZoomFactorX, dZoomFactorY;
  LONG bUseCallerPalette;
};

static_assert(sizeof(QORIMG_HOTSPOTDATA) == 102, "exchange record layout");
static_assert(offsetof(QORIMG_HOTSPOTDATA, rcPicture) == 20 && offsetof(QORIMG_HOTSPOTDATA, szName) == 36 &&
                  offsetof(QORIMG_HOTSPOTDATA, szText2) == 70 && offsetof(QORIMG_HOTSPOTDATA, bState) == 97 &&
                  offsetof(QORIMG_HOTSPOTDATA, bFlag) == 101,
              "exchange record layout");

typedef QORIMG_PICTURE* LPQORIMG_PICTURE;

// Two factors (x, y) as the zoom and picture factor getters return them.
struct QORIMG_DPOINT {
  double x;
  double y;
};

// The exported functions, by ordinal.
LONG QORIMG_ActivateAllHotspots(LONG on, QORIMG_PICTURE* picture);                             // 1
LONG QORIMG_ActivateHotspot(const char* name, LONG on, QORIMG_PICTURE* picture);               // 2
LONG QORIMG_ActivateHotspotNr(LONG index, LONG on, QORIMG_PICTURE* picture);                   // 3
char* QORIMG_GetHotspot(QORIMG_PICTURE* picture, char* name, char* text2);                     // 4
LONG QORIMG_GetHotspotNr(QORIMG_PICTURE* picture, char* name, char* text2);                    // 5
LONG QORIMG_SetAllHotspots(HWND window, LONG on, QORIMG_PICTURE* picture);                     // 6
LONG QORIMG_SetHotspot(HWND window, const char* name, LONG on, QORIMG_PICTURE* picture);       // 7
LONG QORIMG_SetHotspotNr(HWND window, LONG index, LONG on, QORIMG_PICTURE* picture);           // 8
QORIMG_PICTURE* QORIMG_LoadPicture(HWND window, LONG callerValue, QORIMG_CALLBACK callback, const char* tiffFile,
                                   const char* drfFile, LONG displayMode, LONG fileType, LONG callerValue2);  // 9
void QORIMG_UnloadPicture(HWND window, QORIMG_PICTURE* picture);  // 10
QORIMG_PICTURE* QORIMG_GetImgStruct(HWND window);                 // 11
LONG QORIMG_GetNewHotspotPositions(double fx, double fy, QORIMG_PICTURE* picture);           // 12
LRESULT QORIMG_MAIN(LONG command, QORIMG_PICTURE* picture, HWND window, UINT message, WPARAM wParam,
                    LPARAM lParam);                                                           // 13
LONG QORIMG_OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, QORIMG_PICTURE* picture);  // 14
LONG QORIMG_RedrawPicture(HWND window, QORIMG_PICTURE* picture);                                         // 15
LONG QORIMG_GetHotspotData(QORIMG_PICTURE* picture, LONG index, QORIMG_HOTSPOTDATA* data);               // 16
LONG QORIMG_SetHotspotData(QORIMG_PICTURE* picture, LONG index, const QORIMG_HOTSPOTDATA* data);         // 17
LONG QORIMG_GetHotspotCount(QORIMG_PICTURE* picture);                                                    // 18
LONG QORIMG_SetHotspotCount(QORIMG_PICTURE* picture, WORD count);                                        // 19
LONGLONG QORIMG_GetDRFSize(QORIMG_PICTURE* picture);              // 20
QORIMG_PICTURE* QORIMG_OpenImage(HWND window, LONG callerValue, QORIMG_CALLBACK callback, const char* tiffFile,
                                 const char* drfFile, LONG displayMode, LONG fileType, LONG callerValue2);  // 21
LONG QORIMG_RecalcLayout(HWND window, QORIMG_PICTURE* picture);                                            // 22
LONG QORIMG_OnDraw(HWND window, QORIMG_PICTURE* picture, HDC dc);                                           // 23
LONG QORIMG_DisplayPicture(HWND window, QORIMG_PICTURE* picture, LONG displayMode);                         // 24
LONG QORIMG_UpdateBars(HWND window, QORIMG_PICTURE* picture);                                               // 25
LONG QORIMG_InZoomAction(QORIMG_PICTURE* picture);                                                          // 26
LONG QORIMG_CopyToClipboard(QORIMG_PICTURE* picture);                                                       // 27
LONGLONG QORIMG_GetHotspotOffset(QORIMG_PICTURE* picture);                                                  // 28
LONGLONG QORIMG_GetScaledClientSize(QORIMG_PICTURE* picture);                                               // 29
QORIMG_DPOINT QORIMG_GetZoomFactor(QORIMG_PICTURE* picture);                                                // 30
QORIMG_DPOINT QORIMG_GetBildFactor(QORIMG_PICTURE* picture);                                                // 31
LONGLONG QORIMG_GetBildMitte(QORIMG_PICTURE* picture);                                                      // 32
LONGLONG QORIMG_GetDRFSpotOffset(QORIMG_PICTURE* picture);                                                  // 33
LONG QORIMG_GetPictureMode(QORIMG_PICTURE* picture);                                                        // 34
LONG QORIMG_GetGraphicsMode(QORIMG_PICTURE* picture);                                                       // 35
LONGLONG QORIMG_GetZoomStart(QORIMG_PICTURE* picture);                                                      // 36
char* QORIMG_GetVersionInfo(char* buffer);                                                                  // 37
LONG FILE_DRF2TIFF_Hotspots(CString target, QORIMG_PICTURE* picture);                                      // 38
LONGLONG QORIMG_GetTIFFSize(QORIMG_PICTURE* picture);                                                       // 39
QORIMG_PICTURE* QORIMG_SetZoomMode(QORIMG_PICTURE* picture);                                                // 40
LONG QORIMG_SetHotspotMode(LONG mode, COLORREF frameColour, LONG value1, LONG value2, QORIMG_PICTURE* picture);  // 41
LONG QORIMG_GetHotspotMode(LONG ignored1, LONG ignored2, LONG ignored3, QORIMG_PICTURE* picture);               // 42
LONG QORIMG_GetLastError(CString* text);                                                                    // 43
LONG QORIMG_ShowErrorMessages(LONG flag);                                                                   // 44
LONG QORIMG_GetPaletteEntries(QORIMG_PICTURE* picture, COLORREF* entries);                                  // 45
LONG QORIMG_SetPaletteEntries(QORIMG_PICTURE* picture, const COLORREF* entries, LONG count);                // 46
LONG QORIMG_SetBkColor(QORIMG_PICTURE* picture, COLORREF colour, LONG value);                               // 47
LONG QORIMG_DecodeTIFF2DIB(QORIMG_PICTURE* picture, void* target);                                          // 48
LONG QORIMG_DecodeDRF2DIB(QORIMG_PICTURE* picture, void* target);                                           // 49
LONG QORIMG_GetDRFColorInfo(QORIMG_PICTURE* picture, WORD* bitsPerPixel, WORD* colours);                    // 50
