#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "whereused/WhereUsedHistory.h"

namespace {

std::vector<std::string> Strings(const std::vector<CString>& entries) {
  std::vector<std::string> strings;
  for (const CString& entry : entries) strings.emplace_back(static_cast<const char*>(entry));
  return strings;
}

TEST(WhereUsedHistory, SplitsAtEveryTilde) {
  struct Case {
    const char* history;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {"A-100~b*~C?", {"A-100", "b*", "C?"}},
      {"", {""}},  // an empty history still gives the field one entry
      {"A~", {"A", ""}},
      {"~~", {"", "", ""}},
      {"only", {"only"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Strings(WhereUsedHistory::Split(c.history)), c.entries) << c.history;
}

TEST(WhereUsedHistory, LongPiecesAreCutToAnEntry) {
  const std::string longPiece(300, 'x');
  const auto entries = Strings(WhereUsedHistory::Split((longPiece + "~y").c_str()));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], std::string(255, 'x'));
  EXPECT_EQ(entries[1], "y");
}

TEST(WhereUsedHistory, JoinsEntriesWhileTheyFitTheLimit) {
  struct Case {
    const char* name;
    std::vector<CString> entries;
    std::string history;
  };
  const std::string a(100, 'a'), b(100, 'b'), c(38, 'c'), d(37, 'd');
  const Case cases[] = {
      {"blank before the first", {"A-100", "B*"}, " A-100~B*"},
      {"nothing", {}, ""},
      {"one empty entry", {""}, " "},
      // 1 + 100 + 1 + 100 = 202; 202 + 38 reaches 240 and stops the history there
      {"stops at the limit", {a.c_str(), b.c_str(), c.c_str(), "e"}, " " + a + "~" + b},
      {"just below the limit", {a.c_str(), b.c_str(), d.c_str()}, " " + a + "~" + b + "~" + d},
  };
  for (const Case& k : cases) EXPECT_EQ(std::string(WhereUsedHistory::Join(k.entries)), k.history) << k.name;
}

}  // namespace
