#include "imaging/testing/TiffWriter.h"

#include <algorithm>

#include "imaging/testing/ModifiedHuffmanEncoder.h"

namespace imaging::testing {

namespace {

enum : std::uint16_t { kShort = 3, kLong = 4 };

class Bytes {
 public:
  explicit Bytes(bool bigEndian) : m_big(bigEndian) {}
  void U8(std::uint8_t v) { m_out.push_back(static_cast<char>(v)); }
  void U16(std::uint16_t v) {
    if (m_big) {
      U8(v >> 8);
      U8(v & 0xFF);
    } else {
      U8(v & 0xFF);
      U8(v >> 8);
    }
  }
  void U32(std::uint32_t v) {
    if (m_big) {
      U16(v >> 16);
      U16(v & 0xFFFF);
    } else {
      U16(v & 0xFFFF);
      U16(v >> 16);
    }
  }
  void Raw(const std::string& bytes) { m_out += bytes; }
  std::size_t Size() const { return m_out.size(); }
  std::string& Str() { return m_out; }

 private:
  bool m_big;
  std::string m_out;
};

struct Entry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint32_t value;  // a SHORT value is stored in the first two bytes of the field
};

}  // namespace

std::string TiffHotspotRecords(const std::vector<TiffHotspot>& hotspots, bool bigEndian) {
  Bytes out(bigEndian);
  for (const TiffHotspot& spot : hotspots) {
    std::size_t length = 14 + spot.name.size() + spot.text2.size();
    out.U8(length & 0xFF);  // low byte first whatever the byte order
    out.U8((length >> 8) & 0xFF);
    out.U16(spot.x);
    out.U16(spot.y);
    out.U16(spot.width);
    out.U16(spot.height);
    out.U8(static_cast<std::uint8_t>(spot.name.size()));
    out.Raw(spot.name);
    out.U8(static_cast<std::uint8_t>(spot.text2.size()));
    out.Raw(spot.text2);
    out.U8(spot.flag);
    out.U8(0);
  }
  return out.Str();
}

std::string WriteTiff(const Bilevel& image, const TiffOptions& options) {
  const bool big = options.bigEndian;
  const int rowsPerStrip = options.rowsPerStrip > 0 ? options.rowsPerStrip : std::max(image.height, 1);
  Bytes out(big);
  out.U8(big ? 'M' : 'I');
  out.U8(big ? 'M' : 'I');
  out.U16(42);
  out.U32(0);  // directory offset, patched below

  std::vector<std::uint32_t> offsets, counts;
  for (int row = 0; row < image.height; row += rowsPerStrip) {
    std::string strip = EncodeModifiedHuffmanRows(image, row, rowsPerStrip);
    offsets.push_back(static_cast<std::uint32_t>(out.Size()));
    counts.push_back(static_cast<std::uint32_t>(strip.size()));
    out.Raw(strip);
  }
  // Tables of more than one value lie outside the directory.
  auto table = [&](const std::vector<std::uint32_t>& values) -> std::uint32_t {
    if (values.size() == 1) return values[0];
    std::uint32_t at = static_cast<std::uint32_t>(out.Size());
    for (std::uint32_t v : values) out.U32(v);
    return at;
  };
  std::uint32_t offsetsValue = table(offsets);
  std::uint32_t countsValue = table(counts);
  std::uint32_t hotspotsAt = static_cast<std::uint32_t>(out.Size());
  out.Raw(TiffHotspotRecords(options.hotspots, big));
  if (out.Size() % 2) out.U8(0);  // the directory starts on a word boundary

  const std::uint16_t sizeType = options.shortSizes ? kShort : kLong;
  std::vector<Entry> entries = {
      {256, sizeType, 1, static_cast<std::uint32_t>(image.width)},
      {257, sizeType, 1, static_cast<std::uint32_t>(image.height)},
      {258, kShort, 1, 1},
      {259, kShort, 1, static_cast<std::uint32_t>(options.compression)},
      {262, kShort, 1, static_cast<std::uint32_t>(options.photometric)},
      {273, kLong, static_cast<std::uint32_t>(offsets.size()), offsetsValue},
      {277, kShort, 1, 1},
  };
  if (options.writeRowsPerStrip) entries.push_back({278, sizeType, 1, static_cast<std::uint32_t>(rowsPerStrip)});
  if (options.writeByteCounts) entries.push_back({279, kLong, static_cast<std::uint32_t>(counts.size()), countsValue});
  if (!options.hotspots.empty())
    entries.push_back({65024, kLong, static_cast<std::uint32_t>(options.hotspots.size()), hotspotsAt});

  std::uint32_t directoryAt = static_cast<std::uint32_t>(out.Size());
  out.U16(static_cast<std::uint16_t>(entries.size()));
  for (const Entry& entry : entries) {
    out.U16(entry.tag);
    out.U16(entry.type);
    out.U32(entry.count);
    if (entry.type == kShort && entry.count == 1) {
      out.U16(static_cast<std::uint16_t>(entry.value));
      out.U16(0);
    } else {
      out.U32(entry.value);
    }
  }
  out.U32(0);  // no further directory

  Bytes patch(big);
  patch.U32(directoryAt);
  out.Str().replace(4, 4, patch.Str());
  return out.Str();
}

}  // namespace imaging::testing
