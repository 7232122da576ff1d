#include "partsinfo/CPartsInfoButton.h"

#include "Main/CWV4BMB.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

CPartsInfoButton::~CPartsInfoButton() { DeleteBitmaps(); }

void CPartsInfoButton::DeleteBitmaps() {
  for (HBITMAP& bitmap : m_bitmaps) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

BOOL CPartsInfoButton::LoadBitmaps(const char* normal, const char* selected, const char* focus,
                                   const char* disabled) {
  DeleteBitmaps();
  m_bitmaps[kNormal] = normal ? CWV4BMB::LoadBitmapFromFile(normal) : nullptr;
  if (!m_bitmaps[kNormal]) return FALSE;
  BOOL all = TRUE;
  const char* others[] = {selected, focus, disabled};
  for (int i = 0; i < 3; ++i) {
    if (!others[i]) continue;
    m_bitmaps[static_cast<size_t>(i + 1)] = CWV4BMB::LoadBitmapFromFile(others[i]);
    if (!m_bitmaps[static_cast<size_t>(i + 1)]) all = FALSE;
  }
  return all;
}

BOOL CPartsInfoButton::LoadBitmapSet(const CString& base) {
  if (!LoadBitmaps(base + "U.BMP", base + "D.BMP", base + "F.BMP", base + "X.BMP")) return FALSE;
  BITMAP size{};
  GetObject(m_bitmaps[kNormal], sizeof size, &size);
  SetWindowPos(nullptr, 0, 0, size.bmWidth, size.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

BOOL CPartsInfoButton::AutoLoad(UINT id, CWnd* parent, const CString& base) {
  HWND item = parent ? ::GetDlgItem(parent->GetSafeHwnd(), static_cast<int>(id)) : nullptr;
  if (!item || !SubclassWindow(item)) return FALSE;
  return LoadBitmapSet(base);
}

void CPartsInfoButton::DrawItem(LPDRAWITEMSTRUCT item) {
  HBITMAP bitmap = m_bitmaps[kNormal];
  if ((item->itemState & ODS_DISABLED) && m_bitmaps[kDisabled]) bitmap = m_bitmaps[kDisabled];
  else if ((item->itemState & ODS_SELECTED) && m_bitmaps[kSelected]) bitmap = m_bitmaps[kSelected];
  else if ((item->itemState & ODS_FOCUS) && m_bitmaps[kFocus]) bitmap = m_bitmaps[kFocus];
  if (!bitmap) return;
  HDC memory = CreateCompatibleDC(item->hDC);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const RECT& area = item->rcItem;
  BitBlt(item->hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}
