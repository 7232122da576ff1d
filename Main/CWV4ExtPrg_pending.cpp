// Until the external-program runner is merged in, every program number is
// unknown to the list.
#include "Main/CErrorTrace.h"
#include "Main/CWV4ExtPrg.h"

BOOL CExtPrg::Run(int number, BOOL /*wait*/, const char* /*extra*/, DWORD* /*processId*/) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  ERROR_TRACE_FAIL(node, SEVERITY_ERROR, 255, "", number);
  return FALSE;
}
