#include "user/ControlSupport.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "win32/Codepage.h"

namespace layer::controls {

void RegisterControlClass(const char* name, WNDPROC proc, UINT classStyle, LPCSTR cursor) {
  WNDCLASSA windowClass{};
  windowClass.style = classStyle | CS_GLOBALCLASS;
  windowClass.lpfnWndProc = proc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);
  windowClass.hCursor = LoadCursor(nullptr, cursor);
  windowClass.lpszClassName = name;
  RegisterClass(&windowClass);  // a second registration fails harmlessly
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLong(window, GWL_STYLE)); }

HWND NotifyTarget(HWND control) { return GetParent(control); }

void Notify(HWND control, UINT code) {
  HWND target = NotifyTarget(control);
  if (!target) return;
  SendMessage(target, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

HBRUSH ParentBrush(HWND control, HDC dc, UINT message) {
  HWND parent = NotifyTarget(control);
  HBRUSH brush = nullptr;
  if (parent) brush = reinterpret_cast<HBRUSH>(SendMessage(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  if (brush) return brush;
  bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
  return GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE);
}

HFONT ControlFont(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void PaintBorder(HWND window) {
  DWORD style = StyleOf(window), exStyle = static_cast<DWORD>(GetWindowLong(window, GWL_EXSTYLE));
  if (!(style & WS_BORDER) && !(exStyle & (WS_EX_CLIENTEDGE | 0x00020000L))) return;
  RECT rect;
  GetWindowRect(window, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  HDC dc = GetWindowDC(window);
  if (exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
  else if (exStyle & 0x00020000L) DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);  // WS_EX_STATICEDGE
  else FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
  ReleaseDC(window, dc);
}

bool CommonMessage(HWND window, HFONT& font, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SETFONT:
      font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(window, nullptr, TRUE);
      result = 0;
      return true;
    case WM_GETFONT: result = reinterpret_cast<LRESULT>(font); return true;
    case WM_ERASEBKGND: result = 1; return true;
    case WM_SETTEXT:
    case WM_ENABLE:
      result = DefWindowProc(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return true;
    default: return false;
  }
}

std::string WindowTextOf(HWND window) {
  int length = GetWindowTextLength(window);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowText(window, buffer.data(), length + 1);
  return std::string(buffer.data());
}

namespace {

template <class Measure>
auto WithFont(HFONT font, Measure measure) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, ControlFont(font));
  auto result = measure(dc);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return result;
}

}  // namespace

int LineHeight(HFONT font) {
  // A font's height does not change: it is measured once per font.
  static std::mutex mutex;
  static std::map<HFONT, int> heights;
  HFONT used = ControlFont(font);
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto found = heights.find(used);
    if (found != heights.end() && GetObjectType(used) == OBJ_FONT) return found->second;
  }
  int height = WithFont(font, [](HDC dc) {
    TEXTMETRIC metrics{};
    GetTextMetrics(dc, &metrics);
    return static_cast<int>(metrics.tmHeight);
  });
  std::lock_guard<std::mutex> lock(mutex);
  heights[used] = height;
  return height;
}

int TextWidth(HFONT font, const std::string& text) {
  return WithFont(font, [&text](HDC dc) {
    SIZE size{};
    GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  });
}

namespace {

// A letter's place in the alphabet as a German reader sorts: accented letters
// beside their base letter, ß as "ss".
std::string SortKey(const std::string& text) {
  static const char* const folded[64] = {
      "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",   // 0xC0
      "d", "n", "o", "o", "o", "o", "o", "\xD7", "o", "u", "u", "u", "u", "y", "th", "ss", // 0xD0
      "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",   // 0xE0
      "d", "n", "o", "o", "o", "o", "o", "\xF7", "o", "u", "u", "u", "u", "y", "th", "y"};  // 0xF0
  std::string key;
  for (unsigned char c : text) {
    if (c >= 0xC0) key += folded[c - 0xC0];
    else if (c == 0x8A || c == 0x9A) key += 's';
    else if (c == 0x8E || c == 0x9E) key += 'z';
    else if (c == 0x8C || c == 0x9C) key += "oe";
    else key += static_cast<char>(Cp1252ToLower(c));
  }
  return key;
}

int CompareBytesNoCase(const std::string& a, const std::string& b) {
  std::size_t count = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < count; ++i) {
    int x = Cp1252ToLower(static_cast<unsigned char>(a[i])), y = Cp1252ToLower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

int CompareNoCase(const std::string& a, const std::string& b) { return CompareBytesNoCase(a, b); }

int CompareForSort(const std::string& a, const std::string& b) {
  int primary = SortKey(a).compare(SortKey(b));
  if (primary != 0) return primary < 0 ? -1 : 1;
  return CompareBytesNoCase(a, b);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace layer::controls
