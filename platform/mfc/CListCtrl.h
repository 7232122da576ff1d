// The list-view control of the class library: columns, items and their texts,
// states and data, through the control's messages.
#pragma once

#include "mfc/CString.h"
#include "mfc/CWnd.h"
#include "comctl/CommCtrl.h"

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
};
