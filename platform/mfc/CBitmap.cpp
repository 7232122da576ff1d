#include "mfc/CBitmap.h"

#include "mfc/CDC.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return dc && Attach(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
}

int CBitmap::GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }

CBitmap* CBitmap::FromHandle(HBITMAP bitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap)); }
