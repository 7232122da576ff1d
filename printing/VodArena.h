// The job arena: up to eight large blocks from which everything a job builds
// is taken, released in stack order within a block and thrown away whole when
// the job ends, so that a long script costs only a handful of system blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <set>

#include "win32/Types.h"

namespace vod {

class VodArena {
 public:
  static constexpr size_t kBlockSize = 262140;
  static constexpr int kBlocks = 8;
  // The largest request that can ever fit: a fresh block holds its leading
  // dword, the request and the request's back link.
  static constexpr size_t kLargestRequest = kBlockSize - 4 - 4 - 1;

  // Why the last request or release failed; the caller reports it.
  struct Failure {
    int text = 0;  // 46 full, 47 no memory, 48 unknown release
    int code = 0;
  };

  // The size to ask for so that, with the arena's 4-byte links, node
  // allocations keep every node on an 8-byte boundary.
  static constexpr size_t NodeSize(size_t bytes) { return (bytes + 4 + 7) / 8 * 8 - 4; }

  VodArena() = default;
  ~VodArena();
  VodArena(const VodArena&) = delete;
  VodArena& operator=(const VodArena&) = delete;

  // n bytes, or null: without a failure for a request that can never fit,
  // with one when the blocks are full or cannot be had.
  void* Alloc(size_t n);
  // Releases p and everything taken after it from the same block. False for
  // a p from no block (a failure is recorded); a null p does nothing.
  bool Free(void* p);
  // Releases a node that others may still follow: p goes at once when it is
  // the newest allocation of its block, together with every older neighbour
  // released before; otherwise it waits until the newer ones are gone.
  void Release(void* p);
  // Frees every block; returns one "S" per block that was still held.
  std::string FreeAll();

  const Failure& LastFailure() const { return m_failure; }
  int BlocksInUse() const;
  // Bytes in use in a block (4 after creation), 0 for a slot without block.
  size_t Fill(int slot) const { return m_blocks[slot].fill; }

 private:
  struct Block {
    HGLOBAL handle = nullptr;
    unsigned char* base = nullptr;  // the block's leading dword
    size_t fill = 0;
    uint32_t top = 0;  // offset of the newest back link
  };

  // 0, or the failure code: 2 no memory, 3 not lockable.
  int CreateBlock(Block& block);
  uint32_t BackLink(const Block& block) const;
  // Takes back p and everything taken after it from the block.
  void Unwind(Block& block, const void* p);
  void* Fail(int text, int code);

  Block* BlockOf(const void* p);
  void* Newest(const Block& block) const;

  std::array<Block, kBlocks> m_blocks{};
  // Ordered, so that a release takes the waiting nodes above it as one range.
  std::set<const void*> m_waiting;
  Failure m_failure;
};

}  // namespace vod
