// A file held in memory; it grows in steps of its growth size while written.
#pragma once

#include "mfc/CFile.h"

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)

 public:
  explicit CMemFile(UINT growBytes = 1024);
  // Works on the caller's block; growBytes 0 keeps it from growing.
  CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
  // Hands the block to the caller, who frees it with free(); the file is then empty.
  BYTE* Detach();

  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  LONG Seek(LONG offset, UINT from) override;
  DWORD GetPosition() const override { return m_nPosition; }
  DWORD GetLength() const override { return m_nFileSize; }
  void SetLength(DWORD newLength) override;
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }

 private:
  void GrowTo(DWORD newSize);
  void Release();

  BYTE* m_lpBuffer = nullptr;
  DWORD m_nBufferSize = 0;
  DWORD m_nFileSize = 0;
  DWORD m_nPosition = 0;
  UINT m_nGrowBytes;
  bool m_bAutoDelete = true;
};
