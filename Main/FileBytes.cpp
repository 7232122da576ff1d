#include "Main/FileBytes.h"

#include "mfc/CFile.h"
#include "mfc/CFileException.h"

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
