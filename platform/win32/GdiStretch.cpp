#include "win32/GdiStretch.h"

#include <algorithm>

#include "win32/UserWindows.h"

namespace layer {
namespace {

constexpr std::uint32_t kRgb = 0x00FFFFFFu;
constexpr std::uint32_t kOpaque = 0xFF000000u;

struct Span {
  int first;  // -1: outside the source
  int last;   // exclusive
  int centre;
};

// Which source pixels each destination pixel of a line covers.
std::vector<Span> MapLine(int destinationStart, int areaStart, int areaEnd, int destinationLength, bool mirrored,
                          int sourceStart, int sourceLength, int sourceLimit) {
  std::vector<Span> spans;
  spans.reserve(static_cast<std::size_t>(std::max(areaEnd - areaStart, 0)));
  for (int position = areaStart; position < areaEnd; ++position) {
    long long i = position - destinationStart;
    if (mirrored) i = destinationLength - 1 - i;
    int first = sourceStart + static_cast<int>(i * sourceLength / destinationLength);
    int last = sourceStart + static_cast<int>((i + 1) * sourceLength / destinationLength);
    int centre = sourceStart + static_cast<int>((2 * i + 1) * sourceLength / (2LL * destinationLength));
    last = std::max(last, first + 1);
    first = std::max(first, 0);
    last = std::min(last, sourceLimit);
    centre = std::clamp(centre, first, std::max(first, last - 1));
    spans.push_back(first < last ? Span{first, last, centre} : Span{-1, -1, -1});
  }
  return spans;
}

bool AnyBit(const BYTE* bits, int first, int last, bool value) {
  for (int x = first; x < last; ++x) {
    bool set = (bits[x >> 3] & (0x80 >> (x & 7))) != 0;
    if (set == value) return true;
  }
  return false;
}

class RowCombiner {
 public:
  RowCombiner(int mode, std::size_t width) : m_mode(mode), m_values(width), m_sums(mode == HALFTONE ? width * 3 : 0), m_counts(mode == HALFTONE ? width : 0) {}

  void Start() {
    std::fill(m_values.begin(), m_values.end(), m_mode == BLACKONWHITE ? kRgb : 0u);
    std::fill(m_sums.begin(), m_sums.end(), 0u);
    std::fill(m_counts.begin(), m_counts.end(), 0u);
  }
  void Add(const std::uint32_t* row, const std::vector<Span>& columns) {
    for (std::size_t x = 0; x < columns.size(); ++x) {
      const Span& span = columns[x];
      if (span.first < 0) continue;
      for (int c = span.first; c < span.last; ++c) Take(x, row[c]);
    }
  }
  std::uint32_t Result(std::size_t x) const {
    if (m_mode != HALFTONE) return kOpaque | m_values[x];
    unsigned count = std::max(m_counts[x], 1u);
    return kOpaque | ((m_sums[3 * x] / count) << 16) | ((m_sums[3 * x + 1] / count) << 8) | (m_sums[3 * x + 2] / count);
  }

 private:
  void Take(std::size_t x, std::uint32_t pixel) {
    switch (m_mode) {
      case BLACKONWHITE: m_values[x] &= pixel & kRgb; break;
      case WHITEONBLACK: m_values[x] |= pixel & kRgb; break;
      default:
        m_sums[3 * x] += (pixel >> 16) & 0xFF;
        m_sums[3 * x + 1] += (pixel >> 8) & 0xFF;
        m_sums[3 * x + 2] += pixel & 0xFF;
        ++m_counts[x];
        break;
    }
  }
  int m_mode;
  std::vector<std::uint32_t> m_values;
  std::vector<std::uint32_t> m_sums;
  std::vector<std::uint32_t> m_counts;
};

class Writer {
 public:
  Writer(const BlockCopy& copy, bool monoTarget) : m_copy(copy), m_monoTarget(monoTarget) {}
  void Put(std::uint32_t& destination, std::uint32_t source) const {
    if (m_copy.monoSource && !m_monoTarget) {
      source = (source & kRgb) ? m_copy.monoBackgroundOut : m_copy.monoForeground;
    } else if (m_monoTarget && !m_copy.monoSource) {
      source = ((source & kRgb) == (m_copy.monoBackground & kRgb)) ? 0xFFFFFFFFu : kOpaque;
    }
    if (m_copy.rop == SRCCOPY) destination = kOpaque | source;
    else destination = MixBlock(m_copy.rop, source, destination, m_copy.pattern);
  }

 private:
  const BlockCopy& m_copy;
  bool m_monoTarget;
};

}  // namespace

std::uint32_t ResolvePixel(const DeviceContext& context, COLORREF color) {
  std::uint32_t pixel = PixelFromColor(color & 0xFFFFFF);
  if ((color >> 24) == 0x01 && context.state.palette) {
    std::size_t index = color & 0xFFFF;
    const auto& entries = context.state.palette->entries;
    pixel = index < entries.size() ? PixelFromColor(RGB(entries[index].peRed, entries[index].peGreen, entries[index].peBlue))
                                   : PixelFromColor(RGB(0, 0, 0));
  }
  // A monochrome bitmap has black and white only: a colour becomes the nearer one.
  const Surface* target = context.Target();
  if (target && target->m_bitsPerPixel == 1) {
    unsigned sum = ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF);
    pixel = sum >= 3 * 128 ? 0xFFFFFFFFu : kOpaque;
  }
  return pixel;
}

bool CopyBlock(DeviceContext& context, const PixelSource& source, const BlockCopy& copy) {
  Surface* target = context.Target();
  if (!target) return false;
  RECT d = copy.destination, s = copy.source;
  bool mirrorX = (d.right < d.left) != (s.right < s.left);
  bool mirrorY = (d.bottom < d.top) != (s.bottom < s.top);
  // A mirrored extent counts back from its first pixel: (39, -40) covers 0 to 39.
  auto normalise = [](LONG& first, LONG& last) {
    if (last < first) {
      LONG start = last + 1;
      last = first + 1;
      first = start;
    }
  };
  normalise(d.left, d.right);
  normalise(d.top, d.bottom);
  normalise(s.left, s.right);
  normalise(s.top, s.bottom);
  int dw = d.right - d.left, dh = d.bottom - d.top, sw = s.right - s.left, sh = s.bottom - s.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return true;
  RECT clip = context.Clip(), area;
  if (!IntersectRect(&area, &d, &clip)) return true;

  std::vector<Span> columns = MapLine(d.left, area.left, area.right, dw, mirrorX, s.left, sw, source.Width());
  std::vector<Span> rows = MapLine(d.top, area.top, area.bottom, dh, mirrorY, s.top, sh, source.Height());
  bool shrinking = sw > dw || sh > dh;
  bool combine = shrinking && copy.stretchMode != COLORONCOLOR;
  std::vector<std::uint32_t> scratch(static_cast<std::size_t>(std::max(source.Width(), 1)));
  Writer writer(copy, target->m_bitsPerPixel == 1);
  bool bitFast = combine && copy.stretchMode != HALFTONE && source.BitRow(0) != nullptr;
  RowCombiner combiner(copy.stretchMode, columns.size());
  std::vector<BYTE> allOnes, anyOne;
  if (bitFast) {
    allOnes.resize(static_cast<std::size_t>((source.Width() + 7) / 8));
    anyOne.resize(allOnes.size());
  }

  for (int y = area.top; y < area.bottom; ++y) {
    const Span& rowSpan = rows[static_cast<std::size_t>(y - area.top)];
    if (rowSpan.first < 0) continue;
    std::uint32_t* out = target->Row(y) + area.left;
    if (!combine) {
      const std::uint32_t* row = source.Row(rowSpan.centre, scratch.data());
      for (std::size_t x = 0; x < columns.size(); ++x) {
        if (columns[x].first >= 0) writer.Put(out[x], row[columns[x].centre]);
      }
    } else if (bitFast) {
      // Whole bytes of the covered lines: AND tells where a 0 is, OR where a 1 is.
      std::fill(allOnes.begin(), allOnes.end(), 0xFF);
      std::fill(anyOne.begin(), anyOne.end(), 0x00);
      for (int r = rowSpan.first; r < rowSpan.last; ++r) {
        const BYTE* bits = source.BitRow(r);
        for (std::size_t i = 0; i < allOnes.size(); ++i) {
          allOnes[i] &= bits[i];
          anyOne[i] |= bits[i];
        }
      }
      bool andMode = copy.stretchMode == BLACKONWHITE;
      for (std::size_t x = 0; x < columns.size(); ++x) {
        const Span& span = columns[x];
        if (span.first < 0) continue;
        bool hasZero = AnyBit(allOnes.data(), span.first, span.last, false);
        bool hasOne = AnyBit(anyOne.data(), span.first, span.last, true);
        std::uint32_t pixel = andMode ? ((hasZero ? source.colour0 : 0xFFFFFFFFu) & (hasOne ? source.colour1 : 0xFFFFFFFFu))
                                      : ((hasZero ? source.colour0 : kOpaque) | (hasOne ? source.colour1 : kOpaque));
        writer.Put(out[x], pixel);
      }
    } else {
      combiner.Start();
      for (int r = rowSpan.first; r < rowSpan.last; ++r) combiner.Add(source.Row(r, scratch.data()), columns);
      for (std::size_t x = 0; x < columns.size(); ++x) {
        if (columns[x].first >= 0) writer.Put(out[x], combiner.Result(x));
      }
    }
  }
  context.Touched();
  return true;
}

}  // namespace layer
