// Drawing a CDib through a device context, with its palette realised.
#include "imaging/raster/CDib.h"
#include "mfc/CPalette.h"

void CDib::DrawStretched(HDC dc, int x, int y, int width, int height, DWORD rop) {
  if (!m_pBMI) return;
  if (!m_pPalette) MakePalette();
  HPALETTE previous = m_pPalette ? SelectPalette(dc, *m_pPalette, TRUE) : nullptr;
  RealizePalette(dc);
  const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x, y, width, height, 0, 0, m_width, m_height, m_pBits, m_pBMI, DIB_RGB_COLORS, rop);
  SetStretchBltMode(dc, previousMode);
  if (previous) SelectPalette(dc, previous, TRUE);
}

void CDib::Draw(HDC dc, int x, int y, DWORD rop) { DrawStretched(dc, x, y, m_width, m_height, rop); }

void CDib::StretchDraw(HDC dc, int x, int y, double factor, DWORD rop) {
  DrawStretched(dc, x, y, static_cast<int>(m_width * factor), static_cast<int>(m_height * factor), rop);
}

void CDib::DrawToDevice(HDC dc, int x, int y, int left, int top, int right, int bottom) {
  if (!m_pBMI || right <= left || bottom <= top) return;
  if (!m_pPalette) MakePalette();
  HPALETTE previous = m_pPalette ? SelectPalette(dc, *m_pPalette, TRUE) : nullptr;
  RealizePalette(dc);
  // The lines of the block run bottom-up: the part's source line counts from the bottom.
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(right - left), static_cast<DWORD>(bottom - top), left,
                    m_height - bottom, 0, static_cast<UINT>(m_height), m_pBits, m_pBMI, DIB_RGB_COLORS);
  if (previous) SelectPalette(dc, previous, TRUE);
}
