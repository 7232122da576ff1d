// The viewer's pop-up frame window: a smaller window with a toolbar only,
// in which a key shows itself when its description asks for it. It lives for
// the whole run and is hidden between uses; closing it goes back one key.
#pragma once

#include "Main/CAccelTable.h"
#include "Main/CMultiFrame.h"
#include "Main/CWV4ToolBar.h"

class CMainFrame;

class CPopup : public CMultiFrame {
  DECLARE_DYNCREATE(CPopup)

 public:
  // The system-menu entry that ends the viewer from the pop-up.
  enum { kEndViewerCommand = 0x1370 };

  CPopup() = default;

  BOOL PreCreateWindow(CREATESTRUCT& create) override;
  // Does not destroy the window: it asks the main window to go back one key.
  BOOL DestroyWindow() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // The developer keys; Escape and Ctrl+F4 close; then the accelerators.
  void HandleKeyDown(UINT key, UINT repeat, UINT flags) override;

  // The status panes are the main frame's.
  void SetPaneText(int pane, const CString& text) override;
  void UpdateTitle();
  // Sizes the window as the key asks and puts it at the cursor, inside the
  // main frame's client area.
  void PlaceAtCursor(CWnd* mainFrame);
  BOOL LoadAccelerators();
  const CAccelTable& GetAccelerators() const { return m_accelerators; }
  CWV4ToolBar& GetToolBar() { return m_toolbar; }

  // On the screen for a key; the main frame is disabled meanwhile. The size
  // the key asks for is in m_key_window_size.
  BOOL m_shown = FALSE;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnInitMenu(CMenu* menu);
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);
  afx_msg void OnDestroy();
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg void OnUpdateViewerCommand(CCmdUI* ui);
  DECLARE_MESSAGE_MAP()

 private:
  CWV4ToolBar m_toolbar;
  BOOL m_first_placement = TRUE;
  CAccelTable m_accelerators;
};
