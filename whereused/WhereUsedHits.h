// The hits of one where-used search: the text, key and block of each matching
// record, one after the other in one growing buffer, so that a search that
// finds half a million records needs no object per hit.
#pragma once

#include "foundation/CDynBuf.h"
#include "mfc/CString.h"

struct WhereUsedGeometry;

class WhereUsedHits {
 public:
  explicit WhereUsedHits(const WhereUsedGeometry& geometry);

  void Clear();
  // Keeps the first text, key and block bytes of the record; false when no
  // memory is left for it.
  bool Add(const unsigned char* record);

  int Count() const { return m_count; }
  // Each field ends at its first NUL or its full length.
  CString Text(int hit) const;
  CString Key(int hit) const;
  CString Block(int hit) const;

  const CDynBuf& Buffer() const { return m_buffer; }

 private:
  CString Field(int hit, int offset, int length) const;

  int m_textLength;
  int m_keyLength;
  int m_blockLength;
  int m_hitLength;
  CDynBuf m_buffer;
  int m_limit = 0;
  int m_count = 0;
};
