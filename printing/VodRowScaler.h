// One-bit pictures scaled without leaving one-bit form: each source row is
// spread onto the destination columns, rows that fall onto one destination
// row are gathered (a destination pixel is set when any source pixel on it
// is), and each destination row goes to the band writer as often as the
// scale repeats it. Set bits print black.
#pragma once

#include <cstdint>
#include <vector>

#include "win32/Types.h"

class CImageDib;

namespace vod {

class VodContext;

class VodRowScaler {
 public:
  // Source rows between two pauses for other programs and the user.
  static constexpr int kRowsPerPause = 256;

  explicit VodRowScaler(VodContext& context) : m_context(context) {}

  // Draws the picture with its top-left corner at the device position,
  // factorX and factorY device pixels per picture pixel in thousandths.
  // False when the job was cancelled or the bands could not be had.
  bool Draw(CImageDib& picture, POINT at, int factorX, int factorY);

 private:
  // Sets the destination columns that the set pixels of one source row
  // fall on.
  void Spread(const BYTE* source, bool invert);
  void SetColumns(int64_t from, int64_t to);

  VodContext& m_context;
  int m_width = 0;
  int m_destinationWidth = 0;
  int m_factorX = 0;
  std::vector<BYTE> m_row;
};

}  // namespace vod
