// The class library's list box; an owner-drawn one measures and draws its
// items in MeasureItem and DrawItem.
#pragma once

#include "mfc/CWnd.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int AddString(LPCSTR text);
  int InsertString(int index, LPCSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetText(int index, LPSTR buffer) const;
  void GetText(int index, CString& text) const;
  int GetTextLen(int index) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  int FindString(int after, LPCSTR text) const;
  int FindStringExact(int after, LPCSTR text) const;
  int SelectString(int after, LPCSTR text);
  int GetSel(int index) const;
  int SetSel(int index, BOOL select = TRUE);
  int GetSelCount() const;
  int GetSelItems(int count, LPINT items) const;
  int GetTopIndex() const;
  int SetTopIndex(int index);
  int GetItemHeight(int index) const;
  int SetItemHeight(int index, UINT height);
  int GetItemRect(int index, LPRECT rect) const;
  virtual void DrawItem(LPDRAWITEMSTRUCT item);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT item);

 protected:
  afx_msg LRESULT OnReflectedDraw(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnReflectedMeasure(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

#define ON_LBN_SELCHANGE(id, member) ON_CONTROL(LBN_SELCHANGE, id, member)
#define ON_LBN_DBLCLK(id, member) ON_CONTROL(LBN_DBLCLK, id, member)
#define ON_LBN_SETFOCUS(id, member) ON_CONTROL(LBN_SETFOCUS, id, member)
#define ON_LBN_KILLFOCUS(id, member) ON_CONTROL(LBN_KILLFOCUS, id, member)
