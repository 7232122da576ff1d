// The whole layer in one translation unit: its headers must agree with each other.
#include <gtest/gtest.h>

#include "mfc/Mfc.h"
#include "win32/Win32.h"

TEST(Umbrella, AllHeadersTogether) { EXPECT_EQ(MAKELONG(1, 2), 0x20001); }
