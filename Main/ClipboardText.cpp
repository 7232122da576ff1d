#include "Main/ClipboardText.h"

#include <cstring>

#include "win32/Clipboard.h"
#include "win32/GdiTypes.h"
#include "win32/Memory.h"

BOOL CopyTextToClipboard(HWND owner, const char* text) {
  const SIZE_T size = std::strlen(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return FALSE;
  void* bytes = GlobalLock(block);
  if (bytes == nullptr) {
    GlobalFree(block);
    return FALSE;
  }
  std::memcpy(bytes, text, size);
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return FALSE;
  }
  const bool set = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != nullptr;
  if (!set) GlobalFree(block);
  CloseClipboard();
  return set ? TRUE : FALSE;
}
