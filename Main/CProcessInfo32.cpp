#include "Main/CProcessInfo32.h"

#include <algorithm>
#include <cstring>

#include "win32/CrossProcess.h"
#include "win32/KernelObjects.h"
#include "win32/Module.h"
#include "win32/Process.h"
#include "win32/ProcessTable.h"
#include "win32/SystemInfo.h"
#include "win32/UserWindows.h"

namespace {

using EnumProcessesFn = BOOL (*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL (*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleBaseNameFn = DWORD (*)(HANDLE, HMODULE, LPSTR, DWORD);
using GetModuleFileNameExFn = DWORD (*)(HANDLE, HMODULE, LPSTR, DWORD);
using NtQueryInformationProcessFn = NTSTATUS (*)(HANDLE, int, LPVOID, ULONG, ULONG*);
using CreateSnapshotFn = HANDLE (*)(DWORD, DWORD);
using ProcessWalkFn = BOOL (*)(HANDLE, LPPROCESSENTRY32);

// Bound once for the whole program, as every snapshot needs the same ones.
EnumProcessesFn g_enumProcesses = nullptr;
EnumProcessModulesFn g_enumProcessModules = nullptr;
GetModuleBaseNameFn g_getModuleBaseName = nullptr;
GetModuleFileNameExFn g_getModuleFileNameEx = nullptr;
NtQueryInformationProcessFn g_ntQueryInformationProcess = nullptr;
CreateSnapshotFn g_createSnapshot = nullptr;
ProcessWalkFn g_process32First = nullptr;
ProcessWalkFn g_process32Next = nullptr;

template <typename Function>
Function Bind(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(GetProcAddress(module, name)) : nullptr;
}

BOOL BindNtFunctions() {
  HMODULE psapi = LoadLibrary("PSAPI.DLL");
  HMODULE ntdll = LoadLibrary("NTDLL.DLL");
  g_enumProcesses = Bind<EnumProcessesFn>(psapi, "EnumProcesses");
  g_enumProcessModules = Bind<EnumProcessModulesFn>(psapi, "EnumProcessModules");
  g_getModuleBaseName = Bind<GetModuleBaseNameFn>(psapi, "GetModuleBaseNameA");
  g_getModuleFileNameEx = Bind<GetModuleFileNameExFn>(psapi, "GetModuleFileNameExA");
  g_ntQueryInformationProcess = Bind<NtQueryInformationProcessFn>(ntdll, "NtQueryInformationProcess");
  return g_enumProcesses && g_enumProcessModules && g_getModuleBaseName && g_getModuleFileNameEx &&
         g_ntQueryInformationProcess;
}

BOOL BindSnapshotFunctions() {
  HMODULE kernel = GetModuleHandle("KERNEL32.DLL");
  g_createSnapshot = Bind<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot");
  g_process32First = Bind<ProcessWalkFn>(kernel, "Process32First");
  g_process32Next = Bind<ProcessWalkFn>(kernel, "Process32Next");
  return g_createSnapshot && g_process32First && g_process32Next;
}

void CopyText(const char* text, char* target, size_t size) {
  size_t length = std::min(std::strlen(text), size - 1);
  std::memcpy(target, text, length);
  target[length] = '\0';
}

// The ids of all processes; the buffer grows until the system has room to spare.
std::vector<DWORD> AllProcessIds() {
  std::vector<DWORD> ids(150);
  for (;;) {
    DWORD bytes = static_cast<DWORD>(ids.size() * sizeof(DWORD));
    DWORD returned = 0;
    if (!g_enumProcesses(ids.data(), bytes, &returned)) return {};
    if (returned < bytes) {
      ids.resize(returned / sizeof(DWORD));
      return ids;
    }
    ids.resize(ids.size() * 2);
  }
}

DWORD ParentOf(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  if (g_ntQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != STATUS_SUCCESS)
    return 0;
  return basic.InheritedFromUniqueProcessId;
}

HMODULE FirstModule(HANDLE process) {
  HMODULE modules[150] = {};
  DWORD needed = 0;
  if (!g_enumProcessModules(process, modules, sizeof modules, &needed)) return nullptr;
  DWORD filled = std::min<DWORD>(needed / sizeof(HMODULE), 150);
  for (DWORD i = 0; i < filled; ++i)
    if (modules[i]) return modules[i];
  return nullptr;
}

// Ids below this belong to the system's own processes, which are never asked for.
constexpr DWORD kFirstUserProcessId = 20;

}  // namespace

CProcessInfo32::CProcessInfo32() {
  Init();
  m_versionText.Format("%s %d.%d", "CProcessInfo32 Version ", 2, 1);
  m_version = 0x0102;
  ReadProcesses();
}

BOOL CProcessInfo32::Init() {
  OSVERSIONINFO version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionEx(&version);
  return UseMethod(version.dwPlatformId == VER_PLATFORM_WIN32_NT ? kNtMethod : kToolHelpMethod);
}

BOOL CProcessInfo32::UseMethod(Method method) {
  m_method = method;
  m_available = method == kNtMethod ? BindNtFunctions() : BindSnapshotFunctions();
  m_table.clear();
  m_count = 0;
  m_walkIndex = 0;
  return m_available;
}

BOOL CProcessInfo32::ReadProcesses() {
  if (!m_available) return FALSE;
  return m_method == kNtMethod ? ReadWithNtFunctions() : ReadWithSnapshot();
}

BOOL CProcessInfo32::ReadWithNtFunctions() {
  std::vector<DWORD> ids = AllProcessIds();
  m_table.assign(ids.size(), ProcessRecord{});
  m_count = static_cast<int>(ids.size());
  for (size_t i = 0; i < ids.size(); ++i) {
    if (ids[i] < kFirstUserProcessId) continue;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, TRUE, ids[i]);
    if (!process) continue;
    ProcessRecord& entry = m_table[i];
    entry.processId = ids[i];
    entry.process = process;
    entry.parentId = ParentOf(process);
    if (HMODULE module = FirstModule(process)) g_getModuleFileNameEx(process, module, entry.program, MAX_PATH);
    CloseHandle(process);
  }
  return TRUE;
}

BOOL CProcessInfo32::ReadWithSnapshot() {
  m_table.clear();
  m_count = 0;
  HANDLE snapshot = g_createSnapshot(TH32CS_SNAPPROCESS, 0);
  if (!snapshot || snapshot == INVALID_HANDLE_VALUE) return TRUE;
  PROCESSENTRY32 process{};
  process.dwSize = PROCESSENTRY32_SMALLEST_SIZE;
  for (BOOL more = g_process32First(snapshot, &process); more; more = g_process32Next(snapshot, &process)) {
    ProcessRecord entry;
    entry.processId = process.th32ProcessID;
    entry.parentId = process.th32ParentProcessID;
    CopyText(process.szExeFile, entry.program, sizeof entry.program);
    m_table.push_back(entry);
  }
  m_count = static_cast<int>(m_table.size());
  CloseHandle(snapshot);
  return TRUE;
}

// Every top-level window in the system's order is examined, the topmost too:
// the window looked for is often the one in front.
void CProcessInfo32::FindWindowOf(ProcessRecord& entry) const {
  for (HWND window = ::GetWindow(nullptr, GW_HWNDFIRST); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
    if (::GetParent(window) || !::IsWindowVisible(window)) continue;
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == 0 || owner != entry.processId) continue;
    entry.window = window;
    char title[256] = {};
    if (::GetWindowText(window, title, sizeof title) > 0) CopyText(title, entry.title, sizeof entry.title);
    return;
  }
}

BOOL CProcessInfo32::Report(ProcessRecord& entry, ProcessRecord* record) const {
  FindWindowOf(entry);
  if (record) *record = entry;
  return TRUE;
}

BOOL CProcessInfo32::FindProcess(DWORD processId, ProcessRecord* record) {
  for (int i = 0; i < m_count; ++i) {
    if (m_table[i].processId != processId) continue;
    return record ? Report(m_table[i], record) : TRUE;
  }
  return FALSE;
}

BOOL CProcessInfo32::GetFirst(ProcessRecord* record) {
  m_walkIndex = 0;
  return GetNext(record);
}

BOOL CProcessInfo32::GetNext(ProcessRecord* record) {
  if (!m_available || m_walkIndex >= m_count || !record) return FALSE;
  return Report(m_table[m_walkIndex++], record);
}
