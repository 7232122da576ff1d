#include "Main/CLogFile.h"

#include "foundation/CDynBuf.h"
#include "win32/Clock.h"

CLogFile::CLogFile(const char* path) : m_path(path) {}

CLogFile::~CLogFile() {
  Close();
  delete m_file;
}

BOOL CLogFile::Open() {
  if (m_file == nullptr) m_file = new CFile;
  if (!m_file->Open(m_path, CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate |
                                CFile::shareDenyWrite | CFile::typeBinary)) {
    return FALSE;
  }
  try {
    m_file->SeekToEnd();
  } catch (CFileException* e) {
    e->Delete();
    m_file->Abort();
    return FALSE;
  }
  m_open = TRUE;
  return TRUE;
}

BOOL CLogFile::Close() {
  if (!m_open) return TRUE;
  m_open = FALSE;
  try {
    m_file->Close();
  } catch (CFileException* e) {
    e->Delete();
    m_file->Abort();
    return FALSE;
  }
  return TRUE;
}

void CLogFile::WriteEntry(const char* text) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (!m_open && !Open()) return;
  CString dateLine;
  dateLine.Format("%c%02d.%02d.%d   %02d:%02d:%02d\r\n", kEntryMark, now.wDay, now.wMonth, now.wYear, now.wHour,
                  now.wMinute, now.wSecond);
  CDynBuf entry;
  entry.Append(dateLine);
  entry.Append(text);
  entry.Append("\r\n\r\n");
  try {
    m_file->Write(entry.GetData(), static_cast<UINT>(entry.GetLength()));
    m_file->Flush();
    if (m_file->GetLength() > kMaxLogBytes) CutToLimit();
  } catch (CFileException* e) {
    e->Delete();
  }
}

// Keeps the tail from the first entry mark that lies within the last
// kMaxLogBytes; a single entry longer than that stays whole.
void CLogFile::CutToLimit() {
  const DWORD length = m_file->GetLength();
  CDynBuf content;
  content.SetLength(static_cast<int>(length));
  m_file->SeekToBegin();
  if (m_file->Read(content.GetData(), length) != length) {
    m_file->SeekToEnd();
    return;
  }
  const int keepFrom = content.Find(kEntryMark, static_cast<int>(length - kMaxLogBytes));
  if (keepFrom < 0) {
    m_file->SeekToEnd();
    return;
  }
  m_file->SetLength(0);
  m_file->SeekToBegin();
  m_file->Write(content.GetData() + keepFrom, length - static_cast<DWORD>(keepFrom));
  m_file->Flush();
}
