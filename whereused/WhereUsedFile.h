// The where-used file: fixed-length records without header or separators,
// each a searchable text, a catalogue key, a block text and flag bytes, their
// lengths given by the ini section that describes the file. A search reads
// the file part by part into one small buffer and scans each part in place;
// only the hits are copied.
#pragma once

#include <climits>
#include <cstddef>

#include "whereused/WhereUsedHits.h"

// The record layout as the ini describes it.
struct WhereUsedGeometry {
  // The most a length or the column count may be: four of them still add
  // up within an int.
  static constexpr int kLongestField = INT_MAX / 4;

  int textLength = 0;
  int keyLength = 0;
  int blockLength = 0;
  int columns = 0;

  // One bit per column; 8 columns take 2 bytes, as the files were written.
  int FlagBytes() const { return columns > 0 ? (columns + 8) / 8 : 0; }
  // Text, key and block: the part of a record that a hit keeps.
  int HitLength() const { return textLength + keyLength + blockLength; }
  long long RecordLength() const { return static_cast<long long>(textLength) + keyLength + blockLength + FlagBytes(); }
  // Nothing negative, and a record length that a hit buffer can count in. A
  // length of 0 is what a missing key gives: a text of 0 bytes matches no
  // search, a key of 0 bytes hands back an empty key.
  bool IsUsable() const;
};

// What a search looks for: a whole-text match with "*" and "?". Without
// caseSensitive each record text is upper-cased before the match, so the
// caller upper-cases the pattern alike. With flag columns only the records
// whose bit for the column is set take part.
struct WhereUsedQuery {
  const char* pattern = "";
  bool caseSensitive = false;
  int column = 0;
};

class WhereUsedFile {
 public:
  enum class Status {
    ok,
    cannotOpen,  // the file is missing or barred
    cannotRead,  // a read failed, or the file is no file of such records
  };

  explicit WhereUsedFile(const WhereUsedGeometry& geometry) : m_geometry(geometry) {}

  // Searches the file, others barred from writing meanwhile, and appends each
  // hit. The geometry is checked before the file is opened, and the file's
  // length before it is read: a file that cannot be taken as records of the
  // geometry is never searched. Bytes after the last whole record are not
  // read.
  Status Search(const char* path, const WhereUsedQuery& query, WhereUsedHits& hits) const;
  // The same over records at hand.
  Status Search(const void* bytes, size_t length, const WhereUsedQuery& query, WhereUsedHits& hits) const;

  const WhereUsedGeometry& Geometry() const { return m_geometry; }

 private:
  bool Fits(size_t fileLength) const;
  // false when the hit buffer is full.
  bool Scan(const unsigned char* records, size_t count, const WhereUsedQuery& query, WhereUsedHits& hits) const;
  bool TakesPart(const unsigned char* record, int column) const;

  WhereUsedGeometry m_geometry;
};
