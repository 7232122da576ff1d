// What the window functions need to reach the windows of the user's other
// programs (the viewer, the order-list program and the where-used program
// drive each other). The ipc part of the layer installs the implementation;
// the window core asks it about every handle that is not one of its own, and
// takes its handle values from NewUserWindowHandle so that a handle names one
// window among all programs of the user.
#pragma once

#include <optional>

#include "win32/Types.h"

#define SMTO_NORMAL 0x0000u
#define SMTO_BLOCK 0x0001u
#define SMTO_ABORTIFHUNG 0x0002u
#define SMTO_NOTIMEOUTIFNOTHUNG 0x0008u

#define GW_HWNDFIRST 0u
#define GW_HWNDLAST 1u
#define GW_HWNDNEXT 2u
#define GW_HWNDPREV 3u
#define GW_OWNER 4u
#define GW_CHILD 5u

// The block of a WM_COPYDATA message; the receiver gets its own copy of the
// bytes, valid while it handles the message.
struct COPYDATASTRUCT {
  ULONG_PTR dwData;
  DWORD cbData;
  LPVOID lpData;
};
typedef COPYDATASTRUCT* PCOPYDATASTRUCT;

// Top-level windows of all the user's programs (class and title compared
// without regard to case; null matches any).
HWND FindWindow(LPCSTR className, LPCSTR windowName);
inline HWND FindWindowA(LPCSTR className, LPCSTR windowName) { return FindWindow(className, windowName); }
HWND GetWindow(HWND window, UINT command);
// The thread that owns the window, and its process through processId.
DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId);
// 0 when the window is gone, the time is up, or (with SMTO_ABORTIFHUNG) the
// receiver is hung; then GetLastError tells which.
LRESULT SendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                           DWORD_PTR* result);
inline LRESULT SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                   UINT timeout, DWORD_PTR* result) {
  return SendMessageTimeout(window, message, wParam, lParam, flags, timeout, result);
}

namespace layer {

// What another program's window shows of itself.
struct RemoteWindowFacts {
  DWORD processId = 0;
  DWORD threadId = 0;
  HWND parent = nullptr;
  bool visible = false;
  bool enabled = true;
  bool iconic = false;
  LONG userData = 0;
  char className[128] = {};
  char title[256] = {};
};

class RemoteWindows {
 public:
  virtual ~RemoteWindows() = default;
  // Over the top-level windows of all the user's programs, this one's too:
  // the topmost window of that class and title (null: any), and the window
  // that GW_HWNDFIRST, GW_HWNDLAST, GW_HWNDNEXT or GW_HWNDPREV names.
  virtual HWND Find(LPCSTR className, LPCSTR title) = 0;
  virtual HWND Neighbour(HWND window, UINT relation) = 0;
  // Facts of a live window of another program; false for any other handle.
  virtual bool Facts(HWND window, RemoteWindowFacts& facts) = 0;
  virtual BOOL Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Sends and waits for the answer (timeout INFINITE for a plain send);
  // WM_COPYDATA carries the bytes of its block along.
  virtual BOOL Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                    DWORD_PTR* result) = 0;
  virtual BOOL Show(HWND window, int command) = 0;
  virtual BOOL Enable(HWND window, BOOL enable) = 0;
  virtual BOOL BringToFront(HWND window) = 0;
};

// The installed implementation or null (no other programs are reached).
RemoteWindows* CurrentRemoteWindows();
void InstallRemoteWindows(RemoteWindows* remote);

// One of this program's own windows. The window core and the cross-process
// code ask this, never IsWindow, when they go on to work on the window
// themselves: IsWindow is true for the other programs' windows too.
bool IsOwnWindow(HWND window);
// The installed implementation when a handle is not null and not one of this
// program's windows, so that the public call answers through it; else null.
RemoteWindows* RemoteWindowsFor(HWND window);
// What another program's live window shows of itself; nothing for this
// program's windows and for handles that name no window.
std::optional<RemoteWindowFacts> RemoteFactsOf(HWND window);

// A window handle value unique among the running programs of the user: 32
// bits, never 0, below 0x80000000 and not a small number of the platform's own.
DWORD NewUserWindowHandle();

}  // namespace layer
