#include "win32/Surface.h"

#include <algorithm>
#include <utility>

namespace layer {

Surface::Surface(int width, int height, std::uint32_t fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_pending(true), m_pendingFill(fill) {}

Surface::Surface(Surface&& other) noexcept
    : m_bitsPerPixel(other.m_bitsPerPixel),
      texts(std::move(other.texts)),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0)),
      m_pixels(std::move(other.m_pixels)),
      m_levels(std::move(other.m_levels)),
      m_pending(std::exchange(other.m_pending, false)),
      m_storedWidth(std::exchange(other.m_storedWidth, 0)),
      m_storedHeight(std::exchange(other.m_storedHeight, 0)),
      m_keepWidth(other.m_keepWidth),
      m_keepHeight(other.m_keepHeight),
      m_pendingFill(other.m_pendingFill),
      m_generation(other.Generation()) {}

Surface& Surface::operator=(Surface&& other) noexcept {
  m_bitsPerPixel = other.m_bitsPerPixel;
  texts = std::move(other.texts);
  m_width = std::exchange(other.m_width, 0);
  m_height = std::exchange(other.m_height, 0);
  m_pixels = std::move(other.m_pixels);
  m_levels = std::move(other.m_levels);
  m_pending = std::exchange(other.m_pending, false);
  m_storedWidth = std::exchange(other.m_storedWidth, 0);
  m_storedHeight = std::exchange(other.m_storedHeight, 0);
  m_keepWidth = other.m_keepWidth;
  m_keepHeight = other.m_keepHeight;
  m_pendingFill = other.m_pendingFill;
  Touch();
  return *this;
}

Surface Surface::Bilevel(int width, int height, bool white) {
  Surface surface;
  surface.m_width = std::max(width, 0);
  surface.m_height = std::max(height, 0);
  surface.m_levels.assign(static_cast<std::size_t>(surface.m_width) * surface.m_height, white ? 255 : 0);
  surface.m_storedWidth = surface.m_width;
  surface.m_storedHeight = surface.m_height;
  return surface;
}

Surface Surface::PixelsOf(const Surface& source) {
  Surface copy;
  const std::uint32_t* pixels = source.Bits();
  copy.m_width = copy.m_storedWidth = source.m_width;
  copy.m_height = copy.m_storedHeight = source.m_height;
  copy.m_pixels.assign(pixels, pixels + static_cast<std::size_t>(source.m_width) * source.m_height);
  return copy;
}

Surface::Pixels& Surface::Wide() const {
  if (!m_levels.empty()) {
    m_pixels.resize(m_levels.size());
    std::transform(m_levels.begin(), m_levels.end(), m_pixels.begin(), WidePixel);
    std::vector<std::uint8_t>().swap(m_levels);
  }
  if (m_pending) Settle();
  return m_pixels;
}

void Surface::Resize(int width, int height, std::uint32_t fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == m_width && height == m_height) return;
  if (Narrow()) Wide();
  // Pixels that two sizes gave different fills are told apart only when stored.
  if (m_pending && fill != m_pendingFill) Settle();
  if (!m_pending) {
    m_pending = true;
    m_keepWidth = m_width;
    m_keepHeight = m_height;
  }
  m_keepWidth = std::min(m_keepWidth, width);
  m_keepHeight = std::min(m_keepHeight, height);
  m_pendingFill = fill;
  m_width = width;
  m_height = height;
  texts.Clip(width, height);
  Touch();
}

void Surface::Settle() const {
  m_pending = false;
  const int width = m_width, height = m_height;
  const int oldWidth = m_storedWidth;
  const int keepWidth = std::min({m_keepWidth, width, oldWidth});
  const int keepHeight = std::min({m_keepHeight, height, m_storedHeight});
  const std::uint32_t fill = m_pendingFill;
  m_storedWidth = width;
  m_storedHeight = height;
  const std::size_t needed = static_cast<std::size_t>(width) * height;
  if (keepWidth == 0 || keepHeight == 0) {
    m_pixels.assign(needed, fill);
    return;
  }
  if (needed > m_pixels.capacity()) {
    Pixels pixels(needed, fill);
    for (int y = 0; y < keepHeight; ++y)
      std::copy_n(m_pixels.data() + static_cast<std::size_t>(y) * oldWidth, keepWidth,
                  pixels.data() + static_cast<std::size_t>(y) * width);
    m_pixels.swap(pixels);
    return;
  }
  // Windows that are resized again and again keep their memory: the rows
  // move within it, towards the start when they get narrower, towards the
  // end (last row first) when they get wider.
  auto oldRow = [this, oldWidth](int y) { return m_pixels.data() + static_cast<std::size_t>(y) * oldWidth; };
  auto newRow = [this, width](int y) { return m_pixels.data() + static_cast<std::size_t>(y) * width; };
  if (width <= oldWidth) {
    for (int y = 0; y < keepHeight; ++y) {
      std::copy_n(oldRow(y), keepWidth, newRow(y));
      std::fill(newRow(y) + keepWidth, newRow(y) + width, fill);
    }
    m_pixels.resize(needed, fill);
  } else {
    m_pixels.resize(std::max(needed, m_pixels.size()), fill);
    for (int y = keepHeight - 1; y >= 0; --y) {
      std::copy_backward(oldRow(y), oldRow(y) + keepWidth, newRow(y) + keepWidth);
      std::fill(newRow(y) + keepWidth, newRow(y) + width, fill);
    }
    m_pixels.resize(needed);
  }
  for (int y = keepHeight; y < height; ++y) std::fill(newRow(y), newRow(y) + width, fill);
}

void Surface::Fill(const RECT& area, std::uint32_t pixel) {
  int left = std::max<int>(area.left, 0), right = std::min<int>(area.right, m_width);
  int top = std::max<int>(area.top, 0), bottom = std::min<int>(area.bottom, m_height);
  if (left >= right) return;
  if (left == 0 && top == 0 && right == m_width && bottom == m_height && !Narrow()) {
    // All of it: what was there is gone, so nothing needs to be stored yet.
    m_pending = true;
    m_keepWidth = m_keepHeight = 0;
    m_pendingFill = pixel;
  } else if (Narrow() && IsBlackOrWhite(pixel)) {
    for (int y = top; y < bottom; ++y) std::fill(NarrowRow(y) + left, NarrowRow(y) + right, NarrowLevel(pixel));
  } else {
    for (int y = top; y < bottom; ++y) std::fill(Row(y) + left, Row(y) + right, pixel);
  }
  texts.Cover(RECT{left, top, right, bottom});
  Touch();
}

}  // namespace layer
