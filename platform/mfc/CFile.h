// A file of the class library over the platform's file handles. Failures of
// Open are reported through the result and an optional exception record;
// failures of the other operations throw a CFileException*.
#pragma once

#include "mfc/CFileException.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "mfc/CTime.h"

struct CFileStatus {
  CTime m_ctime;
  CTime m_mtime;
  CTime m_atime;
  LONG m_size = 0;
  BYTE m_attribute = 0;
  char m_szFullName[_MAX_PATH] = {};
};

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)

 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = static_cast<int>(0x8000)
  };
  enum Attribute { normal = 0x00, readOnly = 0x01, hidden = 0x02, system = 0x04, volume = 0x08, directory = 0x10, archive = 0x20 };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

  CFile();
  // Opens at once; throws a CFileException* when the open fails.
  CFile(const char* fileName, UINT openFlags);
  ~CFile() override;

  virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual LONG Seek(LONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  DWORD SeekToEnd() { return static_cast<DWORD>(Seek(0, end)); }
  virtual DWORD GetPosition() const;
  virtual DWORD GetLength() const;
  virtual void SetLength(DWORD newLength);
  virtual void Flush();
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();

  BOOL GetStatus(CFileStatus& status) const;
  static BOOL GetStatus(const char* fileName, CFileStatus& status);
  static void Remove(const char* fileName);
  static void Rename(const char* oldName, const char* newName);

  CString GetFileName() const;
  CString GetFilePath() const { return m_strFileName; }
  BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

  HANDLE m_hFile = INVALID_HANDLE_VALUE;

 protected:
  [[noreturn]] void ThrowLastError() const;
  CString m_strFileName;
};
