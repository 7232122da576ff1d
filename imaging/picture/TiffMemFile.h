// The memory file that holds a whole TIFF picture: other parts read it as a
// file from position 0, the decoders read its bytes in place.
#pragma once

#include <memory>

#include "mfc/CMemFile.h"

class TiffMemFile : public CMemFile {
 public:
  // The block is left uninitialised: the file's bytes are read into it.
  explicit TiffMemFile(DWORD size);
  BYTE* Bytes() { return m_bytes.get(); }
  const BYTE* Bytes() const { return m_bytes.get(); }
  DWORD Size() const { return m_size; }

 private:
  std::unique_ptr<BYTE[]> m_bytes;
  DWORD m_size;
};
