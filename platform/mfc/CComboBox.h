// The class library's combo box.
#pragma once

#include "mfc/CWnd.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int AddString(LPCSTR text);
  int InsertString(int index, LPCSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int GetLBText(int index, LPSTR buffer) const;
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  int FindString(int after, LPCSTR text) const;
  int FindStringExact(int after, LPCSTR text) const;
  int SelectString(int after, LPCSTR text);
  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
  BOOL LimitText(int count);
  DWORD GetEditSel() const;
  BOOL SetEditSel(int start, int end);
  int GetItemHeight(int index) const;
  virtual void DrawItem(LPDRAWITEMSTRUCT item);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT item);

 protected:
  afx_msg LRESULT OnReflectedDraw(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnReflectedMeasure(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

#define ON_CBN_SELCHANGE(id, member) ON_CONTROL(CBN_SELCHANGE, id, member)
#define ON_CBN_DBLCLK(id, member) ON_CONTROL(CBN_DBLCLK, id, member)
#define ON_CBN_SETFOCUS(id, member) ON_CONTROL(CBN_SETFOCUS, id, member)
#define ON_CBN_KILLFOCUS(id, member) ON_CONTROL(CBN_KILLFOCUS, id, member)
#define ON_CBN_EDITCHANGE(id, member) ON_CONTROL(CBN_EDITCHANGE, id, member)
#define ON_CBN_EDITUPDATE(id, member) ON_CONTROL(CBN_EDITUPDATE, id, member)
#define ON_CBN_DROPDOWN(id, member) ON_CONTROL(CBN_DROPDOWN, id, member)
#define ON_CBN_CLOSEUP(id, member) ON_CONTROL(CBN_CLOSEUP, id, member)
#define ON_CBN_SELENDOK(id, member) ON_CONTROL(CBN_SELENDOK, id, member)
#define ON_CBN_SELENDCANCEL(id, member) ON_CONTROL(CBN_SELENDCANCEL, id, member)
