#include <gtest/gtest.h>

#include "win32/Clock.h"

TEST(Clock, ManualClockMakesPausesInstantAndCountsThem) {
  layer::ManualClock clock(5000);
  layer::ScopedClock use(clock);
  EXPECT_EQ(GetTickCount(), 5000u);
  Sleep(100);
  Sleep(250);
  EXPECT_EQ(GetTickCount(), 5350u);
  EXPECT_EQ(clock.SleptMilliseconds(), 350u);
  EXPECT_EQ(clock.SleepCalls(), 2);
  clock.Advance(60000);
  EXPECT_EQ(GetTickCount(), 65350u);
}

TEST(Clock, LocalTimeComesFromTheInstalledClock) {
  layer::ManualClock clock;
  SYSTEMTIME wanted{1999, 12, 5, 31, 23, 59, 58, 0};
  clock.SetLocalTime(wanted);
  {
    layer::ScopedClock use(clock);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 1999);
    EXPECT_EQ(now.wDay, 31);
    EXPECT_EQ(now.wSecond, 58);
  }
  // Once the scope ends the system clock is back.
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_GE(now.wYear, 2024);
}

TEST(Clock, SystemClockAdvances) {
  DWORD before = GetTickCount();
  Sleep(20);
  EXPECT_GE(GetTickCount() - before, 15u);
}
