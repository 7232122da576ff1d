// An array of untyped pointers; the array does not own what they point to.
#pragma once

#include "mfc/CArray.h"

class CPtrArray : public CArray<void*> {
  DECLARE_DYNAMIC(CPtrArray)
};
