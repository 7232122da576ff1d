// Labels of the text mode: a hotspot is as large as its name in the
// 12-point measuring font, and its name is drawn in the label font, whose
// size follows the zoom.
#include "CHotspots.h"
#include "mfc/CClientDC.h"
#include "mfc/CFont.h"
#include "mfc/CSize.h"

namespace {
constexpr int measureSize = 12;

CFont* MakeFont(int points, const CString& face) {
  CFont* font = new CFont;
  if (font->CreatePointFont(points * 10, face)) return font;
  delete font;
  return nullptr;
}
}  // namespace

void CHotspots::CreateMissingFonts() {
  if (!m_pMeasureFont) m_pMeasureFont = MakeFont(measureSize, m_strFontFace);
  if (!m_pLabelFont) m_pLabelFont = MakeFont(m_nFontSize, m_strFontFace);
}

RECT CHotspots::LabelRect(int left, int top, const char* text) {
  if (!m_pMeasureFont) m_pMeasureFont = MakeFont(measureSize, m_strFontFace);
  CClientDC screen(nullptr);
  CFont* old = m_pMeasureFont ? screen.SelectObject(m_pMeasureFont) : nullptr;
  CSize size = screen.GetTextExtent(text ? text : "");
  if (old) screen.SelectObject(old);
  return RECT{left, top, left + size.cx, top + size.cy};
}

void CHotspots::ZoomLabelFont(int height) {
  // Without a picture size the label keeps the size of the measuring font.
  int size = m_nImageHeight <= 0 || height >= m_nImageHeight ? measureSize
                                      : static_cast<int>(static_cast<double>(height) / m_nImageHeight * measureSize + 0.999);
  if (size != m_nFontSize) {
    m_nFontSize = size;
    delete m_pLabelFont;
    m_pLabelFont = MakeFont(m_nFontSize, m_strFontFace);
  } else if (!m_pLabelFont) {
    m_pLabelFont = MakeFont(m_nFontSize, m_strFontFace);
  }
}

void CHotspots::DeleteFonts() {
  delete m_pLabelFont;
  delete m_pMeasureFont;
  m_pLabelFont = m_pMeasureFont = nullptr;
}
