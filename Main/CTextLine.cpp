#include "Main/CTextLine.h"

void CTextLine::Draw(CDC* dc) const {
  CRect clip;
  dc->GetClipBox(&clip);
  CRect common;
  if (!common.IntersectRect(&clip, &m_rect)) return;
  dc->ExtTextOut(m_rect.left, m_rect.top, ETO_CLIPPED, &m_rect, m_text, nullptr);
}

void CTextLine::TrimBlank(CSize size) {
  if (!EndsWithBlank()) return;
  m_text = m_text.Left(m_text.GetLength() - 1);
  m_trimmed = TRUE;
  m_extent = size.cx;
  m_rect.SetRect(0, 0, size.cx, size.cy);
}

void CTextLine::Restore() {
  if (m_trimmed) m_text += ' ';
  m_trimmed = FALSE;
  m_extent = m_flow_size.cx;
  m_rect.SetRect(0, 0, m_flow_size.cx, m_flow_size.cy);
}
