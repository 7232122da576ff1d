#include <algorithm>

#include "win32/GdiObjects.h"
#include "win32/GdiStretch.h"
#include "win32/UserWindows.h"

namespace layer {

namespace {
constexpr std::uint32_t kRgb = 0x00FFFFFFu;
constexpr std::uint32_t kOpaque = 0xFF000000u;
}  // namespace

std::uint32_t MixPen(int rop2, std::uint32_t pen, std::uint32_t destination) {
  std::uint32_t p = pen & kRgb, d = destination & kRgb, r;
  switch (rop2) {
    case R2_BLACK: r = 0; break;
    case R2_NOTMERGEPEN: r = ~(p | d); break;
    case R2_MASKNOTPEN: r = ~p & d; break;
    case R2_NOTCOPYPEN: r = ~p; break;
    case R2_MASKPENNOT: r = p & ~d; break;
    case R2_NOT: r = ~d; break;
    case R2_XORPEN: r = p ^ d; break;
    case R2_NOTMASKPEN: r = ~(p & d); break;
    case R2_MASKPEN: r = p & d; break;
    case R2_NOTXORPEN: r = ~(p ^ d); break;
    case R2_NOP: r = d; break;
    case R2_MERGENOTPEN: r = ~p | d; break;
    case R2_MERGEPEN: r = p | d; break;
    case R2_MERGEPENNOT: r = p | ~d; break;
    case R2_WHITE: r = kRgb; break;
    default: r = p; break;  // R2_COPYPEN
  }
  return kOpaque | (r & kRgb);
}

std::uint32_t MixBlock(DWORD rop, std::uint32_t source, std::uint32_t destination, std::uint32_t pattern) {
  std::uint32_t s = source & kRgb, d = destination & kRgb, p = pattern & kRgb;
  switch (rop) {
    case SRCCOPY: return kOpaque | s;
    case SRCINVERT: return kOpaque | (s ^ d);
    case SRCAND: return kOpaque | (s & d);
    case SRCPAINT: return kOpaque | (s | d);
    case DSTINVERT: return kOpaque | (~d & kRgb);
    case PATCOPY: return kOpaque | p;
    case BLACKNESS: return kOpaque;
    case WHITENESS: return kOpaque | kRgb;
    default: break;
  }
  // Any other operation from its truth table over pattern, source and destination.
  unsigned table = (rop >> 16) & 0xFF;
  std::uint32_t result = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if (!(table & (1u << i))) continue;
    result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return kOpaque | (result & kRgb);
}

bool UsesSource(DWORD rop) {
  unsigned table = (rop >> 16) & 0xFF;
  return ((table >> 2) & 0x33) != (table & 0x33);
}

bool UsesPattern(DWORD rop) {
  unsigned table = (rop >> 16) & 0xFF;
  return ((table >> 4) & 0x0F) != (table & 0x0F);
}

}  // namespace layer

namespace {

// The brush colour as a pixel; false for a hollow brush.
bool BrushPixel(const layer::DeviceContext& context, HBRUSH handle, std::uint32_t* pixel) {
  auto value = reinterpret_cast<UINT_PTR>(handle);
  if (value >= 1 && value <= COLOR_INFOBK + 1) handle = GetSysColorBrush(static_cast<int>(value - 1));
  auto brush = layer::ObjectAs<layer::Brush>(handle);
  if (!brush || brush->IsNull()) return false;
  *pixel = layer::ResolvePixel(context, brush->log.lbColor);
  return true;
}

// A logical rectangle as device pixels, corners in order.
RECT DeviceArea(const layer::DeviceContext& context, const RECT& logical) {
  RECT device = context.ToDevice(logical);
  if (device.left > device.right) std::swap(device.left, device.right);
  if (device.top > device.bottom) std::swap(device.top, device.bottom);
  return device;
}

template <class Operation>
BOOL ForEachPixel(layer::DeviceContext& context, const RECT& logical, Operation operation) {
  layer::Surface* target = context.Target();
  if (!target) return FALSE;
  RECT device = DeviceArea(context, logical), clip = context.Clip(), area;
  if (!IntersectRect(&area, &device, &clip)) return TRUE;
  // A narrow target stays narrow when black and white become black or white.
  const std::uint32_t fromBlack = operation(layer::kBlackPixel), fromWhite = operation(layer::kWhitePixel);
  if (target->Narrow() && layer::IsBlackOrWhite(fromBlack) && layer::IsBlackOrWhite(fromWhite)) {
    const std::uint8_t levels[2] = {layer::NarrowLevel(fromBlack), layer::NarrowLevel(fromWhite)};
    for (int y = area.top; y < area.bottom; ++y) {
      std::uint8_t* row = target->NarrowRow(y);
      for (int x = area.left; x < area.right; ++x) row[x] = levels[row[x] != 0];
    }
  } else {
    for (int y = area.top; y < area.bottom; ++y) {
      std::uint32_t* row = target->Row(y);
      for (int x = area.left; x < area.right; ++x) row[x] = operation(row[x]);
    }
  }
  context.Touched();
  return TRUE;
}

// What an opaque fill hides of the texts on the surface.
void CoverTexts(layer::DeviceContext& context, const RECT& logical) {
  if (layer::Surface* target = context.Target()) {
    RECT device = DeviceArea(context, logical), clip = context.Clip(), area;
    if (IntersectRect(&area, &device, &clip)) target->texts.Cover(area);
  }
}

// A block without a source on a context that keeps no pixels: paper cannot
// be mixed, so the operations become fills and inversions.
BOOL VectorBlock(layer::DeviceContext& context, const RECT& area, DWORD rop, std::uint32_t pattern) {
  switch (rop) {
    case BLACKNESS: return context.vector->Fill(context, area, RGB(0, 0, 0));
    case WHITENESS: return context.vector->Fill(context, area, RGB(255, 255, 255));
    case DSTINVERT:
    case PATINVERT: return context.vector->Invert(context, area, layer::InvertKind::Area);
    default:
      if (!layer::UsesPattern(rop)) return TRUE;
      return context.vector->Fill(context, area, layer::ColorFromPixel(layer::MixBlock(rop, 0, 0xFFFFFFFFu, pattern)));
  }
}

}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  auto context = layer::ContextOf(dc);
  std::uint32_t pixel;
  if (!context || !rect || !BrushPixel(*context, brush, &pixel)) return 0;
  if (context->vector) return context->vector->Fill(*context, DeviceArea(*context, *rect), layer::ColorFromPixel(pixel));
  CoverTexts(*context, *rect);
  return ForEachPixel(*context, *rect, [pixel](std::uint32_t) { return pixel; });
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!rect || IsRectEmpty(rect)) return 0;
  RECT sides[4] = {{rect->left, rect->top, rect->right, rect->top + 1},
                   {rect->left, rect->bottom - 1, rect->right, rect->bottom},
                   {rect->left, rect->top + 1, rect->left + 1, rect->bottom - 1},
                   {rect->right - 1, rect->top + 1, rect->right, rect->bottom - 1}};
  for (const RECT& side : sides) {
    if (!IsRectEmpty(&side) && !FillRect(dc, &side, brush)) return 0;
  }
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  auto context = layer::ContextOf(dc);
  if (!context || !rect) return FALSE;
  if (context->vector) return context->vector->Invert(*context, DeviceArea(*context, *rect), layer::InvertKind::Area);
  return ForEachPixel(*context, *rect, [](std::uint32_t d) { return layer::MixPen(R2_NOT, 0, d); });
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  auto context = layer::ContextOf(dc);
  if (!context) return FALSE;
  std::uint32_t pattern = 0;
  bool hasPattern = context->state.brush && !context->state.brush->IsNull();
  if (hasPattern) pattern = layer::ResolvePixel(*context, context->state.brush->log.lbColor);
  if (layer::UsesPattern(rop) && !hasPattern) return TRUE;  // a hollow brush paints nothing
  if (context->vector) return VectorBlock(*context, DeviceArea(*context, RECT{x, y, x + width, y + height}), rop, pattern);
  if (rop == PATCOPY || rop == BLACKNESS || rop == WHITENESS) CoverTexts(*context, RECT{x, y, x + width, y + height});
  return ForEachPixel(*context, RECT{x, y, x + width, y + height},
                      [rop, pattern](std::uint32_t d) { return layer::MixBlock(rop, 0, d, pattern); });
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  auto context = layer::ContextOf(dc);
  if (!context) return CLR_INVALID;
  POINT device = context->ToDevice(x, y);
  RECT clip = context->Clip();
  if (!PtInRect(&clip, device)) return CLR_INVALID;
  std::uint32_t pixel = layer::ResolvePixel(*context, color);
  if (context->vector) {
    RECT dot{device.x, device.y, device.x + 1, device.y + 1};
    return context->vector->Fill(*context, dot, layer::ColorFromPixel(pixel)) ? layer::ColorFromPixel(pixel) : CLR_INVALID;
  }
  layer::Surface* target = context->Target();
  if (!target) return CLR_INVALID;
  if (target->Narrow() && layer::IsBlackOrWhite(pixel))
    target->NarrowRow(device.y)[device.x] = layer::NarrowLevel(pixel);
  else
    target->Row(device.y)[device.x] = pixel;
  context->Touched();
  return layer::ColorFromPixel(pixel);
}

COLORREF GetPixel(HDC dc, int x, int y) {
  auto context = layer::ContextOf(dc);
  if (!context || !context->Target()) return CLR_INVALID;
  POINT device = context->ToDevice(x, y);
  RECT clip = context->Clip();
  if (!PtInRect(&clip, device)) return CLR_INVALID;
  const layer::Surface& target = *context->Target();
  return layer::ColorFromPixel(target.Narrow() ? layer::WidePixel(target.NarrowRow(device.y)[device.x])
                                               : target.Row(device.y)[device.x]);
}

namespace {

// A block of a bitmap or canvas onto a context that keeps no pixels: the
// source's pixels go as a picture, one-bit ones in the destination's text and
// background colours.
BOOL BlitToVector(layer::DeviceContext& context, layer::DeviceContext& source, const RECT& logical,
                  const RECT& sourceLogical, DWORD rop) {
  const layer::Surface& surface = *source.Target();
  RECT from = source.ToDevice(sourceLogical);
  RECT destination = context.ToDevice(logical);
  destination.right = destination.left + (logical.right - logical.left);
  destination.bottom = destination.top + (logical.bottom - logical.top);
  // A mirrored source mirrors the destination instead.
  if (from.left > from.right) {
    std::swap(from.left, from.right);
    std::swap(destination.left, destination.right);
  }
  if (from.top > from.bottom) {
    std::swap(from.top, from.bottom);
    std::swap(destination.top, destination.bottom);
  }
  RECT whole{0, 0, surface.Width(), surface.Height()}, taken;
  if (!IntersectRect(&taken, &from, &whole) || !EqualRect(&taken, &from)) return FALSE;
  int width = from.right - from.left, height = from.bottom - from.top;
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  bool mono = surface.m_bitsPerPixel == 1;
  std::uint32_t ink = layer::ResolvePixel(context, context.state.textColor);
  std::uint32_t paper = layer::ResolvePixel(context, context.state.bkColor);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = surface.Row(from.top + y) + from.left;
    std::uint32_t* out = pixels.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) out[x] = mono ? ((row[x] & 0xFFFFFFu) ? paper : ink) : row[x];
  }
  layer::PictureDraw draw{destination, RECT{0, 0, width, height}, &info, pixels.data(), rop, context.state.stretchMode};
  return context.vector->Picture(context, draw);
}

// The texts of the copied pixels go along, where the copy reaches.
void CopyTexts(layer::DeviceContext& context, layer::DeviceContext& source, const layer::BlockCopy& copy) {
  RECT clip = context.Clip(), destination;
  if (!IntersectRect(&destination, &copy.destination, &clip)) return;
  context.Target()->texts.Copy(source.Target()->texts, copy.source, copy.destination);
}

BOOL Blit(HDC dc, int x, int y, int width, int height, HDC sourceDc, int sourceX, int sourceY, int sourceWidth,
          int sourceHeight, DWORD rop) {
  auto context = layer::ContextOf(dc);
  if (!context) return FALSE;
  if (!layer::UsesSource(rop)) return PatBlt(dc, x, y, width, height, rop);
  auto source = layer::ContextOf(sourceDc);
  if (!source || !source->Target()) return FALSE;
  if (context->vector) {
    return BlitToVector(*context, *source, RECT{x, y, x + width, y + height},
                        RECT{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight}, rop);
  }
  layer::BlockCopy copy;
  copy.destination = context->ToDevice(RECT{x, y, x + width, y + height});
  copy.destination.right = copy.destination.left + width;
  copy.destination.bottom = copy.destination.top + height;
  POINT sourceOrigin = source->ToDevice(sourceX, sourceY);
  copy.source = RECT{sourceOrigin.x, sourceOrigin.y, sourceOrigin.x + sourceWidth, sourceOrigin.y + sourceHeight};
  copy.rop = rop;
  copy.stretchMode = context->state.stretchMode;
  if (context->state.brush && !context->state.brush->IsNull())
    copy.pattern = layer::ResolvePixel(*context, context->state.brush->log.lbColor);
  copy.monoBackground = layer::ResolvePixel(*source, source->state.bkColor);
  copy.monoSource = source->Target()->m_bitsPerPixel == 1;
  copy.monoForeground = layer::ResolvePixel(*context, context->state.textColor);
  copy.monoBackgroundOut = layer::ResolvePixel(*context, context->state.bkColor);
  // Copying within one surface reads a snapshot, so overlapping moves do not smear.
  if (source->Target() == context->Target()) {
    layer::Surface snapshot(source->Target()->Width(), source->Target()->Height());
    std::copy_n(source->Target()->Bits(),
                static_cast<std::size_t>(snapshot.Width()) * snapshot.Height(), snapshot.Bits());
    snapshot.m_bitsPerPixel = source->Target()->m_bitsPerPixel;
    BOOL copied = layer::CopyBlock(*context, layer::SurfaceSource(snapshot), copy);
    CopyTexts(*context, *source, copy);
    return copied;
  }
  BOOL copied = layer::CopyBlock(*context, layer::SurfaceSource(*source->Target()), copy);
  CopyTexts(*context, *source, copy);
  return copied;
}

}  // namespace

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
  return Blit(dc, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop) {
  return Blit(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop);
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  auto context = layer::ContextOf(dc);
  if (!context || !rect) return FALSE;
  if (context->vector) return context->vector->Invert(*context, context->ToDevice(*rect), layer::InvertKind::FocusFrame);
  if (!context->Target()) return FALSE;
  // A dotted frame drawn by inversion: drawing it again removes it.
  RECT device = context->ToDevice(*rect), clip = context->Clip();
  layer::Surface& target = *context->Target();
  auto invert = [&](int x, int y) {
    POINT point{x, y};
    if (PtInRect(&clip, point)) target.Row(y)[x] = layer::MixPen(R2_NOT, 0, target.Row(y)[x]);
  };
  for (int x = device.left; x < device.right; x += 2) {
    invert(x, device.top);
    if (device.bottom - 1 > device.top) invert(x, device.bottom - 1);
  }
  for (int y = device.top + 2; y < device.bottom - 1; y += 2) {
    invert(device.left, y);
    if (device.right - 1 > device.left) invert(device.right - 1, y);
  }
  context->Touched();
  return TRUE;
}
