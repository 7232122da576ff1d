#include "VodGraphicPool.h"

#include <algorithm>
#include <cstring>

#include "win32/Errors.h"
#include "win32/Memory.h"

namespace vod {
namespace {
constexpr uint32_t kNone = 0xFFFFFFFFu;
}

VodGraphicPool::~VodGraphicPool() { FreeAll(); }

VodGraphicPool::Chunk* VodGraphicPool::At(const Entry& entry, uint32_t offset) const {
  return reinterpret_cast<Chunk*>(entry.base + offset);
}

bool VodGraphicPool::NewEntry() {
  Entry entry;
  entry.handle = GlobalAlloc(GHND, kBlockSize);
  entry.base = entry.handle ? static_cast<unsigned char*>(GlobalLock(entry.handle)) : nullptr;
  if (!entry.base) {
    if (entry.handle) GlobalFree(entry.handle);
    m_failure = 49;
    return false;
  }
  Chunk first{kNone, kNone, static_cast<int32_t>(kBlockSize - kChunkHeader)};
  std::memcpy(entry.base, &first, sizeof first);
  entry.largestFree = kBlockSize - kChunkHeader;
  m_entries.push_back(entry);
  return true;
}

void VodGraphicPool::RecomputeLargest(Entry& entry) {
  entry.largestFree = 0;
  for (uint32_t offset = 0; offset != kNone; offset = At(entry, offset)->next) {
    const Chunk* chunk = At(entry, offset);
    if (chunk->size > 0) entry.largestFree = std::max<size_t>(entry.largestFree, chunk->size);
  }
}

void* VodGraphicPool::TakeFrom(Entry& entry, size_t n) {
  for (uint32_t offset = 0; offset != kNone; offset = At(entry, offset)->next) {
    Chunk* chunk = At(entry, offset);
    if (chunk->size <= 0 || static_cast<size_t>(chunk->size) < n) continue;
    size_t size = chunk->size;
    if (size >= n + kSplitSlack) {
      // The rest behind the taken part becomes a free chunk of its own.
      uint32_t restOffset = static_cast<uint32_t>(offset + kChunkHeader + n);
      Chunk rest{offset, chunk->next, static_cast<int32_t>(size - n - kChunkHeader)};
      std::memcpy(entry.base + restOffset, &rest, sizeof rest);
      if (chunk->next != kNone) At(entry, chunk->next)->previous = restOffset;
      chunk->next = restOffset;
      size = n;
    }
    chunk->size = -static_cast<int32_t>(size);
    RecomputeLargest(entry);
    return entry.base + offset + kChunkHeader;
  }
  return nullptr;
}

void* VodGraphicPool::Alloc(size_t n) {
  m_failure = 0;
  if (n > kLargestRequest) return nullptr;
  n = (n + 3) / 4 * 4;  // chunk headers stay aligned
  for (Entry& entry : m_entries)
    if (entry.largestFree >= n)
      if (void* p = TakeFrom(entry, n)) return p;
  if (!NewEntry()) return nullptr;
  return TakeFrom(m_entries.back(), n);
}

bool VodGraphicPool::Free(void* p) {
  if (!p) return true;
  auto* address = static_cast<unsigned char*>(p);
  for (Entry& entry : m_entries) {
    if (address < entry.base + kChunkHeader || address >= entry.base + kBlockSize) continue;
    for (uint32_t offset = 0; offset != kNone; offset = At(entry, offset)->next) {
      Chunk* chunk = At(entry, offset);
      if (entry.base + offset + kChunkHeader != address) continue;
      if (chunk->size >= 0) break;
      chunk->size = -chunk->size;
      // Merge with a free neighbour behind, then with a free one before.
      if (chunk->next != kNone && At(entry, chunk->next)->size > 0) {
        Chunk* next = At(entry, chunk->next);
        chunk->size += next->size + kChunkHeader;
        chunk->next = next->next;
        if (chunk->next != kNone) At(entry, chunk->next)->previous = offset;
      }
      if (chunk->previous != kNone && At(entry, chunk->previous)->size > 0) {
        Chunk* previous = At(entry, chunk->previous);
        previous->size += chunk->size + kChunkHeader;
        previous->next = chunk->next;
        if (chunk->next != kNone) At(entry, chunk->next)->previous = chunk->previous;
        chunk = previous;
      }
      entry.largestFree = std::max<size_t>(entry.largestFree, chunk->size);
      return true;
    }
    break;
  }
  m_failure = 62;
  return false;
}

std::string VodGraphicPool::FreeAll() {
  std::string freed;
  for (Entry& entry : m_entries) {
    GlobalUnlock(entry.handle);
    GlobalFree(entry.handle);
    freed += 'D';
  }
  m_entries.clear();
  return freed;
}

}  // namespace vod
