// Writes small bilevel TIFF files compressed with the modified Huffman code
// (compression 2), with the variations a reader has to cope with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/testing/Bilevel.h"

namespace imaging::testing {

// One record of the private hotspot tag 65024.
struct TiffHotspot {
  std::uint16_t x = 0, y = 0, width = 0, height = 0;
  std::string name;
  std::string text2;
  std::uint8_t flag = 0;
};

struct TiffOptions {
  bool bigEndian = false;
  int rowsPerStrip = 0;           // 0: one strip of the whole picture
  bool writeRowsPerStrip = true;  // false: leave the tag out
  bool writeByteCounts = true;
  bool shortSizes = false;  // ImageWidth, ImageLength and RowsPerStrip as SHORT instead of LONG
  int compression = 2;      // only the tag: the data are always modified Huffman
  int photometric = 0;      // only the tag: 0 WhiteIsZero, 1 BlackIsZero
  std::vector<TiffHotspot> hotspots;
};

// The whole file.
std::string WriteTiff(const Bilevel& image, const TiffOptions& options = {});

// The bytes of the hotspot tag's records in the given byte order.
std::string TiffHotspotRecords(const std::vector<TiffHotspot>& hotspots, bool bigEndian);

}  // namespace imaging::testing
