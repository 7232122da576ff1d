#include <gtest/gtest.h>

#include <thread>

#include "win32/Errors.h"
#include "win32/ThreadLocal.h"

TEST(ThreadLocal, EachThreadSeesOnlyItsOwnValue) {
  DWORD slot = TlsAlloc();
  ASSERT_NE(slot, TLS_OUT_OF_INDEXES);
  int mine = 1;
  ASSERT_TRUE(TlsSetValue(slot, &mine));

  void* seenByOther = &mine;
  int other = 2;
  void* otherAfterSet = nullptr;
  std::thread worker([&] {
    seenByOther = TlsGetValue(slot);
    TlsSetValue(slot, &other);
    otherAfterSet = TlsGetValue(slot);
  });
  worker.join();

  EXPECT_EQ(seenByOther, nullptr);
  EXPECT_EQ(otherAfterSet, &other);
  EXPECT_EQ(TlsGetValue(slot), &mine);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(TlsFree(slot));
}

TEST(ThreadLocal, ASlotHandedOutAgainStartsEmptyAndFreedSlotsAreRefused) {
  DWORD slot = TlsAlloc();
  int value = 7;
  TlsSetValue(slot, &value);
  ASSERT_TRUE(TlsFree(slot));
  EXPECT_EQ(TlsGetValue(slot), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(TlsSetValue(slot, &value));
  EXPECT_FALSE(TlsFree(slot));

  DWORD again = TlsAlloc();
  ASSERT_EQ(again, slot);  // the lowest free slot is handed out
  EXPECT_EQ(TlsGetValue(again), nullptr);
  TlsFree(again);
}
