#include <QPainterPath>
#include <algorithm>
#include <vector>

#include "qt/ShapeMask.h"
#include "win32/Gdi.h"
#include "win32/UserWindows.h"

namespace {

using layer::ShapeMask;

bool HasPen(const layer::DeviceContext& context) { return context.state.pen && !context.state.pen->IsNull(); }
bool HasBrush(const layer::DeviceContext& context) { return context.state.brush && !context.state.brush->IsNull(); }
int PenWidth(const layer::DeviceContext& context) { return HasPen(context) ? context.state.pen->Width() : 0; }

// The device rectangle that points cover, widened by a pen.
RECT BoundsOf(const std::vector<POINT>& points, int penWidth) {
  RECT bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (const POINT& p : points) {
    bounds.left = std::min(bounds.left, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.right = std::max(bounds.right, p.x + 1);
    bounds.bottom = std::max(bounds.bottom, p.y + 1);
  }
  InflateRect(&bounds, penWidth + 1, penWidth + 1);
  return bounds;
}

QPen WidePen(const layer::DeviceContext& context) {
  return QPen(QColor(ShapeMask::kPen, ShapeMask::kPen, ShapeMask::kPen), PenWidth(context), Qt::SolidLine,
              Qt::RoundCap, Qt::RoundJoin);
}

// Lines through the points, one polyline per run; thin pens leave out each
// run's last point, as the platform does.
BOOL DrawRuns(layer::DeviceContext& context, const std::vector<std::vector<POINT>>& runs) {
  if (!HasPen(context)) return TRUE;
  if (context.vector) return context.vector->Lines(context, runs);
  std::vector<POINT> all;
  for (const auto& run : runs) all.insert(all.end(), run.begin(), run.end());
  if (all.empty()) return TRUE;
  ShapeMask mask(context, BoundsOf(all, PenWidth(context)));
  if (mask.Empty()) return TRUE;
  for (const auto& run : runs) {
    if (PenWidth(context) <= 1) {
      for (std::size_t i = 1; i < run.size(); ++i) layer::DrawThinLine(mask, run[i - 1].x, run[i - 1].y, run[i].x, run[i].y);
    } else {
      QPolygon polygon;
      for (const POINT& p : run) polygon << QPoint(p.x, p.y);
      mask.Painter().setPen(WidePen(context));
      mask.Painter().drawPolyline(polygon);
    }
  }
  mask.Apply();
  return TRUE;
}

std::vector<POINT> ToDevice(const layer::DeviceContext& context, const POINT* points, int count) {
  std::vector<POINT> device;
  for (int i = 0; i < count; ++i) device.push_back(context.ToDevice(points[i].x, points[i].y));
  return device;
}

// Rectangles and ellipses: the brush inside, the pen on the outline.
template <class Draw>
BOOL DrawClosedShape(HDC dc, int left, int top, int right, int bottom, layer::ShapeKind kind, Draw draw) {
  auto context = layer::ContextOf(dc);
  if (!context) return FALSE;
  RECT device = context->ToDevice(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
  if (device.right - device.left < 2 || device.bottom - device.top < 2) return TRUE;
  bool pen = HasPen(*context), brush = HasBrush(*context);
  if (!pen && !brush) return TRUE;
  if (context->vector) return context->vector->Shape(*context, kind, device);
  int width = PenWidth(*context);
  RECT bounds = device;
  InflateRect(&bounds, width, width);
  ShapeMask mask(*context, bounds);
  if (mask.Empty()) return TRUE;
  QPainter& painter = mask.Painter();
  painter.setBrush(brush ? QBrush(QColor(ShapeMask::kBrush, ShapeMask::kBrush, ShapeMask::kBrush)) : QBrush(Qt::NoBrush));
  if (!pen) painter.setPen(Qt::NoPen);
  else if (width <= 1) painter.setPen(QPen(QColor(ShapeMask::kPen, ShapeMask::kPen, ShapeMask::kPen), 1));
  else painter.setPen(QPen(QColor(ShapeMask::kPen, ShapeMask::kPen, ShapeMask::kPen), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  QRect shape(device.left, device.top, device.right - device.left - 1, device.bottom - device.top - 1);
  if (pen && context->state.pen->log.lopnStyle == PS_INSIDEFRAME && width > 1)
    shape.adjust(width / 2, width / 2, -(width - 1) / 2, -(width - 1) / 2);
  draw(painter, shape);
  mask.Apply();
  return TRUE;
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
  auto context = layer::ContextOf(dc);
  if (!context || !points || count < 2) return FALSE;
  std::vector<POINT> device = ToDevice(*context, points, count);
  if (context->vector) return context->vector->Polygon(*context, device);
  ShapeMask mask(*context, BoundsOf(device, PenWidth(*context)));
  if (mask.Empty()) return TRUE;
  QPolygon polygon;
  for (const POINT& p : device) polygon << QPoint(p.x, p.y);
  QPainter& painter = mask.Painter();
  if (HasBrush(*context)) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(ShapeMask::kBrush, ShapeMask::kBrush, ShapeMask::kBrush));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
  }
  if (HasPen(*context)) {
    device.push_back(device.front());
    if (PenWidth(*context) <= 1) {
      for (std::size_t i = 1; i < device.size(); ++i) layer::DrawThinLine(mask, device[i - 1].x, device[i - 1].y, device[i].x, device[i].y);
    } else {
      painter.setPen(WidePen(*context));
      painter.setBrush(Qt::NoBrush);
      painter.drawPolygon(polygon);
    }
  }
  mask.Apply();
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return DrawClosedShape(dc, left, top, right, bottom, layer::ShapeKind::Rectangle,
                         [](QPainter& painter, const QRect& shape) { painter.drawRect(shape); });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  return DrawClosedShape(dc, left, top, right, bottom, layer::ShapeKind::Ellipse,
                         [](QPainter& painter, const QRect& shape) { painter.drawEllipse(shape); });
}
