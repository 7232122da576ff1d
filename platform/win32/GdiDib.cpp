#include <algorithm>
#include <cstring>

#include "win32/Errors.h"
#include "win32/GdiObjects.h"
#include "win32/GdiStretch.h"
#include "win32/UserWindows.h"

namespace layer {
namespace {

// Pictures larger than this are refused as damaged rather than allocated.
constexpr long long kMaxDibPixels = 1LL << 28;

// A device-independent bitmap in the caller's memory, read row by row.
class DibSource : public PixelSource {
 public:
  // False when the header describes no bitmap the layer can read.
  bool Open(const BITMAPINFO* info, const void* bits, UINT usage, const DeviceContext* context) {
    if (!info || !bits) return false;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize == sizeof(BITMAPCOREHEADER)) return false;  // old core headers are not used by the system
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1) return false;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) return false;
    m_width = header.biWidth;
    m_height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    m_topDown = header.biHeight < 0;
    m_bitCount = header.biBitCount;
    if (static_cast<long long>(m_width) * m_height > kMaxDibPixels) return false;
    if (m_bitCount != 1 && m_bitCount != 4 && m_bitCount != 8 && m_bitCount != 16 && m_bitCount != 24 && m_bitCount != 32)
      return false;
    if (header.biCompression == BI_BITFIELDS && (m_bitCount == 16 || m_bitCount == 32)) {
      const DWORD* masks = reinterpret_cast<const DWORD*>(reinterpret_cast<const BYTE*>(info) + header.biSize);
      m_masks[0] = masks[0];
      m_masks[1] = masks[1];
      m_masks[2] = masks[2];
    } else if (header.biCompression != BI_RGB) {
      return false;
    } else if (m_bitCount == 16) {
      m_masks[0] = 0x7C00;
      m_masks[1] = 0x03E0;
      m_masks[2] = 0x001F;
    }
    m_stride = static_cast<std::size_t>(WIDTHBYTES(static_cast<long long>(m_width) * m_bitCount));
    m_bits = static_cast<const BYTE*>(bits);
    ReadColourTable(info, usage, context);
    return true;
  }

  int Width() const override { return m_width; }
  int Height() const override { return m_height; }
  bool TopDown() const { return m_topDown; }
  int BitCount() const { return m_bitCount; }
  // The colour table as the pixels it stands for (palette indexes resolved).
  const std::vector<std::uint32_t>& Colours() const { return m_colours; }

  const BYTE* Stored(int y) const {
    int stored = m_topDown ? y : m_height - 1 - y;
    return m_bits + static_cast<std::size_t>(stored) * m_stride;
  }

  const BYTE* BitRow(int y) const override { return m_bitCount == 1 ? Stored(y) : nullptr; }

  const std::uint32_t* Row(int y, std::uint32_t* out) const override {
    const BYTE* row = Stored(y);
    switch (m_bitCount) {
      case 1:
        for (int x = 0; x < m_width; ++x) out[x] = m_colours[(row[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (int x = 0; x < m_width; ++x) out[x] = m_colours[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
        break;
      case 8:
        for (int x = 0; x < m_width; ++x) out[x] = m_colours[row[x]];
        break;
      case 16:
        for (int x = 0; x < m_width; ++x) out[x] = FromMasks(static_cast<DWORD>(row[2 * x] | (row[2 * x + 1] << 8)));
        break;
      case 24:
        for (int x = 0; x < m_width; ++x)
          out[x] = 0xFF000000u | (row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x];
        break;
      default: {
        for (int x = 0; x < m_width; ++x) {
          DWORD value;
          std::memcpy(&value, row + 4 * x, 4);
          out[x] = m_masks[0] ? FromMasks(value) : (0xFF000000u | (value & 0xFFFFFF));
        }
        break;
      }
    }
    return out;
  }

 private:
  void ReadColourTable(const BITMAPINFO* info, UINT usage, const DeviceContext* context) {
    m_colours.assign(256, 0xFF000000u);
    if (m_bitCount > 8) return;
    std::size_t count = info->bmiHeader.biClrUsed ? info->bmiHeader.biClrUsed : (1u << m_bitCount);
    count = std::min<std::size_t>(count, 1u << m_bitCount);
    const BYTE* table = reinterpret_cast<const BYTE*>(info) + info->bmiHeader.biSize;
    for (std::size_t i = 0; i < count; ++i) {
      if (usage == DIB_PAL_COLORS) {
        WORD index;
        std::memcpy(&index, table + 2 * i, 2);
        m_colours[i] = context ? ResolvePixel(*context, PALETTEINDEX(index)) : 0xFF000000u;
      } else {
        RGBQUAD quad;
        std::memcpy(&quad, table + 4 * i, 4);
        m_colours[i] = PixelFromColor(RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue));
      }
    }
    colour0 = m_colours[0];
    colour1 = m_colours[1];
  }

  static int Shift(DWORD mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    return shift;
  }
  std::uint32_t FromMasks(DWORD value) const {
    std::uint32_t pixel = 0xFF000000u;
    for (int channel = 0; channel < 3; ++channel) {
      DWORD mask = m_masks[channel];
      if (!mask) continue;
      DWORD max = mask >> Shift(mask);
      DWORD level = ((value & mask) >> Shift(mask)) * 255 / max;
      pixel |= level << (16 - 8 * channel);
    }
    return pixel;
  }

  int m_width = 0;
  int m_height = 0;
  bool m_topDown = false;
  int m_bitCount = 0;
  std::size_t m_stride = 0;
  const BYTE* m_bits = nullptr;
  DWORD m_masks[3] = {0, 0, 0};
  std::vector<std::uint32_t> m_colours;
};

}  // namespace

std::unique_ptr<PixelSource> OpenDib(const BITMAPINFO* info, const void* bits, UINT usage, const DeviceContext* context) {
  auto source = std::make_unique<DibSource>();
  if (!source->Open(info, bits, usage, context)) return nullptr;
  return source;
}

// Header, bit masks and colour table: the bytes before the pixels.
std::size_t DibHeaderBytes(const BITMAPINFOHEADER& header, UINT usage) {
  std::size_t bytes = header.biSize;
  if (header.biCompression == BI_BITFIELDS) bytes += 3 * sizeof(DWORD);
  if (header.biBitCount <= 8) {
    std::size_t colours = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
    colours = std::min<std::size_t>(colours, 1u << header.biBitCount);
    bytes += colours * (usage == DIB_PAL_COLORS ? sizeof(WORD) : sizeof(RGBQUAD));
  }
  return bytes;
}

namespace {

// A source rectangle given as the platform gives it: for bottom-up bitmaps
// y counts from the bottom line.
RECT SourceRect(const DibSource& source, int x, int y, int width, int height) {
  if (source.TopDown()) return RECT{x, y, x + width, y + height};
  int top = source.Height() - (y + height);
  return RECT{x, top, x + width, top + height};
}

// Hands a picture to a context that keeps no pixels, with its colour table
// as RGB values (palette indexes resolved in the context).
bool DrawDibOnVector(DeviceContext& context, const DibSource& source, const RECT& destination, const RECT& area,
                     const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop, bool stretch) {
  std::vector<BYTE> header;
  if (usage == DIB_PAL_COLORS && source.BitCount() <= 8) {
    std::size_t colours = std::size_t{1} << source.BitCount();
    header.resize(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    std::memcpy(header.data(), &info->bmiHeader, sizeof(BITMAPINFOHEADER));
    auto* rgb = reinterpret_cast<BITMAPINFO*>(header.data());
    rgb->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    rgb->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
    for (std::size_t i = 0; i < colours; ++i) {
      COLORREF colour = ColorFromPixel(source.Colours()[i]);
      RGBQUAD quad{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
      std::memcpy(header.data() + sizeof(BITMAPINFOHEADER) + i * sizeof(RGBQUAD), &quad, sizeof quad);
    }
    info = rgb;
  }
  PictureDraw draw{destination, area, info, bits, rop, stretch ? context.state.stretchMode : COLORONCOLOR};
  return context.vector->Picture(context, draw);
}

int DrawDib(HDC dc, RECT destination, int sourceX, int sourceY, int sourceWidth, int sourceHeight, const void* bits,
            const BITMAPINFO* info, UINT usage, DWORD rop, bool stretch) {
  auto context = ContextOf(dc);
  if (!context) return 0;
  DibSource source;
  if (!source.Open(info, bits, usage, context.get())) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (context->vector) {
    if (!DrawDibOnVector(*context, source, destination, SourceRect(source, sourceX, sourceY, sourceWidth, sourceHeight),
                         bits, info, usage, rop, stretch))
      return 0;
    return source.Height();
  }
  BlockCopy copy;
  copy.destination = destination;
  copy.source = SourceRect(source, sourceX, sourceY, sourceWidth, sourceHeight);
  copy.rop = rop;
  copy.stretchMode = stretch ? context->state.stretchMode : COLORONCOLOR;
  if (context->state.brush && !context->state.brush->IsNull())
    copy.pattern = ResolvePixel(*context, context->state.brush->log.lbColor);
  if (!CopyBlock(*context, source, copy)) return 0;
  return source.Height();
}

}  // namespace
}  // namespace layer

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY, UINT startScan,
                      UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage) {
  auto context = layer::ContextOf(dc);
  if (!context || !info || !bits) return 0;
  // The bits hold scanLines lines beginning with line startScan (counted from the bottom).
  BITMAPINFO* partial = nullptr;
  std::vector<BYTE> copy;
  const BITMAPINFO* used = info;
  if (info->bmiHeader.biHeight > 0 && (startScan != 0 || scanLines != static_cast<UINT>(info->bmiHeader.biHeight))) {
    std::size_t headerBytes = layer::DibHeaderBytes(info->bmiHeader, usage);
    copy.assign(reinterpret_cast<const BYTE*>(info), reinterpret_cast<const BYTE*>(info) + headerBytes);
    partial = reinterpret_cast<BITMAPINFO*>(copy.data());
    partial->bmiHeader.biHeight = static_cast<LONG>(scanLines);
    used = partial;
    sourceY -= static_cast<int>(startScan);
  }
  RECT destination = context->ToDevice(RECT{x, y, x + static_cast<int>(width), y + static_cast<int>(height)});
  int drawn = layer::DrawDib(dc, destination, sourceX, sourceY, static_cast<int>(width), static_cast<int>(height), bits,
                             used, usage, SRCCOPY, false);
  return drawn ? static_cast<int>(scanLines) : 0;
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  auto context = layer::ContextOf(dc);
  if (!context) return 0;
  POINT origin = context->ToDevice(x, y);
  RECT destination{origin.x, origin.y, origin.x + width, origin.y + height};
  return layer::DrawDib(dc, destination, sourceX, sourceY, sourceWidth, sourceHeight, bits, info, usage, rop, true);
}

int SetDIBits(HDC dc, HBITMAP handle, UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
  auto bitmap = layer::ObjectAs<layer::Bitmap>(handle);
  if (!bitmap || !info) return 0;
  HDC memory = CreateCompatibleDC(dc);
  auto context = layer::ContextOf(memory);
  if (auto source = layer::ContextOf(dc)) context->state.palette = source->state.palette;
  context->bitmap = bitmap;  // drawn into directly, also while selected elsewhere
  int width = bitmap->surface.Width(), height = std::abs(info->bmiHeader.biHeight);
  int lines = info->bmiHeader.biHeight > 0
                  ? SetDIBitsToDevice(memory, 0, 0, static_cast<DWORD>(std::min(width, static_cast<int>(info->bmiHeader.biWidth))),
                                      static_cast<DWORD>(height), 0, 0, startScan, scanLines, bits, info, usage)
                  : SetDIBitsToDevice(memory, 0, 0, static_cast<DWORD>(std::min(width, static_cast<int>(info->bmiHeader.biWidth))),
                                      static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height), bits, info, usage);
  context->bitmap = nullptr;
  DeleteDC(memory);
  return lines;
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage) {
  if (!header || header->biWidth <= 0 || header->biHeight == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  int height = std::abs(header->biHeight);
  HBITMAP bitmap = CreateBitmap(header->biWidth, height, 1, 32, nullptr);
  if (!bitmap) return nullptr;
  if ((init & CBM_INIT) && bits && info &&
      !SetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits, info, usage)) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

namespace {

// The colour table GetDIBits writes for a bit depth: black and white, the 16
// colours of the platform's VGA table, or the context's palette.
std::vector<RGBQUAD> TableFor(int bitCount, const layer::DeviceContext& context) {
  std::vector<RGBQUAD> table;
  if (bitCount == 1) return {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
  if (bitCount == 4) {
    static const BYTE vga[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                    {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                                    {192, 192, 192}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const auto& c : vga) table.push_back(RGBQUAD{c[2], c[1], c[0], 0});
    return table;
  }
  for (const PALETTEENTRY& entry : context.state.palette->entries)
    table.push_back(RGBQUAD{entry.peBlue, entry.peGreen, entry.peRed, 0});
  // The rest of the 256 entries: a colour cube, so every colour finds a near one.
  for (int i = 0; table.size() < 256; ++i)
    table.push_back(RGBQUAD{static_cast<BYTE>((i % 6) * 51), static_cast<BYTE>((i / 6 % 6) * 51),
                            static_cast<BYTE>((i / 36 % 6) * 51), 0});
  return table;
}

BYTE Nearest(const std::vector<RGBQUAD>& table, std::uint32_t pixel) {
  int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  int best = 0, bestDistance = INT32_MAX;
  for (std::size_t i = 0; i < table.size(); ++i) {
    int dr = table[i].rgbRed - r, dg = table[i].rgbGreen - g, db = table[i].rgbBlue - b;
    int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
      if (distance == 0) break;
    }
  }
  return static_cast<BYTE>(best);
}

}  // namespace

namespace {

// A one-bit surface's row as one-bit indices, eight pixels a byte; the
// padding of the row stays zero.
void PackNarrowRow(const std::uint8_t* levels, int width, BYTE black, BYTE white, BYTE* out, std::size_t stride) {
  std::memset(out, 0, stride);
  if (black == white) {
    if (!black) return;
    for (int x = 0; x < width; ++x) out[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
    return;
  }
  for (int x = 0; x < width; x += 8) {
    const int count = std::min(8, width - x);
    BYTE whites = 0;
    for (int k = 0; k < count; ++k) whites |= static_cast<BYTE>((levels[x + k] != 0) << (7 - k));
    const BYTE used = static_cast<BYTE>(0xFF00 >> count);
    out[x >> 3] = white ? whites : static_cast<BYTE>(~whites & used);
  }
}

}  // namespace

int GetDIBits(HDC dc, HBITMAP handle, UINT startScan, UINT scanLines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
  auto context = layer::ContextOf(dc);
  auto bitmap = layer::ObjectAs<layer::Bitmap>(handle);
  if (!context || !bitmap || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  BITMAPINFOHEADER& header = info->bmiHeader;
  const layer::Surface& surface = bitmap->surface;
  if (header.biBitCount == 0) {
    // Only the description is asked for.
    header.biWidth = surface.Width();
    header.biHeight = surface.Height();
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(surface.m_bitsPerPixel == 1 ? 1 : 32);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(WIDTHBYTES(surface.Width() * header.biBitCount) * surface.Height());
    header.biClrUsed = 0;
    return 1;
  }
  int bitCount = header.biBitCount;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) return 0;
  header.biWidth = surface.Width();
  if (header.biHeight == 0) header.biHeight = surface.Height();
  bool topDown = header.biHeight < 0;
  header.biHeight = topDown ? -surface.Height() : surface.Height();
  header.biPlanes = 1;
  header.biCompression = BI_RGB;
  std::size_t stride = static_cast<std::size_t>(WIDTHBYTES(surface.Width() * bitCount));
  header.biSizeImage = static_cast<DWORD>(stride * surface.Height());
  std::vector<RGBQUAD> table;
  if (bitCount <= 8) {
    table = TableFor(bitCount, *context);
    header.biClrUsed = 0;
    if (usage == DIB_RGB_COLORS) std::memcpy(info->bmiColors, table.data(), table.size() * sizeof(RGBQUAD));
  }
  if (!bits) return static_cast<int>(surface.Height());
  UINT lines = std::min<UINT>(scanLines, static_cast<UINT>(std::max(surface.Height() - static_cast<int>(startScan), 0)));
  // Neighbouring pixels mostly have one colour: its index is looked up once.
  std::uint32_t lastPixel = 0;
  BYTE lastIndex = table.empty() ? 0 : Nearest(table, lastPixel);
  auto index = [&](std::uint32_t pixel) {
    if (pixel != lastPixel) lastIndex = Nearest(table, lastPixel = pixel);
    return lastIndex;
  };
  if (bitCount == 1 && surface.Narrow()) {
    const BYTE black = index(layer::WidePixel(0)), white = index(layer::WidePixel(255));
    for (UINT i = 0; i < lines; ++i) {
      int line = static_cast<int>(startScan + i);
      int y = topDown ? line : surface.Height() - 1 - line;
      PackNarrowRow(surface.NarrowRow(y), surface.Width(), black, white,
                    static_cast<BYTE*>(bits) + static_cast<std::size_t>(i) * stride, stride);
    }
    return static_cast<int>(lines);
  }
  for (UINT i = 0; i < lines; ++i) {
    int line = static_cast<int>(startScan + i);  // counted from the bottom for bottom-up bitmaps
    int y = topDown ? line : surface.Height() - 1 - line;
    // A narrow surface is read as it is, without widening it.
    const std::uint8_t* narrow = surface.Narrow() ? surface.NarrowRow(y) : nullptr;
    const std::uint32_t* row = narrow ? nullptr : surface.Row(y);
    BYTE* out = static_cast<BYTE*>(bits) + static_cast<std::size_t>(i) * stride;
    std::memset(out, 0, stride);
    for (int x = 0; x < surface.Width(); ++x) {
      std::uint32_t pixel = narrow ? layer::WidePixel(narrow[x]) : row[x];
      switch (bitCount) {
        case 1:
          if (index(pixel)) out[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
          break;
        case 4: out[x >> 1] |= static_cast<BYTE>(index(pixel) << ((x & 1) ? 0 : 4)); break;
        case 8: out[x] = index(pixel); break;
        case 24:
          out[3 * x] = pixel & 0xFF;
          out[3 * x + 1] = (pixel >> 8) & 0xFF;
          out[3 * x + 2] = (pixel >> 16) & 0xFF;
          break;
        default: {
          DWORD value = pixel & 0xFFFFFF;
          std::memcpy(out + 4 * x, &value, 4);
          break;
        }
      }
    }
  }
  return static_cast<int>(lines);
}
