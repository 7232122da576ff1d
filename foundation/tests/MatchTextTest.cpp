#include "foundation/MatchText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct MatchCase {
  const char* text;
  const char* pattern;
  int result;
};

TEST(MatchText, WholeTextWildcards) {
  const MatchCase cases[] = {
      {"M\xfcller", "M*r", 1},
      {"M\xfcller", "M??ler", 1},
      {"M\xfcller", "m\xfcller", 0},  // case counts
      {"M\xfcller", "M\xfcl", 0},     // the pattern covers the whole text
      {"M\xfcller", "M\xfcl*", 1},
      {"abc", "abc*", 0},  // a star at the end needs a character
      {"abcd", "abc*", 1},
      {"abc", "abc**", 0},
      {"abcd", "abc**", 1},
      {"ac", "a*c", 1},  // a star before more pattern may take none
      {"ABC", "*B*", 1},
      {"ABC", "AB*", 1},
      {"AB", "AB*", 0},
      {"x", "*", 1},
      {"x", "**", 1},
      {"x", "?", 1},
      {"xy", "?", 0},
      {"x", "??", 0},
      {"abc", "abc", 1},
      {"abc ", "abc", 0},  // a padded field needs its trailing star
      {"abc ", "abc*", 1},
      {"aXbXc", "a*b*c", 1},
      {"aXbXd", "a*b*c", 0},
      {"", "*", 0},
      {"abc", "", 0},
      {"", "", 0},
  };
  for (const MatchCase& c : cases) EXPECT_EQ(MatchText(c.text, c.pattern), c.result) << c.text << " / " << c.pattern;
  EXPECT_EQ(MatchText(nullptr, "*"), 0);
  EXPECT_EQ(MatchText("a", nullptr), 0);
}

// The match as the address books describe it, step by step and recursive.
int StepwiseMatch(const char* t, const char* m) {
  if (!*t || !*m) return 0;
  for (;;) {
    if (!*m) return 0;  // pattern used up while text is left
    if (*m == '*') {
      if (!m[1]) return 1;
      if (!*t) return 0;
      int result = 0;
      for (const char* from = t; *from && !result; ++from) result = StepwiseMatch(from, m + 1);
      return result;
    }
    if (*m != '?' && *m != *t) return 0;
    ++t;
    ++m;
    if (!*t) return *m == '\0';
  }
}

TEST(MatchText, AgreesWithTheStepwiseRuleOnRandomTexts) {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> length(0, 7);
  std::uniform_int_distribution<int> letter(0, 2);
  std::uniform_int_distribution<int> symbol(0, 4);
  for (int round = 0; round < 20000; ++round) {
    std::string text, pattern;
    for (int i = length(random); i > 0; --i) text += static_cast<char>('a' + letter(random));
    for (int i = length(random); i > 0; --i) {
      int s = symbol(random);
      pattern += s == 3 ? '*' : s == 4 ? '?' : static_cast<char>('a' + s);
    }
    ASSERT_EQ(MatchText(text.c_str(), pattern.c_str()), StepwiseMatch(text.c_str(), pattern.c_str()))
        << '"' << text << "\" / \"" << pattern << '"';
  }
}

TEST(MatchText, ManyStarsStayFast) {
  // Stepwise retrying would take ages here; the match must not.
  std::string text(255, 'a');
  EXPECT_EQ(MatchText(text.c_str(), "*a*a*a*a*a*a*a*a*a*a*a*a*b"), 0);
  EXPECT_EQ(MatchText(text.c_str(), "*a*a*a*a*a*a*a*a*a*a*a*a*"), 1);
}

}  // namespace
