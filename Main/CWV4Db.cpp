#include "Main/CWV4Db.h"

#include <array>

#include "Main/TagCode.h"

namespace {

// Operand bytes of the statements that an if-branch skip steps over, so that
// operand bytes are never taken for a statement; 0 for tags without fixed
// operands (their texts hold no 0 byte).
constexpr std::array<unsigned char, 171> MakeSkipTable() {
  std::array<unsigned char, 171> table{};
  for (int tag : {10, 16, 99, 108, 112}) table[tag] = 3;
  for (int tag : {18, 23, 24, 25, 36, 43, 50, 51, 58, 61, 63, 98, 101, 109, 117, 150, 151, 153, 154, 170}) table[tag] = 1;
  for (int tag : {19, 20, 113, 114, 129, 136, 137}) table[tag] = 2;
  for (int tag : {31, 32}) table[tag] = 4;
  table[TAG_TEXT_NUMBER] = kTextNumberBytes;
  return table;
}
constexpr std::array<unsigned char, 171> kSkipTable = MakeSkipTable();

// Marker kinds whose payload may hold any byte: how far the kind byte is from
// the marker's closing kind byte.
DWORD MarkerPayloadSkip(unsigned char kind) {
  switch (kind) {
    case MARKER_TEXT_NUMBER: return 6;
    case MARKER_MASTER_FIELD: return 4;
    case MARKER_FIELD: return 3;
    default: return 0;
  }
}

// Moves pos by step; false when that leaves the code.
bool Advance(DWORD& pos, DWORD step, DWORD length) {
  if (pos + step >= length) {
    pos = length == 0 ? 0 : length - 1;
    return false;
  }
  pos += step;
  return true;
}

}  // namespace

CWV4Db::CWV4Db() = default;
CWV4Db::~CWV4Db() = default;

int CWV4Db::SkipToTag(const unsigned char* bytes, DWORD length, DWORD& pos, unsigned char wanted,
                      unsigned char stop) {
  if (!Advance(pos, 1, length)) return 0;
  for (;;) {
    if (bytes[pos] == kStatementByte) {
      if (!Advance(pos, 1, length)) return 0;
      const unsigned char tag = bytes[pos];
      if (tag == wanted) return 1;
      if (stop != 0) {
        if (tag == stop) return 2;
        if (tag < kSkipTable.size() && kSkipTable[tag] != 0 && !Advance(pos, kSkipTable[tag], length)) return 0;
      } else if (const int operand = ValueCodeOperandBytes(tag); operand != 0 && !Advance(pos, operand, length)) {
        return 0;
      }
    }
    if (!Advance(pos, 1, length)) return 0;
  }
}

int CWV4Db::FindMarker(const unsigned char* bytes, DWORD length, DWORD& pos, char wanted) {
  if (!Advance(pos, 1, length)) return 0;
  for (;;) {
    if (bytes[pos] == kMarkerByte) {
      if (!Advance(pos, 1, length)) return 0;
      const unsigned char kind = bytes[pos];
      if (kind == static_cast<unsigned char>(wanted)) return 1;
      const DWORD skip = MarkerPayloadSkip(kind);
      if (skip != 0 && !Advance(pos, skip, length)) return 0;
    }
    if (!Advance(pos, 1, length)) return 0;
  }
}
