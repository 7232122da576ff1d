#include "mfc/CImageList.h"

#include "mfc/CBitmap.h"
#include "mfc/CDC.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int width, int height, UINT flags, int initial, int grow) {
  return Attach(ImageList_Create(width, height, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int width, int grow, COLORREF maskColor) {
  return Create(MAKEINTRESOURCE(bitmapId), width, grow, maskColor);
}

BOOL CImageList::Create(LPCSTR bitmapName, int width, int grow, COLORREF maskColor) {
  CBitmap bitmap;
  BITMAP info{};
  if (!bitmap.LoadBitmap(bitmapName) || !bitmap.GetBitmap(&info)) return FALSE;
  if (!Create(width, info.bmHeight, ILC_MASK | ILC_COLOR, info.bmWidth / width, grow)) return FALSE;
  if (Add(&bitmap, maskColor) >= 0) return TRUE;
  DeleteImageList();
  return FALSE;
}

BOOL CImageList::DeleteImageList() { return m_hImageList ? ImageList_Destroy(Detach()) : FALSE; }

BOOL CImageList::Attach(HIMAGELIST list) {
  if (!list) return FALSE;
  DeleteImageList();
  m_hImageList = list;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST list = m_hImageList;
  m_hImageList = nullptr;
  return list;
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }

int CImageList::Add(CBitmap* bitmap, CBitmap* mask) {
  return bitmap ? ImageList_Add(m_hImageList, *bitmap, mask ? static_cast<HBITMAP>(*mask) : nullptr) : -1;
}

int CImageList::Add(CBitmap* bitmap, COLORREF maskColor) {
  return bitmap ? ImageList_AddMasked(m_hImageList, *bitmap, maskColor) : -1;
}

BOOL CImageList::Replace(int index, CBitmap* bitmap, CBitmap* mask) {
  return bitmap && ImageList_Replace(m_hImageList, index, *bitmap, mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

BOOL CImageList::Remove(int index) { return ImageList_Remove(m_hImageList, index); }
COLORREF CImageList::SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

BOOL CImageList::Draw(CDC* dc, int index, POINT point, UINT style) {
  return dc && ImageList_Draw(m_hImageList, index, dc->GetSafeHdc(), point.x, point.y, style);
}
