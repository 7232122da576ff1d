// What a resource script (.rc) of the system includes first: the constants
// its dialogs, menus, accelerators and version blocks name, as plain numbers
// that the resource compiler's preprocessor reads (it knows no C++). The
// values are the platform's; the C++ headers of the layer give the same ones.
#pragma once

#include "win32/ControlStyles.h"
#include "win32/WindowStyles.h"

// Dialog results and button ids.
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

// Virtual keys for accelerators (letters and digits are their own characters).
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_HELP 0x2F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B

// Version blocks.
#define VS_VERSION_INFO 1
#define VS_FFI_FILEFLAGSMASK 0x0000003FL
#define VS_FF_DEBUG 0x00000001L
#define VS_FF_PRERELEASE 0x00000002L
#define VOS__WINDOWS32 0x00000004L
#define VOS_NT_WINDOWS32 0x00040004L
#define VFT_UNKNOWN 0x00000000L
#define VFT_APP 0x00000001L
#define VFT_DLL 0x00000002L
#define VFT2_UNKNOWN 0x00000000L

// Types and states of items in extended menus (MENUEX).
#define MFT_STRING 0x00000000L
#define MFT_SEPARATOR 0x00000800L
#define MFT_RADIOCHECK 0x00000200L
#define MFS_ENABLED 0x00000000L
#define MFS_GRAYED 0x00000003L
#define MFS_CHECKED 0x00000008L
#define MFS_DEFAULT 0x00001000L
