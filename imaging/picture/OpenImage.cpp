// Binding a picture to a window and reading its file.
#include <cstring>

#include "imaging/picture/DrfReader.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/PictureTable.h"
#include "imaging/picture/TiffReader.h"

namespace {

// Names of one character or less stand for no file.
void TakeName(char* field, const char* name) {
  field[0] = '\0';
  if (name && std::strlen(name) > 1) {
    std::strncpy(field, name, 260);
    field[260] = '\0';
  }
}

}  // namespace

QORIMG_PICTURE* QORIMG_OpenImage(HWND window, LONG callerValue, QORIMG_CALLBACK callback, const char* tiffFile,
                                 const char* drfFile, LONG displayMode, LONG fileType, LONG callerValue2) {
  ClearImageError();
  QORIMG_PICTURE* picture = BindPicture(window);
  if (!picture) return nullptr;
  ResetPicture(picture);
  picture->lCallerValue = callerValue;
  picture->nDisplayMode = displayMode;
  picture->lCallerValue2 = callerValue2;
  picture->pfnCallback = callback;
  picture->wRed = picture->wGreen = picture->wBlue = 255;
  picture->nWindowX = picture->nWindowY = picture->nOriginX = picture->nOriginY = 0;
  picture->nWindowWidth = picture->nWindowHeight = 0;
  picture->nZoomStartX = picture->nZoomStartY = 0;
  picture->bZoomArmed = 0;
  TakeName(picture->szTiffFile, tiffFile);
  TakeName(picture->szDrfFile, drfFile);

  if (fileType == QORIMG_FILE_DRF) {
    if (!ReadDRFFile(picture)) return nullptr;
    if (picture->nDrfType == 5 && picture->szTiffFile[0] && !picture->pTiffFile)
      picture->bOverlay = OpenTIFF(picture) ? 1 : 0;
    return picture;
  }
  if (fileType == QORIMG_FILE_TIFF) return OpenTIFF(picture) ? picture : nullptr;
  return nullptr;
}
