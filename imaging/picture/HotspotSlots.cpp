#include "imaging/picture/HotspotSlots.h"

#include <algorithm>
#include <cstring>

void AppendSlotText(char* field, int fieldSize, const char* text, int length) {
  int used = static_cast<int>(strnlen(field, fieldSize - 1));
  int take = std::min(length, fieldSize - 1 - used);
  if (take > 0) std::memcpy(field + used, text, take);
  field[used + (take > 0 ? take : 0)] = '\0';
}

RECT DrfWindowRect(const QORIMG_PICTURE* picture, const RECT& pictureRect) {
  LONG dx = picture->nDrfSpotOffsetX + picture->nZoomStartX;
  LONG dy = picture->nDrfSpotOffsetY + picture->nZoomStartY;
  return {pictureRect.left + dx, pictureRect.top + dy, pictureRect.right + dx, pictureRect.bottom + dy};
}
