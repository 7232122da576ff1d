// Modules: libraries loaded by name at run time and their functions found by
// name. The platform's own libraries that the system binds at run time
// ("KERNEL32.DLL", "PSAPI.DLL", "NTDLL.DLL", "MAPI32.DLL") are built into the
// layer; any other name loads a shared library: "QridDib.dll" finds
// "QridDib.so" or "libQridDib.so" beside the program when the name does not
// exist as written.
#pragma once

#include <string>

#include "win32/Types.h"

// Without parameters or result, so that a cast to the real type draws no warning.
typedef void (*FARPROC)();

HMODULE LoadLibrary(LPCSTR name);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
// A null name gives the program itself; a built-in library is always there;
// any other library only while it is loaded.
HMODULE GetModuleHandle(LPCSTR name);
// The path of the program (null module) or of a loaded library; the text is
// cut to fit the buffer, as the platform does.
DWORD GetModuleFileName(HMODULE module, LPSTR buffer, DWORD size);

inline HMODULE LoadLibraryA(LPCSTR name) { return LoadLibrary(name); }
inline HMODULE GetModuleHandleA(LPCSTR name) { return GetModuleHandle(name); }
inline DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  return GetModuleFileName(module, buffer, size);
}

namespace layer {

// Adds a function of a built-in library (the library is made when new).
void AddBuiltinFunction(const std::string& library, const std::string& name, FARPROC function);

template <class F>
FARPROC AsFarProc(F* function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

// The module that holds address: the handle LoadLibrary and GetModuleHandle
// give for it, also for a library the program was linked with; null for an
// address outside every module.
HMODULE ModuleOf(const void* address);

// Copies as much of text as fits, always NUL-terminated; the length copied.
DWORD CopyCutText(const std::string& text, LPSTR buffer, DWORD size);

}  // namespace layer
