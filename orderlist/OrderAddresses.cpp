#include "orderlist/OrderAddresses.h"

#include "orderlist/OrderHeader.h"

namespace {

CString FieldKey(int field) {
  CString key;
  key.Format("I%02d", field);
  return key;
}

}  // namespace

void ReadOrderAddress(CProtocolApp& app, const char* section, CStringArray& fields) {
  const auto values = app.SectionValues(app.m_user_ini, section);
  fields.SetSize(kAddressFields);
  for (int field = 0; field < kAddressFields; ++field) {
    auto found = values.find(FieldKey(field));
    fields[field] = found != values.end() ? found->second : CString();
  }
}

void WriteOrderAddress(CProtocolApp& app, const char* section, const CStringArray& fields) {
  for (int field = 0; field < kAddressFields; ++field)
    app.m_ini.WriteKey(section, FieldKey(field), field < fields.GetSize() ? fields[field] : CString(), app.m_user_ini, 1);
}
