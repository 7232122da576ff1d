// One toolbar button image from a 16-colour bitmap file of the catalogue.
// The file is checked whole before any of it is used: a damaged or foreign
// file gives its error code, never a read beyond its end.
#pragma once

#include <string>
#include <vector>

#include "win32/Gdi.h"
#include "win32/Types.h"

class ButtonBitmapFile {
 public:
  enum Error { kOk = 0, kNotMapped = 203, kNotButtonBitmap = 204, kWrongSize = 205 };

  // Reads and checks the file for an image of width x height pixels.
  Error Read(const char* fileName, int width, int height);

  // The image with the 3-D colours of the bitmap (black, dark grey, light
  // grey, white) replaced by the system's current button colours; null
  // before a successful Read.
  HBITMAP MakeBitmap() const;

  // Everything after the file header, as the file holds it: the bitmap
  // header, the 16 colours and the pixels, kept to rebuild the image when
  // the system colours change.
  const std::vector<BYTE>& Kept() const { return m_kept; }

 private:
  Error Check(const BYTE* bytes, size_t size, int width, int height);

  std::vector<BYTE> m_kept;
  size_t m_header = 0;  // size of the bitmap header in m_kept
};
