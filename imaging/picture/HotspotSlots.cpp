#include "imaging/picture/HotspotSlots.h"

#include <algorithm>
#include <cstring>

#include "imaging/picture/PictureMath.h"

int UsedSlots(const QORIMG_PICTURE* picture) {
  return std::clamp<LONG>(picture->nHotspotCount, 0, QORIMG_MAX_HOTSPOTS);
}

void AppendSlotText(char* field, int fieldSize, const char* text, int length) {
  int used = static_cast<int>(strnlen(field, fieldSize - 1));
  int take = std::min(length, fieldSize - 1 - used);
  if (take > 0) std::memcpy(field + used, text, take);
  field[used + (take > 0 ? take : 0)] = '\0';
}

void CopySlotText(char* field, int fieldSize, const char* text, int sourceSize) {
  field[0] = '\0';
  if (text) AppendSlotText(field, fieldSize, text, static_cast<int>(strnlen(text, sourceSize)));
}

RECT DrfWindowRect(const QORIMG_PICTURE* picture, const RECT& pictureRect) {
  LONG dx = picture->nDrfSpotOffsetX + picture->nZoomStartX;
  LONG dy = picture->nDrfSpotOffsetY + picture->nZoomStartY;
  return {pictureRect.left + dx, pictureRect.top + dy, pictureRect.right + dx, pictureRect.bottom + dy};
}

void PlaceHotspots(QORIMG_PICTURE* picture, double fx, double fy) {
  POINT origin{picture->nZoomStartX, picture->nZoomStartY};
  if (picture->nPictureMode == QORIMG_PICTURE_FITTED) {
    origin = {picture->nCentreX, picture->nCentreY};
  } else if (picture->nPictureMode == QORIMG_PICTURE_DRF) {
    origin.x += picture->nDrfSpotOffsetX;
    origin.y += picture->nDrfSpotOffsetY;
  }
  double sx = 1.0, sy = 1.0;
  if (picture->bBitmapMode) {
    // Hotspots of a DRF lie in DRF pixels over the TIFF that shows it.
    sx = Quotient(picture->nScaledWidth, picture->nTiffWidth, 1.0);
    sy = Quotient(picture->nScaledHeight, picture->nTiffHeight, 1.0);
    if (picture->nDrfWidth != 0 || picture->nDrfHeight != 0) {
      sx *= Quotient(picture->nTiffWidth, picture->nDrfWidth, 1.0);
      sy *= Quotient(picture->nTiffHeight, picture->nDrfHeight, 1.0);
    }
  }
  sx *= fx;
  sy *= fy;
  auto place = [](LONG value, double scale, LONG from) {
    return TruncateToLong(static_cast<double>(TruncateToLong(value * scale + 0.5)) + from);
  };
  for (int i = 0; i < UsedSlots(picture); ++i) {
    QORIMG_HOTSPOT& slot = picture->hotspots[i];
    const RECT& r = slot.rcPicture;
    slot.rcWindow = {place(r.left, sx, origin.x), place(r.top, sy, origin.y), place(r.right, sx, origin.x),
                     place(r.bottom, sy, origin.y)};
  }
}
