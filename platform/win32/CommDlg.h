// The print dialog of the common dialogs: the printer, copies and collation,
// printing to a file and the page range, returned as a device mode and device
// names in global memory blocks, and a device context when asked.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win32/GdiPrint.h"

#define PD_ALLPAGES 0x00000000u
#define PD_SELECTION 0x00000001u
#define PD_PAGENUMS 0x00000002u
#define PD_NOSELECTION 0x00000004u
#define PD_NOPAGENUMS 0x00000008u
#define PD_COLLATE 0x00000010u
#define PD_PRINTTOFILE 0x00000020u
#define PD_PRINTSETUP 0x00000040u
#define PD_NOWARNING 0x00000080u
#define PD_RETURNDC 0x00000100u
#define PD_RETURNIC 0x00000200u
#define PD_RETURNDEFAULT 0x00000400u
#define PD_SHOWHELP 0x00000800u
#define PD_ENABLEPRINTHOOK 0x00001000u
#define PD_ENABLESETUPHOOK 0x00002000u
#define PD_ENABLEPRINTTEMPLATE 0x00004000u
#define PD_ENABLESETUPTEMPLATE 0x00008000u
#define PD_ENABLEPRINTTEMPLATEHANDLE 0x00010000u
#define PD_ENABLESETUPTEMPLATEHANDLE 0x00020000u
#define PD_USEDEVMODECOPIES 0x00040000u
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000u
#define PD_DISABLEPRINTTOFILE 0x00080000u
#define PD_HIDEPRINTTOFILE 0x00100000u
#define PD_NONETWORKBUTTON 0x00200000u

// Reasons of CommDlgExtendedError.
#define CDERR_DIALOGFAILURE 0xFFFFu
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOTEMPLATE 0x0003u
#define CDERR_NOHINSTANCE 0x0004u
#define CDERR_FINDRESFAILURE 0x0006u
#define CDERR_MEMALLOCFAILURE 0x0009u
#define CDERR_MEMLOCKFAILURE 0x000Au
#define CDERR_NOHOOK 0x000Bu
#define PDERR_SETUPFAILURE 0x1001u
#define PDERR_PARSEFAILURE 0x1002u
#define PDERR_RETDEFFAILURE 0x1003u
#define PDERR_LOADDRVFAILURE 0x1004u
#define PDERR_GETDEVMODEFAIL 0x1005u
#define PDERR_INITFAILURE 0x1006u
#define PDERR_NODEVICES 0x1007u
#define PDERR_NODEFAULTPRN 0x1008u
#define PDERR_DNDMMISMATCH 0x1009u
#define PDERR_CREATEICFAILURE 0x100Au
#define PDERR_PRINTERNOTFOUND 0x100Bu
#define PDERR_DEFAULTDIFFERENT 0x100Cu

#define DN_DEFAULTPRN 0x0001

// The names of a printer: offsets (in characters from the record's start) of
// the driver name, the device name and the port, each ending in NUL.
struct DEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;
  WORD wDefault;
};
typedef DEVNAMES* LPDEVNAMES;

typedef UINT_PTR (*LPPRINTHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef UINT_PTR (*LPSETUPHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

struct PRINTDLGA {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  HDC hDC;
  DWORD Flags;
  WORD nFromPage;
  WORD nToPage;
  WORD nMinPage;
  WORD nMaxPage;
  WORD nCopies;
  HINSTANCE hInstance;
  LPARAM lCustData;
  LPPRINTHOOKPROC lpfnPrintHook;
  LPSETUPHOOKPROC lpfnSetupHook;
  LPCSTR lpPrintTemplateName;
  LPCSTR lpSetupTemplateName;
  HGLOBAL hPrintTemplate;
  HGLOBAL hSetupTemplate;
};
typedef PRINTDLGA PRINTDLG;
typedef PRINTDLGA* LPPRINTDLG;

// TRUE when the user chose OK (or PD_RETURNDEFAULT found the default
// printer); FALSE on cancel or failure, which CommDlgExtendedError tells apart
// (0 for a cancel).
BOOL PrintDlg(LPPRINTDLG dialog);
DWORD CommDlgExtendedError();

inline BOOL PrintDlgA(LPPRINTDLG dialog) { return PrintDlg(dialog); }

namespace layer {

// What the print dialog shows and the user changes.
struct PrintChoice {
  std::vector<std::string> printers;  // names, Windows-1252
  std::size_t printer = 0;            // the one chosen
  DEVMODE mode{};                     // the chosen printer's settings
  int copies = 1;
  bool collate = false;
  bool printToFile = false;
  DWORD range = PD_ALLPAGES;  // or PD_SELECTION, PD_PAGENUMS
  int fromPage = 0;
  int toPage = 0;
  int minPage = 0;
  int maxPage = 0;
  DWORD flags = 0;  // what the caller asked for (PD_NOPAGENUMS, PD_HIDEPRINTTOFILE ...)
};

// Shows the dialog and returns false when the user cancelled. When the user
// picks another printer, the presenter calls SwitchPrinter.
using PrintDialogPresenter = std::function<bool(HWND owner, PrintChoice& choice)>;

// Installs the presenter and returns the one before (empty for the default:
// the windowing's dialog, else the dialog accepts what it shows, so a
// headless run never blocks).
PrintDialogPresenter SetPrintDialogPresenter(PrintDialogPresenter presenter);
// The dialog the windowing shows where a person can see it; the user
// library installs it.
void SetPrintDialogWindowing(PrintDialogPresenter windowing);

// The reason CommDlgExtendedError tells, for the common dialogs of every library.
void SetCommonDialogError(DWORD reason);

// Makes another printer the chosen one, with its own default settings and the
// copies and collation kept.
void SwitchPrinter(PrintChoice& choice, std::size_t printer);

}  // namespace layer
