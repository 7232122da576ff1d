// Processes of the kernel: starting a program with a command line and a
// working folder, waiting for it, its exit code, and the process's own facts.
// A started program of this system tells its starter when its message loop
// first goes idle and the full 32-bit code it ends with, through a channel
// that the layer hands over on start.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "win32/KernelObjects.h"
#include "win32/Types.h"

#define STILL_ACTIVE 259u

#define WAIT_OBJECT_0 0u
#define WAIT_FAILED 0xFFFFFFFFu
#ifndef WAIT_TIMEOUT
#define WAIT_TIMEOUT 258L
#endif

#define SYNCHRONIZE 0x00100000u
#define PROCESS_TERMINATE 0x0001u
#define PROCESS_VM_READ 0x0010u
#define PROCESS_QUERY_INFORMATION 0x0400u
#define PROCESS_ALL_ACCESS 0x001F0FFFu

#define DEBUG_PROCESS 0x00000001u
#define CREATE_NEW_CONSOLE 0x00000010u
#define NORMAL_PRIORITY_CLASS 0x00000020u
#define CREATE_NEW_PROCESS_GROUP 0x00000200u

#define STARTF_USESHOWWINDOW 0x00000001u

#define ERROR_DIRECTORY 267L

struct STARTUPINFO {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
typedef STARTUPINFO* LPSTARTUPINFO;
typedef STARTUPINFO STARTUPINFOA;

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;

// The program is the application name when given, else the first word of the
// command line. A name such as "C:\VARNO4\V4VNW.EXE" that does not exist as
// written finds the built program "V4VNW" beside the calling program. The
// started program sees the command line byte for byte (GetCommandLine) and,
// if it is no program of this system, the words the platform splits it into.
BOOL CreateProcess(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                   LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                   LPVOID environment, LPCSTR currentDirectory, LPSTARTUPINFO startupInfo,
                   LPPROCESS_INFORMATION processInformation);
HANDLE OpenProcess(DWORD access, BOOL inheritHandle, DWORD processId);
// Waits for a process (or any other waitable kernel object) to be signalled.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);
// Waits until the started program's message loop first has nothing to do.
// A process that the caller did not start does not hold it up (0); one that
// ends before it was ready gives WAIT_FAILED.
DWORD WaitForInputIdle(HANDLE process, DWORD milliseconds);
DWORD GetCurrentProcessId();
HANDLE GetCurrentProcess();
[[noreturn]] void ExitProcess(UINT exitCode);
LPSTR GetCommandLine();

namespace layer {

// Kernel objects that WaitForSingleObject can wait for.
class WaitableObject : public KernelObject {
 public:
  // WAIT_OBJECT_0, WAIT_TIMEOUT or WAIT_FAILED.
  virtual DWORD Wait(DWORD milliseconds) = 0;
};

// The words of a command line as the platform's C runtime splits them: the
// first word (the program) ends at the next blank, or at its closing double
// quote; in the others, double quotes group blanks and backslashes escape
// double quotes only.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
// What follows the program's word and the blanks after it, as a program's
// entry point receives its arguments.
std::string_view ArgumentsOf(std::string_view commandLine);

// The process id behind a process handle (the current process's pseudo
// handle included), or 0.
DWORD ProcessIdOf(HANDLE process);

// Called by the message loop when it first runs out of messages; releases a
// starter that waits in WaitForInputIdle.
void SignalInputIdle();

}  // namespace layer
