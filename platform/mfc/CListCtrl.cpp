#include "mfc/CListCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  InitCommonControls();
  return CWnd::Create(WC_LISTVIEW, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem) {
  LVCOLUMN info{};
  info.mask = LVCF_TEXT | LVCF_FMT;
  info.fmt = format;
  info.pszText = const_cast<LPSTR>(heading);
  if (width != -1) {
    info.mask |= LVCF_WIDTH;
    info.cx = width;
  }
  if (subItem != -1) {
    info.mask |= LVCF_SUBITEM;
    info.iSubItem = subItem;
  }
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

BOOL CListCtrl::DeleteColumn(int column) {
  return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* info) const {
  return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::GetColumnWidth(int column) const {
  return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
  return static_cast<BOOL>(
      SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(static_cast<WORD>(width), 0)));
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

int CListCtrl::InsertItem(const LVITEM* item) {
  return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(item)));
}

int CListCtrl::InsertItem(int index, LPCSTR text) {
  LVITEM item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<LPSTR>(text);
  return InsertItem(&item);
}

BOOL CListCtrl::SetItem(const LVITEM* item) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::GetItem(LVITEM* item) const {
  return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCSTR text) {
  LVITEM item{};
  item.iSubItem = subItem;
  item.pszText = const_cast<LPSTR>(text);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::GetItemText(int index, int subItem, LPSTR text, int size) const {
  LVITEM item{};
  item.iSubItem = subItem;
  item.pszText = text;
  item.cchTextMax = size;
  return static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

// The control only says how much it copied, so the buffer grows until the
// text leaves room to spare.
CString CListCtrl::GetItemText(int index, int subItem) const {
  std::vector<char> buffer(256);
  for (;;) {
    const int copied = GetItemText(index, subItem, buffer.data(), static_cast<int>(buffer.size()));
    if (copied < static_cast<int>(buffer.size()) - 1) return CString(buffer.data(), copied);
    buffer.resize(buffer.size() * 2);
  }
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
  LVITEM item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = static_cast<LPARAM>(data);
  return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
  LVITEM item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
  LVITEM item{};
  item.state = state;
  item.stateMask = mask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

UINT CListCtrl::GetItemState(int index, UINT mask) const {
  return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), static_cast<LPARAM>(mask)));
}

int CListCtrl::GetNextItem(int index, int flags) const {
  return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(index), static_cast<LPARAM>(flags)));
}

BOOL CListCtrl::DeleteItem(int index) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index))); }

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

int CListCtrl::GetStringWidth(LPCSTR text) const {
  return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(text)));
}
