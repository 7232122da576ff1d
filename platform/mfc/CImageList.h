// An image list of the class library: owns its list and deletes it with
// itself unless detached.
#pragma once

#include "comctl/CommCtrl.h"
#include "mfc/CObject.h"
#include "mfc/CPoint.h"

class CBitmap;
class CDC;

class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)

 public:
  CImageList() = default;
  ~CImageList() override;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;
  operator HIMAGELIST() const { return m_hImageList; }  // NOLINT: the class library converts implicitly
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

  BOOL Create(int width, int height, UINT flags, int initial, int grow);
  // The images of a bitmap resource, each width pixels wide; the pixels of
  // the mask colour are left out.
  BOOL Create(UINT bitmapId, int width, int grow, COLORREF maskColor);
  BOOL Create(LPCSTR bitmapName, int width, int grow, COLORREF maskColor);
  BOOL DeleteImageList();
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();

  int GetImageCount() const;
  int Add(CBitmap* bitmap, CBitmap* mask);
  int Add(CBitmap* bitmap, COLORREF maskColor);
  BOOL Replace(int index, CBitmap* bitmap, CBitmap* mask);
  BOOL Remove(int index);
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  BOOL Draw(CDC* dc, int index, POINT point, UINT style);
};
