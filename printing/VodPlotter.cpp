#include "VodPlotter.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "VodContext.h"

namespace vod {
namespace {

// Plots keep 5 form units away from the left and right edges of their frame.
constexpr LONG kInset = 5;
// Device positions stay well inside 32 bits, whatever a damaged file says.
constexpr double kDeviceLimit = 1 << 28;
constexpr int kSegmentLimit = 1400;
constexpr size_t kRunLimit = 4096;

struct Interval {
  double from, to;
};

// The pen-down parts of one period of each line type.
std::span<const Interval> Pattern(int type) {
  static constexpr Interval kDots[] = {{0.01, 0.03}};
  static constexpr Interval k2[] = {{0, 0.5}};
  static constexpr Interval k3[] = {{0, 0.7}};
  static constexpr Interval k4[] = {{0, 0.8}, {0.9, 0.92}};
  static constexpr Interval k5[] = {{0, 0.7}, {0.8, 0.9}};
  static constexpr Interval k6[] = {{0, 0.5}, {0.6, 0.7}, {0.8, 0.9}};
  static constexpr Interval k7[] = {{0, 0.7}, {0.8, 0.82}, {0.9, 0.92}};
  static constexpr Interval k8[] = {{0, 0.5}, {0.6, 0.62}, {0.7, 0.8}, {0.9, 0.92}};
  static constexpr Interval kMinus2[] = {{0, 0.25}, {0.75, 1}};
  static constexpr Interval kMinus3[] = {{0, 0.35}, {0.65, 1}};
  static constexpr Interval kMinus4[] = {{0, 0.4}, {0.5, 0.52}, {0.6, 1}};
  static constexpr Interval kMinus5[] = {{0, 0.35}, {0.45, 0.55}, {0.65, 1}};
  static constexpr Interval kMinus6[] = {{0, 0.25}, {0.35, 0.45}, {0.55, 0.65}, {0.75, 1}};
  static constexpr Interval kMinus7[] = {{0, 0.35}, {0.45, 0.47}, {0.55, 0.57}, {0.65, 1}};
  static constexpr Interval kMinus8[] = {{0, 0.25}, {0.35, 0.37}, {0.45, 0.55}, {0.65, 0.67}, {0.75, 1}};
  switch (type) {
    case 1:
    case -1: return kDots;
    case 2: return k2;
    case 3: return k3;
    case 4: return k4;
    case 5: return k5;
    case 6: return k6;
    case 7: return k7;
    case 8: return k8;
    case -2: return kMinus2;
    case -3: return kMinus3;
    case -4: return kMinus4;
    case -5: return kMinus5;
    case -6: return kMinus6;
    case -7: return kMinus7;
    case -8: return kMinus8;
    default: return {};
  }
}

bool Inside(const RECT& box, POINT p) {
  return p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom;
}

LONG ToLong(double value) { return static_cast<LONG>(std::clamp(value, -kDeviceLimit, kDeviceLimit)); }

// The part [from, to] of the line p + t (q - p), 0 <= t <= 1, that lies in
// the box; false when none does.
bool ClipLine(POINT p, POINT q, const RECT& box, double& from, double& to) {
  from = 0;
  to = 1;
  double d[2] = {static_cast<double>(q.x - p.x), static_cast<double>(q.y - p.y)};
  double start[2] = {static_cast<double>(p.x), static_cast<double>(p.y)};
  double low[2] = {static_cast<double>(box.left), static_cast<double>(box.top)};
  double high[2] = {static_cast<double>(box.right), static_cast<double>(box.bottom)};
  for (int axis = 0; axis < 2; ++axis) {
    if (d[axis] == 0) {
      if (start[axis] < low[axis] || start[axis] > high[axis]) return false;
      continue;
    }
    double a = (low[axis] - start[axis]) / d[axis], b = (high[axis] - start[axis]) / d[axis];
    if (a > b) std::swap(a, b);
    from = std::max(from, a);
    to = std::min(to, b);
  }
  return from <= to;
}

}  // namespace

VodPlotter::VodPlotter(VodContext& context) : m_context(context) {}

VodPlotter::~VodPlotter() = default;

bool VodPlotter::Portrait() const { return (m_context.orientation & 0xFF) != 0; }

void VodPlotter::SetAspect() {
  state.aspectX = m_context.resolutionX / 100.0;
  state.aspectY = m_context.resolutionY / 100.0;
}

bool VodPlotter::Fit(RECT frame, const PlotExtent& extent, bool keepAspect, bool centreX, bool centreY, int& width,
                     int& height) {
  width = height = 0;
  const POINT offset = m_context.drawing.offset;
  auto shift = [](LONG value, LONG by) { return value + by < 1 ? 0 : value + by; };
  frame = RECT{shift(frame.left, offset.x), shift(frame.top, offset.y), shift(frame.right, offset.x),
               shift(frame.bottom, offset.y)};
  const PageMetrics& page = m_context.page;
  auto deviceX = [&](LONG x) {
    return static_cast<double>(FormToDeviceX(page, static_cast<DWORD>(std::max<LONG>(x, 0))));
  };
  auto deviceY = [&](LONG y) {
    return static_cast<double>(FormToDeviceY(page, static_cast<DWORD>(std::max<LONG>(y, 0)), false));
  };
  LONG inset = frame.left <= frame.right ? kInset : -kInset;
  double left = deviceX(frame.left + inset), right = deviceX(frame.right - inset);
  double top = deviceY(frame.top), bottom = deviceY(frame.bottom);
  double roomX = std::abs(right - left), roomY = std::abs(bottom - top);
  if (!(extent.width > 0 && extent.height > 0) || roomX < 1 || roomY < 1) return false;

  // The correction stretches one direction of the plot before it is scaled.
  double ratio = 1;
  if (state.aspectX > 0 && state.aspectY > 0)
    ratio = Portrait() ? state.aspectY / state.aspectX : state.aspectX / state.aspectY;
  double correctX = Portrait() ? 1 : ratio, correctY = Portrait() ? ratio : 1;
  double plotX = extent.width * correctX, plotY = extent.height * correctY;
  double factorX = roomX / plotX, factorY = roomY / plotY;
  if (keepAspect) {
    // One factor: the one that fills the longer side of the extent, its
    // room taken down a device unit at a time until the other side fits.
    bool wide = extent.width >= extent.height;
    double room = wide ? roomX : roomY, size = wide ? plotX : plotY;
    double other = wide ? plotY : plotX, otherRoom = wide ? roomY : roomX;
    double fitting = otherRoom * size / other;
    if (room > fitting) room -= std::ceil(room - fitting);
    while (room > 0 && other * (room / size) > otherRoom) room -= 1;
    factorX = factorY = std::max(room, 0.0) / size;
  }
  double freeX = roomX - plotX * factorX, freeY = roomY - plotY * factorY;
  state.scaleX = factorX;
  state.scaleY = -factorY;
  // The offsets are whole device units, the nearest ones.
  state.offsetX = ToLong(0.5 + std::min(left, right) - factorX * extent.minX * correctX + (centreX ? freeX / 2 : 0));
  state.offsetY = ToLong(0.5 + std::min(top, bottom) + factorY * (extent.height + extent.minY) * correctY +
                         (centreY ? freeY / 2 : 0));
  width = static_cast<int>(DeviceToFormX(page, static_cast<DWORD>(plotX * factorX)));
  height = static_cast<int>(DeviceToFormY(page, static_cast<DWORD>(plotY * factorY), true));
  return factorX > 0 && factorY > 0;
}

void VodPlotter::Begin() {
  m_pen = std::make_unique<VodDevicePen>(m_context.drawing.PageDC());
  m_pen->Select(state.penWidth);
}

void VodPlotter::End() {
  Flush();
  m_pen.reset();
}

void VodPlotter::SelectPen(int width) {
  Flush();
  if (m_pen) m_pen->Select(width);
}

void VodPlotter::Flush() {
  HDC dc = m_context.drawing.PageDC();
  if (m_run.size() >= 2) {
    Polyline(dc, m_run.data(), static_cast<int>(m_run.size()));
    MoveToEx(dc, m_run.back().x, m_run.back().y, nullptr);
  }
  m_run.clear();
}

POINT VodPlotter::ToDevice(double x, double y) const {
  if (state.aspectX > 0 && state.aspectY > 0) {
    if (Portrait())
      y *= state.aspectY / state.aspectX;
    else
      x *= state.aspectX / state.aspectY;
  }
  return POINT{ToLong(x * state.scaleX + state.offsetX + 0.5), ToLong(y * state.scaleY + state.offsetY + 0.5)};
}

void VodPlotter::CountSegment(bool line, POINT end) {
  if (++state.segmentCount <= kSegmentLimit) return;
  // The platform's paths are kept short: a long run starts again at its end.
  state.segmentCount = 0;
  if (!line) return;
  Flush();
  MoveToEx(m_context.drawing.PageDC(), end.x, end.y, nullptr);
}

void VodPlotter::MoveTo(double x, double y) {
  Flush();
  m_at = ToDevice(x, y);
  MoveToEx(m_context.drawing.PageDC(), m_at.x, m_at.y, nullptr);
  CountSegment(false, m_at);
}

RECT VodPlotter::PageBox() const {
  const PageMetrics& page = m_context.page;
  LONG margin = 2 + std::max(state.penWidth, 0);
  return RECT{-margin, -margin, static_cast<LONG>(page.deviceWidth) + margin,
              static_cast<LONG>(page.deviceHeight) + margin};
}

void VodPlotter::LineTo(double x, double y, bool patterned) {
  POINT end = ToDevice(x, y);
  state.prevX = m_at.x;
  state.prevY = m_at.y;
  HDC dc = m_context.drawing.PageDC();
  if (patterned && state.lineType != 0) {
    Flush();
    DrawPatterned(m_at, end);
    MoveToEx(dc, end.x, end.y, nullptr);
  } else {
    DrawSolid(m_at, end);
  }
  m_at = end;
  CountSegment(true, end);
}

void VodPlotter::DrawSolid(POINT from, POINT to) {
  RECT box = PageBox();
  if (Inside(box, from) && Inside(box, to)) {
    // Lines that follow each other go to the page as one polyline.
    bool follows = !m_run.empty() && m_run.back().x == from.x && m_run.back().y == from.y;
    if (!follows || m_run.size() == kRunLimit) Flush();
    if (m_run.empty()) m_run.push_back(from);
    m_run.push_back(to);
    return;
  }
  Flush();
  HDC dc = m_context.drawing.PageDC();
  // Only the part on the page is drawn: a line far off the page would
  // otherwise be walked pixel by pixel.
  double visibleFrom, visibleTo;
  if (ClipLine(from, to, box, visibleFrom, visibleTo)) {
    auto at = [&](double t) {
      return POINT{ToLong(from.x + t * (to.x - from.x) + 0.5), ToLong(from.y + t * (to.y - from.y) + 0.5)};
    };
    POINT p = at(visibleFrom), q = at(visibleTo);
    MoveToEx(dc, p.x, p.y, nullptr);
    ::LineTo(dc, q.x, q.y);
  }
  MoveToEx(dc, to.x, to.y, nullptr);
}

void VodPlotter::DrawPatterned(POINT from, POINT to) {
  double length = std::hypot(static_cast<double>(to.x - from.x), static_cast<double>(to.y - from.y));
  double period = state.patternLength;
  if (!(period >= 1)) {
    // A period shorter than a device unit has no pattern to show.
    ::LineTo(m_context.drawing.PageDC(), to.x, to.y);
    return;
  }
  double phase = state.patternPhase;
  state.patternPhase = std::fmod(phase + length / period, 1.0);
  std::span<const Interval> pattern = Pattern(state.lineType);
  if (length == 0 || pattern.empty()) return;
  // Only the periods on the page are walked.
  double visibleFrom, visibleTo;
  if (!ClipLine(from, to, PageBox(), visibleFrom, visibleTo)) return;
  double periods = length / period;
  double u0 = phase + visibleFrom * periods, u1 = phase + visibleTo * periods;
  HDC dc = m_context.drawing.PageDC();
  auto at = [&](double u) {
    double t = (u - phase) / periods;
    return POINT{ToLong(from.x + t * (to.x - from.x) + 0.5), ToLong(from.y + t * (to.y - from.y) + 0.5)};
  };
  for (double k = std::floor(u0); k < u1; k += 1) {
    for (const Interval& part : pattern) {
      double a = std::max(k + part.from, u0), b = std::min(k + part.to, u1);
      if (a >= b) continue;
      POINT p = at(a), q = at(b);
      MoveToEx(dc, p.x, p.y, nullptr);
      ::LineTo(dc, q.x, q.y);
    }
  }
}

}  // namespace vod
