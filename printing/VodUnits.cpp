#include "VodUnits.h"

namespace vod {
namespace {

// A page without extent maps everything to 0 rather than dividing by zero.
DWORD Scale(DWORD value, DWORD to, DWORD from) { return from == 0 ? 0 : value * to / from; }

}  // namespace

DWORD FormToDeviceX(const PageMetrics& page, DWORD x) { return Scale(x, page.deviceWidth, page.formWidth); }

DWORD FormToDeviceY(const PageMetrics& page, DWORD y, bool flip) {
  DWORD d = Scale(y, page.deviceHeight, page.formHeight);
  if (!flip) return d;
  return d > page.deviceHeight ? 0 : page.deviceHeight - d;
}

DWORD DeviceToFormX(const PageMetrics& page, DWORD x) { return Scale(x, page.formWidth, page.deviceWidth); }

DWORD DeviceToFormY(const PageMetrics& page, DWORD y, bool noFlip) {
  if (!noFlip) y = y > page.deviceHeight ? 0 : page.deviceHeight - y;
  return Scale(y, page.formHeight, page.deviceHeight);
}

}  // namespace vod
