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

extern "C" {
// 1: ordinal 1; 12, 20, 21 likewise.
int VOD_IsPrinting();
int VOD_GetVersion(char* destination, unsigned length);
int VOD_SetCallback(VodCallback callback);
const char* VOD_MBCSorUNICODE();
}
