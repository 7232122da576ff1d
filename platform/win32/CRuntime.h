// The C runtime's file functions as the system's code calls them: names
// follow the path rule (win32/Paths.h) and opens honour the sharing modes of
// the layer's files (win32/Files.h), so a stream and a file handle on one
// file meet as on the platform. Streams are the host's FILE, so the rest of
// <cstdio> (fread, fgets, fprintf, fseek, fclose ...) works on them.
//
// A source that includes this header gets the runtime's fopen in place of
// the host's (a macro: include the header after all others, and call fopen,
// not std::fopen).
#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "win32/Types.h"

// The runtime's status record names its times like the host's macros do.
#undef st_atime
#undef st_mtime
#undef st_ctime

#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40

#define _S_IFMT 0xF000
#define _S_IFDIR 0x4000
#define _S_IFREG 0x8000
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080
#define _S_IEXEC 0x0040

struct _stat {
  unsigned int st_dev;  // drive number, 0 for A
  unsigned short st_ino;
  unsigned short st_mode;  // _S_IFDIR or _S_IFREG, the owner's bits copied to group and others
  short st_nlink;
  short st_uid;
  short st_gid;
  unsigned int st_rdev;
  long long st_size;
  std::time_t st_atime;
  std::time_t st_mtime;
  std::time_t st_ctime;
};

// 0, or -1 with errno ENOENT (no such file or folder, or a wildcard in the name).
int _stat(const char* path, struct _stat* status);
// mode 0: exists; 2: may be written; 4: may be read; 6: both. 0, or -1 with
// errno ENOENT or EACCES.
int _access(const char* path, int mode);

// Modes "r", "w", "a", each with an optional "+", then "b" (binary) or "t"
// (text, the default): text streams read CR LF as LF, end at a Ctrl-Z byte
// and write LF as CR LF. Null with errno ENOENT, EACCES (a sharing conflict,
// a read-only file, a folder) or EINVAL (a bad mode).
FILE* _fsopen(const char* name, const char* mode, int sharing);

namespace layer {

inline FILE* OpenStream(const char* name, const char* mode) { return _fsopen(name, mode, _SH_DENYNO); }

// The runtime's strftime in its "C" locale: "%c" is "%m/%d/%y %H:%M:%S",
// "%x" and "%X" its two halves; "#" drops leading zeros of numbers and makes
// "%c" and "%x" long; unknown codes are left out.
std::string FormatTime(const char* format, const std::tm& time);

}  // namespace layer

#define fopen(name, mode) ::layer::OpenStream(name, mode)
