// The pixels behind a window canvas or a memory bitmap: 32-bit 0xFFRRGGBB
// values, top row first. Qt shows and draws on the same memory without a copy.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "win32/DrawnTexts.h"
#include "win32/Types.h"

namespace layer {

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, std::uint32_t fill = 0xFFFFFFFFu);
  Surface(Surface&& other) noexcept;
  Surface& operator=(Surface&& other) noexcept;

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  std::uint32_t* Row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
  const std::uint32_t* Row(int y) const { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
  std::uint32_t* Bits() { return m_pixels.data(); }
  const std::uint32_t* Bits() const { return m_pixels.data(); }
  int BytesPerLine() const { return m_width * 4; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

  // New size; the pixels that both sizes share keep their values, new ones get fill.
  void Resize(int width, int height, std::uint32_t fill = 0xFFFFFFFFu);
  void Fill(const RECT& area, std::uint32_t pixel);

  // Counts changes, so a screen knows when to show the canvas again.
  void Touch() { m_generation.fetch_add(1, std::memory_order_relaxed); }
  unsigned Generation() const { return m_generation.load(std::memory_order_relaxed); }

  // Bits per pixel the bitmap was created with (1 for monochrome bitmaps);
  // the pixels are always 32-bit.
  int m_bitsPerPixel = 32;
  // What was written on it, for tools that read a program's windows.
  DrawnTexts texts;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint32_t> m_pixels;
  std::atomic<unsigned> m_generation{0};
};

constexpr std::uint32_t PixelFromColor(COLORREF color) {
  return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr COLORREF ColorFromPixel(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

}  // namespace layer
