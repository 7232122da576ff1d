#include "mfc/CHeaderCtrl.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  InitCommonControls();
  return CWnd::Create(WC_HEADER, nullptr, style, rect, parent, id);
}

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }

int CHeaderCtrl::InsertItem(int position, HDITEM* item) {
  return static_cast<int>(SendMessage(HDM_INSERTITEM, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(item)));
}

BOOL CHeaderCtrl::DeleteItem(int position) {
  return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(position)));
}

BOOL CHeaderCtrl::GetItem(int position, HDITEM* item) const {
  return static_cast<BOOL>(SendMessage(HDM_GETITEM, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(item)));
}

BOOL CHeaderCtrl::SetItem(int position, HDITEM* item) {
  return static_cast<BOOL>(SendMessage(HDM_SETITEM, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(item)));
}

BOOL CHeaderCtrl::GetItemRect(int position, LPRECT rect) const {
  return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(rect)));
}

BOOL CHeaderCtrl::Layout(HDLAYOUT* layout) {
  return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout)));
}
