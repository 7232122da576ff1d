// The pictures of the catalogue's symbol "pfeil", an arrow that links to
// another key: normal, selected, focus and disabled, as the bitmap files the
// viewer loads for a symbol ("U", "D", "F" and "X" behind its name). Written
// into the folder given as the only argument.
#include <fstream>
#include <iostream>
#include <string>

#include "imaging/decoders/tests/BmpFile.h"

namespace {

constexpr int kSize = 12;

// An arrow pointing right in colour on a white ground; with a frame in the
// frame colour when one is given.
std::string Arrow(RGBQUAD colour, bool framed, RGBQUAD frame) {
  const RGBQUAD white{255, 255, 255, 0};
  std::string pixels;
  // Rows bottom-up, as bitmap files keep them.
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; ++x) {
      const int fromMiddle = y < kSize / 2 ? kSize / 2 - 1 - y : y - kSize / 2;
      const bool shaft = x >= 2 && x < 7 && fromMiddle < 2;
      const bool head = x >= 7 && x - 7 + fromMiddle < 5;
      const bool edge = framed && (x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1);
      const RGBQUAD& c = edge ? frame : (shaft || head) ? colour : white;
      pixels += static_cast<char>(c.rgbBlue);
      pixels += static_cast<char>(c.rgbGreen);
      pixels += static_cast<char>(c.rgbRed);
    }
  }
  BmpFile file;
  file.width = file.height = kSize;
  file.bits = 24;
  file.pixels = pixels;
  return file.Bytes();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_symbols FOLDER\n";
    return 2;
  }
  const RGBQUAD green{0, 140, 0, 0};
  const RGBQUAD dark{0, 80, 0, 0};
  const RGBQUAD grey{160, 160, 160, 0};
  const RGBQUAD black{0, 0, 0, 0};
  const std::pair<const char*, std::string> files[] = {
      {"pfeilU.bmp", Arrow(green, false, black)},
      {"pfeilD.bmp", Arrow(dark, false, black)},
      {"pfeilF.bmp", Arrow(green, true, black)},
      {"pfeilX.bmp", Arrow(grey, false, black)},
  };
  for (const auto& [name, bytes] : files) {
    std::ofstream out(std::string(argv[1]) + "/" + name, std::ios::binary);
    out << bytes;
    if (!out) {
      std::cerr << "make_symbols: cannot write " << argv[1] << "/" << name << "\n";
      return 1;
    }
  }
  return 0;
}
