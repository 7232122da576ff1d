// A view of the class library: a child window of a frame that shows a
// document. It paints through OnPrepareDC and OnDraw, hears when it becomes
// the frame's active view, and takes commands before its document, which
// takes them before the frame and the program.
#pragma once

#include "mfc/AfxLayout.h"
#include "mfc/CWnd.h"

class CDocument;
class CFrameWnd;
struct CPrintInfo;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  CView() = default;
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  BOOL PreCreateWindow(CREATESTRUCT& create) override;
  BOOL OnCmdMsg(UINT id, int code, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // The first update, before the frame is shown: the same as an update of everything.
  virtual void OnInitialUpdate();
  // The document changed (sender made the change; hint says what): repaints all.
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  // Prepares a device context for drawing (mapping, origin) before OnDraw.
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  virtual void OnDraw(CDC* dc) = 0;
  // The view becomes the frame's active view (activate) or stops being it.
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
  // The view's frame was activated or deactivated.
  virtual void OnActivateFrame(UINT state, CFrameWnd* frame);

 protected:
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
  // The view's sunken edge lies over the bar of the splitter it is a pane
  // of: there the pointer reaches the bar, so that the bar can be dragged
  // however narrow it is.
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

  CDocument* m_pDocument = nullptr;

  friend class CDocument;
  friend class CFrameWnd;

  DECLARE_MESSAGE_MAP()
};
