#include "win32/ResourceReader.h"

#include <cstring>

#include "win32/Codepage.h"

namespace layer {

std::string Utf16ToCp1252(const WORD* units, std::size_t count) {
  std::string utf8;
  utf8.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    DWORD code = units[i];
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (code >> 12));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (code >> 18));
      utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return Utf8ToCp1252(utf8);
}

bool ResourceReader::Take(std::size_t count) {
  if (!m_ok || count > m_size - m_position) {
    m_ok = false;
    return false;
  }
  return true;
}

WORD ResourceReader::Word() {
  if (!Take(2)) return 0;
  WORD value;
  std::memcpy(&value, m_data + m_position, 2);
  m_position += 2;
  return value;
}

DWORD ResourceReader::Dword() {
  if (!Take(4)) return 0;
  DWORD value;
  std::memcpy(&value, m_data + m_position, 4);
  m_position += 4;
  return value;
}

BYTE ResourceReader::Byte() {
  if (!Take(1)) return 0;
  return m_data[m_position++];
}

std::string ResourceReader::Text() {
  std::basic_string<WORD> units;
  for (;;) {
    WORD unit = Word();
    if (!m_ok) return {};
    if (unit == 0) break;
    units += unit;
  }
  return Utf16ToCp1252(units.data(), units.size());
}

ResourceName ResourceReader::NameOrOrdinal() {
  ResourceName name;
  if (Left() >= 2 && (Here()[0] | (Here()[1] << 8)) == 0xFFFF) {
    Word();
    name.number = Word();
    return name;
  }
  if (Left() >= 2 && Here()[0] == 0 && Here()[1] == 0) {
    Word();
    return name;
  }
  name.isNumber = false;
  name.text = Text();
  return name;
}

void ResourceReader::Align(std::size_t alignment) {
  std::size_t rest = m_position % alignment;
  if (rest == 0) return;
  // The last item of a template may end without its padding.
  std::size_t pad = alignment - rest;
  m_position = pad <= m_size - m_position ? m_position + pad : m_size;
}

void ResourceReader::Skip(std::size_t count) {
  if (Take(count)) m_position += count;
}

}  // namespace layer
