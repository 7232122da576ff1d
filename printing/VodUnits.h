// Form units (tenths of a millimetre) and device units (pixels of the page),
// in unsigned 32-bit arithmetic as the page output computes them.
#pragma once

#include "win32/Types.h"

namespace vod {

struct PageMetrics {
  DWORD formWidth = 0, formHeight = 0;
  DWORD deviceWidth = 0, deviceHeight = 0;
};

DWORD FormToDeviceX(const PageMetrics& page, DWORD x);
// flip set: measured from the bottom of the page, never below 0.
DWORD FormToDeviceY(const PageMetrics& page, DWORD y, bool flip);
DWORD DeviceToFormX(const PageMetrics& page, DWORD x);
// noFlip clear: y is measured from the bottom first.
DWORD DeviceToFormY(const PageMetrics& page, DWORD y, bool noFlip);

}  // namespace vod
