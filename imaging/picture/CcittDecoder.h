// The one-dimensional modified Huffman code of fax group 3 as TIFF compression
// 2 stores it: rows that start white, alternate colours at each terminating
// code and begin on a byte boundary.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "win32/Types.h"

enum : BYTE { kCcittInvalid = 0, kCcittTerminating = 1, kCcittMakeUp = 2 };
struct CcittEntry {
  WORD run;
  BYTE length;  // 0: no code begins with these bits
  BYTE kind;
};

// Tables indexed by the next 12 (white) or 13 (black) bits of the data: the
// longest code of each colour.
constexpr int kCcittWhitePeek = 12;
constexpr int kCcittBlackPeek = 13;
extern const CcittEntry* const kCcittWhiteTable;
extern const CcittEntry* const kCcittBlackTable;

// Pairs of a white and a black terminating code that lie together within the
// next 12 bits of the data, indexed by those bits: the white run in bits 0 to
// 5, the black run in bits 6 to 11 and the length of both codes in bits 12 to
// 15; 0 where the bits begin with no such pair. Most codes of a line drawing
// are short, so one lookup takes a white and a black run at once.
constexpr int kCcittPairPeek = 12;
extern const WORD* const kCcittWhiteBlackPairs;

// Reads the data most significant bit first; past the end it reads zero
// bits, which begin no code, so a row cut short ends there.
class CcittBits {
 public:
  CcittBits(const BYTE* data, DWORD length, DWORD position)
      : m_data(data), m_length(length), m_start(position), m_next(position) {}

  // At least 57 bits in the window afterwards.
  void Fill() {
    if (m_next + 8 <= m_length) {
      std::uint64_t word;
      std::memcpy(&word, m_data + m_next, 8);
      word = __builtin_bswap64(word);
      // The bits of the word below the whole bytes taken repeat the next bytes
      // exactly, so the following fill may lay them down again; with the
      // window full it takes no byte and lays down the same bits.
      m_window |= word >> m_valid;
      const int taken = (63 - m_valid) >> 3;
      m_next += taken;
      m_valid += taken * 8;
      return;
    }
    while (m_valid <= 56) {
      const std::uint64_t byte = m_next < m_length ? m_data[m_next] : 0;
      m_window |= byte << (56 - m_valid);
      ++m_next;
      m_valid += 8;
    }
  }
  unsigned Peek(int bits) const { return static_cast<unsigned>(m_window >> (64 - bits)); }
  void Skip(int bits) {
    m_window <<= bits;
    m_valid -= bits;
  }
  // The position after the bits used, rounded up to a whole byte.
  std::uint64_t EndPosition() const {
    const std::uint64_t used = (m_next - m_start) * 8 - static_cast<std::uint64_t>(m_valid);
    return m_start + (used + 7) / 8;
  }

 private:
  const BYTE* m_data;
  DWORD m_length;
  std::uint64_t m_start;
  std::uint64_t m_next;
  std::uint64_t m_window = 0;
  int m_valid = 0;
};

// Decodes the row that starts at position and hands each black run, cut to
// the row, to sink(from, to). The row ends after the terminating code that
// reaches the row width, or at a pattern that is no code. Returns the
// position of the next row. Without Pairs every code takes a lookup of its
// own: the same runs and positions, more slowly.
template <bool Pairs = true, class Sink>
DWORD DecodeCcittRow(const BYTE* data, DWORD length, DWORD position, LONG rowWidth, Sink&& sink) {
  if (position >= length) return position;
  CcittBits bits(data, length, position);
  std::int64_t x = 0;
  bool black = false;
  for (;;) {
    bits.Fill();
    if (Pairs && !black) {
      // A pair leaves the colour white; its white code must not end the row.
      const unsigned pair = kCcittWhiteBlackPairs[bits.Peek(kCcittPairPeek)];
      const unsigned white = pair & 63, blackRun = (pair >> 6) & 63;
      if (pair != 0 && x + white < rowWidth) {
        bits.Skip(static_cast<int>(pair >> 12));
        x += white;
        if (blackRun) sink(static_cast<LONG>(x), static_cast<LONG>(std::min<std::int64_t>(x + blackRun, rowWidth)));
        x += blackRun;
        if (x >= rowWidth) break;
        continue;
      }
    }
    const CcittEntry entry =
        black ? kCcittBlackTable[bits.Peek(kCcittBlackPeek)] : kCcittWhiteTable[bits.Peek(kCcittWhitePeek)];
    if (entry.length == 0) break;
    bits.Skip(entry.length);
    if (black && entry.run && x < rowWidth)
      sink(static_cast<LONG>(x), static_cast<LONG>(std::min<std::int64_t>(x + entry.run, rowWidth)));
    x += entry.run;
    if (entry.kind == kCcittTerminating) {
      if (x >= rowWidth) break;
      black = !black;
    }
  }
  const std::uint64_t end = bits.EndPosition();
  return end < length ? static_cast<DWORD>(end) : length;
}

// Counts the black pixels of one row from x start to x end into output
// columns (pixel - x start) * numerator / denominator.
DWORD DecodeCCITTRuns(LONG xStart, LONG xEnd, LONG rowWidth, const BYTE* data, DWORD length, DWORD position,
                      WORD* columns, LONG numerator, LONG denominator);
