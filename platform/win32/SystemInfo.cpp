#include "win32/SystemInfo.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "win32/Errors.h"
#include "win32/Paths.h"
#include "win32/Registry.h"

namespace {

constexpr DWORD kMajor = 5;
constexpr DWORD kMinor = 1;
constexpr DWORD kBuild = 2600;

// The suites the system has, from the registry store's product options.
WORD SuiteMask() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return 0;
  char suites[1024] = {};
  DWORD size = sizeof suites - 2;
  DWORD type = 0;
  WORD mask = 0;
  if (RegQueryValueEx(key, "ProductSuite", nullptr, &type, reinterpret_cast<LPBYTE>(suites), &size) ==
          ERROR_SUCCESS &&
      type == REG_MULTI_SZ) {
    for (const char* suite = suites; *suite; suite += std::strlen(suite) + 1)
      if (std::strcmp(suite, "Terminal Server") == 0) mask |= VER_SUITE_TERMINAL;
  }
  RegCloseKey(key);
  return mask;
}

BYTE ConditionOf(DWORDLONG conditionMask, DWORD typeBit) {
  int index = 0;
  while (index < 8 && !(typeBit & (1u << index))) ++index;
  return static_cast<BYTE>((conditionMask >> (3 * index)) & 7);
}

bool Compares(DWORD have, DWORD wanted, BYTE condition) {
  switch (condition) {
    case VER_EQUAL: return have == wanted;
    case VER_GREATER: return have > wanted;
    case VER_GREATER_EQUAL: return have >= wanted;
    case VER_LESS: return have < wanted;
    case VER_LESS_EQUAL: return have <= wanted;
    case VER_AND: return (have & wanted) == wanted;
    case VER_OR: return (have & wanted) != 0;
    default: return false;
  }
}

}  // namespace

BOOL GetVersionEx(LPOSVERSIONINFO info) {
  if (!info || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFO) &&
                info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEX))) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  info->dwMajorVersion = kMajor;
  info->dwMinorVersion = kMinor;
  info->dwBuildNumber = kBuild;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEX)) {
    auto* extended = reinterpret_cast<LPOSVERSIONINFOEX>(info);
    extended->wServicePackMajor = 0;
    extended->wServicePackMinor = 0;
    extended->wSuiteMask = SuiteMask();
    extended->wProductType = VER_NT_WORKSTATION;
    extended->wReserved = 0;
  }
  return TRUE;
}

DWORD GetVersion() { return (kBuild << 16) | (kMinor << 8) | kMajor; }

ULONGLONG VerSetConditionMask(ULONGLONG conditionMask, DWORD typeMask, BYTE condition) {
  for (int index = 0; index < 8; ++index)
    if (typeMask & (1u << index)) {
      conditionMask &= ~(ULONGLONG{7} << (3 * index));
      conditionMask |= ULONGLONG{static_cast<BYTE>(condition & 7)} << (3 * index);
    }
  return conditionMask;
}

BOOL VerifyVersionInfo(LPOSVERSIONINFOEX info, DWORD typeMask, DWORDLONG conditionMask) {
  if (!info || typeMask == 0 || conditionMask == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  OSVERSIONINFOEX system{};
  system.dwOSVersionInfoSize = sizeof system;
  GetVersionEx(&system);
  struct Field {
    DWORD bit;
    DWORD have;
    DWORD wanted;
  } fields[] = {
      {VER_MINORVERSION, system.dwMinorVersion, info->dwMinorVersion},
      {VER_MAJORVERSION, system.dwMajorVersion, info->dwMajorVersion},
      {VER_BUILDNUMBER, system.dwBuildNumber, info->dwBuildNumber},
      {VER_PLATFORMID, system.dwPlatformId, info->dwPlatformId},
      {VER_SERVICEPACKMINOR, system.wServicePackMinor, info->wServicePackMinor},
      {VER_SERVICEPACKMAJOR, system.wServicePackMajor, info->wServicePackMajor},
      {VER_SUITENAME, system.wSuiteMask, info->wSuiteMask},
      {VER_PRODUCT_TYPE, system.wProductType, info->wProductType},
  };
  for (const Field& field : fields) {
    if (!(typeMask & field.bit)) continue;
    if (!Compares(field.have, field.wanted, ConditionOf(conditionMask, field.bit))) {
      SetLastError(ERROR_OLD_WIN_VERSION);
      return FALSE;
    }
  }
  return TRUE;
}

UINT GetWindowsDirectory(LPSTR buffer, UINT size) {
  return layer::CopyFolderText(layer::SystemPath(layer::WindowsFolder()), size, buffer);
}

UINT GetSystemWindowsDirectory(LPSTR buffer, UINT size) { return GetWindowsDirectory(buffer, size); }

namespace layer {

std::string UserConfigFolder() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return std::string(config) + "/varno4";
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.config/varno4";
  return "/tmp/varno4";
}

std::string WindowsFolder() {
  const char* chosen = std::getenv("VARNO_WINDIR");
  std::string folder = chosen && *chosen ? chosen : UserConfigFolder() + "/windows";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

DWORD CopyFolderText(const std::string& text, DWORD size, LPSTR buffer) {
  if (!buffer || size <= text.size()) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return static_cast<DWORD>(text.size());
}

}  // namespace layer
