// The order's lines: adding with the repeated-booking rule, cell texts,
// column titles and sorting.
#include "orderlist/CProtocolView.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "orderlist/CombSort.h"
#include "orderlist/Money.h"
#include "orderlist/res/resource.h"
#include "win32/Mbstring.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kAskRaiseQuantity = 2241;
constexpr long kLineTotalTitle = 2254;
constexpr int kLongestTitle = 99;

// A field of a NUL-separated block; an empty field or the block's end only
// moves one byte on.
CString NextField(const CDynBuf& block, int& pos) {
  const int start = pos;
  if (start >= block.GetLength()) {
    ++pos;
    return CString();
  }
  const int end = block.Find('\0', start);
  const int stop = end < 0 ? block.GetLength() : end;
  pos = stop + 1;
  return CString(static_cast<const char*>(block) + start, stop - start);
}

}  // namespace

CProtocolView::CProtocolView(CProtocolApp& app) : CFormView(IDD_ORDER_VIEW), m_app(app) {}

CProtocolView::~CProtocolView() = default;

// The parts-info library knows the order's columns without the price column
// and answers the price, its VAT group and its discount group after all of
// them, wherever the order list shows the price.
std::unique_ptr<OrderItem> CProtocolView::ItemFromBlock(const CDynBuf& block) const {
  auto item = std::make_unique<OrderItem>();
  int pos = 0;
  for (int column = 0; column < m_app.m_column_count; ++column) {
    if (column == m_app.m_price_col) continue;
    const CString field = NextField(block, pos);
    if (column == m_app.m_count_col) {
      item->quantity = field;
    } else if (column == m_app.m_search_col) {
      item->partNumber = field;
    } else if (column == m_app.m_name_col) {
      item->name = field;
    } else {
      item->ExtraSlot(m_app.m_column_map[static_cast<size_t>(column)], m_app.m_other_columns) = field;
    }
  }
  if (m_app.m_price_col >= 0) {
    item->price = static_cast<int32_t>(ReadInteger(static_cast<const char*>(NextField(block, pos))));
    item->vatGroup = static_cast<uint16_t>(ReadInteger(static_cast<const char*>(NextField(block, pos))));
    item->discountGroup = NextField(block, pos);
  }
  return item;
}

int CProtocolView::AddOrderLines(const CDynBuf* block, const OrderItem* item, int totals) {
  if ((block == nullptr) == (item == nullptr)) return 0;
  std::unique_ptr<OrderItem> fresh = block ? ItemFromBlock(*block) : std::make_unique<OrderItem>(*item);
  fresh->unitPriceText.Empty();
  fresh->lineTotalText.Empty();
  fresh->lineTotal = 0;
  int added = 0;
  bool listed = false;
  if (m_app.m_double_inc && !m_items.empty() && !fresh->partNumber.IsEmpty()) {
    for (const auto& line : m_items)
      if (line->partNumber.Compare(fresh->partNumber) == 0) listed = true;
  }
  if (listed) {
    added = RaiseQuantity(*fresh) ? 1 : 0;
  } else {
    PriceItem(*fresh);
    m_items.push_back(std::move(fresh));
    m_current = GetItemCount() - 1;
    added = 1;
  }
  if (totals) UpdateTotals();
  return added;
}

// The part is listed already: its line takes the sum of both quantities,
// after the user agreed when AskInc asks to.
bool CProtocolView::RaiseQuantity(const OrderItem& item) {
  if (item.quantity.IsEmpty()) return false;
  if (m_app.m_ask_inc && m_app.MessageBox(m_app.GetText(kAskRaiseQuantity), MB_YESNO) != IDYES) return false;
  for (const auto& line : m_items) {
    if (line->partNumber.Compare(item.partNumber) != 0) continue;
    line->quantity = AddQuantities(line->quantity, item.quantity);
    PriceItem(*line);
    return true;
  }
  return false;
}

// Both quantities at the larger count of decimals, added exactly, written
// with the locale's decimal separator.
CString CProtocolView::AddQuantities(const CString& first, const CString& second) const {
  auto read = [&](const CString& text) {
    const int separator = text.FindOneOf(".,");
    const CString& thousands = m_app.m_mon_thousand_sep;
    std::string digits;
    int decimals = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
      const char c = text[i];
      if (separator < 0 || i < separator) {
        if (thousands.GetLength() != 1 || c != thousands[0]) digits += c;
      } else if (i > separator && c >= '0' && c <= '9') {
        digits += c;
        ++decimals;
      }
    }
    return DecimalValue{ReadInteger(digits), decimals};
  };
  const DecimalValue a = read(first), b = read(second);
  const int decimals = std::max(a.decimals, b.decimals);
  const int64_t sum = ScaleDecimals(a, decimals) + ScaleDecimals(b, decimals);
  const std::string text = InsertDecimalPoint(sum, decimals);
  const size_t point = text.find('.');
  if (point == std::string::npos) return CString(text);
  std::string whole = text.substr(0, point);
  if (whole.empty() || whole == "-") whole += '0';
  return CString(whole) + m_app.m_decimal_sep + CString(text.substr(point + 1));
}

void CProtocolView::DeleteAllItems() {
  m_items.clear();
  m_current = -1;
  UpdateTotals();
}

int CProtocolView::ColumnCount() const { return m_app.m_column_count + (m_app.KeepsPrices() ? 1 : 0); }

CString CProtocolView::ColumnTitle(int column) const {
  if (column < m_app.m_column_count) return m_app.ColumnTitle(column, m_app.m_price_display);
  if (column != m_app.m_column_count || !m_app.KeepsPrices()) return CString();
  CString title = m_app.GetText(kLineTotalTitle);
  if (m_app.m_price_display != kPricesHidden)
    title += " (" + (m_app.m_price_display == kPricesCurrency2 ? m_app.m_currency2 : m_app.m_currency1) + ")";
  return title;
}

int CProtocolView::GetCellText(CString& text, int row, int column) const {
  text.Empty();
  if (row >= GetItemCount() || row < -1 || column < 0 || column >= ColumnCount()) return 0;
  if (row == -1) {
    text = ColumnTitle(column).Left(kLongestTitle);
    return 1;
  }
  const OrderItem& item = GetItem(row);
  if (column == m_app.m_column_count) text = item.lineTotalText;
  else if (column == m_app.m_count_col) text = item.quantity;
  else if (column == m_app.m_search_col) text = item.partNumber;
  else if (column == m_app.m_name_col) text = item.name;
  else if (column == m_app.m_price_col) text = item.unitPriceText;
  else text = item.Extra(m_app.m_column_map[static_cast<size_t>(column)]);
  return 1;
}

// True when a belongs behind b in ascending order.
bool CProtocolView::CompareForSort(const OrderItem& a, const OrderItem& b, int column) const {
  if (column == m_app.m_price_col) return a.price > b.price;
  if (column == m_app.m_column_count) return a.lineTotal > b.lineTotal;
  if (column == m_app.m_count_col)
    return std::strtof(a.quantity, nullptr) > std::strtof(b.quantity, nullptr);
  const OrderItem* items[] = {&a, &b};
  CString texts[2];
  for (int i = 0; i < 2; ++i) {
    const OrderItem& item = *items[i];
    if (column == m_app.m_search_col) texts[i] = item.partNumber;
    else if (column == m_app.m_name_col) texts[i] = item.name;
    else texts[i] = item.Extra(m_app.m_column_map[static_cast<size_t>(column)]);
  }
  if (texts[0].IsEmpty() || texts[1].IsEmpty()) return texts[0].IsEmpty() && !texts[1].IsEmpty();
  return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(texts[0])),
                  reinterpret_cast<const unsigned char*>(static_cast<const char*>(texts[1]))) > 0;
}

void CProtocolView::SortByColumn(int column) {
  if (column < 0 || column >= ColumnCount()) return;
  m_sort_descending.resize(static_cast<size_t>(ColumnCount()), false);
  const bool descending = m_sort_descending[static_cast<size_t>(column)];
  OrderItem* current = m_current >= 0 ? m_items[static_cast<size_t>(m_current)].get() : nullptr;
  CombSort(m_items, [&](const auto& a, const auto& b) {
    return descending ? CompareForSort(*b, *a, column) : CompareForSort(*a, *b, column);
  });
  m_sort_descending[static_cast<size_t>(column)] = !descending;
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].get() == current) m_current = static_cast<int>(i);
  ShowLines();
}
