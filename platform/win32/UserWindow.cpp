#include "win32/UserWindow.h"

#include <unistd.h>

#include <algorithm>
#include <map>

#include "win32/Errors.h"
#include "win32/UserWindows.h"
#include "win32/UserWindowTable.h"

namespace layer {

RECT Window::ClientArea() const {
  RECT area{0, 0, Width(), Height()};
  int edge = 0;
  if (IsChild()) {
    if (exStyle & WS_EX_CLIENTEDGE) edge = GetSystemMetrics(SM_CXEDGE);
    else if (style & WS_BORDER) edge = GetSystemMetrics(SM_CXBORDER);
  }
  InflateRect(&area, -edge, -edge);
  if (bars[SB_VERT].shown) area.right -= GetSystemMetrics(SM_CXVSCROLL);
  if (bars[SB_HORZ].shown) area.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  if (area.right < area.left) area.right = area.left;
  if (area.bottom < area.top) area.bottom = area.top;
  return area;
}

WindowTable& Windows() {
  static WindowTable* table = new WindowTable;  // outlives every static user
  return *table;
}

HWND WindowTable::Add(std::shared_ptr<Window> window) {
  std::lock_guard<std::mutex> lock(m_mutex);
  // The high half tells the programs of one user apart, the low half counts.
  DWORD processPart = (static_cast<DWORD>(getpid()) % 0xFFEFu + 0x10u) << 16;
  DWORD value;
  do {
    m_counter = static_cast<WORD>(m_counter + 2);
    if (m_counter == 0) m_counter = 2;
    value = processPart | m_counter;
  } while (m_windows.count(value));
  window->handle = reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
  m_windows[value] = window;
  m_order.push_back(window);
  return window->handle;
}

void WindowTable::Remove(HWND handle) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto found = m_windows.find(Key(handle));
  if (found == m_windows.end()) return;
  auto window = found->second;
  m_windows.erase(found);
  std::erase(m_order, window);
}

std::shared_ptr<Window> WindowTable::Find(HWND handle) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto found = m_windows.find(Key(handle));
  return found == m_windows.end() ? nullptr : found->second;
}

std::vector<std::shared_ptr<Window>> WindowTable::All() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_order;
}

DWORD WindowTable::Key(HWND handle) {
  auto value = reinterpret_cast<UINT_PTR>(handle);
  return value > 0xFFFFFFFFu ? 0 : static_cast<DWORD>(value);
}

std::shared_ptr<Window> WindowOf(HWND handle) {
  auto window = handle ? Windows().Find(handle) : nullptr;
  if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

std::vector<std::shared_ptr<Window>> WindowsOfThread(DWORD threadId) {
  auto all = Windows().All();
  if (threadId == 0) return all;
  std::erase_if(all, [threadId](const auto& window) { return window->threadId != threadId; });
  return all;
}

bool IsShownOnScreen(const Window& window) {
  const Window* current = &window;
  std::shared_ptr<Window> holder;
  while (current) {
    if (!(current->style & WS_VISIBLE) || current->minimized) return false;
    if (!current->IsChild()) return true;
    holder = Windows().Find(current->parent);
    current = holder.get();
  }
  return false;
}

POINT ClientOriginOnScreen(const Window& window) {
  RECT client = window.ClientArea();
  POINT origin{window.rect.left + client.left, window.rect.top + client.top};
  if (window.IsChild()) {
    if (auto parent = Windows().Find(window.parent)) {
      POINT parentOrigin = ClientOriginOnScreen(*parent);
      origin.x += parentOrigin.x;
      origin.y += parentOrigin.y;
    }
  }
  return origin;
}

namespace {

void DrawChildren(const Window& window, Surface& out, POINT origin, RECT clip) {
  RECT client = window.ClientArea();
  RECT clientOnScreen = client;
  OffsetRect(&clientOnScreen, origin.x, origin.y);
  IntersectRect(&clip, &clip, &clientOnScreen);
  for (HWND handle : window.children) {
    auto child = Windows().Find(handle);
    if (!child || !(child->style & WS_VISIBLE)) continue;
    POINT childOrigin{origin.x + client.left + child->rect.left, origin.y + client.top + child->rect.top};
    RECT area{childOrigin.x, childOrigin.y, childOrigin.x + child->canvas.Width(), childOrigin.y + child->canvas.Height()};
    RECT visible;
    if (!IntersectRect(&visible, &area, &clip)) continue;
    for (int y = visible.top; y < visible.bottom; ++y) {
      const std::uint32_t* from = child->canvas.Row(y - childOrigin.y) + (visible.left - childOrigin.x);
      std::copy(from, from + (visible.right - visible.left), out.Row(y) + visible.left);
    }
    DrawChildren(*child, out, childOrigin, visible);
  }
}

}  // namespace

Surface ComposeWindow(const Window& window) {
  Surface out(window.canvas.Width(), window.canvas.Height());
  std::copy_n(window.canvas.Bits(), static_cast<std::size_t>(out.Width()) * out.Height(), out.Bits());
  DrawChildren(window, out, POINT{0, 0}, RECT{0, 0, out.Width(), out.Height()});
  return out;
}

}  // namespace layer
