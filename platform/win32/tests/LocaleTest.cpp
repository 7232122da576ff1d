#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "win32/Locale.h"

namespace {

class LocaleVariables : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
      const char* value = std::getenv(name);
      m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (size_t i = 0; i < 3; ++i) {
      if (m_saved[i])
        setenv(names[i], m_saved[i]->c_str(), 1);
      else
        unsetenv(names[i]);
    }
  }
  std::vector<std::optional<std::string>> m_saved;
};

}  // namespace

TEST_F(LocaleVariables, GermanOnlyWhenTheFirstSetVariableNamesGerman) {
  struct Case {
    const char* all;
    const char* messages;
    const char* lang;
    WORD primary;
  } cases[] = {
      {nullptr, nullptr, "de_DE.UTF-8", LANG_GERMAN},
      {nullptr, nullptr, "de_AT", LANG_GERMAN},
      {nullptr, nullptr, "en_US.UTF-8", LANG_ENGLISH},
      {nullptr, nullptr, nullptr, LANG_ENGLISH},
      {nullptr, "en_GB", "de_DE", LANG_ENGLISH},
      {"de_CH", "en_GB", "en_US", LANG_GERMAN},
      {"", nullptr, "de_DE", LANG_GERMAN},  // an empty variable does not count
  };
  for (const Case& c : cases) {
    for (auto [name, value] : {std::pair{"LC_ALL", c.all}, {"LC_MESSAGES", c.messages}, {"LANG", c.lang}}) {
      if (value)
        setenv(name, value, 1);
      else
        unsetenv(name);
    }
    EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), c.primary) << (c.lang ? c.lang : "-");
    EXPECT_EQ(PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())), c.primary);
  }
}
