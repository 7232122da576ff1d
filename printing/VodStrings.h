// The small text routines of the statement parser and the file code, on
// 8-bit text.
#pragma once

#include <string>
#include <string_view>

namespace vod {

class VodContext;

constexpr size_t kWordLimit = 83;
// A quoted word may hold a whole file path.
constexpr size_t kQuotedWordLimit = 260;
constexpr size_t kFrameNameLimit = 8;

// Takes the next word off the front of rest, together with the separator
// behind it: blanks and tabs are skipped, a word ends at a blank or tab, and
// a word in double quotes runs to the closing quote (blanks kept, quotes
// dropped; a tab still ends it). Characters beyond the limit are dropped.
std::string NextWord(std::string_view& rest);

// Decimal digits, with a minus sign anywhere making the value negative, up to
// the first other character. Values beyond the 32-bit range are held at its
// bound.
int ParseInt(std::string_view word);
// The same in tenths, with one decimal point or comma: "2" 20, "1,5" 15.
int ParseTenths(std::string_view word);

void UpperCaseAscii(std::string& text);
void StripLineEnd(std::string& text);
void Trim(std::string& text);
void TrimLeft(std::string& text);
void TrimRight(std::string& text);
// A name has an extension when a point follows its last "\", "/", "]" or ">".
bool HasExtension(std::string_view name);
void AddDefaultExtension(std::string& name, std::string_view extension);
// The German letters of the ANSI code page become their OEM codes.
void AnsiToOemGerman(std::string& text);

// Decimal digits; one other character is stepped over, a second one is
// reported (text 181, as a question) and gives 0.
unsigned ParseUnsigned(VodContext& context, std::string_view text);
// "DD.MM.YYYY" from the day, the month and the year since 1900.
std::string FormatDate(int day, int month, int year);
// "HH:MM" with the hour padded by a blank, the minutes by a "0".
std::string FormatTime(int hour, int minute);
// Byte-wise comparison in which a "*" in the pattern matches the rest. A
// pattern that begins with "*" is reported (text 180) and matches nothing.
bool MatchWildcard(VodContext& context, std::string_view text, std::string_view pattern);

}  // namespace vod
