#include "mfc/CListCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BEGIN_MESSAGE_MAP(CListCtrl, CWnd)
  ON_MESSAGE(WM_REFLECT_BASE + WM_DRAWITEM, OnReflectedDraw)
END_MESSAGE_MAP()

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

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* info) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::InsertItem(int index, LPCSTR text, int image) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCSTR text, UINT state, UINT stateMask, int image, LPARAM data) {
  LVITEM item{};
  item.mask = mask;
  item.iItem = index;
  item.pszText = const_cast<LPSTR>(text);
  item.state = state;
  item.stateMask = stateMask;
  item.iImage = image;
  item.lParam = data;
  return InsertItem(&item);
}

BOOL CListCtrl::SetItem(int index, int subItem, UINT mask, LPCSTR text, int image, UINT state, UINT stateMask,
                        LPARAM data) {
  LVITEM item{};
  item.mask = mask;
  item.iItem = index;
  item.iSubItem = subItem;
  item.pszText = const_cast<LPSTR>(text);
  item.state = state;
  item.stateMask = stateMask;
  item.iImage = image;
  item.lParam = data;
  return SetItem(&item);
}

void CListCtrl::SetItemCount(int count) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)); }

BOOL CListCtrl::SetItemCountEx(int count, DWORD flags) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), static_cast<LPARAM>(flags)));
}

UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }

// A header that a subclass took over answers as itself; otherwise a wrapper
// of the list's own stands in for it.
CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  if (!header) return nullptr;
  if (auto* own = dynamic_cast<CHeaderCtrl*>(CWnd::FromHandlePermanent(header))) return own;
  m_headerWrapper.m_hWnd = header;
  return &m_headerWrapper;
}

int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const {
  if (!rect) return FALSE;
  rect->left = static_cast<LONG>(code);
  return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, CRect& rect) const {
  rect.top = subItem;
  rect.left = code;
  return static_cast<BOOL>(
      SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(static_cast<RECT*>(&rect))));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
  LVHITTESTINFO info{};
  info.pt = point;
  const int index = HitTest(&info);
  if (flags) *flags = info.flags;
  return index;
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const {
  return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) {
  return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

BOOL CListCtrl::EnsureVisible(int index, BOOL partialOk) {
  return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOk));
}

BOOL CListCtrl::Scroll(CSize size) {
  return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), static_cast<LPARAM>(size.cy)));
}

BOOL CListCtrl::RedrawItems(int first, int last) {
  return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
  return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind) {
  if (kind < LVSIL_NORMAL || kind > LVSIL_STATE) return nullptr;
  SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr));
  CImageList* old = m_imageLists[kind];
  m_imageLists[kind] = list;
  return old;
}

CImageList* CListCtrl::GetImageList(int kind) const {
  return kind >= LVSIL_NORMAL && kind <= LVSIL_STATE ? m_imageLists[kind] : nullptr;
}

COLORREF CListCtrl::GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
BOOL CListCtrl::SetBkColor(COLORREF color) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, color)); }
COLORREF CListCtrl::GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
BOOL CListCtrl::SetTextColor(COLORREF color) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, color)); }
COLORREF CListCtrl::GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }
BOOL CListCtrl::SetTextBkColor(COLORREF color) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, color)); }

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

LRESULT CListCtrl::OnReflectedDraw(WPARAM, LPARAM lParam) {
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  return TRUE;
}
