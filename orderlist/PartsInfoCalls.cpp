#include "orderlist/PartsInfoCalls.h"

PartsInfoCalls& ThePartsInfoCalls() {
  static PartsInfoCalls calls;
  return calls;
}
