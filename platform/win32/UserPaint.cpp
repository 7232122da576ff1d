#include <algorithm>

#include "win32/CrossProcess.h"
#include "win32/Gdi.h"
#include "win32/GdiObjects.h"
#include "win32/UserInternal.h"
#include "win32/UserMessages.h"
#include "win32/UserWindowTable.h"
#include "win32/UserWindows.h"

namespace {

RECT ClientBox(const layer::Window& window) {
  RECT client = window.ClientArea();
  return RECT{0, 0, client.right - client.left, client.bottom - client.top};
}

void AddToUpdate(layer::Window& window, const RECT* rect, bool erase) {
  if (!layer::IsShownOnScreen(window)) return;  // what nobody sees needs no paint
  RECT client = ClientBox(window);
  RECT area = client;
  if (rect) IntersectRect(&area, rect, &client);
  if (IsRectEmpty(&area)) return;
  UnionRect(&window.update, &window.update, &area);
  window.erase = window.erase || erase;
}

void RemoveFromUpdate(layer::Window& window, const RECT* rect) {
  if (!rect) {
    window.update = RECT{};
    window.erase = false;
    return;
  }
  // The update area is one rectangle; validating a part of it removes that
  // part only when it leaves a rectangle behind.
  RECT& update = window.update;
  RECT common;
  if (!IntersectRect(&common, &update, rect)) return;
  if (EqualRect(&common, &update)) {
    update = RECT{};
    window.erase = false;
  } else if (common.left == update.left && common.right == update.right) {
    if (common.top == update.top) update.top = common.bottom;
    else if (common.bottom == update.bottom) update.bottom = common.top;
  } else if (common.top == update.top && common.bottom == update.bottom) {
    if (common.left == update.left) update.left = common.right;
    else if (common.right == update.right) update.right = common.left;
  }
}

// The non-client area is painted first, when it waits for it.
void PaintFrameNow(layer::Window& window) {
  if (!window.frameUpdate) return;
  window.frameUpdate = false;
  if (window.HasNonClientArea()) SendMessage(window.handle, WM_NCPAINT, 1, 0);
}

void EraseNow(layer::Window& window) {
  PaintFrameNow(window);
  if (!window.erase || !window.HasUpdate()) return;
  HDC dc = layer::CreateWindowContext(window.handle, false, &window.update);
  window.erase = !SendMessage(window.handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  ReleaseDC(window.handle, dc);
  window.erase = false;
}

// RedrawWindow erases before it paints; UpdateWindow leaves erasing to BeginPaint.
void SendPaintNow(HWND handle, bool children, bool eraseFirst) {
  auto window = layer::Windows().Find(handle);
  if (!window) return;
  if ((window->HasUpdate() || window->internalPaint || window->frameUpdate) && layer::IsShownOnScreen(*window)) {
    if (eraseFirst) EraseNow(*window);
    SendMessage(handle, WM_PAINT, 0, 0);
    window->internalPaint = false;
  }
  if (children) {
    for (HWND child : std::vector<HWND>(window->children)) SendPaintNow(child, true, eraseFirst);
  }
}

}  // namespace

namespace layer {

LRESULT EraseWithClassBrush(Window& window, HDC dc) {
  HBRUSH brush = window.windowClass->background;
  if (!brush) return 0;
  // The platform lets a class name a system colour as its brush: colour index + 1.
  auto value = reinterpret_cast<UINT_PTR>(brush);
  if (value >= 1 && value <= COLOR_INFOBK + 1) brush = GetSysColorBrush(static_cast<int>(value - 1));
  RECT client = ClientBox(window);
  FillRect(dc, &client, brush);
  return 1;
}

}  // namespace layer

BOOL InvalidateRect(HWND handle, LPCRECT rect, BOOL erase) {
  if (!handle) {
    for (const auto& window : layer::WindowsOfThread(GetCurrentThreadId())) {
      if (!window->IsChild()) InvalidateRect(window->handle, rect, erase);
    }
    return TRUE;
  }
  auto window = layer::WindowOf(handle);
  if (!window) return FALSE;
  AddToUpdate(*window, rect, erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND handle, LPCRECT rect) {
  auto window = layer::WindowOf(handle);
  if (!window) return FALSE;
  RemoveFromUpdate(*window, rect);
  return TRUE;
}

BOOL GetUpdateRect(HWND handle, LPRECT rect, BOOL erase) {
  auto window = layer::WindowOf(handle);
  if (!window) return FALSE;
  if (rect) *rect = window->HasUpdate() ? window->update : RECT{};
  if (erase) EraseNow(*window);
  return window->HasUpdate();
}

BOOL UpdateWindow(HWND handle) {
  if (!layer::IsOwnWindow(handle)) return FALSE;
  SendPaintNow(handle, false, false);
  return TRUE;
}

BOOL RedrawWindow(HWND handle, LPCRECT rect, HRGN region, UINT flags) {
  auto window = layer::WindowOf(handle);
  if (!window) return FALSE;
  RECT area{};
  const RECT* limit = rect;
  if (!limit && region) {
    GetRgnBox(region, &area);
    limit = &area;
  }
  if ((flags & RDW_INVALIDATE) && layer::IsShownOnScreen(*window)) {
    AddToUpdate(*window, limit, (flags & RDW_ERASE) != 0);
    if ((flags & RDW_FRAME) && window->HasNonClientArea()) window->frameUpdate = true;
  }
  if ((flags & RDW_VALIDATE) && (flags & RDW_NOFRAME)) window->frameUpdate = false;
  if (flags & RDW_INTERNALPAINT) window->internalPaint = true;
  if (flags & RDW_VALIDATE) RemoveFromUpdate(*window, limit);
  if (flags & RDW_NOINTERNALPAINT) window->internalPaint = false;
  if (flags & RDW_NOERASE) window->erase = false;
  if (flags & RDW_ALLCHILDREN) {
    UINT childFlags = flags & ~static_cast<UINT>(RDW_UPDATENOW | RDW_ERASENOW);
    for (HWND child : std::vector<HWND>(window->children)) RedrawWindow(child, nullptr, nullptr, childFlags);
  }
  if (flags & RDW_UPDATENOW) SendPaintNow(handle, (flags & RDW_ALLCHILDREN) != 0, true);
  else if (flags & RDW_ERASENOW) EraseNow(*window);
  return TRUE;
}

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
  auto window = layer::WindowOf(handle);
  if (!window || !paint) return nullptr;
  PaintFrameNow(*window);
  if (!layer::IsOwnWindow(handle)) return nullptr;
  RECT update = window->HasUpdate() ? window->update : RECT{};
  bool erase = window->erase;
  window->update = RECT{};
  window->erase = false;
  window->internalPaint = false;
  HDC dc = layer::CreateWindowContext(handle, false, &update);
  *paint = PAINTSTRUCT{dc, FALSE, update, FALSE, FALSE, {}};
  if (erase) paint->fErase = !SendMessage(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  return dc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  ReleaseDC(handle, paint->hdc);
  return TRUE;
}
