// A menu of the class library: a menu bar or pop-up menu behind an HMENU.
#pragma once

#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "user/Menus.h"

class CWnd;

class CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)

 public:
  CMenu() = default;
  ~CMenu() override;  // destroys the menu it holds
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }  // NOLINT: the class library converts implicitly
  HMENU GetSafeHmenu() const { return m_hMenu; }

  // The object of a menu: a temporary one until the thread is idle.
  static CMenu* FromHandle(HMENU menu);
  static void DeleteTempMap();
  BOOL Attach(HMENU menu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL LoadMenu(UINT id);
  BOOL LoadMenu(LPCSTR name);
  BOOL LoadMenuIndirect(const void* menuTemplate);
  BOOL DestroyMenu();

  BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr);
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr);
  BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr);
  BOOL DeleteMenu(UINT position, UINT flags);
  BOOL RemoveMenu(UINT position, UINT flags);
  UINT CheckMenuItem(UINT item, UINT check);
  BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags);
  UINT EnableMenuItem(UINT item, UINT enable);
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;
  UINT GetMenuState(UINT item, UINT flags) const;
  int GetMenuString(UINT item, LPSTR text, int size, UINT flags) const;
  int GetMenuString(UINT item, CString& text, UINT flags) const;
  CMenu* GetSubMenu(int position) const;
  BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition = FALSE);
  BOOL SetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition = FALSE);
  BOOL SetDefaultItem(UINT item, BOOL byPosition = FALSE);
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* window, LPCRECT ignored = nullptr);
};

#define ON_WM_INITMENU() VARNO_ON_MESSAGE(WM_INITMENU, t->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(w))); return 0)
#define ON_WM_INITMENUPOPUP()                                                                                       \
  VARNO_ON_MESSAGE(WM_INITMENUPOPUP, t->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(w)), LOWORD(l), \
                                                        static_cast<BOOL>(HIWORD(l)));                             \
                   return 0)
#define ON_WM_MENUSELECT() \
  VARNO_ON_MESSAGE(WM_MENUSELECT, t->OnMenuSelect(LOWORD(w), HIWORD(w), reinterpret_cast<HMENU>(l)); return 0)
