// Field words of frame and form texts: a word between two percent signs
// (LP1, DATE1, FORMULAR, VER ...) is replaced by its value when printed.
#pragma once

#include <string>
#include <string_view>

namespace vod {

class VodContext;

// The text with every field word replaced; a word that is no field word
// stays with both percent signs, a percent sign without a closing one keeps
// the rest as written. The text itself is not changed.
std::string ExpandFieldWords(VodContext& context, std::string_view text);
// The value of one field word (without its percent signs, any case); false
// for a word that is no field word.
bool ExpandFieldWord(VodContext& context, std::string word, std::string& value);

}  // namespace vod
