#include "imaging/raster/CMedianCut.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <new>

namespace {

constexpr int kLevels = 32;  // 5 bits per channel
constexpr int kCells = kLevels * kLevels * kLevels;
constexpr unsigned kMaxCount = 65535;

enum Channel { kRed, kGreen, kBlue };

struct Box {
  int min[3];
  int max[3];
  int mean[3];
  unsigned population;
};

int CellIndex(int r, int g, int b) { return r * kLevels * kLevels + g * kLevels + b; }

class Quantiser {
 public:
  void Count(const BITMAPINFOHEADER& header, const BYTE* pixels);
  void Cut();
  void Palette(RGBQUAD palette[256]) const;

 private:
  void ClearCorners();
  void Shrink(Box& box) const;
  int Fullest(int last) const;
  void Split(Box& chosen, Box& added) const;

  std::array<std::uint16_t, kCells> m_counts{};
  std::array<Box, 256> m_boxes{};
};

void Quantiser::Count(const BITMAPINFOHEADER& header, const BYTE* pixels) {
  const int bytesPerPixel = header.biBitCount / 8;
  const size_t stride = WIDTHBYTES(static_cast<size_t>(header.biWidth) * header.biBitCount);
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  for (int y = 0; y < height; ++y) {
    const BYTE* pixel = pixels + stride * y;
    for (int x = 0; x < header.biWidth; ++x, pixel += bytesPerPixel) {
      std::uint16_t& count = m_counts[CellIndex(pixel[2] >> 3, pixel[1] >> 3, pixel[0] >> 3)];
      if (count < kMaxCount) ++count;
    }
  }
}

// The corners get palette entries of their own, so their pixels need no box.
void Quantiser::ClearCorners() {
  for (int corner = 0; corner < 8; ++corner) {
    m_counts[CellIndex((corner & 4) ? 31 : 0, (corner & 2) ? 31 : 0, (corner & 1) ? 31 : 0)] = 0;
  }
}

void Quantiser::Shrink(Box& box) const {
  Box shrunk{{31, 31, 31}, {0, 0, 0}, {0, 0, 0}, 0};
  std::uint64_t total = 0;
  std::uint64_t sum[3] = {0, 0, 0};
  for (int r = box.min[kRed]; r <= box.max[kRed]; ++r) {
    for (int g = box.min[kGreen]; g <= box.max[kGreen]; ++g) {
      for (int b = box.min[kBlue]; b <= box.max[kBlue]; ++b) {
        const unsigned count = m_counts[CellIndex(r, g, b)];
        if (count == 0) continue;
        const int value[3] = {r, g, b};
        for (int c = 0; c < 3; ++c) {
          shrunk.min[c] = std::min(shrunk.min[c], value[c]);
          shrunk.max[c] = std::max(shrunk.max[c], value[c]);
          sum[c] += static_cast<std::uint64_t>(count) * value[c];
        }
        total += count;
      }
    }
  }
  if (total > 0) {
    for (int c = 0; c < 3; ++c) shrunk.mean[c] = static_cast<int>(sum[c] / total);
    const bool singleCell = shrunk.min[kRed] == shrunk.max[kRed] && shrunk.min[kGreen] == shrunk.max[kGreen] &&
                            shrunk.min[kBlue] == shrunk.max[kBlue];
    shrunk.population = singleCell ? 1 : static_cast<unsigned>(std::min<std::uint64_t>(total, kMaxCount));
  }
  box = shrunk;
}

// The box with the largest population among 8 .. last; the lower number wins a tie.
int Quantiser::Fullest(int last) const {
  int chosen = 8;
  for (int i = 9; i <= last; ++i) {
    if (m_boxes[i].population > m_boxes[chosen].population) chosen = i;
  }
  return chosen;
}

void Quantiser::Split(Box& chosen, Box& added) const {
  int channel = kRed;
  for (int c = kGreen; c <= kBlue; ++c) {
    if (chosen.max[c] - chosen.min[c] > chosen.max[channel] - chosen.min[channel]) channel = c;
  }
  added = chosen;
  if (chosen.max[channel] - chosen.min[channel] == 2) {
    // The middle value falls into neither box.
    chosen.min[channel] = chosen.max[channel];
    added.max[channel] = added.min[channel];
  } else {
    const int middle = chosen.mean[channel];
    chosen.max[channel] = middle == chosen.max[channel] ? middle - 1 : middle;
    added.min[channel] = chosen.max[channel] + 1;
  }
  Shrink(chosen);
  Shrink(added);
}

void Quantiser::Cut() {
  ClearCorners();
  for (int corner = 0; corner < 8; ++corner) {
    // Corner order: black, red, green, blue, yellow, cyan, magenta, white.
    static const int kCorners[8][3] = {{0, 0, 0},   {31, 0, 0},  {0, 31, 0},  {0, 0, 31},
                                       {31, 31, 0}, {0, 31, 31}, {31, 0, 31}, {31, 31, 31}};
    Box& box = m_boxes[corner];
    for (int c = 0; c < 3; ++c) box.min[c] = box.max[c] = box.mean[c] = kCorners[corner][c];
    box.population = 1;
  }
  m_boxes[8] = Box{{0, 0, 0}, {31, 31, 31}, {0, 0, 0}, 0};
  Shrink(m_boxes[8]);
  for (int k = 9; k < 256; ++k) Split(m_boxes[Fullest(k - 1)], m_boxes[k]);
}

void Quantiser::Palette(RGBQUAD palette[256]) const {
  for (int i = 0; i < 256; ++i) {
    const Box& box = m_boxes[i];
    auto level = [&](int c) { return static_cast<BYTE>((box.min[c] + box.max[c]) / 2 * 255 / 31); };
    palette[i] = RGBQUAD{level(kBlue), level(kGreen), level(kRed), 0};
  }
}

}  // namespace

bool CMedianCut::Quantise(const BITMAPINFOHEADER& header, const BYTE* pixels, RGBQUAD palette[256]) {
  if ((header.biBitCount != 24 && header.biBitCount != 32) || pixels == nullptr || header.biWidth < 0) return false;
  std::unique_ptr<Quantiser> quantiser(new (std::nothrow) Quantiser);
  if (!quantiser) return false;
  quantiser->Count(header, pixels);
  quantiser->Cut();
  quantiser->Palette(palette);
  return true;
}
