#include "win32/Surface.h"

#include <algorithm>
#include <utility>

namespace layer {

Surface::Surface(int width, int height, std::uint32_t fill)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * m_height, fill) {}

Surface::Surface(Surface&& other) noexcept
    : m_bitsPerPixel(other.m_bitsPerPixel),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0)),
      m_pixels(std::move(other.m_pixels)),
      m_generation(other.Generation()) {}

Surface& Surface::operator=(Surface&& other) noexcept {
  m_bitsPerPixel = other.m_bitsPerPixel;
  m_width = std::exchange(other.m_width, 0);
  m_height = std::exchange(other.m_height, 0);
  m_pixels = std::move(other.m_pixels);
  Touch();
  return *this;
}

void Surface::Resize(int width, int height, std::uint32_t fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == m_width && height == m_height) return;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, fill);
  int keepWidth = std::min(width, m_width);
  for (int y = 0; y < std::min(height, m_height); ++y)
    std::copy_n(Row(y), keepWidth, pixels.data() + static_cast<std::size_t>(y) * width);
  m_pixels.swap(pixels);
  m_width = width;
  m_height = height;
  Touch();
}

void Surface::Fill(const RECT& area, std::uint32_t pixel) {
  int left = std::max<int>(area.left, 0), right = std::min<int>(area.right, m_width);
  int top = std::max<int>(area.top, 0), bottom = std::min<int>(area.bottom, m_height);
  if (left >= right) return;
  for (int y = top; y < bottom; ++y) std::fill(Row(y) + left, Row(y) + right, pixel);
  Touch();
}

}  // namespace layer
