#include "win32/UserWindow.h"

#include <algorithm>
#include <map>

#include "win32/CrossProcess.h"
#include "win32/Errors.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"
#include "win32/UserWindowTable.h"

namespace layer {

void Window::FitCanvas() {
  constexpr int kLargestSide = 8192;
  canvas.Resize(std::min(Width(), kLargestSide), std::min(Height(), kLargestSide), 0xFFFFFFFFu);
}

WindowTable& Windows() {
  static WindowTable* table = new WindowTable;  // outlives every static user
  return *table;
}

HWND WindowTable::Add(std::shared_ptr<Window> window) {
  std::lock_guard<std::mutex> lock(m_mutex);
  // Handles come from the counter all the user's programs share, so that a
  // handle names one window among them.
  DWORD value;
  do value = NewUserWindowHandle();
  while (m_windows.count(value));
  window->handle = reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
  m_windows[value] = window;
  m_order.push_back(window);
  if (!window->IsChild()) {
    bool topmost = (window->exStyle & WS_EX_TOPMOST) != 0;
    auto band = std::find_if(m_zOrder.begin(), m_zOrder.end(),
                             [topmost](const auto& other) { return topmost || !(other->exStyle & WS_EX_TOPMOST); });
    m_zOrder.insert(band, window);
  }
  return window->handle;
}

void WindowTable::Remove(HWND handle) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto found = m_windows.find(Key(handle));
  if (found == m_windows.end()) return;
  auto window = found->second;
  m_windows.erase(found);
  std::erase(m_order, window);
  std::erase(m_zOrder, window);
}

std::vector<std::shared_ptr<Window>> WindowTable::TopLevel() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_zOrder;
}

bool WindowTable::PlaceTopLevel(HWND handle, HWND insertAfter) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto at = std::find_if(m_zOrder.begin(), m_zOrder.end(), [handle](const auto& w) { return w->handle == handle; });
  if (at == m_zOrder.end()) return false;
  std::shared_ptr<Window> window = *at;
  std::vector<std::shared_ptr<Window>> before = m_zOrder;
  DWORD exBefore = window->exStyle;
  m_zOrder.erase(at);
  if (insertAfter == HWND_TOPMOST) window->exStyle |= WS_EX_TOPMOST;
  if (insertAfter == HWND_NOTOPMOST) window->exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
  bool topmost = (window->exStyle & WS_EX_TOPMOST) != 0;
  auto inBand = [topmost](const auto& other) { return ((other->exStyle & WS_EX_TOPMOST) != 0) == topmost; };
  auto bandBegin = std::find_if(m_zOrder.begin(), m_zOrder.end(), inBand);
  auto bandEnd = std::find_if_not(bandBegin, m_zOrder.end(), inBand);
  if (bandBegin == m_zOrder.end()) bandBegin = bandEnd = topmost ? m_zOrder.begin() : m_zOrder.end();
  auto place = bandBegin;  // HWND_TOP, HWND_TOPMOST, HWND_NOTOPMOST: the top of the band
  if (insertAfter == HWND_BOTTOM) {
    place = bandEnd;
  } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
    auto after = std::find_if(bandBegin, bandEnd, [insertAfter](const auto& w) { return w->handle == insertAfter; });
    if (after != bandEnd) place = after + 1;
  }
  m_zOrder.insert(place, window);
  return m_zOrder != before || window->exStyle != exBefore;
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

std::vector<std::shared_ptr<Window>> TopLevelWindows() { return Windows().TopLevel(); }

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

struct ThumbGeometry {
  int trackLength;
  int thumb;
  int span;  // the positions the thumb can take, less one
};

ThumbGeometry ThumbOf(const Window& window, int bar, int button, int length) {
  const ScrollBarState& state = window.bars[bar];
  int range = state.max - state.min;
  int trackLength = length - 2 * button;
  if (range <= 0 || trackLength <= button) return ThumbGeometry{trackLength, 0, 0};
  int thumb = state.page ? std::max(button / 2, MulDiv(trackLength, static_cast<int>(state.page), range + 1)) : button;
  thumb = std::min(thumb, trackLength);
  int span = range - std::max<int>(static_cast<int>(state.page) - 1, 0);
  return ThumbGeometry{trackLength, thumb, span};
}

}  // namespace

bool IsVerticalBar(const Window& window, int bar) {
  return bar == SB_VERT || (bar == SB_CTL && (window.style & SBS_VERT));
}

ScrollBarLayout LayoutScrollBar(const Window& window, int bar) {
  ScrollBarLayout layout;
  RECT client = window.ClientArea();
  bool vertical = IsVerticalBar(window, bar);
  if (bar == SB_CTL) {
    layout.area = client;  // a scroll-bar control is all bar
  } else if ((bar == SB_HORZ || bar == SB_VERT) && window.BarShown(bar)) {
    layout.area = vertical ? RECT{client.right, client.top, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom}
                           : RECT{client.left, client.bottom, client.right, client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  } else {
    return layout;
  }
  const RECT& area = layout.area;
  int button = vertical ? area.right - area.left : area.bottom - area.top;
  int length = vertical ? area.bottom - area.top : area.right - area.left;
  layout.lineUp = layout.lineDown = layout.track = area;
  if (vertical) {
    layout.lineUp.bottom = layout.track.top = area.top + button;
    layout.lineDown.top = layout.track.bottom = area.bottom - button;
  } else {
    layout.lineUp.right = layout.track.left = area.left + button;
    layout.lineDown.left = layout.track.right = area.right - button;
  }
  ThumbGeometry geometry = ThumbOf(window, bar, button, length);
  if (geometry.thumb == 0) return layout;
  const ScrollBarState& state = window.bars[bar];
  int offset = geometry.span > 0 ? MulDiv(geometry.trackLength - geometry.thumb, state.pos - state.min, geometry.span) : 0;
  layout.thumb = layout.track;
  if (vertical) {
    layout.thumb.top = layout.track.top + offset;
    layout.thumb.bottom = layout.thumb.top + geometry.thumb;
  } else {
    layout.thumb.left = layout.track.left + offset;
    layout.thumb.right = layout.thumb.left + geometry.thumb;
  }
  return layout;
}

int ScrollPosForThumb(const Window& window, int bar, int offset) {
  ScrollBarLayout layout = LayoutScrollBar(window, bar);
  bool vertical = IsVerticalBar(window, bar);
  int button = vertical ? layout.area.right - layout.area.left : layout.area.bottom - layout.area.top;
  int length = vertical ? layout.area.bottom - layout.area.top : layout.area.right - layout.area.left;
  ThumbGeometry geometry = ThumbOf(window, bar, button, length);
  const ScrollBarState& state = window.bars[bar];
  int room = geometry.trackLength - geometry.thumb;
  if (room <= 0 || geometry.span <= 0) return state.min;
  return state.min + MulDiv(std::clamp(offset, 0, room), geometry.span, room);
}

namespace {

// Shown at its own level (a window whose drawing is switched off keeps showing what it showed).
bool IsOnScreenLevel(const Window& window) {
  return ((window.style & WS_VISIBLE) || window.hiddenForRedraw) && !window.minimized;
}

void DrawChildren(const Window& window, Surface& out, POINT origin, RECT clip) {
  RECT client = window.ClientArea();
  RECT clientOnScreen = client;
  OffsetRect(&clientOnScreen, origin.x, origin.y);
  IntersectRect(&clip, &clip, &clientOnScreen);
  // Bottom first, so the windows above are drawn over it.
  for (auto it = window.children.rbegin(); it != window.children.rend(); ++it) {
    auto child = Windows().Find(*it);
    if (!child || !IsOnScreenLevel(*child)) continue;
    POINT childOrigin{origin.x + client.left + child->rect.left, origin.y + client.top + child->rect.top};
    RECT area{childOrigin.x, childOrigin.y, childOrigin.x + child->canvas.Width(), childOrigin.y + child->canvas.Height()};
    RECT visible;
    if (!IntersectRect(&visible, &area, &clip)) continue;
    RECT seeThrough = child->seeThrough;
    OffsetRect(&seeThrough, childOrigin.x + child->client.left, childOrigin.y + child->client.top);
    IntersectRect(&seeThrough, &seeThrough, &visible);
    for (int y = visible.top; y < visible.bottom; ++y) {
      const std::uint32_t* row = child->canvas.Row(y - childOrigin.y);
      auto copy = [&](LONG left, LONG right) {
        std::copy(row + (left - childOrigin.x), row + (right - childOrigin.x), out.Row(y) + left);
      };
      if (y < seeThrough.top || y >= seeThrough.bottom) {
        copy(visible.left, visible.right);
      } else {
        copy(visible.left, seeThrough.left);
        copy(seeThrough.right, visible.right);
      }
    }
    DrawChildren(*child, out, childOrigin, visible);
  }
}

}  // namespace

Surface ComposeWindow(const Window& window) {
  Surface out = Surface::PixelsOf(window.canvas);
  DrawChildren(window, out, POINT{0, 0}, RECT{0, 0, out.Width(), out.Height()});
  return out;
}

}  // namespace layer
