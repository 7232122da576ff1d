// Printer device contexts: documents and pages, the spooler's results, the
// device's capabilities and the mapping mode.
#pragma once

#include "win32/Gdi.h"
#include "win32/WinSpool.h"

// Device capabilities beyond those of the screen.
#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define CURVECAPS 28
#define LINECAPS 30
#define POLYGONALCAPS 32
#define TEXTCAPS 34
#define CLIPCAPS 36
#define ASPECTX 40
#define ASPECTY 42
#define ASPECTXY 44
#define PHYSICALWIDTH 110
#define PHYSICALHEIGHT 111
#define PHYSICALOFFSETX 112
#define PHYSICALOFFSETY 113
#define SCALINGFACTORX 114
#define SCALINGFACTORY 115

#define DT_PLOTTER 0
#define DT_RASDISPLAY 1
#define DT_RASPRINTER 2
#define DT_RASCAMERA 3
#define DT_CHARSTREAM 4
#define DT_METAFILE 5
#define DT_DISPFILE 6

#define RC_BITBLT 0x0001
#define RC_BANDING 0x0002
#define RC_SCALING 0x0004
#define RC_BITMAP64 0x0008
#define RC_GDI20_OUTPUT 0x0010
#define RC_DI_BITMAP 0x0080
#define RC_DIBTODEV 0x0200
#define RC_BIGFONT 0x0400
#define RC_STRETCHBLT 0x0800
#define RC_FLOODFILL 0x1000
#define RC_STRETCHDIB 0x2000

#define TC_OP_CHARACTER 0x0001
#define TC_OP_STROKE 0x0002
#define TC_CP_STROKE 0x0004
#define TC_CR_90 0x0008
#define TC_CR_ANY 0x0010
#define TC_SF_X_YINDEP 0x0020
#define TC_SA_DOUBLE 0x0040
#define TC_SA_INTEGER 0x0080
#define TC_SA_CONTIN 0x0100
#define TC_EA_DOUBLE 0x0200
#define TC_IA_ABLE 0x0400
#define TC_UA_ABLE 0x0800
#define TC_SO_ABLE 0x1000
#define TC_RA_ABLE 0x2000
#define TC_VA_ABLE 0x4000

// Object kinds of recorded pages.
#define OBJ_ENHMETADC 12
#define OBJ_ENHMETAFILE 13

// Mapping modes: the layer maps logical units one to one onto device pixels.
#define MM_TEXT 1
#define MM_LOMETRIC 2
#define MM_HIMETRIC 3
#define MM_LOENGLISH 4
#define MM_HIENGLISH 5
#define MM_TWIPS 6
#define MM_ISOTROPIC 7
#define MM_ANISOTROPIC 8

// Results of the document and page calls.
#define SP_NOTREPORTED 0x4000
#define SP_ERROR (-1)
#define SP_APPABORT (-2)
#define SP_USERABORT (-3)
#define SP_OUTOFDISK (-4)
#define SP_OUTOFMEMORY (-5)

// Printer escapes.
#define NEWFRAME 1
#define ABORTDOC 2
#define NEXTBAND 3
#define SETABORTPROC 9
#define STARTDOC 10
#define ENDDOC 11
#define GETPHYSPAGESIZE 12
#define GETPRINTINGOFFSET 13
#define QUERYESCSUPPORT 8

#define DI_APPBANDING 0x00000001

typedef BOOL (*ABORTPROC)(HDC dc, int error);

struct DOCINFOA {
  int cbSize;
  LPCSTR lpszDocName;
  LPCSTR lpszOutput;  // a file for the printer's output, or null
  LPCSTR lpszDatatype;
  DWORD fwType;
};
typedef DOCINFOA DOCINFO;
typedef DOCINFOA* LPDOCINFO;

// Device contexts of printers ("WINSPOOL" or null as the driver, the
// printer's name as the device; the port is not needed) and of the screen
// ("DISPLAY"). A mode merges onto the printer's defaults. An information
// context answers questions but draws nothing.
HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODE* mode);
HDC CreateIC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODE* mode);
// New settings for the pages still to come; refused while a page is open.
HDC ResetDC(HDC dc, const DEVMODE* mode);

int StartDoc(HDC dc, const DOCINFO* info);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
int StartPage(HDC dc);
int EndPage(HDC dc);
// The procedure the spooler calls while pages are written; returning FALSE
// abandons the document.
int SetAbortProc(HDC dc, ABORTPROC procedure);
int Escape(HDC dc, int escape, int inputSize, LPCSTR input, LPVOID output);
int ExtEscape(HDC dc, int escape, int inputSize, LPCSTR input, int outputSize, LPSTR output);

int SetMapMode(HDC dc, int mode);
int GetMapMode(HDC dc);
// Extents count only in the scaled mapping modes, which the layer does not
// offer: in MM_TEXT they are kept as one to one.
BOOL SetViewportExtEx(HDC dc, int x, int y, LPSIZE old);
BOOL SetWindowExtEx(HDC dc, int x, int y, LPSIZE old);
BOOL GetViewportExtEx(HDC dc, LPSIZE extent);
BOOL GetWindowExtEx(HDC dc, LPSIZE extent);

inline HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODE* mode) {
  return CreateDC(driver, device, port, mode);
}
inline HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODE* mode) {
  return CreateIC(driver, device, port, mode);
}
inline int StartDocA(HDC dc, const DOCINFO* info) { return StartDoc(dc, info); }
