// One part of the parts-info window: its column texts and what the window
// found out about it.
#pragma once

#include <cstdint>
#include <vector>

#include "mfc/CString.h"

struct PartsInfoRow {
  CString partNumber;  // for price, history and note look-ups
  int32_t price = 0;   // set when the row is selected; 0 when unknown
  uint16_t vatGroup = 0;
  CString discountGroup;
  std::vector<CString> fields;  // one per column
};

// The lines of an OrderLines block: a new line after every `columns` fields;
// reading stops at the block's closing NUL (its last byte). A field cut by
// the end of the block ends there; a line cut short is filled with empty
// fields.
std::vector<std::vector<CString>> ReadOrderLines(const char* data, int length, int columns);
