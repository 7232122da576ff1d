// The pixels behind a window canvas or a memory bitmap: 32-bit 0xFFRRGGBB
// values, top row first. Qt shows and draws on the same memory without a copy.
// A one-bit bitmap starts narrow, one byte a pixel (0 black, 255 white), a
// quarter of the memory: the drawing that knows narrow rows keeps it so, and
// the first caller that asks for 32-bit pixels (Row, Bits) widens it for good.
// A new size, or a new surface, takes memory only when its pixels are first
// asked for: windows are sized again and again while they are made and laid
// out, and hidden ones may never be drawn.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "win32/DrawnTexts.h"
#include "win32/PixelAllocator.h"
#include "win32/Types.h"

namespace layer {

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, std::uint32_t fill = 0xFFFFFFFFu);
  Surface(Surface&& other) noexcept;
  Surface& operator=(Surface&& other) noexcept;
  // A narrow surface of black or white.
  static Surface Bilevel(int width, int height, bool white);
  // A surface of the source's size and 32-bit pixels (what was written on it is not copied).
  static Surface PixelsOf(const Surface& source);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  std::uint32_t* Row(int y) { return Wide().data() + static_cast<std::size_t>(y) * m_width; }
  const std::uint32_t* Row(int y) const { return Wide().data() + static_cast<std::size_t>(y) * m_width; }
  std::uint32_t* Bits() { return Wide().data(); }
  const std::uint32_t* Bits() const { return Wide().data(); }
  // Narrow rows, only while the surface is narrow.
  bool Narrow() const { return !m_levels.empty(); }
  std::uint8_t* NarrowRow(int y) { return m_levels.data() + static_cast<std::size_t>(y) * m_width; }
  const std::uint8_t* NarrowRow(int y) const { return m_levels.data() + static_cast<std::size_t>(y) * m_width; }
  int BytesPerLine() const { return m_width * 4; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

  // New size; the pixels that both sizes share keep their values, new ones get fill.
  void Resize(int width, int height, std::uint32_t fill = 0xFFFFFFFFu);
  // Fills the part of the area that lies on the surface.
  void Fill(const RECT& area, std::uint32_t pixel);

  // Counts changes, so a screen knows when to show the canvas again.
  void Touch() { m_generation.fetch_add(1, std::memory_order_relaxed); }
  unsigned Generation() const { return m_generation.load(std::memory_order_relaxed); }

  // Bits per pixel the bitmap was created with (1 for monochrome bitmaps);
  // the pixels are 32-bit unless the surface is narrow.
  int m_bitsPerPixel = 32;
  // What was written on it, for tools that read a program's windows.
  DrawnTexts texts;

 private:
  // The 32-bit pixels, made from the narrow ones when there are such, at
  // the surface's present size.
  using Pixels = std::vector<std::uint32_t, PixelAllocator<std::uint32_t>>;
  Pixels& Wide() const;
  // Brings the stored pixels to the size given last.
  void Settle() const;

  int m_width = 0;
  int m_height = 0;
  mutable Pixels m_pixels;
  mutable std::vector<std::uint8_t> m_levels;  // of a narrow surface
  // Sizes given since the pixels were last stored: the stored pixels are
  // m_storedWidth by m_storedHeight; of them the top left m_keepWidth by
  // m_keepHeight outlived every size given since; the rest gets m_pendingFill.
  mutable bool m_pending = false;
  mutable int m_storedWidth = 0;
  mutable int m_storedHeight = 0;
  int m_keepWidth = 0;
  int m_keepHeight = 0;
  std::uint32_t m_pendingFill = 0;
  std::atomic<unsigned> m_generation{0};
};

constexpr std::uint32_t kBlackPixel = 0xFF000000u;
constexpr std::uint32_t kWhitePixel = 0xFFFFFFFFu;
// The narrow value of a black or white pixel.
constexpr std::uint8_t NarrowLevel(std::uint32_t pixel) { return pixel == kWhitePixel ? 255 : 0; }
constexpr std::uint32_t WidePixel(std::uint8_t level) { return level ? kWhitePixel : kBlackPixel; }
constexpr bool IsBlackOrWhite(std::uint32_t pixel) { return pixel == kBlackPixel || pixel == kWhitePixel; }

constexpr std::uint32_t PixelFromColor(COLORREF color) {
  return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr COLORREF ColorFromPixel(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

}  // namespace layer
