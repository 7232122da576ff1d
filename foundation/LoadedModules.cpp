#include "foundation/LoadedModules.h"

#include <algorithm>

#include "win32/Module.h"
#include "win32/Process.h"
#include "win32/ProcessTable.h"

namespace {

constexpr DWORD kMostModules = 100;

using SnapshotFn = HANDLE (*)(DWORD, DWORD);
using ModuleWalkFn = BOOL (*)(HANDLE, LPMODULEENTRY32);
using EnumModulesFn = BOOL (*)(HANDLE, HMODULE*, DWORD, DWORD*);

std::vector<CString> ModulesByProcessStatus() {
  std::vector<CString> files;
  auto enumModules = reinterpret_cast<EnumModulesFn>(GetProcAddress(LoadLibrary("PSAPI.DLL"), "EnumProcessModules"));
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, GetCurrentProcessId());
  HMODULE modules[kMostModules] = {};
  DWORD needed = 0;
  if (enumModules != nullptr && process != nullptr && enumModules(process, modules, sizeof modules, &needed)) {
    const DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), kMostModules);
    for (DWORD i = 0; i < count; ++i) {
      char path[MAX_PATH] = {};
      if (GetModuleFileName(modules[i], path, sizeof path) > 0) files.emplace_back(path);
    }
  }
  if (process != nullptr) CloseHandle(process);
  return files;
}

std::vector<CString> ModulesByToolHelp() {
  std::vector<CString> files;
  HMODULE kernel = GetModuleHandle("KERNEL32.DLL");
  auto snapshot = reinterpret_cast<SnapshotFn>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
  auto first = reinterpret_cast<ModuleWalkFn>(GetProcAddress(kernel, "Module32First"));
  auto next = reinterpret_cast<ModuleWalkFn>(GetProcAddress(kernel, "Module32Next"));
  if (!snapshot || !first || !next) return files;
  HANDLE modules = snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
  if (modules == INVALID_HANDLE_VALUE || modules == nullptr) return files;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = first(modules, &entry); more; more = next(modules, &entry)) files.emplace_back(entry.szExePath);
  CloseHandle(modules);
  return files;
}

}  // namespace

std::vector<CString> LoadedModuleFiles(bool windowsNt4) {
  return windowsNt4 ? ModulesByProcessStatus() : ModulesByToolHelp();
}

CString ModuleName(const CString& path) {
  return path.Mid(std::max(path.ReverseFind('\\'), path.ReverseFind('/')) + 1);
}
