#include "orderlist/CHitListCtrl.h"

#include <utility>

#include "comctl/CommCtrl.h"
#include "orderlist/OrderAddresses.h"

namespace {

constexpr int kColumnWidth = 100;
constexpr UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

}  // namespace

int CompareHitTexts(const CString& first, const CString& second) {
  if (first.IsEmpty() || second.IsEmpty()) return (first.IsEmpty() ? 1 : 0) - (second.IsEmpty() ? 1 : 0);
  return first.CompareNoCase(second);
}

void SortHitRows(std::vector<HitRow>& rows, int column, bool largestFirst) {
  size_t gap = rows.size();
  for (bool swapped = true; gap > 1 || swapped;) {
    gap = std::max<size_t>(gap * 8 / 11, 1);
    swapped = false;
    for (size_t i = 0; i + gap < rows.size(); ++i) {
      const int order = CompareHitTexts(rows[i].fields[column], rows[i + gap].fields[column]);
      if (largestFirst ? order < 0 : order > 0) {
        std::swap(rows[i], rows[i + gap]);
        swapped = true;
      }
    }
  }
}

void CHitListCtrl::SetUpColumns(const CProtocolApp& app) {
  for (int column = 0; column < kAddressFields; ++column)
    InsertColumn(column, app.GetText(kAddressFieldTexts[column]), LVCFMT_LEFT, kColumnWidth);
}

void CHitListCtrl::ShowRows(std::vector<HitRow> rows) {
  m_rows = std::move(rows);
  DeleteAllItems();
  for (int item = 0; item < static_cast<int>(m_rows.size()); ++item) InsertItem(item, "");
  FillTexts();
}

void CHitListCtrl::FillTexts() {
  for (int item = 0; item < static_cast<int>(m_rows.size()); ++item)
    for (int column = 0; column < kAddressFields; ++column) SetItemText(item, column, Row(item).fields[column]);
}

void CHitListCtrl::SortByColumn(int column) {
  if (column < 0 || column >= kAddressFields) return;
  const int focused = GetNextItem(-1, LVNI_FOCUSED);
  const DWORD focusedCard = focused >= 0 ? Row(focused).offset : 0;
  SortHitRows(m_rows, column, m_largest_first[static_cast<size_t>(column)]);
  m_largest_first[static_cast<size_t>(column)] = !m_largest_first[static_cast<size_t>(column)];
  FillTexts();
  for (int item = 0; item < static_cast<int>(m_rows.size()); ++item) {
    const bool chosen = focused >= 0 && Row(item).offset == focusedCard;
    SetItemState(item, chosen ? kSelectedAndFocused : 0, kSelectedAndFocused);
  }
  Invalidate();
}
