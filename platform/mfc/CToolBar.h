// The toolbar of the class library: a toolbar control made a control bar.
// Its buttons come from a toolbar resource (RT_TOOLBAR: version 1, image
// width, image height, count, then one command id per button, 0 for a
// separator, in 16-bit fields; or, as binutils' resource compiler writes a
// TOOLBAR statement, the same without the version in 32-bit fields) and a
// bitmap of the same name, whose greys, black and white follow the system
// colours.
#pragma once

#include <vector>

#include "mfc/CControlBar.h"
#include "mfc/CImageList.h"
#include "mfc/CString.h"

#define RT_TOOLBAR MAKEINTRESOURCE(241)

// Button styles: the control's style in the low word, its state in the
// high word (TBBS_DISABLED for a button that is not enabled).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)


class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)

 public:
  CToolBar();
  ~CToolBar() override;

  virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
  // Button and image sizes; buttons are 7 pixels larger than their images.
  void SetSizes(SIZE button, SIZE image);
  void SetHeight(int height);
  BOOL LoadToolBar(LPCSTR name);
  BOOL LoadToolBar(UINT id) { return LoadToolBar(MAKEINTRESOURCE(id)); }
  BOOL LoadBitmap(LPCSTR name);
  BOOL LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCE(id)); }
  // Takes the bitmap (the bar deletes it); it must hold an image for every
  // button that has one.
  BOOL SetBitmap(HBITMAP bitmap);
  // Buttons for the ids (ID_SEPARATOR: a separator), the images in order;
  // without ids, count empty separators to fill in with SetButtonInfo.
  BOOL SetButtons(const UINT* ids, int count);

  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetItemRect(int index, LPRECT rect) const;
  UINT GetButtonStyle(int index) const;
  void SetButtonStyle(int index, UINT style);
  void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
  void SetButtonInfo(int index, UINT id, UINT style, int image);
  BOOL SetButtonText(int index, LPCSTR text);
  CString GetButtonText(int index) const;

  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  CSize CalcDynamicLayout(int length, DWORD mode) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnSysColorChange();
  DECLARE_MESSAGE_MAP()

 private:
  TBBUTTON Button(int index) const;
  void SetButton(int index, const TBBUTTON& button);
  // Lays the buttons out in rows no wider than width (all in one row for a
  // negative width), marking where rows wrap; returns the size they take.
  CSize WrapButtons(int width, BOOL horizontal);
  BOOL MakeImages(LPCSTR name);

  CImageList m_images;
  LPCSTR m_bitmapName = nullptr;  // the resource its images came from (a name or an id)
  CString m_bitmapNameText;
  HBITMAP m_bitmap = nullptr;
  SIZE m_sizeImage{16, 15};
  SIZE m_sizeButton{23, 22};
};
