// The viewer's main frame window: the face of the key on show, the status
// bar with its five panes (prompts and hints, project, key, program
// language, data language), the toolbar from the catalogue's button file and
// the menu bar and accelerators from its menu file.
#pragma once

#include "Main/CAccelTable.h"
#include "Main/CDataMenu.h"
#include "Main/CMultiFrame.h"
#include "Main/CWV4ToolBar.h"
#include "mfc/CStatusBar.h"

class CMainFrame : public CMultiFrame {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  enum { kPaneCount = 5 };

  CMainFrame() = default;

  BOOL PreCreateWindow(CREATESTRUCT& create) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // No prompts from string resources: the menu file's prompts come through
  // OnMenuSelect.
  void GetMessageString(UINT id, CString& message) const override;
  // The developer keys, then the accelerators of the menu file.
  void HandleKeyDown(UINT key, UINT repeat, UINT flags) override;

  // Panes 0 to 4; an unchanged text is not set again.
  void SetPaneText(int pane, const CString& text) override;
  CString GetPaneText(int pane) const;
  // The title from the project and the key, and the status panes with them.
  void UpdateTitle();

  // The data-defined menu bar and accelerators.
  BOOL BuildDataMenu();
  void RetextMenu();
  BOOL SetMenuCheck(UINT command, BOOL check);
  BOOL EnableMenuCommand(UINT command, BOOL enable);
  BOOL LoadAccelerators();
  const CDataMenu& GetDataMenu() const { return m_menu; }
  const CAccelTable& GetAccelerators() const { return m_accelerators; }

  CWV4ToolBar& GetToolBar() { return m_toolbar; }
  CStatusBar& GetStatusBar() { return m_statusbar; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnSize(UINT kind, int cx, int cy);
  afx_msg void OnDestroy();
  afx_msg void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu);
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg void OnUpdateViewerCommand(CCmdUI* ui);
  DECLARE_MESSAGE_MAP()

 private:
  // The panes' right edges from the widths of the texts of panes 3 and 4.
  void LayoutPanes();

  CWV4ToolBar m_toolbar;
  CStatusBar m_statusbar;
  CDataMenu m_menu;
  CAccelTable m_accelerators;
};
