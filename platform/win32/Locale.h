// The user's locale as the platform reports it, and the number and currency
// formatting that follows its settings.
//
// The layer knows two locales, German (Germany) and English (United States),
// with the values the platform gives them. The user's locale is the one set
// by layer::SetUserLocale, else the host's locale variables (LC_ALL,
// LC_MESSAGES, LANG, in that order) name it: "de..." is German, anything else
// English.
#pragma once

#include "win32/Types.h"

typedef DWORD LCID;
typedef WORD LANGID;
typedef DWORD LCTYPE;

#define LANG_NEUTRAL 0x00
#define LANG_GERMAN 0x07
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SORT_DEFAULT 0x0
#define MAKELANGID(primary, sub) ((static_cast<WORD>(sub) << 10) | static_cast<WORD>(primary))
#define PRIMARYLANGID(lang) (static_cast<WORD>(lang) & 0x3FF)
#define SUBLANGID(lang) (static_cast<WORD>(lang) >> 10)
#define MAKELCID(lang, sort) \
  ((static_cast<DWORD>(static_cast<WORD>(sort)) << 16) | static_cast<DWORD>(static_cast<WORD>(lang)))
#define LANGIDFROMLCID(lcid) (static_cast<WORD>(lcid))

#define LOCALE_NEUTRAL 0x0000u
#define LOCALE_USER_DEFAULT 0x0400u
#define LOCALE_SYSTEM_DEFAULT 0x0800u

// Flags that may accompany an LCTYPE.
#define LOCALE_NOUSEROVERRIDE 0x80000000u
#define LOCALE_USE_CP_ACP 0x40000000u
#define LOCALE_RETURN_NUMBER 0x20000000u

#define LOCALE_ILANGUAGE 0x0001u
#define LOCALE_SLANGUAGE 0x0002u
#define LOCALE_SABBREVLANGNAME 0x0003u
#define LOCALE_SNATIVELANGNAME 0x0004u
#define LOCALE_ICOUNTRY 0x0005u
#define LOCALE_SCOUNTRY 0x0006u
#define LOCALE_SABBREVCTRYNAME 0x0007u
#define LOCALE_IDEFAULTCODEPAGE 0x000Bu
#define LOCALE_SLIST 0x000Cu
#define LOCALE_IMEASURE 0x000Du
#define LOCALE_SDECIMAL 0x000Eu
#define LOCALE_STHOUSAND 0x000Fu
#define LOCALE_SGROUPING 0x0010u
#define LOCALE_IDIGITS 0x0011u
#define LOCALE_ILZERO 0x0012u
#define LOCALE_SCURRENCY 0x0014u
#define LOCALE_SINTLSYMBOL 0x0015u
#define LOCALE_SMONDECIMALSEP 0x0016u
#define LOCALE_SMONTHOUSANDSEP 0x0017u
#define LOCALE_SMONGROUPING 0x0018u
#define LOCALE_ICURRDIGITS 0x0019u
#define LOCALE_IINTLCURRDIGITS 0x001Au
#define LOCALE_ICURRENCY 0x001Bu
#define LOCALE_INEGCURR 0x001Cu
#define LOCALE_SDATE 0x001Du
#define LOCALE_STIME 0x001Eu
#define LOCALE_SSHORTDATE 0x001Fu
#define LOCALE_SLONGDATE 0x0020u
#define LOCALE_IDATE 0x0021u
#define LOCALE_ILDATE 0x0022u
#define LOCALE_ITIME 0x0023u
#define LOCALE_S1159 0x0028u
#define LOCALE_S2359 0x0029u
#define LOCALE_SPOSITIVESIGN 0x0050u
#define LOCALE_SNEGATIVESIGN 0x0051u
#define LOCALE_SENGLANGUAGE 0x1001u
#define LOCALE_SENGCOUNTRY 0x1002u
#define LOCALE_STIMEFORMAT 0x1003u
#define LOCALE_IDEFAULTANSICODEPAGE 0x1004u
#define LOCALE_INEGNUMBER 0x1010u

#define ERROR_INVALID_FLAGS 1004L

LCID GetUserDefaultLCID();
LANGID GetUserDefaultLangID();
LCID GetSystemDefaultLCID();
LANGID GetSystemDefaultLangID();

// The value's text with its NUL; the length copied with the NUL, or with size
// 0 the length needed. With LOCALE_RETURN_NUMBER a numeric value comes as a
// DWORD in the buffer (size counts characters: 4 or more).
int GetLocaleInfo(LCID locale, LCTYPE type, LPSTR buffer, int size);
inline int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR buffer, int size) {
  return GetLocaleInfo(locale, type, buffer, size);
}

struct NUMBERFMTA {
  UINT NumDigits;
  UINT LeadingZero;
  UINT Grouping;  // group sizes from the decimal point, one digit each: 3, 32; 0 none
  LPSTR lpDecimalSep;
  LPSTR lpThousandSep;
  UINT NegativeOrder;  // 0 (1.1), 1 -1.1, 2 - 1.1, 3 1.1-, 4 1.1 -
};
typedef NUMBERFMTA NUMBERFMT;

struct CURRENCYFMTA {
  UINT NumDigits;
  UINT LeadingZero;
  UINT Grouping;
  LPSTR lpDecimalSep;
  LPSTR lpThousandSep;
  UINT NegativeOrder;  // 0 to 15, the platform's orders of sign, symbol and number
  UINT PositiveOrder;  // 0 $1.1, 1 1.1$, 2 $ 1.1, 3 1.1 $
  LPSTR lpCurrencySymbol;
};
typedef CURRENCYFMTA CURRENCYFMT;

// value: an optional "-", digits and an optional "." with digits. Without a
// format the locale's settings apply (flags may then hold
// LOCALE_NOUSEROVERRIDE). More decimals than wanted are rounded half away
// from zero. Results as GetLocaleInfo's.
int GetNumberFormat(LCID locale, DWORD flags, LPCSTR value, const NUMBERFMTA* format, LPSTR buffer, int size);
int GetCurrencyFormat(LCID locale, DWORD flags, LPCSTR value, const CURRENCYFMTA* format, LPSTR buffer, int size);
inline int GetNumberFormatA(LCID locale, DWORD flags, LPCSTR value, const NUMBERFMTA* format, LPSTR buffer, int size) {
  return GetNumberFormat(locale, flags, value, format, buffer, size);
}
inline int GetCurrencyFormatA(LCID locale, DWORD flags, LPCSTR value, const CURRENCYFMTA* format, LPSTR buffer,
                              int size) {
  return GetCurrencyFormat(locale, flags, value, format, buffer, size);
}

namespace layer {

// Makes locale (0x0407 German, 0x0409 English) the user's and the system's
// locale of this process; 0 (or any other value) returns to the host's
// locale variables.
void SetUserLocale(LCID locale);

// The value of a locale's setting, or null when the locale or the setting is
// not known. LOCALE_USER_DEFAULT and LOCALE_SYSTEM_DEFAULT name the user's.
const char* LocaleValue(LCID locale, LCTYPE type);

}  // namespace layer
