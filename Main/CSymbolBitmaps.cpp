#include "Main/CSymbolBitmaps.h"

#include <string_view>

#include "Main/TagOperands.h"

void CSymbolBitmaps::ReadEntry(const char* entry) {
  const std::string_view text(entry);
  const size_t comma = text.find(',');
  m_number = 0;
  if (comma == std::string_view::npos) {
    // An entry without a number is a name alone.
    m_name = entry;
    return;
  }
  ScanDecimal(text.substr(0, comma), m_number);
  m_name = entry + comma + 1;
}
