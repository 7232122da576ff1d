#include "imaging/testing/Bilevel.h"

#include <algorithm>
#include <random>

namespace imaging::testing {

Bilevel MakeTestDrawing(int width, int height, unsigned seed) {
  Bilevel image(width, height);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    switch (y % 7) {
      case 0:  // white row
        break;
      case 1:  // black row
        for (int x = 0; x < width; ++x) image.At(x, y) = 1;
        break;
      case 2:  // a frame: black at both edges
        if (width > 0) image.At(0, y) = image.At(width - 1, y) = 1;
        break;
      default: {  // random runs of every length, from single pixels to the whole row
        int x = 0;
        std::uint8_t colour = random() % 2;
        while (x < width) {
          int longest = (random() % 4 == 0) ? 3000 : 70;
          int run = 1 + static_cast<int>(random() % longest);
          for (int end = std::min(width, x + run); x < end; ++x) image.At(x, y) = colour;
          colour ^= 1;
        }
      }
    }
  }
  return image;
}

Bilevel MakeEveryCodeDrawing(int width) {
  std::vector<int> runs;
  for (int run = 0; run < 64; ++run) runs.push_back(run);
  for (int makeUp = 64; makeUp <= 2624; makeUp += 64) runs.push_back(makeUp + (makeUp / 64) % 64);
  std::vector<std::vector<int>> rows(1);  // per row: white, black, white ... run lengths
  int used = 0;
  for (int run : runs) {
    if (used + 2 * run > width) {
      rows.emplace_back();
      used = 0;
    }
    rows.back().push_back(run);  // white
    rows.back().push_back(run);  // black
    used += 2 * run;
  }
  Bilevel image(width, static_cast<int>(rows.size()));
  for (int y = 0; y < image.height; ++y) {
    int x = 0;
    std::uint8_t colour = 0;
    for (int run : rows[y]) {
      for (int end = x + run; x < end; ++x) image.At(x, y) = colour;
      colour ^= 1;
    }
  }
  return image;
}

}  // namespace imaging::testing
