// Messages: one queue per user-interface thread, sent and posted messages,
// the quit message, WM_PAINT and WM_TIMER made when the queue is empty, and
// registered message numbers that every process agrees on.
#pragma once

#include "win32/UserTypes.h"

DWORD GetCurrentThreadId();

BOOL GetMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax);
BOOL PeekMessage(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL InSendMessage();
UINT RegisterWindowMessage(LPCSTR name);
BOOL WaitMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();
DWORD GetQueueStatus(UINT flags);

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND window, UINT_PTR id);

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

namespace layer {

// Dispatches every message that is waiting or due now (posted ones, paints,
// timers due on the current clock) until the queue is empty; then returns
// the number dispatched. A WM_QUIT stays in the queue for the caller.
int PumpUntilIdle(int maximumMessages = 100000);
// Whether a WM_QUIT is waiting in the calling thread's queue (and its code).
bool QuitPending(int* exitCode = nullptr);

}  // namespace layer
