// Menus: menu bars and pop-up menus from resources or built at run time, the
// calls that change and ask them, pop-up menus shown with TrackPopupMenu,
// menu bars of windows (SetMenu, DrawMenuBar), the window's system menu, and
// accelerator tables.
#pragma once

#include "win32/MenuTemplate.h"
#include "win32/UserTypes.h"

#define MF_INSERT 0x00000000u
#define MF_CHANGE 0x00000080u
#define MF_APPEND 0x00000100u
#define MF_DELETE 0x00000200u
#define MF_REMOVE 0x00001000u
#define MF_BYCOMMAND 0x00000000u
#define MF_BYPOSITION 0x00000400u
#define MF_SEPARATOR 0x00000800u
#define MF_ENABLED 0x00000000u
#define MF_GRAYED 0x00000001u
#define MF_DISABLED 0x00000002u
#define MF_UNCHECKED 0x00000000u
#define MF_CHECKED 0x00000008u
#define MF_USECHECKBITMAPS 0x00000200u
#define MF_STRING 0x00000000u
#define MF_BITMAP 0x00000004u
#define MF_OWNERDRAW 0x00000100u
#define MF_POPUP 0x00000010u
#define MF_MENUBARBREAK 0x00000020u
#define MF_MENUBREAK 0x00000040u
#define MF_UNHILITE 0x00000000u
#define MF_HILITE 0x00000080u
#define MF_DEFAULT 0x00001000u
#define MF_SYSMENU 0x00002000u
#define MF_HELP 0x00004000u
#define MF_RIGHTJUSTIFY 0x00004000u
#define MF_MOUSESELECT 0x00008000u

#define MFT_STRING MF_STRING
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RADIOCHECK 0x00000200u
#define MFS_GRAYED 0x00000003u
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_ENABLED MF_ENABLED
#define MFS_DEFAULT MF_DEFAULT

#define MIIM_STATE 0x00000001u
#define MIIM_ID 0x00000002u
#define MIIM_SUBMENU 0x00000004u
#define MIIM_CHECKMARKS 0x00000008u
#define MIIM_TYPE 0x00000010u
#define MIIM_DATA 0x00000020u
#define MIIM_STRING 0x00000040u
#define MIIM_BITMAP 0x00000080u
#define MIIM_FTYPE 0x00000100u

#define TPM_LEFTBUTTON 0x0000u
#define TPM_RIGHTBUTTON 0x0002u
#define TPM_LEFTALIGN 0x0000u
#define TPM_CENTERALIGN 0x0004u
#define TPM_RIGHTALIGN 0x0008u
#define TPM_TOPALIGN 0x0000u
#define TPM_VCENTERALIGN 0x0010u
#define TPM_BOTTOMALIGN 0x0020u
#define TPM_NONOTIFY 0x0080u
#define TPM_RETURNCMD 0x0100u

// System commands (WM_SYSCOMMAND) and the system menu.
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_NEXTWINDOW 0xF040
#define SC_PREVWINDOW 0xF050
#define SC_CLOSE 0xF060
#define SC_KEYMENU 0xF100
#define SC_RESTORE 0xF120
#define SC_TASKLIST 0xF130

#define WM_MENUCHAR 0x0120
#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212

#define MNC_IGNORE 0
#define MNC_CLOSE 1
#define MNC_EXECUTE 2
#define MNC_SELECT 3

// Accelerator flags.
#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10

struct MENUITEMINFOA {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  ULONG_PTR dwItemData;
  LPSTR dwTypeData;
  UINT cch;
  HBITMAP hbmpItem;
};
typedef MENUITEMINFOA MENUITEMINFO;
typedef MENUITEMINFOA* LPMENUITEMINFO;
typedef const MENUITEMINFOA* LPCMENUITEMINFO;

struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};
typedef ACCEL* LPACCEL;

struct TPMPARAMS {
  UINT cbSize;
  RECT rcExclude;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
HMENU LoadMenu(HINSTANCE module, LPCSTR name);
HMENU LoadMenuIndirect(const void* menuTemplate);
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuString(HMENU menu, UINT item, LPSTR text, int size, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
BOOL HiliteMenuItem(HWND window, HMENU menu, UINT item, UINT flags);

HMENU GetMenu(HWND window);
BOOL SetMenu(HWND window, HMENU menu);
BOOL DrawMenuBar(HWND window);
HMENU GetSystemMenu(HWND window, BOOL revert);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND window, const RECT* ignored);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND window, TPMPARAMS* params);
BOOL EndMenu();

HACCEL LoadAccelerators(HINSTANCE module, LPCSTR name);
HACCEL CreateAcceleratorTable(LPACCEL entries, int count);
int CopyAcceleratorTable(HACCEL table, LPACCEL entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
int TranslateAccelerator(HWND window, HACCEL table, LPMSG msg);

inline HMENU LoadMenuA(HINSTANCE module, LPCSTR name) { return LoadMenu(module, name); }
inline BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) { return AppendMenu(menu, flags, id, text); }
inline BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text) {
  return InsertMenu(menu, position, flags, id, text);
}
inline BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text) {
  return ModifyMenu(menu, position, flags, id, text);
}
inline int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int size, UINT flags) {
  return GetMenuString(menu, item, text, size, flags);
}
inline BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
  return SetMenuItemInfo(menu, item, byPosition, info);
}
inline BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info) {
  return GetMenuItemInfo(menu, item, byPosition, info);
}
inline HACCEL LoadAcceleratorsA(HINSTANCE module, LPCSTR name) { return LoadAccelerators(module, name); }
inline int TranslateAcceleratorA(HWND window, HACCEL table, LPMSG msg) { return TranslateAccelerator(window, table, msg); }
