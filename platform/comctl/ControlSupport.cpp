#include "comctl/ControlSupport.h"

#include <algorithm>
#include <cstring>

namespace layer::comctl {

LRESULT NotifyParent(HWND window, UINT code, NMHDR* header) {
  header->hwndFrom = window;
  header->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
  header->code = code;
  HWND parent = GetParent(window);
  return parent ? SendMessage(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header)) : 0;
}

HFONT FontOr(HFONT font) { return font ? font : reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int FontHeight(HDC dc) {
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  return metrics.tmHeight;
}

int CopyText(const std::string& text, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  const auto copied = std::min<size_t>(text.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  return static_cast<int>(copied);
}

}  // namespace layer::comctl
