// Writes a document as PDF with Qt's PDF engine: text stays text in the
// fonts asked for, lines stay lines, pictures go in at their own resolution
// (one-bit pictures as one-bit images) - never through a page-sized raster
// (not for the system's code).
#pragma once

#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <optional>
#include <string>

#include "win32/PrintBackend.h"

namespace layer {

class FileSink;

class PdfPageWriter : public PageWriter {
 public:
  // Null when the file cannot be opened for writing.
  static std::unique_ptr<PdfPageWriter> Open(const std::string& hostPath, const std::string& title);
  ~PdfPageWriter() override;

  bool BeginPage(const PageGeometry& page) override;
  void EndPage() override;
  bool Close() override;
  int WriteError() const override;

  bool Lines(const DeviceContext& context, const std::vector<std::vector<POINT>>& runs) override;
  bool Polygon(const DeviceContext& context, const std::vector<POINT>& points) override;
  bool Shape(const DeviceContext& context, ShapeKind kind, const RECT& box) override;
  bool Fill(const DeviceContext& context, const RECT& area, COLORREF colour) override;
  bool Invert(const DeviceContext& context, const RECT& area, InvertKind kind) override;
  bool Text(const DeviceContext& context, const TextLine& line) override;
  bool Picture(const DeviceContext& context, const PictureDraw& picture) override;

 private:
  explicit PdfPageWriter(std::unique_ptr<FileSink> sink, const std::string& title);
  // Starts a call: the page's coordinates and the context's clip (and an
  // extra clip in device units when given).
  void Prepare(const DeviceContext& context, const RECT* extraClip = nullptr);
  // The colour a pen draws in by the context's mixing mode; none when it draws nothing.
  std::optional<QColor> PenColour(const DeviceContext& context, COLORREF colour) const;
  QPen PenOf(const DeviceContext& context, bool roundEnds) const;

  std::unique_ptr<FileSink> m_sink;
  std::unique_ptr<QPdfWriter> m_writer;
  QPainter m_painter;
  PageGeometry m_page;
  int m_resolution = 600;  // of the writer: dots per inch of the first page
  int m_pages = 0;
  // The coordinates of the page and the clip last set, since the page began.
  bool m_prepared = false;
  RECT m_clip{};
};

}  // namespace layer
