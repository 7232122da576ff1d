#include "VodDeviceInfo.h"

#include "VodContext.h"
#include "VodReport.h"
#include "VodSettings.h"
#include "VodUi.h"
#include "win32/DebugOutput.h"
#include "win32/GdiPrint.h"

namespace vod {
namespace {

constexpr int kTechnologyTexts = 330;
constexpr int kLastTechnology = DT_DISPFILE;

struct RasterCapability {
  int bit, text;
};
constexpr RasterCapability kRasterCapabilities[] = {
    {RC_BANDING, 341},  {RC_BITBLT, 342},  {RC_BITMAP64, 343},      {RC_DI_BITMAP, 344},
    {RC_DIBTODEV, 345}, {RC_FLOODFILL, 346}, {RC_GDI20_OUTPUT, 347}, {RC_PALETTE, 348},
    {RC_SCALING, 349},  {RC_STRETCHBLT, 350}, {RC_STRETCHDIB, 351},
};

}  // namespace

std::string DeviceInfoText(VodContext& context, HDC dc, bool printer) {
  std::string text;
  auto line = [&text, &context](int number, auto... values) {
    text += FormatMessage(LoadText(context, number).c_str(), values...) + "\r\n";
  };
  auto caps = [dc](int index) { return GetDeviceCaps(dc, index); };
  if (printer)
    line(328, context.printer.device.c_str(), context.printer.port.c_str(), context.printer.driver.c_str());
  else
    line(356);
  int driverVersion = caps(DRIVERVERSION);
  std::optional<DEVMODE> mode = context.printer.ChosenMode();
  int modeVersion = mode ? mode->dmDriverVersion : 0;
  line(329, driverVersion >> 8, driverVersion & 0xFF, modeVersion >> 8, modeVersion & 0xFF);
  int technology = caps(TECHNOLOGY);
  if (technology >= 0 && technology <= kLastTechnology) line(kTechnologyTexts + technology);
  line(337, caps(HORZRES), caps(VERTRES));
  line(338, caps(HORZSIZE), caps(VERTSIZE));
  if (printer) {
    line(357, caps(PHYSICALOFFSETX), caps(PHYSICALOFFSETY));
    line(358, caps(PHYSICALWIDTH), caps(PHYSICALHEIGHT));
  }
  line(339, caps(LOGPIXELSX), caps(LOGPIXELSY));
  int xDpi = ReadVodInt(context, nullptr, "X-DPI", 0);
  int yDpi = ReadVodInt(context, nullptr, "Y-DPI", 0);
  if (xDpi || yDpi) line(339, xDpi, yDpi);
  line(340, caps(BITSPIXEL), caps(PLANES));
  int raster = caps(RASTERCAPS);
  for (const RasterCapability& capability : kRasterCapabilities)
    if (raster & capability.bit) line(capability.text);
  int colours = caps(NUMCOLORS);
  if (colours > 2)
    line(353, colours);
  else
    line(352);
  return text;
}

void ShowDeviceInfo(VodContext& context) {
  bool printer = context.settings.toPrinter;
  HDC dc = nullptr;
  if (printer)
    dc = context.useCallerDC ? context.callerDC : context.printer.Choose(nullptr, nullptr, nullptr);
  else
    dc = GetDC(context.owner);
  if (!dc) {
    CurrentUi().MessageBox(nullptr, LoadText(context, 270), "VOD", BoxButtons::Ok, BoxIcon::Error);
    return;
  }
  std::string text = DeviceInfoText(context, dc, printer);
  if (printer) {
    context.printer.FreeDialogData();
    if (!context.useCallerDC) DeleteDC(dc);
  } else {
    ReleaseDC(context.owner, dc);
  }
  OutputDebugString(text.c_str());
  LeaveContext();
  CurrentUi().MessageBox(nullptr, text, LoadText(context, 354), BoxButtons::Ok, BoxIcon::Information);
  EnterContext();
}

}  // namespace vod
