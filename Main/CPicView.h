// The view of a picture of a frame. It turns the pointer and the keys over
// the picture into events of the face (a hover, at once or after a rest, a
// click, a double click, a release), chooses the cursor and the status hint by
// what the hotspot under the pointer offers, opens the picture's context menu
// and carries out its commands, draws the hotspots in the colours of their
// link kind, and reads and trims the hotspots that the description gives.
#pragma once

#include "Main/CImageView.h"
#include "Main/FrameView.h"
#include "Main/PictureView.h"
#include "foundation/CDynBuf.h"

class CFace;
class CFrame;
class CImage;
class CMenu;

class CPicView : public CImageView, public FrameView, public PictureView {
  DECLARE_DYNCREATE(CPicView)

 public:
  static constexpr UINT_PTR kHoverTimer = 11;
  enum EventKind { EVENT_NONE = 0, EVENT_LINK = 0x81, EVENT_PARTS = 0x82 };

  CPicView() = default;
  ~CPicView() override;

  void AttachFrame(CFrame* frame) { m_frame = frame; }
  // The picture that owns the view; it is told when the view goes first.
  void AttachPicture(CImage* picture) { m_image = picture; }
  CFrame* GetFrame() const { return m_frame; }
  int GetViewKind() const { return m_picture_type; }

  void NotifyFace(int kind, UINT message, UINT flags, int x, int y, int flag);
  int GetEventKind();
  BOOL GetHotspotActions(BOOL& branch, BOOL& info);
  // Adds the hotspots of a description's list (entries closed by NUL bytes).
  void ReadHotspotList(const CDynBuf& list);
  // Keeps only the hotspots whose names the face's tables know.
  void ApplyLinkNames(const CFace& face);
  void SetCaseSensitive(BOOL on);
  void ClearHover();
  // Enables and checks the entries of the picture's context menu for what
  // lies under the pointer; the face keeps the hotspot and its actions.
  void PrepareContextMenu(CMenu* popup);
  BOOL HoverTimerRunning() const { return m_timer_running; }
  CPoint LastPoint() const { return CPoint(m_last_x, m_last_y); }

  // FrameView.
  CRect ClientArea() override;
  CRect RectInFrame() override;
  void SizeScrollBars(CSize total, CSize page, CSize line) override;
  void NeededBars(BOOL& horizontal, BOOL& vertical) override;
  CPoint ScrollPosition() override;
  CRect RectInParent() override;
  void DestroyView() override;
  void InvalidateAll() override { Invalidate(TRUE); }

  // PictureView.
  BOOL GetActiveHotspot(CString& name, CString& link) override { return CImageView::GetActiveHotspot(name, link); }
  void SelectHotspot(const CString& name) override { CImageView::SelectHotspot(name); }
  void DeleteHotspots() override;
  BOOL TakesZoomClick() override { return IsZoomMode(); }

  void OnDraw(CDC* dc) override;
  afx_msg void OnZoomStart();
  afx_msg void OnZoomWhole();
  afx_msg void OnZoomPart();

 protected:
  CImage* FindPicture();
  void StopHoverTimer();
  void UpdateCursorAndHint();
  BOOL InFrameWindow() const;
  HWND FrameWindowHandle() const;

  void WatchForLeaving();
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg LRESULT OnMouseLeave(WPARAM unused, LPARAM unused2);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKillFocus(CWnd* next);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnContextMenu(CWnd* window, CPoint point);
  afx_msg void OnDestroy();
  afx_msg void OnPartInfo();
  afx_msg void OnOrder();
  afx_msg void OnBranch();
  afx_msg void OnMaximise();
  afx_msg void OnCopyPicture();
  afx_msg void OnOrderList();

  CFrame* m_frame = nullptr;  // not owned
  CImage* m_image = nullptr;  // not owned
  int m_last_x = -1;
  int m_last_y = -1;
  BOOL m_timer_running = FALSE;
  UINT m_last_flags = 0;
  BOOL m_watching_leave = FALSE;

  DECLARE_MESSAGE_MAP()
};
