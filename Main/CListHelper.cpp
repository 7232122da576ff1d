#include "Main/CListHelper.h"

#include <algorithm>
#include <cstring>

#include "comctl/CommCtrl.h"

namespace {

constexpr int kDefaultWidth = 100;
constexpr int kCellMargin = 12;

}  // namespace

CListHelper::CListHelper(CListCtrl* list) : m_list(list) {}

CListHelper::~CListHelper() { FreeRows(); }

void CListHelper::AddColumn(int index, const char* title) {
  m_list->InsertColumn(index, title, LVCFMT_LEFT, kDefaultWidth);
  ++m_columns;
  m_widths.push_back(kDefaultWidth);
}

void CListHelper::AddRows(const char* block, int length) {
  int pos = 0;
  while (pos < length && block[pos] != '\0') {
    auto row = std::make_unique<Row>();
    const int item = m_list->GetItemCount();
    for (int column = 0; column < m_columns; ++column) {
      const char* text = pos < length ? block + pos : "";
      if (column == 0) m_list->InsertItem(item, text);
      else m_list->SetItemText(item, column, text);
      row->emplace_back(text);
      if (pos < length) pos += static_cast<int>(strnlen(text, static_cast<size_t>(length - pos))) + 1;
    }
    m_list->SetItemData(item, reinterpret_cast<DWORD_PTR>(row.get()));
    m_list->SetItemState(item, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_rows.push_back(std::move(row));
  }
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
