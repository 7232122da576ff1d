// Memory for the pixels of canvases and pictures. Large blocks are mapped
// with their pages made at once, which costs the system far less than making
// them one by one as the pixels are first written; a few freed blocks are
// kept for the next block of their size, since a window's picture is made
// again at the same size every time it is shown anew.
#pragma once

#include <cstddef>
#include <memory>

namespace layer {

class PixelBlocks {
 public:
  // Blocks smaller than this come from the ordinary heap.
  static constexpr std::size_t kLargeBlock = 256 * 1024;
  static void* Take(std::size_t bytes);
  static void Give(void* block, std::size_t bytes);
};

template <class T>
struct PixelAllocator {
  using value_type = T;
  PixelAllocator() = default;
  template <class U>
  PixelAllocator(const PixelAllocator<U>&) {}

  T* allocate(std::size_t count) {
    return static_cast<T*>(PixelBlocks::Take(count * sizeof(T)));
  }
  void deallocate(T* block, std::size_t count) { PixelBlocks::Give(block, count * sizeof(T)); }

  template <class U>
  bool operator==(const PixelAllocator<U>&) const {
    return true;
  }
};

}  // namespace layer
