// The memory file that holds a whole TIFF picture: other parts read it as a
// file from position 0, the decoders read its bytes in place.
#pragma once

#include <vector>

#include "mfc/CMemFile.h"

class TiffMemFile : public CMemFile {
 public:
  explicit TiffMemFile(std::vector<BYTE> bytes);
  const BYTE* Bytes() const { return m_bytes.data(); }
  DWORD Size() const { return static_cast<DWORD>(m_bytes.size()); }

 private:
  std::vector<BYTE> m_bytes;
};
