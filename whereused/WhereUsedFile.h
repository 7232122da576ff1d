// The where-used file: fixed-length records without header or separators,
// each a searchable text, a catalogue key, a block text and flag bytes, their
// lengths given by the ini section that describes the file. The file is read
// whole and scanned in place; only the hits are copied.
#pragma once

#include <cstddef>
#include <memory>

#include "whereused/WhereUsedHits.h"

// The record layout as the ini describes it.
struct WhereUsedGeometry {
  int textLength = 0;
  int keyLength = 0;
  int blockLength = 0;
  int columns = 0;

  // One bit per column; 8 columns take 2 bytes, as the files were written.
  int FlagBytes() const { return columns > 0 ? (columns + 8) / 8 : 0; }
  // Text, key and block: the part of a record that a hit keeps.
  int HitLength() const { return textLength + keyLength + blockLength; }
  long long RecordLength() const { return static_cast<long long>(textLength) + keyLength + blockLength + FlagBytes(); }
  // A text and a key of at least one byte, nothing negative, and a record
  // length that a hit buffer can count in.
  bool IsUsable() const;
};

class WhereUsedFile {
 public:
  enum class Status {
    ok,
    cannotOpen,  // the file is missing or barred
    cannotRead,  // a read failed, or the file is no file of such records
  };

  explicit WhereUsedFile(const WhereUsedGeometry &geometry) : m_geometry(geometry) {}

  // Reads the whole file, others barred from writing meanwhile. The geometry
  // is checked first: a file that cannot be taken as its records is never
  // searched.
  Status Read(const char *path);
  // The same for bytes at hand.
  Status Assign(const void *bytes, size_t length);

  const WhereUsedGeometry &Geometry() const { return m_geometry; }
  // Whole records only: bytes after the last whole record are not read.
  size_t RecordCount() const;

  // Appends every record that takes part in a search on the flag column and
  // whose text matches the pattern (a whole-text match with "*" and "?");
  // without caseSensitive each record text is upper-cased before the match,
  // so the caller upper-cases the pattern alike.
  void Search(const char *pattern, bool caseSensitive, int column, WhereUsedHits &hits) const;

 private:
  Status CheckFits() const;
  bool TakesPart(const unsigned char *record, int column) const;

  WhereUsedGeometry m_geometry;
  std::unique_ptr<unsigned char[]> m_bytes;
  size_t m_length = 0;
};
