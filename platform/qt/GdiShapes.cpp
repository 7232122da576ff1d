#include <QPainterPath>
#include <algorithm>
#include <vector>

#include "qt/ScreenCalls.h"
#include "qt/ShapeMask.h"
#include "win32/Gdi.h"
#include "win32/GdiVector.h"
#include "win32/UserWindows.h"

namespace {

using layer::BoundsOf;
using layer::HasBrush;
using layer::HasPen;
using layer::PenWidth;
using layer::ShapeMask;

QPen WidePen(const layer::DeviceContext& context) {
  return QPen(QColor(ShapeMask::kPen, ShapeMask::kPen, ShapeMask::kPen), PenWidth(context), Qt::SolidLine,
              Qt::RoundCap, Qt::RoundJoin);
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

namespace layer::desktop {

BOOL WideLines(DeviceContext& context, const std::vector<std::vector<POINT>>& runs) {
  std::vector<POINT> all;
  for (const auto& run : runs) all.insert(all.end(), run.begin(), run.end());
  if (all.empty()) return TRUE;
  ShapeMask mask(context, BoundsOf(all, PenWidth(context)));
  if (mask.Empty()) return TRUE;
  mask.Painter().setPen(WidePen(context));
  for (const auto& run : runs) {
    QPolygon polygon;
    for (const POINT& p : run) polygon << QPoint(p.x, p.y);
    mask.Painter().drawPolyline(polygon);
  }
  mask.Apply();
  return TRUE;
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

}  // namespace layer::desktop
