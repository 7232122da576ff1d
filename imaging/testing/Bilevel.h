// A black-and-white picture for tests: one byte per pixel, 0 white, 1 black,
// rows top to bottom.
#pragma once

#include <cstdint>
#include <vector>

namespace imaging::testing {

struct Bilevel {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  Bilevel() = default;
  Bilevel(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0) {}
  std::uint8_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A drawing with long and short runs, runs that touch both edges and rows of
// one colour, so that every kind of code gets used. The seed varies the shapes.
Bilevel MakeTestDrawing(int width, int height, unsigned seed = 1);

// White and black runs of every terminating length 0 to 63 and of every make-up
// length up to 2624, each run whole within a row of the given width (at least twice
// 2700), so that every code of the modified Huffman tables occurs.
Bilevel MakeEveryCodeDrawing(int width = 5400);

}  // namespace imaging::testing
