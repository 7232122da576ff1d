// The line scaler. Both reductions count the ink of every cell of the source
// that falls on one target pixel and turn the share into an index 0 to 4; they
// differ only in where the ink comes from: the bits themselves, or the runs of
// set bits that TplDescribeMono wrote as side data when the picture was loaded.
//
// Side data, all values 32-bit little-endian: "TPL1", width, height, then for
// every line from the bottom up the number of runs and each run as the first
// and one past the last column of consecutive set bits, runs in ascending order.
#include "interfaces/QridTpL.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr char kMagic[4] = {'T', 'P', 'L', '1'};

size_t Stride(int width, int bits) { return WIDTHBYTES(static_cast<size_t>(width) * bits); }

// Cell edges of a reduction: target k covers source [edge[k], edge[k + 1]).
std::vector<int> CellEdges(int target, int source) {
  std::vector<int> edges(static_cast<size_t>(target) + 1);
  for (int k = 0; k <= target; ++k) edges[k] = static_cast<int>(static_cast<std::int64_t>(k) * source / target);
  return edges;
}

// Adds the pixels from .. to - 1, all ink, to the cells they fall in.
void AddCoverage(int from, int to, const std::vector<int>& columns, const std::vector<int>& cellOf,
                 std::vector<int>& setCounts) {
  for (int cell = cellOf[from]; cell < static_cast<int>(setCounts.size()) && columns[cell] < to; ++cell) {
    setCounts[cell] += std::min(to, columns[cell + 1]) - std::max(from, columns[cell]);
  }
}

// The cell of every source column.
std::vector<int> CellOfColumn(const std::vector<int>& columns, int sourceWidth) {
  std::vector<int> cellOf(static_cast<size_t>(sourceWidth));
  for (size_t cell = 0; cell + 1 < columns.size(); ++cell) {
    std::fill(cellOf.begin() + columns[cell], cellOf.begin() + columns[cell + 1], static_cast<int>(cell));
  }
  return cellOf;
}

// Up to 64 pixels from bit x on, the pixel at x in the highest bit.
std::uint64_t LoadBits(const BYTE* row, size_t rowBytes, int x) {
  const size_t at = static_cast<size_t>(x) >> 3;
  std::uint64_t word = 0;
  if (at + 8 <= rowBytes) {
    std::memcpy(&word, row + at, 8);
    if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
  } else {
    for (size_t i = 0; i < 8; ++i) word = (word << 8) | (at + i < rowBytes ? row[at + i] : 0);
  }
  return word << (x & 7);
}

// Adds the set bits of one source line to the counts of the cells they fall
// in. Drawings are mostly paper, so whole words of paper or of ink are
// taken at once and only mixed words are split at the cell edges.
void CountLine(const BYTE* row, size_t rowBytes, int sourceWidth, const std::vector<int>& columns,
               const std::vector<int>& cellOf, std::vector<int>& setCounts) {
  for (int x0 = 0; x0 < sourceWidth; x0 += 64) {
    const std::uint64_t word = LoadBits(row, rowBytes, x0);
    const int end = std::min(x0 + 64, sourceWidth);
    if (word == 0) continue;
    if (word == ~std::uint64_t{0} && end == x0 + 64) {
      AddCoverage(x0, end, columns, cellOf, setCounts);
      continue;
    }
    for (int x = x0; x < end;) {
      const int cell = cellOf[x];
      const int segmentEnd = std::min(columns[cell + 1], end);
      const std::uint64_t segment = (word << (x - x0)) >> (64 - (segmentEnd - x));
      setCounts[cell] += std::popcount(segment);
      x = segmentEnd;
    }
  }
}

// Writes one target line of 4-bit indices from the set-bit counts of its cells.
void WriteLevels(BYTE* target, const std::vector<int>& setCounts, const std::vector<int>& columns, int rows,
                 int mode) {
  const int width = static_cast<int>(setCounts.size());
  for (int x = 0; x < width; ++x) {
    const int area = (columns[x + 1] - columns[x]) * rows;
    const int ink = mode == 1 ? setCounts[x] : area - setCounts[x];
    int level = 0;
    if (ink > 0 && area > 0) level = std::clamp((4 * ink + area / 2) / area, 1, 4);
    BYTE& pair = target[x >> 1];
    pair = (x & 1) ? static_cast<BYTE>((pair & 0xF0) | level) : static_cast<BYTE>((pair & 0x0F) | (level << 4));
  }
}

bool ReductionFits(int width, int height, int sourceWidth, int sourceHeight) {
  return width > 0 && height > 0 && sourceWidth >= width && sourceHeight >= height;
}

// Reads the side data with every length checked against its bytes.
class SideDataReader {
 public:
  SideDataReader(const BYTE* data, int length) : m_data(data), m_length(data ? std::max(length, 0) : 0) {}
  bool Read(std::uint32_t& value) {
    if (m_length - m_at < 4) return false;
    value = static_cast<std::uint32_t>(m_data[m_at]) | static_cast<std::uint32_t>(m_data[m_at + 1]) << 8 |
            static_cast<std::uint32_t>(m_data[m_at + 2]) << 16 | static_cast<std::uint32_t>(m_data[m_at + 3]) << 24;
    m_at += 4;
    return true;
  }
  bool ReadMagic() {
    if (m_length < 4 || std::memcmp(m_data, kMagic, 4) != 0) return false;
    m_at = 4;
    return true;
  }
  bool AtEnd() const { return m_at == m_length; }

 private:
  const BYTE* m_data;
  int m_length;
  int m_at = 0;
};

struct Run {
  int from;
  int to;
};

// The runs of every line, or false when the data is not a sound description
// of a picture of that size.
bool ReadRuns(const BYTE* data, int length, int width, int height, std::vector<std::vector<Run>>& lines) {
  SideDataReader reader(data, length);
  std::uint32_t w = 0, h = 0;
  if (!reader.ReadMagic() || !reader.Read(w) || !reader.Read(h)) return false;
  if (w != static_cast<std::uint32_t>(width) || h != static_cast<std::uint32_t>(height)) return false;
  lines.assign(static_cast<size_t>(height), {});
  for (auto& line : lines) {
    std::uint32_t count = 0;
    if (!reader.Read(count) || count > static_cast<std::uint32_t>(width)) return false;
    std::uint32_t previousEnd = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t from = 0, to = 0;
      if (!reader.Read(from) || !reader.Read(to)) return false;
      if (from < previousEnd || from >= to || to > static_cast<std::uint32_t>(width)) return false;
      line.push_back(Run{static_cast<int>(from), static_cast<int>(to)});
      previousEnd = to;
    }
  }
  return reader.AtEnd();
}

// Writes value little-endian at at; answers where the next value goes.
BYTE* PutLong(BYTE* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) *at++ = static_cast<BYTE>(value >> (8 * i));
  return at;
}

// The first column from x on whose pixel is set (ink) or clear (paper);
// width when there is none before it. Drawings are mostly paper, so 64
// pixels are looked at at once.
int NextColumn(const BYTE* row, size_t rowBytes, int width, int x, bool ink) {
  while (x < width) {
    const std::uint64_t word = LoadBits(row, rowBytes, x);
    const int looked = 64 - (x & 7);
    const int before = std::countl_zero(ink ? word : ~word);
    if (before < looked) return static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + before, width));
    x = static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + looked, width));
  }
  return width;
}

// The runs of set bits of one line.
void FindRuns(const BYTE* row, int width, std::vector<Run>& runs) {
  runs.clear();
  const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  int from = NextColumn(row, rowBytes, width, 0, true);
  while (from < width) {
    const int to = NextColumn(row, rowBytes, width, from, false);
    runs.push_back(Run{from, to});
    from = NextColumn(row, rowBytes, width, to, true);
  }
}

// Writes the runs of one line at at; answers where the next line goes.
BYTE* PutRuns(BYTE* at, const std::vector<Run>& runs) {
  at = PutLong(at, static_cast<std::uint32_t>(runs.size()));
  for (const Run& run : runs) {
    at = PutLong(at, static_cast<std::uint32_t>(run.from));
    at = PutLong(at, static_cast<std::uint32_t>(run.to));
  }
  return at;
}

}  // namespace

extern "C" void TplReduceMono(const BYTE* sourceBits, BYTE* targetBits, int width, int height, int sourceWidth,
                              int sourceHeight, int mode) {
  if (!sourceBits || !targetBits || !ReductionFits(width, height, sourceWidth, sourceHeight)) return;
  const size_t sourceStride = Stride(sourceWidth, 1);
  const size_t targetStride = Stride(width, 4);
  const std::vector<int> columns = CellEdges(width, sourceWidth);
  const std::vector<int> lines = CellEdges(height, sourceHeight);
  const std::vector<int> cellOf = CellOfColumn(columns, sourceWidth);
  std::vector<int> setCounts(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    std::fill(setCounts.begin(), setCounts.end(), 0);
    for (int line = lines[y]; line < lines[y + 1]; ++line) {
      CountLine(sourceBits + sourceStride * line, sourceStride, sourceWidth, columns, cellOf, setCounts);
    }
    WriteLevels(targetBits + targetStride * y, setCounts, columns, lines[y + 1] - lines[y], mode);
  }
}

extern "C" BOOL TplReduceMonoFromData(BYTE* targetBits, int width, int height, int sourceWidth, int sourceHeight,
                                      const BYTE* sideData, int sideDataLength, int mode) {
  if (!targetBits || !ReductionFits(width, height, sourceWidth, sourceHeight)) return FALSE;
  std::vector<std::vector<Run>> runs;
  if (!ReadRuns(sideData, sideDataLength, sourceWidth, sourceHeight, runs)) return FALSE;
  const size_t targetStride = Stride(width, 4);
  const std::vector<int> columns = CellEdges(width, sourceWidth);
  const std::vector<int> lines = CellEdges(height, sourceHeight);
  const std::vector<int> cellOf = CellOfColumn(columns, sourceWidth);
  std::vector<int> setCounts(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    std::fill(setCounts.begin(), setCounts.end(), 0);
    for (int line = lines[y]; line < lines[y + 1]; ++line) {
      for (const Run& run : runs[line]) AddCoverage(run.from, run.to, columns, cellOf, setCounts);
    }
    WriteLevels(targetBits + targetStride * y, setCounts, columns, lines[y + 1] - lines[y], mode);
  }
  return TRUE;
}

extern "C" int TplDescribeMono(const BYTE* sourceBits, int sourceWidth, int sourceHeight, BYTE* sideData,
                               int capacity) {
  if (!sourceBits || !sideData || sourceWidth <= 0 || sourceHeight <= 0 || capacity <= 0) return 0;
  // Side data pays only while its runs take no more room than the picture's
  // bits (or one run a line in narrow pictures).
  const size_t stride = Stride(sourceWidth, 1);
  const size_t runBytes = std::max<size_t>(stride, 8);
  const size_t limit = std::min(12 + (4 + runBytes) * sourceHeight, static_cast<size_t>(capacity));
  constexpr size_t kHeadBytes = 12;
  if (limit < kHeadBytes) return 0;
  std::memcpy(sideData, kMagic, sizeof kMagic);
  BYTE* at = PutLong(sideData + sizeof kMagic, static_cast<std::uint32_t>(sourceWidth));
  at = PutLong(at, static_cast<std::uint32_t>(sourceHeight));
  std::vector<Run> runs;
  for (int y = 0; y < sourceHeight; ++y) {
    FindRuns(sourceBits + stride * y, sourceWidth, runs);
    const size_t written = static_cast<size_t>(at - sideData);
    if (4 + 8 * runs.size() > limit - written) return 0;
    at = PutRuns(at, runs);
  }
  return static_cast<int>(at - sideData);
}
