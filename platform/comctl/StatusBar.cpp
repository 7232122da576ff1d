// The status bar: parts side by side, each ending at a right edge its owner
// sets (-1: the bar's right end), each with a text drawn in a sunken frame.
// A tab in a text centres what follows it, a second tab puts the rest at
// the right.
#include <algorithm>
#include <string>
#include <vector>

#include "comctl/CommCtrl.h"
#include "comctl/ControlSupport.h"
#include "user/ControlDrawing.h"

namespace layer::comctl {
namespace {

constexpr int kBorderX = 0;        // left of the first part
constexpr int kBorderY = 2;        // above and below the parts
constexpr int kBetweenParts = 2;
constexpr int kTextIndent = 3;
constexpr int kMaxParts = 256;

struct Part {
  int right = -1;
  std::string text;
  UINT look = 0;  // SBT_ bits
};

struct StatusBar {
  std::vector<Part> parts{Part{}};
  Part simplePart;
  bool simple = false;
  HFONT font = nullptr;
  int minHeight = 0;
};

int Height(HWND window, const StatusBar& bar) {
  const int text = WithFont(window, bar.font, [](HDC dc) { return FontHeight(dc); });
  return std::max(bar.minHeight, text + 2 * (kBorderY + 2));
}

bool HasGrip(HWND window) { return (GetWindowLong(window, GWL_STYLE) & SBARS_SIZEGRIP) != 0; }

RECT PartRect(HWND window, const StatusBar& bar, size_t index) {
  RECT client;
  GetClientRect(window, &client);
  const int left = bar.simple || index == 0 ? kBorderX : bar.parts[index - 1].right + kBetweenParts;
  int right = bar.simple || bar.parts[index].right < 0 ? client.right : bar.parts[index].right;
  if (HasGrip(window) && right >= client.right) right = client.right - (client.bottom - client.top);
  return RECT{std::min<LONG>(left, right), client.top + kBorderY, right, client.bottom - kBorderY};
}

// Splits a text at its tabs into the left, centred and right pieces.
void DrawPartText(HDC dc, const Part& part, RECT area) {
  InflateRect(&area, -kTextIndent, 0);
  std::string pieces[3];
  size_t piece = 0;
  for (char c : part.text) {
    if (c == '\t' && !(part.look & SBT_NOTABPARSING) && piece < 2) ++piece;
    else pieces[piece] += c;
  }
  const UINT aligns[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  for (size_t i = 0; i < 3; ++i)
    if (!pieces[i].empty())
      DrawText(dc, pieces[i].c_str(), static_cast<int>(pieces[i].size()), &area,
               aligns[i] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawPart(HWND window, HDC dc, const StatusBar& bar, size_t index, const Part& part) {
  RECT rect = PartRect(window, bar, index);
  if (rect.right <= rect.left) return;
  if (!(part.look & SBT_NOBORDERS))
    DrawEdge(dc, &rect, part.look & SBT_POPOUT ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
  DrawPartText(dc, part, rect);
}

void DrawGrip(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  const int size = client.bottom - client.top;
  HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  for (int offset = 4; offset < size - 2; offset += 4) {
    HGDIOBJ old = SelectObject(dc, dark);
    MoveToEx(dc, client.right - offset, client.bottom - 1, nullptr);
    LineTo(dc, client.right, client.bottom - 1 - offset);
    SelectObject(dc, light);
    MoveToEx(dc, client.right - offset - 1, client.bottom - 1, nullptr);
    LineTo(dc, client.right, client.bottom - 2 - offset);
    SelectObject(dc, old);
  }
  DeleteObject(light);
  DeleteObject(dark);
}

void Paint(HWND window, StatusBar& bar) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ oldFont = SelectObject(dc, FontOr(bar.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (bar.simple) DrawPart(window, dc, bar, 0, bar.simplePart);
  else
    for (size_t i = 0; i < bar.parts.size(); ++i) DrawPart(window, dc, bar, i, bar.parts[i]);
  if (HasGrip(window)) DrawGrip(window, dc);
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

BOOL SetText(HWND window, StatusBar& bar, WPARAM which, LPCSTR text) {
  const size_t index = which & 0xFF;
  Part* part = index == SB_SIMPLEID ? &bar.simplePart : index < bar.parts.size() ? &bar.parts[index] : nullptr;
  if (!part) return FALSE;
  part->text = text ? text : "";
  part->look = static_cast<UINT>(which) & 0xFF00;
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

const Part* PartOf(StatusBar& bar, WPARAM index) {
  if (bar.simple) return index == 0 || index == SB_SIMPLEID ? &bar.simplePart : nullptr;
  return index < bar.parts.size() ? &bar.parts[index] : nullptr;
}

// SB_GETTEXT answers the length in the low word and the look in the high one.
LRESULT GetText(StatusBar& bar, WPARAM index, LPSTR buffer) {
  const Part* part = PartOf(bar, index);
  if (!part) return 0;
  if (buffer) {
    std::copy(part->text.begin(), part->text.end(), buffer);
    buffer[part->text.size()] = '\0';
  }
  return MAKELONG(part->text.size(), part->look);
}

BOOL SetParts(HWND window, StatusBar& bar, WPARAM count, const int* rights) {
  if (!rights || count == 0 || count > kMaxParts) return FALSE;
  bar.parts.resize(count);
  for (size_t i = 0; i < count; ++i) bar.parts[i].right = rights[i];
  InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}

int GetParts(const StatusBar& bar, WPARAM count, int* rights) {
  if (rights)
    for (size_t i = 0; i < std::min<size_t>(count, bar.parts.size()); ++i) rights[i] = bar.parts[i].right;
  return static_cast<int>(bar.parts.size());
}

// Unless told to stay, the bar sits along its parent's bottom edge.
void Place(HWND window, const StatusBar& bar) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  if (style & (CCS_NOPARENTALIGN | CCS_NORESIZE)) return;
  HWND parent = GetParent(window);
  if (!parent) return;
  RECT area;
  GetClientRect(parent, &area);
  const int height = Height(window, bar);
  SetWindowPos(window, nullptr, 0, area.bottom - height, area.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Messages(HWND window, StatusBar& bar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: Place(window, bar); return 0;
    case SB_SETTEXT: return SetText(window, bar, wParam, reinterpret_cast<LPCSTR>(lParam));
    case SB_GETTEXT: return GetText(bar, wParam, reinterpret_cast<LPSTR>(lParam));
    case SB_GETTEXTLENGTH: return GetText(bar, wParam, nullptr);
    case SB_SETPARTS: return SetParts(window, bar, wParam, reinterpret_cast<const int*>(lParam));
    case SB_GETPARTS: return GetParts(bar, wParam, reinterpret_cast<int*>(lParam));
    case SB_GETBORDERS: {
      auto* borders = reinterpret_cast<int*>(lParam);
      if (!borders) return FALSE;
      borders[0] = kBorderX;
      borders[1] = kBorderY;
      borders[2] = kBetweenParts;
      return TRUE;
    }
    case SB_SETMINHEIGHT: bar.minHeight = static_cast<int>(wParam); return 0;
    case SB_SIMPLE:
      bar.simple = wParam != 0;
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case SB_ISSIMPLE: return bar.simple;
    case SB_GETRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!rect || !PartOf(bar, wParam)) return FALSE;
      *rect = PartRect(window, bar, bar.simple ? 0 : wParam);
      return TRUE;
    }
    case WM_SETFONT:
      bar.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(bar.font);
    case WM_SETTEXT: SetText(window, bar, 0, reinterpret_cast<LPCSTR>(lParam)); return DefWindowProc(window, message, wParam, lParam);
    case WM_SIZE:
      Place(window, bar);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(window, bar); return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterStatusBarClass() {
  WNDCLASSA status{};
  status.style = CS_DBLCLKS | CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
  status.lpfnWndProc = StateProc<StatusBar, Messages>;
  status.hCursor = LoadCursor(nullptr, IDC_ARROW);
  status.lpszClassName = STATUSCLASSNAME;
  RegisterClass(&status);
}

}  // namespace layer::comctl
