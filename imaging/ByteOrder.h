// Little- and big-endian integers in byte buffers, as the picture files store
// them; shared by the picture libraries and plug-ins. Callers check the bounds
// before they read or write.
#pragma once

#include <cstdint>
#include <vector>

namespace imaging {

inline std::uint16_t GetU16(const std::uint8_t* p, bool bigEndian) {
  return bigEndian ? static_cast<std::uint16_t>(p[0] << 8 | p[1]) : static_cast<std::uint16_t>(p[1] << 8 | p[0]);
}

inline std::uint32_t GetU32(const std::uint8_t* p, bool bigEndian) {
  return bigEndian ? (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3])
                   : (std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0]);
}

inline void SetU16(std::uint8_t* p, std::uint32_t value, bool bigEndian) {
  p[bigEndian ? 0 : 1] = static_cast<std::uint8_t>(value >> 8);
  p[bigEndian ? 1 : 0] = static_cast<std::uint8_t>(value);
}

inline void SetU32(std::uint8_t* p, std::uint32_t value, bool bigEndian) {
  for (int i = 0; i < 4; ++i) p[bigEndian ? 3 - i : i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void AppendU16(std::vector<std::uint8_t>& out, std::uint32_t value, bool bigEndian = false) {
  out.resize(out.size() + 2);
  SetU16(out.data() + out.size() - 2, value, bigEndian);
}

inline void AppendU32(std::vector<std::uint8_t>& out, std::uint32_t value, bool bigEndian = false) {
  out.resize(out.size() + 4);
  SetU32(out.data() + out.size() - 4, value, bigEndian);
}

}  // namespace imaging
