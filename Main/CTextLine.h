// One piece of a word-wrapped text: the part of the text on one line, with
// the rectangle it is drawn in.
#pragma once

#include "mfc/CDC.h"
#include "mfc/CObject.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"

class CTextLine : public CObject {
 public:
  CTextLine(const CString& text, int line, int width, int height)
      : m_text(text), m_line(line), m_extent(width), m_rect(0, 0, width, height), m_flow_size(width, height) {}

  void Draw(CDC* dc) const;
  BOOL EndsWithBlank() const { return !m_text.IsEmpty() && m_text[m_text.GetLength() - 1] == ' '; }
  // Drops the blank that ends the piece, as the last piece of its line; size
  // is what the rest measures. Restore brings back the piece as the flow
  // made it.
  void TrimBlank(CSize size);
  void Restore();

  CString m_text;
  int m_line;
  int m_extent;
  CRect m_rect;

 private:
  CSize m_flow_size;
  BOOL m_trimmed = FALSE;
};
