#include "imaging/picture/DrfDecoders.h"

#include <algorithm>
#include <cstring>

#include "win32/Memory.h"

PixelStream::PixelStream(const QORIMG_PICTURE* picture) : m_picture(picture) {
  DWORD held = 0;
  for (int i = 0; i < QORIMG_PIXEL_BLOCKS && picture->hPixelBlocks[i]; ++i) {
    m_blocks[i] = static_cast<const BYTE*>(GlobalLock(picture->hPixelBlocks[i]));
    if (!m_blocks[i]) break;
    held += static_cast<DWORD>(GlobalSize(picture->hPixelBlocks[i]));
    if (GlobalSize(picture->hPixelBlocks[i]) < 65536) break;  // only the last block is short
  }
  m_size = std::min(held, picture->nPixelDataSize);
}

PixelStream::~PixelStream() {
  for (int i = 0; i < QORIMG_PIXEL_BLOCKS; ++i)
    if (m_blocks[i]) GlobalUnlock(m_picture->hPixelBlocks[i]);
}

void DecodeByteLines(PixelStream& stream, LineTarget& target, int width, int height, int stride, BYTE fillIndex) {
  stream.MoveTo(kByteLinesStart);
  for (int y = 0; y < height && !stream.AtEnd(); ++y) {
    const DWORD start = stream.Position();
    const long length = static_cast<long>(stream.NextBigEndian16());
    BYTE* line = target.Line(y);
    int x = 0;  // pixels decoded; those beyond the stride are dropped
    for (long counter = length - 1; counter > 2 && !stream.AtEnd();) {
      BYTE code = stream.Next();
      if (code >= 16) {
        if (x < stride) line[x] = static_cast<BYTE>(code - 16);
        ++x;
        counter -= 1;
      } else {
        BYTE value = static_cast<BYTE>(stream.Next() - 16);
        int end = std::min(x + code, stride);
        if (x < end) std::memset(line + x, value, end - x);
        x += code;
        counter -= 2;
      }
    }
    if (x < stride) std::memset(line + x, fillIndex, stride - x);
    stream.MoveTo(start + static_cast<DWORD>(length));
  }
}

void DecodeGreyRunLines(PixelStream& stream, LineTarget& target, int width, int height, int stride) {
  for (int y = 0; y < height && !stream.AtEnd(); ++y) {
    const DWORD start = stream.Position();
    const DWORD length = stream.NextBigEndian16();
    BYTE* line = target.Line(y);
    for (int x = 0; x < width && !stream.AtEnd();) {
      BYTE code = stream.Next();
      int run = (code >> 6) + 1;
      int level = code & 63;
      if (level && x + run <= stride) std::memset(line + x, level, run);
      x += run;
    }
    stream.MoveTo(start + length);
  }
}

void DecodeTwoBitLines(PixelStream& stream, LineTarget& target, int width, int height, int stride) {
  for (int y = 0; y < height && !stream.AtEnd(); ++y) {
    const DWORD start = stream.Position();
    const DWORD length = stream.NextBigEndian16();
    BYTE* line = target.Line(y);
    int x = 0;
    // Two pixels a byte, the first in the high half.
    auto put = [&](int colour) {
      if (x < stride) line[x >> 1] |= static_cast<BYTE>((x & 1) ? colour : colour << 4);
      ++x;
    };
    while (x < width && !stream.AtEnd()) {
      BYTE code = stream.Next();
      if (code & 1) {
        int run = code >> 3, colour = (code >> 1) & 3;
        if (colour)
          for (int i = 0; i < run; ++i) put(colour);
        else
          x += run;
        continue;
      }
      BYTE packed = 0;
      for (int i = 0, group = code >> 1; i < group && x < stride; ++i) {
        if (i % 4 == 0) {
          if (stream.AtEnd()) break;
          packed = stream.Next();
        }
        put((packed >> (2 * (i % 4))) & 3);
      }
    }
    stream.MoveTo(start + 2 + length);
  }
}
