#include "win32/OemCodepage.h"

#include <gtest/gtest.h>

#include <string>

TEST(OemCodepage, UmlautsAndSignsReachTheAnsiCodePage) {
  const std::pair<std::string, std::string> cases[] = {
      {"Stra\xE1" "e \x8E\x99\x9A \x84\x94\x81", "Stra\xDF" "e \xC4\xD6\xDC \xE4\xF6\xFC"},
      {"plain ASCII 09", "plain ASCII 09"},
      {"\x9C 5 \xF8" "C \xFD", "\xA3 5 \xB0" "C \xB2"},
      {"\xC4\xB3\xDB", "???"},  // box drawing has no place in the ANSI code page
  };
  for (const auto& [oem, ansi] : cases) {
    std::string converted(oem.size(), '\0');
    ASSERT_TRUE(OemToCharBuff(oem.data(), converted.data(), static_cast<DWORD>(oem.size())));
    EXPECT_EQ(converted, ansi);
    std::string terminated(oem.size() + 1, 'x');
    ASSERT_TRUE(OemToChar(oem.c_str(), terminated.data()));
    EXPECT_EQ(terminated, ansi + std::string(1, '\0'));
  }
  EXPECT_FALSE(OemToCharBuff(nullptr, nullptr, 3));
}
