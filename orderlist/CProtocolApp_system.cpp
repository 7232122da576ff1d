// What the order-list program asks the system when it starts: its own file,
// the kind of system, whether it is a terminal server, its parent (the
// viewer) and the folders. Functions the system may lack are looked up by
// name, as on systems that have them only in later versions.
#include <cstring>

#include "foundation/TerminalServer.h"
#include "orderlist/CProtocolApp.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/Module.h"
#include "win32/Process.h"
#include "win32/ProcessTable.h"
#include "win32/Registry.h"
#include "win32/SystemInfo.h"

namespace {

int OsKind(const OSVERSIONINFO& version) {
  switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32_NT: return version.dwMajorVersion == 4 ? 3 : 4;
    case VER_PLATFORM_WIN32s: return 1;
    default: return version.dwMinorVersion < 90 ? 2 : 5;
  }
}

// The parent through the NT functions: its id, then its first module's file.
void ParentByNtFunctions(ProtocolSystemFacts& facts) {
  using Query = NTSTATUS (*)(HANDLE, int, LPVOID, ULONG, ULONG*);
  using EnumModules = BOOL (*)(HANDLE, HMODULE*, DWORD, DWORD*);
  using ModuleFile = DWORD (*)(HANDLE, HMODULE, LPSTR, DWORD);
  auto query = reinterpret_cast<Query>(GetProcAddress(LoadLibrary("NTDLL.DLL"), "NtQueryInformationProcess"));
  HMODULE psapi = LoadLibrary("PSAPI.DLL");
  auto enumModules = reinterpret_cast<EnumModules>(GetProcAddress(psapi, "EnumProcessModules"));
  auto moduleFile = reinterpret_cast<ModuleFile>(GetProcAddress(psapi, "GetModuleFileNameExA"));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != STATUS_SUCCESS)
    return;
  facts.viewerPid = basic.InheritedFromUniqueProcessId;
  HANDLE parent = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, facts.viewerPid);
  HMODULE first = nullptr;
  DWORD needed = 0;
  char path[MAX_PATH] = "";
  if (parent && enumModules && moduleFile && enumModules(parent, &first, sizeof first, &needed))
    moduleFile(parent, first, path, sizeof path);
  if (parent) CloseHandle(parent);
  facts.viewerFile = path;
}

// The parent through a process snapshot: the own entry names it, a second
// walk finds its file.
void ParentBySnapshot(ProtocolSystemFacts& facts) {
  using Snapshot = HANDLE (*)(DWORD, DWORD);
  using Walk = BOOL (*)(HANDLE, LPPROCESSENTRY32);
  HMODULE kernel = GetModuleHandle("KERNEL32.DLL");
  auto snapshot = reinterpret_cast<Snapshot>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
  auto first = reinterpret_cast<Walk>(GetProcAddress(kernel, "Process32First"));
  auto next = reinterpret_cast<Walk>(GetProcAddress(kernel, "Process32Next"));
  if (!snapshot || !first || !next) return;
  HANDLE processes = snapshot(TH32CS_SNAPPROCESS, 0);
  if (processes == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  const DWORD own = GetCurrentProcessId();
  for (BOOL more = first(processes, &entry); more; more = next(processes, &entry))
    if (entry.th32ProcessID == own) facts.viewerPid = entry.th32ParentProcessID;
  for (BOOL more = first(processes, &entry); more && facts.viewerPid; more = next(processes, &entry))
    if (entry.th32ProcessID == facts.viewerPid) facts.viewerFile = entry.szExeFile;
  CloseHandle(processes);
}

}  // namespace

ProtocolSystemFacts ProtocolSystemFacts::FromSystem() {
  ProtocolSystemFacts facts;
  char path[MAX_PATH] = "";
  GetModuleFileName(nullptr, path, sizeof path);
  facts.programFile = path;
  OSVERSIONINFO version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionEx(&version);
  facts.osKind = OsKind(version);
  facts.terminalServer = IsTerminalServer(version);
  if (facts.osKind == 3) {
    ParentByNtFunctions(facts);
    // The viewer stands beside this program when its file cannot be read.
    if (facts.viewerFile.IsEmpty()) {
      CString program = facts.programFile;
      int cut = program.ReverseFind('\\') > program.ReverseFind('/') ? program.ReverseFind('\\') : program.ReverseFind('/');
      facts.viewerFile = program.Left(cut) + "\\varno4.exe";
    }
  } else {
    ParentBySnapshot(facts);
  }
  facts.windowsDir = WindowsFolderFor(facts.terminalServer);
  char temp[MAX_PATH] = "";
  GetTempPath(sizeof temp, temp);
  facts.tempDir = temp;
  return facts;
}
