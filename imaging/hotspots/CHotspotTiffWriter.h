// Writes hotspots into a TIFF picture as the records of the private tag
// TIFFTAG_HOTSPOTS in its first image file directory. The new file is built
// whole in memory before anything is written.
#pragma once

#include <cstdint>
#include <vector>

#include "CHotspotWriter.h"

#define TIFFTAG_HOTSPOTS 65024

class CHotspotTiffWriter : public CHotspotWriter {
 public:
  // 1 done, 0 failed (with a message); a refused file is left untouched.
  int Write(const CString& file);

 private:
  struct Entry {
    std::uint32_t position;  // of the entry in the file
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::uint64_t dataSize;  // count × size of the type
  };

  BOOL ReadImage(const CString& file);
  // Each gives 0, or the error code of why the file cannot be rewritten:
  // ERROR_INVALID_DATA for a damaged file, ERROR_NOT_SUPPORTED for a layout
  // that this writer cannot move safely.
  DWORD ReadLayout();
  DWORD FindOldRecords(const Entry& entry);
  DWORD MoveOffsets();
  DWORD MoveOffsetArray(const Entry& entry);
  DWORD Moved(std::uint32_t offset, std::uint32_t& moved) const;
  void Rebuild();
  std::vector<std::uint8_t> Records() const;

  std::uint32_t Get16(std::uint64_t at) const;
  std::uint32_t Get32(std::uint64_t at) const;
  void Set16(std::uint64_t at, std::uint32_t value);
  void Set32(std::uint64_t at, std::uint32_t value);

  std::vector<std::uint8_t> m_image;
  bool m_bBigEndian = false;
  std::uint32_t m_dwDirOffset = 0;
  std::uint32_t m_nEntries = 0;
  std::uint32_t m_dwDirEnd = 0;
  std::vector<Entry> m_entries;
  BOOL m_bTagFound = FALSE;
  std::uint32_t m_dwOldData = 0;
  std::uint32_t m_dwOldLength = 0;
  std::uint32_t m_dwThreshold = 0;
  std::int64_t m_nShift = 0;
  std::uint32_t m_dwFileLength = 0;
};
