// Threads of the kernel and what they share: starting a thread (its handle
// waits with WaitForSingleObject and gives its exit code), critical sections
// and the interlocked operations. A user-interface thread is a thread like
// any other: its windows and its message queue are its own.
#pragma once

#include "win32/Process.h"
#include "win32/Types.h"

typedef DWORD (*LPTHREAD_START_ROUTINE)(LPVOID parameter);

#define CREATE_SUSPENDED 0x00000004u
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_TIME_CRITICAL 15

// Starts start(parameter) on a new thread (held until ResumeThread with
// CREATE_SUSPENDED). The handle is waitable; the thread's id goes to threadId.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD flags, LPDWORD threadId);
// Lets a suspended thread run; the suspend count before (0xFFFFFFFF for a bad handle).
DWORD ResumeThread(HANDLE thread);
// STILL_ACTIVE while the thread runs, then what its function returned.
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
// The calling thread (a handle that means "this thread" wherever it is used).
HANDLE GetCurrentThread();
// The layer's threads all run at one priority; the requested one is remembered.
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);

// A lock a thread may take again while it holds it.
struct CRITICAL_SECTION {
  void* DebugInfo;
  LONG LockCount;
  LONG RecursionCount;
  HANDLE OwningThread;
  HANDLE LockSemaphore;  // the layer's lock behind it
  ULONG_PTR SpinCount;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
// TRUE when the section was free or is the caller's already.
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);

// Atomic operations on 32-bit values and pointers; each returns what the
// platform's does (the new value for increment and decrement, the old one
// for the others).
LONG InterlockedIncrement(LONG volatile* value);
LONG InterlockedDecrement(LONG volatile* value);
LONG InterlockedExchange(LONG volatile* target, LONG value);
LONG InterlockedExchangeAdd(LONG volatile* target, LONG value);
LONG InterlockedCompareExchange(LONG volatile* target, LONG exchange, LONG comparand);
LPVOID InterlockedExchangePointer(LPVOID volatile* target, LPVOID value);
LPVOID InterlockedCompareExchangePointer(LPVOID volatile* target, LPVOID exchange, LPVOID comparand);
