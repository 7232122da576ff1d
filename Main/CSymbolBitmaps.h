// A symbol of a face's symbol table: its number, its name (the stem of its
// bitmap files) and the margins around it in a table cell.
#pragma once

#include "mfc/CString.h"

class CSymbolBitmaps {
 public:
  // Takes number and name from an entry of the form "number,name"; an
  // entry without a comma is a name with the number 0.
  void ReadEntry(const char* entry);

  int m_number = 0;
  CString m_name;
  int m_width = 0;
  int m_height = 0;
  int m_margins[4] = {0, 0, 0, 0};
};
