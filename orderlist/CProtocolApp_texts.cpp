// Texts of the application object: path macros, the catalogue's text codes
// and the column titles.
#include <cstring>

#include "orderlist/CProtocolApp.h"
#include "orderlist/PartsInfoCalls.h"

namespace {

constexpr BYTE kMarker = 1;
constexpr BYTE kTextByNumber = 3;
constexpr BYTE kTextByKey = 10;
// A marker of a text by number: the marker, its kind, four bytes of number
// and two more.
constexpr int kNumberMarkerLength = 8;

}  // namespace

void CProtocolApp::ExpandPathMacro(CString& text) const {
  text.TrimLeft();
  text.TrimRight();
  if (text.GetLength() < 3 || text[0] != '$') return;
  int close = text.Find('$', 2);
  if (close < 0) return;
  const CString name = text.Mid(1, close - 1);
  const CString* folder = name.Compare("VARNO") == 0     ? &m_viewer_dir
                          : name.Compare("HOME") == 0    ? &m_home_dir
                          : name.Compare("WINDOWS") == 0 ? &m_windows_dir
                                                         : nullptr;
  if (folder) text = *folder + text.Mid(close + 1);
}

CString CProtocolApp::ExpandTextCodes(const BYTE* bytes, int length) const {
  CString out;
  if (!bytes || length <= 0) return out;
  int pos = 0;
  while (pos < length) {
    const BYTE* marker = static_cast<const BYTE*>(std::memchr(bytes + pos, kMarker, static_cast<size_t>(length - pos)));
    const int end = marker ? static_cast<int>(marker - bytes) : length;
    out += CString(reinterpret_cast<const char*>(bytes + pos), end - pos);
    if (!marker || end + 1 >= length) break;
    const BYTE kind = bytes[end + 1];
    if (kind == kTextByNumber) {
      if (length - end < kNumberMarkerLength) break;
      const LONG number = static_cast<LONG>(bytes[end + 2] | bytes[end + 3] << 8 | bytes[end + 4] << 16 |
                                            static_cast<DWORD>(bytes[end + 5]) << 24);
      out += m_data_texts.DdmGetText(number);
      pos = end + kNumberMarkerLength;
    } else if (kind == kTextByKey) {
      const BYTE* close =
          static_cast<const BYTE*>(std::memchr(bytes + end + 2, kMarker, static_cast<size_t>(length - end - 2)));
      if (!close) break;
      const CString key(reinterpret_cast<const char*>(bytes + end + 2), static_cast<int>(close - bytes) - end - 2);
      out += m_data_key_texts.DdmGetTextByKey(key);
      pos = static_cast<int>(close - bytes) + 2;
    } else {
      pos = end + 2;
    }
  }
  return out;
}

CString CProtocolApp::ColumnTitle(int column, int display) const {
  if (column < 0 || column >= m_column_count) return CString();
  CString title = GetText(m_column_texts[static_cast<size_t>(column)]);
  if (title.IsEmpty()) title.Format("%d", column);
  if (column == m_price_col && display != kPricesHidden)
    title += " (" + (display == kPricesCurrency2 ? m_currency2 : m_currency1) + ")";
  return title;
}

void CProtocolApp::BuildColumnTitles(CDynBuf& titles, int display) const {
  titles.Empty();
  titles.SetGrowBy(128);
  for (int column = 0; column < m_column_count; ++column) {
    titles.Append(ColumnTitle(column, display));
    titles.Append('\0');
  }
  titles.Append('\0');
}

int CProtocolApp::SetProgramLanguage(const char* language) {
  m_prg_language = language ? language : "";
  BuildColumnTitles(m_column_titles, kPricesCurrency1);
  if (auto setTitles = ThePartsInfoCalls().setColumnTitles) setTitles(m_column_titles, m_prg_language);
  return 1;
}
