#include "imaging/picture/PictureTable.h"

#include <cstring>

#include "imaging/picture/DrfBitmap.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/Palettes.h"
#include "imaging/picture/TiffReader.h"
#include "imaging/picture/ZoomCursor.h"
#include "win32/Gdi.h"
#include "win32/Memory.h"

namespace {

struct WindowTable {
  HWND windows[QORIMG_MAX_WINDOWS] = {};
  HGLOBAL blocks[QORIMG_MAX_WINDOWS] = {};
  QORIMG_PICTURE* pictures[QORIMG_MAX_WINDOWS] = {};
  int count = 0;
};

WindowTable& Table() {
  static WindowTable table;
  return table;
}

// The window's own entry wins over a free one, so that a window never gets a
// second, empty record while its first one is still bound.
int FindEntry(HWND window) {
  WindowTable& table = Table();
  for (int i = 0; i < table.count; ++i)
    if (table.windows[i] == window && (window || table.blocks[i])) return i;
  for (int i = 0; i < table.count; ++i) {
    if (!table.windows[i] && !table.blocks[i]) {
      table.windows[i] = window;
      return i;
    }
  }
  if (table.count == QORIMG_MAX_WINDOWS) {
    SetImageError(QORIMG_ERR_WINDOW_HANDLES, "");
    return -1;
  }
  table.windows[table.count] = window;
  return table.count++;
}

void FreeEntry(int i) {
  WindowTable& table = Table();
  if (QORIMG_PICTURE* picture = table.pictures[i]) {
    FreePictureData(picture);
    if (picture->hBkBrush) DeleteObject(picture->hBkBrush);
    picture->hBkBrush = nullptr;
    table.pictures[i] = nullptr;
  }
  if (table.blocks[i]) {
    GlobalUnlock(table.blocks[i]);
    GlobalFree(table.blocks[i]);
    table.blocks[i] = nullptr;
  }
  table.windows[i] = nullptr;
}

void FreeBlock(HGLOBAL& block) {
  if (block) GlobalFree(block);
  block = nullptr;
}

}  // namespace

QORIMG_PICTURE* BindPicture(HWND window) {
  int i = FindEntry(window);
  if (i < 0) return nullptr;
  WindowTable& table = Table();
  if (!table.blocks[i]) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(QORIMG_PICTURE));
    void* address = block ? GlobalLock(block) : nullptr;
    if (!address) {
      if (block) GlobalFree(block);
      if (!window) table.windows[i] = nullptr;
      return nullptr;
    }
    table.blocks[i] = block;
    table.pictures[i] = static_cast<QORIMG_PICTURE*>(address);
  }
  return table.pictures[i];
}

int PictureTableCount() { return Table().count; }

QORIMG_PICTURE* KnownPicture(QORIMG_PICTURE* picture) {
  if (!picture) return nullptr;
  const WindowTable& table = Table();
  for (int i = 0; i < table.count; ++i)
    if (table.pictures[i] == picture) return picture;
  return nullptr;
}

QORIMG_PICTURE* StartCall(QORIMG_PICTURE* picture) {
  ClearImageError();
  return KnownPicture(picture);
}

std::vector<HWND> WindowsOfPicture(const QORIMG_PICTURE* picture) {
  std::vector<HWND> windows;
  const WindowTable& table = Table();
  for (int i = 0; i < table.count; ++i)
    if (picture && table.pictures[i] == picture) windows.push_back(table.windows[i]);
  return windows;
}

void FreePictureData(QORIMG_PICTURE* picture) {
  CloseTIFF(picture);
  for (HGLOBAL& block : picture->hPixelBlocks) FreeBlock(block);
  FreeStripes(picture);
  FreeBitmapHeader(picture);
  FreePalette(picture);
}

void ResetPicture(QORIMG_PICTURE* picture) {
  ClearImageError();
  ZoomCursor();
  FreePictureData(picture);
  if (!picture->hBkBrush) picture->hBkBrush = CreateSolidBrush(RGB(255, 255, 255));
  picture->nZoomStartX = picture->nZoomStartY = 0;
  picture->nDrfSpotOffsetX = picture->nDrfSpotOffsetY = 0;
  picture->wRed = picture->wGreen = picture->wBlue = 255;
  picture->nHotspotMode = picture->nHotspotValue1 = picture->nHotspotValue2 = 0;
  picture->dPictureFactorX = picture->dPictureFactorY = 1.0;
  picture->dZoomFactorX = picture->dZoomFactorY = 1.0;
  picture->nVisibleWidth = picture->nVisibleHeight = 100;
  picture->nScrollX = picture->nScrollY = picture->nScrollRangeX = picture->nScrollRangeY = 0;
  picture->nScrollOrigin1X = picture->nScrollOrigin1Y = picture->nScrollOrigin2X = picture->nScrollOrigin2Y = 0;
  picture->rcZoom = RECT{};
  picture->nHoverIndex = QORIMG_NO_HOTSPOT;
  // A fresh picture has no current hotspot (a zero-filled record would name slot 0).
  picture->nSelectedIndex = picture->nCurrentIndex = QORIMG_NO_HOTSPOT;
  picture->szSelectedName[0] = picture->szCurrentName[0] = '\0';
  picture->nPictureMode = 0;
  picture->bZoomState = picture->bZoomArmed = 0;
  picture->bOtherMode = picture->bPainting = picture->bOverlay = 0;
  picture->bUseCallerPalette = 0;
  picture->nHotspotCount = 0;
  std::memset(picture->hotspots, 0, sizeof(picture->hotspots));
  picture->nDrfWidth = picture->nDrfHeight = 0;
}

void QORIMG_UnloadPicture(HWND window, QORIMG_PICTURE* picture) {
  if (!picture) return;
  WindowTable& table = Table();
  for (int i = 0; i < table.count; ++i) {
    bool bound = window ? table.windows[i] == window : table.pictures[i] == picture;
    if (bound && (table.windows[i] || table.blocks[i])) FreeEntry(i);
  }
}

QORIMG_PICTURE* QORIMG_GetImgStruct(HWND window) {
  ClearImageError();
  return BindPicture(window);
}

LONGLONG PackPair(LONG first, LONG second) {
  return static_cast<LONGLONG>(static_cast<ULONGLONG>(static_cast<DWORD>(first)) |
                               (static_cast<ULONGLONG>(static_cast<DWORD>(second)) << 32));
}

LONGLONG QORIMG_GetDRFSpotOffset(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return -1;
  return PackPair(picture->nDrfSpotOffsetX, picture->nDrfSpotOffsetY);
}

LONG QORIMG_GetGraphicsMode(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return -1;
  if (picture->bBitmapMode) return 1;
  if (picture->bDibMode) return 2;
  if (picture->bOtherMode) return 4;
  return -1;
}

// The previous brush is deleted: the picture owns its background brush.
LONG QORIMG_SetBkColor(QORIMG_PICTURE* picture, COLORREF colour, LONG value) {
  picture = KnownPicture(picture);
  if (!picture) return 0;
  if (picture->hBkBrush) DeleteObject(picture->hBkBrush);
  picture->hBkBrush = CreateSolidBrush(colour);
  picture->lBkValue = value;
  return value;
}
