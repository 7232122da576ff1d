// Tool tips: tools are rectangles of a window or whole windows. The owner
// relays the mouse messages of its windows; when the pointer rests on a
// tool for the initial delay the tip shows the tool's text beside the
// pointer, and hides after the auto-pop delay, when the pointer leaves the
// tool, or when a button is pressed.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "comctl/CommCtrl.h"
#include "comctl/ControlSupport.h"
#include "win32/Clock.h"
#include "win32/Resources.h"

namespace layer::comctl {
namespace {

constexpr int kDoubleClickTime = 500;
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr int kMargin = 2;         // between the border and the text
constexpr int kBelowPointer = 20;  // the tip's top below the pointer's tip

struct Tool {
  UINT flags = 0;
  HWND window = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  HINSTANCE module = nullptr;
  std::string text;
  bool asked = false;  // the owner gives the text (LPSTR_TEXTCALLBACK)
  UINT_PTR textId = 0;  // a string of module
  LPARAM data = 0;
};

struct ToolTip {
  std::vector<Tool> tools;
  bool active = true;
  int current = -1;        // the tool under the pointer
  bool shown = false;
  bool pressed = false;    // a button went down over the current tool
  DWORD lastHidden = 0;    // when the last tip went, for the re-show delay
  bool everShown = false;
  int initialDelay = kDoubleClickTime;
  int autoPopDelay = kDoubleClickTime * 10;
  int reshowDelay = kDoubleClickTime / 5;
  int maxWidth = -1;
  COLORREF background = 0;
  COLORREF textColor = 0;
  HFONT font = nullptr;
  std::string tipText;
};

bool IsTool(const Tool& tool, HWND window, UINT_PTR id) { return tool.window == window && tool.id == id; }

int FindTool(const ToolTip& tip, const TOOLINFO* info) {
  if (!info) return -1;
  for (size_t i = 0; i < tip.tools.size(); ++i)
    if (IsTool(tip.tools[i], info->hwnd, info->uId)) return static_cast<int>(i);
  return -1;
}

void WriteText(Tool& tool, const TOOLINFO& info) {
  tool.asked = info.lpszText == LPSTR_TEXTCALLBACK;
  tool.textId = 0;
  tool.text.clear();
  if (tool.asked || !info.lpszText) return;
  if (info.hinst && IS_INTRESOURCE(info.lpszText)) tool.textId = reinterpret_cast<UINT_PTR>(info.lpszText);
  else tool.text = info.lpszText;
}

Tool ToolFrom(const TOOLINFO& info) {
  Tool tool;
  tool.flags = info.uFlags;
  tool.window = info.hwnd;
  tool.id = info.uId;
  tool.rect = info.rect;
  tool.module = info.hinst;
  tool.data = info.lParam;
  WriteText(tool, info);
  return tool;
}

void ReadTool(const Tool& tool, TOOLINFO* info) {
  info->uFlags = tool.flags;
  info->hwnd = tool.window;
  info->uId = tool.id;
  info->rect = tool.rect;
  info->hinst = tool.module;
  info->lParam = tool.data;
}

std::string ModuleString(HINSTANCE module, UINT_PTR id) {
  char buffer[256] = {};
  LoadString(module, static_cast<UINT>(id), buffer, sizeof buffer);
  return buffer;
}

// The owner of a tool with a text by callback is asked for it each time.
std::string TextOf(HWND window, const Tool& tool) {
  if (tool.textId) return ModuleString(tool.module, tool.textId);
  if (!tool.asked) return tool.text;
  NMTTDISPINFO info{};
  info.hdr.hwndFrom = window;
  info.hdr.idFrom = tool.id;
  info.hdr.code = TTN_NEEDTEXT;
  info.uFlags = tool.flags;
  info.lParam = tool.data;
  info.lpszText = info.szText;
  SendMessage(tool.window, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
  if (!info.lpszText || info.lpszText == LPSTR_TEXTCALLBACK) return {};
  if (info.hinst && IS_INTRESOURCE(info.lpszText))
    return ModuleString(info.hinst, reinterpret_cast<UINT_PTR>(info.lpszText));
  if (info.lpszText == info.szText) return std::string(info.szText, strnlen(info.szText, sizeof info.szText));
  return info.lpszText;
}

void NotifyOwner(HWND window, const Tool& tool, UINT code) {
  NMHDR header{window, tool.id, code};
  SendMessage(tool.window, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&header));
}

HWND TopLevelOf(HWND window) {
  while (window && (GetWindowLong(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

// Without TTS_ALWAYSTIP tips show only over the active window.
bool MayShow(HWND window, const Tool& tool) {
  if (GetWindowLong(window, GWL_STYLE) & TTS_ALWAYSTIP) return true;
  return TopLevelOf(tool.window) == GetActiveWindow();
}

int ToolAt(const ToolTip& tip, HWND window, POINT point) {
  for (size_t i = 0; i < tip.tools.size(); ++i) {
    const Tool& tool = tip.tools[i];
    const bool whole = (tool.flags & TTF_IDISHWND) && reinterpret_cast<HWND>(tool.id) == window;
    if (whole || (!(tool.flags & TTF_IDISHWND) && tool.window == window && PtInRect(&tool.rect, point)))
      return static_cast<int>(i);
  }
  return -1;
}

UINT TextFormat(HWND window, const ToolTip& tip) {
  UINT format = tip.maxWidth < 0 ? DT_SINGLELINE : DT_WORDBREAK;
  if (GetWindowLong(window, GWL_STYLE) & TTS_NOPREFIX) format |= DT_NOPREFIX;
  return format;
}

SIZE TextSize(HWND window, const ToolTip& tip) {
  return WithFont(window, tip.font, [&](HDC dc) {
    RECT bounds{0, 0, tip.maxWidth < 0 ? 0 : tip.maxWidth, 0};
    DrawText(dc, tip.tipText.c_str(), static_cast<int>(tip.tipText.size()), &bounds, TextFormat(window, tip) | DT_CALCRECT);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
  });
}

void Hide(HWND window, ToolTip& tip) {
  KillTimer(window, kShowTimer);
  KillTimer(window, kPopTimer);
  if (!tip.shown) return;
  tip.shown = false;
  tip.lastHidden = GetTickCount();
  ShowWindow(window, SW_HIDE);
  if (tip.current >= 0 && static_cast<size_t>(tip.current) < tip.tools.size())
    NotifyOwner(window, tip.tools[static_cast<size_t>(tip.current)], TTN_POP);
}

// Below and right of the pointer, kept on the screen.
POINT Placement(SIZE size) {
  POINT pointer;
  GetCursorPos(&pointer);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int x = std::min<int>(pointer.x, screenWidth - size.cx);
  int y = pointer.y + kBelowPointer;
  if (y + size.cy > screenHeight) y = pointer.y - size.cy;
  return POINT{std::max(0, x), std::max(0, y)};
}

void Show(HWND window, ToolTip& tip) {
  KillTimer(window, kShowTimer);
  if (tip.current < 0 || !tip.active) return;
  const Tool& tool = tip.tools[static_cast<size_t>(tip.current)];
  tip.tipText = TextOf(window, tool);
  if (tip.tipText.empty() || !IsWindow(window)) return;
  const SIZE text = TextSize(window, tip);
  const SIZE size{text.cx + 2 * (kMargin + 1), text.cy + 2 * (kMargin + 1)};
  const POINT at = Placement(size);
  NotifyOwner(window, tool, TTN_SHOW);
  SetWindowPos(window, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(window, nullptr, TRUE);
  tip.shown = true;
  tip.everShown = true;
  SetTimer(window, kPopTimer, static_cast<UINT>(tip.autoPopDelay), nullptr);
}

// A tip that went only a moment ago comes back after the shorter re-show delay.
void Arm(HWND window, ToolTip& tip) {
  const bool recent = tip.everShown && GetTickCount() - tip.lastHidden < static_cast<DWORD>(tip.autoPopDelay);
  SetTimer(window, kShowTimer, static_cast<UINT>(recent ? tip.reshowDelay : tip.initialDelay), nullptr);
}

void OnRelay(HWND window, ToolTip& tip, const MSG* message) {
  if (!message) return;
  switch (message->message) {
    case WM_MOUSEMOVE: {
      const int tool = ToolAt(tip, message->hwnd, POINT{GET_X_LPARAM(message->lParam), GET_Y_LPARAM(message->lParam)});
      if (tool == tip.current) return;
      Hide(window, tip);
      tip.current = tool;
      tip.pressed = false;
      if (tool >= 0 && tip.active && MayShow(window, tip.tools[static_cast<size_t>(tool)])) Arm(window, tip);
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      Hide(window, tip);
      tip.pressed = true;
      return;
    default: return;
  }
}

void Paint(HWND window, const ToolTip& tip) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(tip.background);
  FillRect(dc, &client, background);
  DeleteObject(background);
  FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
  HGDIOBJ oldFont = SelectObject(dc, FontOr(tip.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, tip.textColor);
  RECT text = client;
  InflateRect(&text, -(kMargin + 1), -(kMargin + 1));
  DrawText(dc, tip.tipText.c_str(), static_cast<int>(tip.tipText.size()), &text, TextFormat(window, tip));
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

BOOL AddTool(ToolTip& tip, const TOOLINFO* info) {
  if (!info || FindTool(tip, info) >= 0) return FALSE;
  tip.tools.push_back(ToolFrom(*info));
  return TRUE;
}

void DeleteTool(HWND window, ToolTip& tip, const TOOLINFO* info) {
  const int index = FindTool(tip, info);
  if (index < 0) return;
  if (index == tip.current) {
    Hide(window, tip);
    tip.current = -1;
  } else if (index < tip.current) {
    --tip.current;
  }
  tip.tools.erase(tip.tools.begin() + index);
}

void SetDelay(ToolTip& tip, WPARAM which, int delay) {
  switch (which) {
    case TTDT_AUTOMATIC: {
      const int initial = delay < 0 ? kDoubleClickTime : delay;
      tip.initialDelay = initial;
      tip.autoPopDelay = initial * 10;
      tip.reshowDelay = initial / 5;
      break;
    }
    case TTDT_RESHOW: tip.reshowDelay = delay < 0 ? kDoubleClickTime / 5 : delay; break;
    case TTDT_AUTOPOP: tip.autoPopDelay = delay < 0 ? kDoubleClickTime * 10 : delay; break;
    case TTDT_INITIAL: tip.initialDelay = delay < 0 ? kDoubleClickTime : delay; break;
    default: break;
  }
}

int Delay(const ToolTip& tip, WPARAM which) {
  switch (which) {
    case TTDT_RESHOW: return tip.reshowDelay;
    case TTDT_AUTOPOP: return tip.autoPopDelay;
    case TTDT_INITIAL: return tip.initialDelay;
    default: return 0;
  }
}

LRESULT ToolMessage(HWND window, ToolTip& tip, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<TOOLINFO*>(lParam);
  const int index = FindTool(tip, info);
  Tool* tool = index >= 0 ? &tip.tools[static_cast<size_t>(index)] : nullptr;
  switch (message) {
    case TTM_ADDTOOL: return AddTool(tip, info);
    case TTM_DELTOOL: DeleteTool(window, tip, info); return 0;
    case TTM_NEWTOOLRECT:
      if (tool) tool->rect = info->rect;
      return 0;
    case TTM_GETTOOLINFO:
      if (!tool) return FALSE;
      ReadTool(*tool, info);
      return TRUE;
    case TTM_SETTOOLINFO:
      if (tool) *tool = ToolFrom(*info);
      return 0;
    case TTM_UPDATETIPTEXT:
      if (!tool) return 0;
      tool->module = info->hinst;
      WriteText(*tool, *info);
      if (tip.shown && index == tip.current) Show(window, tip);
      return 0;
    case TTM_GETTEXT:
      if (tool && info->lpszText) CopyText(TextOf(window, *tool), info->lpszText, 80);
      return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

LRESULT Messages(HWND window, ToolTip& tip, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      tip.background = GetSysColor(COLOR_INFOBK);
      tip.textColor = GetSysColor(COLOR_INFOTEXT);
      return 0;
    case TTM_ADDTOOL:
    case TTM_DELTOOL:
    case TTM_NEWTOOLRECT:
    case TTM_GETTOOLINFO:
    case TTM_SETTOOLINFO:
    case TTM_UPDATETIPTEXT:
    case TTM_GETTEXT: return ToolMessage(window, tip, message, wParam, lParam);
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(tip.tools.size());
    case TTM_RELAYEVENT: OnRelay(window, tip, reinterpret_cast<const MSG*>(lParam)); return 0;
    case TTM_HITTEST: {
      auto* hit = reinterpret_cast<TTHITTESTINFO*>(lParam);
      const int found = hit ? ToolAt(tip, hit->hwnd, hit->pt) : -1;
      if (found < 0) return FALSE;
      ReadTool(tip.tools[static_cast<size_t>(found)], &hit->ti);
      return TRUE;
    }
    case TTM_ACTIVATE:
      tip.active = wParam != 0;
      if (!tip.active) Hide(window, tip);
      else if (tip.current >= 0 && !tip.shown && !tip.pressed) Arm(window, tip);
      return 0;
    case TTM_SETDELAYTIME: SetDelay(tip, wParam, static_cast<short>(LOWORD(lParam))); return 0;
    case TTM_GETDELAYTIME: return Delay(tip, wParam);
    case TTM_SETMAXTIPWIDTH: {
      const int old = tip.maxWidth;
      tip.maxWidth = static_cast<int>(lParam);
      return old;
    }
    case TTM_GETMAXTIPWIDTH: return tip.maxWidth;
    case TTM_SETTIPBKCOLOR: tip.background = static_cast<COLORREF>(wParam); InvalidateRect(window, nullptr, TRUE); return 0;
    case TTM_SETTIPTEXTCOLOR: tip.textColor = static_cast<COLORREF>(wParam); InvalidateRect(window, nullptr, TRUE); return 0;
    case TTM_GETTIPBKCOLOR: return static_cast<LRESULT>(tip.background);
    case TTM_GETTIPTEXTCOLOR: return static_cast<LRESULT>(tip.textColor);
    case TTM_POP: Hide(window, tip); return 0;
    case TTM_UPDATE:
      if (tip.shown) Show(window, tip);
      return 0;
    case WM_TIMER:
      if (wParam == kShowTimer) Show(window, tip);
      else if (wParam == kPopTimer) Hide(window, tip);
      return 0;
    case WM_SETFONT: tip.font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(tip.font);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(window, tip); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterToolTipClass() {
  WNDCLASSA tips{};
  tips.style = CS_SAVEBITS | CS_GLOBALCLASS;
  tips.lpfnWndProc = StateProc<ToolTip, Messages>;
  tips.hCursor = LoadCursor(nullptr, IDC_ARROW);
  tips.lpszClassName = TOOLTIPS_CLASS;
  RegisterClass(&tips);
}

}  // namespace layer::comctl
