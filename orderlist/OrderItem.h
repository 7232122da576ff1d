// One order line in memory. An empty text stands for none; the pricing
// fills the unit-price text, the line total and its text; the order file
// carries the rest.
#pragma once

#include <cstdint>
#include <vector>

#include "mfc/CString.h"

struct OrderItem {
  CString partNumber;
  CString quantity;  // as typed: "." or "," may separate decimals
  CString name;
  CString unitPriceText;
  CString lineTotalText;
  int32_t price = 0;  // in the smallest unit of currency 1
  int64_t lineTotal = 0;  // in the smallest unit of the display currency
  uint16_t vatGroup = 0;
  CString discountGroup;
  // None, or one text per extra column.
  std::vector<CString> extras;

  // The extra text of an extra column, empty when the item has none.
  CString Extra(int index) const;
  // The array for count extra columns, made on first use.
  CString& ExtraSlot(int index, int count);
};
