// Scalar types, handles and small records with the widths and values the
// system's code and its stored files rely on.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef char TCHAR;
typedef float FLOAT;
typedef BYTE BOOLEAN;
typedef std::int64_t LONGLONG;
typedef std::uint64_t ULONGLONG;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::intptr_t LONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef ULONG_PTR SIZE_T;

typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;

typedef void* LPVOID;
typedef const void* LPCVOID;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef BYTE* LPBYTE;
typedef WORD* LPWORD;
typedef DWORD* LPDWORD;
typedef LONG* LPLONG;
typedef BOOL* LPBOOL;
typedef int* LPINT;

// Opaque handles: distinct pointer types, so that a window handle is not
// accepted where a bitmap handle is expected.
#define VARNO_DECLARE_HANDLE(name) \
  struct name##__ {                \
    int unused;                    \
  };                               \
  typedef struct name##__* name

typedef void* HANDLE;
typedef HANDLE* LPHANDLE;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;
VARNO_DECLARE_HANDLE(HWND);
VARNO_DECLARE_HANDLE(HINSTANCE);
VARNO_DECLARE_HANDLE(HDC);
VARNO_DECLARE_HANDLE(HMENU);
VARNO_DECLARE_HANDLE(HICON);
VARNO_DECLARE_HANDLE(HBITMAP);
VARNO_DECLARE_HANDLE(HBRUSH);
VARNO_DECLARE_HANDLE(HPEN);
VARNO_DECLARE_HANDLE(HFONT);
VARNO_DECLARE_HANDLE(HPALETTE);
VARNO_DECLARE_HANDLE(HRGN);
VARNO_DECLARE_HANDLE(HACCEL);
VARNO_DECLARE_HANDLE(HKEY);
VARNO_DECLARE_HANDLE(HRSRC);
typedef HICON HCURSOR;
typedef HANDLE HGDIOBJ;
typedef HINSTANCE HMODULE;

#define TRUE 1
#define FALSE 0
#ifndef NULL
#define NULL nullptr
#endif

#define MAX_PATH 260
#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define INFINITE 0xFFFFFFFFu

#define MAKEWORD(lo, hi) (static_cast<WORD>((static_cast<BYTE>(lo)) | (static_cast<WORD>(static_cast<BYTE>(hi)) << 8)))
#define MAKELONG(lo, hi) (static_cast<LONG>(static_cast<WORD>(lo) | (static_cast<DWORD>(static_cast<WORD>(hi)) << 16)))
#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xFFFF))
#define LOBYTE(w) (static_cast<BYTE>(static_cast<DWORD_PTR>(w) & 0xFF))
#define HIBYTE(w) (static_cast<BYTE>((static_cast<DWORD_PTR>(w) >> 8) & 0xFF))
#define MAKEWPARAM(lo, hi) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(lo, hi))))
#define MAKELPARAM(lo, hi) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(lo, hi))))
#define MAKELRESULT(lo, hi) (static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(lo, hi))))

#define RGB(r, g, b) \
  (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(static_cast<WORD>(rgb) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

struct POINT {
  LONG x;
  LONG y;
};
typedef POINT* LPPOINT;

struct SIZE {
  LONG cx;
  LONG cy;
};
typedef SIZE* LPSIZE;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
typedef SYSTEMTIME* LPSYSTEMTIME;

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

static_assert(sizeof(DWORD) == 4 && sizeof(LONG) == 4 && sizeof(WORD) == 2, "platform widths");
static_assert(sizeof(RECT) == 16 && sizeof(SYSTEMTIME) == 16, "record layouts");
