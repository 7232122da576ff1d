#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
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

// Sizes given one after another without a look at the pixels in between
// (as while windows are laid out) must leave what a look after each gives.
TEST(Surface, SizesGivenInARowLeaveWhatEachSizeInTurnLeaves) {
  const struct {
    const char* name;
    std::vector<std::pair<int, int>> sizes;
    std::vector<std::uint32_t> fills;
  } cases[] = {
      {"shrink then grow back", {{3, 2}, {5, 4}}, {7, 7}},
      {"grow then shrink", {{8, 6}, {4, 3}}, {7, 7}},
      {"narrower and taller, then wider", {{2, 6}, {6, 2}, {9, 9}}, {7, 7, 7}},
      {"each size its own fill", {{3, 3}, {6, 6}, {2, 8}}, {7, 8, 9}},
      {"to nothing and back", {{0, 0}, {5, 4}}, {7, 8}},
  };
  for (const auto& c : cases) {
    layer::Surface stepped(5, 4, 0), settled(5, 4, 0);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) stepped.Row(y)[x] = settled.Row(y)[x] = static_cast<std::uint32_t>(100 * y + x + 1);
    for (std::size_t i = 0; i < c.sizes.size(); ++i) {
      stepped.Resize(c.sizes[i].first, c.sizes[i].second, c.fills[i]);
      Read(stepped);
      settled.Resize(c.sizes[i].first, c.sizes[i].second, c.fills[i]);
    }
    EXPECT_EQ(Read(settled), Read(stepped)) << c.name;
  }
}

TEST(Surface, ANewOrWhollyFilledSurfaceReadsItsFill) {
  layer::Surface made(4, 3, 0xFF112233u);
  EXPECT_EQ(Read(made), Picture(3, std::vector<std::uint32_t>(4, 0xFF112233u)));
  made.Row(1)[2] = 5;
  made.Fill(RECT{-2, -2, 10, 10}, 0xFF445566u);
  EXPECT_EQ(Read(made), Picture(3, std::vector<std::uint32_t>(4, 0xFF445566u)));
  made.Fill(RECT{1, 1, 3, 2}, 9);
  made.Resize(5, 2, 8);
  EXPECT_EQ(Read(made), (Picture{{0xFF445566u, 0xFF445566u, 0xFF445566u, 0xFF445566u, 8},
                                 {0xFF445566u, 9, 9, 0xFF445566u, 8}}));
}

TEST(Surface, ACopyOfThePixelsHasTheSourcesSizeAndPixels) {
  layer::Surface narrow = layer::Surface::Bilevel(3, 2, true);
  narrow.NarrowRow(1)[2] = 0;
  layer::Surface pending(4, 2, 0xFF010203u);
  pending.Resize(2, 3, 6);
  for (const layer::Surface* source : {&narrow, &pending}) {
    layer::Surface copy = layer::Surface::PixelsOf(*source);
    EXPECT_EQ(copy.Width(), source->Width());
    EXPECT_EQ(Read(copy), Read(*source));
  }
}

// Blocks of pictures large enough to be mapped, given back and taken again
// at the same size (kept for reuse) and at another.
TEST(PixelBlocks, LargeBlocksTakenAgainAfterTheyWereGivenBackHoldWhatIsWrittenIntoThem) {
  const std::size_t sizes[] = {layer::PixelBlocks::kLargeBlock, 3 * layer::PixelBlocks::kLargeBlock + 5, 100};
  for (int round = 0; round < 3; ++round) {
    for (std::size_t bytes : sizes) {
      auto* block = static_cast<unsigned char*>(layer::PixelBlocks::Take(bytes));
      ASSERT_NE(block, nullptr);
      for (std::size_t i = 0; i < bytes; ++i) block[i] = static_cast<unsigned char>(i * 7 + round);
      for (std::size_t i = 0; i < bytes; i += 4093) ASSERT_EQ(block[i], static_cast<unsigned char>(i * 7 + round));
      layer::PixelBlocks::Give(block, bytes);
    }
  }
  layer::Surface large(900, 700, 0xFF000001u);
  large.Resize(1000, 800, 0xFF000002u);
  EXPECT_EQ(large.Row(699)[899], 0xFF000001u);
  EXPECT_EQ(large.Row(799)[999], 0xFF000002u);
}

}  // namespace
