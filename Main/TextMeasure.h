// The widths of a font's characters, each measured once on a device context
// with the font: a text is as wide as its characters together, as the device
// contexts measure texts (they do not kern). Word wrapping measures the same
// characters over and over; this keeps it from asking the device each time.
#pragma once

#include <array>

#include "mfc/CDC.h"
#include "mfc/CFont.h"

class TextMeasure {
 public:
  explicit TextMeasure(CFont* font) : m_font(font) { m_widths.fill(-1); }

  int Width(CDC* dc, const char* text, int length);
  // The longest start of text that is at most width wide.
  int Fit(CDC* dc, const char* text, int length, int width);
  const TEXTMETRIC& Metrics(CDC* dc);

 private:
  int CharWidth(CDC* dc, unsigned char c) {
    const int known = m_widths[c];
    return known >= 0 ? known : Measure(dc, c);
  }
  int Measure(CDC* dc, unsigned char c);

  CFont* m_font;  // the frame's, not owned
  std::array<int, 256> m_widths;
  TEXTMETRIC m_metrics{};
  bool m_has_metrics = false;
};
