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
// The step back: the OEM codes of the German letters become ANSI letters.
void OemToAnsiGerman(std::string& text);

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

// FindText's answer when the part does not occur.
constexpr size_t kTextNotFound = 32767;
// Index of the first occurrence of part in text, kTextNotFound without one.
size_t FindText(std::string_view text, std::string_view part);
// Decimal digits without leading zeros.
std::string FormatUnsigned(unsigned value);
// Up to count characters from start; nothing when start lies behind the end.
std::string CopyMid(std::string_view text, size_t start, size_t count);
// Cuts the text at position (nothing happens behind its end).
void DeleteFrom(std::string& text, size_t position);
void PrependText(std::string& text, std::string_view front);
void AppendChar(std::string& text, char c);

}  // namespace vod
