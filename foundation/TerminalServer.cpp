#include "foundation/TerminalServer.h"

#include <cstring>

#include "win32/Errors.h"
#include "win32/Module.h"
#include "win32/Registry.h"

namespace {

bool SuiteHoldsTerminalServer() {
  using SetMask = ULONGLONG (*)(ULONGLONG, DWORD, BYTE);
  using Verify = BOOL (*)(LPOSVERSIONINFOEX, DWORD, DWORDLONG);
  auto setMask = reinterpret_cast<SetMask>(GetProcAddress(LoadLibrary("ntdll.dll"), "VerSetConditionMask"));
  auto verify = reinterpret_cast<Verify>(GetProcAddress(GetModuleHandle("KERNEL32.DLL"), "VerifyVersionInfoA"));
  if (!setMask || !verify) return false;
  OSVERSIONINFOEX wanted{};
  wanted.dwOSVersionInfoSize = sizeof wanted;
  wanted.wSuiteMask = VER_SUITE_TERMINAL;
  return verify(&wanted, VER_SUITENAME, setMask(0, VER_SUITENAME, VER_AND)) != FALSE;
}

bool ProductSuiteNamesTerminalServer() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS)
    return false;
  char suites[1024] = {};
  DWORD size = sizeof suites - 2, type = 0;
  bool found = false;
  if (RegQueryValueExA(key, "ProductSuite", nullptr, &type, reinterpret_cast<BYTE*>(suites), &size) == ERROR_SUCCESS &&
      type == REG_MULTI_SZ) {
    for (const char* suite = suites; *suite && !found; suite += std::strlen(suite) + 1)
      found = std::strcmp(suite, "Terminal Server") == 0;
  }
  RegCloseKey(key);
  return found;
}

}  // namespace

bool IsTerminalServer(const OSVERSIONINFO& version) {
  if (GetVersion() & 0x80000000u) return false;  // the Windows 95 family
  return version.dwMajorVersion >= 5 ? SuiteHoldsTerminalServer() : ProductSuiteNamesTerminalServer();
}

CString WindowsFolderFor(bool terminalServer) {
  char folder[MAX_PATH] = "";
  if (!terminalServer) {
    GetWindowsDirectory(folder, sizeof folder);
    return folder;
  }
  using SystemWindows = UINT (*)(LPSTR, UINT);
  auto query = reinterpret_cast<SystemWindows>(
      GetProcAddress(GetModuleHandle("KERNEL32.DLL"), "GetSystemWindowsDirectoryA"));
  if (query) {
    query(folder, sizeof folder);
    return folder;
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION", 0, KEY_QUERY_VALUE, &key) ==
      ERROR_SUCCESS) {
    DWORD size = sizeof folder - 1;
    RegQueryValueExA(key, "SystemRoot", nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size);
    RegCloseKey(key);
  }
  return folder;
}

