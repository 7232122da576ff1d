// The registry, read-only: the per-user store of the layer with defaults for
// what the system asks (no terminal server, the Windows folder as
// "SystemRoot", the desktop's opener as the open command of ".pdf").
//
// The store is a text file (VARNO_REGISTRY, else varno4/registry.txt under
// the user's config folder), UTF-8, whose entries replace the defaults:
//   [HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ProductOptions]
//   ProductSuite=multi:Terminal Server|Other suite
//   @=sz:the key's default value
//   Count=dword:12
// Key and value names are compared without regard to case. A line that does
// not read as an entry is passed over.
#pragma once

#include <string>

#include "win32/Types.h"

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000003u)))

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_EXPAND_SZ 2u
#define REG_BINARY 3u
#define REG_DWORD 4u
#define REG_MULTI_SZ 7u

#define KEY_QUERY_VALUE 0x0001u
#define KEY_ENUMERATE_SUB_KEYS 0x0008u
#define KEY_READ 0x00020019u

typedef DWORD REGSAM;
typedef HKEY* PHKEY;
typedef LONG* PLONG;

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegOpenKey(HKEY key, LPCSTR subKey, PHKEY result);
// A null or empty name reads the key's default value.
LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
// The default value of a subkey, as text.
LONG RegQueryValue(HKEY key, LPCSTR subKey, LPSTR value, PLONG size);
LONG RegCloseKey(HKEY key);

inline LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  return RegOpenKeyEx(key, subKey, options, access, result);
}
inline LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
  return RegQueryValueEx(key, name, reserved, type, data, size);
}

namespace layer {
// The host path of the store file.
std::string RegistryStorePath();
}  // namespace layer
