#include "Main/CFontSpec.h"

#include <cstring>

BOOL CFontSpec::IsSameFont(const CFontSpec& other) const {
  return std::strcmp(m_facename, other.m_facename) == 0 && m_size == other.m_size && m_bold == other.m_bold &&
         m_italic == other.m_italic && m_underline == other.m_underline;
}

BOOL CFontSpec::CreateFont(CFont& font) const {
  CFont pointFont;
  if (!pointFont.CreatePointFont(m_size * 10, m_facename)) return FALSE;
  LOGFONTA log;
  pointFont.GetLogFont(&log);
  if (m_bold != 0) log.lfWeight = FW_BOLD;
  log.lfItalic = static_cast<BYTE>(m_italic);
  log.lfUnderline = static_cast<BYTE>(m_underline);
  return font.CreateFontIndirect(&log);
}
