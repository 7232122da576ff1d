// The capabilities of the output device as one text: the printer chosen as
// for a job, or the screen when the pages go to the preview window.
#pragma once

#include <string>

#include "win32/Types.h"

namespace vod {

class VodContext;

// The lines of the text for the device context dc, each ending in "\r\n".
std::string DeviceInfoText(VodContext& context, HDC dc, bool printer);
// Shows the text in a box (and as a debug string); without a device, text 270.
void ShowDeviceInfo(VodContext& context);

}  // namespace vod
