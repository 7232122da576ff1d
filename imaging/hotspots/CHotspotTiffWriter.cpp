#include "CHotspotTiffWriter.h"

#include <algorithm>
#include <new>

#include "imaging/ByteOrder.h"
#include "mfc/CFile.h"
#include "win32/Errors.h"

namespace {

constexpr std::uint32_t headerSize = 8;
constexpr std::uint32_t entrySize = 12;
constexpr std::uint16_t typeShort = 3;
constexpr std::uint16_t typeLong = 4;
// The shortest record: length, four coordinates, two empty texts with their
// length bytes, colour mode and the closing zero.
constexpr std::uint32_t minRecordSize = 14;

// Bytes of one value of a field type; 0 for a type this writer does not know.
std::uint32_t TypeSize(std::uint16_t type) {
  switch (type) {
    case 1: case 2: case 6: case 7: return 1;      // BYTE, ASCII, SBYTE, UNDEFINED
    case 3: case 8: return 2;                      // SHORT, SSHORT
    case 4: case 9: case 11: case 13: return 4;    // LONG, SLONG, FLOAT, IFD
    case 5: case 10: case 12: return 8;            // RATIONAL, SRATIONAL, DOUBLE
    default: return 0;
  }
}

// Tags whose values are themselves file offsets: strips, tiles, free space
// and the JPEG tables.
bool HoldsOffsets(std::uint16_t tag) {
  switch (tag) {
    case 273: case 288: case 324: case 513: case 519: case 520: case 521: return true;
    default: return false;
  }
}

// Tags that lead to further directories, whose own offsets this writer
// would have to move as well.
bool LeadsToDirectory(std::uint16_t tag) {
  return tag == 330 || tag == 34665 || tag == 34853 || tag == 40965;
}

}  // namespace

std::uint32_t CHotspotTiffWriter::Get16(std::uint64_t at) const { return imaging::GetU16(&m_image[at], m_bBigEndian); }
std::uint32_t CHotspotTiffWriter::Get32(std::uint64_t at) const { return imaging::GetU32(&m_image[at], m_bBigEndian); }
void CHotspotTiffWriter::Set16(std::uint64_t at, std::uint32_t value) { imaging::SetU16(&m_image[at], value, m_bBigEndian); }
void CHotspotTiffWriter::Set32(std::uint64_t at, std::uint32_t value) { imaging::SetU32(&m_image[at], value, m_bBigEndian); }

BOOL CHotspotTiffWriter::ReadImage(const CString& file) {
  CFile in;
  if (!in.Open(file, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return FALSE;
  try {
    m_dwFileLength = in.GetLength();
    // Room for the tag's entry and records must stay addressable by 32 bits.
    if (m_dwFileLength > 0xF0000000u) return FALSE;
    m_image.resize(m_dwFileLength);
    return in.Read(m_image.data(), m_dwFileLength) == m_dwFileLength;
  } catch (CFileException* error) {
    error->Delete();
  } catch (const std::bad_alloc&) {
  }
  return FALSE;
}

DWORD CHotspotTiffWriter::ReadLayout() {
  std::uint64_t length = m_image.size();
  if (length < headerSize) return ERROR_INVALID_DATA;
  if (m_image[0] != m_image[1] || (m_image[0] != 'I' && m_image[0] != 'M')) return ERROR_INVALID_DATA;
  m_bBigEndian = m_image[0] == 'M';
  if (Get16(2) != 42) return ERROR_INVALID_DATA;
  m_dwDirOffset = Get32(4);
  if (m_dwDirOffset < headerSize || m_dwDirOffset + 2ull > length) return ERROR_INVALID_DATA;
  m_nEntries = Get16(m_dwDirOffset);
  m_dwDirEnd = m_dwDirOffset + 2 + entrySize * m_nEntries;
  if (m_nEntries == 0 || m_dwDirEnd + 4ull > length) return ERROR_INVALID_DATA;
  if (Get32(m_dwDirEnd) != 0) return ERROR_NOT_SUPPORTED;

  m_entries.clear();
  const Entry* hotspotEntry = nullptr;
  for (std::uint32_t i = 0; i < m_nEntries; ++i) {
    std::uint32_t position = m_dwDirOffset + 2 + entrySize * i;
    Entry entry{position, static_cast<std::uint16_t>(Get16(position)), static_cast<std::uint16_t>(Get16(position + 2)),
                Get32(position + 4), 0};
    std::uint32_t size = TypeSize(entry.type);
    if (size == 0 || LeadsToDirectory(entry.tag)) return ERROR_NOT_SUPPORTED;
    if (HoldsOffsets(entry.tag) && entry.type != typeShort && entry.type != typeLong) return ERROR_NOT_SUPPORTED;
    entry.dataSize = std::uint64_t{entry.count} * size;
    if (entry.dataSize > 4 && Get32(position + 8) + entry.dataSize > length) return ERROR_INVALID_DATA;
    m_entries.push_back(entry);
  }
  for (const Entry& entry : m_entries)
    if (entry.tag == TIFFTAG_HOTSPOTS) hotspotEntry = &entry;
  m_bTagFound = hotspotEntry != nullptr;
  if (!m_bTagFound) {
    m_dwThreshold = m_dwDirEnd;
    m_nShift = entrySize;
    return 0;
  }
  return FindOldRecords(*hotspotEntry);
}

DWORD CHotspotTiffWriter::FindOldRecords(const Entry& entry) {
  std::uint64_t length = m_image.size();
  m_dwOldData = Get32(entry.position + 8);
  std::uint64_t end = m_dwOldData;
  if (entry.count > 0) {
    if (entry.count > length / minRecordSize) return ERROR_INVALID_DATA;
    for (std::uint32_t i = 0; i < entry.count; ++i) {
      if (end + 12 > length) return ERROR_INVALID_DATA;
      std::uint32_t name = m_image[end + 10];
      if (end + 12 + name > length) return ERROR_INVALID_DATA;
      std::uint32_t text2 = m_image[end + 11 + name];
      end += minRecordSize + name + text2;
      if (end > length) return ERROR_INVALID_DATA;
    }
    // Cutting the old records out must not cut into the header or the directory.
    bool overlapsHeader = m_dwOldData < headerSize;
    bool overlapsDirectory = m_dwOldData < m_dwDirEnd + 4ull && end > m_dwDirOffset;
    if (overlapsHeader || overlapsDirectory) return ERROR_INVALID_DATA;
  }
  m_dwOldLength = static_cast<std::uint32_t>(end - m_dwOldData);
  m_dwThreshold = m_dwOldData;
  m_nShift = -static_cast<std::int64_t>(m_dwOldLength);
  return 0;
}

// Where an offset goes once the old records are cut out or the new entry is
// put in; an offset into the old records is damage.
DWORD CHotspotTiffWriter::Moved(std::uint32_t offset, std::uint32_t& moved) const {
  moved = offset;
  if (offset < m_dwThreshold) return 0;
  if (m_bTagFound && offset < m_dwOldData + std::uint64_t{m_dwOldLength}) return ERROR_INVALID_DATA;
  std::int64_t target = offset + m_nShift;
  if (target < 0 || target > 0xFFFFFFFFll) return ERROR_INVALID_DATA;
  moved = static_cast<std::uint32_t>(target);
  return 0;
}

DWORD CHotspotTiffWriter::MoveOffsetArray(const Entry& entry) {
  std::uint64_t values = entry.dataSize > 4 ? Get32(entry.position + 8) : entry.position + 8;
  std::uint32_t width = entry.type == typeShort ? 2 : 4;
  for (std::uint32_t i = 0; i < entry.count; ++i) {
    std::uint64_t at = values + std::uint64_t{i} * width;
    std::uint32_t moved;
    if (DWORD error = Moved(width == 2 ? Get16(at) : Get32(at), moved)) return error;
    // A SHORT offset that would move past 65535 cannot be stored.
    if (width == 2 && moved > 0xFFFF) return ERROR_NOT_SUPPORTED;
    width == 2 ? Set16(at, moved) : Set32(at, moved);
  }
  return 0;
}

DWORD CHotspotTiffWriter::MoveOffsets() {
  for (const Entry& entry : m_entries) {
    if (entry.tag == TIFFTAG_HOTSPOTS) continue;
    if (HoldsOffsets(entry.tag))
      if (DWORD error = MoveOffsetArray(entry)) return error;
    // Only a value stored outside its entry is an offset; a small value
    // inside the entry stays what it is.
    if (entry.dataSize > 4) {
      std::uint32_t moved;
      if (DWORD error = Moved(Get32(entry.position + 8), moved)) return error;
      Set32(entry.position + 8, moved);
    }
  }
  std::uint32_t directory;
  if (DWORD error = Moved(m_dwDirOffset, directory)) return error;
  Set32(4, directory);
  return 0;
}

void CHotspotTiffWriter::Rebuild() {
  auto count = static_cast<std::uint32_t>(m_hotspots.size());
  if (m_bTagFound) {
    const Entry& entry = *std::find_if(m_entries.begin(), m_entries.end(),
                                       [](const Entry& e) { return e.tag == TIFFTAG_HOTSPOTS; });
    auto oldData = m_image.begin() + m_dwOldData;
    m_image.erase(oldData, oldData + m_dwOldLength);
    std::uint32_t position = entry.position >= m_dwOldData ? entry.position - m_dwOldLength : entry.position;
    Set16(position + 2, typeLong);
    Set32(position + 4, count);
    Set32(position + 8, static_cast<std::uint32_t>(m_image.size()));
  } else {
    // Entries stay sorted by tag, as readers expect.
    auto later = std::find_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.tag > TIFFTAG_HOTSPOTS; });
    std::uint32_t position = later == m_entries.end() ? m_dwDirEnd : later->position;
    m_image.insert(m_image.begin() + position, entrySize, 0);
    Set16(m_dwDirOffset, m_nEntries + 1);
    Set16(position, TIFFTAG_HOTSPOTS);
    Set16(position + 2, typeLong);
    Set32(position + 4, count);
    Set32(position + 8, static_cast<std::uint32_t>(m_image.size()));
  }
  std::vector<std::uint8_t> records = Records();
  m_image.insert(m_image.end(), records.begin(), records.end());
}

std::vector<std::uint8_t> CHotspotTiffWriter::Records() const {
  std::vector<std::uint8_t> out;
  for (const HotspotRecord& hotspot : m_hotspots) {
    auto nameLength = static_cast<std::uint32_t>(hotspot.name.size());
    auto text2Length = static_cast<std::uint32_t>(hotspot.text2.size());
    // The record length is low byte first whatever the file's byte order.
    imaging::AppendU16(out, minRecordSize + nameLength + text2Length, false);
    imaging::AppendU16(out, static_cast<std::uint32_t>(hotspot.rect.left), m_bBigEndian);
    imaging::AppendU16(out, static_cast<std::uint32_t>(hotspot.rect.top), m_bBigEndian);
    imaging::AppendU16(out, static_cast<std::uint32_t>(hotspot.rect.right - hotspot.rect.left), m_bBigEndian);
    imaging::AppendU16(out, static_cast<std::uint32_t>(hotspot.rect.bottom - hotspot.rect.top), m_bBigEndian);
    out.push_back(static_cast<std::uint8_t>(nameLength));
    out.insert(out.end(), hotspot.name.begin(), hotspot.name.end());
    out.push_back(static_cast<std::uint8_t>(text2Length));
    out.insert(out.end(), hotspot.text2.begin(), hotspot.text2.end());
    out.push_back(hotspot.mode);
    out.push_back(0);
  }
  return out;
}

int CHotspotTiffWriter::Write(const CString& file) {
  if (file.GetLength() <= 1) {
    ReportError(file, ERROR_INVALID_NAME);
    return 0;
  }
  if (!ReadImage(file)) {
    ReportError(file, ERROR_READ_FAULT);
    return 0;
  }
  DWORD error = ReadLayout();
  if (!error) error = MoveOffsets();
  if (error) {
    ReportError(file, error);
    return 0;
  }
  Rebuild();
  CFile out;
  CFileException openError;
  if (!out.Open(file, CFile::modeReadWrite | CFile::shareDenyWrite | CFile::typeBinary, &openError)) {
    ReportError(file, static_cast<DWORD>(openError.m_lOsError));
    return 0;
  }
  try {
    out.Write(m_image.data(), static_cast<UINT>(m_image.size()));
    out.Close();
  } catch (CFileException* failure) {
    ReportError(out.GetFilePath(), static_cast<DWORD>(failure->m_lOsError));
    failure->Delete();
    out.Abort();
    return 0;
  }
  return 1;
}
