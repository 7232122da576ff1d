// The layer's record of one window and the table behind HWND values. Used by
// the window and message functions and by the screen backend.
#pragma once

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
  bool shown = false;
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
  std::vector<HWND> children;
  RECT rect{};  // in the parent's client coordinates; on the screen for top-level windows
  UINT_PTR id = 0;
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  HMENU menu = nullptr;
  DWORD threadId = 0;
  std::vector<BYTE> extraBytes;
  ScrollBarState bars[2];
  RECT update{};  // the invalid part of the client area (a bounding rectangle)
  bool erase = false;
  bool internalPaint = false;
  bool redraw = true;  // WM_SETREDRAW
  bool destroying = false;
  bool minimized = false;
  bool maximized = false;
  Surface canvas;  // the whole window, non-client parts included
  HCURSOR cursor = nullptr;

  bool IsChild() const { return (style & WS_CHILD) != 0; }
  int Width() const { return rect.right - rect.left; }
  int Height() const { return rect.bottom - rect.top; }
  // The client area inside the window's own canvas.
  RECT ClientArea() const;
  bool HasUpdate() const { return update.right > update.left && update.bottom > update.top; }
};

// The window behind a handle; null (and ERROR_INVALID_WINDOW_HANDLE) when there is none.
std::shared_ptr<Window> WindowOf(HWND window);
// Windows of a thread (or all threads for 0), in creation order.
std::vector<std::shared_ptr<Window>> WindowsOfThread(DWORD threadId);
// A window and every window above it are visible.
bool IsShownOnScreen(const Window& window);
// Top-left of a window's client area on the screen.
POINT ClientOriginOnScreen(const Window& window);
// The parts of a window's scroll bar in the window's own coordinates: the
// bar, its two arrow buttons, the track between them and the thumb (empty
// when the range leaves no room for one). Drawing and the mouse agree on it.
struct ScrollBarLayout {
  RECT area{};
  RECT lineUp{};
  RECT lineDown{};
  RECT track{};
  RECT thumb{};
};
ScrollBarLayout LayoutScrollBar(const Window& window, int bar);
// The position at which the thumb's leading edge lies at a place along the track
// (pixels from the track's start), for dragging.
int ScrollPosForThumb(const Window& window, int bar, int offset);

// What the screen shows of a window: its canvas with the canvases of its
// visible children over it, each clipped to its parent's client area.
Surface ComposeWindow(const Window& window);

}  // namespace layer
