#include "Main/FileBytes.h"

#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "win32/Files.h"

FileRead ReadFileBytes(const char* path, CDynBuf& content) {
  content.Empty();
  CFileStatus status;
  if (!CFile::GetStatus(path, status)) return FileRead::Missing;
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return FileRead::NotOpened;
  try {
    const DWORD length = file.GetLength();
    if (length > 0x7FFFFFF0u || !content.SetLength(static_cast<int>(length))) return FileRead::Short;
    if (file.Read(content.GetData(), length) != length) {
      content.Empty();
      return FileRead::Short;
    }
  } catch (CFileException* e) {
    e->Delete();
    content.Empty();
    return FileRead::Short;
  }
  return FileRead::Done;
}

BOOL WriteFileReplacing(const char* path, const CDynBuf& content) {
  const CString fresh = CString(path) + ".~new";
  CFile out;
  if (!out.Open(fresh, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary)) return FALSE;
  try {
    out.Write(content.GetData(), static_cast<UINT>(content.GetLength()));
    out.Flush();
    out.Close();
  } catch (CFileException* e) {
    e->Delete();
    out.Abort();
    DeleteFile(fresh);
    return FALSE;
  }
  if (!MoveFileEx(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFile(fresh);
    return FALSE;
  }
  return TRUE;
}
