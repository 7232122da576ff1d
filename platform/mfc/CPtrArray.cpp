#include "mfc/CPtrArray.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
