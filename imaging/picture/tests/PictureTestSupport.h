// Opening fixture files through the exported functions and reading the
// decoded bitmaps back as one value per pixel.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/PictureTable.h"
#include "imaging/testing/Bilevel.h"
#include "imaging/testing/DrfEncoder.h"
#include "interfaces/QridIMG.h"
#include "testing/TempFolder.h"

namespace picture_tests {

inline HWND Window(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }

// A picture opened in its own window, unloaded at the end of the test.
class OpenedPicture {
 public:
  OpenedPicture(const std::string& tiff, const std::string& drf, LONG fileType, LONG displayMode = 0,
                std::uintptr_t window = 0xF00D)
      : m_window(Window(window)) {
    QORIMG_ShowErrorMessages(0);
    m_picture = QORIMG_OpenImage(m_window, 0, nullptr, tiff.c_str(), drf.c_str(), displayMode, fileType, 0);
    m_error = QORIMG_GetLastError(&m_text);
  }
  ~OpenedPicture() { QORIMG_UnloadPicture(m_window, QORIMG_GetImgStruct(m_window)); }
  OpenedPicture(const OpenedPicture&) = delete;
  OpenedPicture& operator=(const OpenedPicture&) = delete;

  QORIMG_PICTURE* operator->() const { return m_picture; }
  QORIMG_PICTURE* Get() const { return m_picture; }
  // The picture bound to the window, whether or not the open succeeded.
  QORIMG_PICTURE* Bound() const { return QORIMG_GetImgStruct(m_window); }
  LONG Error() const { return m_error; }
  const CString& ErrorText() const { return m_text; }

 private:
  HWND m_window;
  QORIMG_PICTURE* m_picture = nullptr;
  LONG m_error = 1;
  CString m_text;
};

// The DIB of a DRF picture, unpacked to one value per pixel (top row first).
struct DecodedDrf {
  BITMAPINFOHEADER header{};
  std::vector<RGBQUAD> colours;
  std::vector<std::uint8_t> pixels;
};

inline bool DecodeDrf(QORIMG_PICTURE* picture, DecodedDrf* out) {
  WORD bits = 0, colours = 0;
  if (!QORIMG_GetDRFColorInfo(picture, &bits, &colours)) return false;
  const LONG width = picture->nDrfWidth, height = picture->nDrfHeight;
  const LONG stride = width % 16 ? (width / 16 + 1) * 16 : width;
  std::vector<BYTE> target(40 + 4 * colours + static_cast<std::size_t>(stride) * bits / 8 * height + 64, 0xCD);
  if (!QORIMG_DecodeDRF2DIB(picture, target.data())) return false;
  std::memcpy(&out->header, target.data(), 40);
  out->colours.resize(colours);
  std::memcpy(out->colours.data(), target.data() + 40, 4 * colours);
  const BYTE* rows = target.data() + 40 + 4 * colours;
  const std::size_t rowBytes = WIDTHBYTES(static_cast<std::size_t>(bits) * width);
  out->pixels.resize(static_cast<std::size_t>(width) * height);
  for (LONG y = 0; y < height; ++y) {
    const BYTE* row = rows + rowBytes * (height - 1 - y);
    for (LONG x = 0; x < width; ++x)
      out->pixels[static_cast<std::size_t>(y) * width + x] = bits == 8 ? row[x]
                                                             : (x & 1) ? row[x / 2] & 15
                                                                       : row[x / 2] >> 4;
  }
  return true;
}

// The 1-bit DIB of a TIFF picture as a bilevel picture (1 black).
inline bool DecodeTiff(QORIMG_PICTURE* picture, imaging::testing::Bilevel* out) {
  const LONG width = picture->nTiffWidth, height = picture->nTiffHeight;
  const std::size_t rowBytes = WIDTHBYTES(static_cast<std::size_t>(width));
  std::vector<BYTE> target(48 + rowBytes * height);
  if (!QORIMG_DecodeTIFF2DIB(picture, target.data())) return false;
  *out = imaging::testing::Bilevel(width, height);
  for (LONG y = 0; y < height; ++y) {
    const BYTE* row = target.data() + 48 + rowBytes * (height - 1 - y);
    for (LONG x = 0; x < width; ++x) out->At(x, y) = (row[x / 8] >> (7 - x % 8)) & 1;
  }
  return true;
}

}  // namespace picture_tests
