#include "mfc/CListBox.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BEGIN_MESSAGE_MAP(CListBox, CWnd)
  ON_MESSAGE(WM_REFLECT_BASE + WM_DRAWITEM, OnReflectedDraw)
  ON_MESSAGE(WM_REFLECT_BASE + WM_MEASUREITEM, OnReflectedMeasure)
END_MESSAGE_MAP()

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_LISTBOX, "", style, rect, parent, id);
}
int CListBox::AddString(LPCSTR text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
int CListBox::InsertString(int index, LPCSTR text) {
  return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
int CListBox::DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
int CListBox::GetText(int index, LPSTR buffer) const {
  return static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}
void CListBox::GetText(int index, CString& text) const {
  int length = GetTextLen(index);
  if (length < 0) {
    text = "";
    return;
  }
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  GetText(index, buffer.data());
  text = buffer.data();
}
int CListBox::GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
DWORD_PTR CListBox::GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
int CListBox::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}
int CListBox::FindString(int after, LPCSTR text) const {
  return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(text)));
}
int CListBox::FindStringExact(int after, LPCSTR text) const {
  return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(text)));
}
int CListBox::SelectString(int after, LPCSTR text) {
  return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(text)));
}
int CListBox::GetSel(int index) const { return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index))); }
int CListBox::SetSel(int index, BOOL select) { return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(select), index)); }
int CListBox::GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
int CListBox::GetSelItems(int count, LPINT items) const {
  return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(items)));
}
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index))); }
int CListBox::GetItemHeight(int index) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
int CListBox::SetItemHeight(int index, UINT height) {
  return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0)));
}
int CListBox::GetItemRect(int index, LPRECT rect) const {
  return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

LRESULT CListBox::OnReflectedDraw(WPARAM, LPARAM lParam) {
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  return TRUE;
}
LRESULT CListBox::OnReflectedMeasure(WPARAM, LPARAM lParam) {
  MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
  return TRUE;
}
