#include "mfc/CCmdUI.h"

#include <cstring>

#include "mfc/CMenu.h"
#include "mfc/CWnd.h"
#include "user/Dialogs.h"

namespace {

// Records what an update handler decides instead of changing an item.
class CEnabledQuery : public CCmdUI {
 public:
  BOOL m_bEnabled = TRUE;
  void Enable(BOOL on) override {
    m_bEnabled = on;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCSTR) override {}
};

}  // namespace

void CCmdUI::Enable(BOOL on) {
  if (m_pMenu) {
    // An entry that opens a sub-menu follows its first command but is not greyed by it.
    if (m_pSubMenu) return;
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther) {
    HWND window = m_pOther->m_hWnd;
    // A control that loses its use hands the focus on instead of keeping it unusable.
    if (!on && ::GetFocus() == window) {
      HWND parent = ::GetParent(window);
      HWND next = parent ? ::GetNextDlgTabItem(parent, window, FALSE) : nullptr;
      if (next && next != window) ::SetFocus(next);
    }
    m_pOther->EnableWindow(on);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
    m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
  }
}

void CCmdUI::SetRadio(BOOL on) {
  if (!m_pMenu) {
    SetCheck(on ? 1 : 0);
    return;
  }
  if (m_pSubMenu) return;
  // A menu entry shows a round mark instead of a tick.
  MENUITEMINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  if (!m_pMenu->GetMenuItemInfo(m_nIndex, &info, TRUE)) return;
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  info.fType = on ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
  info.fState = on ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
  m_pMenu->SetMenuItemInfo(m_nIndex, &info, TRUE);
}

void CCmdUI::SetText(LPCSTR text) {
  if (!text) text = "";
  if (m_pMenu) {
    if (m_pSubMenu) return;
    UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text);
  } else if (m_pOther) {
    // Setting the same text again would only make the control flicker.
    CString current;
    m_pOther->GetWindowText(current);
    if (std::strcmp(current, text) != 0) m_pOther->SetWindowText(text);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
  if (!target || m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // not a command
  m_bEnableChanged = FALSE;
  BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, 0, reinterpret_cast<LPARAM>(this), nullptr);
  if (disableIfNoHandler && !m_bEnableChanged) Enable(target->OnCmdMsg(m_nID, CN_QUERY_HANDLER, 0, 0, nullptr));
  return handled;
}

BOOL CCmdUI::IsCommandEnabled(CCmdTarget* target, UINT id) {
  CEnabledQuery query;
  query.m_nID = id;
  query.DoUpdate(target, FALSE);
  return query.m_bEnabled;
}
