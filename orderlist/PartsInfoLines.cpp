#include "orderlist/PartsInfoLines.h"

CDynBuf PartsInfoLines(const CProtocolApp& app, const CString& key) {
  const int fields = app.m_column_count - (app.KeepsPrices() ? 1 : 0);
  CDynBuf lines;
  for (int field = 0; field < fields; ++field) {
    if (field == app.m_search_col) lines.Append(key);
    lines.Append('\0', 1);
  }
  lines.Append('\0', 1);
  return lines;
}
