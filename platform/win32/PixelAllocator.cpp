#include "win32/PixelAllocator.h"

#include <sys/mman.h>
#include <unistd.h>

#include <mutex>
#include <new>
#include <vector>

namespace layer {

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The sanitised build keeps every block on the checked heap, so that a write
// past a row's end is caught.
constexpr bool kMapLargeBlocks = false;
#else
constexpr bool kMapLargeBlocks = true;
#endif

constexpr std::size_t kKeptBlocks = 8;
constexpr std::size_t kKeptBytes = 64u << 20;

std::size_t MappedSize(std::size_t bytes) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

struct Kept {
  void* block;
  std::size_t size;
};

class KeptBlocks {
 public:
  void* Take(std::size_t size) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it) {
      if (it->size != size) continue;
      void* block = it->block;
      m_bytes -= size;
      m_blocks.erase(it);
      return block;
    }
    return nullptr;
  }
  bool Keep(void* block, std::size_t size) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_blocks.size() >= kKeptBlocks || m_bytes + size > kKeptBytes) return false;
    m_blocks.push_back(Kept{block, size});
    m_bytes += size;
    return true;
  }

 private:
  std::mutex m_mutex;
  std::vector<Kept> m_blocks;
  std::size_t m_bytes = 0;
};

KeptBlocks& Blocks() {
  static auto* blocks = new KeptBlocks;  // blocks are given back until the program's last moment
  return *blocks;
}

}  // namespace

void* PixelBlocks::Take(std::size_t bytes) {
  if (!kMapLargeBlocks || bytes < kLargeBlock) return ::operator new(bytes);
  const std::size_t size = MappedSize(bytes);
  if (void* kept = Blocks().Take(size)) return kept;
  void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (block == MAP_FAILED) throw std::bad_alloc();
  return block;
}

void PixelBlocks::Give(void* block, std::size_t bytes) {
  if (!block) return;
  if (!kMapLargeBlocks || bytes < kLargeBlock) {
    ::operator delete(block);
    return;
  }
  const std::size_t size = MappedSize(bytes);
  if (!Blocks().Keep(block, size)) munmap(block, size);
}

}  // namespace layer
