#include "imaging/decoders/CBmpDecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/ByteOrder.h"

IMPLEMENT_DYNCREATE(CBmpDecoder, CDecoder)

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
// Pictures beyond these bounds are taken for damaged files.
constexpr LONG kMaxSide = 65535;
constexpr size_t kMaxPixelBytes = size_t{1} << 29;

WORD Word(const BYTE* at) { return imaging::GetU16(at, false); }
DWORD Dword(const BYTE* at) { return imaging::GetU32(at, false); }

size_t Remaining(const BYTE* at, const BYTE* end) { return at < end ? static_cast<size_t>(end - at) : 0; }

}  // namespace

bool CBmpDecoder::IsBitmap() const {
  return m_pHead && m_pHead->data && m_pHead->byteCount >= 2 && m_pHead->data[0] == 'B' && m_pHead->data[1] == 'M';
}

bool CBmpDecoder::ReadColourTable(const BYTE*& at, int* error) {
  const int fileBits = m_info.biBitCount;
  const DWORD full = 1u << fileBits;
  // A count beyond what the depth can index is damage, not more colours.
  const DWORD count = m_info.biClrUsed == 0 || m_info.biClrUsed > full ? full : m_info.biClrUsed;
  BYTE* table = ColourTable();
  if (!table || Remaining(at, m_end) < count * 4) {
    *error = DECODER_BMP_NOT_BITMAP;
    return false;
  }
  for (DWORD i = 0; i < count; ++i, at += 4) {
    std::memcpy(table + 4 * i, at, 3);
    table[4 * i + 3] = 255;
  }
  return true;
}

bool CBmpDecoder::ReadHeaders(int* error) {
  const BYTE* at = m_pHead->data;
  m_end = m_pHead->data + m_pHead->byteCount;
  if (Remaining(at, m_end) < kFileHeaderBytes + kInfoHeaderBytes) {
    *error = DECODER_BMP_NOT_BITMAP;
    return false;
  }
  m_fileSize = Dword(at + 2);
  const DWORD pixelOffset = Dword(at + 10);
  at += kFileHeaderBytes;
  m_info.biSize = Dword(at);
  m_info.biWidth = static_cast<LONG>(Dword(at + 4));
  m_info.biHeight = static_cast<LONG>(Dword(at + 8));
  m_info.biPlanes = Word(at + 12);
  m_info.biBitCount = Word(at + 14);
  m_info.biCompression = Dword(at + 16);
  m_info.biSizeImage = Dword(at + 20);
  m_info.biXPelsPerMeter = static_cast<LONG>(Dword(at + 24));
  m_info.biYPelsPerMeter = static_cast<LONG>(Dword(at + 28));
  m_info.biClrUsed = Dword(at + 32);
  m_info.biClrImportant = Dword(at + 36);
  at += kInfoHeaderBytes;
  if (m_info.biSize != kInfoHeaderBytes) *error = DECODER_BMP_HEADER_SIZE;
  if (m_info.biBitCount <= 8 && !ReadColourTable(at, error)) return false;
  // Writers that leave a gap before the pixels say so in the file header;
  // an offset inside the headers is taken for one that was never filled in.
  const size_t tableEnd = static_cast<size_t>(at - m_pHead->data);
  if (pixelOffset > static_cast<DWORD>(m_pHead->byteCount)) {
    *error = DECODER_BMP_NOT_BITMAP;
    return false;
  }
  m_pixels = m_pHead->data + std::max<size_t>(pixelOffset, tableEnd);
  m_pHead->readPos = m_pixels + std::min<size_t>(m_fileSize > 56 ? m_fileSize - 56 : 0, Remaining(m_pixels, m_end));
  if (!SizesAreSound()) {
    *error = DECODER_BMP_NOT_BITMAP;
    return false;
  }
  return true;
}

bool CBmpDecoder::SizesAreSound() const {
  if (m_info.biWidth <= 0 || m_info.biHeight <= 0 || m_info.biWidth > kMaxSide || m_info.biHeight > kMaxSide) {
    return false;
  }
  const size_t bits = std::max<WORD>(m_info.biBitCount, 8);
  return WIDTHBYTES(static_cast<size_t>(m_info.biWidth) * bits) * static_cast<size_t>(m_info.biHeight) <=
         kMaxPixelBytes;
}

bool CBmpDecoder::CreateTarget(int* error) {
  if (!DIB_Create(m_dib, m_info.biWidth, m_info.biHeight, m_bits, 0, 0)) {
    *error = DECODER_BMP_BPP;
    return false;
  }
  BITMAPINFOHEADER& header = DIB_GetBMI(m_dib)->bmiHeader;
  header.biXPelsPerMeter = m_info.biXPelsPerMeter;
  header.biYPelsPerMeter = m_info.biYPelsPerMeter;
  if (m_bits <= 8) DIB_SetPalette(m_dib, reinterpret_cast<const RGBQUAD*>(ColourTable()));
  return true;
}

int CBmpDecoder::GetFileInfo(BITMAPINFOHEADER* info, int* error) {
  *error = 0;
  if (!IsBitmap()) return DECODER_NOT_MY_FORMAT;
  if (!ReadHeaders(error)) return 0;
  if (info) {
    info->biWidth = m_info.biWidth;
    info->biHeight = m_info.biHeight;
    info->biBitCount = m_info.biBitCount;
  }
  if (*error) return 0;
  if (m_hotspots) {
    HS_SetImageSize(m_hotspots, m_info.biWidth, m_info.biHeight);
    HS_FileReadHotspots(m_hotspots, m_fileName);
  }
  return 1;
}

int CBmpDecoder::MakeDib(int* error) {
  *error = 0;
  if (!IsBitmap()) return DECODER_NOT_MY_FORMAT;
  if (!ReadHeaders(error)) return 0;
  m_bits = m_info.biCompression == BI_RLE4 ? 8 : m_info.biBitCount;
  if (!CreateTarget(error)) return 0;
  switch (m_info.biCompression) {
    case BI_RGB: DecodeUncompressed(error); break;
    case BI_RLE8: DecodeRle8(error); break;
    case BI_RLE4: DecodeRle4(error); break;
    default: *error = DECODER_BMP_BPP; break;
  }
  if (*error) return 0;
  if (m_hotspots) HS_FileReadHotspots(m_hotspots, m_fileName);
  return 1;
}

void CBmpDecoder::DecodeUncompressed(int* error) {
  const int bits = m_info.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
    *error = DECODER_BMP_BPP;
    return;
  }
  const size_t stride = WIDTHBYTES(static_cast<size_t>(m_info.biWidth) * bits);
  const int height = m_info.biHeight;
  if (Remaining(m_pixels, m_end) / stride < static_cast<size_t>(height)) {
    *error = DECODER_BMP_NOT_BITMAP;
    return;
  }
  BYTE** lines = DIB_GetLineArray(m_dib);
  for (int k = 0; k < height; ++k) std::memcpy(lines[height - 1 - k], m_pixels + stride * k, stride);
}

// Runs that pass the right edge are cut there; the picture ends with its top
// line, its end mark or its data, whichever comes first.
void CBmpDecoder::DecodeRle8(int* error) {
  if (m_info.biBitCount != 8) {
    *error = DECODER_BMP_BPP;
    return;
  }
  BYTE** lines = DIB_GetLineArray(m_dib);
  const int width = m_info.biWidth;
  int line = m_info.biHeight - 1;
  int x = 0;
  const BYTE* at = m_pixels;
  while (line >= 0 && Remaining(at, m_end) >= 2) {
    const int count = at[0];
    const int value = at[1];
    at += 2;
    if (count > 0) {
      const int run = std::min(count, width - x);
      std::memset(lines[line] + x, value, static_cast<size_t>(run));
      x += run;
    } else if (value == 0) {
      --line;
      x = 0;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      *error = DECODER_BMP_DELTA;
      return;
    } else {
      if (Remaining(at, m_end) < static_cast<size_t>(value)) return;
      const int run = std::min(value, width - x);
      std::memcpy(lines[line] + x, at, static_cast<size_t>(run));
      x += run;
      at += std::min<size_t>(value + (value & 1), Remaining(at, m_end));
    }
  }
}

// Each line is decoded into a cleared buffer, so pixels a line leaves out are
// index 0 rather than what the line below had there.
void CBmpDecoder::DecodeRle4(int* error) {
  if (m_info.biBitCount != 4) {
    *error = DECODER_BMP_BPP;
    return;
  }
  BYTE** lines = DIB_GetLineArray(m_dib);
  const int width = m_info.biWidth;
  std::vector<BYTE> buffer(4 * static_cast<size_t>(width) + 28);
  int line = m_info.biHeight - 1;
  size_t x = 0;
  auto put = [&](int index) {
    if (x < buffer.size()) buffer[x] = static_cast<BYTE>(index);
    ++x;
  };
  auto store = [&] {
    std::memcpy(lines[line], buffer.data(), static_cast<size_t>(width));
    std::fill(buffer.begin(), buffer.end(), 0);
    --line;
    x = 0;
  };
  const BYTE* at = m_pixels;
  while (line >= 0 && Remaining(at, m_end) >= 2) {
    const int count = at[0];
    const int value = at[1];
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(i & 1 ? value & 15 : value >> 4);
    } else if (value == 0) {
      store();
    } else if (value == 1) {
      store();
      return;
    } else if (value == 2) {
      *error = DECODER_BMP_DELTA;
      return;
    } else {
      const size_t bytes = (static_cast<size_t>(value) + 1) / 2;
      if (Remaining(at, m_end) < bytes) break;
      for (int i = 0; i < value; ++i) put(i & 1 ? at[i / 2] & 15 : at[i / 2] >> 4);
      at += std::min(bytes + (bytes & 1), Remaining(at, m_end));
    }
  }
  if (line >= 0 && x > 0) store();
}
