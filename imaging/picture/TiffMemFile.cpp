#include "imaging/picture/TiffMemFile.h"

TiffMemFile::TiffMemFile(DWORD size) : m_bytes(new BYTE[size == 0 ? 1 : size]), m_size(size) {
  Attach(m_bytes.get(), static_cast<UINT>(size), 0);
}
