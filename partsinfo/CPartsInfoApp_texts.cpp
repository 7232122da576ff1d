// Texts of the application object: path macros, the catalogue's text codes
// in database fields, and money and rates in the user locale's format.
#include <cstring>

#include "orderlist/Money.h"
#include "partsinfo/CPartsInfoApp.h"

namespace {

constexpr BYTE kEscape = 1;
constexpr BYTE kTextByNumber = 3;
constexpr BYTE kTextByKey = 10;
constexpr BYTE kOtherField = 14;
constexpr int kTextByNumberLength = 8;
constexpr int kOtherFieldLength = 5;
// A field that names itself, or a ring of fields, stops here.
constexpr int kDeepestFieldReference = 8;

LONG ReadLong(const BYTE* bytes) {
  return static_cast<LONG>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24);
}

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
  CString out;
  if (!bytes) return out;
  int pos = 0;
  while (pos < length) {
    const BYTE* escape = static_cast<const BYTE*>(std::memchr(bytes + pos, kEscape, static_cast<size_t>(length - pos)));
    const int end = escape ? static_cast<int>(escape - bytes) : length;
    out += CString(reinterpret_cast<const char*>(bytes + pos), end - pos);
    if (!escape || end + 1 >= length) break;
    const BYTE code = bytes[end + 1];
    if (code == kTextByNumber) {
      if (length - end < kTextByNumberLength) break;
      out += m_dictionary.DdmGetText(ReadLong(bytes + end + 2));
      pos = end + kTextByNumberLength;
    } else if (code == kTextByKey) {
      const BYTE* close =
          static_cast<const BYTE*>(std::memchr(bytes + end + 2, kEscape, static_cast<size_t>(length - end - 2)));
      if (!close) break;
      const CString key(reinterpret_cast<const char*>(bytes + end + 2), static_cast<int>(close - bytes) - end - 2);
      out += m_key_dictionary.DdmGetTextByKey(key);
      pos = static_cast<int>(close - bytes) + 2;
    } else if (code == kOtherField) {
      if (length - end < kOtherFieldLength) break;
      const int other = bytes[end + 2];
      if (other < database.DdmDbGetFieldCount() && depth < kDeepestFieldReference) {
        // The field's pointer stays valid: reading another field leaves the result alone.
        out += FieldTextOf(database, hit, other, depth + 1);
      }
      pos = end + kOtherFieldLength;
    } else {
      pos = end + 2;
    }
  }
  return out;
}

CString CPartsInfoApp::FormatFixed(int64_t value, int decimals) const { return m_money.Amount(value, decimals); }

CString CPartsInfoApp::SecondCurrencyText(int32_t value) const {
  return FormatFixed(ConvertCurrency(value, m_decimals1, m_factor, m_second_currency == 1, m_decimals2), m_decimals2);
}

CString CPartsInfoApp::VatRateText(unsigned group) const {
  return FormatFixed(m_vat.HasGroup(group) ? m_vat.Rate(static_cast<int>(group)) : 0, m_vat.Decimals());
}
