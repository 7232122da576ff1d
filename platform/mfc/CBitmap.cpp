#include "mfc/CBitmap.h"

#include "mfc/CDC.h"
#include "mfc/CWinApp.h"
#include "win32/Resources.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CBitmap::LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCE(id)); }

BOOL CBitmap::LoadBitmap(LPCSTR name) {
  return Attach(::LoadBitmap(AfxFindResourceHandle(name, RT_BITMAP), name));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return dc && Attach(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
}

int CBitmap::GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap)); }
