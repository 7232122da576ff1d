// What a data manager file holds, as the tool reads it from a source text or
// a file and writes it to the other.
#pragma once

#include <variant>
#include <vector>

#include "store/DdmDictionaryFile.h"
#include "store/DdmLayout.h"

namespace ddm {

struct DatabaseContent {
  std::vector<bool> isList;  // one entry per field
  std::vector<DdmRecord> records;
};

struct DictionaryContent {
  std::vector<DdmLanguageTexts> languages;  // the first is the default
};

using DdmContent = std::variant<DatabaseContent, DictionaryContent>;

}  // namespace ddm
