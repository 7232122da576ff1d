#include "interfaces/QorDdm.h"

DWORD DdmGetVersion() { return 0x01020047u; }
