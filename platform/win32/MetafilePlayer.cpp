// Plays a recorded page back through the drawing calls, so that it comes out
// on a window, a bitmap or a printer as if drawn there; its frame is mapped
// onto the caller's rectangle, and pens, fonts and pictures scale with it.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <variant>
#include <vector>

#include "win32/EnhMetaFile.h"
#include "win32/Errors.h"
#include "win32/Metafile.h"

namespace {

using layer::RecordedState;

// value * numerator / denominator, rounded half away from zero.
LONG Scale(long long value, long long numerator, long long denominator) {
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  long long product = value * numerator;
  long long rounded = product >= 0 ? (product + denominator / 2) / denominator : -((-product + denominator / 2) / denominator);
  return static_cast<LONG>(rounded);
}

class Player {
 public:
  Player(HDC dc, const layer::Metafile& page, const RECT& target) : m_dc(dc), m_page(page), m_target(target) {}

  ~Player() {
    for (HGDIOBJ object : m_created) DeleteObject(object);
  }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  BOOL Play() {
    const RECT& frame = m_page.frame;
    if (frame.right == frame.left || frame.bottom == frame.top) return TRUE;  // nothing was drawn
    m_level = SaveDC(m_dc);
    std::size_t current = SIZE_MAX;
    for (const layer::RecordEntry& entry : m_page.records) {
      if (entry.state != current) {
        Apply(entry.state);
        current = entry.state;
      }
      std::visit([this](const auto& record) { Draw(record); }, entry.record);
    }
    RestoreDC(m_dc, m_level);
    return TRUE;
  }

 private:
  LONG X(LONG x) const { return m_target.left + Scale(x - m_page.frame.left, m_target.right - m_target.left, m_page.frame.right - m_page.frame.left); }
  LONG Y(LONG y) const { return m_target.top + Scale(y - m_page.frame.top, m_target.bottom - m_target.top, m_page.frame.bottom - m_page.frame.top); }
  POINT Map(POINT p) const { return POINT{X(p.x), Y(p.y)}; }
  RECT Map(const RECT& r) const { return RECT{X(r.left), Y(r.top), X(r.right), Y(r.bottom)}; }
  LONG Width(LONG size) const {
    return Scale(size, std::abs(m_target.right - m_target.left), std::abs(m_page.frame.right - m_page.frame.left));
  }
  LONG Height(LONG size) const {
    LONG scaled = Scale(size, std::abs(m_target.bottom - m_target.top), std::abs(m_page.frame.bottom - m_page.frame.top));
    return scaled == 0 && size != 0 ? (size < 0 ? -1 : 1) : scaled;
  }

  HGDIOBJ Keep(HGDIOBJ object) {
    m_created.push_back(object);
    return object;
  }

  // The pen, brush and font of a state at the playing scale, made once.
  const std::array<HGDIOBJ, 3>& ObjectsOf(std::size_t index) {
    if (m_objects.size() < m_page.states.size()) m_objects.resize(m_page.states.size());
    std::array<HGDIOBJ, 3>& objects = m_objects[index];
    if (objects[2]) return objects;
    const RecordedState& state = m_page.states[index];
    LOGPEN pen = state.pen;
    pen.lopnWidth.x = Width(pen.lopnWidth.x);
    objects[0] = state.hasPen ? Keep(CreatePenIndirect(&pen)) : GetStockObject(NULL_PEN);
    objects[1] = state.hasBrush ? Keep(CreateBrushIndirect(&state.brush)) : GetStockObject(NULL_BRUSH);
    LOGFONTA font = state.font;
    font.lfHeight = Height(font.lfHeight);
    font.lfWidth = Width(font.lfWidth);
    objects[2] = Keep(CreateFontIndirect(&font));
    return objects;
  }

  // Every state starts from the caller's own, so clips never pile up.
  void Apply(std::size_t index) {
    const RecordedState& state = m_page.states[index];
    RestoreDC(m_dc, m_level);
    m_level = SaveDC(m_dc);
    for (HGDIOBJ object : ObjectsOf(index)) SelectObject(m_dc, object);
    SetTextColor(m_dc, state.textColor);
    SetBkColor(m_dc, state.bkColor);
    SetBkMode(m_dc, state.bkMode);
    SetROP2(m_dc, state.rop2);
    SetStretchBltMode(m_dc, state.stretchMode);
    SetTextAlign(m_dc, TA_LEFT | TA_TOP);
    if (state.hasClip) {
      RECT clip = Map(state.clip);
      IntersectClipRect(m_dc, std::min(clip.left, clip.right), std::min(clip.top, clip.bottom),
                        std::max(clip.left, clip.right), std::max(clip.top, clip.bottom));
    }
  }

  void Draw(const layer::RecordedLines& lines) {
    std::vector<POINT> points;
    std::vector<DWORD> counts;
    for (const auto& run : lines.runs) {
      if (run.size() < 2) continue;
      for (const POINT& p : run) points.push_back(Map(p));
      counts.push_back(static_cast<DWORD>(run.size()));
    }
    if (!counts.empty()) PolyPolyline(m_dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
  }

  void Draw(const layer::RecordedPolygon& polygon) {
    std::vector<POINT> points;
    for (const POINT& p : polygon.points) points.push_back(Map(p));
    ::Polygon(m_dc, points.data(), static_cast<int>(points.size()));
  }

  void Draw(const layer::RecordedShape& shape) {
    RECT box = Map(shape.box);
    if (shape.kind == layer::ShapeKind::Rectangle) ::Rectangle(m_dc, box.left, box.top, box.right, box.bottom);
    else ::Ellipse(m_dc, box.left, box.top, box.right, box.bottom);
  }

  void Draw(const layer::RecordedFill& fill) {
    RECT area = Map(fill.area);
    HBRUSH brush = CreateSolidBrush(fill.colour);
    FillRect(m_dc, &area, brush);
    DeleteObject(brush);
  }

  void Draw(const layer::RecordedInvert& invert) {
    RECT area = Map(invert.area);
    if (invert.kind == layer::InvertKind::FocusFrame) DrawFocusRect(m_dc, &area);
    else InvertRect(m_dc, &area);
  }

  // Each character keeps its place: its advance is where the next one starts, mapped.
  void Draw(const layer::RecordedText& text) {
    std::vector<INT> advances;
    LONG x = text.topLeft.x;
    for (int advance : text.advances) {
      advances.push_back(X(x + advance) - X(x));
      x += advance;
    }
    RECT clip = Map(text.clip);
    ExtTextOut(m_dc, X(text.topLeft.x), Y(text.topLeft.y), text.clipped ? ETO_CLIPPED : 0, text.clipped ? &clip : nullptr,
               text.text.data(), static_cast<UINT>(text.text.size()), advances.data());
  }

  void Draw(const layer::RecordedPicture& picture) {
    RECT to = Map(picture.destination);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(picture.dib->data());
    StretchDIBits(m_dc, to.left, to.top, to.right - to.left, to.bottom - to.top, picture.source.left, picture.source.top,
                  picture.source.right - picture.source.left, picture.source.bottom - picture.source.top,
                  picture.dib->data() + picture.headerBytes, info, DIB_RGB_COLORS, picture.rop);
  }

  HDC m_dc;
  const layer::Metafile& m_page;
  RECT m_target;
  int m_level = 0;
  std::vector<HGDIOBJ> m_created;
  std::vector<std::array<HGDIOBJ, 3>> m_objects;
};

}  // namespace

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE recording, const RECT* rect) {
  auto page = layer::ObjectAs<layer::Metafile>(recording);
  if (!page || !layer::ContextOf(dc) || !rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Player player(dc, *page, *rect);
  return player.Play();
}
