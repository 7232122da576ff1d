// Named shared memory: file mappings on the paging file that two programs of
// one user find by name. The creator of a name that exists already gets the
// existing block and ERROR_ALREADY_EXISTS; a block lives while a handle or a
// mapped view of it is open anywhere, and disappears with the last of them.
#pragma once

#include "win32/KernelObjects.h"
#include "win32/Types.h"

#define PAGE_READONLY 0x02u
#define PAGE_READWRITE 0x04u

#define FILE_MAP_COPY 0x0001u
#define FILE_MAP_WRITE 0x0002u
#define FILE_MAP_READ 0x0004u
#define FILE_MAP_ALL_ACCESS 0x000F001Fu

// Only the paging file backs a mapping here (file is INVALID_HANDLE_VALUE).
HANDLE CreateFileMapping(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect, DWORD maximumSizeHigh,
                         DWORD maximumSizeLow, LPCSTR name);
HANDLE OpenFileMapping(DWORD access, BOOL inheritHandle, LPCSTR name);
// bytes 0 maps from the offset to the end of the block.
LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes);
BOOL UnmapViewOfFile(LPCVOID address);

inline HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect, DWORD sizeHigh,
                                 DWORD sizeLow, LPCSTR name) {
  return CreateFileMapping(file, attributes, protect, sizeHigh, sizeLow, name);
}
inline HANDLE OpenFileMappingA(DWORD access, BOOL inheritHandle, LPCSTR name) {
  return OpenFileMapping(access, inheritHandle, name);
}
