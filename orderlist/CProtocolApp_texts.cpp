// Texts of the application object: path macros, the catalogue's text codes
// and the column titles.
#include "foundation/TextCodes.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/PartsInfoCalls.h"

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
  return ::ExpandTextCodes(bytes, length,
                           {[this](LONG number) { return CString(m_data_texts.DdmGetText(number)); },
                            [this](const CString& key) { return CString(m_data_key_texts.DdmGetTextByKey(key)); },
                            {}});
}

CString CProtocolApp::ColumnTitle(int column, int display) const {
  if (column < 0 || column >= m_column_count) return CString();
  CString title = GetText(m_column_texts[static_cast<size_t>(column)]);
  if (title.IsEmpty()) title.Format("%d", column);
  if (column == m_price_col && display != kPricesHidden)
    title += " (" + (display == kPricesCurrency2 ? m_currency2 : m_currency1) + ")";
  return title;
}

void CProtocolApp::BuildColumnTitles(CDynBuf& titles) const {
  titles.Empty();
  titles.SetGrowBy(128);
  for (int column = 0; column < m_column_count; ++column) {
    if (column == m_price_col) continue;
    titles.Append(ColumnTitle(column, kPricesHidden));
    titles.Append('\0');
  }
  titles.Append('\0');
}

int CProtocolApp::SetProgramLanguage(const char* language) {
  m_prg_language = language ? language : "";
  BuildColumnTitles(m_column_titles);
  if (auto setTitles = ThePartsInfoCalls().setColumnTitles) setTitles(m_column_titles, m_prg_language);
  return 1;
}
