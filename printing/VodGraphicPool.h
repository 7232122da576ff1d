// The pool for large graphic data of a job: blocks of 262140 bytes cut into
// chunks on a doubly linked list, taken first-fit and merged when freed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "win32/Types.h"

namespace vod {

class VodGraphicPool {
 public:
  static constexpr size_t kBlockSize = 262140;
  static constexpr size_t kChunkHeader = 12;
  static constexpr size_t kLargestRequest = kBlockSize - kChunkHeader - 1;
  // A free chunk that would leave less than this behind is taken whole.
  static constexpr size_t kSplitSlack = 32;

  VodGraphicPool() = default;
  ~VodGraphicPool();
  VodGraphicPool(const VodGraphicPool&) = delete;
  VodGraphicPool& operator=(const VodGraphicPool&) = delete;

  // n bytes, or null: failure 49 with the system error when no block can be
  // had; null without failure for a request that can never fit.
  void* Alloc(size_t n);
  // False (failure 62) for a p that is no chunk in use; a null p does nothing.
  bool Free(void* p);
  // Frees every block; one "D" per block.
  std::string FreeAll();

  int Failure() const { return m_failure; }
  size_t Blocks() const { return m_entries.size(); }
  // The largest free chunk of a block.
  size_t LargestFree(size_t block) const { return m_entries[block].largestFree; }

 private:
  // Chunk header inside a block: offsets of the neighbours (0 for none,
  // since the first chunk starts at offset 0 and has no previous) and the
  // signed size, positive free, negative in use.
  struct Chunk {
    uint32_t previous;
    uint32_t next;
    int32_t size;
  };
  struct Entry {
    HGLOBAL handle = nullptr;
    unsigned char* base = nullptr;
    size_t largestFree = 0;
  };

  Chunk* At(const Entry& entry, uint32_t offset) const;
  bool NewEntry();
  void RecomputeLargest(Entry& entry);
  void* TakeFrom(Entry& entry, size_t n);

  std::vector<Entry> m_entries;
  int m_failure = 0;
};

}  // namespace vod
