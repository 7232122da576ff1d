#include "mfc/CFont.h"

#include <cstdlib>

#include "mfc/CDC.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCSTR face) {
  return Attach(::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                             outPrecision, clipPrecision, quality, pitchAndFamily, face));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirect(font)); }

BOOL CFont::CreatePointFont(int pointSize, LPCSTR face, CDC* dc) {
  LOGFONTA font{};
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfHeight = pointSize;
  if (face) {
    for (int i = 0; i < LF_FACESIZE - 1 && face[i]; ++i) font.lfFaceName[i] = face[i];
  }
  return CreatePointFontIndirect(&font, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* font, CDC* dc) {
  if (!font) return FALSE;
  LOGFONTA pixels = *font;
  // Tenths of a point become a character height in pixels (negative: without the leading).
  HDC context = dc ? dc->GetSafeHdc() : ::GetDC(nullptr);
  int dpi = context ? ::GetDeviceCaps(context, LOGPIXELSY) : 96;
  if (!dc && context) ::ReleaseDC(nullptr, context);
  pixels.lfHeight = -MulDiv(std::abs(static_cast<int>(font->lfHeight)), dpi, 720);
  return CreateFontIndirect(&pixels);
}

int CFont::GetLogFont(LOGFONTA* font) const { return GetObject(sizeof(LOGFONTA), font); }

CFont* CFont::FromHandle(HFONT font) { return static_cast<CFont*>(CGdiObject::FromHandle(font)); }
