// Reads the rows of a loaded TIFF one after another, strip after strip,
// decoding and dropping the rows it passes on the way.
#pragma once

#include "imaging/picture/CcittDecoder.h"
#include "imaging/picture/TiffReader.h"

class TiffRowReader {
 public:
  explicit TiffRowReader(const QORIMG_PICTURE* picture) : m_picture(picture) {}

  // Hands the row's black runs to sink(from, to). Rows are cheapest in
  // ascending order; an earlier row starts its strip again.
  template <class Sink>
  void Decode(LONG row, Sink&& sink) {
    const LONG stripEnd = m_stripFirst + static_cast<LONG>(m_picture->nRowsPerStrip);
    if (!m_strip.data || row < m_row || row >= stripEnd) {
      m_strip = TiffStripOfRow(m_picture, row, &m_stripFirst);
      m_position = 0;
      m_row = m_stripFirst;
    }
    const LONG width = m_picture->nTiffWidth;
    for (; m_row < row; ++m_row)
      m_position = DecodeCcittRow(m_strip.data, m_strip.size, m_position, width, [](LONG, LONG) {});
    m_position = DecodeCcittRow(m_strip.data, m_strip.size, m_position, width, sink);
    ++m_row;
  }

 private:
  const QORIMG_PICTURE* m_picture;
  TiffBytes m_strip;
  LONG m_stripFirst = 0;
  LONG m_row = 0;
  DWORD m_position = 0;
};
