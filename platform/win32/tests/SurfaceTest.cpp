#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "win32/Surface.h"

namespace {

using Picture = std::vector<std::vector<std::uint32_t>>;  // rows of pixels

Picture Read(const layer::Surface& surface) {
  Picture rows(static_cast<std::size_t>(surface.Height()));
  for (int y = 0; y < surface.Height(); ++y) rows[y].assign(surface.Row(y), surface.Row(y) + surface.Width());
  return rows;
}

// What a resize must give: shared pixels kept, new ones filled.
Picture Expected(const Picture& before, int width, int height, std::uint32_t fill) {
  Picture rows(static_cast<std::size_t>(height), std::vector<std::uint32_t>(static_cast<std::size_t>(width), fill));
  for (int y = 0; y < height && y < static_cast<int>(before.size()); ++y)
    for (int x = 0; x < width && x < static_cast<int>(before[y].size()); ++x) rows[y][x] = before[y][x];
  return rows;
}

// Sizes that grow and shrink each way in turn, so that rows move inside
// memory kept from a larger size as well as into new memory.
TEST(Surface, ResizingKeepsTheSharedPixelsAndFillsTheNewOnes) {
  layer::Surface surface(5, 4, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) surface.Row(y)[x] = static_cast<std::uint32_t>(100 * y + x + 1);
  const struct {
    int width, height;
  } sizes[] = {{7, 4}, {3, 6}, {5, 2}, {8, 8}, {2, 2}, {6, 3}, {3, 7}, {0, 0}, {4, 3}, {9, 1}, {9, 9}};
  std::uint32_t fill = 0xFF000000u;
  for (const auto& size : sizes) {
    Picture expected = Expected(Read(surface), size.width, size.height, ++fill);
    surface.Resize(size.width, size.height, fill);
    ASSERT_EQ(surface.Width(), size.width);
    ASSERT_EQ(surface.Height(), size.height);
    EXPECT_EQ(Read(surface), expected) << size.width << " x " << size.height;
  }
}

}  // namespace
