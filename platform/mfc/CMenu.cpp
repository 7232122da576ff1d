#include "mfc/CMenu.h"

#include <utility>
#include <vector>

#include "mfc/CWinApp.h"
#include "mfc/CWnd.h"
#include "mfc/TemporaryMap.h"
#include "win32/Resources.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

// The menus belong to their windows, not to the wrappers.
TemporaryMap<HMENU, CMenu>& Temporary() {
  static thread_local TemporaryMap<HMENU, CMenu> temporary([](CMenu& wrapper) { wrapper.m_hMenu = nullptr; });
  return temporary;
}

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU menu) {
  if (!menu) return nullptr;
  return Temporary().Find(menu, [menu] {
    auto* wrapper = new CMenu;
    wrapper->m_hMenu = menu;
    return wrapper;
  });
}

void CMenu::DeleteTempMap() {
  Temporary().Clear();
}

BOOL CMenu::Attach(HMENU menu) {
  if (!menu || m_hMenu) return FALSE;
  m_hMenu = menu;
  return TRUE;
}

HMENU CMenu::Detach() { return std::exchange(m_hMenu, nullptr); }

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT id) { return LoadMenu(MAKEINTRESOURCE(id)); }
BOOL CMenu::LoadMenuIndirect(const void* menuTemplate) { return Attach(::LoadMenuIndirect(menuTemplate)); }

BOOL CMenu::LoadMenu(LPCSTR name) {
  // A library's menus are its own resources; the program's are found first.
  HMENU menu = ::LoadMenu(AfxFindResourceHandle(name, RT_MENU), name);
  return Attach(menu);
}

// A wrapper that FromHandle made for the same menu lets go of it first, so
// that the menu is destroyed once, here.
BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  const HMENU menu = std::exchange(m_hMenu, nullptr);
  CMenu* wrapper = Temporary().Find(menu, [] { return new CMenu; });
  wrapper->m_hMenu = nullptr;
  if (wrapper != this) Temporary().Forget(menu);
  return ::DestroyMenu(menu);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, LPCSTR text) { return ::AppendMenu(m_hMenu, flags, idOrPopup, text); }
BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  return ::InsertMenu(m_hMenu, position, flags, idOrPopup, text);
}
BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
  return ::ModifyMenu(m_hMenu, position, flags, idOrPopup, text);
}
BOOL CMenu::DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
BOOL CMenu::RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
UINT CMenu::CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }
BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
  return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
}
UINT CMenu::EnableMenuItem(UINT item, UINT enable) { return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, enable)); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
int CMenu::GetMenuString(UINT item, LPSTR text, int size, UINT flags) const {
  return ::GetMenuString(m_hMenu, item, text, size, flags);
}
int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
  int length = ::GetMenuString(m_hMenu, item, nullptr, 0, flags);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  ::GetMenuString(m_hMenu, item, buffer.data(), length + 1, flags);
  text = buffer.data();
  return length;
}
CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
BOOL CMenu::GetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition) {
  return ::GetMenuItemInfo(m_hMenu, item, byPosition, info);
}
BOOL CMenu::SetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition) {
  return ::SetMenuItemInfo(m_hMenu, item, byPosition, info);
}
BOOL CMenu::SetDefaultItem(UINT item, BOOL byPosition) { return ::SetMenuDefaultItem(m_hMenu, item, byPosition); }
BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* window, LPCRECT ignored) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, window ? window->m_hWnd : nullptr, ignored);
}
