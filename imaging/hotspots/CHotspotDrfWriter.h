// Writes hotspots as the raster records of a DRF picture, in place, and
// points the picture's header at them.
#pragma once

#include "CHotspotWriter.h"

class CHotspotDrfWriter : public CHotspotWriter {
 public:
  static constexpr int headerSize = 11;

  // 1 done, 0 failed (with a message); a refused file is left untouched.
  int Write(const CString& file);

 private:
  BOOL CheckFile(const CString& file);
  BOOL IsCompressible() const;
  std::vector<BYTE> CompressedRecords() const;
  std::vector<BYTE> PlainRecords() const;

  BYTE m_header[headerSize] = {};
  int m_nHeaderSize = headerSize;
  DWORD m_dwFileLength = 0;
};
