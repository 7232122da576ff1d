#include "qt/PdfPageWriter.h"

#include <QGlyphRun>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainterPath>
#include <algorithm>
#include <cstring>

#include "qt/FileSink.h"
#include "qt/GuiApplication.h"
#include "qt/RealisedFont.h"
#include "win32/GdiStretch.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

QColor ColourOf(COLORREF colour) { return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

COLORREF Resolved(const DeviceContext& context, COLORREF colour) { return ColorFromPixel(ResolvePixel(context, colour)); }

QRectF AreaOf(const RECT& area) {
  return QRectF(area.left, area.top, area.right - area.left, area.bottom - area.top).normalized();
}

// Lines and outlines run through the middle of the pixels they cover.
QPointF Centre(POINT point) { return QPointF(point.x + 0.5, point.y + 0.5); }

// A one-bit picture in black and white goes in as a one-bit image (bits
// set where the picture is white); other pictures in full colour.
QImage ImageOf(const PixelSource& source, const RECT& area) {
  int width = area.right - area.left, height = area.bottom - area.top;
  bool blackWhite = (source.colour0 == 0xFF000000u && source.colour1 == 0xFFFFFFFFu) ||
                    (source.colour0 == 0xFFFFFFFFu && source.colour1 == 0xFF000000u);
  if (source.BitRow(0) && blackWhite) {
    bool invert = source.colour0 == 0xFFFFFFFFu;
    QImage image(width, height, QImage::Format_Mono);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < height; ++y) {
      const BYTE* bits = source.BitRow(area.top + y);
      uchar* out = image.scanLine(y);
      std::memset(out, 0, static_cast<std::size_t>(image.bytesPerLine()));
      for (int x = 0; x < width; ++x) {
        int column = area.left + x;
        bool set = (bits[column >> 3] & (0x80 >> (column & 7))) != 0;
        if (set != invert) out[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
      }
    }
    return image;
  }
  QImage image(width, height, QImage::Format_RGB32);
  std::vector<std::uint32_t> scratch(static_cast<std::size_t>(source.Width()));
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = source.Row(area.top + y, scratch.data());
    std::memcpy(image.scanLine(y), row + area.left, static_cast<std::size_t>(width) * 4);
  }
  return image;
}

// Raster operations paper can show: copies, and the ones that leave white
// (AND) or black (OR) of the picture out.
QImage ApplyOperation(QImage image, DWORD rop) {
  switch (rop) {
    case NOTSRCCOPY:
      image.invertPixels();
      return image;
    case SRCAND:
    case SRCPAINT: {
      QRgb clear = rop == SRCAND ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
      image = image.convertToFormat(QImage::Format_ARGB32);
      for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
          if ((row[x] & 0xFFFFFFu) == (clear & 0xFFFFFFu)) row[x] = 0;
      }
      return image;
    }
    default: return image;
  }
}

}  // namespace

std::unique_ptr<PdfPageWriter> PdfPageWriter::Open(const std::string& hostPath, const std::string& title) {
  EnsureGuiApplication();
  auto sink = std::make_unique<FileSink>(hostPath);
  if (!sink->IsOpen()) return nullptr;
  return std::unique_ptr<PdfPageWriter>(new PdfPageWriter(std::move(sink), title));
}

PdfPageWriter::PdfPageWriter(std::unique_ptr<FileSink> sink, const std::string& title) : m_sink(std::move(sink)) {
  m_writer = std::make_unique<QPdfWriter>(m_sink.get());
  m_writer->setTitle(QString::fromUtf8(title.c_str()));
  m_writer->setCreator(QStringLiteral("VARNO"));
}

PdfPageWriter::~PdfPageWriter() {
  if (m_painter.isActive()) m_painter.end();
}

bool PdfPageWriter::BeginPage(const PageGeometry& page) {
  m_page = page;
  m_prepared = false;
  QPageSize size(QSizeF(page.widthMillimetres, page.heightMillimetres), QPageSize::Millimeter, QString(),
                 QPageSize::ExactMatch);
  m_writer->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
  if (m_pages++ == 0) {
    // The writer keeps the first page's resolution; later pages scale to theirs.
    m_resolution = page.dotsPerInchX;
    m_writer->setResolution(m_resolution);
    if (!m_painter.begin(m_writer.get())) return false;
  } else if (!m_writer->newPage()) {
    return false;
  }
  m_painter.setRenderHint(QPainter::LosslessImageRendering);
  return true;
}

void PdfPageWriter::EndPage() {}

bool PdfPageWriter::Close() {
  if (m_painter.isActive()) m_painter.end();
  return m_sink->Finish();
}

int PdfPageWriter::WriteError() const { return m_sink->Error(); }

void PdfPageWriter::Prepare(const DeviceContext& context, const RECT* extraClip) {
  // The page's coordinates and the clip are set again only when they change:
  // each setting is written into the page.
  if (!m_prepared) {
    m_painter.resetTransform();
    // Dots of the page's own resolution in each direction, from where the drawable area starts.
    m_painter.scale(static_cast<double>(m_resolution) / m_page.dotsPerInchX,
                    static_cast<double>(m_resolution) / m_page.dotsPerInchY);
    m_painter.translate(m_page.drawableOrigin.x, m_page.drawableOrigin.y);
  }
  RECT clip = context.Clip();
  if (extraClip) IntersectRect(&clip, &clip, extraClip);
  if (!m_prepared || !EqualRect(&clip, &m_clip)) m_painter.setClipRect(AreaOf(clip));
  m_clip = clip;
  m_prepared = true;
  m_painter.setBrush(Qt::NoBrush);
  m_painter.setPen(Qt::NoPen);
}

std::optional<QColor> PdfPageWriter::PenColour(const DeviceContext& context, COLORREF colour) const {
  switch (context.state.rop2) {
    case R2_NOP: return std::nullopt;
    case R2_BLACK: return QColor(Qt::black);
    case R2_WHITE: return QColor(Qt::white);
    case R2_NOTCOPYPEN: return ColourOf(~Resolved(context, colour) & 0xFFFFFFu);
    default: return ColourOf(Resolved(context, colour));
  }
}

QPen PdfPageWriter::PenOf(const DeviceContext& context, bool roundEnds) const {
  const Pen& pen = *context.state.pen;
  std::optional<QColor> colour = PenColour(context, pen.log.lopnColor);
  if (!colour || pen.IsNull()) return QPen(Qt::NoPen);
  int width = pen.Width();
  if (width <= 1) return QPen(*colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  return roundEnds ? QPen(*colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                   : QPen(*colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

bool PdfPageWriter::Lines(const DeviceContext& context, const std::vector<std::vector<POINT>>& runs) {
  Prepare(context);
  m_painter.setPen(PenOf(context, true));
  for (const auto& run : runs) {
    QPolygonF line;
    for (const POINT& point : run) line << Centre(point);
    m_painter.drawPolyline(line);
  }
  return true;
}

bool PdfPageWriter::Polygon(const DeviceContext& context, const std::vector<POINT>& points) {
  Prepare(context);
  QPolygonF shape;
  for (const POINT& point : points) shape << Centre(point);
  if (context.state.brush && !context.state.brush->IsNull()) {
    if (std::optional<QColor> colour = PenColour(context, context.state.brush->log.lbColor))
      m_painter.setBrush(*colour);
  }
  m_painter.setPen(PenOf(context, true));
  m_painter.drawPolygon(shape, Qt::OddEvenFill);
  return true;
}

bool PdfPageWriter::Shape(const DeviceContext& context, ShapeKind kind, const RECT& box) {
  Prepare(context);
  QPen pen = PenOf(context, false);
  if (context.state.brush && !context.state.brush->IsNull()) {
    if (std::optional<QColor> colour = PenColour(context, context.state.brush->log.lbColor))
      m_painter.setBrush(*colour);
  }
  m_painter.setPen(pen);
  // The outline runs through the outermost pixels; a shape without a pen is
  // one pixel smaller, as the platform fills it.
  QRectF shape(box.left + 0.5, box.top + 0.5, box.right - box.left - 1, box.bottom - box.top - 1);
  if (pen.style() == Qt::NoPen) shape = QRectF(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
  int width = pen.style() == Qt::NoPen ? 0 : static_cast<int>(pen.widthF());
  if (width > 1 && context.state.pen->log.lopnStyle == PS_INSIDEFRAME)
    shape.adjust(width / 2.0 - 0.5, width / 2.0 - 0.5, -(width / 2.0 - 0.5), -(width / 2.0 - 0.5));
  if (kind == ShapeKind::Rectangle) m_painter.drawRect(shape);
  else m_painter.drawEllipse(shape);
  return true;
}

bool PdfPageWriter::Fill(const DeviceContext& context, const RECT& area, COLORREF colour) {
  Prepare(context);
  m_painter.fillRect(AreaOf(area), ColourOf(colour));
  return true;
}

bool PdfPageWriter::Invert(const DeviceContext& context, const RECT& area, InvertKind kind) {
  // Focus frames are for the screen; an inverted area of white paper is black.
  if (kind == InvertKind::FocusFrame) return true;
  Prepare(context);
  m_painter.fillRect(AreaOf(area), Qt::black);
  return true;
}

bool PdfPageWriter::Text(const DeviceContext& context, const TextLine& line) {
  if (!context.state.font) return false;
  std::shared_ptr<RealisedFont> font = Realise(*context.state.font);
  Prepare(context, line.clip);
  QString text = ToQt(line.text.data(), static_cast<int>(line.text.size()));
  int width = 0;
  for (int advance : line.advances) width += advance;
  if (context.state.bkMode == OPAQUE)
    m_painter.fillRect(QRectF(line.topLeft.x, line.topLeft.y, width, line.height), ColourOf(Resolved(context, context.state.bkColor)));
  const QRawFont& raw = font->Raw();
  QList<quint32> glyphs = raw.glyphIndexesForString(text);
  QList<QPointF> positions;
  double x = 0;
  for (qsizetype i = 0; i < glyphs.size(); ++i) {
    positions << QPointF(x, 0);
    if (i < static_cast<qsizetype>(line.advances.size())) x += line.advances[static_cast<std::size_t>(i)];
  }
  QGlyphRun run;
  run.setRawFont(raw);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  run.setUnderline(context.state.font->log.lfUnderline != 0);
  run.setStrikeOut(context.state.font->log.lfStrikeOut != 0);
  m_painter.setPen(ColourOf(Resolved(context, context.state.textColor)));
  m_painter.drawGlyphRun(QPointF(line.topLeft.x, line.topLeft.y + line.ascent), run);
  return true;
}

bool PdfPageWriter::Picture(const DeviceContext& context, const PictureDraw& picture) {
  std::unique_ptr<PixelSource> source = OpenDib(picture.info, picture.bits, DIB_RGB_COLORS, &context);
  if (!source) return false;
  RECT whole{0, 0, source->Width(), source->Height()}, area = picture.source, to = picture.destination, taken;
  // A mirrored source or destination turns the picture over; both turn it back.
  bool flipX = (area.right < area.left) != (to.right < to.left);
  bool flipY = (area.bottom < area.top) != (to.bottom < to.top);
  if (area.right < area.left) std::swap(area.left, area.right);
  if (area.bottom < area.top) std::swap(area.top, area.bottom);
  if (to.right < to.left) std::swap(to.left, to.right);
  if (to.bottom < to.top) std::swap(to.top, to.bottom);
  if (!IntersectRect(&taken, &area, &whole)) return true;  // nothing of the picture lies there
  // The part of the source outside the picture draws nothing: the target shrinks with it.
  double scaleX = static_cast<double>(to.right - to.left) / (area.right - area.left);
  double scaleY = static_cast<double>(to.bottom - to.top) / (area.bottom - area.top);
  double left = flipX ? to.right - (taken.right - area.left) * scaleX : to.left + (taken.left - area.left) * scaleX;
  double top = flipY ? to.bottom - (taken.bottom - area.top) * scaleY : to.top + (taken.top - area.top) * scaleY;
  QRectF target(left, top, (taken.right - taken.left) * scaleX, (taken.bottom - taken.top) * scaleY);
  QImage image = ApplyOperation(ImageOf(*source, taken), picture.rop);
  if (flipX || flipY) image = image.mirrored(flipX, flipY);
  Prepare(context);
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform, picture.stretchMode == HALFTONE);
  m_painter.drawImage(target, image);
  return true;
}

}  // namespace layer
