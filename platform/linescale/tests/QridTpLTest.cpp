#include "interfaces/QridTpL.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>


namespace {

std::vector<BYTE> Describe(const std::vector<BYTE>& bits, int width, int height) {
  std::vector<BYTE> side(bits.size() + 64);
  side.resize(static_cast<size_t>(TplDescribeMono(bits.data(), width, height, side.data(), static_cast<int>(side.size()))));
  return side;
}

struct Bilevel {
  int width, height;
  size_t stride;
  std::vector<BYTE> bits;
  Bilevel(int w, int h) : width(w), height(h), stride(WIDTHBYTES(w)), bits(stride * h) {}
  void Set(int x, int line) { bits[line * stride + (x >> 3)] |= 0x80 >> (x & 7); }
};

std::vector<BYTE> Reduce(const Bilevel& source, int width, int height, int mode) {
  std::vector<BYTE> target(WIDTHBYTES(width * 4) * height, 0xEE);
  TplReduceMono(source.bits.data(), target.data(), width, height, source.width, source.height, mode);
  return target;
}

int Level(const std::vector<BYTE>& target, int width, int x, int line) {
  const BYTE pair = target[WIDTHBYTES(width * 4) * line + x / 2];
  return x % 2 ? pair & 15 : pair >> 4;
}

// One 8 x 4 cell: 32 pixels, of which ink are the set ones in mode 1.
TEST(QridTpL, LevelsFollowTheShareOfInkAndKeepThinLines) {
  struct Case {
    int set;
    int level1, level0;
  };
  const Case cases[] = {{0, 0, 4}, {1, 1, 4}, {4, 1, 4}, {5, 1, 3}, {12, 2, 3}, {16, 2, 2}, {28, 4, 1}, {31, 4, 1}, {32, 4, 0}};
  for (const Case& c : cases) {
    Bilevel source(16, 4);
    for (int i = 0; i < c.set; ++i) source.Set(8 + i % 8, i / 8);
    EXPECT_EQ(Level(Reduce(source, 2, 1, 1), 2, 1, 0), c.level1) << c.set;
    EXPECT_EQ(Level(Reduce(source, 2, 1, 0), 2, 1, 0), c.level0) << c.set;
    EXPECT_EQ(Level(Reduce(source, 2, 1, 1), 2, 0, 0), 0) << c.set;
  }
}

TEST(QridTpL, CellsOfUnevenSizeCoverTheWholeSource) {
  Bilevel source(13, 7);
  source.Set(12, 6);
  source.Set(0, 0);
  const std::vector<BYTE> target = Reduce(source, 3, 2, 1);
  EXPECT_EQ(Level(target, 3, 0, 0), 1);
  EXPECT_EQ(Level(target, 3, 2, 1), 1);
  EXPECT_EQ(Level(target, 3, 1, 0) + Level(target, 3, 1, 1) + Level(target, 3, 0, 1) + Level(target, 3, 2, 0), 0);
}

TEST(QridTpL, SideDataGivesTheSameCopyAsThePixels) {
  std::mt19937 random(7);
  for (auto [w, h, tw, th] : {std::tuple{77, 45, 10, 9}, std::tuple{640, 64, 81, 8}, std::tuple{9, 9, 9, 9}}) {
    Bilevel source(w, h);
    for (int i = 0; i < w * h / 100; ++i) source.Set(random() % w, random() % h);
    for (int x = 0; x < w; ++x) source.Set(x, h / 2);  // a full line: one run
    const std::vector<BYTE> side = Describe(source.bits, w, h);
    ASSERT_FALSE(side.empty());
    for (int mode : {0, 1}) {
      std::vector<BYTE> fromData(WIDTHBYTES(tw * 4) * th, 0xEE);
      ASSERT_TRUE(TplReduceMonoFromData(fromData.data(), tw, th, w, h, side.data(), static_cast<int>(side.size()), mode));
      EXPECT_EQ(fromData, Reduce(source, tw, th, mode)) << w << " mode " << mode;
    }
  }
}

TEST(QridTpL, SideDataListsTheRunsOfEachLine) {
  Bilevel source(20, 2);
  for (int x : {0, 1, 2, 19}) source.Set(x, 1);
  const std::vector<BYTE> side = Describe(source.bits, 20, 2);
  const std::vector<int> expected = {20, 2, 0, 2, 0, 3, 19, 20};
  ASSERT_EQ(side.size(), 4 + 4 * expected.size());
  EXPECT_EQ(std::string(side.begin(), side.begin() + 4), "TPL1");
  for (size_t i = 0; i < expected.size(); ++i) {
    const BYTE* v = side.data() + 4 + 4 * i;
    EXPECT_EQ(v[0] | v[1] << 8 | v[2] << 16 | v[3] << 24, expected[i]) << i;
  }
}

TEST(QridTpL, NoisyPicturesLeaveNoSideData) {
  Bilevel source(64, 64);
  for (int line = 0; line < 64; ++line)
    for (int x = line % 2; x < 64; x += 2) source.Set(x, line);
  EXPECT_TRUE(Describe(source.bits, 64, 64).empty());
}

TEST(QridTpL, DamagedSideDataIsRefusedAndWritesNothing) {
  auto side = [](std::vector<int> values, const char* magic = "TPL1") {
    std::vector<BYTE> bytes(magic, magic + 4);
    for (int v : values)
      for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
    return bytes;
  };
  const std::vector<std::vector<BYTE>> cases = {
      {},
      side({16, 2, 0, 0}, "TPL2"),
      side({15, 2, 0, 0}),            // other width
      side({16, 2, 0}),               // a line missing
      side({16, 2, 0, 1, 3}),         // a run cut short
      side({16, 2, 0, 1, 3, 3}),      // an empty run
      side({16, 2, 0, 1, 3, 17}),     // past the edge
      side({16, 2, 2, 5, 9, 4, 6, 0}),  // runs out of order
      side({16, 2, 0, 100000}),       // more runs than columns
      side({16, 2, 0, 0, 0}),         // bytes left over
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    std::vector<BYTE> target(4, 0xEE);
    EXPECT_FALSE(TplReduceMonoFromData(target.data(), 2, 1, 16, 2, cases[i].data(), static_cast<int>(cases[i].size()), 1)) << i;
    EXPECT_EQ(target, std::vector<BYTE>(4, 0xEE)) << i;
  }
  std::vector<BYTE> target(4);
  const std::vector<BYTE> sound = side({16, 2, 0, 1, 3, 9});
  EXPECT_TRUE(TplReduceMonoFromData(target.data(), 2, 1, 16, 2, sound.data(), static_cast<int>(sound.size()), 1));
}

}  // namespace
