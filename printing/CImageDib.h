// The library's picture: one raster picture decoded by the raster picture
// library, with the hotspots the picture file carries. The two libraries
// are bound when the first picture is made.
#pragma once

#include "interfaces/QridDib.h"
#include "interfaces/QridHtSp.h"
#include "mfc/CObject.h"

namespace vod {
class VodPictureLibraries;
}

class CImageDib : public CObject {
  DECLARE_DYNCREATE(CImageDib)

 public:
  CImageDib();
  ~CImageDib() override;

  // Loads a picture file; the raster library's result, its error code in
  // *code.
  int Load(const char* file, int* code);
  // Loads a bitmap resource of this library.
  int LoadResource(int id, int* code);
  // Drops the hotspots and the picture.
  void Reset();
  int CopyToClipboard();
  int Exists();
  void GetSize(int& width, int& height);
  int GetBitCount() const { return m_bitCount; }
  BITMAPINFO* GetBMI();
  BYTE* GetBits();
  // Row 0 is the top row; none outside the picture.
  BYTE* GetBitLine(int row);
  // A 32-bit picture becomes a 24-bit one in its own memory; false for any
  // other depth, which stays as it is.
  bool To24Bit();
  // Shows the text of a decoder error code in a box when boxes are asked
  // for; code 0 shows nothing.
  virtual void ShowDecoderError(int code);

  // Whether decoder errors are shown in a box; off unless the library sets it.
  static bool s_showErrors;

 private:
  // After a load: how deep the picture is, and how large for the hotspots.
  int Loaded(int result);

  vod::VodPictureLibraries& m_libraries;
  DDIB_HANDLE m_picture = nullptr;
  HS_HANDLE m_hotspots = nullptr;
  int m_bitCount = 0;
};
