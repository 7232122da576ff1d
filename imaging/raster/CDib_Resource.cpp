#include "imaging/raster/CDib.h"

#include <cstring>
#include <optional>
#include <span>

#include "win32/Resources.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kPixelOffsetAt = 10;  // in the file header

std::span<const BYTE> ResourceData(HINSTANCE module, UINT id, LPCSTR type) {
  HRSRC found = FindResource(module, MAKEINTRESOURCE(id), type);
  if (!found) return {};
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  return data ? std::span<const BYTE>(data, SizeofResource(module, found)) : std::span<const BYTE>();
}

}  // namespace

// A picture file kept as a resource may leave a gap after its colour table;
// its file header says where the pixels are.
BOOL CDib::LoadFromResource(UINT id, HINSTANCE module) {
  if (std::span<const BYTE> packed = ResourceData(module, id, RT_BITMAP); !packed.empty())
    return CreateFromPacked(packed, std::nullopt);
  std::span<const BYTE> file = ResourceData(module, id, "Image");
  if (file.size() < kFileHeaderBytes) return FALSE;
  DWORD pixelOffset = 0;
  std::memcpy(&pixelOffset, file.data() + kPixelOffsetAt, sizeof pixelOffset);
  std::optional<size_t> pixelsAt;
  if (pixelOffset >= kFileHeaderBytes) pixelsAt = pixelOffset - kFileHeaderBytes;
  return CreateFromPacked(file.subspan(kFileHeaderBytes), pixelsAt);
}

// Header, colour table and pixels as one block; only uncompressed bottom-up
// pictures whose bytes are all there are taken.
BOOL CDib::CreateFromPacked(std::span<const BYTE> packed, std::optional<size_t> pixelsAt) {
  BITMAPINFOHEADER header;
  if (packed.size() < sizeof header) return FALSE;
  std::memcpy(&header, packed.data(), sizeof header);
  if (header.biSize < sizeof header || header.biSize > packed.size() || header.biCompression != BI_RGB ||
      header.biWidth <= 0 || header.biHeight <= 0)
    return FALSE;
  const size_t fullTable = header.biBitCount <= 8 ? size_t{1} << header.biBitCount : 0;
  if (header.biBitCount <= 8 && header.biClrUsed > fullTable) return FALSE;
  const size_t tableEntries = header.biClrUsed ? header.biClrUsed : fullTable;
  const size_t tableEnd = header.biSize + tableEntries * sizeof(RGBQUAD);
  if (tableEnd > packed.size()) return FALSE;
  const size_t pixels = pixelsAt && *pixelsAt >= tableEnd ? *pixelsAt : tableEnd;
  const size_t stride = WIDTHBYTES(static_cast<size_t>(header.biWidth) * header.biBitCount);
  if (stride == 0 || pixels > packed.size() || (packed.size() - pixels) / stride < static_cast<size_t>(header.biHeight))
    return FALSE;
  const size_t tableStart = header.biSize;
  header.biSize = sizeof header;
  if (!CreateFromInfo(&header)) return FALSE;
  if (m_pColors) std::memcpy(m_pColors, packed.data() + tableStart, ColourTableBytes());
  std::memcpy(m_pBits, packed.data() + pixels, stride * static_cast<size_t>(m_height));
  return TRUE;
}
