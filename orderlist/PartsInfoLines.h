// The order lines that ask the parts-info window for one part: a single line
// with the part key in its column and every other field empty.
#pragma once

#include "foundation/CDynBuf.h"
#include "orderlist/CProtocolApp.h"

// One NUL-ended field per column the library knows (the price column is the
// program's own), then the NUL that ends the block.
CDynBuf PartsInfoLines(const CProtocolApp& app, const CString& key);
