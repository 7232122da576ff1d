// Number and currency texts in a locale's manner: the digits of the value are
// rounded to the wanted decimals, grouped and framed by sign and symbol as
// the platform's order codes say. Values are handled as digit strings, so any
// length works without overflow.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "win32/Errors.h"
#include "win32/Locale.h"

namespace {

struct Grouping {
  std::vector<int> sizes;  // from the decimal point leftwards
  bool repeatLast = false;
};

struct Layout {
  UINT digits = 0;
  bool leadingZero = true;
  Grouping grouping;
  std::string decimalSep;
  std::string thousandSep;
};

struct Number {
  bool negative = false;
  std::string whole;     // digits before the point
  std::string fraction;  // digits after it
};

// The platform's value syntax: an optional "-", digits, an optional "." and digits.
std::optional<Number> ParseValue(const char* text) {
  Number number;
  const char* p = text;
  if (*p == '-') {
    number.negative = true;
    ++p;
  }
  while (*p >= '0' && *p <= '9') number.whole += *p++;
  if (*p == '.') {
    ++p;
    while (*p >= '0' && *p <= '9') number.fraction += *p++;
  }
  if (*p != '\0' || (number.whole.empty() && number.fraction.empty())) return std::nullopt;
  return number;
}

// Adds one unit in the last place of the decimal digit string.
void Increment(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Rounds half away from zero to the wanted decimals, or pads with zeros.
void RoundTo(Number& number, UINT decimals) {
  if (number.fraction.size() <= decimals) {
    number.fraction.append(decimals - number.fraction.size(), '0');
    return;
  }
  bool up = number.fraction[decimals] >= '5';
  number.fraction.resize(decimals);
  if (!up) return;
  std::string all = number.whole + number.fraction;
  Increment(all);
  number.whole = all.substr(0, all.size() - decimals);
  number.fraction = all.substr(all.size() - decimals);
}

bool AllZero(const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; }

std::string GroupDigits(const std::string& whole, const Layout& layout) {
  std::vector<std::string> groups;
  size_t end = whole.size();
  size_t index = 0;
  const std::vector<int>& sizes = layout.grouping.sizes;
  while (end > 0) {
    int size = index < sizes.size() ? sizes[index] : (layout.grouping.repeatLast && !sizes.empty() ? sizes.back() : 0);
    if (size <= 0 || static_cast<size_t>(size) >= end) {
      groups.push_back(whole.substr(0, end));
      break;
    }
    groups.push_back(whole.substr(end - static_cast<size_t>(size), static_cast<size_t>(size)));
    end -= static_cast<size_t>(size);
    ++index;
  }
  std::string out;
  for (size_t i = groups.size(); i-- > 0;) {
    out += groups[i];
    if (i > 0) out += layout.thousandSep;
  }
  return out;
}

// The unsigned text of the value; negative stays set only when a non-zero digit remains.
std::string FormatDigits(Number& number, const Layout& layout) {
  RoundTo(number, layout.digits);
  size_t first = number.whole.find_first_not_of('0');
  number.whole = first == std::string::npos ? "" : number.whole.substr(first);
  if (AllZero(number.whole) && AllZero(number.fraction)) number.negative = false;
  std::string text = number.whole.empty() ? (layout.leadingZero ? "0" : "") : GroupDigits(number.whole, layout);
  if (layout.digits > 0) text += layout.decimalSep + number.fraction;
  return text;
}

// A pattern of '$' (symbol), 'n' (number), '-' (sign) and literal characters.
std::string Frame(const char* pattern, const std::string& digits, const std::string& symbol) {
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (*p == 'n')
      out += digits;
    else if (*p == '$')
      out += symbol;
    else
      out += *p;
  }
  return out;
}

constexpr const char* kNumberNegative[] = {"(n)", "-n", "- n", "n-", "n -"};
constexpr const char* kCurrencyNegative[] = {"($n)", "-$n",  "$-n",  "$n-",  "(n$)", "-n$",  "n-$",   "n$-",
                                             "-n $", "-$ n", "n $-", "$ n-", "$ -n", "n- $", "($ n)", "(n $)"};
constexpr const char* kCurrencyPositive[] = {"$n", "n$", "$ n", "n $"};

// NUMBERFMT's grouping: one digit per group from the decimal point; a last
// digit other than 0 repeats. The platform takes 0 to 9 and 32.
std::optional<Grouping> GroupingFromNumber(UINT value) {
  if (value > 9 && value != 32) return std::nullopt;
  Grouping grouping;
  for (char c : std::to_string(value)) grouping.sizes.push_back(c - '0');
  grouping.repeatLast = grouping.sizes.back() != 0;
  if (!grouping.repeatLast) grouping.sizes.pop_back();
  return grouping;
}

// The locale's grouping text: sizes separated by ";", a closing 0 repeating the last.
Grouping GroupingFromText(const char* text) {
  Grouping grouping;
  for (const char* p = text; *p; ++p)
    if (*p >= '0' && *p <= '9') grouping.sizes.push_back(*p - '0');
  if (!grouping.sizes.empty() && grouping.sizes.back() == 0) {
    grouping.sizes.pop_back();
    grouping.repeatLast = true;
  }
  return grouping;
}

UINT LocaleNumber(LCID locale, LCTYPE type) {
  const char* value = layer::LocaleValue(locale, type);
  return value ? static_cast<UINT>(std::strtoul(value, nullptr, 10)) : 0;
}

std::string LocaleText(LCID locale, LCTYPE type) {
  const char* value = layer::LocaleValue(locale, type);
  return value ? value : "";
}

int Refuse(DWORD error) {
  SetLastError(error);
  return 0;
}

int CopyResult(const std::string& text, LPSTR buffer, int size) {
  int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) return Refuse(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(buffer, text.c_str(), static_cast<size_t>(needed));
  return needed;
}

// The checks both functions make before they format; 0 when all pass.
DWORD CheckCall(LCID locale, DWORD flags, bool hasFormat, LPCSTR value, LPSTR buffer, int size) {
  if (!value || size < 0 || (size > 0 && !buffer)) return ERROR_INVALID_PARAMETER;
  if (hasFormat ? flags != 0 : (flags & ~LOCALE_NOUSEROVERRIDE) != 0) return ERROR_INVALID_FLAGS;
  if (!layer::LocaleValue(locale, LOCALE_SDECIMAL)) return ERROR_INVALID_PARAMETER;
  return 0;
}

std::optional<Layout> LayoutOf(UINT digits, UINT leadingZero, UINT grouping, LPCSTR decimalSep, LPCSTR thousandSep) {
  auto groups = GroupingFromNumber(grouping);
  if (digits > 9 || leadingZero > 1 || !groups || !decimalSep || !thousandSep) return std::nullopt;
  return Layout{digits, leadingZero != 0, *groups, decimalSep, thousandSep};
}

}  // namespace

int GetNumberFormat(LCID locale, DWORD flags, LPCSTR value, const NUMBERFMTA* format, LPSTR buffer, int size) {
  if (DWORD error = CheckCall(locale, flags, format != nullptr, value, buffer, size)) return Refuse(error);
  std::optional<Layout> layout;
  UINT negativeOrder = 0;
  if (format) {
    layout =
        LayoutOf(format->NumDigits, format->LeadingZero, format->Grouping, format->lpDecimalSep, format->lpThousandSep);
    negativeOrder = format->NegativeOrder;
    if (!layout || negativeOrder >= std::size(kNumberNegative)) return Refuse(ERROR_INVALID_PARAMETER);
  } else {
    layout = Layout{LocaleNumber(locale, LOCALE_IDIGITS), LocaleNumber(locale, LOCALE_ILZERO) != 0,
                    GroupingFromText(layer::LocaleValue(locale, LOCALE_SGROUPING)), LocaleText(locale, LOCALE_SDECIMAL),
                    LocaleText(locale, LOCALE_STHOUSAND)};
    negativeOrder = LocaleNumber(locale, LOCALE_INEGNUMBER);
  }
  std::optional<Number> number = ParseValue(value);
  if (!number) return Refuse(ERROR_INVALID_PARAMETER);
  std::string digits = FormatDigits(*number, *layout);
  return CopyResult(number->negative ? Frame(kNumberNegative[negativeOrder], digits, "") : digits, buffer, size);
}

int GetCurrencyFormat(LCID locale, DWORD flags, LPCSTR value, const CURRENCYFMTA* format, LPSTR buffer, int size) {
  if (DWORD error = CheckCall(locale, flags, format != nullptr, value, buffer, size)) return Refuse(error);
  std::optional<Layout> layout;
  UINT negativeOrder = 0;
  UINT positiveOrder = 0;
  std::string symbol;
  if (format) {
    layout =
        LayoutOf(format->NumDigits, format->LeadingZero, format->Grouping, format->lpDecimalSep, format->lpThousandSep);
    negativeOrder = format->NegativeOrder;
    positiveOrder = format->PositiveOrder;
    if (!layout || !format->lpCurrencySymbol || negativeOrder >= std::size(kCurrencyNegative) ||
        positiveOrder >= std::size(kCurrencyPositive))
      return Refuse(ERROR_INVALID_PARAMETER);
    symbol = format->lpCurrencySymbol;
  } else {
    layout = Layout{LocaleNumber(locale, LOCALE_ICURRDIGITS), LocaleNumber(locale, LOCALE_ILZERO) != 0,
                    GroupingFromText(layer::LocaleValue(locale, LOCALE_SMONGROUPING)),
                    LocaleText(locale, LOCALE_SMONDECIMALSEP), LocaleText(locale, LOCALE_SMONTHOUSANDSEP)};
    negativeOrder = LocaleNumber(locale, LOCALE_INEGCURR);
    positiveOrder = LocaleNumber(locale, LOCALE_ICURRENCY);
    symbol = LocaleText(locale, LOCALE_SCURRENCY);
  }
  std::optional<Number> number = ParseValue(value);
  if (!number) return Refuse(ERROR_INVALID_PARAMETER);
  std::string digits = FormatDigits(*number, *layout);
  const char* pattern = number->negative ? kCurrencyNegative[negativeOrder] : kCurrencyPositive[positiveOrder];
  return CopyResult(Frame(pattern, digits, symbol), buffer, size);
}
