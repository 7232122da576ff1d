#include <gtest/gtest.h>

#include "win32/Win32.h"

TEST(Types, WidthsAndPackingMatchThePlatform) {
  EXPECT_EQ(sizeof(BYTE), 1u);
  EXPECT_EQ(sizeof(WORD), 2u);
  EXPECT_EQ(sizeof(DWORD), 4u);
  EXPECT_EQ(sizeof(LONG), 4u);
  EXPECT_EQ(sizeof(BOOL), 4u);
  EXPECT_EQ(sizeof(POINT), 8u);
  EXPECT_EQ(sizeof(RECT), 16u);
  EXPECT_EQ(sizeof(WPARAM), sizeof(void*));
  EXPECT_EQ(sizeof(LPARAM), sizeof(void*));
}

TEST(Types, WordAndColourMacros) {
  LONG packed = MAKELONG(0x1234, 0xABCD);
  EXPECT_EQ(static_cast<DWORD>(packed), 0xABCD1234u);
  EXPECT_EQ(LOWORD(packed), 0x1234);
  EXPECT_EQ(HIWORD(packed), 0xABCD);
  EXPECT_EQ(LOBYTE(0x1234), 0x34);
  EXPECT_EQ(HIBYTE(0x1234), 0x12);
  COLORREF colour = RGB(0x7F, 0x80, 0x81);
  EXPECT_EQ(colour, 0x81807Fu);
  EXPECT_EQ(GetRValue(colour), 0x7F);
  EXPECT_EQ(GetGValue(colour), 0x80);
  EXPECT_EQ(GetBValue(colour), 0x81);
  // A negative coordinate in the high word survives the round trip through LPARAM.
  LPARAM point = MAKELPARAM(static_cast<WORD>(-5), 7);
  EXPECT_EQ(static_cast<short>(LOWORD(point)), -5);
  EXPECT_EQ(static_cast<short>(HIWORD(point)), 7);
}
