#include "imaging/picture/TiffPaint.h"

#include "imaging/picture/Palettes.h"
#include "imaging/picture/TiffGreyBands.h"
#include "win32/Gdi.h"

int PaintTIFFPicture(QORIMG_PICTURE* picture, HDC dc, const RECT& update, const RECT& source, LONG outputWidth,
                     LONG outputHeight) {
  if (!picture->hPalette) BuildPalette(nullptr, picture, kTiffPalette);
  HPALETTE previous = SelectPalette(dc, picture->hPalette, FALSE);
  RealizePalette(dc);
  FillRect(dc, &update, picture->hBkBrush);
  if (picture->nPictureMode != 2) SetBkMode(dc, TRANSPARENT);
  const int x = picture->nZoomStartX + picture->nCentreX;
  const int y = picture->nZoomStartY + picture->nCentreY;
  const int painted = RenderTiffGreyBands(picture, source, outputWidth, outputHeight, [&](const GreyBand& band) {
    return SetDIBitsToDevice(dc, x, y + band.firstRow, outputWidth, band.rows, 0, 0, 0, band.rows, band.bits, band.info,
                             DIB_RGB_COLORS) != 0;
  });
  SelectPalette(dc, previous, FALSE);
  return painted;
}
