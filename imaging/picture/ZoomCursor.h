// The zoom cursor that the picture window shows while a zoom rectangle is
// armed or dragged.
#pragma once

#include "win32/UserTypes.h"

// The library's cursor 103, made known to the layer on first use.
HCURSOR ZoomCursor();
