// The control bars of the class library: strips along a frame's edges
// (toolbar, status bar, dock bars) that take their place when the frame
// lays out (WM_SIZEPARENT), update their items against the frame when the
// program is idle, show tool tips and fly-by prompts for their items, and
// may be docked at the frame's sides or float in a small frame of their own.
#pragma once

#include "comctl/CommCtrl.h"
#include "mfc/AfxLayout.h"
#include "mfc/CCmdUI.h"
#include "mfc/CSize.h"
#include "mfc/CToolTipCtrl.h"
#include "mfc/CWnd.h"

class CDockBar;
class CFrameWnd;

// Bar styles, kept by the bar apart from its window style.
#define CBRS_FLOATING 0x0001L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0xFFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// The dock bars a frame makes for its sides, and the one of a floating bar.
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F

// The id of a separator (toolbar) or of the message pane (status bar).
#define ID_SEPARATOR 0

// CalcDynamicLayout: what the size is for.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)

 public:
  CControlBar() = default;
  ~CControlBar() override;

  // Room between the bar's edge (and its border lines) and its items.
  int m_cxLeftBorder = 6;
  int m_cxRightBorder = 6;
  int m_cyTopBorder = 1;
  int m_cyBottomBorder = 1;
  DWORD m_dwStyle = 0;       // CBRS_ styles
  DWORD m_dwDockStyle = 0;   // the sides (CBRS_ALIGN_) the bar may be docked at
  CFrameWnd* m_pDockSite = nullptr;  // the frame the bar belongs to
  CDockBar* m_pDockBar = nullptr;    // the dock bar holding it, if any

  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style);
  // The sides it may be docked at (CBRS_ALIGN_ANY for all; 0 none).
  void EnableDocking(DWORD style);
  BOOL IsFloating() const;
  int GetCount() const { return m_nCount; }
  // The frame the bar's commands and prompts go to.
  CFrameWnd* GetDockingFrame() const;

  // The size the bar needs: stretched over the free width (or height), or
  // just its items', lying horizontally or standing.
  virtual CSize CalcFixedLayout(BOOL stretch, BOOL horizontal);
  virtual CSize CalcDynamicLayout(int length, DWORD mode);
  // Updates the bar's items against the frame (enabled, checked, texts).
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;
  // The item under a point (its command id, with its rectangle and tip
  // text in info), or -1. A text other than LPSTR_TEXTCALLBACK is made with
  // malloc and freed by the bar.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const;
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  int m_nCount = 0;

  // The client rectangle without the bar's own borders.
  void CalcInsideRect(CRect& rect, BOOL horizontal) const;
  // The border lines' and margins' share of a size.
  CSize BorderSize(BOOL horizontal) const;
  void DrawBorders(CDC* dc, CRect& rect);
  BOOL IsHorizontal() const;
  // Starts dragging the bar to another side or out to float.
  void StartDrag(CPoint point);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
  afx_msg void OnNcPaint();
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* window);
  DECLARE_MESSAGE_MAP()

 private:
  void ShowTipFor(const MSG& msg);
  void ShowPrompt(UINT id);
  BOOL AnswerTipText(NMHDR* header, LRESULT* result);
  void EndDrag(CPoint screen);

  CToolTipCtrl m_tips;
  INT_PTR m_lastHit = -1;   // the item the pointer was last over
  UINT m_promptShown = 0;   // the command whose prompt shows in the status bar
  bool m_dragging = false;
  CPoint m_dragStart;
};
