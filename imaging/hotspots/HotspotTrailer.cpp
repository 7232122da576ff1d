#include "HotspotTrailer.h"

#include <algorithm>
#include <cstring>

#include "imaging/ByteOrder.h"

namespace hotspots {

using imaging::AppendU32;
using imaging::GetU32;

namespace {

// Bytes of a text including its zero byte.
constexpr std::int32_t maxTextField = 99;

void AppendText(std::vector<std::uint8_t>& out, const std::string& text) {
  std::size_t kept = std::min<std::size_t>(text.size(), maxTextField - 1);
  AppendU32(out, static_cast<std::uint32_t>(kept + 1));
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept));
  out.push_back(0);
}

std::int32_t GetI32(const std::uint8_t* p) { return static_cast<std::int32_t>(GetU32(p, false)); }

// Reads fixed-size fields from the block and refuses to step past its end.
class BlockReader {
 public:
  BlockReader(const std::uint8_t* data, std::size_t length) : m_data(data), m_length(length) {}

  bool Int(std::int32_t& value) {
    if (m_length - m_position < 4) return false;
    value = GetI32(m_data + m_position);
    m_position += 4;
    return true;
  }
  bool Byte(std::uint8_t& value) {
    if (m_position == m_length) return false;
    value = m_data[m_position++];
    return true;
  }
  // A text field: its length, then that many bytes, the text ending at the
  // first zero byte among them.
  bool Text(std::string& text) {
    std::int32_t length = 0;
    if (!Int(length) || length < 1) return false;
    std::size_t field = static_cast<std::size_t>(std::min(length, maxTextField));
    if (m_length - m_position < field) return false;
    const char* start = reinterpret_cast<const char*>(m_data + m_position);
    text.assign(start, strnlen(start, field));
    m_position += field;
    return true;
  }
  std::size_t Remaining() const { return m_length - m_position; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_length;
  std::size_t m_position = 0;
};

}  // namespace

std::vector<std::uint8_t> EncodeTrailer(const std::vector<HotspotRecord>& records) {
  std::vector<std::uint8_t> out;
  AppendU32(out, static_cast<std::uint32_t>(records.size()));
  for (const HotspotRecord& record : records) {
    for (LONG value : {record.rect.left, record.rect.top, record.rect.right, record.rect.bottom})
      AppendU32(out, static_cast<std::uint32_t>(value));
    AppendText(out, record.name);
    AppendText(out, record.text2);
    out.push_back(record.mode);
  }
  AppendU32(out, static_cast<std::uint32_t>(out.size()));
  out.insert(out.end(), trailerMagic, trailerMagic + 16);
  return out;
}

std::optional<std::uint64_t> TrailerBlockStart(const std::uint8_t* tail, std::uint64_t fileLength) {
  if (fileLength <= trailerTailSize || std::memcmp(tail + 4, trailerMagic, 16) != 0) return std::nullopt;
  std::int32_t blockLength = GetI32(tail);
  // The smallest block is the count alone.
  if (blockLength < 4 || static_cast<std::uint64_t>(blockLength) > fileLength - trailerTailSize) return std::nullopt;
  return fileLength - trailerTailSize - static_cast<std::uint64_t>(blockLength);
}

std::optional<std::vector<HotspotRecord>> ParseTrailerBlock(const std::uint8_t* block, std::size_t length) {
  BlockReader reader(block, length);
  std::int32_t count = 0;
  if (!reader.Int(count) || count < 0) return std::nullopt;
  // Every record takes at least 27 bytes; a count beyond that cannot fit.
  if (static_cast<std::size_t>(count) > reader.Remaining() / 27) return std::nullopt;
  std::vector<HotspotRecord> records(static_cast<std::size_t>(count));
  for (HotspotRecord& record : records) {
    std::int32_t left, top, right, bottom;
    if (!reader.Int(left) || !reader.Int(top) || !reader.Int(right) || !reader.Int(bottom) ||
        !reader.Text(record.name) || !reader.Text(record.text2) || !reader.Byte(record.mode))
      return std::nullopt;
    record.rect = RECT{left, top, right, bottom};
  }
  if (reader.Remaining() != 0) return std::nullopt;
  return records;
}

}  // namespace hotspots
