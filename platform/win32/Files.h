// Files of the kernel: open with access and sharing modes, read, write, seek,
// and the folder functions. Names follow the path rule (win32/Paths.h).
// Sharing modes hold between processes: an open that the modes of another
// open refuse fails with ERROR_SHARING_VIOLATION.
#pragma once

#include "win32/KernelObjects.h"
#include "win32/Types.h"

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define GENERIC_EXECUTE 0x20000000u
#define GENERIC_ALL 0x10000000u

#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u

#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u

#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_SYSTEM 0x00000004u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu

#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u

HANDLE CreateFile(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                  DWORD attributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPVOID overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPVOID overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
BOOL SetEndOfFile(HANDLE file);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL FlushFileBuffers(HANDLE file);
BOOL GetFileTime(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write);

BOOL DeleteFile(LPCSTR name);
#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

BOOL MoveFile(LPCSTR from, LPCSTR to);
// With MOVEFILE_REPLACE_EXISTING an existing target is replaced in one step.
BOOL MoveFileEx(LPCSTR from, LPCSTR to, DWORD flags);
BOOL CopyFile(LPCSTR from, LPCSTR to, BOOL failIfExists);
DWORD GetFileAttributes(LPCSTR name);
BOOL CreateDirectory(LPCSTR name, LPSECURITY_ATTRIBUTES security);
BOOL RemoveDirectory(LPCSTR name);
DWORD GetCurrentDirectory(DWORD size, LPSTR buffer);
BOOL SetCurrentDirectory(LPCSTR name);
DWORD GetTempPath(DWORD size, LPSTR buffer);
DWORD GetFullPathName(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart);

// Searching a folder. The pattern's last part may hold "*" and "?", matched
// without regard to case ("*.*" matches every name); the folders before it
// follow the path rule. Entries come in the order of their upper-case names,
// with "." and ".." first in any folder but a drive's root.
struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATAA WIN32_FIND_DATA;
typedef WIN32_FIND_DATAA* LPWIN32_FIND_DATA;
static_assert(sizeof(WIN32_FIND_DATAA) == 320, "find record layout");

HANDLE FindFirstFile(LPCSTR pattern, LPWIN32_FIND_DATA data);
BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data);
BOOL FindClose(HANDLE find);
inline HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATA data) { return FindFirstFile(pattern, data); }
inline BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATA data) { return FindNextFile(find, data); }

// Volumes. A root is "X:\" or "\\server\share\" (null: the current folder's
// volume); the figures are the host file system's that holds the folder the
// root stands for.
#define FILE_CASE_SENSITIVE_SEARCH 0x00000001u
#define FILE_CASE_PRESERVED_NAMES 0x00000002u
#define FILE_UNICODE_ON_DISK 0x00000004u
#define FILE_READ_ONLY_VOLUME 0x00080000u

BOOL GetVolumeInformation(LPCSTR root, LPSTR volumeName, DWORD volumeNameSize, LPDWORD serialNumber,
                          LPDWORD maxComponentLength, LPDWORD fileSystemFlags, LPSTR fileSystemName,
                          DWORD fileSystemNameSize);
inline BOOL GetVolumeInformationA(LPCSTR root, LPSTR volumeName, DWORD volumeNameSize, LPDWORD serialNumber,
                                  LPDWORD maxComponentLength, LPDWORD fileSystemFlags, LPSTR fileSystemName,
                                  DWORD fileSystemNameSize) {
  return GetVolumeInformation(root, volumeName, volumeNameSize, serialNumber, maxComponentLength, fileSystemFlags,
                              fileSystemName, fileSystemNameSize);
}

namespace layer {
// The host file descriptor behind a file handle, or -1.
int HostDescriptor(HANDLE file);
// Converts between the platform's file times and seconds since 1970.
FILETIME FileTimeFromUnix(long long seconds, long nanoseconds);
long long UnixFromFileTime(const FILETIME& time);
// The platform's attributes of a file of the host's mode bits.
DWORD AttributesFromMode(unsigned mode);
}  // namespace layer
