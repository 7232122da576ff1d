// Colour indices of pixels in lines of 1, 4 or 8 bits per pixel; the leftmost
// pixel sits in the highest bits of its byte.
#pragma once

#include "win32/Types.h"

inline int IndexAt(const BYTE* line, int x, int bits) {
  if (bits == 8) return line[x];
  const int perByte = 8 / bits;
  const int shift = (perByte - 1 - x % perByte) * bits;
  return (line[x / perByte] >> shift) & ((1 << bits) - 1);
}

inline void PutIndex(BYTE* line, int x, int bits, int index) {
  if (bits == 8) {
    line[x] = static_cast<BYTE>(index);
    return;
  }
  const int perByte = 8 / bits;
  const int shift = (perByte - 1 - x % perByte) * bits;
  const int mask = ((1 << bits) - 1) << shift;
  line[x / perByte] = static_cast<BYTE>((line[x / perByte] & ~mask) | ((index << shift) & mask));
}
