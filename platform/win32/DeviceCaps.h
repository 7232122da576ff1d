// What GetDeviceCaps answers for a device: the screen, a printer with its
// paper and resolution, or the reference device of a recorded page (not for
// the system's code).
#pragma once

#include "win32/GdiPrint.h"

namespace layer {

struct DeviceCaps {
  int technology = DT_RASDISPLAY;
  int driverVersion = 0x0400;
  int horzRes = 0;  // pixels of the drawable area
  int vertRes = 0;
  int horzSize = 0;  // millimetres of the drawable area
  int vertSize = 0;
  int logPixelsX = 96;
  int logPixelsY = 96;
  int bitsPixel = 32;
  int planes = 1;
  int numColors = -1;
  int rasterCaps = 0;
  int textCaps = 0;
  int sizePalette = 0;
  int numReserved = 20;
  int physicalWidth = 0;  // printers: the whole paper and where the drawable area starts on it
  int physicalHeight = 0;
  int physicalOffsetX = 0;
  int physicalOffsetY = 0;

  int Get(int index) const;
};

// The screen's capabilities, from the screen's size (also those of memory
// contexts and of recordings without a reference).
DeviceCaps ScreenCaps();

}  // namespace layer
