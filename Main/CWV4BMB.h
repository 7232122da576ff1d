// The bitmap button of the viewer: an owner-drawn push button whose four
// pictures (normal, selected, focus, disabled) are device-dependent bitmaps
// made from .bmp files, and the loader that makes them.
#pragma once

#include "mfc/CBitmapButton.h"
#include "mfc/CSize.h"
#include "win32/Gdi.h"
#include "win32/Types.h"

class CWV4BMB : public CBitmapButton {
  DECLARE_DYNAMIC(CWV4BMB)

 public:
  CWV4BMB() = default;
  // The four pictures go with the button.
  ~CWV4BMB() override;

  // A bitmap compatible with the screen holding the file's picture 1:1; none
  // for a file that is missing, not a bitmap file, or damaged.
  static HBITMAP LoadBitmapFromFile(const char* path);
  // Width and height of the picture in a bitmap file; FALSE when it is none.
  static BOOL GetBitmapFileSize(const char* path, CSize& size);
};
