// The list-view control of the class library: columns, items and their texts,
// states and data, through the control's messages.
#pragma once

#include "comctl/CommCtrl.h"
#include "mfc/CHeaderCtrl.h"
#include "mfc/CImageList.h"
#include "mfc/CSize.h"
#include "mfc/CString.h"
#include "mfc/CWnd.h"

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  CListCtrl() = default;

  virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  BOOL DeleteColumn(int column);
  BOOL GetColumn(int column, LVCOLUMN* info) const;
  int GetColumnWidth(int column) const;
  // LVSCW_AUTOSIZE or LVSCW_AUTOSIZE_USEHEADER fit the column to its texts.
  BOOL SetColumnWidth(int column, int width);

  int GetItemCount() const;
  int InsertItem(const LVITEM* item);
  int InsertItem(int index, LPCSTR text);
  BOOL SetItem(const LVITEM* item);
  BOOL GetItem(LVITEM* item) const;
  BOOL SetItemText(int index, int subItem, LPCSTR text);
  CString GetItemText(int index, int subItem) const;
  int GetItemText(int index, int subItem, LPSTR text, int size) const;
  BOOL SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  BOOL SetItemState(int index, UINT state, UINT mask);
  UINT GetItemState(int index, UINT mask) const;
  // The next item after index (-1: from the start) that has the LVNI_ flags.
  int GetNextItem(int index, int flags) const;
  BOOL DeleteItem(int index);
  BOOL DeleteAllItems();
  int GetStringWidth(LPCSTR text) const;

  BOOL SetColumn(int column, const LVCOLUMN* info);
  int InsertItem(int index, LPCSTR text, int image);
  int InsertItem(UINT mask, int index, LPCSTR text, UINT state, UINT stateMask, int image, LPARAM data);
  BOOL SetItem(int index, int subItem, UINT mask, LPCSTR text, int image, UINT state, UINT stateMask, LPARAM data);
  // A list of LVS_OWNERDATA gets that many items; another makes room for them.
  void SetItemCount(int count);
  BOOL SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL);
  UINT GetSelectedCount() const;
  // The list's own header window, which a subclass may take over.
  CHeaderCtrl* GetHeaderCtrl() const;
  int GetTopIndex() const;
  int GetCountPerPage() const;
  BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
  BOOL GetSubItemRect(int index, int subItem, int code, CRect& rect) const;
  int HitTest(CPoint point, UINT* flags = nullptr) const;
  int HitTest(LVHITTESTINFO* info) const;
  int SubItemHitTest(LVHITTESTINFO* info);
  BOOL EnsureVisible(int index, BOOL partialOk);
  BOOL Scroll(CSize size);
  BOOL RedrawItems(int first, int last);
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
  CImageList* SetImageList(CImageList* list, int kind);
  CImageList* GetImageList(int kind) const;
  COLORREF GetBkColor() const;
  BOOL SetBkColor(COLORREF color);
  COLORREF GetTextColor() const;
  BOOL SetTextColor(COLORREF color);
  COLORREF GetTextBkColor() const;
  BOOL SetTextBkColor(COLORREF color);
  // Draws one row of an owner-drawn list (its parent hands the drawing back).
  virtual void DrawItem(LPDRAWITEMSTRUCT item);

 protected:
  afx_msg LRESULT OnReflectedDraw(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  CImageList* m_imageLists[3] = {};
  mutable CHeaderCtrl m_headerWrapper;
};
