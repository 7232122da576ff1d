// Message boxes. Until a window system shows them, a box goes to a presenter
// that the program (or a test) installs; without one the text is written to
// the standard error stream and the box answers IDOK, so that a headless run
// never blocks on a box nobody can see.
#pragma once

#include <functional>

#include "win32/Types.h"

#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONSTOP MB_ICONHAND
#define MB_APPLMODAL 0x00000000u
#define MB_SYSTEMMODAL 0x00001000u
#define MB_TASKMODAL 0x00002000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_TOPMOST 0x00040000u

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
inline int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) { return MessageBox(owner, text, caption, type); }
// The desktop's alert sound (the kind, MB_ICON* or 0xFFFFFFFF, is not told apart).
BOOL MessageBeep(UINT type);

namespace layer {

// Shows one box and returns the button id that closed it.
using MessageBoxPresenter = std::function<int(HWND owner, const char* text, const char* caption, UINT type)>;

// Installs the presenter for the calling program and returns the one before
// (empty for the default).
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);

// What shows a box when no presenter is installed: the screen backend's box
// window where a person can see it; without one the box goes to the standard
// error stream and answers IDOK.
void SetMessageBoxWindowing(MessageBoxPresenter windowing);

// What sounds the alert (the screen backend installs it); the number of
// beeps so far, for tests.
void SetBeeper(std::function<void()> beeper);
int BeepCount();

}  // namespace layer
