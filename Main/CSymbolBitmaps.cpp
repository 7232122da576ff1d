#include "Main/CSymbolBitmaps.h"

#include <string_view>

#include "Main/CWV4BMB.h"
#include "Main/TagOperands.h"

CSymbolBitmaps::~CSymbolBitmaps() { DeleteBitmaps(); }

void CSymbolBitmaps::ReadEntry(const char* entry) {
  const std::string_view text(entry);
  const size_t comma = text.find(',');
  m_number = 0;
  if (comma == std::string_view::npos) {
    // An entry without a number is a name alone.
    m_name = entry;
  } else {
    ScanDecimal(text.substr(0, comma), m_number);
    m_name = entry + comma + 1;
  }
  LoadBitmaps();
}

void CSymbolBitmaps::LoadBitmaps() {
  DeleteBitmaps();
  m_width = m_height = 0;
  if (m_name.IsEmpty()) return;
  CSize size;
  if (CWV4BMB::GetBitmapFileSize(m_name + "U.bmp", size)) {
    m_width = size.cx;
    m_height = size.cy;
  }
  const char* suffixes[4] = {"U.bmp", "D.bmp", "F.bmp", "X.bmp"};
  for (int i = 0; i < 4; ++i) m_bitmaps[i] = CWV4BMB::LoadBitmapFromFile(m_name + suffixes[i]);
}

void CSymbolBitmaps::DeleteBitmaps() {
  for (HBITMAP& bitmap : m_bitmaps) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}
