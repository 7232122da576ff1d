#include "mfc/CFileException.h"

#include <cstdio>

#include "win32/Errors.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG osError, const char* fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

int CFileException::OsErrorToException(LONG osError) {
  switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return generic;
  }
}

BOOL CFileException::GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext) const {
  static const char* const kCauses[] = {"no error",        "generic error",       "file not found",
                                        "bad path",        "too many open files", "access denied",
                                        "invalid file",    "cannot remove the current folder",
                                        "folder full",     "bad seek",            "hardware I/O error",
                                        "sharing violation", "lock violation",    "disk full",
                                        "end of file"};
  if (helpContext) *helpContext = 0;
  if (!buffer || maxLength == 0) return FALSE;
  const char* cause = m_cause >= none && m_cause <= endOfFile ? kCauses[m_cause] : "unknown error";
  std::snprintf(buffer, maxLength, "%s: %s", m_strFileName.IsEmpty() ? "file" : (const char*)m_strFileName, cause);
  return TRUE;
}

void AfxThrowFileException(int cause, LONG osError, const char* fileName) {
  throw new CFileException(cause, osError, fileName);
}
