// Command updating: before a menu opens and when the program is idle, each
// command's user-interface item (menu entry, toolbar button, status pane) is
// offered to the command routing, where an ON_UPDATE_COMMAND_UI handler
// enables, checks or relabels it. Bars derive their own kinds and override
// the four operations.
#pragma once

#include "mfc/CCmdTarget.h"

class CMenu;
class CWnd;

// The codes OnCmdMsg is called with besides a control's notification code.
// -1 already stands for WM_NOTIFY in this library, so updates use -2.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-2)
// Asks whether some target has a command handler for the id, without running it.
#define CN_QUERY_HANDLER (-3)

class CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  UINT m_nIndex = 0;              // position in m_pMenu, or the bar's item
  CMenu* m_pMenu = nullptr;       // the menu of a menu entry
  CMenu* m_pSubMenu = nullptr;    // set while the entry opens this sub-menu
  CMenu* m_pParentMenu = nullptr;
  CWnd* m_pOther = nullptr;       // a window standing for the command (a button, a bar)
  UINT m_nIndexMax = 0;
  BOOL m_bEnableChanged = FALSE;  // a handler said whether the command is enabled
  BOOL m_bContinueRouting = FALSE;

  virtual void Enable(BOOL on = TRUE);
  virtual void SetCheck(int check = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL on = TRUE);
  virtual void SetText(LPCSTR text);
  // Lets the handler that has just run pass the item on to the next target.
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Offers the item to target's routing; with disableIfNoHandler, an item
  // that no handler updated is enabled exactly when a command handler exists.
  BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

  // Whether target's routing leaves command id enabled (no update handler, or
  // one that enables it): disabled commands are not carried out.
  static BOOL IsCommandEnabled(CCmdTarget* target, UINT id);
};

#define VARNO_ON_UPDATE(id, lastId, call)                                                            \
  {WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<UINT>(id), static_cast<UINT>(lastId), \
   nullptr, [](CCmdTarget* target, WPARAM, LPARAM l) -> LRESULT {                                       \
     auto* ui = reinterpret_cast<CCmdUI*>(l);                                                           \
     [[maybe_unused]] auto* t = static_cast<ThisClass*>(target);                                        \
     ui->m_bContinueRouting = FALSE;                                                                    \
     call;                                                                                              \
     return !ui->m_bContinueRouting;                                                                    \
   }},
#define ON_UPDATE_COMMAND_UI(id, member) VARNO_ON_UPDATE(id, id, t->member(ui))
#define ON_UPDATE_COMMAND_UI_RANGE(id, lastId, member) VARNO_ON_UPDATE(id, lastId, t->member(ui))
