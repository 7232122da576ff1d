// Numbers of settings files as a 32-bit atol reads them.
#include <gtest/gtest.h>

#include <string>

#include "foundation/SettingNumber.h"

namespace {

struct NumberCase {
  const char* name;
  const char* text;
  LONG value;
};
void PrintTo(const NumberCase& c, std::ostream* out) { *out << c.name; }

class SettingNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SettingNumbers, ReadAsA32BitAtol) { EXPECT_EQ(SettingNumber(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingNumbers,
    ::testing::Values(NumberCase{"Plain", "42", 42}, NumberCase{"SignsAndBlanks", " \t-7", -7},
                      NumberCase{"PlusSign", "+3", 3}, NumberCase{"StopsAtTheFirstOtherCharacter", "12 34", 12},
                      NumberCase{"HexIsNoNumber", "0x10", 0}, NumberCase{"Empty", "", 0},
                      NumberCase{"NoDigits", "abc", 0}, NumberCase{"Null", nullptr, 0},
                      NumberCase{"Largest", "2147483647", 2147483647},
                      NumberCase{"OneBeyondTheLargest", "2147483648", 2147483647},
                      NumberCase{"FarBeyond", "99999999999999999999999", 2147483647},
                      NumberCase{"Lowest", "-2147483648", -2147483647 - 1},
                      NumberCase{"FarBelow", "-4294967297", -2147483647 - 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
