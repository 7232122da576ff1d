#include "VodStrings.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "VodReport.h"

namespace vod {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Adds one decimal digit, holding the value at the bound of the 32-bit range.
int64_t AddDigit(int64_t value, char digit) {
  return std::min<int64_t>(value * 10 + (digit - '0'), std::numeric_limits<int32_t>::max());
}

int Signed(int64_t value, bool negative) { return static_cast<int>(negative ? -value : value); }

}  // namespace

std::string NextWord(std::string_view& rest) {
  size_t at = 0;
  while (at < rest.size() && IsBlank(rest[at])) ++at;
  std::string word;
  if (at < rest.size() && rest[at] == '"') {
    ++at;
    size_t end = at;
    while (end < rest.size() && rest[end] != '"' && rest[end] != '\t') ++end;
    word.assign(rest.substr(at, std::min(end - at, kQuotedWordLimit)));
    at = end;
    if (at < rest.size() && rest[at] == '"') ++at;
  } else {
    size_t end = at;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    word.assign(rest.substr(at, std::min(end - at, kWordLimit)));
    at = end;
  }
  if (at < rest.size() && IsBlank(rest[at])) ++at;
  rest.remove_prefix(at);
  return word;
}

int ParseInt(std::string_view word) {
  int64_t value = 0;
  bool negative = false;
  for (char c : word) {
    if (c == '-')
      negative = true;
    else if (c >= '0' && c <= '9')
      value = AddDigit(value, c);
    else
      break;
  }
  return Signed(value, negative);
}

int ParseTenths(std::string_view word) {
  int64_t whole = 0;
  int tenth = 0;
  bool negative = false, inFraction = false, tenthTaken = false;
  for (char c : word) {
    if (c == '-') {
      negative = true;
    } else if ((c == '.' || c == ',') && !inFraction) {
      inFraction = true;
    } else if (c >= '0' && c <= '9') {
      if (!inFraction)
        whole = AddDigit(whole, c);
      else if (!tenthTaken)
        tenth = c - '0', tenthTaken = true;
    } else {
      break;
    }
  }
  int64_t tenths = std::min<int64_t>(whole * 10 + tenth, std::numeric_limits<int32_t>::max());
  return Signed(tenths, negative);
}

void UpperCaseAscii(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

void StripLineEnd(std::string& text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
}

void TrimLeft(std::string& text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  text.erase(0, first);
}

void TrimRight(std::string& text) {
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
}

void Trim(std::string& text) {
  TrimRight(text);
  TrimLeft(text);
}

bool HasExtension(std::string_view name) {
  size_t separator = name.find_last_of("\\/]>");
  size_t point = name.find_last_of('.');
  return point != std::string_view::npos && (separator == std::string_view::npos || point > separator);
}

void AddDefaultExtension(std::string& name, std::string_view extension) {
  if (!HasExtension(name)) (name += '.') += extension;
}

namespace {

// The German letters: ANSI code, OEM code.
constexpr std::pair<unsigned char, unsigned char> kGermanLetters[] = {
    {0xC4, 0x8E}, {0xD6, 0x99}, {0xDC, 0x9A}, {0xDF, 0xE1}, {0xE4, 0x84}, {0xF6, 0x94}, {0xFC, 0x81}};

void MapGermanLetters(std::string& text, bool toOem) {
  for (char& c : text)
    for (auto [ansi, oem] : kGermanLetters)
      if (static_cast<unsigned char>(c) == (toOem ? ansi : oem)) {
        c = static_cast<char>(toOem ? oem : ansi);
        break;
      }
}

}  // namespace

void AnsiToOemGerman(std::string& text) { MapGermanLetters(text, true); }

void OemToAnsiGerman(std::string& text) { MapGermanLetters(text, false); }

unsigned ParseUnsigned(VodContext& context, std::string_view text) {
  int64_t value = 0;
  int others = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      value = std::min<int64_t>(value * 10 + (c - '0'), std::numeric_limits<uint32_t>::max());
    } else if (++others == 2) {
      ReportErrorText(context, 181, std::string(text), true);
      return 0;
    }
  }
  return static_cast<unsigned>(value);
}

std::string FormatDate(int day, int month, int year) {
  return FormatMessage("%02d.%02d.%d", day, month, year + 1900);
}

std::string FormatTime(int hour, int minute) { return FormatMessage("%2d:%02d", hour, minute); }

bool MatchWildcard(VodContext& context, std::string_view text, std::string_view pattern) {
  if (!pattern.empty() && pattern[0] == '*') {
    ReportErrorText(context, 180, std::string(text), false, std::string(pattern));
    return false;
  }
  size_t at = 0;
  for (; at < pattern.size(); ++at) {
    if (pattern[at] == '*') return true;
    if (at >= text.size() || text[at] != pattern[at]) return false;
  }
  return at == text.size();
}

size_t FindText(std::string_view text, std::string_view part) {
  // The ANSI code page has no lead bytes: every character is one byte.
  size_t at = text.find(part);
  return at == std::string_view::npos ? kTextNotFound : at;
}

std::string FormatUnsigned(unsigned value) { return std::to_string(value); }

std::string CopyMid(std::string_view text, size_t start, size_t count) {
  return start >= text.size() ? std::string() : std::string(text.substr(start, count));
}

void DeleteFrom(std::string& text, size_t position) {
  if (position < text.size()) text.resize(position);
}

void PrependText(std::string& text, std::string_view front) { text.insert(0, front); }

void AppendChar(std::string& text, char c) { text += c; }

}  // namespace vod
