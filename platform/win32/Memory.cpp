#include "win32/Memory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

#include "win32/Errors.h"

namespace {

struct Block {
  void* data = nullptr;
  SIZE_T size = 0;
  UINT flags = 0;
  UINT locks = 0;
};

// Every block, by the handle its owner holds. A handle the table does not know
// is refused, so a stale or foreign handle cannot reach memory.
class BlockTable {
 public:
  HGLOBAL Add(Block* block) {
    std::lock_guard<std::mutex> lock(m_mutex);
    HGLOBAL handle = (block->flags & GMEM_MOVEABLE) ? static_cast<HGLOBAL>(block) : block->data;
    m_blocks[handle] = block;
    return handle;
  }

  template <class Work>
  auto With(HGLOBAL handle, Work work) -> decltype(work(static_cast<Block*>(nullptr))) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_blocks.find(handle);
    if (found == m_blocks.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return work(nullptr);
    }
    return work(found->second);
  }

  Block* Remove(HGLOBAL handle) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_blocks.find(handle);
    if (found == m_blocks.end()) return nullptr;
    Block* block = found->second;
    m_blocks.erase(found);
    return block;
  }

  HGLOBAL HandleOf(LPCVOID address) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& [handle, block] : m_blocks)
      if (block->data == address) return handle;
    return nullptr;
  }

 private:
  std::mutex m_mutex;
  std::unordered_map<HGLOBAL, Block*> m_blocks;
};

BlockTable& Blocks() {
  static BlockTable* table = new BlockTable;  // outlives every static user
  return *table;
}

void* AllocateBytes(SIZE_T bytes, bool zero) {
  // A zero-byte block still gets an address of its own.
  void* data = zero ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
  return data;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  void* data = AllocateBytes(bytes, flags & GMEM_ZEROINIT);
  if (!data) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Block* block = new (std::nothrow) Block{data, bytes, flags & (GMEM_MOVEABLE | GMEM_DISCARDABLE | GMEM_SHARE), 0};
  if (!block) {
    std::free(data);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return Blocks().Add(block);
}

LPVOID GlobalLock(HGLOBAL handle) {
  return Blocks().With(handle, [](Block* block) -> LPVOID {
    if (!block) return nullptr;
    if ((block->flags & GMEM_MOVEABLE) && block->locks < GMEM_LOCKCOUNT) ++block->locks;
    return block->data;
  });
}

BOOL GlobalUnlock(HGLOBAL handle) {
  return Blocks().With(handle, [](Block* block) -> BOOL {
    if (!block) return FALSE;
    if (!(block->flags & GMEM_MOVEABLE) || block->locks == 0) {
      SetLastError(ERROR_NOT_LOCKED);
      return FALSE;
    }
    --block->locks;
    SetLastError(NO_ERROR);
    return block->locks > 0 ? TRUE : FALSE;
  });
}

HGLOBAL GlobalFree(HGLOBAL handle) {
  if (!handle) return nullptr;
  Block* block = Blocks().Remove(handle);
  if (!block) {
    SetLastError(ERROR_INVALID_HANDLE);
    return handle;
  }
  std::free(block->data);
  delete block;
  return nullptr;
}

SIZE_T GlobalSize(HGLOBAL handle) {
  return Blocks().With(handle, [](Block* block) -> SIZE_T { return block ? block->size : 0; });
}

UINT GlobalFlags(HGLOBAL handle) {
  return Blocks().With(handle, [](Block* block) -> UINT {
    return block ? (block->locks & GMEM_LOCKCOUNT) | (block->flags & GMEM_DISCARDABLE) : GMEM_INVALID_HANDLE;
  });
}

HGLOBAL GlobalHandle(LPCVOID address) { return Blocks().HandleOf(address); }

HGLOBAL GlobalReAlloc(HGLOBAL handle, SIZE_T bytes, UINT flags) {
  Block* block = Blocks().Remove(handle);
  if (!block) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // A fixed block changes its address, so it may only move when asked to.
  bool fixed = !(block->flags & GMEM_MOVEABLE);
  bool mayMove = !fixed || (flags & GMEM_MOVEABLE);
  void* data = mayMove ? std::realloc(block->data, bytes ? bytes : 1) : nullptr;
  if (!data) {
    Blocks().Add(block);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if ((flags & GMEM_ZEROINIT) && bytes > block->size)
    std::memset(static_cast<char*>(data) + block->size, 0, bytes - block->size);
  block->data = data;
  block->size = bytes;
  return Blocks().Add(block);
}
