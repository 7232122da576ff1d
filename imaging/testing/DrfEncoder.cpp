#include "imaging/testing/DrfEncoder.h"

#include <algorithm>
#include <random>

namespace imaging::testing {

namespace {

void U8(std::string& out, unsigned v) { out.push_back(static_cast<char>(v & 0xFF)); }
void U16(std::string& out, unsigned v) {
  U8(out, v);
  U8(out, v >> 8);
}
void U32(std::string& out, std::uint32_t v) {
  U16(out, v & 0xFFFF);
  U16(out, v >> 16);
}
void U16BigEndian(std::string& out, unsigned v) {
  U8(out, v >> 8);
  U8(out, v);
}

// Length of the run of equal pixels from x, at most limit.
int RunAt(const DrfPicture& picture, int x, int y, int limit) {
  int run = 1;
  while (run < limit && x + run < picture.width && picture.At(x + run, y) == picture.At(x, y)) ++run;
  return run;
}

// Type 6: pixel codes of 16 and more, or a count below 16 and a value byte;
// the length counts the whole record and one byte that follows the codes.
void EncodeByteLine(std::string& out, const DrfPicture& picture, int y) {
  std::string codes;
  for (int x = 0; x < picture.width;) {
    int run = RunAt(picture, x, y, 15);
    unsigned value = picture.At(x, y) + 16u;
    if (run >= 3) {
      U8(codes, run);
      U8(codes, value);
    } else {
      run = 1;
      U8(codes, value);
    }
    x += run;
  }
  U16BigEndian(out, static_cast<unsigned>(codes.size() + 3));
  out += codes;
  U8(out, 0);
}

// Type 7: runs of 1 to 4 pixels of one grey level in a byte each.
void EncodeGreyLine(std::string& out, const DrfPicture& picture, int y) {
  std::string codes;
  for (int x = 0; x < picture.width;) {
    int run = RunAt(picture, x, y, 4);
    U8(codes, ((run - 1) << 6) | picture.At(x, y));
    x += run;
  }
  U16BigEndian(out, static_cast<unsigned>(codes.size() + 2));
  out += codes;
}

// Type 5: runs of up to 31 pixels of one colour, or literal groups of two-bit
// pixels packed four to a byte, lowest bits first.
void EncodeTwoBitLine(std::string& out, const DrfPicture& picture, int y) {
  std::string codes;
  for (int x = 0; x < picture.width;) {
    int run = RunAt(picture, x, y, 31);
    if (run >= 4) {
      U8(codes, (run << 3) | (picture.At(x, y) << 1) | 1);
      x += run;
      continue;
    }
    int group = 0;
    while (x + group < picture.width && group < 127 && RunAt(picture, x + group, y, 4) < 4) ++group;
    group = std::max(group, 1);
    U8(codes, group << 1);
    for (int i = 0; i < group; i += 4) {
      unsigned packed = 0;
      for (int k = 0; k < 4 && i + k < group; ++k) packed |= (picture.At(x + i + k, y) & 3u) << (2 * k);
      U8(codes, packed);
    }
    x += group;
  }
  U16BigEndian(out, static_cast<unsigned>(codes.size()));
  out += codes;
}

void PutText(std::string& out, const std::string& text, std::size_t maximum) {
  out += text.substr(0, maximum);
  if (text.size() < maximum) U8(out, 0);
}

std::string RasterRecords(const std::vector<DrfHotspot>& hotspots, bool compressed) {
  std::string out;
  if (compressed && !hotspots.empty()) {
    const DrfHotspot& first = hotspots.front();
    U16(out, static_cast<std::uint16_t>(first.right - first.left));
    U16(out, static_cast<std::uint16_t>(first.bottom - first.top));
    U8(out, first.flag);
    for (const DrfHotspot& spot : hotspots) {
      U16(out, static_cast<std::uint16_t>(spot.left));
      U16(out, static_cast<std::uint16_t>(spot.top));
      PutText(out, spot.name, 32);
      PutText(out, spot.text2, 25);
    }
    U32(out, 0xFFFFFFFFu);
    return out;
  }
  for (const DrfHotspot& spot : hotspots) {
    std::string record(72, '\0');
    record.replace(0, std::min<std::size_t>(32, spot.name.size()), spot.name.substr(0, 32));
    std::string corners;
    for (std::int16_t v : {spot.left, spot.top, spot.right, spot.bottom}) U16(corners, static_cast<std::uint16_t>(v));
    record.replace(32, 8, corners);
    record.replace(40, std::min<std::size_t>(25, spot.text2.size()), spot.text2.substr(0, 25));
    record[65] = static_cast<char>((spot.flag >> 1) & 1);
    record[66] = static_cast<char>(spot.flag & 1);
    record[67] = static_cast<char>((spot.flag >> 2) & 1);
    out += record;
  }
  return out;
}

}  // namespace

DrfPicture MakeDrfTestPicture(int type, int width, int height, unsigned seed) {
  DrfPicture picture(type, width, height);
  const int levels = type == 6 ? 240 : type == 7 ? 64 : 4;
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    int x = 0;
    while (x < width) {
      int run = (random() % 3 == 0) ? 1 + static_cast<int>(random() % 200) : 1 + static_cast<int>(random() % 3);
      std::uint8_t value = static_cast<std::uint8_t>(random() % levels);
      if (type == 8) value = 0;  // type 8 has no pixels in its data
      for (int end = std::min(width, x + run); x < end; ++x) picture.At(x, y) = value;
    }
  }
  if (type == 6) {
    for (int i = 0; i < 240; ++i)
      picture.colours.push_back({static_cast<std::uint8_t>(i % 64), static_cast<std::uint8_t>((i * 7) % 64),
                                 static_cast<std::uint8_t>((i * 13 + 5) % 64)});
  }
  return picture;
}

std::string EncodeDrfPixelData(const DrfPicture& picture) {
  std::string out;
  if (picture.type == 6) {
    U16(out, 240);
    for (int i = 0; i < 240; ++i) {
      auto colour = i < static_cast<int>(picture.colours.size()) ? picture.colours[i] : std::array<std::uint8_t, 3>{};
      for (std::uint8_t component : colour) U8(out, component);
    }
  }
  for (int y = 0; y < picture.height; ++y) {
    switch (picture.type) {
      case 5:
        EncodeTwoBitLine(out, picture, y);
        break;
      case 6:
        EncodeByteLine(out, picture, y);
        break;
      case 7:
        EncodeGreyLine(out, picture, y);
        break;
      default:
        break;  // type 8 has no coded lines
    }
  }
  return out;
}

std::string WriteDrfFile(const DrfPicture& picture, const std::string& pixelData,
                         const std::vector<DrfHotspot>& hotspots, const DrfOptions& options) {
  const std::size_t headerSize = 11 + (options.extension ? 50 : 0) + 10;
  const bool haveRasters = !hotspots.empty();
  std::string out;
  U8(out, options.kind);
  U8(out, (options.compressedRasters ? 0x01 : 0) | (options.extension ? 0x10 : 0));
  U8(out, 0);
  U32(out, haveRasters ? static_cast<std::uint32_t>(headerSize + pixelData.size()) : 0);
  U16(out, static_cast<std::uint16_t>(hotspots.size()));
  U16(out, 0);
  if (options.extension) out.append(50, '\x5A');
  U8(out, static_cast<std::uint8_t>(options.content));
  U16(out, static_cast<std::uint16_t>(picture.width));
  U16(out, static_cast<std::uint16_t>(picture.height));
  U32(out, static_cast<std::uint32_t>(pixelData.size()));
  U8(out, static_cast<std::uint8_t>(picture.type));
  out += pixelData;
  if (haveRasters) out += RasterRecords(hotspots, options.compressedRasters);
  return out;
}

}  // namespace imaging::testing
