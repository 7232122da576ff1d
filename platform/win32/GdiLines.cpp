// Lines, and the shapes whose filling needs the screen backend's painter.
// One-pixel lines are drawn here, so that a picture of thin lines on a
// memory bitmap needs no backend.
#include <vector>

#include "win32/Gdi.h"
#include "win32/GdiVector.h"
#include "win32/PixelMask.h"
#include "win32/ScreenBackend.h"

namespace {

// Lines through the points, one polyline per run; thin pens leave out each
// run's last point, as the platform does.
BOOL DrawRuns(layer::DeviceContext& context, const std::vector<std::vector<POINT>>& runs) {
  if (!layer::HasPen(context)) return TRUE;
  if (context.vector) return context.vector->Lines(context, runs);
  if (layer::PenWidth(context) > 1) {
    layer::ScreenBackend* backend = layer::CurrentScreenBackend();
    return backend ? backend->WideLines(context, runs) : FALSE;
  }
  std::vector<POINT> all;
  for (const auto& run : runs) all.insert(all.end(), run.begin(), run.end());
  if (all.empty()) return TRUE;
  layer::PixelMask mask(context, layer::BoundsOf(all, layer::PenWidth(context)), true);
  if (mask.Empty()) return TRUE;
  for (const auto& run : runs)
    for (std::size_t i = 1; i < run.size(); ++i) layer::DrawThinLine(mask, run[i - 1].x, run[i - 1].y, run[i].x, run[i].y);
  mask.Apply();
  return TRUE;
}

std::vector<POINT> ToDevice(const layer::DeviceContext& context, const POINT* points, int count) {
  std::vector<POINT> device;
  device.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) device.push_back(context.ToDevice(points[i].x, points[i].y));
  return device;
}

}  // namespace

BOOL LineTo(HDC dc, int x, int y) {
  auto context = layer::ContextOf(dc);
  if (!context) return FALSE;
  POINT from = context->state.position;
  BOOL drawn = DrawRuns(*context, {{context->ToDevice(from.x, from.y), context->ToDevice(x, y)}});
  context->state.position = POINT{x, y};
  return drawn;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  auto context = layer::ContextOf(dc);
  if (!context || !points || count < 2) return FALSE;
  return DrawRuns(*context, {ToDevice(*context, points, count)});
}

BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD lines) {
  auto context = layer::ContextOf(dc);
  if (!context || !points || !counts) return FALSE;
  std::vector<std::vector<POINT>> runs;
  const POINT* next = points;
  for (DWORD i = 0; i < lines; ++i) {
    if (counts[i] < 2) return FALSE;
    runs.push_back(ToDevice(*context, next, static_cast<int>(counts[i])));
    next += counts[i];
  }
  return DrawRuns(*context, runs);
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->Polygon(dc, points, count) : FALSE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->Rectangle(dc, left, top, right, bottom) : FALSE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  layer::ScreenBackend* backend = layer::CurrentScreenBackend();
  return backend ? backend->Ellipse(dc, left, top, right, bottom) : FALSE;
}
