// An array of strings, each held by value.
#pragma once

#include "mfc/CArray.h"
#include "mfc/CString.h"

class CStringArray : public CArray<CString> {
  DECLARE_DYNAMIC(CStringArray)
};
