// The library's own texts by number: German at n, English at n + 500 where
// the table has a translation.
#pragma once

#include <string>

namespace vod {

constexpr int kEnglishOffset = 500;
// The library's version as its version resource numbers it.
constexpr const char* kVersionNumber = "3.50h";

// Text n + offset, else text n; an unknown number gives an empty text.
std::string LoadText(int number, int languageOffset);
// Text n + 500, else text n.
std::string LoadTextEnglishFirst(int number);
// The word for a file in traces and the printing dialog.
const char* FileLabel(int languageOffset);

}  // namespace vod
