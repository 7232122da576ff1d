#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "WhereUsedRecords.h"
#include "foundation/MatchText.h"
#include "testing/TempFolder.h"
#include "whereused/WhereUsedFile.h"

namespace {

using whereused::testing::Record;

const WhereUsedGeometry kGeometry{12, 8, 6, 10};

struct GeometryCase {
  const char* name;
  WhereUsedGeometry geometry;
  int flagBytes;
  bool usable;
};
void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }

class GeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(GeometryTest, FlagBytesAndUsability) {
  const GeometryCase& c = GetParam();
  EXPECT_EQ(c.geometry.FlagBytes(), c.flagBytes);
  EXPECT_EQ(c.geometry.IsUsable(), c.usable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeometryTest,
    ::testing::Values(GeometryCase{"NoColumns", {10, 5, 0, 0}, 0, true},
                      GeometryCase{"OneColumnOneByte", {10, 5, 0, 1}, 1, true},
                      GeometryCase{"SevenColumnsOneByte", {10, 5, 0, 7}, 1, true},
                      GeometryCase{"EightColumnsTwoBytes", {10, 5, 0, 8}, 2, true},
                      GeometryCase{"SixteenColumnsThreeBytes", {10, 5, 3, 16}, 3, true},
                      GeometryCase{"NegativeColumnsNoBytesButRefused", {10, 5, 0, -4}, 0, false},
                      GeometryCase{"NoText", {0, 5, 0, 0}, 0, true}, GeometryCase{"NoKey", {10, 0, 0, 0}, 0, true},
                      GeometryCase{"NothingAtAll", {0, 0, 0, 0}, 0, true},
                      GeometryCase{"NegativeBlock", {10, 5, -1, 0}, 0, false},
                      GeometryCase{"RecordBeyondAnyBuffer", {0x7FFFFFF0, 0x7FFFFFF0, 0, 0}, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A small file: part texts padded with blanks or cut by NUL, keys, blocks
// and flag columns 0 to 9.
std::string SampleFile() {
  const WhereUsedGeometry& g = kGeometry;
  return Record(g, "A-100", "GEH", "Haube", {0}) + Record(g, "a-100", "MOT", "Motor", {0, 9}) +
         Record(g, "A-1000", "ANT", "", {0, 8}) + Record(g, "A-100  ", "GRI", "Griff", {1}) +
         Record(g, "B-200", "GEH", "Haube", {0}) + Record(g, "\xe4-1", "UML", "", {0}) +
         Record(g, "\xc4-1", "UML2", "", {0}) + Record(g, "", "LEER", "", {0}) +
         Record(g, "Z\"1", "QUOTE", "say \"hi\"", {0}) + Record(g, std::string("\xff\x01\x80 ?", 5), "BYTES", "", {0});
}

struct SearchCase {
  const char* name;
  const char* pattern;
  bool caseSensitive;
  int column;
  std::vector<std::string> keys;
};
void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

class SearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchTest, FindsTheRecordsWhoseWholeTextMatches) {
  const SearchCase& c = GetParam();
  WhereUsedFile file(kGeometry);
  const std::string bytes = SampleFile();
  WhereUsedHits hits(kGeometry);
  ASSERT_EQ(file.Search(bytes.data(), bytes.size(), {c.pattern, c.caseSensitive, c.column}, hits),
            WhereUsedFile::Status::ok);
  std::vector<std::string> keys;
  for (int h = 0; h < hits.Count(); ++h) keys.emplace_back(static_cast<const char*>(hits.Key(h)));
  EXPECT_EQ(keys, c.keys);
}

INSTANTIATE_TEST_SUITE_P(Cases, SearchTest,
                         ::testing::Values(SearchCase{"ExactTextFoldedBothSides", "A-100", false, 0, {"GEH", "MOT"}},
                                           SearchCase{"ExactTextWithCase", "a-100", true, 0, {"MOT"}},
                                           SearchCase{"UpperPatternWithCaseFindsOnlyUpper", "A-100", true, 0, {"GEH"}},
                                           SearchCase{"LowerPatternWithoutFoldingFindsNothing", "a-100", false, 0, {}},
                                           SearchCase{"StarListsEveryRecordOfTheColumn",
                                                      "*",
                                                      false,
                                                      0,
                                                      {"GEH", "MOT", "ANT", "GEH", "UML", "UML2", "QUOTE", "BYTES"}},
                                           SearchCase{"TrailingStarNeedsOneMore", "A-100*", false, 0, {"ANT"}},
                                           SearchCase{"PaddedTextNeedsTheStar", "A-100*", false, 1, {"GRI"}},
                                           SearchCase{
                                               "QuestionMarkTakesOneCharacter", "?-100", false, 0, {"GEH", "MOT"}},
                                           SearchCase{"StarInside", "A*0", false, 0, {"GEH", "MOT", "ANT"}},
                                           SearchCase{"CodePageLettersFold", "\xc4-1", false, 0, {"UML", "UML2"}},
                                           SearchCase{"CodePageLettersWithCase", "\xe4-1", true, 0, {"UML"}},
                                           SearchCase{"AnyByteValue", "\xff\x01\x80 ?", true, 0, {"BYTES"}},
                                           SearchCase{"QuoteInText", "Z\"1", false, 0, {"QUOTE"}},
                                           SearchCase{"SecondFlagByte", "*", false, 8, {"ANT"}},
                                           SearchCase{"LastColumnOfTheFlags", "*", false, 9, {"MOT"}},
                                           SearchCase{"ColumnBeyondTheFlagBytes", "*", false, 16, {}},
                                           SearchCase{"NegativeColumn", "*", false, -1, {}},
                                           SearchCase{"EmptyPatternMatchesNothing", "", false, 0, {}},
                                           SearchCase{"LongerThanTheTextField", "A-100000000000", false, 0, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WhereUsedFile, WithoutColumnsEveryRecordTakesPart) {
  const WhereUsedGeometry g{6, 4, 0, 0};
  const std::string bytes = Record(g, "X1", "K1") + Record(g, "X2", "K2") + Record(g, "Y", "K3");
  WhereUsedFile file(g);
  for (int column : {0, 5, -1}) {
    WhereUsedHits hits(g);
    file.Search(bytes.data(), bytes.size(), {"X?", false, column}, hits);
    EXPECT_EQ(hits.Count(), 2) << column;
    EXPECT_STREQ(hits.Block(0), "");
  }
}

// The hit keeps text, key and block; each field ends at its NUL or its full
// length, so a field written without NUL does not run into the next.
TEST(WhereUsedFile, HitFieldsEndAtNulOrTheirLength) {
  const WhereUsedGeometry g{4, 3, 5, 3};
  const std::string bytes = std::string("ABCD") + "K12" + "BLOCK" + "\x01" + std::string("AB\0D", 4) +
                            std::string("K\0Z", 3) + std::string("B\0LOC", 5) + "\x01";
  WhereUsedFile file(g);
  WhereUsedHits hits(g);
  file.Search(bytes.data(), bytes.size(), {"*", false, 0}, hits);
  ASSERT_EQ(hits.Count(), 2);
  EXPECT_STREQ(hits.Text(0), "ABCD");
  EXPECT_STREQ(hits.Key(0), "K12");
  EXPECT_STREQ(hits.Block(0), "BLOCK");
  EXPECT_STREQ(hits.Text(1), "AB");
  EXPECT_STREQ(hits.Key(1), "K");
  EXPECT_STREQ(hits.Block(1), "B");
  EXPECT_STREQ(hits.Key(2), "");  // beyond the hits
  EXPECT_EQ(hits.Buffer().GetLength(), 2 * g.HitLength());
}

// Many hits: the buffer's growth step doubles with the buffer, and every hit
// keeps its place.
TEST(WhereUsedFile, ManyHitsKeepTheirOrder) {
  const WhereUsedGeometry g{8, 8, 0, 0};
  std::string bytes;
  for (int i = 0; i < 5000; ++i) bytes += Record(g, "P" + std::to_string(i % 7), "K" + std::to_string(i));
  WhereUsedFile file(g);
  WhereUsedHits hits(g);
  file.Search(bytes.data(), bytes.size(), {"P3", false, 0}, hits);
  ASSERT_EQ(hits.Count(), 714);
  EXPECT_STREQ(hits.Key(0), "K3");
  EXPECT_STREQ(hits.Key(713), "K4994");
  EXPECT_GT(hits.Buffer().GetGrowBy(), 4096);
  hits.Clear();
  EXPECT_EQ(hits.Count(), 0);
  EXPECT_EQ(hits.Buffer().GetGrowBy(), 2048);
}

// The quick paths decide as the wildcard match of the copied text would.
TEST(WhereUsedFile, AgreesWithTheWildcardMatchOnRandomRecords) {
  const WhereUsedGeometry g{5, 2, 0, 0};
  std::mt19937 random(7);
  const char alphabet[] = {'a', 'B', 'b', '\0', ' ', '\xe4', '\xc4', '*', '?'};
  auto pick = [&](size_t n) { return alphabet[random() % n]; };
  std::string bytes;
  std::vector<std::string> texts;
  for (int r = 0; r < 400; ++r) {
    std::string text;
    for (int i = 0; i < 5; ++i) text += pick(7);
    bytes += text + "k" + static_cast<char>('0' + r % 10);
    texts.push_back(text.substr(0, text.find('\0')));
  }
  WhereUsedFile file(g);
  for (int p = 0; p < 300; ++p) {
    std::string pattern;
    const size_t length = 1 + random() % 6;
    for (size_t i = 0; i < length; ++i) {
      char c = pick(9);
      pattern += c == '\0' ? 'B' : c;
    }
    for (bool caseSensitive : {true, false}) {
      WhereUsedHits hits(g);
      file.Search(bytes.data(), bytes.size(), {pattern.c_str(), caseSensitive, 0}, hits);
      int expected = 0;
      for (std::string text : texts) {
        if (!caseSensitive) {
          for (char& c : text) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            if (c == '\xe4') c = '\xc4';
          }
        }
        expected += MatchText(text.c_str(), pattern.c_str());
      }
      ASSERT_EQ(hits.Count(), expected) << pattern << (caseSensitive ? " with case" : " folded");
    }
  }
}

struct ReadCase {
  const char* name;
  WhereUsedGeometry geometry;
  std::string bytes;
  bool present;  // false: the file is missing
  WhereUsedFile::Status status;
  int records;  // the hits of a search for any text
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReadsWholeRecordsOrRefusesTheFile) {
  const ReadCase& c = GetParam();
  layer::testing::TempFolder folder;
  if (c.present) folder.Write("vnw.bin", c.bytes);
  WhereUsedFile file(c.geometry);
  WhereUsedHits hits(c.geometry);
  EXPECT_EQ(file.Search((folder / "vnw.bin").c_str(), {"*", true, 0}, hits), c.status);
  EXPECT_EQ(hits.Count(), c.records);
}

const WhereUsedGeometry kSmall{3, 2, 2, 0};   // records of 7 bytes
const WhereUsedGeometry kWide{20, 10, 0, 0};  // records of 30 bytes

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadTest,
    ::testing::Values(
        ReadCase{"WholeRecords", kSmall, std::string(21, 'x'), true, WhereUsedFile::Status::ok, 3},
        ReadCase{"CutMidRecordKeepsTheWholeOnes", kSmall, std::string(24, 'x'), true, WhereUsedFile::Status::ok, 3},
        ReadCase{"SpansSeveralParts", kWide, std::string(30 * 20000 + 7, 'x'), true, WhereUsedFile::Status::ok, 20000},
        ReadCase{"EmptyFileHasNoRecords", kSmall, "", true, WhereUsedFile::Status::ok, 0},
        ReadCase{"ShorterThanOneRecord", kSmall, "xxxxx", true, WhereUsedFile::Status::cannotRead, 0},
        ReadCase{"Missing", kSmall, "", false, WhereUsedFile::Status::cannotOpen, 0},
        ReadCase{"NoTextLengthFindsNothing", {0, 2, 0, 0}, std::string(6, 'x'), true, WhereUsedFile::Status::ok, 0},
        ReadCase{"RecordsOfNoBytesFindNothing", {0, 0, 0, 0}, std::string(6, 'x'), true, WhereUsedFile::Status::ok, 0},
        ReadCase{"NegativeTextIsRefusedBeforeTheOpen", {-1, 2, 0, 0}, "", false, WhereUsedFile::Status::cannotRead, 0},
        ReadCase{"NegativeColumns", {3, 2, 0, -1}, std::string(10, 'x'), true, WhereUsedFile::Status::cannotRead, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
