// Adding, editing and deleting order lines with the checks a new part must
// pass, as the order-line dialogs use them.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "foundation/CompanionDatabase.h"
#include "orderlist/CProtocolView.h"
#include "orderlist/Money.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kNoPartsDatabase = 2127;
constexpr long kPartNotOrderable = 3254;
constexpr long kPartUnknown = 3255;
constexpr long kEmptyPartNumber = 3259;
constexpr long kQuantityNotAboveZero = 3260;
constexpr long kQuantityZero = 2216;
constexpr long kQuantityNegative = 2217;
constexpr long kAskDeleteLine = 2243;
constexpr BYTE kOrderable = 1;

std::unique_ptr<DdmDatabase> OpenPrepared(const CString& path) {
  auto database = std::make_unique<DdmDatabase>(0, 0, 0, 0);
  if (!database->DdmDbOpen(path) || !database->DdmDbPrepare(0xFFFF)) return nullptr;
  return database;
}

bool HasSingleHit(DdmDatabase* database, const CString& key) {
  return database && !key.IsEmpty() && database->DdmDbFindKey(key) == 1;
}

// The first of the parts master and its companion that has the key once.
DdmDatabase* PartRecord(const OrderDatabases& databases, const CString& key) {
  if (HasSingleHit(databases.parts, key)) return databases.parts;
  if (HasSingleHit(databases.companion, key)) return databases.companion;
  return nullptr;
}

// A quantity as a decimal number: either separator, its sign; 0 for no digits.
DecimalValue QuantityValue(const CString& text) {
  return ReadDecimalText(std::string_view(static_cast<const char*>(text), static_cast<size_t>(text.GetLength())));
}

}  // namespace

CProtocolView::OpenDatabases::OpenDatabases(const CProtocolApp& app) {
  if (!app.m_parts_db.IsEmpty()) {
    owned[0] = OpenPrepared(app.m_parts_db);
    owned[1] = OpenPrepared(CompanionDatabasePath(app.m_parts_db));
  }
  if (!app.m_price_db.IsEmpty()) owned[2] = OpenPrepared(app.m_price_db);
  databases = {owned[0].get(), owned[1].get(), owned[2].get()};
}

// The surplus decimals round half up on their first digit; missing ones
// are zeros. A value beyond 32 bits is refused.
bool CProtocolView::PriceFromText(const CString& text, int decimals, int32_t& price) {
  const int64_t value = ScaleDecimals(QuantityValue(text), decimals);
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) return false;
  price = static_cast<int32_t>(value);
  return true;
}

LineRefusal CProtocolView::CheckPart(const CString& key, const OrderDatabases& databases) const {
  if (m_app.m_stamm_tnr_exists) {
    if (!databases.parts) return {kNoPartsDatabase, {}};
    if (!PartRecord(databases, key)) return {kPartUnknown, key};
  }
  if (m_app.m_stamm_tnr_valid && m_app.m_stamm_order_col > 0) {
    DdmDatabase* record = PartRecord(databases, key);
    int length = 0;
    const BYTE* flag = record ? record->DdmDbGetField(0, m_app.m_stamm_order_col, &length) : nullptr;
    if (!flag || length < 1 || flag[0] != kOrderable) return {kPartNotOrderable, key};
  }
  return {};
}

CString CProtocolView::FormattedKey(const CString& key, const OrderDatabases& databases) const {
  if (!m_app.m_change_tnr_format || !HasSingleHit(databases.companion, key)) return key;
  int length = 0;
  const BYTE* bytes = databases.companion->DdmDbGetField(0, 0, &length);
  if (!bytes || length <= 0) return key;
  return CString(reinterpret_cast<const char*>(bytes), length);
}

LineRefusal CProtocolView::CheckQuickAdd(const CString& key, const CString& quantity,
                                         const OrderDatabases& databases) const {
  if (key.IsEmpty()) return {kEmptyPartNumber, {}};
  if (QuantityValue(quantity).digits <= 0) return {kQuantityNotAboveZero, {}};
  return CheckPart(key, databases);
}

// The view's adding keeps its own copy of the line.
void CProtocolView::AddFilled(OrderItem& item, const OrderDatabases& databases) {
  FillItem(item, databases, LoadFillFields());
  AddOrderLines(nullptr, &item, 1);
  SetModifiedFlag();
}

void CProtocolView::AddPart(const CString& key, const CString& quantity, const OrderDatabases& databases) {
  OrderItem item;
  item.partNumber = FormattedKey(key, databases);
  item.quantity = quantity;
  AddFilled(item, databases);
}

namespace {

CString ColumnText(const std::vector<CString>& columns, int column) {
  return column >= 0 && column < static_cast<int>(columns.size()) ? columns[static_cast<size_t>(column)] : CString();
}

}  // namespace

LineRefusal CProtocolView::CheckAddLine(const std::vector<CString>& columns, const OrderDatabases& databases) const {
  if (LineRefusal refusal = CheckPart(ColumnText(columns, m_app.m_search_col), databases)) return refusal;
  if (QuantityValue(ColumnText(columns, m_app.m_count_col)).digits <= 0) return {kQuantityNotAboveZero, {}};
  return {};
}

void CProtocolView::StoreColumn(OrderItem& item, int column, const CString& text) const {
  if (column == m_app.m_count_col) {
    if (!text.IsEmpty()) item.quantity = text;
  } else if (column == m_app.m_search_col) {
    item.partNumber = text;
  } else if (column == m_app.m_name_col) {
    item.name = text;
  } else if (column == m_app.m_price_col) {
    int32_t price = 0;
    item.price = PriceFromText(text, m_app.m_decimals1, price) ? price : 0;
  } else if (column < static_cast<int>(m_app.m_column_map.size()) && m_app.m_column_map[static_cast<size_t>(column)] >= 0) {
    item.ExtraSlot(m_app.m_column_map[static_cast<size_t>(column)], m_app.m_other_columns) = text;
  }
}

void CProtocolView::AddLineFromColumns(const std::vector<CString>& columns, const OrderDatabases& databases) {
  OrderItem item;
  for (int column = 0; column < m_app.m_column_count; ++column) {
    CString text = ColumnText(columns, column);
    if (column == m_app.m_search_col) text = FormattedKey(text, databases);
    if (!text.IsEmpty()) StoreColumn(item, column, text);
  }
  AddFilled(item, databases);
}

LineRefusal CProtocolView::CheckQuantity(const CString& quantity) {
  const int64_t digits = QuantityValue(quantity).digits;
  if (digits == 0) return {kQuantityZero, {}};
  if (digits < 0) return {kQuantityNegative, {}};
  return {};
}

void CProtocolView::SetLineQuantity(int row, const CString& quantity) {
  if (row < 0 || row >= GetItemCount()) return;
  GetItem(row).quantity = quantity;
  PriceItem(GetItem(row));
  UpdateTotals();
  SetModifiedFlag();
}

std::vector<CString> CProtocolView::LineColumns(int row) const {
  std::vector<CString> columns(static_cast<size_t>(m_app.m_column_count));
  if (row < 0 || row >= GetItemCount()) return columns;
  const OrderItem& item = GetItem(row);
  for (int column = 0; column < m_app.m_column_count; ++column) {
    CString& text = columns[static_cast<size_t>(column)];
    if (column == m_app.m_price_col) {
      text = CString(InsertDecimalPoint(item.price, m_app.m_decimals1).c_str());
    } else {
      GetCellText(text, row, column);
    }
  }
  return columns;
}

LineRefusal CProtocolView::CheckLineEdit(int row, const std::vector<CString>& columns,
                                         const OrderDatabases& databases) const {
  if (row < 0 || row >= GetItemCount()) return {};
  const CString key = ColumnText(columns, m_app.m_search_col);
  if (key.Compare(GetItem(row).partNumber) != 0) return CheckPart(key, databases);
  if (QuantityValue(ColumnText(columns, m_app.m_count_col)).digits <= 0) return {kQuantityNotAboveZero, {}};
  return {};
}

// A line that stays the same part takes the columns that changed; a line
// that names another part is rebuilt from the databases.
void CProtocolView::ApplyLineEdit(int row, std::vector<CString> columns, const OrderDatabases& databases) {
  if (row < 0 || row >= GetItemCount()) return;
  OrderItem& item = GetItem(row);
  const std::vector<CString> before = LineColumns(row);
  columns.resize(before.size());
  CString key = ColumnText(columns, m_app.m_search_col);
  const bool newPart = key.Compare(item.partNumber) != 0;
  if (newPart) {
    key = FormattedKey(key, databases);
    item = OrderItem();
    item.quantity = "1";
    item.partNumber = key;
  } else {
    for (size_t column = 0; column < columns.size(); ++column)
      if (columns[column].Compare(before[column]) != 0) StoreColumn(item, static_cast<int>(column), columns[column]);
  }
  FillItem(item, databases, LoadFillFields());
  PriceItem(item);
  UpdateTotals();
  SetModifiedFlag();
}

CString CProtocolView::DeleteCurrentLine() {
  if (m_items.empty() || m_current < 0 || m_current >= GetItemCount()) return CString();
  if (m_app.MessageBox(m_app.GetText(kAskDeleteLine), MB_YESNO) != IDYES) return CString();
  const CString key = GetItem(m_current).partNumber;
  const int row = m_current;
  m_items.erase(m_items.begin() + row);
  m_current = m_items.empty() ? -1 : std::min(row, GetItemCount() - 1);
  SetModifiedFlag();
  if (!m_list.m_hWnd) {
    UpdateTotals();
    return key;
  }
  m_list.RemoveRow(row);
  ShowDeletedLine();
  return key;
}
