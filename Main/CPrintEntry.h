// One print entry of a face, as the key declares it: three texts that the
// print driver reads, the first a comma-separated list.
#pragma once

#include "mfc/CObject.h"
#include "mfc/CString.h"

class CPrintEntry : public CObject {
 public:
  // The first string as the print driver reads it: a count, then that many
  // frame names, all separated by commas.
  BOOL GetFrameCount(int& count) const;
  BOOL GetFrameName(int index, CString& name) const;

  CString m_first;   // the frame list
  CString m_second;  // the label shown in the print dialog
  CString m_third;   // the form file
};
