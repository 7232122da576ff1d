// SystemParametersInfo: the desktop's settings as the layer's desktop has
// them. Settings that would change the desktop for good are accepted and
// change nothing: the layer's desktop keeps its own look, and it has no
// foreground lock (a window always may come to the front), so its time-out
// reads 0.
#pragma once

#include "win32/Gdi.h"
#include "win32/Types.h"

#define SPI_GETNONCLIENTMETRICS 0x0029u
#define SPI_SETNONCLIENTMETRICS 0x002Au
#define SPI_GETFOREGROUNDLOCKTIMEOUT 0x2000u
#define SPI_SETFOREGROUNDLOCKTIMEOUT 0x2001u

#define SPIF_UPDATEINIFILE 0x0001u
#define SPIF_SENDWININICHANGE 0x0002u
#define SPIF_SENDCHANGE SPIF_SENDWININICHANGE

// The sizes of the non-client parts, consistent with GetSystemMetrics, and
// the fonts of captions, menus, the status bar and message boxes.
struct NONCLIENTMETRICSA {
  UINT cbSize;
  int iBorderWidth;
  int iScrollWidth;
  int iScrollHeight;
  int iCaptionWidth;
  int iCaptionHeight;
  LOGFONTA lfCaptionFont;
  int iSmCaptionWidth;
  int iSmCaptionHeight;
  LOGFONTA lfSmCaptionFont;
  int iMenuWidth;
  int iMenuHeight;
  LOGFONTA lfMenuFont;
  LOGFONTA lfStatusFont;
  LOGFONTA lfMessageFont;
};
typedef NONCLIENTMETRICSA NONCLIENTMETRICS;
typedef NONCLIENTMETRICSA* LPNONCLIENTMETRICS;
static_assert(sizeof(NONCLIENTMETRICSA) == 340, "non-client metrics layout");

// FALSE with ERROR_INVALID_PARAMETER for an unknown action, a missing
// record or a record whose size field is not its size.
BOOL SystemParametersInfo(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni);
inline BOOL SystemParametersInfoA(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni) {
  return SystemParametersInfo(action, uiParam, pvParam, winIni);
}
