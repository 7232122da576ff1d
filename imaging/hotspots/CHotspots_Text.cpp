// Labels of the text mode. The platform's fonts are not there yet: until
// they are, no font is made and a label keeps the rectangle it was given.
#include "CHotspots.h"

RECT CHotspots::LabelRect(int left, int top, const char*) { return RECT{left, top, left, top}; }

void CHotspots::CreateMissingFonts() {}

void CHotspots::ZoomLabelFont(int height) {
  // Without a picture size the label keeps the size of the measuring font.
  int size = m_nImageHeight <= 0 || height >= m_nImageHeight ? 12 : static_cast<int>(static_cast<double>(height) / m_nImageHeight * 12 + 0.999);
  m_nFontSize = size;
}

void CHotspots::DeleteFonts() {}
