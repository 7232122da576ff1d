#include "imaging/picture/DrfReader.h"

#include <cstring>

#include "imaging/ByteOrder.h"
#include "imaging/picture/HotspotSlots.h"
#include "imaging/picture/ImageErrors.h"
#include "imaging/picture/PictureTable.h"
#include "mfc/CFileException.h"
#include "win32/Memory.h"

namespace {

constexpr int kExtensionSize = 50;
constexpr int kPictureInfoSize = 10;
constexpr int kPlainRasterSize = 72;

// A failed read counts as a read of no bytes: damaged files end the same way
// as short ones.
UINT ReadBytes(CFile& file, void* buffer, UINT count) {
  try {
    return file.Read(buffer, count);
  } catch (CFileException* error) {
    error->Delete();
    return 0;
  }
}

bool SeekTo(CFile& file, LONG offset, UINT from) {
  try {
    file.Seek(offset, from);
    return true;
  } catch (CFileException* error) {
    error->Delete();
    return false;
  }
}

int LittleEndian16(const BYTE* p) { return static_cast<SHORT>(imaging::GetU16(p, false)); }
DWORD LittleEndian32(const BYTE* p) { return imaging::GetU32(p, false); }

void FreePixelBlocks(QORIMG_PICTURE* picture) {
  for (HGLOBAL& block : picture->hPixelBlocks) {
    if (block) GlobalFree(block);
    block = nullptr;
  }
}

int FailLoad(CFile& file, QORIMG_PICTURE* picture, int error) {
  FreePixelBlocks(picture);
  file.Abort();
  SetImageError(error, picture->szDrfFile);
  return 0;
}

// The window's stored position moves so that the picture lies centred where
// the window stood.
void CentreOnWindow(QORIMG_PICTURE* picture) {
  if (picture->nWindowWidth == 0 || picture->nDisplayMode == 3) return;
  picture->nWindowX =
      static_cast<SHORT>(picture->nWindowX + static_cast<LONG>(0.5 * picture->nWindowWidth - 0.5 * picture->nDrfWidth));
  picture->nWindowY = static_cast<SHORT>(picture->nWindowY +
                                         static_cast<LONG>(0.5 * picture->nWindowHeight - 0.5 * picture->nDrfHeight));
}

// Reads one block in full; a block of 64 KB comes in two halves.
bool ReadPixelBlock(CFile& file, BYTE* data, DWORD size) {
  const DWORD half = kPixelBlockSize / 2;
  if (size == kPixelBlockSize) return ReadBytes(file, data, half) == half && ReadBytes(file, data + half, half) == half;
  return ReadBytes(file, data, size) == size;
}

// Every one of the 16 slots may hold a block, so the data may fill 1 MB.
int ReadPixelData(CFile& file, QORIMG_PICTURE* picture) {
  DWORD remaining = picture->nPixelDataSize;
  if (remaining > QORIMG_PIXEL_BLOCKS * kPixelBlockSize) return QORIMG_ERR_DRF_PICTURE_MEMORY;
  for (int slot = 0; remaining > 0; ++slot) {
    const DWORD size = std::min(remaining, kPixelBlockSize);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return QORIMG_ERR_DRF_PICTURE_MEMORY;
    picture->hPixelBlocks[slot] = block;
    auto* data = static_cast<BYTE*>(GlobalLock(block));
    if (!data) return QORIMG_ERR_DRF_STRIPE_MEMORY;
    bool complete = ReadPixelBlock(file, data, size);
    GlobalUnlock(block);
    if (!complete) return QORIMG_ERR_DRF_STRIPE_READ;
    remaining -= size;
  }
  return 0;
}

void ReadCompressedRecord(CFile& file, QORIMG_PICTURE* picture, QORIMG_HOTSPOT& slot, const BYTE* head,
                          const BYTE* corner) {
  slot.bFlag = head[4];
  LONG x = LittleEndian16(corner), y = LittleEndian16(corner + 2);
  slot.rcPicture = {x, y, x + LittleEndian16(head), y + LittleEndian16(head + 2)};
  slot.rcWindow = DrfWindowRect(picture, slot.rcPicture);
  ReadRasterText(file, slot.szName, sizeof(slot.szName), 32);
  ReadRasterText(file, slot.szText2, sizeof(slot.szText2), 25);
}

void TakePlainRecord(QORIMG_PICTURE* picture, QORIMG_HOTSPOT& slot, const BYTE* record) {
  AppendSlotText(slot.szName, sizeof(slot.szName), reinterpret_cast<const char*>(record),
                 static_cast<int>(strnlen(reinterpret_cast<const char*>(record), 32)));
  AppendSlotText(slot.szText2, sizeof(slot.szText2), reinterpret_cast<const char*>(record + 40),
                 static_cast<int>(strnlen(reinterpret_cast<const char*>(record + 40), 25)));
  slot.bFlag |= static_cast<BYTE>(((record[65] & 1) << 1) | (record[66] & 1) | ((record[67] & 1) << 2));
  slot.rcPicture = {LittleEndian16(record + 32), LittleEndian16(record + 34), LittleEndian16(record + 36),
                    LittleEndian16(record + 38)};
  slot.rcWindow = DrfWindowRect(picture, slot.rcPicture);
}

}  // namespace

void ReadRasterText(CFile& file, char* field, int fieldSize, int maximum) {
  char text[64];
  int length = 0;
  for (BYTE c; length < maximum && ReadBytes(file, &c, 1) == 1 && c != 0;) text[length++] = static_cast<char>(c);
  AppendSlotText(field, fieldSize, text, length);
}

int ReadDRFRasters(CFile& file, const BYTE* header, QORIMG_PICTURE* picture) {
  const DWORD offset = LittleEndian32(header + 3);
  if (offset == 0) return 1;
  const int announced = LittleEndian16(header + 7);
  const bool compressed = header[1] & 0x01;
  auto fail = [&](int error) {
    file.Abort();
    SetImageError(error, picture->szDrfFile);
    return 0;
  };
  if (offset > file.GetLength() || !SeekTo(file, static_cast<LONG>(offset), CFile::begin))
    return fail(compressed ? QORIMG_ERR_DRF_COMP_RASTER_HEAD : QORIMG_ERR_DRF_RASTER);

  BYTE head[5];
  if (compressed && ReadBytes(file, head, 5) < 5) return fail(QORIMG_ERR_DRF_COMP_RASTER_HEAD);
  int stored = 0;
  for (; stored < announced && stored < QORIMG_MAX_HOTSPOTS; ++stored) {
    QORIMG_HOTSPOT& slot = picture->hotspots[stored];
    slot = QORIMG_HOTSPOT{};  // a second read of the same file must not append to the first
    if (compressed) {
      BYTE corner[4];
      if (ReadBytes(file, corner, 4) < 4) return fail(QORIMG_ERR_DRF_COMP_RASTER);
      ReadCompressedRecord(file, picture, slot, head, corner);
    } else {
      BYTE record[kPlainRasterSize];
      if (ReadBytes(file, record, kPlainRasterSize) < kPlainRasterSize) return fail(QORIMG_ERR_DRF_RASTER);
      TakePlainRecord(picture, slot, record);
    }
  }
  if (announced > QORIMG_MAX_HOTSPOTS) SetImageError(QORIMG_ERR_DRF_ALL_RASTERS, picture->szDrfFile);
  picture->nHotspotCount = stored;
  for (int i = 0; i < stored; ++i) picture->hotspots[i].bState = 0;
  return 1;
}

int ReadDRFFile(QORIMG_PICTURE* picture) {
  CFile file;
  if (!file.Open(picture->szDrfFile, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) {
    SetImageError(QORIMG_ERR_DRF_OPEN, picture->szDrfFile);
    return 0;
  }
  BYTE header[kDrfHeaderSize];
  if (ReadBytes(file, header, kDrfHeaderSize) < kDrfHeaderSize) return FailLoad(file, picture, QORIMG_ERR_DRF_HEADER);
  if ((header[1] & 0x10) && !SeekTo(file, kExtensionSize, CFile::current))
    return FailLoad(file, picture, QORIMG_ERR_DRF_PICTURE_INFO);

  BYTE info[kPictureInfoSize];
  if (ReadBytes(file, info, kPictureInfoSize) < kPictureInfoSize)
    return FailLoad(file, picture, QORIMG_ERR_DRF_PICTURE_INFO);
  const int width = LittleEndian16(info + 1), height = LittleEndian16(info + 3);
  // A picture without pixels has no bitmap that could be made of it.
  if (width <= 0 || height <= 0) return FailLoad(file, picture, QORIMG_ERR_DRF_PICTURE_INFO);
  picture->nContent = static_cast<signed char>(info[0]);
  picture->nDrfWidth = picture->nScaledWidth = width;
  picture->nDrfHeight = picture->nScaledHeight = height;
  picture->nPixelDataSize = LittleEndian32(info + 5);
  picture->nDrfType = static_cast<signed char>(info[9]);

  if (picture->nDisplayMode != 1 && picture->nDisplayMode != 4) {
    CentreOnWindow(picture);
    FreePixelBlocks(picture);
    if (int error = ReadPixelData(file, picture)) return FailLoad(file, picture, error);
  }
  ReadDRFRasters(file, header, picture);
  file.Abort();
  return 1;
}

LONGLONG QORIMG_GetDRFSize(QORIMG_PICTURE* picture) {
  picture = StartCall(picture);
  if (!picture) return -1;
  return PackPair(picture->nDrfWidth, picture->nDrfHeight);
}
