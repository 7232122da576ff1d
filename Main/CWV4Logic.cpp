#include "Main/CWV4Logic.h"

IMPLEMENT_DYNCREATE(CWV4Logic, CObject)
