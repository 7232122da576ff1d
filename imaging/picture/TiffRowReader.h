// Reads the rows of a loaded TIFF one after another, strip after strip,
// decoding and dropping the rows it passes on the way.
#pragma once

#include "imaging/picture/CcittDecoder.h"
#include "imaging/picture/TiffReader.h"

class TiffRowReader {
 public:
  explicit TiffRowReader(const QORIMG_PICTURE* picture) : m_picture(picture) {}

  // Hands the row's black runs to sink(from, to). Rows are cheapest in
  // ascending order; an earlier row starts its strip again. The rows of a
  // strip that the file lacks stay white and cost nothing.
  template <class Sink>
  void Decode(LONG row, Sink&& sink) {
    if (!m_started || row < m_row || row >= StripEnd()) {
      m_strip = TiffStripOfRow(m_picture, row, &m_stripFirst);
      m_position = 0;
      m_row = m_stripFirst;
      m_started = true;
    }
    if (!m_strip.data) {
      m_row = row + 1;
      return;
    }
    const LONG width = m_picture->nTiffWidth;
    for (; m_row < row; ++m_row) DecodeRow(width, [](LONG, LONG) {});
    DecodeRow(width, sink);
    ++m_row;
  }

  // Rows handed to the row decoder so far, skipped ones included.
  long long DecodedRows() const { return m_decodedRows; }

 private:
  // 64 bits: rows per strip may take all of its 32.
  long long StripEnd() const { return static_cast<long long>(m_stripFirst) + m_picture->nRowsPerStrip; }

  template <class Sink>
  void DecodeRow(LONG width, Sink&& sink) {
    m_position = DecodeCcittRow(m_strip.data, m_strip.size, m_position, width, sink);
    ++m_decodedRows;
  }

  const QORIMG_PICTURE* m_picture;
  TiffBytes m_strip;
  bool m_started = false;
  LONG m_stripFirst = 0;
  LONG m_row = 0;
  DWORD m_position = 0;
  long long m_decodedRows = 0;
};
