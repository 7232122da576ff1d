// The catalogue's text codes inside a field or value: byte 1 starts a code,
// the byte after it names its kind. 3: a text by number (four bytes, low
// byte first, then two more; 8 bytes in all); 10: a text by key, the key's
// bytes up to the next byte 1 and one byte after it; 14: another field of
// the same record (its number, then two more bytes; 5 bytes in all), where
// the reader knows records; any other kind skips the code's two bytes. A
// code cut by the end of the bytes ends the text.
#pragma once

#include <functional>

#include "mfc/CString.h"
#include "win32/Types.h"

struct TextCodeLookups {
  std::function<CString(LONG number)> byNumber;
  std::function<CString(const CString& key)> byKey;
  // Unset: code 14 is skipped as an unknown kind.
  std::function<CString(int field)> otherField;
};

CString ExpandTextCodes(const BYTE* bytes, int length, const TextCodeLookups& lookups);
