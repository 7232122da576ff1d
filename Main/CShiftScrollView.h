// The scrolling window in which a frame shows its tables and texts. It turns
// the pointer and the keyboard into the frame's link and command operations:
// it keeps what lies under the pointer, sets the link or order cursor, shows
// the action hint, connects the row under the pointer to the face's pictures
// (at once or once the pointer has rested), and opens the frame's context
// menu and carries out its commands. The frame lays out and paints through
// the FrameView side of it.
#pragma once

#include <vector>

#include "Main/FrameView.h"
#include "mfc/CScrollView.h"
#include "mfc/CString.h"

class CFrame;

class CShiftScrollView : public CScrollView, public FrameView {
  DECLARE_DYNAMIC(CShiftScrollView)

 public:
  static constexpr UINT_PTR kConnectTimer = 12;
  enum Cursor { CURSOR_LINK = 129, CURSOR_ORDER = 130 };

  CShiftScrollView() = default;

  void AttachFrame(CFrame* frame) { m_frame = frame; }
  CFrame* GetFrame() const { return m_frame; }
  // 129 over a link or command, 130 over a text that can be ordered (with the
  // control key or in order-list mode), else 0.
  int CursorChoice() const;
  // The view whose context menu was opened last; the menu's commands act on it.
  static CShiftScrollView*& ContextView();
  // The keyboard comes to the view's tables: the view takes the focus and
  // shows its current row, the first one when it had none.
  void TakeKeyboard();
  // Whether the view shows table rows that the keyboard can walk.
  BOOL HasKeyRows() const;

  // FrameView.
  CRect ClientArea() override;
  CRect RectInFrame() override;
  void SizeScrollBars(CSize total, CSize page, CSize line) override;
  void NeededBars(BOOL& horizontal, BOOL& vertical) override;
  CPoint ScrollPosition() override;
  CRect RectInParent() override;
  void DestroyView() override;
  CWnd* ButtonParent() override { return this; }
  void RepaintNow(const CRect& rect) override;
  void InvalidateAll() override;
  void VerticalRange(int& low, int& high) override;
  int ScrollVertically(int y) override;

  int m_link_flags = 0;
  CString m_part_text1;  // the hotspot name of the row under the pointer
  CString m_part_text2;
  CString m_target;
  CString m_text;
  CPoint m_last_point{0, 0};
  BOOL m_timer_running = FALSE;

 protected:
  // Pointer, keys and cursor act only in the frame window that is active.
  BOOL InActiveFrameWindow() const;
  void HitTestAt(CPoint point);
  void UpdateCursorAndHint();
  void StopConnectTimer();
  // The command of a context menu entry on the context view at its last point.
  void RunContextCommand(int action, int flag);
  void RunCommandAtLastPoint(int action, int flag);
  // The pointer is at point (client coordinates): what lies there, its
  // connection to the pictures and the hint.
  void PointAt(CPoint point);

  // Keys (CShiftScrollView_Keys): the current row of the view's tables,
  // which the arrows move and Return follows as a click would.
  BOOL TableKey(UINT key);
  void MoveKeyRow(const std::vector<CRect>& rows, int index);
  void FollowKeyRow(const std::vector<CRect>& rows);
  CPoint KeyPoint(const CRect& row);
  void ScrollRowIntoView(const CRect& row);
  void DrawKeyFocus(CDC* dc);

  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnNcMouseMove(UINT hitTest, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnContextMenu(CWnd* window, CPoint point);
  afx_msg void OnPaint();
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnKillFocus(CWnd* next);
  afx_msg void OnSetFocus(CWnd* old);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnPartInfo();
  afx_msg void OnOrder();
  afx_msg void OnBranch();
  afx_msg void OnCopyField();
  afx_msg void OnCopyRow();
  afx_msg void OnCopyTable();
  afx_msg void OnMaximise();
  afx_msg void OnOrderList();

  CFrame* m_frame = nullptr;  // not owned
  int m_key_row = -1;         // the current row of the keyboard, -1 for none

  DECLARE_MESSAGE_MAP()
};

// The frame's main view in its pane.
class CFrameView : public CShiftScrollView {
  DECLARE_DYNCREATE(CFrameView)

 public:
  void OnDraw(CDC* dc) override;
  // The frame lays itself out for this view first; drawing follows only when it could.
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
};

// A further view of a frame inside its main view: a scrolled table part's own.
class CClientScrollView : public CShiftScrollView {
  DECLARE_DYNCREATE(CClientScrollView)

 public:
  void OnDraw(CDC* dc) override;

 protected:
  afx_msg void OnDestroy();

  DECLARE_MESSAGE_MAP()
};
