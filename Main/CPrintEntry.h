// One print entry of a face, as the key declares it: three texts that the
// print driver reads, the first a comma-separated list.
#pragma once

#include "mfc/CObject.h"
#include "mfc/CString.h"

class CPrintEntry : public CObject {
 public:
  CString m_first;
  CString m_second;
  CString m_third;
};
