#include "foundation/MatchText.h"

#include <cstring>

namespace {

// Classic wildcard matching of a whole text, with one point to return to:
// the last star met takes one character more whenever the rest fails. Time
// grows with text times pattern at worst, never exponentially.
bool Glob(const char* text, size_t textLength, const char* pattern, size_t patternLength) {
  size_t t = 0, p = 0;
  size_t star = patternLength, resume = 0;
  while (t < textLength) {
    if (p < patternLength && (pattern[p] == '?' || pattern[p] == text[t])) {
      ++t;
      ++p;
    } else if (p < patternLength && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (star != patternLength) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < patternLength && pattern[p] == '*') ++p;
  return p == patternLength;
}

}  // namespace

int MatchText(const char* text, const char* pattern) {
  if (!text || !pattern || !*text || !*pattern) return 0;
  const size_t textLength = std::strlen(text);
  const size_t patternLength = std::strlen(pattern);
  size_t beforeStars = patternLength;
  while (beforeStars > 0 && pattern[beforeStars - 1] == '*') --beforeStars;
  if (beforeStars == patternLength) return Glob(text, textLength, pattern, patternLength) ? 1 : 0;
  // Stars at the end must take at least one character: the pattern before
  // them matches a part of the text that leaves its last character over.
  return Glob(text, textLength - 1, pattern, beforeStars + 1) ? 1 : 0;
}
