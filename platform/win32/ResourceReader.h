// Reading the platform's binary resource records (the .res file the resource
// compiler writes, dialog and menu templates, string tables) within their
// bounds: every read checks the bytes that are left and fails instead of
// reading past them. Texts are UTF-16 there; the layer's are Windows-1252.
#pragma once

#include <cstddef>
#include <string>

#include "win32/Types.h"

namespace layer {

// UTF-16 code units to Windows-1252 (characters it lacks become '?').
std::string Utf16ToCp1252(const WORD* units, std::size_t count);

// A number (MAKEINTRESOURCE) or a name as templates and .res headers store it.
struct ResourceName {
  bool isNumber = true;
  WORD number = 0;
  std::string text;
  bool IsEmpty() const { return isNumber && number == 0; }
};

class ResourceReader {
 public:
  ResourceReader(const void* data, std::size_t size) : m_data(static_cast<const BYTE*>(data)), m_size(size) {}

  bool Ok() const { return m_ok; }
  std::size_t Position() const { return m_position; }
  std::size_t Left() const { return m_ok ? m_size - m_position : 0; }
  const BYTE* Here() const { return m_data + m_position; }

  WORD Word();
  DWORD Dword();
  short Short() { return static_cast<short>(Word()); }
  BYTE Byte();
  // A NUL-ended UTF-16 text.
  std::string Text();
  // 0x0000 (nothing), 0xFFFF and an ordinal, or a NUL-ended UTF-16 text.
  ResourceName NameOrOrdinal();
  // Moves on to the next multiple of the alignment (counted from the start).
  void Align(std::size_t alignment);
  void Skip(std::size_t count);
  // Fails the reader (for a value that cannot be right).
  void Fail() { m_ok = false; }

 private:
  bool Take(std::size_t count);
  const BYTE* m_data;
  std::size_t m_size;
  std::size_t m_position = 0;
  bool m_ok = true;
};

}  // namespace layer
