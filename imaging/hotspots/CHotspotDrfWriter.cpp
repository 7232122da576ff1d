#include "CHotspotDrfWriter.h"

#include <algorithm>
#include <cstring>

#include "imaging/ByteOrder.h"
#include "mfc/CFile.h"
#include "win32/Errors.h"

using imaging::AppendU16;
using imaging::GetU16;
using imaging::GetU32;
using imaging::SetU16;
using imaging::SetU32;

namespace {

constexpr BYTE compressedFlag = 0x01;
constexpr BYTE extensionFlag = 0x10;
constexpr int extensionSize = 50;
constexpr int pictureInfoSize = 10;
constexpr int plainRecordSize = 72;

DWORD RasterOffset(const BYTE* header) { return GetU32(header + 3, false); }

// A text in a compressed record: its bytes, and a zero byte only when it is
// shorter than the most the reader takes, which needs none to stop.
void AppendRasterText(std::vector<BYTE>& out, const std::string& text, std::size_t maximum) {
  std::size_t kept = std::min(text.size(), maximum);
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept));
  if (kept < maximum) out.push_back(0);
}

}  // namespace

BOOL CHotspotDrfWriter::CheckFile(const CString& file) {
  if (file.GetLength() <= 1) return FALSE;
  CFile in;
  if (!in.Open(file, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return FALSE;
  try {
    m_dwFileLength = in.GetLength();
    if (m_dwFileLength == 0 || in.Read(m_header, headerSize) != headerSize) return FALSE;
    BYTE kind = m_header[0];
    BOOL extended = (m_header[1] & extensionFlag) != 0;
    DWORD rasterOffset = RasterOffset(m_header);
    if (kind != 2 && kind != 6 && kind != 8) return FALSE;
    if (rasterOffset > m_dwFileLength) return FALSE;
    if (static_cast<short>(GetU16(m_header + 7, false)) > maxHotspots) return FALSE;
    if (extended && kind != 2) return FALSE;
    if (rasterOffset == 0) return TRUE;
    // Records written at an offset that lies inside the header or the pixel
    // data would destroy the picture.
    BYTE info[pictureInfoSize];
    DWORD infoOffset = headerSize + (extended ? extensionSize : 0);
    in.Seek(static_cast<LONG>(infoOffset), CFile::begin);
    if (in.Read(info, pictureInfoSize) != pictureInfoSize) return FALSE;
    return rasterOffset >= static_cast<std::uint64_t>(infoOffset) + pictureInfoSize + GetU32(info + 5, false);
  } catch (CFileException* error) {
    error->Delete();
    return FALSE;
  }
}

BOOL CHotspotDrfWriter::IsCompressible() const {
  if (m_hotspots.size() < 2) return FALSE;
  auto width = [](const HotspotRecord& h) { return h.rect.right - h.rect.left; };
  auto height = [](const HotspotRecord& h) { return h.rect.bottom - h.rect.top; };
  const HotspotRecord& first = m_hotspots.front();
  return std::all_of(m_hotspots.begin(), m_hotspots.end(), [&](const HotspotRecord& h) {
    return width(h) == width(first) && height(h) == height(first) && h.mode == first.mode;
  });
}

std::vector<BYTE> CHotspotDrfWriter::CompressedRecords() const {
  const HotspotRecord& first = m_hotspots.front();
  std::vector<BYTE> out;
  AppendU16(out, static_cast<std::uint32_t>(first.rect.right - first.rect.left));
  AppendU16(out, static_cast<std::uint32_t>(first.rect.bottom - first.rect.top));
  out.push_back(first.mode);
  for (const HotspotRecord& hotspot : m_hotspots) {
    AppendU16(out, static_cast<std::uint32_t>(hotspot.rect.left));
    AppendU16(out, static_cast<std::uint32_t>(hotspot.rect.top));
    AppendRasterText(out, hotspot.name, maxName);
    AppendRasterText(out, hotspot.text2, maxText2);
  }
  out.insert(out.end(), 4, 0xFF);
  return out;
}

std::vector<BYTE> CHotspotDrfWriter::PlainRecords() const {
  std::vector<BYTE> out(m_hotspots.size() * plainRecordSize, 0);
  BYTE* record = out.data();
  for (const HotspotRecord& hotspot : m_hotspots) {
    std::memcpy(record, hotspot.name.data(), std::min(hotspot.name.size(), maxName));
    SetU16(record + 32, static_cast<std::uint32_t>(hotspot.rect.left), false);
    SetU16(record + 34, static_cast<std::uint32_t>(hotspot.rect.top), false);
    SetU16(record + 36, static_cast<std::uint32_t>(hotspot.rect.right), false);
    SetU16(record + 38, static_cast<std::uint32_t>(hotspot.rect.bottom), false);
    std::memcpy(record + 40, hotspot.text2.data(), std::min(hotspot.text2.size(), maxText2));
    record[65] = (hotspot.mode >> 1) & 1;
    record[66] = hotspot.mode & 1;
    record += plainRecordSize;
  }
  return out;
}

int CHotspotDrfWriter::Write(const CString& file) {
  if (!CheckFile(file)) {
    ReportError(file, ERROR_INVALID_NAME);
    return 0;
  }
  BOOL compressed = IsCompressible();
  CFile out;
  CFileException openError;
  if (!out.Open(file, CFile::modeReadWrite | CFile::shareDenyWrite | CFile::typeBinary, &openError)) {
    ReportError(file, static_cast<DWORD>(openError.m_lOsError));
    return 0;
  }
  DWORD position = RasterOffset(m_header);
  if (position == 0) position = m_dwFileLength;
  DWORD end = position;
  try {
    if (!m_hotspots.empty()) {
      std::vector<BYTE> records = compressed ? CompressedRecords() : PlainRecords();
      out.Seek(static_cast<LONG>(position), CFile::begin);
      out.Write(records.data(), static_cast<UINT>(records.size()));
      end = position + static_cast<DWORD>(records.size());
      if (compressed) out.SetLength(end);
    }
  } catch (CFileException* error) {
    ReportError(out.GetFilePath(), static_cast<DWORD>(error->m_lOsError));
    error->Delete();
    out.Abort();
    return 0;
  }
  SetU32(m_header + 3, position, false);
  SetU16(m_header + 7, static_cast<std::uint32_t>(m_hotspots.size()), false);
  m_header[1] = compressed ? (m_header[1] | compressedFlag) : (m_header[1] & ~compressedFlag);
  try {
    out.Seek(0, CFile::begin);
    out.Write(m_header, headerSize);
    out.Seek(static_cast<LONG>(end), CFile::begin);
    out.Close();
  } catch (CFileException* error) {
    // The records are in place; only the header could not follow them.
    ReportError(out.GetFilePath(), static_cast<DWORD>(error->m_lOsError));
    error->Delete();
    out.Abort();
  }
  return 1;
}
