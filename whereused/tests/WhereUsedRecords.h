// Where-used records for the tests, written field by field as the files hold
// them: each field padded with NUL bytes to its length, flag bits last.
#pragma once

#include <initializer_list>
#include <string>

#include "whereused/WhereUsedFile.h"

namespace whereused::testing {

inline std::string Field(const std::string& text, int length) {
  std::string field = text.substr(0, static_cast<size_t>(length));
  field.resize(static_cast<size_t>(length), '\0');
  return field;
}

// columns: the flag columns whose bits are set.
inline std::string Record(const WhereUsedGeometry& g, const std::string& text, const std::string& key,
                          const std::string& block = "", std::initializer_list<int> columns = {}) {
  std::string flags(static_cast<size_t>(g.FlagBytes()), '\0');
  for (int c : columns) flags[static_cast<size_t>(c / 8)] = static_cast<char>(flags[c / 8] | (1 << (c % 8)));
  return Field(text, g.textLength) + Field(key, g.keyLength) + Field(block, g.blockLength) + flags;
}

}  // namespace whereused::testing
