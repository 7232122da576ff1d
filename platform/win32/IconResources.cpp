#include "win32/IconResources.h"

#include <cstdlib>
#include <cstring>

#include "win32/GdiTypes.h"
#include "win32/ResourceReader.h"

namespace layer {
namespace {

constexpr int kLargest = 256;

bool Failed(std::string* error, const char* reason) {
  if (error) *error = reason;
  return false;
}

std::size_t Stride(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4; }

std::uint32_t ColourAt(const BYTE* row, int x, int bits, const RGBQUAD* colours, std::size_t colourCount) {
  std::size_t index = 0;
  switch (bits) {
    case 1: index = (row[x / 8] >> (7 - x % 8)) & 1; break;
    case 4: index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F; break;
    case 8: index = row[x]; break;
    case 24: return 0xFF000000u | (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
    case 32: return (static_cast<std::uint32_t>(row[x * 4 + 3]) << 24) | (row[x * 4 + 2] << 16) | (row[x * 4 + 1] << 8) | row[x * 4];
    default: return 0;
  }
  if (index >= colourCount) return 0xFF000000u;
  const RGBQUAD& c = colours[index];
  return 0xFF000000u | (c.rgbRed << 16) | (c.rgbGreen << 8) | c.rgbBlue;
}

}  // namespace

bool ReadIconGroup(const void* data, std::size_t size, std::vector<IconGroupEntry>& entries, std::string* error) {
  entries.clear();
  ResourceReader reader(data, size);
  reader.Word();
  WORD type = reader.Word();
  WORD count = reader.Word();
  if (!reader.Ok() || (type != 1 && type != 2)) return Failed(error, "the icon group's header is not one");
  for (WORD i = 0; i < count; ++i) {
    IconGroupEntry entry;
    if (type == 1) {
      entry.width = reader.Byte();
      entry.height = reader.Byte();
      reader.Byte();  // colour count
      reader.Byte();
      reader.Word();  // planes
      entry.bitCount = reader.Word();
      if (entry.width == 0) entry.width = 256;
      if (entry.height == 0) entry.height = 256;
    } else {
      entry.width = reader.Word();
      entry.height = reader.Word() / 2;
      reader.Word();
      entry.bitCount = reader.Word();
    }
    entry.bytes = reader.Dword();
    entry.id = reader.Word();
    if (!reader.Ok()) return Failed(error, "the icon group is cut short");
    entries.push_back(entry);
  }
  if (entries.empty()) return Failed(error, "the icon group holds no picture");
  return true;
}

bool ReadIconPicture(const void* data, std::size_t size, bool cursor, IconPicture& picture, std::string* error) {
  picture = IconPicture{};
  const BYTE* bytes = static_cast<const BYTE*>(data);
  if (cursor) {
    if (size < 4) return Failed(error, "the cursor is cut short");
    picture.hotX = bytes[0] | (bytes[1] << 8);
    picture.hotY = bytes[2] | (bytes[3] << 8);
    bytes += 4;
    size -= 4;
  }
  if (size >= 8 && std::memcmp(bytes, "\x89PNG", 4) == 0) return Failed(error, "PNG pictures in icons are not supported");
  BITMAPINFOHEADER header;
  if (size < sizeof header) return Failed(error, "the icon's picture is shorter than its header");
  std::memcpy(&header, bytes, sizeof header);
  int width = header.biWidth;
  int height = header.biHeight / 2;
  int bits = header.biBitCount;
  if (header.biSize < sizeof header || header.biSize > size || width <= 0 || width > kLargest || height <= 0 ||
      height > kLargest || header.biCompression != BI_RGB || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
    return Failed(error, "the icon's picture header is impossible");
  std::size_t colourCount = bits <= 8 ? (header.biClrUsed ? header.biClrUsed : 1u << bits) : 0;
  std::size_t offset = header.biSize + colourCount * sizeof(RGBQUAD);
  std::size_t colourStride = Stride(width, bits), maskStride = Stride(width, 1);
  std::size_t needed = offset + colourStride * height + maskStride * height;
  if (colourCount > 256 || needed > size) return Failed(error, "the icon's picture is cut short");
  const auto* colours = reinterpret_cast<const RGBQUAD*>(bytes + header.biSize);
  const BYTE* colourRows = bytes + offset;
  const BYTE* maskRows = colourRows + colourStride * height;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(static_cast<std::size_t>(width) * height);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const BYTE* row = colourRows + colourStride * (height - 1 - y);
    const BYTE* mask = maskRows + maskStride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = ColourAt(row, x, bits, colours, colourCount);
      if (bits == 32 && (pixel >> 24)) anyAlpha = true;
      bool transparent = (mask[x / 8] >> (7 - x % 8)) & 1;
      if (bits != 32) pixel = transparent ? 0 : (pixel | 0xFF000000u);
      else if (!anyAlpha && transparent) pixel &= 0x00FFFFFFu;
      picture.pixels[static_cast<std::size_t>(y) * width + x] = pixel;
    }
  }
  // A 32-bit picture without any alpha takes its transparency from the mask alone.
  if (bits == 32 && !anyAlpha) {
    for (int y = 0; y < height; ++y) {
      const BYTE* mask = maskRows + maskStride * (height - 1 - y);
      for (int x = 0; x < width; ++x) {
        std::uint32_t& pixel = picture.pixels[static_cast<std::size_t>(y) * width + x];
        bool transparent = (mask[x / 8] >> (7 - x % 8)) & 1;
        pixel = transparent ? 0 : (pixel | 0xFF000000u);
      }
    }
  }
  return true;
}

const IconGroupEntry* BestIconEntry(const std::vector<IconGroupEntry>& entries, int width, int height) {
  const IconGroupEntry* best = nullptr;
  long bestScore = 0;
  for (const IconGroupEntry& entry : entries) {
    long distance = std::labs(static_cast<long>(entry.width) - width) + std::labs(static_cast<long>(entry.height) - height);
    long score = distance * 64 - entry.bitCount;
    if (!best || score < bestScore) {
      best = &entry;
      bestScore = score;
    }
  }
  return best;
}

}  // namespace layer
