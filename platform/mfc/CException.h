// Exceptions of the class library are thrown as pointers to heap objects;
// the catcher calls Delete() when done with one.
#pragma once

#include "mfc/CObject.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)

 public:
  CException() = default;
  ~CException() override = default;
  void Delete() { delete this; }
  // The text of the error, cut to maxLength - 1 bytes; FALSE when there is none.
  virtual BOOL GetErrorMessage(char* buffer, UINT maxLength, UINT* helpContext = nullptr) const;
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
};

[[noreturn]] void AfxThrowMemoryException();
