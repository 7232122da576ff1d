#include "win32/DrawnTexts.h"

#include <algorithm>

namespace layer {
namespace {

// Beyond this a surface drops its oldest texts: a long-lived canvas drawn on
// for hours must not grow without end.
constexpr std::size_t kMostTexts = 4096;

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

bool CoversMiddle(const RECT& area, const RECT& place) {
  long x = (static_cast<long>(place.left) + place.right) / 2, y = (static_cast<long>(place.top) + place.bottom) / 2;
  return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

}  // namespace

void DrawnTexts::Note(const RECT& place, std::string text) {
  if (Empty(place)) return;
  Cover(place);
  if (text.find_first_not_of(' ') == std::string::npos) return;
  if (m_texts.size() >= kMostTexts) m_texts.erase(m_texts.begin());
  m_texts.push_back({place, std::move(text)});
}

void DrawnTexts::Cover(const RECT& area) {
  if (Empty(area)) return;
  std::erase_if(m_texts, [&](const DrawnText& drawn) { return CoversMiddle(area, drawn.place); });
}

void DrawnTexts::Copy(const DrawnTexts& from, const RECT& source, const RECT& destination) {
  if (Empty(source) || Empty(destination)) return;
  std::vector<DrawnText> moved;
  for (const auto& drawn : from.m_texts) {
    if (!CoversMiddle(source, drawn.place)) continue;
    auto x = [&](long v) { return destination.left + (v - source.left) * (destination.right - destination.left) / (source.right - source.left); };
    auto y = [&](long v) { return destination.top + (v - source.top) * (destination.bottom - destination.top) / (source.bottom - source.top); };
    RECT place{static_cast<LONG>(x(std::max(drawn.place.left, source.left))),
               static_cast<LONG>(y(std::max(drawn.place.top, source.top))),
               static_cast<LONG>(x(std::min(drawn.place.right, source.right))),
               static_cast<LONG>(y(std::min(drawn.place.bottom, source.bottom)))};
    moved.push_back({place, drawn.text});
  }
  Cover(destination);
  for (auto& drawn : moved) Note(drawn.place, std::move(drawn.text));
}

void DrawnTexts::Clip(int width, int height) {
  Cover(RECT{width, 0, 1 << 30, 1 << 30});
  Cover(RECT{0, height, 1 << 30, 1 << 30});
}

}  // namespace layer
