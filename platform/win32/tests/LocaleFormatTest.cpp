// The locale's settings and the number and currency texts made from them, in
// German and in English, with the locale injected as the user's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win32/Errors.h"
#include "win32/Locale.h"

namespace {

constexpr LCID kGerman = 0x0407;
constexpr LCID kEnglish = 0x0409;

class InjectedLocale : public ::testing::Test {
 protected:
  void TearDown() override { layer::SetUserLocale(0); }
};

std::string LocaleInfo(LCID locale, LCTYPE type) {
  char buffer[100] = "untouched";
  int got = GetLocaleInfoA(locale, type, buffer, sizeof buffer);
  return got > 0 ? std::string(buffer) : "<failed " + std::to_string(GetLastError()) + ">";
}

struct InfoCase {
  const char* name;
  LCTYPE type;
  const char* german;
  const char* english;
};

class LocaleInfoTable : public ::testing::TestWithParam<InfoCase> {};

// What the order list, the parts-info library and the header dialog read,
// and what the default formats are made of.
const InfoCase kInfoCases[] = {
    {"MonetaryDecimal", LOCALE_SMONDECIMALSEP, ",", "."},
    {"MonetaryThousand", LOCALE_SMONTHOUSANDSEP, ".", ","},
    {"MonetaryGrouping", LOCALE_SMONGROUPING, "3;0", "3;0"},
    {"Decimal", LOCALE_SDECIMAL, ",", "."},
    {"Thousand", LOCALE_STHOUSAND, ".", ","},
    {"Grouping", LOCALE_SGROUPING, "3;0", "3;0"},
    {"ShortDateOrder", LOCALE_IDATE, "1", "0"},
    {"LongDateOrder", LOCALE_ILDATE, "1", "0"},
    {"ShortDate", LOCALE_SSHORTDATE, "dd.MM.yyyy", "M/d/yyyy"},
    {"DateSeparator", LOCALE_SDATE, ".", "/"},
    {"Currency", LOCALE_SCURRENCY, "\x80", "$"},
    {"IntlCurrency", LOCALE_SINTLSYMBOL, "EUR", "USD"},
    {"CurrencyDigits", LOCALE_ICURRDIGITS, "2", "2"},
    {"PositiveCurrency", LOCALE_ICURRENCY, "3", "0"},
    {"NegativeCurrency", LOCALE_INEGCURR, "8", "0"},
    {"NegativeNumber", LOCALE_INEGNUMBER, "1", "1"},
    {"Language", LOCALE_ILANGUAGE, "0407", "0409"},
    {"LanguageName", LOCALE_SENGLANGUAGE, "German", "English"},
    {"AbbreviatedLanguage", LOCALE_SABBREVLANGNAME, "DEU", "ENU"},
    {"AnsiCodePage", LOCALE_IDEFAULTANSICODEPAGE, "1252", "1252"},
    {"List", LOCALE_SLIST, ";", ","},
};

TEST_P(LocaleInfoTable, EachLocaleGivesItsValue) {
  const InfoCase& c = GetParam();
  EXPECT_EQ(LocaleInfo(kGerman, c.type), c.german);
  EXPECT_EQ(LocaleInfo(kEnglish, c.type), c.english);
  // Flags that leave the value as it is.
  EXPECT_EQ(LocaleInfo(kGerman, c.type | LOCALE_NOUSEROVERRIDE), c.german);
  EXPECT_EQ(LocaleInfo(kEnglish, c.type | LOCALE_USE_CP_ACP), c.english);
}

INSTANTIATE_TEST_SUITE_P(Settings, LocaleInfoTable, ::testing::ValuesIn(kInfoCases),
                         [](const ::testing::TestParamInfo<InfoCase>& info) { return std::string(info.param.name); });

TEST_F(InjectedLocale, TheInjectedLocaleIsTheUsersAndTheSystems) {
  for (LCID locale : {kGerman, kEnglish}) {
    layer::SetUserLocale(locale);
    EXPECT_EQ(GetUserDefaultLCID(), locale);
    EXPECT_EQ(GetSystemDefaultLCID(), locale);
    EXPECT_EQ(GetUserDefaultLangID(), static_cast<LANGID>(locale));
    EXPECT_EQ(LocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL), LocaleInfo(locale, LOCALE_SDECIMAL));
    EXPECT_EQ(LocaleInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_SCURRENCY), LocaleInfo(locale, LOCALE_SCURRENCY));
  }
  // An unknown locale does not stick: the host's variables decide again.
  layer::SetUserLocale(0x0411);
  LCID host = GetUserDefaultLCID();
  EXPECT_TRUE(host == kGerman || host == kEnglish);
}

TEST(LocaleInfo, BufferRules) {
  // Size 0 asks for the length with the NUL; the buffer is not touched.
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(GetLocaleInfoA(kGerman, LOCALE_SSHORTDATE, buffer, 0), 11);
  EXPECT_STREQ(buffer, "xxxxxxx");
  // Too small: 0 and the platform's error.
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoA(kGerman, LOCALE_SSHORTDATE, buffer, 10), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  // Just enough.
  char exact[11];
  EXPECT_EQ(GetLocaleInfoA(kGerman, LOCALE_SSHORTDATE, exact, 11), 11);
  EXPECT_STREQ(exact, "dd.MM.yyyy");
  // An empty value is one NUL.
  EXPECT_EQ(GetLocaleInfoA(kGerman, LOCALE_S1159, exact, 11), 1);
  EXPECT_STREQ(exact, "");
}

TEST(LocaleInfo, RefusedCalls) {
  char buffer[32];
  struct Case {
    const char* what;
    LCID locale;
    LCTYPE type;
    LPSTR buffer;
    int size;
    DWORD error;
  } cases[] = {
      {"unknown setting", kGerman, 0x0FFF, buffer, 32, ERROR_INVALID_FLAGS},
      {"unknown locale", 0x0411, LOCALE_SDECIMAL, buffer, 32, ERROR_INVALID_PARAMETER},
      {"no buffer", kGerman, LOCALE_SDECIMAL, nullptr, 32, ERROR_INVALID_PARAMETER},
      {"negative size", kGerman, LOCALE_SDECIMAL, buffer, -1, ERROR_INVALID_PARAMETER},
      {"text as number", kGerman, LOCALE_SDECIMAL | LOCALE_RETURN_NUMBER, buffer, 32, ERROR_INVALID_FLAGS},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoA(c.locale, c.type, c.buffer, c.size), 0) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

TEST(LocaleInfo, NumbersComeAsDwordsOnRequest) {
  DWORD value = 0;
  EXPECT_EQ(GetLocaleInfoA(kGerman, LOCALE_ILDATE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPSTR>(&value), 4), 4);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(GetLocaleInfoA(kEnglish, LOCALE_ILANGUAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPSTR>(&value), 4), 4);
  EXPECT_EQ(value, 0x0409u);
  EXPECT_EQ(GetLocaleInfoA(kEnglish, LOCALE_ICURRDIGITS | LOCALE_RETURN_NUMBER, nullptr, 0), 4);
  EXPECT_EQ(GetLocaleInfoA(kEnglish, LOCALE_ICURRDIGITS | LOCALE_RETURN_NUMBER, reinterpret_cast<LPSTR>(&value), 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

// The order list's money step: no symbol, minus first, separators and
// grouping of the locale.
std::string MoneyText(LCID locale, const char* value, UINT digits, UINT grouping = 3) {
  std::string decimal = LocaleInfo(locale, LOCALE_SMONDECIMALSEP);
  std::string thousand = LocaleInfo(locale, LOCALE_SMONTHOUSANDSEP);
  CURRENCYFMTA format{digits, 1, grouping, decimal.data(), thousand.data(), 1, 0, const_cast<LPSTR>("")};
  char out[50];
  int got = GetCurrencyFormatA(locale, 0, value, &format, out, sizeof out);
  return got > 0 ? std::string(out) : "<failed " + std::to_string(GetLastError()) + ">";
}

struct MoneyCase {
  const char* name;
  const char* value;
  UINT digits;
  UINT grouping;
  const char* german;
  const char* english;
};

class MoneyTable : public ::testing::TestWithParam<MoneyCase> {};

const MoneyCase kMoneyCases[] = {
    {"Grouped", "1234.56", 2, 3, "1.234,56", "1,234.56"},
    {"LeadingPoint", ".05", 2, 3, "0,05", "0.05"},
    {"Zero", ".00", 2, 3, "0,00", "0.00"},
    {"NegativeLeadingPoint", "-.05", 2, 3, "-0,05", "-0.05"},
    {"Negative", "-1234.5", 2, 3, "-1.234,50", "-1,234.50"},
    {"PaddedDecimals", "7", 2, 3, "7,00", "7.00"},
    {"RoundedUp", "1234567.895", 2, 3, "1.234.567,90", "1,234,567.90"},
    {"RoundedDown", "2.994", 2, 3, "2,99", "2.99"},
    {"CarryIntoWhole", "999.995", 2, 3, "1.000,00", "1,000.00"},
    {"NegativeRoundsAwayFromZero", "-2.345", 2, 3, "-2,35", "-2.35"},
    {"NegativeZeroLosesItsSign", "-0.001", 2, 3, "0,00", "0.00"},
    {"NoDecimals", "123456", 0, 3, "123.456", "123,456"},
    {"RoundedToWhole", "0.5", 0, 3, "1", "1"},
    {"LeadingZerosDropped", "000123.4", 1, 3, "123,4", "123.4"},
    {"Ungrouped", "1234567.1", 1, 0, "1234567,1", "1234567.1"},
    {"ThreeThenTwo", "123456789", 0, 32, "12.34.56.789", "12,34,56,789"},
    {"LongValue", "123456789012345678901234567890", 0, 3, "123.456.789.012.345.678.901.234.567.890",
     "123,456,789,012,345,678,901,234,567,890"},
};

TEST_P(MoneyTable, TextInBothLocales) {
  const MoneyCase& c = GetParam();
  EXPECT_EQ(MoneyText(kGerman, c.value, c.digits, c.grouping), c.german);
  EXPECT_EQ(MoneyText(kEnglish, c.value, c.digits, c.grouping), c.english);
}

INSTANTIATE_TEST_SUITE_P(Values, MoneyTable, ::testing::ValuesIn(kMoneyCases),
                         [](const ::testing::TestParamInfo<MoneyCase>& info) { return std::string(info.param.name); });

TEST(CurrencyFormat, ValuesOutsideThePlatformsSyntaxAreRefused) {
  for (const char* value : {"", "-", ".", "12a", " 1", "1.2.3", "+1", "1e5", ".-5", "1,5", "--1"}) {
    SetLastError(0);
    EXPECT_EQ(MoneyText(kGerman, value, 2), "<failed 87>") << '"' << value << '"';
  }
}

TEST_F(InjectedLocale, WithoutAFormatTheLocaleDecides) {
  struct Case {
    LCID locale;
    const char* value;
    const char* currency;
    const char* number;
  } cases[] = {
      {kGerman, "1234.5", "1.234,50 \x80", "1.234,50"},
      {kGerman, "-1234.5", "-1.234,50 \x80", "-1.234,50"},
      {kEnglish, "1234.5", "$1,234.50", "1,234.50"},
      {kEnglish, "-1234.5", "($1,234.50)", "-1,234.50"},
  };
  for (const Case& c : cases) {
    layer::SetUserLocale(c.locale);
    char out[50];
    ASSERT_GT(GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, c.value, nullptr, out, sizeof out), 0);
    EXPECT_STREQ(out, c.currency);
    ASSERT_GT(GetCurrencyFormatA(c.locale, LOCALE_NOUSEROVERRIDE, c.value, nullptr, out, sizeof out), 0);
    EXPECT_STREQ(out, c.currency);
    ASSERT_GT(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, c.value, nullptr, out, sizeof out), 0);
    EXPECT_STREQ(out, c.number);
  }
}

TEST(CurrencyFormat, EveryOrderOfSignSymbolAndNumber) {
  const char* negative[] = {"(DM1.5)", "-DM1.5",  "DM-1.5",  "DM1.5-",  "(1.5DM)", "-1.5DM",  "1.5-DM",   "1.5DM-",
                            "-1.5 DM", "-DM 1.5", "1.5 DM-", "DM 1.5-", "DM -1.5", "1.5- DM", "(DM 1.5)", "(1.5 DM)"};
  const char* positive[] = {"DM1.5", "1.5DM", "DM 1.5", "1.5 DM"};
  char out[32];
  for (UINT order = 0; order < 16; ++order) {
    CURRENCYFMTA format{1, 1, 3, const_cast<LPSTR>("."), const_cast<LPSTR>(","), order, 0, const_cast<LPSTR>("DM")};
    ASSERT_GT(GetCurrencyFormatA(kEnglish, 0, "-1.5", &format, out, sizeof out), 0) << order;
    EXPECT_STREQ(out, negative[order]) << order;
  }
  for (UINT order = 0; order < 4; ++order) {
    CURRENCYFMTA format{1, 1, 3, const_cast<LPSTR>("."), const_cast<LPSTR>(","), 1, order, const_cast<LPSTR>("DM")};
    ASSERT_GT(GetCurrencyFormatA(kEnglish, 0, "1.5", &format, out, sizeof out), 0) << order;
    EXPECT_STREQ(out, positive[order]) << order;
  }
}

TEST(NumberFormat, EveryNegativeOrderAndTheLeadingZero) {
  const char* expected[] = {"(0.5)", "-0.5", "- 0.5", "0.5-", "0.5 -"};
  char out[32];
  for (UINT order = 0; order < 5; ++order) {
    NUMBERFMTA format{1, 1, 3, const_cast<LPSTR>("."), const_cast<LPSTR>(","), order};
    ASSERT_GT(GetNumberFormatA(kEnglish, 0, "-.5", &format, out, sizeof out), 0) << order;
    EXPECT_STREQ(out, expected[order]) << order;
  }
  NUMBERFMTA noZero{2, 0, 3, const_cast<LPSTR>(","), const_cast<LPSTR>("."), 1};
  ASSERT_GT(GetNumberFormatA(kGerman, 0, "0.25", &noZero, out, sizeof out), 0);
  EXPECT_STREQ(out, ",25");
}

TEST(NumberFormat, RefusedFormatsAndBuffers) {
  LPSTR point = const_cast<LPSTR>(".");
  LPSTR comma = const_cast<LPSTR>(",");
  struct Case {
    const char* what;
    NUMBERFMTA format;
    DWORD flags;
    int size;
    DWORD error;
  } cases[] = {
      {"ten decimals", {10, 1, 3, point, comma, 1}, 0, 32, ERROR_INVALID_PARAMETER},
      {"grouping 33", {2, 1, 33, point, comma, 1}, 0, 32, ERROR_INVALID_PARAMETER},
      {"leading zero 2", {2, 2, 3, point, comma, 1}, 0, 32, ERROR_INVALID_PARAMETER},
      {"no decimal separator", {2, 1, 3, nullptr, comma, 1}, 0, 32, ERROR_INVALID_PARAMETER},
      {"no thousands separator", {2, 1, 3, point, nullptr, 1}, 0, 32, ERROR_INVALID_PARAMETER},
      {"negative order 5", {2, 1, 3, point, comma, 5}, 0, 32, ERROR_INVALID_PARAMETER},
      {"flags with a format", {2, 1, 3, point, comma, 1}, LOCALE_NOUSEROVERRIDE, 32, ERROR_INVALID_FLAGS},
      {"buffer too small", {2, 1, 3, point, comma, 1}, 0, 8, ERROR_INSUFFICIENT_BUFFER},
  };
  for (const Case& c : cases) {
    char out[32] = "";
    SetLastError(0);
    EXPECT_EQ(GetNumberFormatA(kEnglish, c.flags, "1234.5", &c.format, out, c.size), 0) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
  NUMBERFMTA format{2, 1, 3, point, comma, 1};
  EXPECT_EQ(GetNumberFormatA(kEnglish, 0, "1234.5", &format, nullptr, 0), 9);  // "1,234.50" and its NUL
  EXPECT_EQ(GetNumberFormatA(0x0411, 0, "1", nullptr, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  CURRENCYFMTA noSymbol{2, 1, 3, point, comma, 1, 0, nullptr};
  char out[32];
  EXPECT_EQ(GetCurrencyFormatA(kEnglish, 0, "1", &noSymbol, out, sizeof out), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
