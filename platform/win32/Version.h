// Version information of the system's own deliverables. A deliverable states
// its version in text compiled into it (VARNO_VERSION_INFO), one "Key=Value"
// a line: "FileVersion" and "ProductVersion" as four numbers ("4.0.1.0" or
// "4, 0, 1, 0"), "Translation" as pairs of hexadecimal language and code page
// ("0407 04E4"; "0409 04E4" when missing), and any further string such as
// "CompanyName" or "FileDescription". The functions below read that text back
// from the file and answer the platform's queries on it.
#pragma once

#include "win32/Types.h"

// The version text of the deliverable that this is compiled into; once per
// program or library.
#define VARNO_VERSION_INFO(text)                                                                          \
  extern "C" __attribute__((section(".varno_version"), used, visibility("hidden"))) const char varno_version_info[] = \
      text

#define VS_FFI_SIGNATURE 0xFEEF04BDu
#define VS_FFI_STRUCVERSION 0x00010000u
#define VOS__WINDOWS32 0x00000004u
#define VFT_APP 0x00000001u
#define VFT_DLL 0x00000002u

struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52, "fixed file information layout");

// 0 (ERROR_RESOURCE_TYPE_NOT_FOUND) for a file without version information.
DWORD GetFileVersionInfoSize(LPCSTR fileName, LPDWORD handle);
BOOL GetFileVersionInfo(LPCSTR fileName, DWORD handle, DWORD length, LPVOID data);
// "\" gives the fixed record, "\VarFileInfo\Translation" the language and
// code-page pairs (language in the low word), "\StringFileInfo\<llllcccc>\Key"
// a string of that translation.
BOOL VerQueryValue(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, UINT* length);

#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
