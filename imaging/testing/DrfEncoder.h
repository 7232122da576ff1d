// Writes DRF pictures of types 5 to 8 with plain or compressed raster records,
// for tests and benchmarks of the readers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace imaging::testing {

// One pixel value per byte, rows top to bottom: types 5 and 8 use 0 to 3,
// type 6 indexes 0 to 239 of its colour table, type 7 grey levels 0 to 63.
struct DrfPicture {
  int type = 6;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  // Type 6 only: 240 colours of 6 bits per component (the file keeps them so).
  std::vector<std::array<std::uint8_t, 3>> colours;

  DrfPicture() = default;
  DrfPicture(int t, int w, int h) : type(t), width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}
  std::uint8_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct DrfHotspot {
  std::string name;
  std::string text2;
  std::int16_t left = 0, top = 0, right = 0, bottom = 0;
  std::uint8_t flag = 0;  // bits 0 to 2; compressed records share the first hotspot's
};

struct DrfOptions {
  std::uint8_t kind = 6;           // header byte 0
  bool extension = false;          // the 50-byte block after the header
  bool compressedRasters = false;  // all hotspots then take the first one's size and flag
  std::int8_t content = 1;
};

// A picture with every kind of run: long runs, single pixels and level changes.
DrfPicture MakeDrfTestPicture(int type, int width, int height, unsigned seed = 1);

// The pixel data block (colour table and coded lines).
std::string EncodeDrfPixelData(const DrfPicture& picture);

// The 11-byte header, extension, picture info, the pixel data given and the
// raster records.
std::string WriteDrfFile(const DrfPicture& picture, const std::string& pixelData,
                         const std::vector<DrfHotspot>& hotspots = {}, const DrfOptions& options = {});
inline std::string WriteDrfFile(const DrfPicture& picture, const std::vector<DrfHotspot>& hotspots = {},
                                const DrfOptions& options = {}) {
  return WriteDrfFile(picture, EncodeDrfPixelData(picture), hotspots, options);
}

}  // namespace imaging::testing
