// The header control of the class library: the titled items above a list's
// columns.
#pragma once

#include "comctl/CommCtrl.h"
#include "mfc/CWnd.h"

class CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)

 public:
  CHeaderCtrl() = default;

  virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetItemCount() const;
  int InsertItem(int position, HDITEM* item);
  BOOL DeleteItem(int position);
  BOOL GetItem(int position, HDITEM* item) const;
  BOOL SetItem(int position, HDITEM* item);
  BOOL GetItemRect(int position, LPRECT rect) const;
  BOOL Layout(HDLAYOUT* layout);
};
