#include <gtest/gtest.h>

#include "win32/MulDiv.h"

namespace {

TEST(MulDivTest, RoundsHalfAwayFromZeroAndRefusesWhatDoesNotFit) {
  struct Case {
    int number, numerator, denominator, expected;
  } cases[] = {
      {10, 1, 4, 3},            // 2.5 rounds up
      {-10, 1, 4, -3},          // -2.5 rounds away from zero
      {10, -1, 4, -3},
      {10, 1, -4, -3},
      {7, 1, 3, 2},             // 2.33
      {8, 1, 3, 3},             // 2.67
      {100000, 100000, 10, 1000000000},  // the product needs 64 bits
      {5, 7, 0, -1},            // no denominator
      {0x7FFFFFFF, 2, 1, -1},   // beyond 32 bits
  };
  for (const Case& c : cases)
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
}

}  // namespace
