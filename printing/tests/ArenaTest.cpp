#include <gtest/gtest.h>

#include "VodArena.h"
#include "VodFixture.h"

namespace vod {
namespace {

TEST(VodArena, BoundarySizesOfAFreshBlock) {
  VodArena arena;
  EXPECT_NE(arena.Alloc(262131), nullptr);  // fills the block to 262139 bytes
  EXPECT_EQ(arena.Fill(0), 262139u);
  EXPECT_EQ(arena.BlocksInUse(), 1);

  VodArena other;
  // Could never fit a block: refused at once, without taking blocks or
  // reporting a full arena.
  for (size_t n : {size_t{262132}, size_t{262133}, size_t{1} << 30}) {
    EXPECT_EQ(other.Alloc(n), nullptr) << n;
    EXPECT_EQ(other.LastFailure().text, 0) << n;
  }
  EXPECT_EQ(other.BlocksInUse(), 0);
}

TEST(VodArena, ARequestThatDoesNotFitGoesToTheNextBlockAndAFullArenaFails) {
  VodArena arena;
  for (int block = 0; block < VodArena::kBlocks; ++block) ASSERT_NE(arena.Alloc(200000), nullptr);
  EXPECT_EQ(arena.BlocksInUse(), 8);
  void* small = arena.Alloc(60000);  // still fits behind the first
  EXPECT_NE(small, nullptr);
  EXPECT_EQ(arena.Fill(0), 4u + 200004u + 60004u);
  EXPECT_EQ(arena.Alloc(100000), nullptr);
  EXPECT_EQ(arena.LastFailure().text, 46);
  EXPECT_EQ(arena.LastFailure().code, 1);
  EXPECT_EQ(arena.FreeAll(), "SSSSSSSS");
  EXPECT_EQ(arena.BlocksInUse(), 0);
}

TEST(VodArena, ReleasingAnOlderAllocationReleasesEveryNewerOneInItsBlock) {
  VodArena arena;
  void* a = arena.Alloc(100);
  void* b = arena.Alloc(200);
  void* c = arena.Alloc(300);
  ASSERT_TRUE(a && b && c);
  EXPECT_TRUE(arena.Free(b));
  EXPECT_EQ(arena.Fill(0), 4u + 104u);
  EXPECT_EQ(arena.Alloc(200), b);  // the space of b and c is free again

  EXPECT_TRUE(arena.Free(a));
  EXPECT_EQ(arena.Fill(0), 4u);
  EXPECT_TRUE(arena.Free(nullptr));

  int outside = 0;
  EXPECT_FALSE(arena.Free(&outside));
  EXPECT_EQ(arena.LastFailure().text, 48);
  EXPECT_EQ(arena.LastFailure().code, 4);
}

TEST(VodArena, NodeReleaseWaitsForNewerNodesSoLiveNodesAreNeverReleased) {
  VodArena arena;
  void* a = arena.Alloc(100);
  void* b = arena.Alloc(100);
  void* c = arena.Alloc(100);
  arena.Release(a);  // b and c still live
  EXPECT_EQ(arena.Fill(0), 4u + 3 * 104u);
  arena.Release(c);  // c goes; a waits behind b
  EXPECT_EQ(arena.Fill(0), 4u + 2 * 104u);
  arena.Release(b);  // b and the waiting a go together
  EXPECT_EQ(arena.Fill(0), 4u);
  EXPECT_EQ(arena.Alloc(100), a);
}

class ArenaOfAJob : public testing::VodFixture {};

TEST_F(ArenaOfAJob, HeldBlocksAreNotedInTheIniAtTheEndOfTheJob) {
  ASSERT_NE(m_context->ArenaAlloc(100), nullptr);
  ASSERT_NE(m_context->ArenaAlloc(262100), nullptr);
  m_context->EndJob();
  EXPECT_EQ(IniValue("Memory"), "SS");
}

TEST_F(ArenaOfAJob, AReleaseOfForeignMemoryIsReportedAndFailsTheJob) {
  int outside = 0;
  m_context->ArenaFree(&outside);
  EXPECT_EQ(m_context->jobState, kJobError);
  EXPECT_EQ(m_context->lastError, "Stack konnte nicht freigegben werden! Abbruch! < 4 > ");
}

}  // namespace
}  // namespace vod
