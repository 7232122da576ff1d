#include "mfc/CMemFile.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) : m_nGrowBytes(growBytes) {
  Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile() { Release(); }

void CMemFile::Release() {
  if (m_bAutoDelete) std::free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = true;
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes) {
  Release();
  m_lpBuffer = buffer;
  m_nBufferSize = size;
  // A block that may not grow is read as data; one that grows is written into.
  m_nFileSize = growBytes == 0 ? size : 0;
  m_nGrowBytes = growBytes;
  m_bAutoDelete = false;
}

BYTE* CMemFile::Detach() {
  BYTE* block = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_bAutoDelete = true;
  Release();
  return block;
}

BOOL CMemFile::Open(const char*, UINT, CFileException* error) {
  // A memory file is never opened by name.
  if (error) error->m_cause = CFileException::generic;
  return FALSE;
}

void CMemFile::GrowTo(DWORD newSize) {
  if (newSize <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();
  DWORD size = m_nBufferSize;
  while (size < newSize) size += m_nGrowBytes;
  void* block = m_bAutoDelete ? std::realloc(m_lpBuffer, size) : std::malloc(size);
  if (!block) AfxThrowMemoryException();
  if (!m_bAutoDelete && m_lpBuffer) std::memcpy(block, m_lpBuffer, m_nFileSize);
  m_lpBuffer = static_cast<BYTE*>(block);
  m_nBufferSize = size;
  m_bAutoDelete = true;
}

UINT CMemFile::Read(void* buffer, UINT count) {
  if (m_nPosition >= m_nFileSize || count == 0) return 0;
  UINT available = m_nFileSize - m_nPosition;
  UINT read = count < available ? count : available;
  std::memcpy(buffer, m_lpBuffer + m_nPosition, read);
  m_nPosition += read;
  return read;
}

void CMemFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  if (count > 0xFFFFFFFFu - m_nPosition) AfxThrowFileException(CFileException::diskFull);
  DWORD end = m_nPosition + count;
  GrowTo(end);
  if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_lpBuffer + m_nPosition, buffer, count);
  m_nPosition = end;
  if (end > m_nFileSize) m_nFileSize = end;
}

LONG CMemFile::Seek(LONG offset, UINT from) {
  long long base = from == current ? m_nPosition : from == end ? m_nFileSize : 0;
  long long at = base + offset;
  if (at < 0) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = static_cast<DWORD>(at);
  return static_cast<LONG>(at);
}

void CMemFile::SetLength(DWORD newLength) {
  GrowTo(newLength);
  if (newLength > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, newLength - m_nFileSize);
  m_nFileSize = newLength;
  if (m_nPosition > newLength) m_nPosition = newLength;
}

void CMemFile::Close() { Release(); }
