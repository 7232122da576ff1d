#include "imaging/picture/TiffReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "foundation/SaturatedLong.h"
#include "imaging/ByteOrder.h"
#include "imaging/picture/HotspotSlots.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/PictureTable.h"
#include "imaging/picture/TiffMemFile.h"
#include "mfc/CFileException.h"
#include "win32/Memory.h"

namespace {

enum : WORD { kTypeShort = 3, kTypeLong = 4 };
enum : WORD {
  kImageWidth = 256,
  kImageLength = 257,
  kCompression = 259,
  kStripOffsets = 273,
  kRowsPerStrip = 278,
  kStripByteCounts = 279
};

// The file in memory, read with its byte order; every read is checked
// against the file's end.
class TiffView {
 public:
  TiffView(TiffBytes bytes, bool bigEndian) : m_bytes(bytes), m_big(bigEndian) {}
  bool Has(DWORD offset, DWORD count) const { return offset <= m_bytes.size && count <= m_bytes.size - offset; }
  WORD U16(DWORD at) const { return imaging::GetU16(m_bytes.data + at, m_big); }
  DWORD U32(DWORD at) const { return imaging::GetU32(m_bytes.data + at, m_big); }
  BYTE U8(DWORD at) const { return m_bytes.data[at]; }
  const BYTE* At(DWORD at) const { return m_bytes.data + at; }

 private:
  TiffBytes m_bytes;
  bool m_big;
};

struct DirectoryEntry {
  WORD tag;
  WORD type;
  DWORD count;
  DWORD field;  // offset of the 4-byte value field in the file
};

// A SHORT value lies in the first two bytes of the value field.
DWORD ValueOf(const TiffView& view, const DirectoryEntry& entry) {
  return entry.type == kTypeShort ? view.U16(entry.field) : view.U32(entry.field);
}

// Reads a strip table into a block of 32-bit values; false when its type is
// not SHORT or LONG or its values lie outside the file.
bool ReadStripTable(const TiffView& view, const DirectoryEntry& entry, HGLOBAL* block, DWORD* count) {
  if (entry.type != kTypeShort && entry.type != kTypeLong) return false;
  const DWORD size = entry.type == kTypeShort ? 2 : 4;
  if (entry.count == 0 || entry.count > 0x3FFFFFFF / size) return false;
  const DWORD at = entry.count * size <= 4 ? entry.field : view.U32(entry.field);
  if (!view.Has(at, entry.count * size)) return false;
  if (*block) GlobalFree(*block);
  *block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(entry.count) * 4 + 4);
  auto* values = *block ? static_cast<DWORD*>(GlobalLock(*block)) : nullptr;
  if (!values) return false;
  for (DWORD i = 0; i < entry.count; ++i) values[i] = size == 2 ? view.U16(at + 2 * i) : view.U32(at + 4 * i);
  GlobalUnlock(*block);
  *count = entry.count;
  return true;
}

std::optional<DWORD> TableValue(HGLOBAL block, DWORD count, DWORD index) {
  if (!block || index >= count) return std::nullopt;
  auto* values = static_cast<const DWORD*>(GlobalLock(block));
  if (!values) return std::nullopt;
  DWORD value = values[index];
  GlobalUnlock(block);
  return value;
}

// The slot's window rectangle: the picture rectangle scaled by the stored
// window size over the TIFF size, from the origin of the picture mode.
RECT TiffWindowRect(const QORIMG_PICTURE* picture, const RECT& r) {
  const double sx = static_cast<double>(picture->nWindowWidth) / picture->nTiffWidth;
  const double sy = static_cast<double>(picture->nWindowHeight) / picture->nTiffHeight;
  LONG ox = picture->nZoomStartX, oy = picture->nZoomStartY;
  if (picture->nPictureMode == 2) {
    ox = picture->nCentreX;
    oy = picture->nCentreY;
  } else if (picture->nPictureMode == 0) {
    ox += picture->nDrfSpotOffsetX;
    oy += picture->nDrfSpotOffsetY;
  }
  // A damaged size (0 among them) makes the scale unbounded or not a number.
  auto scale = [](LONG v, double s, LONG o) { return SaturatedLong(std::trunc(v * s + 0.5) + o); };
  return {scale(r.left, sx, ox), scale(r.top, sy, oy), scale(r.right, sx, ox), scale(r.bottom, sy, oy)};
}

// Records of the hotspot tag; a record that runs past the end of the file
// ends the list.
void ReadHotspotTag(const TiffView& view, const DirectoryEntry& entry, QORIMG_PICTURE* picture) {
  const int announced = std::min<int>(entry.count & 0xFFFF, QORIMG_MAX_HOTSPOTS);
  DWORD at = view.U32(entry.field);
  int stored = 0;
  for (; stored < announced; ++stored) {
    if (!view.Has(at, 11)) break;
    const DWORD nameLength = view.U8(at + 10);
    if (!view.Has(at + 11, nameLength + 1)) break;
    const DWORD textLength = view.U8(at + 11 + nameLength);
    if (!view.Has(at + 12 + nameLength, textLength + 2)) break;
    QORIMG_HOTSPOT& slot = picture->hotspots[stored];
    slot = QORIMG_HOTSPOT{};
    const LONG x = view.U16(at + 2), y = view.U16(at + 4);
    slot.rcPicture = {x, y, x + view.U16(at + 6), y + view.U16(at + 8)};
    slot.rcWindow = TiffWindowRect(picture, slot.rcPicture);
    AppendSlotText(slot.szName, sizeof(slot.szName), reinterpret_cast<const char*>(view.At(at + 11)), nameLength);
    AppendSlotText(slot.szText2, sizeof(slot.szText2), reinterpret_cast<const char*>(view.At(at + 12 + nameLength)),
                   textLength);
    slot.bFlag = view.U8(at + 12 + nameLength + textLength);
    at += 14 + nameLength + textLength;
  }
  picture->nHotspotCount = stored;
}

// Reads the first directory; false when it is not there or not usable.
bool ReadDirectory(const TiffView& view, DWORD directory, QORIMG_PICTURE* picture) {
  if (!view.Has(directory, 2)) return false;
  const DWORD entries = view.U16(directory);
  if (!view.Has(directory + 2, entries * 12)) return false;
  std::optional<DirectoryEntry> hotspots;
  bool haveOffsets = false;
  picture->nRowsPerStrip = 0;
  for (DWORD i = 0; i < entries; ++i) {
    const DWORD at = directory + 2 + 12 * i;
    const DirectoryEntry entry{view.U16(at), view.U16(at + 2), view.U32(at + 4), at + 8};
    switch (entry.tag) {
      case kImageWidth:
        picture->nTiffWidth = static_cast<LONG>(ValueOf(view, entry));
        break;
      case kImageLength:
        picture->nTiffHeight = static_cast<LONG>(ValueOf(view, entry));
        break;
      case kCompression:
        picture->wCompression = static_cast<WORD>(ValueOf(view, entry));
        break;
      case kRowsPerStrip:
        picture->nRowsPerStrip = ValueOf(view, entry);
        break;
      case kStripOffsets:
        if (!ReadStripTable(view, entry, &picture->hStripOffsets, &picture->nStripOffsets)) return false;
        haveOffsets = true;
        break;
      case kStripByteCounts:
        if (!ReadStripTable(view, entry, &picture->hStripByteCounts, &picture->nStripByteCounts)) return false;
        break;
      case TIFFTAG_HOTSPOTS:
        hotspots = entry;
        break;
      default:
        break;
    }
  }
  if (!haveOffsets || picture->nTiffWidth <= 0 || picture->nTiffHeight <= 0) return false;
  // Without RowsPerStrip (or with 0) the whole picture is one strip.
  if (picture->nRowsPerStrip == 0 || picture->nRowsPerStrip > static_cast<DWORD>(picture->nTiffHeight))
    picture->nRowsPerStrip = static_cast<DWORD>(picture->nTiffHeight);
  if (hotspots && picture->nHotspotCount == 0 && picture->wCompression == 2) ReadHotspotTag(view, *hotspots, picture);
  return true;
}

// Reads the file into a block of its length in one go; the memory file when
// every byte of the file arrived.
CFile* LoadIntoMemory(const char* name, int* error) {
  CFile file;
  if (!file.Open(name, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) {
    *error = QORIMG_ERR_IMAGE_OPEN;
    return nullptr;
  }
  std::unique_ptr<TiffMemFile> memory;
  bool whole = false;
  try {
    memory = std::make_unique<TiffMemFile>(file.GetLength());
    DWORD got = 0;
    for (UINT read = 1; got < memory->Size() && read > 0; got += read)
      read = file.Read(memory->Bytes() + got, memory->Size() - got);
    // A file that changed its length meanwhile did not arrive whole.
    whole = got == memory->Size() && file.GetLength() == got;
  } catch (CException* failure) {
    failure->Delete();
  } catch (const std::bad_alloc&) {
  }
  if (!whole) {
    *error = QORIMG_ERR_END_OF_FILE;
    return nullptr;
  }
  return memory.release();
}

void FreeBlock(HGLOBAL& block) {
  if (block) GlobalFree(block);
  block = nullptr;
}

}  // namespace

TiffBytes TiffFileBytes(const QORIMG_PICTURE* picture) {
  auto* memory = dynamic_cast<const TiffMemFile*>(picture->pTiffFile);
  if (!memory) return {};
  return {memory->Bytes(), memory->Size()};
}

void CloseTIFF(QORIMG_PICTURE* picture) {
  if (picture->pTiffFile) {
    picture->pTiffFile->Abort();
    delete picture->pTiffFile;
    picture->pTiffFile = nullptr;
  }
  FreeBlock(picture->hStripOffsets);
  FreeBlock(picture->hStripByteCounts);
  picture->nStripOffsets = picture->nStripByteCounts = 0;
  picture->wCompression = 0;
  picture->nRowsPerStrip = 0;
}

int OpenTIFF(QORIMG_PICTURE* picture) {
  CloseTIFF(picture);
  int error = 0;
  CFile* memory = LoadIntoMemory(picture->szTiffFile, &error);
  if (!memory) {
    SetImageError(error, picture->szTiffFile);
    return 0;
  }
  picture->pTiffFile = memory;
  const TiffBytes bytes = TiffFileBytes(picture);
  const bool tiff = bytes.size >= 8 && bytes.data[0] == bytes.data[1] && (bytes.data[0] == 'I' || bytes.data[0] == 'M');
  const TiffView view(bytes, tiff && bytes.data[0] == 'M');
  if (!tiff || view.U16(2) != 42 || !ReadDirectory(view, view.U32(4), picture)) {
    int pending = ImageErrorId();
    if (pending == 0 || pending == 1) SetImageError(QORIMG_ERR_TIFF_DISPLAY, picture->szTiffFile);
    CloseTIFF(picture);
    return 0;
  }
  if (picture->wCompression != 2) {
    CString number;
    number.Format("%d", picture->wCompression);
    SetImageError(QORIMG_ERR_TIFF_COMPRESSION, number);
    CloseTIFF(picture);
    return 0;
  }
  return 1;
}

TiffBytes TiffStripOfRow(const QORIMG_PICTURE* picture, LONG row, LONG* firstRow) {
  const TiffBytes file = TiffFileBytes(picture);
  if (firstRow) *firstRow = row;
  if (!file.data || row < 0 || picture->nRowsPerStrip == 0) return {};
  const DWORD strip = static_cast<DWORD>(row) / picture->nRowsPerStrip;
  if (firstRow) *firstRow = static_cast<LONG>(strip * picture->nRowsPerStrip);
  const auto offset = TableValue(picture->hStripOffsets, picture->nStripOffsets, strip);
  if (!offset || *offset >= file.size) return {};
  DWORD size = 0;
  if (auto count = TableValue(picture->hStripByteCounts, picture->nStripByteCounts, strip)) {
    size = *count;
  } else if (auto next = TableValue(picture->hStripOffsets, picture->nStripOffsets, strip + 1)) {
    size = *next > *offset ? *next - *offset : 0;
  }
  if (size == 0 || size > file.size - *offset) size = file.size - *offset;
  return {file.data + *offset, size};
}

LONGLONG QORIMG_GetTIFFSize(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return -1;
  return PackPair(picture->nTiffWidth, picture->nTiffHeight);
}
