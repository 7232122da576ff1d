#include "mfc/CFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/KernelObjects.h"
#include "win32/Paths.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

DWORD AccessOf(UINT flags) {
  switch (flags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

DWORD SharingOf(UINT flags) {
  switch (flags & 0x70) {
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;  // compatibility mode is exclusive, as on the platform
  }
}

DWORD DispositionOf(UINT flags) {
  if (!(flags & CFile::modeCreate)) return OPEN_EXISTING;
  return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

}  // namespace

CFile::CFile() = default;

CFile::CFile(const char* fileName, UINT openFlags) {
  CFileException error;
  if (!Open(fileName, openFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
  if (IsOpen()) Abort();
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  if (IsOpen()) Abort();
  m_strFileName = fileName;
  HANDLE handle = CreateFile(fileName, AccessOf(openFlags), SharingOf(openFlags), nullptr, DispositionOf(openFlags),
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    if (error) {
      error->m_lOsError = static_cast<LONG>(GetLastError());
      error->m_cause = CFileException::OsErrorToException(error->m_lOsError);
      error->m_strFileName = fileName;
    }
    return FALSE;
  }
  m_hFile = handle;
  return TRUE;
}

void CFile::ThrowLastError() const {
  LONG osError = static_cast<LONG>(GetLastError());
  AfxThrowFileException(CFileException::OsErrorToException(osError), osError, m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count) {
  if (count == 0) return 0;
  DWORD read = 0;
  if (!ReadFile(m_hFile, buffer, count, &read, nullptr)) ThrowLastError();
  return read;
}

void CFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  DWORD written = 0;
  if (!WriteFile(m_hFile, buffer, count, &written, nullptr)) ThrowLastError();
  if (written != count) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG offset, UINT from) {
  DWORD at = SetFilePointer(m_hFile, offset, nullptr, from);
  if (at == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) ThrowLastError();
  return static_cast<LONG>(at);
}

DWORD CFile::GetPosition() const {
  DWORD at = SetFilePointer(m_hFile, 0, nullptr, FILE_CURRENT);
  if (at == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) ThrowLastError();
  return at;
}

DWORD CFile::GetLength() const {
  DWORD size = GetFileSize(m_hFile, nullptr);
  if (size == INVALID_FILE_SIZE) ThrowLastError();
  return size;
}

void CFile::SetLength(DWORD newLength) {
  DWORD at = GetPosition();
  Seek(static_cast<LONG>(newLength), begin);
  if (!SetEndOfFile(m_hFile)) ThrowLastError();
  if (at < newLength) Seek(static_cast<LONG>(at), begin);
}

void CFile::Flush() {
  if (IsOpen() && !FlushFileBuffers(m_hFile)) ThrowLastError();
}

void CFile::Close() {
  if (IsOpen() && !CloseHandle(m_hFile)) {
    m_hFile = INVALID_HANDLE_VALUE;
    ThrowLastError();
  }
  m_hFile = INVALID_HANDLE_VALUE;
  m_strFileName.Empty();
}

void CFile::Abort() {
  if (IsOpen()) CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  m_strFileName.Empty();
}

namespace {

BOOL FillStatus(const struct stat& st, const CString& fullName, CFileStatus& status) {
  status.m_ctime = CTime(st.st_ctime);
  status.m_mtime = CTime(st.st_mtime);
  status.m_atime = CTime(st.st_atime);
  status.m_size = static_cast<LONG>(st.st_size);
  status.m_attribute = S_ISDIR(st.st_mode) ? CFile::directory : (st.st_mode & S_IWUSR) ? CFile::normal : CFile::readOnly;
  std::strncpy(status.m_szFullName, fullName, _MAX_PATH - 1);
  status.m_szFullName[_MAX_PATH - 1] = '\0';
  return TRUE;
}

}  // namespace

BOOL CFile::GetStatus(CFileStatus& status) const {
  struct stat st;
  int fd = layer::HostDescriptor(m_hFile);
  if (fd < 0 || fstat(fd, &st) != 0) return FALSE;
  return FillStatus(st, m_strFileName, status);
}

BOOL CFile::GetStatus(const char* fileName, CFileStatus& status) {
  struct stat st;
  if (!fileName || stat(layer::HostPath(fileName).c_str(), &st) != 0) return FALSE;
  char full[_MAX_PATH];
  if (GetFullPathName(fileName, _MAX_PATH, full, nullptr) >= _MAX_PATH) std::strncpy(full, fileName, _MAX_PATH - 1);
  full[_MAX_PATH - 1] = '\0';
  return FillStatus(st, full, status);
}

void CFile::Remove(const char* fileName) {
  if (!DeleteFile(fileName)) {
    LONG osError = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(osError), osError, fileName);
  }
}

void CFile::Rename(const char* oldName, const char* newName) {
  if (!MoveFile(oldName, newName)) {
    LONG osError = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(osError), osError, oldName);
  }
}

CString CFile::GetFileName() const {
  int slash = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
  return m_strFileName.Mid(slash + 1);
}
