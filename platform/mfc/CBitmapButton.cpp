#include "mfc/CBitmapButton.h"

#include "mfc/CDC.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

namespace {

BOOL LoadInto(CBitmap& bitmap, LPCSTR name) {
  bitmap.DeleteObject();
  return name ? bitmap.LoadBitmap(name) : TRUE;
}

LPCSTR ResourceName(UINT id) { return id ? MAKEINTRESOURCE(id) : nullptr; }

}  // namespace

// The normal picture is required; the others may be missing, which the
// result reports.
BOOL CBitmapButton::LoadBitmaps(LPCSTR normal, LPCSTR selected, LPCSTR focus, LPCSTR disabled) {
  if (!LoadInto(m_bitmap, normal) || !m_bitmap.GetSafeHandle()) return FALSE;
  const BOOL others = LoadInto(m_bitmapSel, selected) & LoadInto(m_bitmapFocus, focus) & LoadInto(m_bitmapDisabled, disabled);
  return others;
}

BOOL CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focus, UINT disabled) {
  return LoadBitmaps(ResourceName(normal), ResourceName(selected), ResourceName(focus), ResourceName(disabled));
}

void CBitmapButton::SizeToContent() {
  BITMAP info{};
  if (!m_bitmap.GetSafeHandle() || !m_bitmap.GetBitmap(&info)) return;
  SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Pressed shows the selected picture, then focus the focus picture, then
// disabled the disabled one, each when it exists.
void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT item) {
  if (!item || !m_bitmap.GetSafeHandle()) return;
  CBitmap* picture = &m_bitmap;
  if ((item->itemState & ODS_SELECTED) && m_bitmapSel.GetSafeHandle()) picture = &m_bitmapSel;
  else if ((item->itemState & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle()) picture = &m_bitmapFocus;
  else if ((item->itemState & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle()) picture = &m_bitmapDisabled;
  CDC* dc = CDC::FromHandle(item->hDC);
  CDC memory;
  memory.CreateCompatibleDC(dc);
  CBitmap* old = memory.SelectObject(picture);
  const RECT& area = item->rcItem;
  dc->BitBlt(area.left, area.top, area.right - area.left, area.bottom - area.top, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}
