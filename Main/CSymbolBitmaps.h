// A symbol of a face's symbol table: its number, its name (the stem of its
// bitmap files), the size of its picture, the margins around it in a table
// cell and its four pictures: normal, selected, focus and disabled.
#pragma once

#include "mfc/CString.h"
#include "win32/Gdi.h"

class CSymbolBitmaps {
 public:
  CSymbolBitmaps() = default;
  ~CSymbolBitmaps();
  CSymbolBitmaps(const CSymbolBitmaps&) = delete;
  CSymbolBitmaps& operator=(const CSymbolBitmaps&) = delete;

  // Takes number and name from an entry of the form "number,name" (an entry
  // without a comma is a name with the number 0) and loads the pictures from
  // the files name + "U.bmp", "D.bmp", "F.bmp" and "X.bmp".
  void ReadEntry(const char* entry);
  HBITMAP Normal() const { return m_bitmaps[0]; }

  int m_number = 0;
  CString m_name;
  int m_width = 0;
  int m_height = 0;
  int m_margins[4] = {0, 0, 0, 0};  // left, top, right, bottom
  HBITMAP m_bitmaps[4] = {nullptr, nullptr, nullptr, nullptr};

 private:
  void LoadBitmaps();
  void DeleteBitmaps();
};
