// A top-level frame window of the class library: it owns a menu and
// accelerators from its resources, lays its control bars and its main pane
// out in its client area, keeps the active view, routes commands to it, and
// updates its commands' menu entries and bars. Frames are made with new and
// delete themselves when their window is gone; a program may have several.
//
// Control bars take their place through RecalcLayout: RepositionBars sends
// every child with an id from AFX_IDW_CONTROLBAR_FIRST on WM_SIZEPARENT with
// the free rectangle (see AfxLayout.h); what is left goes to the pane
// AFX_IDW_PANE_FIRST. At idle time every frame and its descendants get
// WM_IDLEUPDATECMDUI, at which bars update their buttons (CCmdUI.h) against
// the frame. The status bar (id AFX_IDW_STATUS_BAR) shows prompts through
// its window text.
#pragma once

#include "mfc/AfxLayout.h"
#include "mfc/CCmdUI.h"
#include "mfc/CCreateContext.h"
#include "mfc/CWnd.h"

class CControlBar;
class CDocument;
class CView;

// The frame's title shows the active document's name in front of its own.
#define FWS_ADDTOTITLE 0x00008000L

// The style of a view that a frame makes.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  CFrameWnd();
  ~CFrameWnd() override;

  // The platform's default place and size.
  static const RECT rectDefault;

  // Menu entries without any handler are greyed when they open.
  BOOL m_bAutoMenuEnable = TRUE;
  CString m_strTitle;
  // Room kept free around the main pane.
  CRect m_rectBorder{0, 0, 0, 0};

  virtual BOOL Create(LPCSTR className, LPCSTR title, DWORD style = WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CWnd* parent = nullptr, LPCSTR menuName = nullptr,
                      DWORD exStyle = 0, CCreateContext* context = nullptr);
  // Creates the frame from the resources of one id: title (the text up to
  // the first line feed of that string), menu, icon and accelerators.
  virtual BOOL LoadFrame(UINT idResource, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* parent = nullptr, CCreateContext* context = nullptr);
  BOOL PreCreateWindow(CREATESTRUCT& create) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCmdMsg(UINT id, int code, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // Lays bars and the main pane out in the client area.
  virtual void RecalcLayout(BOOL notify = TRUE);
  // Lays out once the program is idle; many changes, one layout.
  void DelayRecalcLayout(BOOL notify = TRUE);
  virtual void ActivateFrame(int cmdShow = -1);
  virtual CFrameWnd* GetActiveFrame();
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* view, BOOL notify = TRUE);
  virtual CDocument* GetActiveDocument();
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
  // Activates the first pane as the view, sends WM_INITIALUPDATE to the views
  // and shows the frame.
  void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
  virtual void OnUpdateFrameTitle(BOOL addToTitle);

  // The status-bar prompt of a command: its string resource up to the line feed.
  virtual void GetMessageString(UINT id, CString& message) const;
  void SetMessageText(LPCSTR text);
  void SetMessageText(UINT id);
  virtual CWnd* GetMessageBar();

  // Docking of control bars (CFrameWnd_Docking.cpp): dock bars along the
  // sides given (CBRS_ALIGN_ bits), bars docked into them or floating.
  void EnableDocking(DWORD style);
  // Without an id the bar goes to the first side (top, bottom, left, right)
  // that both the bar and the frame allow.
  void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
  void FloatControlBar(CControlBar* bar, CPoint point, DWORD style = 0x2000L /* CBRS_ALIGN_TOP */);
  void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
  CControlBar* GetControlBar(UINT id);

  BOOL LoadAccelTable(LPCSTR name);
  HACCEL GetDefaultAccelerator() const { return m_hAccelTable; }

  // Runs the idle-time command update of every frame of this thread.
  static void UpdateFramesAtIdle();

 protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCT create, CCreateContext* context);
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT kind, int cx, int cy);
  afx_msg void OnClose();
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
  afx_msg void OnInitMenuPopup(CMenu* popup, UINT index, BOOL systemMenu);
  afx_msg void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);

  CView* m_pViewActive = nullptr;
  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDTracking = 0;      // the command pointed at in an open menu
  UINT m_nIDLastMessage = 0;   // the prompt the status bar shows
  BOOL m_bInRecalcLayout = FALSE;
  BOOL m_bLayoutPending = FALSE;

  DECLARE_MESSAGE_MAP()
};
