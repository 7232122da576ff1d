// The system profile: the file "win.ini" in the Windows folder, whose
// printer entries stand for the printers the system has. The section
// "windows" key "device" names the default printer as "name,driver,port";
// the sections "devices" ("driver,port") and "PrinterPorts"
// ("driver,port,15,45") hold one key per printer. These entries are read from
// the printers themselves; writing "windows"/"device" makes another printer
// the default, writing the other two is refused.
#pragma once

#include <string>

#include "win32/Types.h"

// Copies the value (without surrounding blanks and quotes) or the default.
// A null key lists the section's keys, a null section the sections, each
// ending in NUL with one more NUL at the end. The result is the length copied
// without the last NUL; a value cut to fit counts size - 1 (size - 2 for
// lists).
DWORD GetProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size);
// The value's leading decimal digits; the default when the key is missing,
// 0 for a negative value.
UINT GetProfileInt(LPCSTR section, LPCSTR key, INT defaultValue);
// Writes a value; a null value removes the key, a null key the section. All
// three null: nothing is cached, so nothing is to be written.
BOOL WriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value);

inline DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size) {
  return GetProfileString(section, key, defaultValue, buffer, size);
}
inline UINT GetProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue) {
  return GetProfileInt(section, key, defaultValue);
}
inline BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  return WriteProfileString(section, key, value);
}

namespace layer {

// What the profile file itself holds for a key (empty when missing), without
// the printer entries answered from the printers.
std::string ProfileFileValue(const std::string& section, const std::string& key);

}  // namespace layer
