// The pictures of the sample catalogue's toolbar buttons, as its button
// files name them: 16 by 15 pixels in the 16 standard colours, drawn from the
// patterns below ('.' the button face, '#' black, 'w' white, 'd' dark grey,
// 'r' red, 'g' green, 'b' blue). Written into the folder given as the only
// argument.
#include <array>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "imaging/decoders/tests/BmpFile.h"

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

struct Button {
  const char* file;
  std::array<const char*, kHeight> rows;
};

// The 16 colours of the standard palette; the viewer shows black, the greys
// and white in the system's button colours.
std::vector<RGBQUAD> StandardColours() {
  const BYTE levels[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
                              {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},  {255, 255, 0},
                              {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  std::vector<RGBQUAD> colours;
  for (const auto& rgb : levels) colours.push_back(RGBQUAD{rgb[2], rgb[1], rgb[0], 0});
  return colours;
}

int ColourIndex(char c) {
  switch (c) {
    case '#': return 0;
    case 'g': return 2;
    case 'd': return 8;
    case 'r': return 9;
    case 'b': return 12;
    case 'w': return 15;
    default: return 7;
  }
}

// Two pixels a byte, rows bottom-up and padded to four bytes.
std::string Picture(const Button& button) {
  std::string pixels;
  for (int y = kHeight - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < kWidth; x += 2) {
      row += static_cast<char>(ColourIndex(button.rows[y][x]) << 4 | ColourIndex(button.rows[y][x + 1]));
    }
    row.resize((row.size() + 3) / 4 * 4, '\0');
    pixels += row;
  }
  BmpFile file;
  file.width = kWidth;
  file.height = kHeight;
  file.bits = 4;
  file.colours = StandardColours();
  file.pixels = pixels;
  return file.Bytes();
}

const Button kButtons[] = {
    {"home.bmp",
     {"................",
      ".......##.......",
      "......#rr#......",
      ".....#rrrr#.....",
      "....#rrrrrr#....",
      "...#rrrrrrrr#...",
      "..############..",
      "...#wwwwwwww#...",
      "...#w##ww##w#...",
      "...#w##ww##w#...",
      "...#wwwwwwww#...",
      "...#ww#bb#ww#...",
      "...#ww#bb#ww#...",
      "...##########...",
      "................"}},
    {"back.bmp",
     {"................",
      "................",
      "......#.........",
      ".....#b#........",
      "....#bb#........",
      "...#bbb#######..",
      "..#bbbbbbbbbb#..",
      ".#bbbbbbbbbbb#..",
      "..#bbbbbbbbbb#..",
      "...#bbb#######..",
      "....#bb#........",
      ".....#b#........",
      "......#.........",
      "................",
      "................"}},
    {"chapter.bmp",
     {"................",
      "..###########...",
      "..#g#wwwwwww#...",
      "..#g#w#####w#...",
      "..#g#wwwwwww#...",
      "..#g#w#####w#...",
      "..#g#wwwwwww#...",
      "..#g#w####ww#...",
      "..#g#wwwwwww#...",
      "..#g#w#####w#...",
      "..#g#wwwwwww#...",
      "..#g#wwwwwww#...",
      "..###########...",
      "................",
      "................"}},
    {"left.bmp",
     {"................",
      "................",
      "..........#.....",
      ".........##.....",
      "........#b#.....",
      ".......#bb#.....",
      "......#bbb#.....",
      ".....#bbbb#.....",
      "......#bbb#.....",
      ".......#bb#.....",
      "........#b#.....",
      ".........##.....",
      "..........#.....",
      "................",
      "................"}},
    {"right.bmp",
     {"................",
      "................",
      ".....#..........",
      ".....##.........",
      ".....#b#........",
      ".....#bb#.......",
      ".....#bbb#......",
      ".....#bbbb#.....",
      ".....#bbb#......",
      ".....#bb#.......",
      ".....#b#........",
      ".....##.........",
      ".....#..........",
      "................",
      "................"}},
    {"raster.bmp",
     {"................",
      ".#############..",
      ".#wwwwdwwwwdw#..",
      ".#wwwwdwwwwdw#..",
      ".#ddddddddddd#..",
      ".#wwwwdwwwwdw#..",
      ".#wwwwdwwwwdw#..",
      ".#wwwwdwwwwdw#..",
      ".#ddddddddddd#..",
      ".#wwwwdwwwwdw#..",
      ".#wwwwdwwwwdw#..",
      ".#wwwwdwwwwdw#..",
      ".#############..",
      "................",
      "................"}},
    {"rtext.bmp",
     {"................",
      ".#############..",
      ".#wwwwdwwwwdw#..",
      ".#w#####wwwdw#..",
      ".#ddd#dddddd##..",
      ".#www#wdwwwdw#..",
      ".#www#wdwwwdw#..",
      ".#www#wdwwwdw#..",
      ".#ddd#dddddd##..",
      ".#wwwwdwwwwdw#..",
      ".#wwwwdwwwwdw#..",
      ".#wwwwdwwwwdw#..",
      ".#############..",
      "................",
      "................"}},
    {"print.bmp",
     {"................",
      "....########....",
      "....#wwwwww#....",
      "....#w####w#....",
      "....#wwwwww#....",
      "..############..",
      ".#dddddddddddd#.",
      ".#dddddddddgdd#.",
      ".#dddddddddddd#.",
      ".##############.",
      "..#wwwwwwwwww#..",
      "..#w########w#..",
      "..#wwwwwwwwww#..",
      "..############..",
      "................"}},
    {"close.bmp",
     {"................",
      "................",
      "..rr.......rr...",
      "..rrr.....rrr...",
      "...rrr...rrr....",
      "....rrr.rrr.....",
      ".....rrrrr......",
      "......rrr.......",
      ".....rrrrr......",
      "....rrr.rrr.....",
      "...rrr...rrr....",
      "..rrr.....rrr...",
      "..rr.......rr...",
      "................",
      "................"}},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_buttons FOLDER\n";
    return 2;
  }
  for (const Button& button : kButtons) {
    std::ofstream out(std::string(argv[1]) + "/" + button.file, std::ios::binary);
    out << Picture(button);
    if (!out) {
      std::cerr << "make_buttons: cannot write " << argv[1] << "/" << button.file << "\n";
      return 1;
    }
  }
  return 0;
}
