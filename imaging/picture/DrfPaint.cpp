#include "imaging/picture/DrfPaint.h"

#include "imaging/picture/DrfBitmap.h"
#include "win32/Gdi.h"
#include "win32/Memory.h"

namespace {

void FreeStripe(QORIMG_PICTURE* picture, int i) {
  GlobalUnlock(picture->hStripes[i]);
  GlobalFree(picture->hStripes[i]);
  picture->hStripes[i] = nullptr;
  picture->pStripes[i] = nullptr;
}

// Draws the stripes from the last to the first; false when a draw fails.
bool DrawStripes(QORIMG_PICTURE* picture, HDC dc) {
  BITMAPINFOHEADER* header = picture->pBitmapHeader;
  const int x = picture->nDrfSpotOffsetX + picture->nZoomStartX;
  const int y = picture->nDrfSpotOffsetY + picture->nZoomStartY;
  for (int i = picture->nStripes - 1; i >= 0; --i) {
    const LONG lines = i == picture->nStripes - 1 ? picture->nLinesLastStripe : picture->nLinesPerStripe;
    header->biHeight = lines;
    const int drawn =
        SetDIBitsToDevice(dc, x, y + i * picture->nLinesPerStripe, picture->nScaledWidth, lines, 0, 0, 0, lines,
                          picture->pStripes[i], reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    FreeStripe(picture, i);
    if (drawn == 0) return false;
  }
  return true;
}

}  // namespace

int PaintDRFPicture(HWND window, QORIMG_PICTURE* picture, HDC dc, const RECT& update) {
  FillRect(dc, &update, picture->hBkBrush);
  DrfFormat format;
  if (picture->nContent == 0 || !DrfFormatOf(picture->nDrfType, &format) || !BuildDRFBitmap(window, picture)) return 0;
  HPALETTE previous = SelectPalette(dc, picture->hPalette, FALSE);
  RealizePalette(dc);
  const bool drawn = picture->bDibMode && DrawStripes(picture, dc);
  FreeStripes(picture);
  FreeBitmapHeader(picture);
  SelectPalette(dc, previous, FALSE);
  return drawn ? 1 : 0;
}
