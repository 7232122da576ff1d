#include "imaging/picture/TiffMemFile.h"

TiffMemFile::TiffMemFile(std::vector<BYTE> bytes) : m_bytes(std::move(bytes)) {
  Attach(m_bytes.data(), static_cast<UINT>(m_bytes.size()), 0);
}
