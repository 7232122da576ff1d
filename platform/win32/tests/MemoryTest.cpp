#include <gtest/gtest.h>

#include <cstring>

#include "win32/Errors.h"
#include "win32/Memory.h"

TEST(GlobalMemory, MovableBlockIsReachedThroughLocksAndCountsThem) {
  HGLOBAL block = GlobalAlloc(GHND, 64);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 64u);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  ASSERT_NE(bytes, nullptr);
  EXPECT_NE(static_cast<void*>(bytes), block);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(bytes[i], 0) << i;
  EXPECT_EQ(GlobalLock(block), bytes);
  EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 2u);
  EXPECT_TRUE(GlobalUnlock(block));   // still locked once
  EXPECT_FALSE(GlobalUnlock(block));  // now unlocked
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  EXPECT_FALSE(GlobalUnlock(block));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, FixedBlockIsItsOwnAddress) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, 10);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalLock(block), block);
  EXPECT_EQ(GlobalHandle(block), block);
  EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(GlobalMemory, ReallocationKeepsContentsAndZeroesTheGrowth) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(block), "abcd", 4);
  GlobalUnlock(block);
  HGLOBAL grown = GlobalReAlloc(block, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT);
  ASSERT_NE(grown, nullptr);
  auto* bytes = static_cast<char*>(GlobalLock(grown));
  EXPECT_EQ(std::memcmp(bytes, "abcd", 4), 0);
  EXPECT_EQ(bytes[4095], 0);
  GlobalUnlock(grown);
  GlobalFree(grown);
}

TEST(GlobalMemory, UnknownAndFreedHandlesAreRefused) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
  GlobalFree(block);
  EXPECT_EQ(GlobalLock(block), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GlobalFree(block), block);  // a second free is refused, not a double free
  int local = 0;
  EXPECT_EQ(GlobalLock(&local), nullptr);
  EXPECT_EQ(GlobalFlags(&local), GMEM_INVALID_HANDLE);
}
