#include "Main/KeyCommand.h"

#include <cstring>

#include "win32/UserMessages.h"

UINT KeyCommandMessageId() {
  static const UINT id = RegisterWindowMessage("VANRO4_KEY_COMMAND");
  return id;
}

BOOL PostKeyCommand(HWND window, WPARAM flag, const char* key) {
  const size_t length = std::strlen(key);
  char* copy = new char[length + 1];
  std::memcpy(copy, key, length + 1);
  if (window == nullptr || !PostMessage(window, KeyCommandMessageId(), flag, reinterpret_cast<LPARAM>(copy))) {
    delete[] copy;
    return FALSE;
  }
  return TRUE;
}

CString TakeKeyCommandKey(LPARAM param) {
  char* copy = reinterpret_cast<char*>(param);
  if (copy == nullptr) return CString();
  CString key(copy);
  delete[] copy;
  return key;
}
