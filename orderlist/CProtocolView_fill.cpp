// Completing a line from the catalogue's databases: its name and extra
// texts from the parts master or its companion, its price and groups from
// the price database.
#include <cstdlib>
#include <cstring>

#include "orderlist/CProtocolView.h"
#include "orderlist/Money.h"

namespace {

constexpr int kPriceField = 1;
constexpr int kVatGroupField = 2;
constexpr int kDiscountField = 3;
constexpr int kPriceKeyField = 1;

// The key's single record in the database, or -1.
int SingleHit(DdmDatabase* database, const CString& key) {
  return database && !key.IsEmpty() && database->DdmDbFindKey(key) == 1 ? 0 : -1;
}

CString FieldBytes(const DdmDatabase& database, int field) {
  int length = 0;
  const BYTE* bytes = database.DdmDbGetField(0, field, &length);
  return bytes ? CString(reinterpret_cast<const char*>(bytes), length) : CString();
}

// The first of the parts master and its companion that has the key once.
DdmDatabase* PartRecord(const OrderDatabases& databases, const CString& key) {
  if (SingleHit(databases.parts, key) == 0) return databases.parts;
  if (SingleHit(databases.companion, key) == 0) return databases.companion;
  return nullptr;
}

}  // namespace

FillFields CProtocolView::LoadFillFields() const {
  FillFields fields;
  CString value;
  m_app.m_ini.ReadKey("FUELL", "Name", "", value, m_app.m_settings_ini, 1);
  if (!value.IsEmpty()) fields.nameField = std::atoi(value);
  for (int i = 0; i < m_app.m_other_columns; ++i) {
    CString key;
    key.Format("Data%02d", i);
    m_app.m_ini.ReadKey("FUELL", key, "", value, m_app.m_settings_ini, 1);
    fields.dataFields.push_back(value.IsEmpty() ? -1 : std::atoi(value));
  }
  return fields;
}

void CProtocolView::FillItem(OrderItem& item, const OrderDatabases& databases, const FillFields& fields) const {
  if (item.name.IsEmpty() && fields.nameField >= 0) {
    if (DdmDatabase* record = PartRecord(databases, item.partNumber)) {
      const CString raw = FieldBytes(*record, fields.nameField);
      item.name = m_app.ExpandTextCodes(reinterpret_cast<const BYTE*>(static_cast<const char*>(raw)), raw.GetLength());
    }
  }
  if (item.price == 0 && m_app.KeepsPrices() && databases.prices) {
    CString key = item.partNumber;
    if (SingleHit(databases.prices, key) < 0) {
      // The price database may know the part under the master's price key.
      DdmDatabase* record = PartRecord(databases, item.partNumber);
      key = record ? FieldBytes(*record, kPriceKeyField) : CString();
    }
    if (SingleHit(databases.prices, key) == 0) {
      int length = 0;
      const BYTE* price = databases.prices->DdmDbGetField(0, kPriceField, &length);
      if (price && length == 4)
        item.price = static_cast<int32_t>(price[0] | price[1] << 8 | price[2] << 16 | static_cast<DWORD>(price[3]) << 24);
      item.vatGroup =
          static_cast<uint16_t>(ReadInteger(static_cast<const char*>(FieldBytes(*databases.prices, kVatGroupField))));
      if (item.discountGroup.IsEmpty()) item.discountGroup = FieldBytes(*databases.prices, kDiscountField);
    }
  }
  for (int i = 0; i < static_cast<int>(fields.dataFields.size()); ++i) {
    if (fields.dataFields[static_cast<size_t>(i)] < 0 || !item.Extra(i).IsEmpty()) continue;
    DdmDatabase* record = PartRecord(databases, item.partNumber);
    if (!record) continue;
    const CString text = FieldBytes(*record, fields.dataFields[static_cast<size_t>(i)]);
    if (!text.IsEmpty()) item.ExtraSlot(i, m_app.m_other_columns) = text;
  }
}
