#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win32/Codepage.h"
#include "win32/Mbstring.h"

TEST(Codepage, EveryByteSurvivesTheRoundTripThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(layer::Utf8ToCp1252(layer::Cp1252ToUtf8(all)), all);
}

TEST(Codepage, KnownCharacters) {
  EXPECT_EQ(layer::Cp1252ToUtf8("\xE4\xF6\xFC\xDF"), "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F");  // äöüß
  EXPECT_EQ(layer::Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");                               // euro sign
  EXPECT_EQ(layer::Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(layer::Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // not in the code page
  EXPECT_EQ(layer::Utf8ToCp1252("a\xC3"), "a?");        // cut sequence
  EXPECT_EQ(layer::Utf8ToCp1252("\x80z"), "?z");        // stray continuation byte
}

namespace {
const unsigned char* U(const char* text) { return reinterpret_cast<const unsigned char*>(text); }
int Sign(int value) { return (value > 0) - (value < 0); }
}  // namespace

TEST(Mbstring, ComparisonsFoldCaseByWindows1252) {
  struct Case {
    const char* a;
    const char* b;
    int exact;
    int folded;
  } cases[] = {
      {"Key", "Key", 0, 0},
      {"KEY", "key", -1, 0},
      {"\xC4rger", "\xE4rger", -1, 0},  // Ärger / ärger
      {"\x8A", "\x9A", -1, 0},          // Š / š
      {"\x9F", "\xFF", -1, 0},          // Ÿ / ÿ
      {"\xD7", "\xF7", -1, -1},         // × and ÷ are no letter pair
      {"\xDF", "SS", 1, 1},             // ß has no capital
      {"abc", "abd", -1, -1},
      {"ab", "abc", -1, -1},
      {"\xE4", "a", 1, 1},  // bytes compare unsigned
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    EXPECT_EQ(Sign(_mbscmp(U(c.a), U(c.b))), c.exact);
    EXPECT_EQ(Sign(_mbsicmp(U(c.a), U(c.b))), c.folded);
  }
}

TEST(Mbstring, CountedComparisonStopsAtTheCountOrAZeroByte) {
  EXPECT_EQ(_mbsnbicmp(U("SECTIONx"), U("sectiony"), 7), 0);
  EXPECT_NE(_mbsnbicmp(U("SECTIONx"), U("sectiony"), 8), 0);
  EXPECT_EQ(_mbsnbicmp(U("ab"), U("AB"), 10), 0);
  EXPECT_LT(_mbsnbicmp(U("ab"), U("ABC"), 10), 0);
  char text[] = "stra\xDF" "e \xE4\xF6";
  EXPECT_STREQ(_strupr(text), "STRA\xDF" "E \xC4\xD6");
}
