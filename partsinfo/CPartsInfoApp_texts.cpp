// Texts of the application object: path macros, the catalogue's text codes
// in database fields, and money and rates in the user locale's format.
#include "foundation/TextCodes.h"
#include "orderlist/Money.h"
#include "partsinfo/CPartsInfoApp.h"

namespace {

// A field that names itself, or a ring of fields, stops here.
constexpr int kDeepestFieldReference = 8;

}  // namespace

void CPartsInfoApp::ExpandPathMacro(CString& text) const {
  text.TrimLeft();
  text.TrimRight();
  if (text.GetLength() < 2 || text[0] != '$') return;
  const int close = text.Find('$', 1);
  if (close < 0) return;
  const CString name = text.Mid(1, close - 1);
  const CString* value = name.Compare("VARNO") == 0     ? &m_catalogue_dir
                         : name.Compare("HOME") == 0    ? &m_home_dir
                         : name.Compare("ACROBAT") == 0 ? &m_pdf_viewer
                         : name.Compare("WINDOWS") == 0 ? &m_windows_dir
                                                        : nullptr;
  if (value) text = *value + text.Mid(close + 1);
}

CString CPartsInfoApp::FieldText(const DdmDatabase& database, int hit, int field) const {
  return FieldTextOf(database, hit, field, 0);
}

CString CPartsInfoApp::FieldTextOf(const DdmDatabase& database, int hit, int field, int depth) const {
  int length = 0;
  const BYTE* bytes = database.DdmDbGetField(hit, field, &length);
  return ExpandTextCodes(
      bytes, length,
      {[this](LONG number) { return CString(m_dictionary.DdmGetText(number)); },
       [this](const CString& key) { return CString(m_key_dictionary.DdmGetTextByKey(key)); },
       [&](int other) {
         // The field's bytes stay valid: reading another field of the hit leaves the result alone.
         const bool known = other < database.DdmDbGetFieldCount() && depth < kDeepestFieldReference;
         return known ? FieldTextOf(database, hit, other, depth + 1) : CString();
       }});
}

CString CPartsInfoApp::FormatFixed(int64_t value, int decimals) const { return m_money.Amount(value, decimals); }

CString CPartsInfoApp::SecondCurrencyText(int32_t value) const {
  return FormatFixed(ConvertCurrency(value, m_decimals1, m_factor, m_second_currency == 1, m_decimals2), m_decimals2);
}

CString CPartsInfoApp::VatRateText(unsigned group) const {
  return FormatFixed(m_vat.HasGroup(group) ? m_vat.Rate(static_cast<int>(group)) : 0, m_vat.Decimals());
}
