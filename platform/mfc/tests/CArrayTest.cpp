#include <gtest/gtest.h>

#include "mfc/CPtrArray.h"
#include "mfc/CStringArray.h"

TEST(CPtrArray, GrowsToTheSizeOrByAnEighthClampedToFourAndOneThousandTwentyFour) {
  CPtrArray array;
  // (size after the add, allocation after it)
  struct Step {
    int size, alloc;
  } steps[] = {{1, 1}, {2, 5}, {5, 5}, {6, 9}, {10, 13}, {14, 17}};
  int done = 0;
  for (const Step& step : steps) {
    while (array.GetSize() < step.size) array.Add(reinterpret_cast<void*>(static_cast<intptr_t>(++done)));
    EXPECT_EQ(array.GetAllocSize(), step.alloc) << "size " << step.size;
  }
  // A size beyond the allocation plus the step is taken as it is.
  array.SetSize(100);
  EXPECT_EQ(array.GetAllocSize(), 100);
  EXPECT_EQ(array.GetAt(99), nullptr);
  EXPECT_EQ(array.GetAt(13), reinterpret_cast<void*>(14));
  // From size 80 the step is 10.
  array.SetSize(80);
  array.FreeExtra();
  array.Add(nullptr);
  EXPECT_EQ(array.GetAllocSize(), 90);
  // The step is clamped to 1024.
  array.SetSize(16000);
  array.FreeExtra();
  array.Add(nullptr);
  EXPECT_EQ(array.GetAllocSize(), 16000 + 1024);
  // An explicit step replaces the computed one.
  CPtrArray stepped;
  stepped.SetSize(0, 32);
  stepped.Add(nullptr);
  stepped.Add(nullptr);
  EXPECT_EQ(stepped.GetAllocSize(), 33);
}

TEST(CPtrArray, InsertAndRemoveMoveTheRest) {
  CPtrArray array;
  int a = 0, b = 0, c = 0;
  array.Add(&a);
  array.Add(&c);
  array.InsertAt(1, &b);
  ASSERT_EQ(array.GetSize(), 3);
  EXPECT_EQ(array[0], &a);
  EXPECT_EQ(array[1], &b);
  EXPECT_EQ(array[2], &c);
  array.RemoveAt(0, 2);
  ASSERT_EQ(array.GetSize(), 1);
  EXPECT_EQ(array[0], &c);
  array.RemoveAt(5);  // out of range: nothing happens
  EXPECT_EQ(array.GetSize(), 1);
  EXPECT_TRUE(array.IsKindOf(RUNTIME_CLASS(CPtrArray)));
}

TEST(CStringArray, HoldsStringsByValue) {
  CStringArray array;
  CString text = "one";
  array.Add(text);
  text = "changed";
  array.SetAtGrow(3, "four");
  ASSERT_EQ(array.GetSize(), 4);
  EXPECT_EQ(array[0], "one");
  EXPECT_TRUE(array[1].IsEmpty());
  EXPECT_EQ(array.GetAt(3), "four");
  array.RemoveAll();
  EXPECT_EQ(array.GetSize(), 0);
}
