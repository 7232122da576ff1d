// Facts about the system: its version as the system's code tests it, the
// suite test for a terminal server, and the Windows folder, which is a
// per-user folder under the user's config folder here.
//
// The layer presents itself as a workstation of platform 2 (NT), version
// 5.1; it is a terminal server only when the registry store says so (the
// value "ProductSuite" holding "Terminal Server", see win32/Registry.h).
#pragma once

#include <string>

#include "win32/Types.h"

#define VER_PLATFORM_WIN32s 0u
#define VER_PLATFORM_WIN32_WINDOWS 1u
#define VER_PLATFORM_WIN32_NT 2u

#define VER_MINORVERSION 0x0000001u
#define VER_MAJORVERSION 0x0000002u
#define VER_BUILDNUMBER 0x0000004u
#define VER_PLATFORMID 0x0000008u
#define VER_SERVICEPACKMINOR 0x0000010u
#define VER_SERVICEPACKMAJOR 0x0000020u
#define VER_SUITENAME 0x0000040u
#define VER_PRODUCT_TYPE 0x0000080u

#define VER_EQUAL 1
#define VER_GREATER 2
#define VER_GREATER_EQUAL 3
#define VER_LESS 4
#define VER_LESS_EQUAL 5
#define VER_AND 6
#define VER_OR 7

#define VER_SUITE_TERMINAL 0x00000010u
#define VER_NT_WORKSTATION 1

#define ERROR_OLD_WIN_VERSION 1150L

typedef ULONGLONG DWORDLONG;

struct OSVERSIONINFO {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
};
typedef OSVERSIONINFO* LPOSVERSIONINFO;
typedef OSVERSIONINFO OSVERSIONINFOA;

struct OSVERSIONINFOEX {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};
typedef OSVERSIONINFOEX* LPOSVERSIONINFOEX;
typedef OSVERSIONINFOEX OSVERSIONINFOEXA;

static_assert(sizeof(OSVERSIONINFO) == 148 && sizeof(OSVERSIONINFOEX) == 156, "version record layouts");

// Fills the plain (148 bytes) or the extended (156 bytes) record, as its size
// field says.
BOOL GetVersionEx(LPOSVERSIONINFO info);
inline BOOL GetVersionEx(LPOSVERSIONINFOEX info) { return GetVersionEx(reinterpret_cast<LPOSVERSIONINFO>(info)); }
// The packed version: major in the low byte, minor in the next, build in the
// high word; the top bit would mark the old platform family.
DWORD GetVersion();
ULONGLONG VerSetConditionMask(ULONGLONG conditionMask, DWORD typeMask, BYTE condition);
// FALSE with ERROR_OLD_WIN_VERSION when the system does not meet the record.
BOOL VerifyVersionInfo(LPOSVERSIONINFOEX info, DWORD typeMask, DWORDLONG conditionMask);
inline BOOL VerifyVersionInfoA(LPOSVERSIONINFOEX info, DWORD typeMask, DWORDLONG conditionMask) {
  return VerifyVersionInfo(info, typeMask, conditionMask);
}

// The size needed (with the NUL) when the buffer is too small, else the
// length copied.
UINT GetWindowsDirectory(LPSTR buffer, UINT size);
UINT GetSystemWindowsDirectory(LPSTR buffer, UINT size);
inline UINT GetSystemWindowsDirectoryA(LPSTR buffer, UINT size) { return GetSystemWindowsDirectory(buffer, size); }

namespace layer {
// The user's config folder (XDG_CONFIG_HOME, else ~/.config) + "/varno4".
std::string UserConfigFolder();
// The host folder that stands for the Windows folder (VARNO_WINDIR when set);
// made when missing.
std::string WindowsFolder();
// Copies text with its NUL when it fits; the platform's rule for folder queries.
DWORD CopyFolderText(const std::string& text, DWORD size, LPSTR buffer);
}  // namespace layer
