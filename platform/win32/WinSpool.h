// Printers and the spooler: the system's printers plus a PDF-file printer
// that always exists, their device modes and printer handles.
#pragma once

#include <functional>
#include <string>

#include "win32/Types.h"

#define CCHDEVICENAME 32
#define CCHFORMNAME 32

// Fields of a device mode (dmFields).
#define DM_ORIENTATION 0x00000001u
#define DM_PAPERSIZE 0x00000002u
#define DM_PAPERLENGTH 0x00000004u
#define DM_PAPERWIDTH 0x00000008u
#define DM_SCALE 0x00000010u
#define DM_COPIES 0x00000100u
#define DM_DEFAULTSOURCE 0x00000200u
#define DM_PRINTQUALITY 0x00000400u
#define DM_COLOR 0x00000800u
#define DM_DUPLEX 0x00001000u
#define DM_YRESOLUTION 0x00002000u
#define DM_TTOPTION 0x00004000u
#define DM_COLLATE 0x00008000u
#define DM_FORMNAME 0x00010000u

#define DM_SPECVERSION 0x0401

#define DMORIENT_PORTRAIT 1
#define DMORIENT_LANDSCAPE 2

#define DMPAPER_LETTER 1
#define DMPAPER_LEGAL 5
#define DMPAPER_EXECUTIVE 7
#define DMPAPER_A3 8
#define DMPAPER_A4 9
#define DMPAPER_A5 11
#define DMPAPER_B4 12
#define DMPAPER_B5 13
#define DMPAPER_USER 256

#define DMRES_DRAFT (-1)
#define DMRES_LOW (-2)
#define DMRES_MEDIUM (-3)
#define DMRES_HIGH (-4)

#define DMCOLOR_MONOCHROME 1
#define DMCOLOR_COLOR 2

#define DMDUP_SIMPLEX 1
#define DMDUP_VERTICAL 2
#define DMDUP_HORIZONTAL 3

#define DMTT_BITMAP 1
#define DMTT_DOWNLOAD 2
#define DMTT_SUBDEV 3
#define DMTT_DOWNLOAD_OUTLINE 4

#define DMCOLLATE_FALSE 0
#define DMCOLLATE_TRUE 1

// The modes of DocumentProperties.
#define DM_UPDATE 1
#define DM_COPY 2
#define DM_PROMPT 4
#define DM_MODIFY 8
#define DM_IN_BUFFER DM_MODIFY
#define DM_IN_PROMPT DM_PROMPT
#define DM_OUT_BUFFER DM_COPY
#define DM_OUT_DEFAULT DM_UPDATE

// Which printers EnumPrinters lists.
#define PRINTER_ENUM_DEFAULT 0x00000001u
#define PRINTER_ENUM_LOCAL 0x00000002u
#define PRINTER_ENUM_CONNECTIONS 0x00000004u
#define PRINTER_ENUM_NAME 0x00000008u

#define PRINTER_ATTRIBUTE_DEFAULT 0x00000004u
#define PRINTER_ATTRIBUTE_LOCAL 0x00000040u
#define PRINTER_ATTRIBUTE_NETWORK 0x00000010u

#define ERROR_INVALID_LEVEL 124L
#define ERROR_INVALID_PRINTER_NAME 1801L
#define ERROR_INVALID_PRINTER_COMMAND 1803L
#define ERROR_CANCELLED 1223L
#define ERROR_PRINT_CANCELLED 63L
#define ERROR_SPL_NO_STARTDOC 3003L
#define ERROR_INVALID_PRINTER_STATE 1906L

// A printer's settings for one document. Records of this layout are carried
// in global memory blocks and handed between the print dialog, the spooler
// and device contexts.
struct DEVMODEA {
  BYTE dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;  // tenths of a millimetre
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;  // dots per inch, or one of DMRES_*
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  BYTE dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmNup;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
  DWORD dmPanningWidth;
  DWORD dmPanningHeight;
};
typedef DEVMODEA DEVMODE;
typedef DEVMODEA* LPDEVMODE;
typedef DEVMODEA* PDEVMODE;
static_assert(sizeof(DEVMODEA) == 156, "device mode layout");

struct PRINTER_DEFAULTSA {
  LPSTR pDatatype;
  LPDEVMODE pDevMode;
  DWORD DesiredAccess;
};
typedef PRINTER_DEFAULTSA PRINTER_DEFAULTS;
typedef PRINTER_DEFAULTSA* LPPRINTER_DEFAULTS;

struct PRINTER_INFO_1A {
  DWORD Flags;
  LPSTR pDescription;
  LPSTR pName;
  LPSTR pComment;
};
struct PRINTER_INFO_2A {
  LPSTR pServerName;
  LPSTR pPrinterName;
  LPSTR pShareName;
  LPSTR pPortName;
  LPSTR pDriverName;
  LPSTR pComment;
  LPSTR pLocation;
  LPDEVMODE pDevMode;
  LPSTR pSepFile;
  LPSTR pPrintProcessor;
  LPSTR pDatatype;
  LPSTR pParameters;
  void* pSecurityDescriptor;
  DWORD Attributes;
  DWORD Priority;
  DWORD DefaultPriority;
  DWORD StartTime;
  DWORD UntilTime;
  DWORD Status;
  DWORD cJobs;
  DWORD AveragePPM;
};
struct PRINTER_INFO_4A {
  LPSTR pPrinterName;
  LPSTR pServerName;
  DWORD Attributes;
};
struct PRINTER_INFO_5A {
  LPSTR pPrinterName;
  LPSTR pPortName;
  DWORD Attributes;
  DWORD DeviceNotSelectedTimeout;
  DWORD TransmissionRetryTimeout;
};
typedef PRINTER_INFO_1A PRINTER_INFO_1;
typedef PRINTER_INFO_2A PRINTER_INFO_2;
typedef PRINTER_INFO_4A PRINTER_INFO_4;
typedef PRINTER_INFO_5A PRINTER_INFO_5;

// Lists printers at level 1, 2, 4 or 5: the records first, their texts behind
// them in the same buffer. Too small a buffer fails with
// ERROR_INSUFFICIENT_BUFFER and the size needed.
BOOL EnumPrinters(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned);
BOOL OpenPrinter(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTS defaults);
BOOL ClosePrinter(HANDLE printer);
// Without a mode: the size of the printer's device mode. DM_IN_BUFFER merges
// the fields that input marks, DM_IN_PROMPT lets the user change them, and
// DM_OUT_BUFFER writes the result; returns IDOK, IDCANCEL or a value below 0.
LONG DocumentProperties(HWND owner, HANDLE printer, LPSTR deviceName, PDEVMODE output, PDEVMODE input, DWORD mode);
// The default printer's name; with too small a buffer the size needed.
BOOL GetDefaultPrinter(LPSTR buffer, LPDWORD size);

inline BOOL OpenPrinterA(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTS defaults) {
  return OpenPrinter(name, printer, defaults);
}
inline LONG DocumentPropertiesA(HWND owner, HANDLE printer, LPSTR deviceName, PDEVMODE output, PDEVMODE input, DWORD mode) {
  return DocumentProperties(owner, printer, deviceName, output, input, mode);
}

namespace layer {

// Shows a printer's settings for the user to change (DocumentProperties with
// DM_IN_PROMPT) and returns false when the user cancelled.
using PrinterPropertiesPresenter = std::function<bool(HWND owner, const std::string& printer, DEVMODE& mode)>;

// Installs the presenter and returns the one before (empty for the default:
// the windowing's dialog, else the settings are accepted as they are, so a
// headless run never blocks).
PrinterPropertiesPresenter SetPrinterPropertiesPresenter(PrinterPropertiesPresenter presenter);
// The dialog the windowing shows where a person can see it; the user
// library installs it.
void SetPrinterPropertiesWindowing(PrinterPropertiesPresenter windowing);

}  // namespace layer
