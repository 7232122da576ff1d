#include "VodArena.h"

#include <cstring>

#include "win32/Memory.h"

namespace vod {

// The back link of an allocation holds its offset within the block rather
// than its address, which does not fit 32 bits here. The block's bytes start
// 4 bytes into the system block, so that with the leading dword and 4-byte
// links the callers' 8-byte-aligned requests stay aligned.
namespace {
constexpr size_t kLead = 4;
}

VodArena::~VodArena() { FreeAll(); }

int VodArena::CreateBlock(Block& block) {
  block.handle = GlobalAlloc(GHND, kBlockSize + kLead);
  if (!block.handle) return 2;
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block.handle));
  if (!bytes) {
    GlobalFree(block.handle);
    block.handle = nullptr;
    return 3;
  }
  block.base = bytes + kLead;
  std::memset(block.base, 0, 4);
  block.fill = 4;
  block.top = 0;
  return 0;
}

uint32_t VodArena::BackLink(const Block& block) const {
  uint32_t link;
  std::memcpy(&link, block.base + block.top, sizeof link);
  return link;
}

void* VodArena::Fail(int text, int code) {
  m_failure = Failure{text, code};
  return nullptr;
}

void* VodArena::Alloc(size_t n) {
  m_failure = Failure{};
  if (n > kLargestRequest) return nullptr;  // could never fit: refused at once
  for (Block& block : m_blocks) {
    if (!block.handle) {
      if (int failure = CreateBlock(block)) return Fail(47, failure);
    }
    if (block.fill + n + 4 >= kBlockSize) continue;
    uint32_t start = block.top + 4;
    block.top = static_cast<uint32_t>(start + n);
    block.fill += n + 4;
    std::memcpy(block.base + block.top, &start, sizeof start);
    return block.base + start;
  }
  return Fail(46, 1);
}

VodArena::Block* VodArena::BlockOf(const void* p) {
  auto* address = static_cast<const unsigned char*>(p);
  for (Block& block : m_blocks) {
    if (block.handle && address >= block.base + 4 && address <= block.base + block.top) return &block;
  }
  return nullptr;
}

void* VodArena::Newest(const Block& block) const {
  return block.top == 0 ? nullptr : block.base + BackLink(block);
}

void VodArena::Release(void* p) {
  Block* block = p ? BlockOf(p) : nullptr;
  if (!block) return;
  m_waiting.insert(p);
  // Each one taken is the newest of its block: nothing waits above it.
  for (void* newest = Newest(*block); newest && m_waiting.erase(newest); newest = Newest(*block))
    Unwind(*block, newest);
}

void VodArena::Unwind(Block& block, const void* p) {
  auto start = static_cast<uint32_t>(static_cast<const unsigned char*>(p) - block.base);
  // Newest first until p itself is gone.
  while (block.top != 0) {
    uint32_t newest = BackLink(block);
    block.fill -= block.top + 4 - newest;
    block.top = newest - 4;
    if (newest <= start) break;
  }
}

bool VodArena::Free(void* p) {
  if (!p) return true;
  auto* address = static_cast<unsigned char*>(p);
  if (Block* found = BlockOf(p)) {
    Block& block = *found;
    Unwind(block, p);
    // Nodes that waited above p went with it.
    m_waiting.erase(m_waiting.lower_bound(address), m_waiting.lower_bound(block.base + kBlockSize));
    return true;
  }
  Fail(48, 4);
  return false;
}

std::string VodArena::FreeAll() {
  std::string freed;
  for (Block& block : m_blocks) {
    if (!block.handle) continue;
    GlobalUnlock(block.handle);
    GlobalFree(block.handle);
    block = Block{};
    freed += 'S';
  }
  m_waiting.clear();
  return freed;
}

int VodArena::BlocksInUse() const {
  int count = 0;
  for (const Block& block : m_blocks) count += block.handle != nullptr;
  return count;
}

}  // namespace vod
