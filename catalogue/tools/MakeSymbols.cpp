// The pictures of the catalogue's symbol "pfeil", an arrow that links to
// another key: normal, selected, focus and disabled, as the bitmap files the
// viewer loads for a symbol ("U", "D", "F" and "X" behind its name); and the
// buttons of the viewer's toolbars that the button files name. Written into
// the folder given as the only argument.
#include <array>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

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

// A toolbar button: 16 by 15 pixels of the 16 standard colours, drawn as
// rows of characters from the top: '.' the button face (light grey, which
// the toolbar replaces by the system's), '#' black, '-' grey, 'w' white,
// 'r' dark red, 'g' dark green, 'b' navy.
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;
using ButtonGlyph = std::array<const char*, kButtonHeight>;

int ColourIndex(char c) {
  switch (c) {
    case '#': return 0;
    case 'r': return 1;
    case 'g': return 2;
    case 'b': return 4;
    case '-': return 8;
    case 'w': return 15;
    default: return 7;
  }
}

std::vector<RGBQUAD> StandardColours() {
  const BYTE table[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                             {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                             {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                             {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  std::vector<RGBQUAD> colours;
  for (const auto& rgb : table) colours.push_back(RGBQUAD{rgb[2], rgb[1], rgb[0], 0});
  return colours;
}

std::string Button(const ButtonGlyph& glyph) {
  std::string pixels;
  for (int y = kButtonHeight - 1; y >= 0; --y) {  // bottom-up; 8 bytes a row need no padding
    for (int x = 0; x < kButtonWidth; x += 2)
      pixels += static_cast<char>(ColourIndex(glyph[y][x]) << 4 | ColourIndex(glyph[y][x + 1]));
  }
  BmpFile file;
  file.width = kButtonWidth;
  file.height = kButtonHeight;
  file.bits = 4;
  file.colours = StandardColours();
  file.pixels = pixels;
  return file.Bytes();
}

const std::pair<const char*, ButtonGlyph> kButtons[] = {
    {"home.bmp",
     {"................",
      ".......##.......",
      "......#rr#......",
      ".....#rrrr#.....",
      "....#rrrrrr#....",
      "...#rrrrrrrr#...",
      "..############..",
      "...#wwwwwwww#...",
      "...#ww####ww#...",
      "...#ww#bb#ww#...",
      "...#ww#bb#ww#...",
      "...#ww#bb#ww#...",
      "...#ww#bb#ww#...",
      "...##########...",
      "................"}},
    {"back.bmp",
     {"................",
      "................",
      ".....#..........",
      "....##..........",
      "...#g#########..",
      "..#ggggggggggg#.",
      ".#gggggggggggg#.",
      "..#ggggggggggg#.",
      "...#g#########..",
      "....##..........",
      ".....#..........",
      "................",
      "................",
      "................",
      "................"}},
    {"chapter.bmp",
     {"................",
      ".......##.......",
      "......#gg#......",
      ".....#gggg#.....",
      "....#gggggg#....",
      "...#gggggggg#...",
      "..####gggg####..",
      ".....#gggg#.....",
      ".....#gggg#.....",
      ".....#gggg#.....",
      ".....#gggg#.....",
      ".....#gggg#.....",
      ".....######.....",
      "................",
      "................"}},
    {"left.bmp",
     {"................",
      "................",
      ".........##.....",
      "........#b#.....",
      ".......#bb#.....",
      "......#bbb#.....",
      ".....#bbbb#.....",
      "....#bbbbb#.....",
      ".....#bbbb#.....",
      "......#bbb#.....",
      ".......#bb#.....",
      "........#b#.....",
      ".........##.....",
      "................",
      "................"}},
    {"right.bmp",
     {"................",
      "................",
      ".....##.........",
      ".....#b#........",
      ".....#bb#.......",
      ".....#bbb#......",
      ".....#bbbb#.....",
      ".....#bbbbb#....",
      ".....#bbbb#.....",
      ".....#bbb#......",
      ".....#bb#.......",
      ".....#b#........",
      ".....##.........",
      "................",
      "................"}},
    {"raster.bmp",
     {"................",
      ".--------------.",
      ".-ww-ww-ww-ww-w.",
      ".-ww-ww-ww-ww-w.",
      ".--------------.",
      ".-ww-ww-ww-ww-w.",
      ".-ww-ww-ww-ww-w.",
      ".--------------.",
      ".-ww-ww-ww-ww-w.",
      ".-ww-ww-ww-ww-w.",
      ".--------------.",
      ".-ww-ww-ww-ww-w.",
      ".-ww-ww-ww-ww-w.",
      ".--------------.",
      "................"}},
    {"rtext.bmp",
     {"................",
      ".--------------.",
      ".-ww-ww-ww-ww-w.",
      ".-ww-ww-ww-ww-w.",
      ".---########---.",
      ".-ww########w-w.",
      ".-ww-ww##w-ww-w.",
      ".------##------.",
      ".-ww-ww##w-ww-w.",
      ".-ww-ww##w-ww-w.",
      ".------##------.",
      ".-ww-ww##w-ww-w.",
      ".-ww-ww-ww-ww-w.",
      ".--------------.",
      "................"}},
    {"print.bmp",
     {"................",
      "....########....",
      "....#wwwwww#....",
      "....#w####w#....",
      "....#wwwwww#....",
      "..############..",
      ".#------------#.",
      ".#------------#.",
      ".#--------gg--#.",
      ".#------------#.",
      ".##############.",
      "...#wwwwwwww#...",
      "...#w######w#...",
      "...#wwwwwwww#...",
      "...##########..."}},
    {"close.bmp",
     {"................",
      "................",
      "...##......##...",
      "...###....###...",
      "....###..###....",
      ".....######.....",
      "......####......",
      "......####......",
      ".....######.....",
      "....###..###....",
      "...###....###...",
      "...##......##...",
      "................",
      "................",
      "................"}},
};

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
  std::vector<std::pair<std::string, std::string>> all(std::begin(files), std::end(files));
  for (const auto& [name, glyph] : kButtons) all.emplace_back(name, Button(glyph));
  for (const auto& [name, bytes] : all) {
    std::ofstream out(std::string(argv[1]) + "/" + name, std::ios::binary);
    out << bytes;
    if (!out) {
      std::cerr << "make_symbols: cannot write " << argv[1] << "/" << name << "\n";
      return 1;
    }
  }
  return 0;
}
