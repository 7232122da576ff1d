// Writing the loaded TIFF anew with the picture's hotspots in the private
// tag, so that a DRF picture's hotspots travel with its TIFF.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "imaging/ByteOrder.h"
#include "imaging/picture/HotspotSlots.h"
#include "imaging/picture/PictureTable.h"
#include "imaging/picture/TiffReader.h"
#include "mfc/CFileException.h"
#include "win32/Files.h"
#include "win32/Memory.h"

namespace {

enum : WORD { kTypeShort = 3, kTypeLong = 4 };
enum : WORD { kPhotometric = 262, kStripByteCounts = 279 };
constexpr DWORD kEntrySize = 12;

using Entry = std::array<BYTE, kEntrySize>;
using Bytes = std::vector<BYTE>;

Entry MakeEntry(WORD tag, DWORD count, DWORD value) {
  Entry entry{};
  imaging::SetU16(entry.data(), tag, false);
  imaging::SetU16(entry.data() + 2, kTypeLong, false);
  imaging::SetU32(entry.data() + 4, count, false);
  imaging::SetU32(entry.data() + 8, value, false);
  return entry;
}

WORD TagOf(const Entry& entry) { return imaging::GetU16(entry.data(), false); }

// Puts the entry in place of one of the same tag, else before the first
// entry of a higher tag.
void PutEntry(std::vector<Entry>& entries, const Entry& entry) {
  const WORD tag = TagOf(entry);
  auto at = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return TagOf(e) >= tag; });
  if (at != entries.end() && TagOf(*at) == tag) *at = entry;
  else entries.insert(at, entry);
}

std::vector<DWORD> TableValues(HGLOBAL block, DWORD count) {
  std::vector<DWORD> values;
  if (!block) return values;
  if (auto* data = static_cast<const DWORD*>(GlobalLock(block))) {
    values.assign(data, data + count);
    GlobalUnlock(block);
  }
  return values;
}

// The file's own byte counts when it has them for every strip; otherwise
// each strip reaches to the next strip's start, the last to the file's end.
std::vector<DWORD> StripByteCounts(const QORIMG_PICTURE* picture, DWORD fileSize) {
  const std::vector<DWORD> offsets = TableValues(picture->hStripOffsets, picture->nStripOffsets);
  if (picture->hStripByteCounts && picture->nStripByteCounts == picture->nStripOffsets)
    return TableValues(picture->hStripByteCounts, picture->nStripByteCounts);
  std::vector<DWORD> starts = offsets;
  starts.push_back(fileSize);
  std::sort(starts.begin(), starts.end());
  std::vector<DWORD> counts;
  for (DWORD offset : offsets) {
    if (offset >= fileSize) {
      counts.push_back(0);
      continue;
    }
    counts.push_back(*std::upper_bound(starts.begin(), starts.end(), offset) - offset);
  }
  return counts;
}

// One record per used slot, little-endian: the length of the rest, the
// window rectangle as corner and size, the two texts with their lengths, the
// flag byte and a 0.
Bytes HotspotRecords(const QORIMG_PICTURE* picture) {
  Bytes out;
  out.reserve(50000);
  for (int i = 0; i < UsedSlots(picture); ++i) {
    const QORIMG_HOTSPOT& slot = picture->hotspots[i];
    const std::size_t name = strnlen(slot.szName, sizeof(slot.szName) - 1);
    const std::size_t text2 = strnlen(slot.szText2, sizeof(slot.szText2) - 1);
    const RECT& r = slot.rcWindow;
    imaging::AppendU16(out, static_cast<std::uint32_t>(name + text2 + 12));
    imaging::AppendU16(out, static_cast<std::uint32_t>(r.left));
    imaging::AppendU16(out, static_cast<std::uint32_t>(r.top));
    imaging::AppendU16(out, static_cast<std::uint32_t>(std::labs(static_cast<long>(r.left) - r.right)));
    imaging::AppendU16(out, static_cast<std::uint32_t>(std::labs(static_cast<long>(r.top) - r.bottom)));
    out.push_back(static_cast<BYTE>(name));
    out.insert(out.end(), slot.szName, slot.szName + name);
    out.push_back(static_cast<BYTE>(text2));
    out.insert(out.end(), slot.szText2, slot.szText2 + text2);
    out.push_back(slot.bFlag);
    out.push_back(0);
  }
  return out;
}

// The export stores white as zero. The change is made in the body's
// directory before the new one is copied from it, so both agree.
void MakeWhiteZero(Bytes& file, DWORD directory, DWORD entries) {
  for (DWORD i = 0; i < entries; ++i) {
    BYTE* entry = file.data() + directory + 2 + kEntrySize * i;
    if (imaging::GetU16(entry, false) != kPhotometric) continue;
    const WORD type = imaging::GetU16(entry + 2, false);
    if (type == kTypeShort && imaging::GetU16(entry + 8, false) == 1) imaging::SetU16(entry + 8, 0, false);
    if (type == kTypeLong && imaging::GetU32(entry + 8, false) == 1) imaging::SetU32(entry + 8, 0, false);
    return;
  }
}

// The new file: the old one byte for byte, the strip byte counts, the
// hotspot records and a new first directory. Only little-endian files with
// a first directory inside them are exported.
std::optional<Bytes> BuildExport(const QORIMG_PICTURE* picture, TiffBytes source) {
  const DWORD size = source.size;
  if (!source.data || size < 8 || source.data[0] != 'I' || source.data[1] != 'I') return std::nullopt;
  Bytes file(source.data, source.data + size);
  const DWORD directory = imaging::GetU32(file.data() + 4, false);
  if (directory > size - 2) return std::nullopt;
  const DWORD entryCount = imaging::GetU16(file.data() + directory, false);
  if (static_cast<std::uint64_t>(directory) + 2 + kEntrySize * entryCount + 4 > size) return std::nullopt;
  MakeWhiteZero(file, directory, entryCount);

  const std::vector<DWORD> counts = StripByteCounts(picture, size);
  const Bytes records = HotspotRecords(picture);
  const std::uint64_t countsAt = size, recordsAt = countsAt + 4 * counts.size();
  const std::uint64_t directoryAt = recordsAt + records.size();
  if (counts.empty() || directoryAt + 2 + kEntrySize * (entryCount + 2) + 4 > 0xFFFFFFFFu) return std::nullopt;

  std::vector<Entry> entries(entryCount);
  for (DWORD i = 0; i < entryCount; ++i)
    std::memcpy(entries[i].data(), file.data() + directory + 2 + kEntrySize * i, kEntrySize);
  // A single count lies in the entry itself.
  const DWORD countsValue = counts.size() == 1 ? counts[0] : static_cast<DWORD>(countsAt);
  PutEntry(entries, MakeEntry(kStripByteCounts, static_cast<DWORD>(counts.size()), countsValue));
  PutEntry(entries, MakeEntry(TIFFTAG_HOTSPOTS, static_cast<DWORD>(UsedSlots(picture)), static_cast<DWORD>(recordsAt)));
  const DWORD nextDirectory = imaging::GetU32(file.data() + directory + 2 + kEntrySize * entryCount, false);

  imaging::SetU32(file.data() + 4, static_cast<std::uint32_t>(directoryAt), false);
  for (DWORD count : counts) imaging::AppendU32(file, count);
  file.insert(file.end(), records.begin(), records.end());
  imaging::AppendU16(file, static_cast<std::uint32_t>(entries.size()));
  for (const Entry& entry : entries) file.insert(file.end(), entry.begin(), entry.end());
  imaging::AppendU32(file, nextDirectory);
  return file;
}

// The new file is written beside the target and takes its place only when
// it is complete: a failed export leaves an existing target whole.
bool WriteReplacing(const CString& target, const Bytes& bytes) {
  const CString fresh = target + ".~new";
  CFile out;
  if (!out.Open(fresh, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary)) return false;
  try {
    out.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    out.Flush();
    out.Close();
  } catch (CFileException* error) {
    error->Delete();
    out.Abort();
    DeleteFile(fresh);
    return false;
  }
  if (!MoveFileEx(fresh, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFile(fresh);
    return false;
  }
  return true;
}

}  // namespace

LONG FILE_DRF2TIFF_Hotspots(CString target, QORIMG_PICTURE* picture) {
  picture = KnownPicture(picture);
  if (!picture || !picture->szTiffFile[0] || !picture->pTiffFile || target.IsEmpty()) return 0;
  // The hotspots' window rectangles become their rectangles in TIFF pixels.
  picture->nZoomStartX = picture->nZoomStartY = 0;
  picture->nScaledWidth = picture->nTiffWidth;
  picture->nScaledHeight = picture->nTiffHeight;
  picture->nPictureMode = QORIMG_PICTURE_DRF;
  picture->bBitmapMode = 1;
  PlaceHotspots(picture, 1.0, 1.0);
  const std::optional<Bytes> file = BuildExport(picture, TiffFileBytes(picture));
  return file && WriteReplacing(target, *file) ? 1 : 0;
}
