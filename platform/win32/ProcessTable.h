// The process table as the platform's enumeration functions give it: the
// process-status functions ("PSAPI.DLL"), the parent query ("NTDLL.DLL") and
// the snapshot functions ("KERNEL32.DLL"), all also found by name through
// GetProcAddress, as the system binds them at run time.
//
// The table lists the user's own processes, the newest first: processes of
// other users could not be opened anyway, and the system reads only the first
// 150 entries, among which its own programs and their parents must be.
#pragma once

#include <string>
#include <vector>

#include "win32/Types.h"

#define TH32CS_SNAPHEAPLIST 0x00000001u
#define TH32CS_SNAPPROCESS 0x00000002u
#define TH32CS_SNAPMODULE 0x00000008u

struct PROCESSENTRY32 {
  DWORD dwSize;
  DWORD cntUsage;
  DWORD th32ProcessID;
  ULONG_PTR th32DefaultHeapID;
  DWORD th32ModuleID;
  DWORD cntThreads;
  DWORD th32ParentProcessID;
  LONG pcPriClassBase;
  DWORD dwFlags;
  CHAR szExeFile[MAX_PATH];
};
typedef PROCESSENTRY32* LPPROCESSENTRY32;

typedef LONG NTSTATUS;
#define STATUS_SUCCESS 0
#define STATUS_INVALID_INFO_CLASS static_cast<NTSTATUS>(0xC0000003u)
#define STATUS_INFO_LENGTH_MISMATCH static_cast<NTSTATUS>(0xC0000004u)
#define STATUS_INVALID_HANDLE static_cast<NTSTATUS>(0xC0000008u)
#define ProcessBasicInformation 0

// Six 32-bit words, the parent in the sixth, as the system reads it.
struct PROCESS_BASIC_INFORMATION {
  NTSTATUS ExitStatus;
  DWORD PebBaseAddress;
  DWORD AffinityMask;
  LONG BasePriority;
  DWORD UniqueProcessId;
  DWORD InheritedFromUniqueProcessId;
};
static_assert(sizeof(PROCESS_BASIC_INFORMATION) == 24, "basic information layout");

// Process32First/Next accept a record whose size field is at least this.
#define PROCESSENTRY32_SMALLEST_SIZE 296u

// Modules are the program and the shared libraries mapped into the process
// (process id 0: this one), the program first.
struct MODULEENTRY32 {
  DWORD dwSize;
  DWORD th32ModuleID;
  DWORD th32ProcessID;
  DWORD GlblcntUsage;
  DWORD ProccntUsage;
  BYTE* modBaseAddr;
  DWORD modBaseSize;
  HMODULE hModule;  // in this process the handle LoadLibrary gives for it
  CHAR szModule[256];
  CHAR szExePath[MAX_PATH];
};
typedef MODULEENTRY32* LPMODULEENTRY32;

// Heaps: this process has one, the C runtime's; its walk gives the bytes in
// use as one fixed block and the free bytes it holds as one free block. Other
// processes list no heaps.
#define HF32_DEFAULT 1u
#define LF32_FIXED 0x00000001u
#define LF32_FREE 0x00000002u
#define LF32_MOVEABLE 0x00000004u

struct HEAPLIST32 {
  SIZE_T dwSize;
  DWORD th32ProcessID;
  ULONG_PTR th32HeapID;
  DWORD dwFlags;
};
typedef HEAPLIST32* LPHEAPLIST32;

struct HEAPENTRY32 {
  SIZE_T dwSize;
  HANDLE hHandle;
  ULONG_PTR dwAddress;
  SIZE_T dwBlockSize;
  DWORD dwFlags;
  DWORD dwLockCount;
  DWORD dwResvd;
  DWORD th32ProcessID;
  ULONG_PTR th32HeapID;
};
typedef HEAPENTRY32* LPHEAPENTRY32;

// flags: any of TH32CS_SNAPPROCESS, TH32CS_SNAPMODULE, TH32CS_SNAPHEAPLIST.
HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
BOOL Process32First(HANDLE snapshot, LPPROCESSENTRY32 entry);
BOOL Process32Next(HANDLE snapshot, LPPROCESSENTRY32 entry);
BOOL Module32First(HANDLE snapshot, LPMODULEENTRY32 entry);
BOOL Module32Next(HANDLE snapshot, LPMODULEENTRY32 entry);
BOOL Heap32ListFirst(HANDLE snapshot, LPHEAPLIST32 entry);
BOOL Heap32ListNext(HANDLE snapshot, LPHEAPLIST32 entry);
BOOL Heap32First(LPHEAPENTRY32 entry, DWORD processId, ULONG_PTR heapId);
BOOL Heap32Next(LPHEAPENTRY32 entry);

BOOL EnumProcesses(DWORD* processIds, DWORD bytes, DWORD* bytesReturned);
// A process has one module here: its program.
BOOL EnumProcessModules(HANDLE process, HMODULE* modules, DWORD bytes, DWORD* bytesNeeded);
DWORD GetModuleFileNameExA(HANDLE process, HMODULE module, LPSTR fileName, DWORD size);
DWORD GetModuleBaseNameA(HANDLE process, HMODULE module, LPSTR baseName, DWORD size);
NTSTATUS NtQueryInformationProcess(HANDLE process, int informationClass, LPVOID information, ULONG length,
                                   ULONG* returnLength);

// The session of a process: as a session of the platform holds the programs
// of one logged-on desktop, one here holds the programs that show on one
// display (DISPLAY) and reach each other's windows in one space
// (VARNO_IPC_SPACE). Processes of one session get the same number, processes
// of different sessions different ones (the number is drawn from the two
// names). FALSE (ERROR_INVALID_PARAMETER) for a process that is not there or
// cannot be read.
BOOL ProcessIdToSessionId(DWORD processId, DWORD* sessionId);

namespace layer {

struct ProcessFacts {
  DWORD id;
  DWORD parentId;
  std::string program;  // system path of the program file; empty when it cannot be read
};
// The user's processes, the newest first.
std::vector<ProcessFacts> RunningProcesses();

struct ModuleFacts {
  std::string path;  // host path of the file
  ULONG_PTR base;
  ULONG_PTR size;
};
// The modules mapped into a process, its program first; false when the
// process cannot be read.
bool LoadedModules(DWORD processId, std::vector<ModuleFacts>& modules);

// The space a program works in when VARNO_IPC_SPACE gives it that name:
// "process" is a space of the program's own, "p" and its process id, which
// the programs it starts share as they inherit the name.
std::string SpaceOfProcess(const std::string& named, DWORD processId);

// The whole text of a file under /proc; empty when it cannot be opened or
// read, as when its process ends while it is read.
std::string ReadProcessFile(const std::string& path);

}  // namespace layer
