// The three coded pixel formats of DRF pictures, decoded line by line into the
// bitmap stripes.
#pragma once

#include "interfaces/QridIMG.h"

// The raw pixel blocks read as one byte stream that ends at the pixel data
// size or at the end of the blocks actually held, whichever comes first.
class PixelStream {
 public:
  explicit PixelStream(const QORIMG_PICTURE* picture);
  ~PixelStream();
  PixelStream(const PixelStream&) = delete;
  PixelStream& operator=(const PixelStream&) = delete;

  bool AtEnd() const { return m_position >= m_size; }
  DWORD Position() const { return m_position; }
  void MoveTo(DWORD position) { m_position = position; }
  // The next byte; 0 past the end (callers test AtEnd first).
  BYTE Next() { return AtEnd() ? 0 : At(m_position++); }
  BYTE At(DWORD position) const { return position < m_size ? m_blocks[position >> 16][position & 0xFFFF] : 0; }
  // A 16-bit line length, most significant byte first.
  DWORD NextBigEndian16() {
    DWORD high = Next();
    return (high << 8) | Next();
  }

 private:
  const QORIMG_PICTURE* m_picture;
  const BYTE* m_blocks[QORIMG_PIXEL_BLOCKS] = {};
  DWORD m_size = 0;
  DWORD m_position = 0;
};

// Where decoded lines go: picture line y (0 at the top) of stride bytes.
class LineTarget {
 public:
  virtual ~LineTarget() = default;
  virtual BYTE* Line(int y) = 0;
};

void DecodeByteLines(PixelStream& stream, LineTarget& target, int width, int height, int stride, BYTE fillIndex);
void DecodeGreyRunLines(PixelStream& stream, LineTarget& target, int width, int height, int stride);
void DecodeTwoBitLines(PixelStream& stream, LineTarget& target, int width, int height, int stride);

// Type 6 keeps its colour table at the start of the pixel data, its lines after it.
constexpr DWORD kByteLinesStart = 722;
