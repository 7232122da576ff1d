// A one-bit device-independent bitmap (bottom-up rows, black and white
// colour table) whose black pixels a function chooses, for tests and
// benchmarks that draw pictures.
#pragma once

#include <functional>
#include <vector>

#include "win32/GdiTypes.h"

namespace layer::testing {

class OneBitPicture {
 public:
  // black(x, y) with y counted from the top.
  OneBitPicture(int width, int height, const std::function<bool(int x, int y)>& black, LONG pixelsPerMetre = 0)
      : m_header(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD)) {
    auto* info = reinterpret_cast<BITMAPINFO*>(m_header.data());
    info->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 1, BI_RGB, 0,
                                       pixelsPerMetre, pixelsPerMetre, 2, 0};
    auto* colours = reinterpret_cast<RGBQUAD*>(m_header.data() + sizeof(BITMAPINFOHEADER));
    colours[0] = RGBQUAD{0, 0, 0, 0};
    colours[1] = RGBQUAD{255, 255, 255, 0};
    std::size_t stride = WIDTHBYTES(width);
    m_bits.assign(stride * static_cast<std::size_t>(height), 0xFF);
    for (int y = 0; y < height; ++y) {
      BYTE* row = m_bits.data() + static_cast<std::size_t>(height - 1 - y) * stride;
      for (int x = 0; x < width; ++x)
        if (black(x, y)) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
    }
  }

  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(m_header.data()); }
  const BYTE* Bits() const { return m_bits.data(); }

 private:
  std::vector<BYTE> m_header;
  std::vector<BYTE> m_bits;
};

}  // namespace layer::testing
