#include "win32/Locale.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>

#include "win32/Errors.h"

namespace {

constexpr LCID kGerman = 0x0407;
constexpr LCID kEnglish = 0x0409;

std::atomic<LCID> injectedLocale{0};

using LocaleTable = std::map<LCTYPE, const char*>;

// The OEM code page is 850 in both: the layer has that one only.
const LocaleTable& German() {
  static const LocaleTable table{
      {LOCALE_ILANGUAGE, "0407"},
      {LOCALE_SLANGUAGE, "Deutsch (Deutschland)"},
      {LOCALE_SENGLANGUAGE, "German"},
      {LOCALE_SABBREVLANGNAME, "DEU"},
      {LOCALE_SNATIVELANGNAME, "Deutsch"},
      {LOCALE_ICOUNTRY, "49"},
      {LOCALE_SCOUNTRY, "Deutschland"},
      {LOCALE_SENGCOUNTRY, "Germany"},
      {LOCALE_SABBREVCTRYNAME, "DEU"},
      {LOCALE_IDEFAULTANSICODEPAGE, "1252"},
      {LOCALE_IDEFAULTCODEPAGE, "850"},
      {LOCALE_SLIST, ";"},
      {LOCALE_IMEASURE, "0"},
      {LOCALE_SDECIMAL, ","},
      {LOCALE_STHOUSAND, "."},
      {LOCALE_SGROUPING, "3;0"},
      {LOCALE_IDIGITS, "2"},
      {LOCALE_ILZERO, "1"},
      {LOCALE_INEGNUMBER, "1"},
      {LOCALE_SPOSITIVESIGN, ""},
      {LOCALE_SNEGATIVESIGN, "-"},
      {LOCALE_SCURRENCY, "\x80"},
      {LOCALE_SINTLSYMBOL, "EUR"},
      {LOCALE_SMONDECIMALSEP, ","},
      {LOCALE_SMONTHOUSANDSEP, "."},
      {LOCALE_SMONGROUPING, "3;0"},
      {LOCALE_ICURRDIGITS, "2"},
      {LOCALE_IINTLCURRDIGITS, "2"},
      {LOCALE_ICURRENCY, "3"},
      {LOCALE_INEGCURR, "8"},
      {LOCALE_SDATE, "."},
      {LOCALE_STIME, ":"},
      {LOCALE_SSHORTDATE, "dd.MM.yyyy"},
      {LOCALE_SLONGDATE, "dddd, d. MMMM yyyy"},
      {LOCALE_STIMEFORMAT, "HH:mm:ss"},
      {LOCALE_IDATE, "1"},
      {LOCALE_ILDATE, "1"},
      {LOCALE_ITIME, "1"},
      {LOCALE_S1159, ""},
      {LOCALE_S2359, ""},
  };
  return table;
}

const LocaleTable& English() {
  static const LocaleTable table{
      {LOCALE_ILANGUAGE, "0409"},
      {LOCALE_SLANGUAGE, "English (United States)"},
      {LOCALE_SENGLANGUAGE, "English"},
      {LOCALE_SABBREVLANGNAME, "ENU"},
      {LOCALE_SNATIVELANGNAME, "English"},
      {LOCALE_ICOUNTRY, "1"},
      {LOCALE_SCOUNTRY, "United States"},
      {LOCALE_SENGCOUNTRY, "United States"},
      {LOCALE_SABBREVCTRYNAME, "USA"},
      {LOCALE_IDEFAULTANSICODEPAGE, "1252"},
      {LOCALE_IDEFAULTCODEPAGE, "850"},
      {LOCALE_SLIST, ","},
      {LOCALE_IMEASURE, "1"},
      {LOCALE_SDECIMAL, "."},
      {LOCALE_STHOUSAND, ","},
      {LOCALE_SGROUPING, "3;0"},
      {LOCALE_IDIGITS, "2"},
      {LOCALE_ILZERO, "1"},
      {LOCALE_INEGNUMBER, "1"},
      {LOCALE_SPOSITIVESIGN, ""},
      {LOCALE_SNEGATIVESIGN, "-"},
      {LOCALE_SCURRENCY, "$"},
      {LOCALE_SINTLSYMBOL, "USD"},
      {LOCALE_SMONDECIMALSEP, "."},
      {LOCALE_SMONTHOUSANDSEP, ","},
      {LOCALE_SMONGROUPING, "3;0"},
      {LOCALE_ICURRDIGITS, "2"},
      {LOCALE_IINTLCURRDIGITS, "2"},
      {LOCALE_ICURRENCY, "0"},
      {LOCALE_INEGCURR, "0"},
      {LOCALE_SDATE, "/"},
      {LOCALE_STIME, ":"},
      {LOCALE_SSHORTDATE, "M/d/yyyy"},
      {LOCALE_SLONGDATE, "dddd, MMMM dd, yyyy"},
      {LOCALE_STIMEFORMAT, "h:mm:ss tt"},
      {LOCALE_IDATE, "0"},
      {LOCALE_ILDATE, "0"},
      {LOCALE_ITIME, "0"},
      {LOCALE_S1159, "AM"},
      {LOCALE_S2359, "PM"},
  };
  return table;
}

std::string_view HostLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return "";
}

LCID HostLocale() {
  std::string_view name = HostLocaleName();
  bool german = name.size() >= 2 && (name[0] == 'd' || name[0] == 'D') && (name[1] == 'e' || name[1] == 'E');
  return german ? kGerman : kEnglish;
}

const LocaleTable* TableOf(LCID locale) {
  switch (locale) {
    case LOCALE_NEUTRAL:
    case LOCALE_USER_DEFAULT:
    case LOCALE_SYSTEM_DEFAULT: return TableOf(GetUserDefaultLCID());
    case kGerman: return &German();
    case kEnglish: return &English();
    default: return nullptr;
  }
}

bool IsNumeric(LCTYPE type) {
  switch (type) {
    case LOCALE_ILANGUAGE:
    case LOCALE_ICOUNTRY:
    case LOCALE_IDEFAULTANSICODEPAGE:
    case LOCALE_IDEFAULTCODEPAGE:
    case LOCALE_IMEASURE:
    case LOCALE_IDIGITS:
    case LOCALE_ILZERO:
    case LOCALE_INEGNUMBER:
    case LOCALE_ICURRDIGITS:
    case LOCALE_IINTLCURRDIGITS:
    case LOCALE_ICURRENCY:
    case LOCALE_INEGCURR:
    case LOCALE_IDATE:
    case LOCALE_ILDATE:
    case LOCALE_ITIME: return true;
    default: return false;
  }
}

int Refuse(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace

LANGID GetUserDefaultLangID() { return LANGIDFROMLCID(GetUserDefaultLCID()); }

LCID GetUserDefaultLCID() {
  LCID injected = injectedLocale.load();
  return injected ? injected : HostLocale();
}

LCID GetSystemDefaultLCID() { return GetUserDefaultLCID(); }
LANGID GetSystemDefaultLangID() { return GetUserDefaultLangID(); }

int GetLocaleInfo(LCID locale, LCTYPE type, LPSTR buffer, int size) {
  if (size < 0 || (size > 0 && !buffer)) return Refuse(ERROR_INVALID_PARAMETER);
  bool asNumber = (type & LOCALE_RETURN_NUMBER) != 0;
  LCTYPE bare = type & ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | LOCALE_RETURN_NUMBER);
  if (!TableOf(locale)) return Refuse(ERROR_INVALID_PARAMETER);
  const char* value = layer::LocaleValue(locale, bare);
  if (!value || (asNumber && !IsNumeric(bare))) return Refuse(ERROR_INVALID_FLAGS);
  if (asNumber) {
    constexpr int kNeeded = sizeof(DWORD);
    if (size == 0) return kNeeded;
    if (size < kNeeded) return Refuse(ERROR_INSUFFICIENT_BUFFER);
    DWORD number = static_cast<DWORD>(std::strtoul(value, nullptr, bare == LOCALE_ILANGUAGE ? 16 : 10));
    std::memcpy(buffer, &number, sizeof number);
    return kNeeded;
  }
  int needed = static_cast<int>(std::strlen(value)) + 1;
  if (size == 0) return needed;
  if (size < needed) return Refuse(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(buffer, value, static_cast<size_t>(needed));
  return needed;
}

namespace layer {

void SetUserLocale(LCID locale) { injectedLocale.store(locale == kGerman || locale == kEnglish ? locale : 0); }

const char* LocaleValue(LCID locale, LCTYPE type) {
  const LocaleTable* table = TableOf(locale);
  if (!table) return nullptr;
  auto found = table->find(type);
  return found == table->end() ? nullptr : found->second;
}

}  // namespace layer
