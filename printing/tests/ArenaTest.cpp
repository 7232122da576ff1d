#include <gtest/gtest.h>

#include "VodArena.h"
#include "VodFixture.h"
#include "win32/Memory.h"
#include "VodGraphicPool.h"

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

namespace vod {
namespace {

TEST(VodGraphicPool, ChunksAreTakenFirstFitSplitAndMergedAgain) {
  VodGraphicPool pool;
  constexpr size_t kWhole = VodGraphicPool::kBlockSize - VodGraphicPool::kChunkHeader;
  void* a = pool.Alloc(1000);
  void* b = pool.Alloc(2000);
  void* c = pool.Alloc(3000);
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(pool.Blocks(), 1u);
  EXPECT_EQ(static_cast<char*>(b) - static_cast<char*>(a), 1000 + 12);
  EXPECT_EQ(pool.LargestFree(0), kWhole - 6000 - 3 * 12);

  EXPECT_TRUE(pool.Free(b));
  EXPECT_EQ(pool.Alloc(1980), b);  // 20 bytes would be left: the chunk is taken whole
  EXPECT_TRUE(pool.Free(b));
  EXPECT_EQ(pool.Alloc(500), b);  // split: the rest stays free behind it
  void* d = pool.Alloc(1000);
  EXPECT_EQ(d, static_cast<char*>(b) + 500 + 12);

  for (void* p : {a, b, d, c}) EXPECT_TRUE(pool.Free(p));
  EXPECT_EQ(pool.LargestFree(0), kWhole);  // every neighbour merged back into one chunk

  EXPECT_FALSE(pool.Free(a));  // no longer in use
  EXPECT_EQ(pool.Failure(), 62);
  EXPECT_FALSE(pool.Free(static_cast<char*>(c) + 4));  // no chunk starts there
  EXPECT_TRUE(pool.Free(nullptr));
}

TEST(VodGraphicPool, LargeRequestsTakeNewBlocksAndImpossibleOnesAreRefused) {
  VodGraphicPool pool;
  EXPECT_NE(pool.Alloc(VodGraphicPool::kLargestRequest - 3), nullptr);
  EXPECT_NE(pool.Alloc(200000), nullptr);
  EXPECT_EQ(pool.Blocks(), 2u);
  EXPECT_EQ(pool.Alloc(262128), nullptr);
  EXPECT_EQ(pool.Failure(), 0);
  EXPECT_EQ(pool.FreeAll(), "DD");
}

TEST_F(ArenaOfAJob, GraphicBlocksAreNotedBesideArenaBlocks) {
  ASSERT_NE(m_context->ArenaAlloc(10), nullptr);
  ASSERT_NE(m_context->GrafAlloc(10), nullptr);
  int outside = 0;
  m_context->GrafFree(&outside);
  EXPECT_EQ(m_context->lastError, "Platz f\xFCr die Daten kann nicht deallokiert werden! < 0 > ");
  m_context->EndJob();
  EXPECT_EQ(IniValue("Memory"), "SD");
}

}  // namespace
}  // namespace vod

namespace vod {
namespace {

TEST_F(ArenaOfAJob, GraphicObjectsFreeTheirBlocksWhenRemovedOrAtTheEndOfTheJob) {
  HGLOBAL a1 = GlobalAlloc(GMEM_MOVEABLE, 16), a2 = GlobalAlloc(GMEM_MOVEABLE, 16);
  HGLOBAL b1 = GlobalAlloc(GMEM_MOVEABLE, 16);
  VodGraphicObjects& objects = m_context->graphicObjects;
  ASSERT_TRUE(objects.AddGraphicObject(7, a1, a2));
  ASSERT_TRUE(objects.AddGraphicObject(9, b1, nullptr));
  EXPECT_FALSE(objects.RemoveGraphicObject(8));
  EXPECT_TRUE(objects.RemoveGraphicObject(7));
  EXPECT_EQ(GlobalSize(a1), 0u);
  EXPECT_EQ(GlobalSize(a2), 0u);
  EXPECT_EQ(GlobalSize(b1), 16u);
  ASSERT_NE(objects.First(), nullptr);
  EXPECT_EQ(objects.First()->key, 9u);
  EXPECT_FALSE(objects.RemoveGraphicObject(7));
  m_context->EndJob();
  EXPECT_EQ(GlobalSize(b1), 0u);
  EXPECT_EQ(objects.First(), nullptr);
}

}  // namespace
}  // namespace vod
