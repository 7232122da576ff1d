#include "foundation/TextCodes.h"

#include <cstring>

namespace {

constexpr BYTE kCode = 1;
constexpr BYTE kTextByNumber = 3;
constexpr BYTE kTextByKey = 10;
constexpr BYTE kOtherField = 14;
constexpr int kTextByNumberLength = 8;
constexpr int kOtherFieldLength = 5;

LONG ReadLong(const BYTE* bytes) {
  return static_cast<LONG>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24);
}

}  // namespace

CString ExpandTextCodes(const BYTE* bytes, int length, const TextCodeLookups& lookups) {
  CString out;
  if (!bytes || length <= 0) return out;
  int pos = 0;
  while (pos < length) {
    const BYTE* code = static_cast<const BYTE*>(std::memchr(bytes + pos, kCode, static_cast<size_t>(length - pos)));
    const int end = code ? static_cast<int>(code - bytes) : length;
    out += CString(reinterpret_cast<const char*>(bytes + pos), end - pos);
    if (!code || end + 1 >= length) break;
    const BYTE kind = bytes[end + 1];
    if (kind == kTextByNumber) {
      if (length - end < kTextByNumberLength) break;
      out += lookups.byNumber(ReadLong(bytes + end + 2));
      pos = end + kTextByNumberLength;
    } else if (kind == kTextByKey) {
      const BYTE* close =
          static_cast<const BYTE*>(std::memchr(bytes + end + 2, kCode, static_cast<size_t>(length - end - 2)));
      if (!close) break;
      out += lookups.byKey(CString(reinterpret_cast<const char*>(bytes + end + 2), static_cast<int>(close - bytes) - end - 2));
      pos = static_cast<int>(close - bytes) + 2;
    } else if (kind == kOtherField && lookups.otherField) {
      if (length - end < kOtherFieldLength) break;
      out += lookups.otherField(bytes[end + 2]);
      pos = end + kOtherFieldLength;
    } else {
      pos = end + 2;
    }
  }
  return out;
}
