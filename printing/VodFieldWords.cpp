#include "VodFieldWords.h"

#include "VodContext.h"
#include "VodReport.h"
#include "VodStrings.h"
#include "VodTexts.h"
#include "win32/Clock.h"

namespace vod {
namespace {

// At least digits characters, zero-padded.
std::string Padded(long value, int digits) { return FormatMessage("%0*ld", digits, value); }

bool CounterWord(const VodContext& context, const std::string& word, std::string& value) {
  if (word.size() != 3 || word[2] < '1' || word[2] > '3') return false;
  const VodCounters& counters = context.counters;
  std::string name = word.substr(0, 2);
  const LONG* counter = name == "LP"   ? &counters.lp
                        : name == "SP" ? &counters.sp
                        : name == "PP" ? &counters.pp
                        : name == "CP" ? &counters.cp
                        : name == "DP" ? &counters.dp
                                       : nullptr;
  if (!counter) return false;
  value = Padded(*counter, word[2] - '0');
  return true;
}

// The form printed on this page, as the FORMULAR word names it.
std::string PrintedFormName(const VodContext& context) {
  switch (context.formMode) {
    case 2: return context.counters.pp % 2 ? context.secondFormName : context.firstFormName;
    case 3: return context.secondFormName;
    default: return context.firstFormName;
  }
}

std::string DoubledBackslashes(const std::string& name) {
  std::string doubled;
  for (char c : name) {
    AppendChar(doubled, c);
    if (c == '\\') AppendChar(doubled, c);
  }
  return doubled;
}

bool DateWord(const std::string& word, std::string& value) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (word == "DATE1" || word == "DATE2") {
    value = FormatDate(now.wDay, now.wMonth, now.wYear - 1900);
    if (word == "DATE2")
      for (char& c : value)
        if (c == '.') c = '-';
  } else if (word == "TIME") {
    value = FormatTime(now.wHour, now.wMinute);
  } else if (word == "DAY1" || word == "DAY2") {
    value = Padded(now.wDay, word[3] - '0');
  } else if (word == "MONTH1" || word == "MONTH2") {
    value = Padded(now.wMonth, word[5] - '0');
  } else if (word == "YEAR1") {
    value = Padded(now.wYear, 4);
  } else if (word == "YEAR2") {
    value = Padded(now.wYear % 100, 2);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ExpandFieldWord(VodContext& context, std::string word, std::string& value) {
  UpperCaseAscii(word);
  if (CounterWord(context, word, value) || DateWord(word, value)) return true;
  if (word == "FORMULAR") {
    value = DoubledBackslashes(PrintedFormName(context));
    return true;
  }
  if (word == "VER") {
    value = std::string(kVersionNumber) + "w";
    return true;
  }
  return false;
}

std::string ExpandFieldWords(VodContext& context, std::string_view text) {
  std::string expanded;
  expanded.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    size_t open = text.find('%', at);
    size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    expanded.append(text.substr(at, open - at));
    std::string value;
    if (ExpandFieldWord(context, std::string(text.substr(open + 1, close - open - 1)), value))
      expanded += value;
    else
      expanded.append(text.substr(open, close - open + 1));
    at = close + 1;
  }
  expanded.append(text.substr(at));
  return expanded;
}

}  // namespace vod
