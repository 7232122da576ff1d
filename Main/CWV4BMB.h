// The bitmap button's loader: device-dependent bitmaps made from .bmp files,
// the pictures of symbol buttons and of the parts-info window's buttons.
#pragma once

#include "mfc/CSize.h"
#include "win32/Gdi.h"
#include "win32/Types.h"

class CWV4BMB {
 public:
  // A bitmap compatible with the screen holding the file's picture 1:1; none
  // for a file that is missing, not a bitmap file, or damaged.
  static HBITMAP LoadBitmapFromFile(const char* path);
  // Width and height of the picture in a bitmap file; FALSE when it is none.
  static BOOL GetBitmapFileSize(const char* path, CSize& size);
};
