// Appends dated entries to a text log and keeps it from growing past
// kMaxLogBytes: an over-long log loses its oldest whole entries.
#pragma once

#include "mfc/CFile.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CLogFile : public CObject {
 public:
  static constexpr DWORD kMaxLogBytes = 50000;
  static constexpr char kEntryMark = 0x01;

  explicit CLogFile(const char* path);
  ~CLogFile() override;
  CLogFile(const CLogFile&) = delete;
  CLogFile& operator=(const CLogFile&) = delete;

  void WriteEntry(const char* text);
  BOOL Open();
  BOOL Close();

  const CString& GetPath() const { return m_path; }

 private:
  void CutToLimit();

  CString m_path;
  CFile* m_file = nullptr;
  BOOL m_open = FALSE;
};
