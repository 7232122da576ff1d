#include "mfc/CException.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)

BOOL CException::GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;
  if (buffer && maxLength > 0) *buffer = '\0';
  return FALSE;
}

void AfxThrowMemoryException() { throw new CMemoryException; }
