// Toolbar button bitmaps as the catalogue's button files name them, made
// for the tests that read them.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "win32/Gdi.h"
#include "win32/UserTypes.h"

namespace varno::testing {

// A bitmap file of 16 colours: the standard four 3-D greys first, then red;
// every pixel shows colour 2 (light grey) but the first of the bottom row,
// which shows red.
struct BitmapFile {
  int width = 16;
  int height = 15;
  DWORD headerSize = 40;
  DWORD claimedHeaderSize = 0;  // what the header says of itself, when not its size
  WORD bits = 4;
  DWORD compression = 0;
  DWORD coloursUsed = 0;
  int cutAtEnd = 0;  // bytes missing from the pixel array
  const char* magic = "BM";

  std::string Bytes() const {
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    std::string out(14 + headerSize + 16 * 4 + stride * static_cast<size_t>(height), '\0');
    std::memcpy(&out[0], magic, 2);
    BITMAPINFOHEADER header{};
    header.biSize = claimedHeaderSize != 0 ? claimedHeaderSize : headerSize;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = compression;
    header.biClrUsed = coloursUsed;
    std::memcpy(&out[14], &header, std::min<size_t>(sizeof header, headerSize));
    const RGBQUAD colours[5] = {{0, 0, 0, 0}, {128, 128, 128, 0}, {192, 192, 192, 0}, {255, 255, 255, 0}, {0, 0, 255, 0}};
    std::memcpy(&out[14 + headerSize], colours, sizeof colours);
    const size_t pixels = 14 + headerSize + 16 * 4;
    std::memset(&out[pixels], 0x22, out.size() - pixels);
    out[pixels] = 0x42;  // bottom-left pixel: red
    out.resize(out.size() - static_cast<size_t>(cutAtEnd));
    return out;
  }
};

}  // namespace varno::testing
