// Money: the decimal point, rounding by digits, decimal texts, the second
// currency and the euro conversion, and the texts in both locales.
#include "orderlist/Money.h"

#include <gtest/gtest.h>

#include <limits>

#include "ProtocolFixture.h"

namespace {

using protocol_testing::kEnglish;
using protocol_testing::kGerman;

TEST(Money, DecimalPointInserted) {
  struct Case {
    int64_t value;
    int decimals;
    const char* text;
  } cases[] = {
      {123456, 2, "1234.56"}, {5, 2, ".05"},      {0, 2, ".00"},     {12, 2, ".12"},     {7, 0, "7"},
      {7, -3, "7000"},        {-5, 2, "-.05"},    {-123, 2, "-1.23"}, {-123456, 2, "-1234.56"},
      {1, -30, "100000000000000000000"},  // at most twenty zeros
      {std::numeric_limits<int64_t>::min(), 0, "-9223372036854775808"},
  };
  for (const auto& c : cases) EXPECT_EQ(InsertDecimalPoint(c.value, c.decimals), c.text) << c.value << '/' << c.decimals;
}

TEST(Money, RoundingByDigits) {
  struct Case {
    int64_t value;
    int digits;
    int64_t rounded;
  } cases[] = {
      {123456, 3, 123}, {123500, 3, 124}, {123499, 3, 123}, {29985, 1, 2999}, {29984, 1, 2998},
      {7, 0, 7},        {0, 5, 0},         {-2345, 1, -235}, {-2344, 1, -234}, {-123500, 3, -124},
      {999, 25, 0},     {std::numeric_limits<int64_t>::max(), 1, 922337203685477581},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundByDigits(c.value, c.digits), c.rounded) << c.value << '/' << c.digits;
}

TEST(Money, DecimalTextsAtTheWantedDecimals) {
  struct Case {
    const char* text;
    int decimals;
    int64_t value;
  } cases[] = {
      {"12,3", 2, 1230},  {"12.345", 2, 1235}, {"12.3449", 2, 1234}, {"12", 2, 1200}, {"0,05", 2, 5},
      {" 7", 0, 7},       {"1.5", 0, 2},       {"abc", 2, 0},        {"", 2, 0},      {"-1,25", 1, -13},
      {"99999999999999999999", 0, std::numeric_limits<int64_t>::max()},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ScaleDecimals(ReadDecimalText(c.text), c.decimals), c.value) << '"' << c.text << '"';
}

TEST(Money, SecondCurrencyRoundsHalfAwayFromZeroAtItsOwnDecimals) {
  struct Case {
    const char* name;
    int64_t value;
    int decimals1;
    double factor;
    bool multiply;
    int decimals2;
    int64_t converted;
  } cases[] = {
      {"multiplied", 1000, 2, 1.95583, true, 2, 1956},
      {"divided", 1000, 2, 1.95583, false, 2, 511},
      {"whole units", 1000, 2, 1936.27, true, 0, 19363},
      {"whole units divided", 1000, 2, 1.95583, false, 0, 5},
      {"one decimal", 1000, 2, 1.95583, true, 1, 196},  // 19.5583 rounds to 19.6
      {"three decimals", 1000, 2, 1.95583, true, 3, 19558},
      {"negative", -1000, 2, 1.95583, true, 2, -1956},
      {"negative half", -125, 2, 1.0, true, 1, -13},
      {"binary half", 2675, 3, 1.0, true, 2, 268},
      {"no factor", 1000, 2, 0.0, true, 2, 0},
      {"zero", 0, 2, 1.95583, true, 2, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ConvertCurrency(c.value, c.decimals1, c.factor, c.multiply, c.decimals2), c.converted) << c.name;
}

TEST(Money, LegacyCurrenciesToEuroCents) {
  struct Case {
    const char* currency;
    int64_t value;
    int64_t cents;
  } cases[] = {
      {"DEM", 1000, 511}, {"ITL", 100000, 5165}, {"DEM", 199, 102}, {"FRF", 1, 0},
      {"ATS", 0, 0},      {"GRD", 34075, 100},   {"DEM", -199, -102},
  };
  for (const auto& c : cases) {
    int64_t cents = -1;
    ASSERT_TRUE(LegacyToEuroCents(c.currency, c.value, cents)) << c.currency;
    EXPECT_EQ(cents, c.cents) << c.currency << ' ' << c.value;
  }
  int64_t untouched = 42;
  EXPECT_FALSE(LegacyToEuroCents("USD", 1000, untouched));
  EXPECT_FALSE(LegacyToEuroCents("dem", 1000, untouched));  // names compared byte for byte
  EXPECT_EQ(untouched, 42);
  int32_t result = 7;
  EXPECT_EQ(CProtocolView::ConvertPriceToEuro("DEM", 1000, result), 1);
  EXPECT_EQ(result, 511);
  EXPECT_EQ(CProtocolView::ConvertPriceToEuro("CHF", 1000, result), 0);
  EXPECT_EQ(result, 511);
}

class MoneyTexts : public protocol_testing::ProtocolTest {};

TEST_F(MoneyTexts, AmountsInBothLocales) {
  struct Case {
    int64_t value;
    int decimals;
    const char* german;
    const char* english;
  } cases[] = {
      {123456, 2, "1.234,56", "1,234.56"}, {5, 2, "0,05", "0.05"},          {0, 2, "0,00", "0.00"},
      {-5, 2, "-0,05", "-0.05"},           {-123456, 2, "-1.234,56", "-1,234.56"},
      {1234, 0, "1.234", "1,234"},         {12, -2, "1.200", "1,200"},      {160, 1, "16,0", "16.0"},
      {123456789012345, 2, "1.234.567.890.123,45", "1,234,567,890,123.45"},
  };
  for (LCID locale : {kGerman, kEnglish}) {
    layer::SetUserLocale(locale);
    auto app = Start();
    for (const auto& c : cases) {
      CString text;
      app->FormatAmount64(c.value, text, c.decimals);
      EXPECT_STREQ(text, locale == kGerman ? c.german : c.english) << c.value << '/' << c.decimals;
      if (c.value >= INT32_MIN && c.value <= INT32_MAX) {
        CString narrow;
        app->FormatAmount(static_cast<int32_t>(c.value), narrow, c.decimals);
        EXPECT_STREQ(narrow, text);
      }
    }
  }
}

TEST_F(MoneyTexts, SecondCurrencyTexts) {
  auto app = Start();
  CString text;
  app->SecondCurrencyText(1000, text);
  EXPECT_STREQ(text, "19,56");
  app->m_second_currency = 0;  // divide
  app->SecondCurrencyText(1000, text);
  EXPECT_STREQ(text, "5,11");
  app->m_second_currency = 1;
  app->m_currency_factor = 1936.27;
  app->m_decimals2 = 0;
  app->SecondCurrencyText(1000, text);
  EXPECT_STREQ(text, "19.363");
  app->m_currency_factor = 0.0;
  app->m_decimals2 = 2;
  app->SecondCurrencyText(1000, text);
  EXPECT_STREQ(text, "0,00");
  app->m_currency_factor = 1.95583;
  app->SecondCurrencyText(-1000, text);
  EXPECT_STREQ(text, "-19,56");
}

TEST_F(MoneyTexts, AFailingLocaleStepLeavesThePlainNumber) {
  auto app = Start();
  CString text;
  app->FormatCurrencyText("12a", text, 2);
  EXPECT_STREQ(text, "12a");
  app->FormatCurrencyText("1.5", text, 12);  // more decimals than the system formats
  EXPECT_STREQ(text, "1.5");
}

}  // namespace
