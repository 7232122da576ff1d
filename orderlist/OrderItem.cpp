#include "orderlist/OrderItem.h"

CString OrderItem::Extra(int index) const {
  return index >= 0 && static_cast<size_t>(index) < extras.size() ? extras[static_cast<size_t>(index)] : CString();
}

CString& OrderItem::ExtraSlot(int index, int count) {
  if (extras.empty()) extras.resize(static_cast<size_t>(count));
  return extras[static_cast<size_t>(index)];
}
