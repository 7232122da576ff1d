#include "Main/TagOperands.h"

#include <array>
#include <climits>
#include <initializer_list>

namespace {

using CodeTable = std::array<unsigned char, 256>;

constexpr CodeTable MakeTable(std::initializer_list<std::pair<int, std::initializer_list<int>>> groups) {
  CodeTable table{};
  for (const auto& [value, codes] : groups) {
    for (int code : codes) table[static_cast<size_t>(code)] = static_cast<unsigned char>(value);
  }
  return table;
}

constexpr CodeTable kOperandLength = MakeTable({
    {3, {10, 16, 97, 99, 102, 108, 112}},  // a colour: red, green, blue
    {1, {18, 23, 24, 25, 36, 43, 50, 51, 58, 61, 63, 98, 101, 103, 109, 117, 150, 151, 153, 154, 170}},
    {2, {19, 20, 113, 114, 136, 137}},  // two single bytes
    {4, {31, 32, 62}},                  // two 16-bit values, or a text number
});

constexpr CodeTable kTextTag = MakeTable({
    {1, {2,  3,  17, 21, 26,  27,  28,  29,  30,  41,  44,  45,  65,  66,  67,  68,  69,  72,  78,  79,  80, 81,
         82, 84, 86, 87, 104, 106, 110, 115, 118, 125, 130, 132, 133, 140, 143, 145, 147, 148, 155, 156, 158}},
});

constexpr unsigned char kAssignmentEnd = '[';
constexpr unsigned char kFirstExpressionEnd = 'x';
constexpr unsigned char kSecondExpressionEnd = 'y';

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

int ScreenOperandLength(unsigned char code) { return kOperandLength[code]; }

BOOL IsScreenTextTag(unsigned char code) { return kTextTag[code]; }

BOOL IsScreenBlockTag(unsigned char code, ScreenBlock& block) {
  switch (code) {
    case 67:
    case 68:
    case 78:
    case 79:
    case 80:
    case 81:
    case 125: block = {kAssignmentEnd, TRUE}; return TRUE;
    case 119: block = {kFirstExpressionEnd, FALSE}; return TRUE;
    case 120: block = {kSecondExpressionEnd, TRUE}; return TRUE;
    default: return FALSE;
  }
}

BOOL IsCellOpen(unsigned char code) { return code == 34 || code == 48; }
BOOL IsCellClose(unsigned char code) { return code == 35 || code == 49; }

int CellKind(unsigned char code) {
  if (code == 34) return 1;
  if (code == 48) return 2;
  return 0;
}

BOOL ScanDecimal(std::string_view text, int& value) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t digits = i;
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (i == digits) return FALSE;
  const long long signedValue = negative ? -magnitude : magnitude;
  value = static_cast<int>(signedValue < INT_MIN ? INT_MIN : signedValue > INT_MAX ? INT_MAX : signedValue);
  return TRUE;
}

BOOL TakeSizeListEntry(std::string_view& list, int& value, BOOL& percent) {
  value = -1;
  percent = FALSE;
  if (list.empty()) return FALSE;
  if (list.front() != '*') ScanDecimal(list, value);
  const size_t comma = list.find(',');
  if (comma == std::string_view::npos) {
    percent = list.back() == '%';
    list = {};
    return TRUE;
  }
  if (comma == 0) return FALSE;
  percent = list[comma - 1] == '%';
  list.remove_prefix(comma + 1);
  return TRUE;
}

BOOL ReadSizeSpec(std::string_view text, int& value, BOOL& percent) {
  int entryValue = -1;
  BOOL entryPercent = FALSE;
  if (!TakeSizeListEntry(text, entryValue, entryPercent)) return FALSE;
  value = entryValue;
  percent = entryPercent;
  return TRUE;
}
