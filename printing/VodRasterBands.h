// The band writer of one-bit pictures: rows are gathered into a buffer of
// at most 786432 bytes and each full band is drawn one to one at its place
// on the page; bands without a set pixel are skipped. Set bits print black.
#pragma once

#include <vector>

#include "win32/Types.h"

namespace vod {

class VodContext;

class VodRasterBands {
 public:
  static constexpr size_t kBandBytes = 786432;

  explicit VodRasterBands(VodContext& context) : m_context(context) {}
  ~VodRasterBands();
  VodRasterBands(const VodRasterBands&) = delete;
  VodRasterBands& operator=(const VodRasterBands&) = delete;

  // A picture of width pixels and rows rows follows. Texts 414 and 419 when
  // the buffer cannot be had.
  bool BeginRows(int width, int rows);
  // One row of packed bits (the first pixel in the high bit of the first
  // byte) that goes to device position (x, y); the first row of a band
  // places the band.
  bool PutRow(int x, int y, const BYTE* row);
  // Draws what is left and frees the buffer.
  bool EndRows();
  int RowsPerBand() const { return m_rowsPerBand; }

 private:
  bool Flush();
  void Free();
  BYTE* Line(int index) { return m_bits + static_cast<size_t>(index) * m_stride; }

  VodContext& m_context;
  HGLOBAL m_block = nullptr;
  BYTE* m_bits = nullptr;
  std::vector<BYTE> m_header;  // one-bit bitmap header with black and white
  int m_width = 0;
  size_t m_stride = 0;
  int m_rowsPerBand = 0;
  int m_held = 0;
  POINT m_origin{0, 0};
};

}  // namespace vod
