#include <algorithm>
#include <cmath>
#include <cstring>

#include "win32/GdiStretch.h"
#include "win32/Metafile.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

COLORREF Resolved(const DeviceContext& context, COLORREF colour) { return ColorFromPixel(ResolvePixel(context, colour)); }

RecordedState StateOf(const DeviceContext& context) {
  const ContextState& now = context.state;
  RecordedState state;
  state.hasPen = now.pen && !now.pen->IsNull();
  if (state.hasPen) {
    state.pen = now.pen->log;
    state.pen.lopnColor = Resolved(context, state.pen.lopnColor);
  }
  state.hasBrush = now.brush && !now.brush->IsNull();
  if (state.hasBrush) {
    state.brush = now.brush->log;
    state.brush.lbColor = Resolved(context, state.brush.lbColor);
  }
  if (now.font) state.font = now.font->log;
  state.textColor = Resolved(context, now.textColor);
  state.bkColor = Resolved(context, now.bkColor);
  state.bkMode = now.bkMode;
  state.rop2 = now.rop2;
  state.stretchMode = now.stretchMode;
  state.hasClip = now.hasClip;
  if (now.hasClip) state.clip = now.clip;
  return state;
}

RECT BoxOf(const std::vector<POINT>& points, int widen) {
  RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (const POINT& p : points) {
    box.left = std::min(box.left, p.x - widen);
    box.top = std::min(box.top, p.y - widen);
    box.right = std::max(box.right, p.x + widen + 1);
    box.bottom = std::max(box.bottom, p.y + widen + 1);
  }
  return box;
}

RECT Ordered(RECT rect) {
  if (rect.left > rect.right) std::swap(rect.left, rect.right);
  if (rect.top > rect.bottom) std::swap(rect.top, rect.bottom);
  return rect;
}

int PenWidth(const DeviceContext& context) {
  return context.state.pen && !context.state.pen->IsNull() ? context.state.pen->Width() : 0;
}

// The rows of a picture a call draws from, as a top-down bitmap of their own.
RecordedPicture CopyPicture(const PictureDraw& draw) {
  const BITMAPINFOHEADER& header = draw.info->bmiHeader;
  std::size_t headerBytes = DibHeaderBytes(header, DIB_RGB_COLORS);
  int width = header.biWidth, height = std::abs(header.biHeight);
  std::size_t stride = static_cast<std::size_t>(WIDTHBYTES(static_cast<long long>(width) * header.biBitCount));
  RECT source = Ordered(draw.source);
  // Only whole rows within the picture are cut out; a source reaching past it keeps every row.
  int first = 0, rows = height;
  if (source.top >= 0 && source.bottom <= height && source.bottom > source.top) {
    first = source.top;
    rows = source.bottom - source.top;
  }
  auto dib = std::make_shared<std::vector<BYTE>>(headerBytes + stride * static_cast<std::size_t>(rows));
  std::memcpy(dib->data(), draw.info, headerBytes);
  auto* copied = reinterpret_cast<BITMAPINFOHEADER*>(dib->data());
  copied->biHeight = -rows;
  copied->biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(rows));
  const BYTE* bits = static_cast<const BYTE*>(draw.bits);
  bool topDown = header.biHeight < 0;
  for (int row = 0; row < rows; ++row) {
    int stored = topDown ? first + row : height - 1 - (first + row);
    std::memcpy(dib->data() + headerBytes + stride * static_cast<std::size_t>(row),
                bits + stride * static_cast<std::size_t>(stored), stride);
  }
  RECT kept = draw.source;
  kept.top -= first;
  kept.bottom -= first;
  return RecordedPicture{draw.destination, kept, dib, headerBytes, draw.rop, draw.stretchMode};
}

}  // namespace

bool RecordedState::operator==(const RecordedState& other) const {
  auto same = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  return hasPen == other.hasPen && same(pen, other.pen) && hasBrush == other.hasBrush && same(brush, other.brush) &&
         same(font, other.font) && textColor == other.textColor && bkColor == other.bkColor &&
         bkMode == other.bkMode && rop2 == other.rop2 && stretchMode == other.stretchMode &&
         hasClip == other.hasClip && same(clip, other.clip);
}

MetafileRecorder::MetafileRecorder(const DeviceCaps& reference, const RECT* frame, std::string description)
    : m_page(std::make_shared<Metafile>()), m_ownFrame(frame != nullptr) {
  m_page->reference = reference;
  m_page->description = std::move(description);
  if (frame) {
    // Hundredths of a millimetre to the reference device's pixels.
    auto pixels = [](LONG hundredths, int dotsPerInch) {
      return static_cast<LONG>(std::lround(hundredths * static_cast<double>(dotsPerInch) / 2540.0));
    };
    m_page->frame = RECT{pixels(frame->left, reference.logPixelsX), pixels(frame->top, reference.logPixelsY),
                         pixels(frame->right, reference.logPixelsX), pixels(frame->bottom, reference.logPixelsY)};
  }
}

std::shared_ptr<Metafile> MetafileRecorder::Finish() {
  if (!m_ownFrame) m_page->frame = m_drawn;
  return std::move(m_page);
}

bool MetafileRecorder::Add(const DeviceContext& context, Record record, RECT extent) {
  if (!m_page) return false;
  RecordedState state = StateOf(context);
  if (m_page->states.empty() || !(m_page->states.back() == state)) m_page->states.push_back(state);
  m_page->records.push_back(RecordEntry{m_page->states.size() - 1, std::move(record)});
  extent = Ordered(extent);
  if (IsRectEmpty(&m_drawn)) m_drawn = extent;
  else UnionRect(&m_drawn, &m_drawn, &extent);
  return true;
}

bool MetafileRecorder::Lines(const DeviceContext& context, const std::vector<std::vector<POINT>>& runs) {
  std::vector<POINT> all;
  for (const auto& run : runs) all.insert(all.end(), run.begin(), run.end());
  if (all.empty()) return true;
  return Add(context, RecordedLines{runs}, BoxOf(all, PenWidth(context)));
}

bool MetafileRecorder::Polygon(const DeviceContext& context, const std::vector<POINT>& points) {
  if (points.empty()) return true;
  return Add(context, RecordedPolygon{points}, BoxOf(points, PenWidth(context)));
}

bool MetafileRecorder::Shape(const DeviceContext& context, ShapeKind kind, const RECT& box) {
  return Add(context, RecordedShape{kind, box}, box);
}

bool MetafileRecorder::Fill(const DeviceContext& context, const RECT& area, COLORREF colour) {
  return Add(context, RecordedFill{area, colour}, area);
}

bool MetafileRecorder::Invert(const DeviceContext& context, const RECT& area, InvertKind kind) {
  return Add(context, RecordedInvert{area, kind}, area);
}

bool MetafileRecorder::Text(const DeviceContext& context, const TextLine& line) {
  int width = 0;
  for (int advance : line.advances) width += advance;
  RecordedText text{line.topLeft, line.text, line.advances, line.clip != nullptr, line.clip ? *line.clip : RECT{}};
  return Add(context, std::move(text),
             RECT{line.topLeft.x, line.topLeft.y, line.topLeft.x + width, line.topLeft.y + line.height});
}

bool MetafileRecorder::Picture(const DeviceContext& context, const PictureDraw& picture) {
  return Add(context, CopyPicture(picture), picture.destination);
}

}  // namespace layer
