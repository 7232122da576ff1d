// Scroll bars: the two bars of a window's non-client area and the
// scroll-bar control (class "SCROLLBAR", SB_CTL), their state, the modal loop
// that tracks a bar held down with the mouse, and scrolling a window's
// content (ScrollWindow, ScrollWindowEx).
#include <algorithm>
#include <cstring>

#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/Gdi.h"
#include "win32/GdiObjects.h"
#include "win32/UserInternal.h"
#include "win32/UserMessages.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

using layer::Window;
using layer::WindowOf;

namespace layer {
namespace {

// The platform's delays while a bar is held down: the first repeat after
// 200 ms, then one every 50 ms.
constexpr UINT kFirstRepeat = 200;
constexpr UINT kRepeat = 50;
constexpr UINT_PTR kScrollTimer = 0xFFFA;

int MaxPos(const ScrollBarState& bar) { return bar.max - std::max<int>(static_cast<int>(bar.page) - 1, 0); }

bool IsScrollBarControl(const Window& window) { return window.windowClass && window.windowClass->name == "ScrollBar"; }

ScrollBarState* BarOf(Window& window, int bar) {
  if (bar == SB_HORZ || bar == SB_VERT) return &window.bars[bar];
  if (bar == SB_CTL && IsScrollBarControl(window)) return &window.bars[SB_CTL];
  return nullptr;
}

// Showing or hiding a window's bar changes its frame, which the window hears
// through WM_NCCALCSIZE and, as its client area changed, WM_SIZE.
void SetBarShown(Window& window, int bar, bool shown) {
  if (window.BarShown(bar) == shown) return;
  DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  if (shown) window.style |= bit;
  else window.style &= ~bit;
  RecalcFrame(window.handle);
}

void Repaint(Window& window, int bar) {
  if (bar == SB_CTL) {
    InvalidateRect(window.handle, nullptr, FALSE);
    return;
  }
  if (window.BarShown(bar) && IsWindowVisible(window.handle)) {
    PaintScrollBars(window);
    NotifyHost(window.handle);
  }
}

// The part of a bar under a point of the window's own coordinates (0 for none).
int PartAt(const ScrollBarLayout& layout, bool vertical, POINT at) {
  if (PtInRect(&layout.lineUp, at)) return SB_LINEUP + 1;
  if (PtInRect(&layout.lineDown, at)) return SB_LINEDOWN + 1;
  if (PtInRect(&layout.thumb, at)) return SB_THUMBTRACK + 1;
  if (!PtInRect(&layout.track, at) || IsRectEmpty(&layout.thumb)) return 0;
  int along = vertical ? at.y : at.x;
  int thumbStart = vertical ? layout.thumb.top : layout.thumb.left;
  return (along < thumbStart ? SB_PAGEUP : SB_PAGEDOWN) + 1;
}

POINT InWindow(HWND handle, POINT screen) {
  RECT rect;
  GetWindowRect(handle, &rect);
  return POINT{screen.x - rect.left, screen.y - rect.top};
}

struct Tracking {
  HWND window;
  int bar;
  bool vertical;
  HWND owner;     // who hears the scroll messages
  LPARAM control; // the control's handle for SB_CTL, else 0
  int part;       // the part pressed, plus one
  int grab = 0;   // where on the thumb it was taken
  int trackPos = 0;

  void Send(int code, int pos = 0) const {
    SendMessage(owner, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), control);
  }
};

void ShowPressed(Window& window, const Tracking& tracking, bool pressed) {
  bool thumb = tracking.part - 1 == SB_THUMBTRACK;
  window.bars[tracking.bar].pressedPart = pressed && !thumb ? tracking.part : 0;
  Repaint(window, tracking.bar);
}

// Whether the pointer is still over the part that was pressed (the thumb
// moves away under a page press, so the page part is measured anew).
bool StillOver(HWND handle, const Tracking& tracking, POINT screen) {
  auto window = Windows().Find(handle);
  if (!window) return false;
  ScrollBarLayout layout = LayoutScrollBar(*window, tracking.bar);
  return PartAt(layout, tracking.vertical, InWindow(handle, screen)) == tracking.part;
}

void MoveThumb(HWND handle, Tracking& tracking, POINT screen) {
  auto window = Windows().Find(handle);
  if (!window) return;
  ScrollBarLayout layout = LayoutScrollBar(*window, tracking.bar);
  POINT at = InWindow(handle, screen);
  int along = (tracking.vertical ? at.y - layout.track.top : at.x - layout.track.left) - tracking.grab;
  int pos = ScrollPosForThumb(*window, tracking.bar, along);
  if (pos == tracking.trackPos) return;
  tracking.trackPos = pos;
  window->bars[tracking.bar].trackPos = pos;
  tracking.Send(SB_THUMBTRACK, pos);
}

// Waits for the next message of the loop; false when the loop must end
// (WM_QUIT, which is posted again for the loop outside).
bool NextMessage(MSG& msg) {
  if (GetMessage(&msg, nullptr, 0, 0)) return true;
  PostQuitMessage(static_cast<int>(msg.wParam));
  return false;
}

}  // namespace

void TrackScrollBar(HWND handle, int bar, POINT screen) {
  auto window = WindowOf(handle);
  if (!window || !BarOf(*window, bar) || (window->style & WS_DISABLED)) return;
  Tracking tracking{handle, bar, IsVerticalBar(*window, bar), handle, 0, 0};
  if (bar == SB_CTL) {
    tracking.owner = window->parent ? window->parent : handle;
    tracking.control = reinterpret_cast<LPARAM>(handle);
  }
  ScrollBarLayout layout = LayoutScrollBar(*window, bar);
  POINT at = InWindow(handle, screen);
  tracking.part = PartAt(layout, tracking.vertical, at);
  ScrollBarState& state = window->bars[bar];
  int code = tracking.part - 1;
  if (tracking.part == 0) return;
  if ((code == SB_LINEUP && (state.disabledArrows & ESB_DISABLE_UP)) ||
      (code == SB_LINEDOWN && (state.disabledArrows & ESB_DISABLE_DOWN)))
    return;
  SetCapture(handle);
  ShowPressed(*window, tracking, true);
  if (code == SB_THUMBTRACK) {
    tracking.grab = tracking.vertical ? at.y - layout.thumb.top : at.x - layout.thumb.left;
    tracking.trackPos = state.trackPos = state.pos;
  } else {
    tracking.Send(code);
    SetTimer(handle, kScrollTimer, kFirstRepeat, nullptr);
  }
  MSG msg;
  bool overPart = true;
  while (IsWindow(handle) && GetCapture() == handle && NextMessage(msg)) {
    if (msg.hwnd == handle && msg.message == WM_TIMER && msg.wParam == kScrollTimer) {
      POINT cursor;
      GetCursorPos(&cursor);
      if (StillOver(handle, tracking, cursor)) tracking.Send(code);
      SetTimer(handle, kScrollTimer, kRepeat, nullptr);
      continue;
    }
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == handle) {
      if (code == SB_THUMBTRACK) {
        MoveThumb(handle, tracking, msg.pt);
      } else if (bool over = StillOver(handle, tracking, msg.pt); over != overPart) {
        overPart = over;
        if (auto again = Windows().Find(handle)) ShowPressed(*again, tracking, over);
      }
      continue;
    }
    if (msg.message == WM_LBUTTONUP && msg.hwnd == handle) {
      if (code == SB_THUMBTRACK) tracking.Send(SB_THUMBPOSITION, tracking.trackPos);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (IsWindow(handle)) {
    KillTimer(handle, kScrollTimer);
    if (auto again = Windows().Find(handle)) ShowPressed(*again, tracking, false);
    if (GetCapture() == handle) ReleaseCapture();
    tracking.Send(SB_ENDSCROLL);
  }
}

}  // namespace layer

int SetScrollInfo(HWND handle, int bar, LPCSCROLLINFO info, BOOL redraw) {
  auto window = WindowOf(handle);
  if (!window || !info) return 0;
  layer::ScrollBarState* state = layer::BarOf(*window, bar);
  if (!state) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (info->fMask & SIF_RANGE) {
    state->min = info->nMin;
    state->max = std::max(info->nMax, info->nMin);
  }
  if (info->fMask & SIF_PAGE) state->page = std::min<UINT>(info->nPage, static_cast<UINT>(std::max(state->max - state->min + 1, 0)));
  if (info->fMask & SIF_POS) state->pos = info->nPos;
  state->pos = std::clamp(state->pos, state->min, std::max(state->min, layer::MaxPos(*state)));
  bool changesRange = (info->fMask & (SIF_RANGE | SIF_PAGE)) != 0;
  bool scrollable = state->min < layer::MaxPos(*state);
  if (!scrollable && (info->fMask & SIF_DISABLENOSCROLL)) {
    state->disabledArrows = ESB_DISABLE_BOTH;
  } else if (scrollable && (info->fMask & ~static_cast<UINT>(SIF_DISABLENOSCROLL)) != SIF_PAGE) {
    state->disabledArrows = ESB_ENABLE_BOTH;
  }
  if (bar != SB_CTL && changesRange) layer::SetBarShown(*window, bar, scrollable || (info->fMask & SIF_DISABLENOSCROLL));
  if (redraw && layer::IsOwnWindow(handle)) layer::Repaint(*window, bar);
  return state->pos;
}

BOOL GetScrollInfo(HWND handle, int bar, LPSCROLLINFO info) {
  auto window = WindowOf(handle);
  if (!window || !info) return FALSE;
  layer::ScrollBarState* state = layer::BarOf(*window, bar);
  if (!state) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = state->min;
    info->nMax = state->max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = state->page;
  if (info->fMask & SIF_POS) info->nPos = state->pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = state->trackPos;
  return TRUE;
}

int SetScrollPos(HWND handle, int bar, int pos, BOOL redraw) {
  auto window = WindowOf(handle);
  if (!window) return 0;
  layer::ScrollBarState* state = layer::BarOf(*window, bar);
  if (!state) return 0;
  int old = state->pos;
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(handle, bar, &info, redraw);
  return old;
}

int GetScrollPos(HWND handle, int bar) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
  return GetScrollInfo(handle, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND handle, int bar, int min, int max, BOOL redraw) {
  if (max - min > 0x7FFF * 2 + 1 || max < min) {
    SetLastError(ERROR_INVALID_PARAMETER);  // the platform's limit for a range
    return FALSE;
  }
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0};
  auto window = WindowOf(handle);
  if (!window || !layer::BarOf(*window, bar)) return FALSE;
  SetScrollInfo(handle, bar, &info, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND handle, int bar, LPINT min, LPINT max) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(handle, bar, &info)) return FALSE;
  if (min) *min = info.nMin;
  if (max) *max = info.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND handle, int bar, BOOL show) {
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  if (bar == SB_CTL) {
    ShowWindow(handle, show ? SW_SHOW : SW_HIDE);
    return TRUE;
  }
  if (bar == SB_HORZ || bar == SB_BOTH) layer::SetBarShown(*window, SB_HORZ, show);
  if (!layer::IsOwnWindow(handle)) return TRUE;
  if (bar == SB_VERT || bar == SB_BOTH) layer::SetBarShown(*window, SB_VERT, show);
  return bar == SB_HORZ || bar == SB_VERT || bar == SB_BOTH;
}

BOOL EnableScrollBar(HWND handle, UINT bars, UINT arrows) {
  auto window = WindowOf(handle);
  if (!window) return FALSE;
  bool changed = false;
  for (int bar : {SB_HORZ, SB_VERT, SB_CTL}) {
    bool chosen = static_cast<int>(bars) == bar || (bars == SB_BOTH && bar != SB_CTL);
    layer::ScrollBarState* state = layer::BarOf(*window, bar);
    if (!chosen || !state || state->disabledArrows == arrows) continue;
    state->disabledArrows = arrows;
    changed = true;
    layer::Repaint(*window, bar);
  }
  return changed;
}

namespace layer {
namespace {

// The scroll-bar control: a child window that is all bar and tells its
// parent what happens to it.
LRESULT CALLBACK ScrollBarProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto window = Windows().Find(handle);
  if (!window) return 0;
  switch (message) {
    case WM_CREATE:
      window->bars[SB_CTL] = ScrollBarState{};
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(handle, &paint);
      EndPaint(handle, &paint);
      DrawScrollBar(window->canvas, LayoutScrollBar(*window, SB_CTL), IsVerticalBar(*window, SB_CTL),
                    window->bars[SB_CTL], !(window->style & WS_DISABLED));
      window->canvas.Touch();
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_ENABLE:
      InvalidateRect(handle, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (window->style & WS_TABSTOP) SetFocus(handle);
      POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(handle, &screen);
      TrackScrollBar(handle, SB_CTL, screen);
      return 0;
    }
    case WM_KEYDOWN: {
      int code = -1;
      switch (wParam) {
        case VK_UP:
        case VK_LEFT: code = SB_LINEUP; break;
        case VK_DOWN:
        case VK_RIGHT: code = SB_LINEDOWN; break;
        case VK_PRIOR: code = SB_PAGEUP; break;
        case VK_NEXT: code = SB_PAGEDOWN; break;
        case VK_HOME: code = SB_TOP; break;
        case VK_END: code = SB_BOTTOM; break;
        default: break;
      }
      if (code < 0) return 0;
      HWND owner = window->parent ? window->parent : handle;
      UINT scroll = IsVerticalBar(*window, SB_CTL) ? WM_VSCROLL : WM_HSCROLL;
      SendMessage(owner, scroll, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(handle));
      SendMessage(owner, scroll, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(handle));
      return 0;
    }
    case SBM_SETPOS:
      return SetScrollPos(handle, SB_CTL, static_cast<int>(wParam), static_cast<BOOL>(lParam));
    case SBM_GETPOS:
      return GetScrollPos(handle, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      int old = GetScrollPos(handle, SB_CTL);
      SetScrollRange(handle, SB_CTL, static_cast<int>(wParam), static_cast<int>(lParam), message == SBM_SETRANGEREDRAW);
      return old;
    }
    case SBM_GETRANGE:
      return GetScrollRange(handle, SB_CTL, reinterpret_cast<LPINT>(wParam), reinterpret_cast<LPINT>(lParam));
    case SBM_ENABLE_ARROWS:
      return EnableScrollBar(handle, SB_CTL, static_cast<UINT>(wParam));
    case SBM_SETSCROLLINFO:
      return SetScrollInfo(handle, SB_CTL, reinterpret_cast<LPCSCROLLINFO>(lParam), static_cast<BOOL>(wParam));
    case SBM_GETSCROLLINFO:
      return GetScrollInfo(handle, SB_CTL, reinterpret_cast<LPSCROLLINFO>(lParam));
    default:
      return DefWindowProc(handle, message, wParam, lParam);
  }
}

// The control's class exists in every program, as the platform's system classes do.
const bool scrollBarClassRegistered = [] {
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  windowClass.lpfnWndProc = ScrollBarProc;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "ScrollBar";
  return RegisterClass(&windowClass) != 0;
}();

// Moves the pixels of a rectangle of the canvas by dx, dy, within clip.
void MovePixels(Surface& canvas, RECT source, int dx, int dy, const RECT& clip) {
  RECT target = source;
  OffsetRect(&target, dx, dy);
  if (!IntersectRect(&target, &target, &clip)) return;
  int width = target.right - target.left;
  auto copyRow = [&](int y) {
    std::memmove(canvas.Row(y) + target.left, canvas.Row(y - dy) + target.left - dx, static_cast<std::size_t>(width) * 4);
  };
  // Rows are copied in the order that reads each before it is overwritten.
  if (dy > 0) for (int y = target.bottom - 1; y >= target.top; --y) copyRow(y);
  else for (int y = target.top; y < target.bottom; ++y) copyRow(y);
  RECT from = target;
  OffsetRect(&from, -dx, -dy);
  canvas.texts.Copy(canvas.texts, from, target);
  canvas.Touch();
}

}  // namespace
}  // namespace layer

int ScrollWindowEx(HWND handle, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRegion,
                   LPRECT updateRect, UINT flags) {
  auto window = WindowOf(handle);
  if (!window) return ERROR;
  RECT clientArea = window->ClientArea();
  RECT client{0, 0, clientArea.right - clientArea.left, clientArea.bottom - clientArea.top};
  RECT area = client;
  if (scroll) IntersectRect(&area, scroll, &client);
  RECT limit = client;
  if (clip) IntersectRect(&limit, clip, &client);
  RECT source;
  IntersectRect(&source, &area, &limit);
  // What the move leaves uncovered: the source less where it went.
  RECT moved = source;
  OffsetRect(&moved, dx, dy);
  IntersectRect(&moved, &moved, &limit);
  RECT uncovered{};
  int kind = NULLREGION;
  if (!IsRectEmpty(&source) && (dx || dy)) {
    RECT horizontal = source, vertical = source;
    if (dx > 0) horizontal.right = std::min(source.right, source.left + dx);
    else if (dx < 0) horizontal.left = std::max(source.left, source.right + dx);
    else horizontal = RECT{};
    if (dy > 0) vertical.bottom = std::min(source.bottom, source.top + dy);
    else if (dy < 0) vertical.top = std::max(source.top, source.bottom + dy);
    else vertical = RECT{};
    UnionRect(&uncovered, &horizontal, &vertical);
    if (IsRectEmpty(&moved)) uncovered = source;
    kind = IsRectEmpty(&uncovered) ? NULLREGION : (dx && dy && !IsRectEmpty(&moved)) ? COMPLEXREGION : SIMPLEREGION;
  }
  if (IsWindowVisible(handle) && !IsRectEmpty(&source) && (dx || dy)) {
    RECT canvasSource = source, canvasClip = limit;
    OffsetRect(&canvasSource, clientArea.left, clientArea.top);
    OffsetRect(&canvasClip, clientArea.left, clientArea.top);
    layer::MovePixels(window->canvas, canvasSource, dx, dy, canvasClip);
    // A part of the window that waited for a paint moves along with its pixels.
    RECT waiting;
    if (window->HasUpdate() && IntersectRect(&waiting, &window->update, &source)) {
      OffsetRect(&waiting, dx, dy);
      IntersectRect(&waiting, &waiting, &limit);
      UnionRect(&window->update, &window->update, &waiting);
    }
    if (flags & SW_INVALIDATE) InvalidateRect(handle, &uncovered, (flags & SW_ERASE) ? TRUE : FALSE);
  }
  if (flags & SW_SCROLLCHILDREN) {
    for (HWND child : std::vector<HWND>(window->children)) {
      auto record = layer::Windows().Find(child);
      RECT common;
      if (!record || (scroll && !IntersectRect(&common, &record->rect, scroll))) continue;
      SetWindowPos(child, nullptr, record->rect.left + dx, record->rect.top + dy, 0, 0,
                   SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
  }
  if (updateRect) *updateRect = uncovered;
  if (updateRegion) {
    if (auto region = layer::ObjectAs<layer::Region>(updateRegion)) region->box = uncovered;
  }
  layer::NotifyHost(handle);
  return kind;
}

BOOL ScrollWindow(HWND handle, int dx, int dy, const RECT* scroll, const RECT* clip) {
  UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
  return ScrollWindowEx(handle, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR;
}
