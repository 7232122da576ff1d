#include "Main/CFrameBuf.h"

#include <cstring>

#include "Main/CErrorTrace.h"
#include "Main/TagCode.h"
#include "Main/TagOperands.h"

namespace {

constexpr int ERR_NO_STATEMENT = 196;
constexpr int ERR_STREAM_ENDED = 197;
constexpr int ERR_TAG_ZERO = 198;
constexpr int ERR_TAG_ONE = 199;
constexpr int ERR_NO_OPERAND = 200;
constexpr int ERR_TEXT_UNENDED = 201;
constexpr int ERR_BLOCK_UNENDED = 202;

// The steps succeed far more often than they fail, so a step's trace node is
// made only when it fails; the trace reads the same as with a node kept
// through the whole step.
BOOL Fail(int line, int code, const char* detail, int value) {
  CErrorTrace::Push(__FILE__, __TIMESTAMP__, line)->Fail(line, SEVERITY_ERROR, code, detail, value);
  return FALSE;
}

// The byte at index; the end of the buffer and beyond read as 0, as the
// buffer's own terminating byte does.
unsigned char ByteAt(const CDynBuf& buf, int index) {
  return index >= 0 && index < buf.GetLength() ? buf.GetData()[index] : 0;
}

// The index of the next 0 byte at or after from, -1 when there is none.
int NextStatement(const CDynBuf& buf, int from) {
  if (from < 0 || from >= buf.GetLength()) return -1;
  const unsigned char* start = buf.GetData() + from;
  const void* zero = std::memchr(start, 0, static_cast<size_t>(buf.GetLength() - from));
  return zero == nullptr ? -1 : from + static_cast<int>(static_cast<const unsigned char*>(zero) - start);
}

}  // namespace

BOOL CFrameBuf::FindFrame(const CDynBuf& buf, int& pos, const char* name) {
  pos = NextStatement(buf, 0);
  while (pos >= 0) {
    if (buf.GetLength() < pos + 2) return FALSE;
    const unsigned char tag = ByteAt(buf, pos + 1);
    pos += 2;
    if (tag == TAG_GROUP) {
      CString text;
      if (!ReadString(buf, pos, text)) return FALSE;
      if (std::strcmp(text, name) == 0) return TRUE;
    } else if (tag == TAG_END) {
      return FALSE;
    } else if (!IsScreenTextTag(tag)) {
      // Block statements are walked through, not skipped, so that the
      // statements inside them are seen.
      pos += ScreenOperandLength(tag);
      if (pos > buf.GetLength()) return FALSE;
    }
    pos = NextStatement(buf, pos);
  }
  return FALSE;
}

BOOL CFrameBuf::ReadTag(const CDynBuf& buf, int& pos, unsigned char& tag) {
  if (pos < 0 || ByteAt(buf, pos) != kStatementByte) {
    CString detail;
    detail.Format("Index : %d", pos);
    return Fail(__LINE__, ERR_NO_STATEMENT, detail, ByteAt(buf, pos));
  }
  if (++pos > buf.GetLength()) return Fail(__LINE__, ERR_STREAM_ENDED, "", pos);
  tag = ByteAt(buf, pos);
  if (tag == TAG_END) return Fail(__LINE__, ERR_TAG_ZERO, "", pos);
  if (tag == kMarkerByte) return Fail(__LINE__, ERR_TAG_ONE, "", pos);
  if (++pos > buf.GetLength()) {
    CString detail;
    detail.Format("Action 0x%02X", tag);
    return Fail(__LINE__, ERR_NO_OPERAND, detail, pos);
  }
  return TRUE;
}

BOOL CFrameBuf::ReadString(const CDynBuf& buf, int& pos, CString& text) {
  const int end = NextStatement(buf, pos);
  if (end < 0) {
    const int at = pos;
    pos = -1;
    return Fail(__LINE__, ERR_TEXT_UNENDED, "", at);
  }
  text = CString(reinterpret_cast<const char*>(buf.GetData() + pos), end - pos);
  pos = end;
  return TRUE;
}

BOOL CFrameBuf::ReadBlock(const CDynBuf& buf, int& pos, unsigned char endTag, CDynBuf& out) {
  const int start = pos;
  auto unended = [&]() {
    CString detail;
    detail.Format("Tag 0x%02X", endTag);
    pos = -1;
    return Fail(__LINE__, ERR_BLOCK_UNENDED, detail, start);
  };
  if (start < 0 || start >= buf.GetLength()) return unended();
  const unsigned char* bytes = buf.GetData();
  int end = -1;
  for (int at = start + 1; at < buf.GetLength(); ++at) {
    const void* hit = std::memchr(bytes + at, endTag, static_cast<size_t>(buf.GetLength() - at));
    if (hit == nullptr) break;
    at = static_cast<int>(static_cast<const unsigned char*>(hit) - bytes);
    if (bytes[at - 1] == kStatementByte) {
      end = at;
      break;
    }
  }
  if (end < 0) return unended();
  if (!out.Append(bytes + start, end - start + 1)) return unended();
  pos = end + 1;
  if (buf.GetLength() < end + 2) return unended();
  return TRUE;
}
