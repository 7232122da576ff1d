#include "win32/SystemParameters.h"

#include <cstring>

#include "win32/Errors.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

namespace {

// The face and height of the desktop's own texts, as the default GUI font.
LOGFONTA DesktopFont(LONG weight) {
  LOGFONTA font{};
  font.lfHeight = -11;
  font.lfWeight = weight;
  font.lfCharSet = ANSI_CHARSET;
  std::strcpy(font.lfFaceName, "MS Sans Serif");
  return font;
}

// Caption and menu bar include a one-pixel line below the part measured
// here; the sizing frame is the border outside the dialog frame.
void FillNonClientMetrics(NONCLIENTMETRICSA& metrics) {
  UINT size = metrics.cbSize;
  std::memset(&metrics, 0, sizeof metrics);
  metrics.cbSize = size;
  metrics.iBorderWidth = GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXDLGFRAME);
  metrics.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  metrics.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  metrics.iCaptionHeight = GetSystemMetrics(SM_CYCAPTION) - 1;
  metrics.iCaptionWidth = metrics.iCaptionHeight;
  metrics.iSmCaptionHeight = metrics.iCaptionHeight - 3;
  metrics.iSmCaptionWidth = metrics.iSmCaptionHeight;
  metrics.iMenuHeight = GetSystemMetrics(SM_CYMENU) - 1;
  metrics.iMenuWidth = metrics.iMenuHeight;
  metrics.lfCaptionFont = DesktopFont(FW_BOLD);
  metrics.lfSmCaptionFont = DesktopFont(FW_BOLD);
  metrics.lfMenuFont = DesktopFont(FW_NORMAL);
  metrics.lfStatusFont = DesktopFont(FW_NORMAL);
  metrics.lfMessageFont = DesktopFont(FW_NORMAL);
}

BOOL Refuse() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

}  // namespace

BOOL SystemParametersInfo(UINT action, UINT, LPVOID pvParam, UINT) {
  switch (action) {
    case SPI_GETNONCLIENTMETRICS: {
      auto* metrics = static_cast<NONCLIENTMETRICSA*>(pvParam);
      if (!metrics || metrics->cbSize != sizeof(NONCLIENTMETRICSA)) return Refuse();
      FillNonClientMetrics(*metrics);
      return TRUE;
    }
    case SPI_SETNONCLIENTMETRICS: {
      auto* metrics = static_cast<NONCLIENTMETRICSA*>(pvParam);
      if (!metrics || metrics->cbSize != sizeof(NONCLIENTMETRICSA)) return Refuse();
      return TRUE;
    }
    case SPI_GETFOREGROUNDLOCKTIMEOUT:
      if (!pvParam) return Refuse();
      *static_cast<DWORD*>(pvParam) = 0;
      return TRUE;
    case SPI_SETFOREGROUNDLOCKTIMEOUT: return TRUE;
    default: return Refuse();
  }
}
