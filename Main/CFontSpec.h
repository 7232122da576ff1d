// The font and colours of a text of a frame: what makes the font (face,
// size, bold, italic, underline) and what is set on the device context before
// the text is drawn (background mode and colour, text colour).
#pragma once

#include "mfc/CFont.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CFontSpec : public CObject {
 public:
  CFontSpec() = default;
  CFontSpec(const CFontSpec& other) = default;
  CFontSpec& operator=(const CFontSpec& other) = default;

  void SetDefaults() { *this = CFontSpec(); }
  // The same font: face (case-sensitive), size, bold, italic and underline;
  // the colours and the background mode do not count.
  BOOL IsSameFont(const CFontSpec& other) const;
  BOOL operator!=(const CFontSpec& other) const { return !IsSameFont(other); }
  // Makes the screen font of this record into font.
  BOOL CreateFont(CFont& font) const;

  int m_bkmode = 1;  // 1 transparent, 2 opaque
  COLORREF m_bkcolor = 0x7F7F7F;
  CString m_facename = "Arial";
  int m_size = 10;  // points
  COLORREF m_textcolor = 0;
  int m_bold = 0;
  int m_italic = 0;
  int m_underline = 0;
};
