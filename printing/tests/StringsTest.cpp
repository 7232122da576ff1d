#include <gtest/gtest.h>

#include "VodFixture.h"
#include "VodInterpreter.h"
#include "VodStrings.h"

namespace vod {
namespace {

TEST(VodStrings, NextWordTakesWordsQuotesAndOneSeparator) {
  struct Case {
    std::string line;
    std::vector<std::string> words;
    std::string rest;  // after the first word
  } cases[] = {
      {"  USE \t FORM abc", {"USE", "FORM", "abc"}, "\t FORM abc"},
      {"PRINT FRAME A   text  ", {"PRINT", "FRAME", "A", "text"}, "FRAME A   text  "},
      {"\"C:\\Program Files\\logo.tif\" XCEN", {"C:\\Program Files\\logo.tif", "XCEN"}, "XCEN"},
      {"\"open quote runs on", {"open quote runs on"}, ""},
      {"\"tab\tends it\"", {"tab", "ends", "it\""}, "ends it\""},
      {"", {}, ""},
      {std::string(100, 'w') + " next", {std::string(83, 'w'), "next"}, "next"},
      {"\"" + std::string(300, 'p') + "\" next", {std::string(260, 'p'), "next"}, "next"},
  };
  for (const Case& c : cases) {
    std::string_view rest = c.line;
    std::vector<std::string> words;
    std::string first = NextWord(rest);
    std::string afterFirst(rest);
    for (std::string word = first; !word.empty(); word = NextWord(rest)) words.push_back(word);
    EXPECT_EQ(words, c.words) << c.line;
    if (!c.words.empty()) EXPECT_EQ(afterFirst, c.rest) << c.line;
  }
}

TEST(VodStrings, NumbersAndTenths) {
  struct Case {
    const char* word;
    int value, tenths;
  } cases[] = {
      {"2", 2, 20},        {"1.5", 1, 15},     {"1,5", 1, 15},     {"1,59", 1, 15},
      {"12abc", 12, 120},  {"-7", -7, -70},    {"7-", -7, -70},    {"x12", 0, 0},
      {"", 0, 0},          {"1.2.3", 1, 12},   {"0,5", 0, 5},
      {"99999999999999", 2147483647, 2147483647},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseInt(c.word), c.value) << c.word;
    EXPECT_EQ(ParseTenths(c.word), c.tenths) << c.word;
  }
}

TEST(VodStrings, DefaultExtensionsTrimmingAndCodePage) {
  struct Case {
    const char* name;
    const char* result;
  } cases[] = {
      {"abc", "abc.frm"},          {"abc.x", "abc.x"},      {"dir.d\\abc", "dir.d\\abc.frm"},
      {"dir.d/abc", "dir.d/abc.frm"}, {"[x.y]abc", "[x.y]abc.frm"}, {"<a.b>c", "<a.b>c.frm"},
      {"C:\\a.b\\c.d", "C:\\a.b\\c.d"},
  };
  for (const Case& c : cases) {
    std::string name = c.name;
    AddDefaultExtension(name, "frm");
    EXPECT_EQ(name, c.result);
  }
  std::string text = " \t mixed Case\xE4 \t";
  Trim(text);
  EXPECT_EQ(text, "mixed Case\xE4");
  UpperCaseAscii(text);
  EXPECT_EQ(text, "MIXED CASE\xE4");
  std::string german = "\xC4\xD6\xDC\xDF\xE4\xF6\xFC\xE9";
  AnsiToOemGerman(german);
  EXPECT_EQ(german, "\x8E\x99\x9A\xE1\x84\x94\x81\xE9");
  std::string line = "a\r\nb\r\n";
  StripLineEnd(line);
  EXPECT_EQ(line, "ab");
}

TEST(VodStrings, ContentKindPrefixes) {
  struct Case {
    const char* word;
    bool ok;
    char kind;
    const char* rest;
  } cases[] = {
      {"A", true, 'T', "A"},          {"(VEC)A", true, 'V', "A"},  {"(tiff)B", true, 'F', "B"},
      {"(HPGL)C", true, 'H', "C"},    {"(CAP)D", true, 'P', "D"},  {"(CA3)E", true, '3', "E"},
      {"(CA4)F", true, '4', "F"},     {"(TEXT)G", true, 'T', "G"}, {"(X)H", true, 'T', "H"},
      {"(TOOLONG)I", false, 'T', ""}, {"(VEC J", false, 'T', ""},
  };
  for (const Case& c : cases) {
    std::string word = c.word;
    char kind = 0;
    EXPECT_EQ(ParseContentKind(word, kind), c.ok) << c.word;
    EXPECT_EQ(kind, c.kind) << c.word;
    if (c.ok) EXPECT_EQ(word, c.rest);
  }
}

}  // namespace
}  // namespace vod

namespace vod {
namespace {

class StringReports : public testing::VodFixture {};

TEST_F(StringReports, UnsignedNumbersDatesTimesAndWildcards) {
  m_context->callback = testing::CallbackLog::Record;
  struct Number {
    const char* text;
    unsigned value;
  } numbers[] = {{"123", 123}, {"1.234", 1234}, {"12a", 12}, {"1.2.3", 0}, {"", 0}};
  for (const Number& n : numbers) EXPECT_EQ(ParseUnsigned(*m_context, n.text), n.value) << n.text;
  EXPECT_EQ(testing::CallbackLog::calls,
            (std::vector<std::pair<int, std::string>>{{8, "Konvertierungsfehler: '1.2.3'!"}}));

  EXPECT_EQ(FormatDate(5, 3, 101), "05.03.2001");
  EXPECT_EQ(FormatDate(15, 12, 99), "15.12.1999");
  EXPECT_EQ(FormatTime(9, 7), " 9:07");
  EXPECT_EQ(FormatTime(23, 59), "23:59");

  struct Match {
    const char* text;
    const char* pattern;
    bool matches;
  } matches[] = {{"FRAME1", "FRAME*", true}, {"FRAME", "FRAME", true},  {"FRAME", "FRAMES", false},
                 {"FRAMES", "FRAME", false}, {"FRA", "FRAME*", false}, {"X", "*", false}};
  for (const Match& m : matches) EXPECT_EQ(MatchWildcard(*m_context, m.text, m.pattern), m.matches) << m.pattern;
  EXPECT_EQ(testing::CallbackLog::calls.back(),
            (std::pair<int, std::string>{6, "Fehler in Procedure Match, Modul string2.c !\n,s1 = 'X' \ns2 = '*'\n"}));
}

}  // namespace
}  // namespace vod

namespace vod {
namespace {

TEST(VodStrings, FindCopyCutAndJoin) {
  EXPECT_EQ(FindText("Seite %LP1%", "%"), 6u);
  EXPECT_EQ(FindText("Seite", "x"), kTextNotFound);
  EXPECT_EQ(FindText("", "x"), kTextNotFound);
  EXPECT_EQ(CopyMid("frame text", 6, 2), "te");
  EXPECT_EQ(CopyMid("frame", 3, 99), "me");
  EXPECT_EQ(CopyMid("frame", 9, 1), "");
  std::string text = "frame text";
  DeleteFrom(text, 5);
  EXPECT_EQ(text, "frame");
  DeleteFrom(text, 50);
  EXPECT_EQ(text, "frame");
  PrependText(text, "a ");
  AppendChar(text, '!');
  EXPECT_EQ(text, "a frame!");
  EXPECT_EQ(FormatUnsigned(0), "0");
  EXPECT_EQ(FormatUnsigned(9999999), "9999999");
}

TEST(VodStrings, TheGermanLettersGoToOemAndBack) {
  std::string text = "\xC4\xD6\xDC\xDF\xE4\xF6\xFC ok";
  AnsiToOemGerman(text);
  EXPECT_EQ(text, "\x8E\x99\x9A\xE1\x84\x94\x81 ok");
  OemToAnsiGerman(text);
  EXPECT_EQ(text, "\xC4\xD6\xDC\xDF\xE4\xF6\xFC ok");
}

}  // namespace
}  // namespace vod
