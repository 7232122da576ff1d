#include "Main/CListHelper.h"

#include <algorithm>
#include <cstring>

#include "comctl/CommCtrl.h"

namespace {

constexpr int kDefaultWidth = 100;
constexpr int kCellMargin = 12;
constexpr int kTextIndent = 6;
constexpr int kNarrowestFit = 12;
constexpr int kFitMargin = 16;

// The zero-ended text at pos, moving pos past it; empty at the block's end,
// and a last text without its zero byte ends with the block.
CString TextAt(const char* block, int length, int& pos) {
  if (block == nullptr || pos >= length) return CString();
  const int size = static_cast<int>(strnlen(block + pos, static_cast<size_t>(length - pos)));
  CString text(block + pos, size);
  pos += size + 1;
  return text;
}

}  // namespace

CListHelper::CListHelper(CListCtrl* list) : m_list(list) {}

CListHelper::~CListHelper() { FreeRows(); }

void CListHelper::AddColumn(int index, const char* title) {
  m_list->InsertColumn(index, title, LVCFMT_LEFT, kDefaultWidth);
  ++m_columns;
  m_widths.push_back(kDefaultWidth);
}

void CListHelper::AddColumns(const char* titles, int length, int count) {
  for (int column = 0, pos = 0; column < count; ++column) {
    const CString title = TextAt(titles, length, pos);
    AddColumn(column, title);
  }
}

void CListHelper::AddRows(const char* block, int length) {
  int pos = 0;
  while (pos < length && block[pos] != '\0') pos = AddRow(block, length, pos);
}

int CListHelper::AddRow(const char* block, int length, int pos) {
  auto row = std::make_unique<Row>();
  const int item = m_list->GetItemCount();
  for (int column = 0; column < m_columns; ++column) {
    const CString text = TextAt(block, length, pos);
    if (column == 0) m_list->InsertItem(item, text);
    else m_list->SetItemText(item, column, text);
    row->push_back(text);
  }
  m_list->SetItemData(item, reinterpret_cast<DWORD_PTR>(row.get()));
  m_list->SetItemState(item, 0, LVIS_SELECTED | LVIS_FOCUSED);
  m_rows.push_back(std::move(row));
  return pos;
}

void CListHelper::AutoSizeColumns() {
  for (int column = 0; column < m_columns; ++column) AutoSizeColumn(column);
}

void CListHelper::AutoSizeColumn(int column) {
  LVCOLUMN header{};
  char title[256] = {};
  header.mask = LVCF_TEXT;
  header.pszText = title;
  header.cchTextMax = sizeof title;
  m_list->GetColumn(column, &header);
  int width = m_list->GetStringWidth(title) + kCellMargin;
  for (const auto& row : m_rows) width = std::max(width, m_list->GetStringWidth(row->at(static_cast<size_t>(column))) + kCellMargin);
  m_list->SetColumnWidth(column, width);
  m_widths.at(static_cast<size_t>(column)) = width;
}

int CListHelper::FreeRows() {
  const int count = static_cast<int>(m_rows.size());
  m_rows.clear();
  return count;
}

CString CListHelper::CutToWidth(const CString& text, int limit, const std::function<int(const CString&)>& width) {
  if (width(text) <= limit) return text;
  CString cut = text;
  while (!cut.IsEmpty() && width(cut) > limit) cut = cut.Left(cut.GetLength() - 1);
  return cut + "..";
}

void CListHelper::DrawItem(LPDRAWITEMSTRUCT item) {
  const auto* row = reinterpret_cast<const Row*>(item->itemData);
  CDC* dc = CDC::FromHandle(item->hDC);
  if (row == nullptr || dc == nullptr) return;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  const COLORREF background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  const int saved = dc->SaveDC();
  if (CFont* font = m_list->GetFont()) dc->SelectObject(font);
  dc->SetTextColor(text);
  dc->SetBkColor(background);
  int left = item->rcItem.left;
  for (int column = 0; column < m_columns && column < static_cast<int>(row->size()); ++column) {
    const int width = m_widths.at(static_cast<size_t>(column));
    const CRect cell(left, item->rcItem.top, left + width, item->rcItem.bottom);
    DrawCell(*dc, cell, row->at(static_cast<size_t>(column)), background);
    left += width;
  }
  if (item->itemState & ODS_FOCUS) dc->DrawFocusRect(&item->rcItem);
  dc->RestoreDC(saved);
}

void CListHelper::DrawCell(CDC& dc, const CRect& cell, const CString& text, COLORREF background) {
  if (text.IsEmpty()) {
    dc.FillSolidRect(&cell, background);
    return;
  }
  const CString shown =
      CutToWidth(text, cell.Width() - kCellMargin, [&dc](const CString& part) { return dc.GetTextExtent(part).cx; });
  dc.ExtTextOut(cell.left + kTextIndent, cell.top, ETO_OPAQUE | ETO_CLIPPED, &cell, shown, nullptr);
}

BOOL CListHelper::OnHeaderNotify(NMHDR* notification) {
  // Only the list's own header sends a header record; other senders' notes are smaller.
  if (notification == nullptr || (notification->code != HDN_DIVIDERDBLCLICK && notification->code != HDN_ENDTRACK))
    return FALSE;
  const CHeaderCtrl* header = m_list->GetHeaderCtrl();
  if (header == nullptr || notification->hwndFrom != header->m_hWnd) return FALSE;
  auto* note = reinterpret_cast<NMHEADER*>(notification);
  if (note->iItem < 0 || note->iItem >= m_columns) return FALSE;
  if (note->hdr.code == HDN_DIVIDERDBLCLICK) {
    const int width = std::max(kNarrowestFit, WidestCell(note->iItem)) + kFitMargin;
    m_list->SetColumnWidth(note->iItem, width);
    RememberWidth(note->iItem, width);
    return TRUE;
  }
  if (note->hdr.code == HDN_ENDTRACK) {
    if (note->pitem != nullptr && (note->pitem->mask & HDI_WIDTH)) RememberWidth(note->iItem, note->pitem->cxy);
    return TRUE;
  }
  return FALSE;
}

int CListHelper::WidestCell(int column) const {
  int widest = 0;
  for (const auto& row : m_rows) widest = std::max(widest, m_list->GetStringWidth(row->at(static_cast<size_t>(column))));
  return widest;
}

void CListHelper::RememberWidth(int column, int width) {
  m_widths.at(static_cast<size_t>(column)) = width;
  m_list->Invalidate();
}

void CListHelper::EnableWhileSelected(CWnd* button) const {
  if (button != nullptr) button->EnableWindow(m_list->GetSelectedCount() > 0);
}
