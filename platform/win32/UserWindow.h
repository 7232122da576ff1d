// The layer's record of one window and the table behind HWND values. Used by
// the window and message functions and by the screen backend.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "win32/Surface.h"
#include "win32/UserTypes.h"

namespace layer {

struct WindowClassRecord {
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  int windowExtraBytes = 0;
};

struct ScrollBarState {
  int min = 0;
  int max = 0;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  UINT disabledArrows = 0;  // ESB_DISABLE_* of EnableScrollBar
  int pressedPart = 0;      // the part held down while the bar is tracked: its SB_ code plus one (0: none)
};

class Window {
 public:
  HWND handle = nullptr;
  std::shared_ptr<WindowClassRecord> windowClass;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text;
  HWND parent = nullptr;  // the parent of a child, the owner of a top-level window
  std::vector<HWND> children;  // in z-order, the topmost first
  RECT rect{};    // in the parent's client coordinates; on the screen for top-level windows
  RECT client{};  // the client area in the window's own coordinates, as WM_NCCALCSIZE gave it
  UINT_PTR id = 0;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  HMENU menu = nullptr;
  HICON icons[2] = {nullptr, nullptr};  // ICON_SMALL and ICON_BIG, as WM_SETICON set them
  DWORD threadId = 0;
  std::vector<BYTE> extraBytes;
  ScrollBarState bars[3];  // SB_HORZ and SB_VERT of the window; SB_CTL of a scroll-bar control
  RECT update{};  // the invalid part of the client area (a bounding rectangle)
  bool erase = false;
  bool internalPaint = false;
  bool frameUpdate = false;  // the non-client area waits for WM_NCPAINT
  bool redraw = true;        // WM_SETREDRAW
  bool hiddenForRedraw = false;  // WS_VISIBLE taken away by WM_SETREDRAW: the screen keeps what it showed
  bool needsSize = false;    // an overlapped window hears its first WM_SIZE and WM_MOVE when first shown
  bool captionActive = false;  // as WM_NCACTIVATE last drew it
  int pressedCaptionButton = 0;  // the caption button held down (its hit code), 0 for none
  bool destroying = false;
  bool minimized = false;
  bool maximized = false;
  // The place the window takes when it is restored, and whether a restore
  // from the minimised state maximises it again.
  RECT normal{};
  bool restoreToMaximized = false;
  Surface canvas;  // the whole window, non-client parts included
  // A part of the client area through which what lies below the window shows
  // (the inside of a group box); empty for none.
  RECT seeThrough{};
  unsigned presented = ~0u;  // what the screen was last given of it (PresentWindows)
  std::chrono::steady_clock::time_point presentedAt{};  // and when
  HCURSOR cursor = nullptr;

  bool IsChild() const { return (style & WS_CHILD) != 0; }
  int Width() const { return rect.right - rect.left; }
  int Height() const { return rect.bottom - rect.top; }
  // The client area inside the window's own canvas.
  RECT ClientArea() const { return client; }
  // Gives the canvas the window's size, within the limit of what a canvas
  // holds (the part of a larger window beyond it is not drawn).
  void FitCanvas();
  bool HasNonClientArea() const { return client.left > 0 || client.top > 0 || client.right < Width() || client.bottom < Height(); }
  // A window scroll bar is shown while the window has its style bit.
  bool BarShown(int bar) const { return (style & (bar == 1 ? WS_VSCROLL : WS_HSCROLL)) != 0; }
  bool HasUpdate() const { return update.right > update.left && update.bottom > update.top; }
};

// The window behind a handle; null (and ERROR_INVALID_WINDOW_HANDLE) when there is none.
std::shared_ptr<Window> WindowOf(HWND window);
// Windows of a thread (or all threads for 0), in creation order.
std::vector<std::shared_ptr<Window>> WindowsOfThread(DWORD threadId);
// This program's top-level windows in z-order, the topmost first.
std::vector<std::shared_ptr<Window>> TopLevelWindows();
// A window and every window above it are visible.
bool IsShownOnScreen(const Window& window);
// Top-left of a window's client area on the screen.
POINT ClientOriginOnScreen(const Window& window);
// The parts of a window's scroll bar (SB_HORZ, SB_VERT, or SB_CTL for a
// scroll-bar control) in the window's own coordinates: the bar, its two arrow
// buttons, the track between them and the thumb (empty when the range leaves
// no room for one). Drawing and the mouse agree on it.
struct ScrollBarLayout {
  RECT area{};
  RECT lineUp{};
  RECT lineDown{};
  RECT track{};
  RECT thumb{};
};
ScrollBarLayout LayoutScrollBar(const Window& window, int bar);
// A vertical bar: SB_VERT, or a scroll-bar control of style SBS_VERT.
bool IsVerticalBar(const Window& window, int bar);
// The position at which the thumb's leading edge lies at a place along the track
// (pixels from the track's start), for dragging.
int ScrollPosForThumb(const Window& window, int bar, int offset);

// What the screen shows of a window: its canvas with the canvases of its
// visible children over it, each clipped to its parent's client area.
Surface ComposeWindow(const Window& window);

}  // namespace layer
