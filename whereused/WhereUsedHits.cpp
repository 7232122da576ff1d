#include "whereused/WhereUsedHits.h"

#include <climits>

#include "whereused/WhereUsedFile.h"

namespace {
// The buffer grows by 2048 bytes at first; each time it passes its limit the
// limit doubles and becomes the growth step, so a search with very many hits
// copies its buffer only a few times.
constexpr int kFirstGrowth = 2048;
constexpr int kFirstLimit = 4096;
}  // namespace

WhereUsedHits::WhereUsedHits(const WhereUsedGeometry& geometry)
    : m_textLength(geometry.textLength),
      m_keyLength(geometry.keyLength),
      m_blockLength(geometry.blockLength),
      m_hitLength(geometry.HitLength()) {
  Clear();
}

void WhereUsedHits::Clear() {
  m_buffer.Empty();
  m_buffer.SetGrowBy(kFirstGrowth);
  m_limit = kFirstLimit;
  m_count = 0;
}

bool WhereUsedHits::Add(const unsigned char* record) {
  if (m_buffer.GetLength() > INT_MAX - m_hitLength) return false;
  while (m_buffer.GetLength() + m_hitLength > m_limit && m_limit <= INT_MAX / 2) {
    m_limit *= 2;
    m_buffer.SetGrowBy(m_limit);
  }
  if (m_hitLength > 0 && m_buffer.Append(record, m_hitLength) == 0) return false;
  ++m_count;
  return true;
}

CString WhereUsedHits::Field(int hit, int offset, int length) const {
  if (hit < 0 || hit >= m_count || length <= 0) return CString();
  const char* field =
      reinterpret_cast<const char*>(m_buffer.GetData()) + static_cast<long long>(hit) * m_hitLength + offset;
  int used = 0;
  while (used < length && field[used] != '\0') ++used;
  return CString(field, used);
}

CString WhereUsedHits::Text(int hit) const { return Field(hit, 0, m_textLength); }
CString WhereUsedHits::Key(int hit) const { return Field(hit, m_textLength, m_keyLength); }
CString WhereUsedHits::Block(int hit) const { return Field(hit, m_textLength + m_keyLength, m_blockLength); }
