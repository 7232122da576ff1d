// The form-printing library QorVod32 as its callers see it: the callback
// through which a job reports, the message sent to the owner window when no
// callback is set, and the exported VOD_ functions (ordinals as the library
// numbers them).
#pragma once

#include "win32/Types.h"

// code: VOD_CB_*; text: the message, or null for the end-of-job codes.
// The result is a set of VOD_ANSWER_* bits.
typedef int (*VodCallback)(int code, const char* text);

// Callback codes. 1, 2, 3 and 5 carry the job state at the end of a job.
#define VOD_CB_PRINTED 1
#define VOD_CB_ERROR 2
#define VOD_CB_CANCELLED 3
#define VOD_CB_WINDOW_CLOSED 4
#define VOD_CB_STOPPED 5
#define VOD_CB_ERROR_TEXT 6
#define VOD_CB_INFO_TEXT 7
#define VOD_CB_QUESTION 8

// Answer bits of a callback: show the text in a box; go on after a question.
#define VOD_ANSWER_SHOW_BOX 4
#define VOD_ANSWER_GO_ON 8

// Sent to the owner window (WM_USER + 99) when no callback is set: wParam is
// a callback code, lParam the text (valid during the call only).
#define WM_VOD_NOTIFY 1123u

// Messages of the printing dialog, to and from the library's own windows.
#define WM_VOD_ERRORTEXT 1025u   // WM_USER + 1, lParam: text or null
#define WM_VOD_LASTERROR 1026u   // WM_USER + 2, lParam: text or null
#define WM_VOD_STATUSTEXT 1029u  // WM_USER + 5, lParam: text
#define WM_VOD_PAGE 1124u        // WM_USER + 100 to the preview, wParam: the page metafile
#define WM_VOD_LASTPAGE 1127u    // WM_USER + 103 to the preview
#define WM_VOD_CYCLE 1129u       // WM_USER + 105, the printing dialog runs the script

// The preview window's class, registered when the library is attached.
#define VOD_PREVIEW_CLASS "DIZADIWdmainWClass"

extern "C" {
// Ordinals 1 to 22.
int VOD_IsPrinting();                                                   // 1
BOOL AbortProc(HDC dc, int error);                                      // 2
LRESULT Bildschirm(HWND window, UINT message, WPARAM wParam, LPARAM lParam);  // 3
INT_PTR PrintCycle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);  // 4
INT_PTR VOD_Error_Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);  // 5
int VOD_Init(int unused, HWND owner, const char* iniPath);              // 6
int VOD_Init2(const char* iniPath);                                     // 7
int VOD_Print_Async(HWND owner, const char* script);                    // 8
int VOD_Print_Sync(HWND owner, const char* script);                     // 9
int VOD_Print_Sync2(const char* script);                                // 10
int VOD_Dialog(HWND owner, int, int, int);                              // 11
int VOD_GetVersion(char* destination, unsigned length);                 // 12
int VOD_CheckPrinter();                                                 // 13
int VOD_GetDeviceInfo();                                                // 14
HDC VOD_GetPrinterDC(char* device, char* driver, char* port);           // 15
int VOD_DeclareIndirectDialog();                                        // 16
void VOD_StopPrinting();                                                // 17
void WEP(int);                                                          // 18
BOOL LibMain(HINSTANCE instance, DWORD reason, LPVOID reserved);        // 19
int VOD_SetCallback(VodCallback callback);                              // 20
const char* VOD_MBCSorUNICODE();                                        // 21
int VOD_Print_Sync_HDC(HWND owner, const char* script, HDC* dc);        // 22
}
