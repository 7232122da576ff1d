#include "win32/DeviceCaps.h"

#include "win32/UserWindows.h"

namespace layer {

int DeviceCaps::Get(int index) const {
  switch (index) {
    case DRIVERVERSION: return driverVersion;
    case TECHNOLOGY: return technology;
    case HORZSIZE: return horzSize;
    case VERTSIZE: return vertSize;
    case HORZRES: return horzRes;
    case VERTRES: return vertRes;
    case BITSPIXEL: return bitsPixel;
    case PLANES: return planes;
    case NUMCOLORS: return numColors;
    case RASTERCAPS: return rasterCaps;
    case TEXTCAPS: return textCaps;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX: return logPixelsX;
    case LOGPIXELSY: return logPixelsY;
    case SIZEPALETTE: return sizePalette;
    case NUMRESERVED: return numReserved;
    case PHYSICALWIDTH: return physicalWidth;
    case PHYSICALHEIGHT: return physicalHeight;
    case PHYSICALOFFSETX: return physicalOffsetX;
    case PHYSICALOFFSETY: return physicalOffsetY;
    default: return 0;
  }
}

DeviceCaps ScreenCaps() {
  DeviceCaps caps;
  caps.horzRes = GetSystemMetrics(SM_CXSCREEN);
  caps.vertRes = GetSystemMetrics(SM_CYSCREEN);
  caps.horzSize = MulDiv(caps.horzRes, 254, 960);
  caps.vertSize = MulDiv(caps.vertRes, 254, 960);
  // Bit blocks and pictures in every form; no palette: the screen has true colour.
  caps.rasterCaps = RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
  caps.textCaps = TC_OP_CHARACTER | TC_OP_STROKE | TC_CP_STROKE | TC_SA_DOUBLE | TC_SA_INTEGER | TC_SA_CONTIN |
                  TC_UA_ABLE | TC_SO_ABLE;
  return caps;
}

}  // namespace layer
