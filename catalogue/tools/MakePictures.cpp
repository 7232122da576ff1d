// The exploded view of the lawn mower RM 46, as the catalogue's pictures in
// four formats: a bitmap file with a hotspot trailer, a DRF picture with its
// raster records and a bilevel TIFF file (modified Huffman) with its hotspot
// tag, in which each assembly is a hotspot that leads to its key ("?" and the
// key) and each part a hotspot named by its part number, which the part
// tables match; and a CAP line drawing of the outlines, whose labels number
// the assemblies by their positions on the start page.
// Written into the folder given as the only argument.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "imaging/decoders/tests/BmpFile.h"
#include "imaging/hotspots/HotspotTrailer.h"
#include "imaging/testing/CapWriter.h"
#include "imaging/testing/DrfEncoder.h"
#include "imaging/testing/TiffWriter.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;

// Colours by index: white ground, black lines, one colour per assembly.
enum Ink { WHITE = 0, BLACK = 1, HOUSING = 2, ENGINE = 3, DRIVE = 4, HANDLE = 5 };
const RGBQUAD kColours[] = {{255, 255, 255, 0}, {0, 0, 0, 0},     {150, 200, 150, 0},
                            {120, 160, 230, 0}, {230, 200, 120, 0}, {200, 170, 200, 0}};

struct Area {
  std::string name;
  int left, top, right, bottom;
  Ink ink;
  std::uint16_t position = 0;  // the assembly's on the start page
};

// The assemblies with their parts inside them.
const std::vector<Area> kAssemblies = {{"?GEH", 40, 220, 380, 360, HOUSING, 1},
                                       {"?MOT", 120, 40, 320, 190, ENGINE, 2},
                                       {"?ANT", 400, 250, 500, 360, DRIVE, 3},
                                       {"?GRI", 420, 30, 610, 220, HANDLE, 4}};
const std::vector<Area> kParts = {
    {"RM-1001", 60, 240, 200, 340, HOUSING}, {"RM-1002", 220, 240, 300, 300, HOUSING},
    {"RM-1003", 310, 250, 360, 340, HOUSING}, {"RM-2001", 140, 60, 230, 120, ENGINE},
    {"RM-2002", 240, 60, 300, 120, ENGINE},   {"RM-2003", 140, 130, 200, 175, ENGINE},
    {"RM-2004", 220, 130, 300, 175, ENGINE},  {"RM-3001", 415, 265, 485, 300, DRIVE},
    {"RM-3002", 415, 310, 485, 345, DRIVE},   {"RM-4001", 440, 50, 590, 110, HANDLE},
    {"RM-4002", 440, 130, 590, 200, HANDLE}};

using Canvas = std::vector<std::uint8_t>;

void Box(Canvas& canvas, const Area& a, std::uint8_t fill) {
  for (int y = a.top; y < a.bottom; ++y) {
    for (int x = a.left; x < a.right; ++x) {
      const bool edge = x == a.left || x == a.right - 1 || y == a.top || y == a.bottom - 1;
      canvas[static_cast<size_t>(y) * kWidth + x] = edge ? std::uint8_t{BLACK} : fill;
    }
  }
}

Canvas Drawing() {
  Canvas canvas(static_cast<size_t>(kWidth) * kHeight, WHITE);
  for (const Area& a : kAssemblies) Box(canvas, a, a.ink);
  for (const Area& p : kParts) Box(canvas, p, WHITE);
  return canvas;
}

std::vector<Area> AllHotspots() {
  std::vector<Area> all = kAssemblies;
  all.insert(all.end(), kParts.begin(), kParts.end());
  return all;
}

std::string Bitmap(const Canvas& canvas) {
  BmpFile file;
  file.width = kWidth;
  file.height = kHeight;
  file.bits = 8;
  file.colours.assign(std::begin(kColours), std::end(kColours));
  file.colours.resize(256, RGBQUAD{255, 255, 255, 0});
  for (int y = kHeight - 1; y >= 0; --y) {  // bottom-up; rows of 640 bytes need no padding
    file.pixels.append(reinterpret_cast<const char*>(&canvas[static_cast<size_t>(y) * kWidth]), kWidth);
  }
  std::vector<HotspotRecord> records;
  for (const Area& a : AllHotspots()) {
    records.push_back({RECT{a.left, a.top, a.right, a.bottom}, a.name, "", static_cast<BYTE>(a.name[0] == '?' ? 2 : 1)});
  }
  const std::vector<std::uint8_t> trailer = hotspots::EncodeTrailer(records);
  return file.Bytes() + std::string(trailer.begin(), trailer.end());
}

std::string Drf(const Canvas& canvas) {
  imaging::testing::DrfPicture picture(6, kWidth, kHeight);
  picture.pixels = canvas;
  picture.colours.assign(240, {63, 63, 63});
  for (size_t i = 0; i < std::size(kColours); ++i) {
    picture.colours[i] = {static_cast<std::uint8_t>(kColours[i].rgbRed >> 2),
                          static_cast<std::uint8_t>(kColours[i].rgbGreen >> 2),
                          static_cast<std::uint8_t>(kColours[i].rgbBlue >> 2)};
  }
  std::vector<imaging::testing::DrfHotspot> hotspots;
  for (const Area& a : AllHotspots()) {
    hotspots.push_back({a.name, "", static_cast<std::int16_t>(a.left), static_cast<std::int16_t>(a.top),
                        static_cast<std::int16_t>(a.right), static_cast<std::int16_t>(a.bottom),
                        static_cast<std::uint8_t>(a.name[0] == '?' ? 2 : 1)});
  }
  return imaging::testing::WriteDrfFile(picture, hotspots);
}

std::string Tiff(const Canvas& canvas) {
  imaging::testing::Bilevel image(kWidth, kHeight);
  for (size_t i = 0; i < canvas.size(); ++i) image.pixels[i] = canvas[i] == BLACK ? 1 : 0;
  imaging::testing::TiffOptions options;
  for (const Area& a : AllHotspots()) {
    options.hotspots.push_back({static_cast<std::uint16_t>(a.left), static_cast<std::uint16_t>(a.top),
                                static_cast<std::uint16_t>(a.right - a.left),
                                static_cast<std::uint16_t>(a.bottom - a.top), a.name, "",
                                static_cast<std::uint8_t>(a.name[0] == '?' ? 2 : 1)});
  }
  return imaging::testing::WriteTiff(image, options);
}

// The outlines of assemblies and parts on the CAP grid, which takes the
// drawing's pixels as they are; each assembly's label sits inside its
// top left corner.
std::string Cap() {
  imaging::testing::CapDrawing drawing;
  for (const Area& a : AllHotspots()) {
    const int right = a.right - 1;
    const int bottom = a.bottom - 1;
    drawing.polylines.push_back({{a.left, a.top}, {right, a.top}, {right, bottom}, {a.left, bottom}, {a.left, a.top}});
  }
  for (const Area& a : kAssemblies) drawing.labels.push_back({a.left + 6, a.top + 4, a.position});
  return imaging::testing::WriteCapFile(drawing);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_pictures FOLDER\n";
    return 2;
  }
  const Canvas canvas = Drawing();
  const std::pair<const char*, std::string> files[] = {
      {"rm46.bmp", Bitmap(canvas)}, {"rm46.drf", Drf(canvas)}, {"rm46.tif", Tiff(canvas)}, {"rm46.cap", Cap()}};
  for (const auto& [name, bytes] : files) {
    std::ofstream out(std::string(argv[1]) + "/" + name, std::ios::binary);
    out << bytes;
    if (!out) {
      std::cerr << "make_pictures: cannot write " << argv[1] << "/" << name << "\n";
      return 1;
    }
  }
  return 0;
}
