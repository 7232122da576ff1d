// A font for text.
#pragma once

#include "mfc/CGdiObject.h"

class CDC;

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)

 public:
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, LPCSTR face);
  BOOL CreateFontIndirect(const LOGFONTA* font);
  // A font of a size in tenths of a point, on the screen's (or the given context's) resolution.
  BOOL CreatePointFont(int pointSize, LPCSTR face, CDC* dc = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONTA* font, CDC* dc = nullptr);
  int GetLogFont(LOGFONTA* font) const;
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT
  static CFont* FromHandle(HFONT font);
};
