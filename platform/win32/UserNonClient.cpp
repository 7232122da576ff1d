// The non-client area of windows: the frame, caption and menu bar of
// top-level windows, client edges and the window scroll bars, computed,
// hit-tested and drawn as the platform's default window procedure does.
#include <algorithm>
#include <mutex>
#include <utility>

#include "win32/Gdi.h"
#include "win32/ScreenBackend.h"
#include "win32/Theme.h"
#include "win32/UserInternal.h"
#include "win32/UserMenuBar.h"
#include "win32/UserMessages.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

std::mutex hooksMutex;
MenuBarHooks& Hooks() {
  static MenuBarHooks hooks;
  return hooks;
}

MenuBarHooks CurrentHooks() {
  std::lock_guard<std::mutex> lock(hooksMutex);
  return Hooks();
}

ThemePainter*& InstalledPainter() {
  static ThemePainter* painter = nullptr;
  return painter;
}

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }
bool HasThickFrame(DWORD style) { return (style & WS_THICKFRAME) != 0; }

int CaptionHeight(const Window& window) {
  if (!HasCaption(window.style)) return 0;
  return GetSystemMetrics((window.exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

int MenuBarHeight(const Window& window, int width) {
  if (!HasMenuBar(window)) return 0;
  MenuBarHooks hooks = CurrentHooks();
  if (hooks.height) return std::max(hooks.height(window.handle, window.menu, width), 0);
  return GetSystemMetrics(SM_CYMENU);
}

void ClampEmpty(RECT& rect) {
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
}

// Caption buttons are square-ish boxes on the right of the bar, the system
// menu's icon on its left, as the platform lays them out.
void LayoutCaption(const Window& window, NonClientLayout& layout) {
  const RECT& bar = layout.caption;
  if (!(window.style & WS_SYSMENU)) return;
  bool small = (window.exStyle & WS_EX_TOOLWINDOW) != 0;
  int height = bar.bottom - bar.top;
  int buttonWidth = GetSystemMetrics(small ? SM_CXSMSIZE : SM_CXSIZE) - 2;
  int buttonHeight = height - 4;
  int top = bar.top + 2;
  layout.close = RECT{bar.right - 2 - buttonWidth, top, bar.right - 2, top + buttonHeight};
  if (!small && !(window.exStyle & WS_EX_DLGMODALFRAME)) {
    int icon = GetSystemMetrics(SM_CXSMICON);
    int iconTop = bar.top + (height - icon) / 2;
    layout.systemMenu = RECT{bar.left + 1, iconTop, bar.left + 1 + icon, iconTop + icon};
  }
  if (!small && (window.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
    layout.maximize = RECT{layout.close.left - 2 - buttonWidth, top, layout.close.left - 2, top + buttonHeight};
    layout.minimize = RECT{layout.maximize.left - buttonWidth, top, layout.maximize.left, top + buttonHeight};
  }
}

DWORD Color(int index) { return PixelFromColor(GetSysColor(index)); }

// A line of one pixel around rect: the top and left in one colour, the
// bottom and right in another.
void Ring(Surface& surface, const RECT& rect, int topLeft, int bottomRight) {
  if (IsRectEmpty(&rect)) return;
  surface.Fill(RECT{rect.left, rect.top, rect.right, rect.top + 1}, Color(topLeft));
  surface.Fill(RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, Color(topLeft));
  surface.Fill(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, Color(bottomRight));
  surface.Fill(RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, Color(bottomRight));
}

void RaisedBox(Surface& surface, RECT box, bool pressed) {
  if (IsRectEmpty(&box)) return;
  surface.Fill(box, Color(COLOR_3DFACE));
  if (pressed) {
    Ring(surface, box, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT);
    InflateRect(&box, -1, -1);
    Ring(surface, box, COLOR_3DSHADOW, COLOR_3DLIGHT);
  } else {
    Ring(surface, box, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    InflateRect(&box, -1, -1);
    Ring(surface, box, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
  }
}

void DrawFrame(Window& window, const NonClientLayout& layout) {
  Surface& surface = window.canvas;
  RECT rect{0, 0, window.Width(), window.Height()};
  int frame = layout.frame;
  if (frame <= 0) return;
  bool edged = HasThickFrame(window.style) || (window.style & WS_DLGFRAME) || (window.exStyle & WS_EX_DLGMODALFRAME);
  if (!edged) {
    bool staticEdge = (window.exStyle & WS_EX_STATICEDGE) && !(window.style & WS_BORDER);
    if (staticEdge) Ring(surface, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
    else Ring(surface, rect, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    return;
  }
  Ring(surface, rect, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
  InflateRect(&rect, -1, -1);
  Ring(surface, rect, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
  int fill = HasThickFrame(window.style) ? (window.captionActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_3DFACE;
  for (int ring = 2; ring < frame; ++ring) {
    InflateRect(&rect, -1, -1);
    Ring(surface, rect, fill, fill);
  }
}

// The plain caption: the bar in the caption colour with raised buttons.
void DrawPlainCaption(Surface& surface, const CaptionLook& look) {
  surface.Fill(look.bar, Color(look.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  auto button = [&](const RECT& box, int hit, bool enabled) {
    if (IsRectEmpty(&box)) return;
    RaisedBox(surface, box, look.pressed == hit);
    RECT glyph = box;
    InflateRect(&glyph, -4, -3);
    if (IsRectEmpty(&glyph)) return;
    DWORD ink = Color(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    int shift = look.pressed == hit ? 1 : 0;
    OffsetRect(&glyph, shift, shift);
    if (hit == HTCLOSE) {
      int size = std::min(glyph.right - glyph.left, glyph.bottom - glyph.top);
      for (int i = 0; i < size; ++i) {
        surface.Fill(RECT{glyph.left + i, glyph.top + i, glyph.left + i + 2, glyph.top + i + 1}, ink);
        surface.Fill(RECT{glyph.left + size - 2 - i, glyph.top + i, glyph.left + size - i, glyph.top + i + 1}, ink);
      }
    } else if (hit == HTMINBUTTON) {
      surface.Fill(RECT{glyph.left, glyph.bottom - 2, glyph.left + 6, glyph.bottom}, ink);
    } else {
      RECT box2 = glyph;
      Ring(surface, box2, COLOR_BTNTEXT, COLOR_BTNTEXT);
      surface.Fill(RECT{box2.left, box2.top + 1, box2.right, box2.top + 2}, ink);
    }
  };
  button(look.minimize, HTMINBUTTON, look.minimizeEnabled);
  button(look.maximize, HTMAXBUTTON, look.maximizeEnabled);
  button(look.close, HTCLOSE, true);
  if (!IsRectEmpty(&look.systemMenu)) {
    RECT icon = look.systemMenu;
    InflateRect(&icon, -2, -3);
    surface.Fill(icon, Color(COLOR_WINDOW));
    Ring(surface, icon, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    surface.Fill(RECT{icon.left, icon.top, icon.right, icon.top + 3}, Color(COLOR_ACTIVECAPTION));
  }
}

void DrawCaption(Window& window, const NonClientLayout& layout) {
  if (IsRectEmpty(&layout.caption)) return;
  CaptionLook look;
  look.bar = layout.caption;
  look.title = window.text;
  look.active = window.captionActive;
  look.small = (window.exStyle & WS_EX_TOOLWINDOW) != 0;
  look.systemMenu = layout.systemMenu;
  look.minimize = layout.minimize;
  look.maximize = layout.maximize;
  look.close = layout.close;
  look.minimizeEnabled = (window.style & WS_MINIMIZEBOX) != 0;
  look.maximizeEnabled = (window.style & WS_MAXIMIZEBOX) != 0;
  look.maximized = window.maximized;
  look.pressed = window.pressedCaptionButton;
  // The line under the bar belongs to the frame's face.
  window.canvas.Fill(RECT{layout.caption.left, layout.caption.bottom, layout.caption.right, layout.caption.bottom + 1},
                     Color(COLOR_3DFACE));
  ThemePainter* painter = CurrentThemePainter();
  if (!painter || !painter->DrawCaption(window.canvas, look)) DrawPlainCaption(window.canvas, look);
}

void DrawMenuBar(Window& window, const NonClientLayout& layout) {
  if (IsRectEmpty(&layout.menuBar)) return;
  MenuBarHooks hooks = CurrentHooks();
  if (hooks.draw) {
    HDC dc = GetWindowDC(window.handle);
    hooks.draw(window.handle, window.menu, dc, layout.menuBar);
    ReleaseDC(window.handle, dc);
    return;
  }
  window.canvas.Fill(layout.menuBar, Color(COLOR_MENU));
}

void DrawArrow(Surface& surface, const RECT& box, bool vertical, bool up, bool enabled, bool pressed) {
  int size = std::max(2, std::min(box.right - box.left, box.bottom - box.top) / 4);
  int cx = (box.left + box.right) / 2 + (pressed ? 1 : 0);
  int cy = (box.top + box.bottom) / 2 + (pressed ? 1 : 0);
  DWORD ink = Color(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (int i = 0; i < size; ++i) {
    int along = (up ? -size / 2 + i : size / 2 - i);
    if (vertical) surface.Fill(RECT{cx - i, cy + along, cx + i + 1, cy + along + 1}, ink);
    else surface.Fill(RECT{cx + along, cy - i, cx + along + 1, cy + i + 1}, ink);
  }
}

}  // namespace

ThemePainter* CurrentThemePainter() {
  LoadScreenBackend();
  return InstalledPainter();
}
void InstallThemePainter(ThemePainter* painter) { InstalledPainter() = painter; }

bool HasMenuBar(const Window& window) { return !window.IsChild() && window.menu != nullptr; }

int FrameThickness(DWORD style, DWORD exStyle) {
  bool modal = (exStyle & WS_EX_DLGMODALFRAME) != 0;
  int thickness = 0;
  if ((exStyle & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE) thickness = 1;
  else if (modal || (style & (WS_THICKFRAME | WS_DLGFRAME))) thickness = 2;  // the raised edge
  if (style & WS_THICKFRAME) thickness += GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXDLGFRAME);
  if ((style & (WS_BORDER | WS_DLGFRAME)) || modal) thickness += 1;
  return thickness;
}

RECT DefaultClientRect(const Window& window, const RECT& windowRect) {
  RECT rect = windowRect;
  int frame = FrameThickness(window.style, window.exStyle);
  InflateRect(&rect, -frame, -frame);
  rect.top += CaptionHeight(window);
  rect.top += MenuBarHeight(window, rect.right - rect.left);
  if (window.exStyle & WS_EX_CLIENTEDGE) InflateRect(&rect, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  if ((window.style & WS_VSCROLL) && rect.right - rect.left >= GetSystemMetrics(SM_CXVSCROLL))
    rect.right -= GetSystemMetrics(SM_CXVSCROLL);
  if ((window.style & WS_HSCROLL) && rect.bottom - rect.top >= GetSystemMetrics(SM_CYHSCROLL))
    rect.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  ClampEmpty(rect);
  return rect;
}

NonClientLayout LayoutNonClient(const Window& window) {
  NonClientLayout layout;
  layout.frame = FrameThickness(window.style, window.exStyle);
  RECT inner{0, 0, window.Width(), window.Height()};
  InflateRect(&inner, -layout.frame, -layout.frame);
  ClampEmpty(inner);
  int caption = CaptionHeight(window);
  if (caption > 0) {
    layout.caption = RECT{inner.left, inner.top, inner.right, std::min(inner.top + caption - 1, inner.bottom)};
    LayoutCaption(window, layout);
    inner.top = std::min(inner.top + caption, inner.bottom);
  }
  if (HasMenuBar(window)) {
    layout.menuBar = RECT{inner.left, inner.top, inner.right, std::min(inner.top + MenuBarHeight(window, inner.right - inner.left), inner.bottom)};
    inner.top = layout.menuBar.bottom;
  }
  if (window.exStyle & WS_EX_CLIENTEDGE) layout.clientEdge = inner;
  return layout;
}

LRESULT DefaultHitTest(const Window& window, POINT screen) {
  RECT windowRect;
  GetWindowRect(window.handle, &windowRect);
  if (!PtInRect(&windowRect, screen)) return HTNOWHERE;
  POINT at{screen.x - windowRect.left, screen.y - windowRect.top};
  RECT client = window.ClientArea();
  if (PtInRect(&client, at)) return HTCLIENT;
  if (window.minimized) return HTCAPTION;
  NonClientLayout layout = LayoutNonClient(window);
  RECT inner{0, 0, window.Width(), window.Height()};
  InflateRect(&inner, -layout.frame, -layout.frame);
  if (!PtInRect(&inner, at)) {
    if (!HasThickFrame(window.style) || window.maximized) return HTBORDER;
    // Near a corner the frame sizes in both directions.
    int corner = GetSystemMetrics(SM_CXSIZE);
    bool left = at.x < inner.left + (at.y < inner.top || at.y >= inner.bottom ? corner : 0);
    bool right = at.x >= inner.right - (at.y < inner.top || at.y >= inner.bottom ? corner : 0);
    bool top = at.y < inner.top + (at.x < inner.left || at.x >= inner.right ? corner : 0);
    bool bottom = at.y >= inner.bottom - (at.x < inner.left || at.x >= inner.right ? corner : 0);
    if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    return left ? HTLEFT : HTRIGHT;
  }
  RECT captionRow = layout.caption;
  captionRow.bottom += 1;  // the line under the bar belongs to it
  if (PtInRect(&captionRow, at)) {
    if (PtInRect(&layout.systemMenu, at)) return HTSYSMENU;
    if (PtInRect(&layout.close, at)) return HTCLOSE;
    if (PtInRect(&layout.maximize, at)) return HTMAXBUTTON;
    if (PtInRect(&layout.minimize, at)) return HTMINBUTTON;
    return HTCAPTION;
  }
  if (PtInRect(&layout.menuBar, at)) return HTMENU;
  for (int bar : {SB_VERT, SB_HORZ}) {
    ScrollBarLayout scroll = LayoutScrollBar(window, bar);
    if (PtInRect(&scroll.area, at)) return bar == SB_VERT ? HTVSCROLL : HTHSCROLL;
  }
  RECT sizeBox{client.right, client.bottom, client.right + GetSystemMetrics(SM_CXVSCROLL),
               client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  if (window.BarShown(SB_VERT) && window.BarShown(SB_HORZ) && PtInRect(&sizeBox, at))
    return HasThickFrame(window.style) ? HTSIZE : HTNOWHERE;  // the box between the two bars
  if (PtInRect(&layout.clientEdge, at)) return HTBORDER;
  return HTNOWHERE;  // a part of a non-client area the window laid out itself
}

void PaintScrollBars(Window& window) {
  Surface& surface = window.canvas;
  bool enabled = !(window.style & WS_DISABLED);
  for (int bar : {SB_HORZ, SB_VERT}) {
    if (!window.BarShown(bar)) continue;
    ScrollBarLayout layout = LayoutScrollBar(window, bar);
    DrawScrollBar(surface, layout, bar == SB_VERT, window.bars[bar], enabled);
  }
  if (window.BarShown(SB_HORZ) && window.BarShown(SB_VERT)) {
    RECT client = window.ClientArea();
    surface.Fill(RECT{client.right, client.bottom, client.right + GetSystemMetrics(SM_CXVSCROLL),
                      client.bottom + GetSystemMetrics(SM_CYHSCROLL)},
                 Color(COLOR_3DFACE));
  }
  surface.Touch();
}

void DrawScrollBar(Surface& surface, const ScrollBarLayout& layout, bool vertical, const ScrollBarState& state,
                   bool enabled) {
  if (IsRectEmpty(&layout.area)) return;
  surface.Fill(layout.area, PixelFromColor(RGB(224, 224, 224)));
  bool upEnabled = enabled && !(state.disabledArrows & ESB_DISABLE_UP);
  bool downEnabled = enabled && !(state.disabledArrows & ESB_DISABLE_DOWN);
  int pressedCode = state.pressedPart - 1;  // -1: nothing held down
  bool pagePressed = pressedCode == SB_PAGEUP || pressedCode == SB_PAGEDOWN;
  if (pagePressed && !IsRectEmpty(&layout.thumb)) {
    RECT pressed = layout.track;
    bool up = pressedCode == SB_PAGEUP;
    if (vertical) (up ? pressed.bottom : pressed.top) = up ? layout.thumb.top : layout.thumb.bottom;
    else (up ? pressed.right : pressed.left) = up ? layout.thumb.left : layout.thumb.right;
    surface.Fill(pressed, Color(COLOR_3DDKSHADOW));
  }
  RaisedBox(surface, layout.lineUp, pressedCode == SB_LINEUP);
  DrawArrow(surface, layout.lineUp, vertical, true, upEnabled, pressedCode == SB_LINEUP);
  RaisedBox(surface, layout.lineDown, pressedCode == SB_LINEDOWN);
  DrawArrow(surface, layout.lineDown, vertical, false, downEnabled, pressedCode == SB_LINEDOWN);
  if (enabled) RaisedBox(surface, layout.thumb, false);
}

void PaintNonClient(Window& window) {
  if (!window.HasNonClientArea()) return;
  NonClientLayout layout = LayoutNonClient(window);
  DrawFrame(window, layout);
  DrawCaption(window, layout);
  DrawMenuBar(window, layout);
  if (!IsRectEmpty(&layout.clientEdge)) {
    RECT edge = layout.clientEdge;
    Ring(window.canvas, edge, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
    InflateRect(&edge, -1, -1);
    Ring(window.canvas, edge, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  }
  PaintScrollBars(window);
  window.canvas.Touch();
}

MINMAXINFO DefaultMinMaxInfo(const Window& window) {
  MINMAXINFO info{};
  int frame = FrameThickness(window.style, window.exStyle);
  SIZE area{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (window.IsChild()) {
    if (auto parent = Windows().Find(window.parent)) {
      RECT client = parent->ClientArea();
      area = SIZE{client.right - client.left, client.bottom - client.top};
    }
  }
  info.ptReserved = POINT{window.rect.left, window.rect.top};
  info.ptMaxSize = POINT{area.cx + 2 * frame, area.cy + 2 * frame};
  info.ptMaxPosition = POINT{-frame, -frame};
  info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  return info;
}

MenuBarHooks SetMenuBarHooks(const MenuBarHooks& hooks) {
  std::lock_guard<std::mutex> lock(hooksMutex);
  return std::exchange(Hooks(), hooks);
}

HMENU WindowMenu(HWND handle) {
  auto window = Windows().Find(handle);
  return window && !window->IsChild() ? window->menu : nullptr;
}

BOOL SetWindowMenu(HWND handle, HMENU menu) {
  auto window = WindowOf(handle);
  if (!window || window->IsChild()) return FALSE;
  window->menu = menu;
  SetWindowPos(handle, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

void TrackMenu(HWND handle, HMENU menu, WPARAM command, LPARAM lParam) {
  MenuBarHooks hooks = CurrentHooks();
  if (hooks.track) hooks.track(handle, menu, command, lParam);
}

BOOL RepaintMenuBar(HWND handle) {
  auto window = WindowOf(handle);
  if (!window || !HasMenuBar(*window)) return FALSE;
  DrawMenuBar(*window, LayoutNonClient(*window));
  window->canvas.Touch();
  return TRUE;
}

}  // namespace layer
