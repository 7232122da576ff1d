#include "imaging/raster/CDib.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "imaging/raster/PixelIndex.h"
#include "mfc/CException.h"
#include "mfc/CPalette.h"
#include "win32/Clipboard.h"
#include "win32/Memory.h"

IMPLEMENT_DYNAMIC(CDib, CObject)

namespace {

constexpr size_t kHeaderBytes = sizeof(BITMAPINFOHEADER);
// What the size of a copy adds to the block.
constexpr DWORD kCopySlack = 64;

size_t FullColourTableBytes(int bits) { return bits <= 8 ? sizeof(RGBQUAD) << bits : 0; }

bool SupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

CDib::CDib() { Create(16, 16, 8, 0, 0); }

CDib::~CDib() { Free(); }

DWORD CDib::GetDIBSize() const {
  return static_cast<DWORD>(kHeaderBytes + FullColourTableBytes(m_bitCount) +
                            static_cast<size_t>(GetBytesPerLine()) * m_height) +
         kCopySlack;
}

int CDib::CalcBytesPerLine(int width, int bits) const { return WIDTHBYTES(width * bits); }

int CDib::GetBytesPerLine() const { return CalcBytesPerLine(m_width, m_bitCount); }

int CDib::GetColorCount() const {
  if (m_bitCount > 8 || !m_pBMI) return 0;
  const DWORD full = 1u << m_bitCount;
  const DWORD used = m_pBMI->bmiHeader.biClrUsed;
  // A count beyond the depth would put the pixels past the room of the table.
  return static_cast<int>(used == 0 || used > full ? full : used);
}

size_t CDib::ColourTableBytes() const { return static_cast<size_t>(GetColorCount()) * sizeof(RGBQUAD); }

void CDib::Free() {
  std::free(m_pBMI);
  m_pBMI = nullptr;
  m_blockBytes = 0;
  m_pColors = nullptr;
  m_pBits = nullptr;
  m_lines.clear();
  m_quantised.reset();
  m_paletteEntries.clear();
  delete m_pPalette;
  m_pPalette = nullptr;
  m_reducedKind = 0;
  m_whiteEntry = m_whitePaletteEntry = -1;
  m_width = m_height = 0;
  m_bitCount = 0;
}

BOOL CDib::CreateFromInfo(const BITMAPINFOHEADER* header) {
  Free();
  if (!header || header->biWidth < 0 || header->biHeight < 0 || !SupportedDepth(header->biBitCount)) return FALSE;
  const size_t stride = WIDTHBYTES(static_cast<size_t>(header->biWidth) * header->biBitCount);
  const size_t pixelBytes = stride * static_cast<size_t>(header->biHeight);
  if (header->biHeight != 0 && pixelBytes / static_cast<size_t>(header->biHeight) != stride) {
    AfxThrowMemoryException();
  }
  const size_t bytes = kHeaderBytes + FullColourTableBytes(header->biBitCount) + pixelBytes;
  if (bytes > std::numeric_limits<DWORD>::max()) AfxThrowMemoryException();
  // A large block comes cleared from the system; clearing it again would
  // touch every page of a picture its decoder is about to fill anyway.
  void* block = std::calloc(bytes, 1);
  if (!block) AfxThrowMemoryException();
  m_pBMI = static_cast<BITMAPINFO*>(block);
  m_blockBytes = bytes;
  m_pBMI->bmiHeader = *header;
  m_width = header->biWidth;
  m_height = header->biHeight;
  m_bitCount = header->biBitCount;
  InitPointers();
  BuildLineArray();
  if (m_bitCount == 1) {
    m_pColors[0] = RGBQUAD{0, 0, 0, 255};
    m_pColors[1] = RGBQUAD{255, 255, 255, 255};
  }
  return TRUE;
}

BOOL CDib::Create(int width, int height, int bits, int /*unused*/, int coloursUsed) {
  BITMAPINFOHEADER header{};
  header.biSize = kHeaderBytes;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bits);
  header.biCompression = BI_RGB;
  header.biClrUsed = static_cast<DWORD>(std::max(coloursUsed, 0));
  return CreateFromInfo(&header);
}

// Decoders that write whole 32-pixel groups past the right edge get the room
// of a picture 32 pixels wider as slack at the end of the block.
BOOL CDib::CreateSpecialWidth(int width, int height, int bits, int unused, int coloursUsed) {
  if (width < 0 || width > std::numeric_limits<int>::max() - 32) return FALSE;
  if (!Create(width + 32, height, bits, unused, coloursUsed)) return FALSE;
  m_pBMI->bmiHeader.biWidth = width;
  m_width = width;
  BuildLineArray();
  return TRUE;
}

void CDib::InitPointers() {
  m_pColors = m_bitCount <= 8 ? m_pBMI->bmiColors : nullptr;
  m_pBits = reinterpret_cast<BYTE*>(m_pBMI) + kHeaderBytes + ColourTableBytes();
}

void CDib::BuildLineArray() {
  const size_t stride = static_cast<size_t>(GetBytesPerLine());
  m_lines.resize(static_cast<size_t>(m_height));
  for (int i = 0; i < m_height; ++i) m_lines[i] = m_pBits + (m_height - 1 - i) * stride;
}

void CDib::BitsClear() {
  if (m_pBits) std::memset(m_pBits, 0, static_cast<size_t>(GetBytesPerLine()) * m_height);
}

int CDib::SetPalette(const RGBQUAD* colours) {
  const int count = GetColorCount();
  if (count > 0 && colours) std::memcpy(m_pColors, colours, static_cast<size_t>(count) * sizeof(RGBQUAD));
  return count;
}

// The block has room for a full table whatever the colour count, but no more:
// an index beyond the depth is ignored.
void CDib::SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue, BYTE reserved) {
  index &= 0xFF;
  if (m_pColors && index < (1 << m_bitCount)) m_pColors[index] = RGBQUAD{blue, green, red, reserved};
}

HGLOBAL CDib::CopyToGlobal() const {
  if (!m_pBMI) return nullptr;
  const size_t bytes = kHeaderBytes + ColourTableBytes() + static_cast<size_t>(GetBytesPerLine()) * m_height;
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes);
  if (!global) AfxThrowMemoryException();
  std::memcpy(GlobalLock(global), m_pBMI, bytes);
  GlobalUnlock(global);
  return global;
}

// Takes columns left .. right - 1 and lines top .. bottom - 1; below 8 bits per
// pixel the pixels are moved to start at the first bit of each line.
HGLOBAL CDib::CopyPartToGlobal(int left, int top, int right, int bottom) const {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, m_width);
  bottom = std::min(bottom, m_height);
  if (!m_pBMI || right <= left || bottom <= top) return nullptr;
  const int width = right - left;
  const int height = bottom - top;
  const size_t stride = static_cast<size_t>(CalcBytesPerLine(width, m_bitCount));
  const size_t tableBytes = ColourTableBytes();
  const size_t bytes = kHeaderBytes + tableBytes + stride * height;
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, bytes);
  if (!global) AfxThrowMemoryException();
  auto* part = static_cast<BITMAPINFO*>(GlobalLock(global));
  part->bmiHeader = m_pBMI->bmiHeader;
  part->bmiHeader.biWidth = width;
  part->bmiHeader.biHeight = height;
  part->bmiHeader.biSizeImage = static_cast<DWORD>(stride * height);
  std::memcpy(part->bmiColors, m_pColors ? static_cast<const void*>(m_pColors) : "", tableBytes);
  BYTE* pixels = reinterpret_cast<BYTE*>(part) + kHeaderBytes + tableBytes;
  for (int y = 0; y < height; ++y) {
    const BYTE* from = m_lines[top + y];
    BYTE* to = pixels + (height - 1 - y) * stride;
    if (m_bitCount >= 8) {
      const int pixelBytes = m_bitCount / 8;
      std::memcpy(to, from + static_cast<size_t>(left) * pixelBytes, static_cast<size_t>(width) * pixelBytes);
    } else {
      for (int x = 0; x < width; ++x) PutIndex(to, x, m_bitCount, IndexAt(from, left + x, m_bitCount));
    }
  }
  GlobalUnlock(global);
  return global;
}

namespace {

BOOL PutOnClipboard(UINT format, HANDLE data) {
  if (!data) return FALSE;
  if (!OpenClipboard(nullptr)) {
    GlobalFree(data);
    return FALSE;
  }
  EmptyClipboard();
  SetClipboardData(format, data);
  CloseClipboard();
  return TRUE;
}

}  // namespace

BOOL CDib::CopyToClipboard() const { return PutOnClipboard(CF_DIB, CopyToGlobal()); }

BOOL CDib::CopyPartToClipboard(int left, int top, int right, int bottom) const {
  return PutOnClipboard(CF_DIB, CopyPartToGlobal(left, top, right, bottom));
}
