// Copies a block of pixels from a source (a bitmap, a canvas or a
// device-independent bitmap) onto a context's target, stretched or shrunk,
// mirrored, mixed by a raster operation and clipped (not for the system's code).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "win32/GdiObjects.h"

namespace layer {

class PixelSource {
 public:
  virtual ~PixelSource() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Row y (0 is the top) as 32-bit pixels; may decode into scratch (Width() pixels).
  virtual const std::uint32_t* Row(int y, std::uint32_t* scratch) const = 0;
  // One-bit sources also give their packed rows, so shrinking them stays fast.
  virtual const BYTE* BitRow(int) const { return nullptr; }
  std::uint32_t colour0 = 0xFF000000u;  // the pixels of bits 0 and 1 of a one-bit source
  std::uint32_t colour1 = 0xFFFFFFFFu;
};

class SurfaceSource : public PixelSource {
 public:
  explicit SurfaceSource(const Surface& surface) : m_surface(surface) {}
  int Width() const override { return m_surface.Width(); }
  int Height() const override { return m_surface.Height(); }
  const std::uint32_t* Row(int y, std::uint32_t*) const override { return m_surface.Row(y); }

 private:
  const Surface& m_surface;
};

struct BlockCopy {
  RECT destination;  // target pixels; right < left or bottom < top mirrors
  RECT source;       // source pixels, top-down; may be mirrored likewise
  DWORD rop = SRCCOPY;
  int stretchMode = BLACKONWHITE;
  std::uint32_t pattern = 0xFF000000u;
  // Monochrome targets keep black and white only: a source pixel equal to
  // this one becomes white, any other black (as the platform converts).
  std::uint32_t monoBackground = 0xFFFFFFFFu;
  // Monochrome sources onto colour targets: bit 0 takes the text colour,
  // bit 1 the background colour of the target context.
  bool monoSource = false;
  std::uint32_t monoForeground = 0xFF000000u;
  std::uint32_t monoBackgroundOut = 0xFFFFFFFFu;
};

// Returns false when the context has no target.
bool CopyBlock(DeviceContext& context, const PixelSource& source, const BlockCopy& copy);

// A device-independent bitmap in the caller's memory, read row by row (row 0
// at the top); null when its header describes no bitmap the layer reads.
std::unique_ptr<PixelSource> OpenDib(const BITMAPINFO* info, const void* bits, UINT usage, const DeviceContext* context);

// The bytes of a device-independent bitmap before its pixels: header, bit
// masks and colour table.
std::size_t DibHeaderBytes(const BITMAPINFOHEADER& header, UINT usage);

// The pixel a colour reference stands for in a context (palette indexes
// resolved through its selected palette).
std::uint32_t ResolvePixel(const DeviceContext& context, COLORREF color);

}  // namespace layer
