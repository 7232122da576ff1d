// The decoder of Windows bitmap files: uncompressed pictures of 1, 4, 8, 24
// and 32 bits per pixel and the run-length codes of 8 and 4 bits per pixel.
#pragma once

#include "imaging/decoders/CDecoder.h"

class CBmpDecoder : public CDecoder {
  DECLARE_DYNCREATE(CBmpDecoder)

 public:
  int MakeDib(int* error) override;
  int GetFileInfo(BITMAPINFOHEADER* info, int* error) override;

 private:
  bool IsBitmap() const;
  bool ReadHeaders(int* error);
  bool ReadColourTable(const BYTE*& at, int* error);
  bool SizesAreSound() const;
  bool CreateTarget(int* error);
  void DecodeUncompressed(int* error);
  void DecodeRle8(int* error);
  void DecodeRle4(int* error);

  const BYTE* m_end = nullptr;     // end of the file's bytes
  const BYTE* m_pixels = nullptr;  // first byte of the pixel data
  DWORD m_fileSize = 0;
  BITMAPINFOHEADER m_info{};
  int m_bits = 0;  // bits per pixel of the target
};
