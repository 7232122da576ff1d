// Bitmap files made byte by byte for the decoder tests.
#pragma once

#include <string>
#include <vector>

#include "win32/GdiTypes.h"

struct BmpFile {
  int width = 0;
  int height = 0;
  int bits = 8;
  DWORD compression = BI_RGB;
  DWORD headerSize = 40;
  DWORD coloursUsed = 0;
  std::vector<RGBQUAD> colours;
  std::string pixels;  // as they stand in the file
  int gap = 0;         // bytes between the colour table and the pixels
  bool offsetFilledIn = true;

  std::string Bytes() const {
    std::string info;
    auto put16 = [](std::string& s, unsigned v) { s += char(v & 255), s += char(v >> 8 & 255); };
    auto put32 = [&](std::string& s, unsigned v) { put16(s, v & 0xFFFF), put16(s, v >> 16); };
    put32(info, headerSize);
    put32(info, static_cast<unsigned>(width));
    put32(info, static_cast<unsigned>(height));
    put16(info, 1);
    put16(info, static_cast<unsigned>(bits));
    put32(info, compression);
    put32(info, static_cast<unsigned>(pixels.size()));
    put32(info, 2835);
    put32(info, 3780);
    put32(info, coloursUsed);
    put32(info, 0);
    for (const RGBQUAD& c : colours) info.append(reinterpret_cast<const char*>(&c), 4);
    info.append(static_cast<size_t>(gap), '\x5A');
    std::string file = "BM";
    const unsigned offset = offsetFilledIn ? static_cast<unsigned>(14 + info.size()) : 0;
    put32(file, static_cast<unsigned>(14 + info.size() + pixels.size()));
    put32(file, 0);
    put32(file, offset);
    return file + info + pixels;
  }
};

// Grey levels 0, 17, 34 ... as a colour table of n entries.
inline std::vector<RGBQUAD> Greys(int n) {
  std::vector<RGBQUAD> colours;
  for (int i = 0; i < n; ++i) colours.push_back(RGBQUAD{BYTE(i * 17), BYTE(i * 17), BYTE(i * 17), 0});
  return colours;
}
