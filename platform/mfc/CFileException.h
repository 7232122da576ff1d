// A failed file operation, with the class library's cause code and the
// platform's error code.
#pragma once

#include "mfc/CException.h"
#include "mfc/CString.h"

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)

 public:
  enum {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr);
  ~CFileException() override = default;

  // The cause code for a platform error code.
  static int OsErrorToException(LONG osError);
  BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const override;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, const char* fileName = nullptr);
