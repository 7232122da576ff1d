// The order files of the order folder as the order dialogs list them: name
// (the file's title without extension) and last-write time, sorted by name.
#pragma once

#include <cstdint>
#include <vector>

#include "mfc/CListCtrl.h"
#include "mfc/CString.h"
#include "orderlist/CProtocolApp.h"

struct OrderFileRow {
  CString name;
  CString written;  // "%d.%m.%Y %H:%M:%S"
  int64_t when = 0;  // the last write, for sorting
};

std::vector<OrderFileRow> ListOrderFiles(const CString& orderDir);
// The selected row's index, or -1.
int SelectedRow(const CListCtrl& list);
