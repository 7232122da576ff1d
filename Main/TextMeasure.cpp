#include "Main/TextMeasure.h"

int TextMeasure::Measure(CDC* dc, unsigned char c) {
  CFont* old = dc->SelectObject(m_font);
  const char text = static_cast<char>(c);
  m_widths[c] = dc->GetTextExtent(&text, 1).cx;
  dc->SelectObject(old);
  return m_widths[c];
}

int TextMeasure::Width(CDC* dc, const char* text, int length) {
  int width = 0;
  for (int i = 0; i < length; ++i) width += CharWidth(dc, static_cast<unsigned char>(text[i]));
  return width;
}

int TextMeasure::Fit(CDC* dc, const char* text, int length, int width) {
  int used = 0;
  for (int i = 0; i < length; ++i) {
    used += CharWidth(dc, static_cast<unsigned char>(text[i]));
    if (used > width) return i;
  }
  return length;
}

const TEXTMETRIC& TextMeasure::Metrics(CDC* dc) {
  if (!m_has_metrics) {
    CFont* old = dc->SelectObject(m_font);
    dc->GetTextMetrics(&m_metrics);
    dc->SelectObject(old);
    m_has_metrics = true;
  }
  return m_metrics;
}
