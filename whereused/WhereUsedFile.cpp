#include "whereused/WhereUsedFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "foundation/MatchText.h"
#include "mfc/CFile.h"
#include "mfc/CFileException.h"
#include "win32/Codepage.h"

namespace {

// Byte maps for the record texts: as they are, or upper-cased by the
// code page's rules, as the pattern was.
struct CaseMaps {
  unsigned char same[256];
  unsigned char upper[256];
  CaseMaps() {
    for (int c = 0; c < 256; ++c) {
      same[c] = static_cast<unsigned char>(c);
      upper[c] = layer::Cp1252ToUpper(static_cast<unsigned char>(c));
    }
  }
};

const CaseMaps& Maps() {
  static const CaseMaps maps;
  return maps;
}

// A pattern without wildcards matches only the identical whole text, so a
// record is decided by its bytes in place. A pattern with wildcards is tried
// only on texts that begin with its lead, the part before the first wildcard;
// most records fail there without being copied.
class Matcher {
 public:
  Matcher(const char* pattern, int textLength, const unsigned char* map)
      : m_pattern(pattern), m_textLength(textLength), m_map(map), m_text(static_cast<size_t>(textLength) + 1, '\0') {
    const size_t wildcard = m_pattern.find_first_of("*?");
    m_literal = wildcard == std::string::npos;
    m_lead = m_literal ? m_pattern.size() : wildcard;
    // After the last star, a run without "?" must end the text: records that
    // do not end so are refused before they are copied and matched.
    const size_t lastStar = m_pattern.rfind('*');
    if (!m_literal && lastStar != std::string::npos && m_pattern.find('?', lastStar) == std::string::npos)
      m_tail = m_pattern.substr(lastStar + 1);
  }

  bool Matches(const unsigned char* text) {
    if (m_pattern.empty()) return false;
    return m_literal ? IsIdentical(text)
                     : LeadMatches(text) && TailMatches(text) && MatchText(Copy(text), m_pattern.c_str()) == 1;
  }

 private:
  bool IsIdentical(const unsigned char* text) const {
    const size_t length = m_pattern.size();
    if (length > static_cast<size_t>(m_textLength)) return false;
    if (length < static_cast<size_t>(m_textLength) && text[length] != 0) return false;
    return LeadMatches(text);
  }
  // The pattern's bytes hold no NUL, so a text that ends early fails here.
  bool LeadMatches(const unsigned char* text) const {
    if (m_lead > static_cast<size_t>(m_textLength)) return false;
    for (size_t i = 0; i < m_lead; ++i) {
      if (m_map[text[i]] != static_cast<unsigned char>(m_pattern[i])) return false;
    }
    return true;
  }
  bool TailMatches(const unsigned char* text) const {
    if (m_tail.empty()) return true;
    size_t length = 0;
    while (length < static_cast<size_t>(m_textLength) && text[length] != 0) ++length;
    if (length < m_tail.size()) return false;
    const unsigned char* end = text + (length - m_tail.size());
    for (size_t i = 0; i < m_tail.size(); ++i) {
      if (m_map[end[i]] != static_cast<unsigned char>(m_tail[i])) return false;
    }
    return true;
  }
  const char* Copy(const unsigned char* text) {
    int i = 0;
    for (; i < m_textLength && text[i] != 0; ++i) m_text[i] = static_cast<char>(m_map[text[i]]);
    m_text[i] = '\0';
    return m_text.data();
  }

  std::string m_pattern;
  int m_textLength;
  const unsigned char* m_map;
  std::string m_text;
  bool m_literal = true;
  size_t m_lead = 0;
  std::string m_tail;
};

}  // namespace

// Parts of this size stay in the processor's cache while they are scanned.
constexpr size_t kPartBytes = 256 * 1024;

bool WhereUsedGeometry::IsUsable() const {
  return textLength >= 0 && keyLength >= 0 && blockLength >= 0 && columns >= 0 && RecordLength() <= INT_MAX;
}

// A file that is not empty holds at least one whole record; otherwise its
// geometry cannot be the one it was written with. Records of no bytes hold
// nothing to find.
bool WhereUsedFile::Fits(size_t fileLength) const {
  return m_geometry.IsUsable() && (fileLength == 0 || static_cast<size_t>(m_geometry.RecordLength()) <= fileLength);
}

WhereUsedFile::Status WhereUsedFile::Search(const char* path, const WhereUsedQuery& query, WhereUsedHits& hits) const {
  if (!m_geometry.IsUsable()) return Status::cannotRead;
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return Status::cannotOpen;
  try {
    const size_t length = file.GetLength();
    if (!Fits(length)) return Status::cannotRead;
    const size_t recordLength = static_cast<size_t>(m_geometry.RecordLength());
    if (recordLength == 0) return Status::ok;
    const size_t perPart = std::max<size_t>(1, kPartBytes / recordLength);
    size_t left = length / recordLength;
    std::unique_ptr<unsigned char[]> part(
        new (std::nothrow) unsigned char[std::min(perPart, std::max<size_t>(left, 1)) * recordLength]);
    if (!part) return Status::cannotRead;
    while (left > 0) {
      const size_t count = std::min(perPart, left);
      const UINT bytes = static_cast<UINT>(count * recordLength);
      if (file.Read(part.get(), bytes) != bytes) return Status::cannotRead;
      if (!Scan(part.get(), count, query, hits)) break;
      left -= count;
    }
  } catch (CFileException* error) {
    error->Delete();
    return Status::cannotRead;
  }
  return Status::ok;
}

WhereUsedFile::Status WhereUsedFile::Search(const void* bytes, size_t length, const WhereUsedQuery& query,
                                            WhereUsedHits& hits) const {
  if (!Fits(length)) return Status::cannotRead;
  const size_t recordLength = static_cast<size_t>(m_geometry.RecordLength());
  if (recordLength > 0) Scan(static_cast<const unsigned char*>(bytes), length / recordLength, query, hits);
  return Status::ok;
}

// Column c is bit c mod 8 of flag byte c / 8; a column beyond the flag bytes
// has no bit, so no record takes part in it.
bool WhereUsedFile::TakesPart(const unsigned char* record, int column) const {
  const int flagBytes = m_geometry.FlagBytes();
  if (flagBytes == 0) return true;
  if (column < 0 || column / 8 >= flagBytes) return false;
  const unsigned char flags = record[m_geometry.HitLength() + column / 8];
  return (flags & (1u << (column % 8))) != 0;
}

bool WhereUsedFile::Scan(const unsigned char* records, size_t count, const WhereUsedQuery& query,
                         WhereUsedHits& hits) const {
  if (query.pattern == nullptr) return true;
  const size_t recordLength = static_cast<size_t>(m_geometry.RecordLength());
  Matcher matcher(query.pattern, m_geometry.textLength, query.caseSensitive ? Maps().same : Maps().upper);
  const unsigned char* record = records;
  for (size_t r = 0; r < count; ++r, record += recordLength) {
    if (!TakesPart(record, query.column) || !matcher.Matches(record)) continue;
    if (!hits.Add(record)) return false;
  }
  return true;
}
