// What the frame and view tests share: a control bar that takes a strip of
// its frame, a view that writes down what it hears, and message delivery.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mfc/AfxLayout.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CView.h"
#include "win32/UserWindows.h"

namespace frame_tests {

// Delivers the waiting messages, then lets the thread's idle work run once.
inline void Drain() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

inline CRect RectInParent(const CWnd& window) {
  CRect rect;
  window.GetWindowRect(&rect);
  if (CWnd* parent = window.GetParent()) parent->ScreenToClient(&rect);
  return rect;
}

// A bar along the top or bottom edge of its frame, as control bars take their place.
class StripBar : public CWnd {
 public:
  StripBar(bool top, int thickness) : m_top(top), m_thickness(thickness) {}
  int m_sizeParentCalls = 0;
  int m_idleUpdates = 0;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    ++m_sizeParentCalls;
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect strip = layout->rect;
    if (m_top) {
      strip.bottom = strip.top + m_thickness;
      layout->rect.top += m_thickness;
    } else {
      strip.top = strip.bottom - m_thickness;
      layout->rect.bottom -= m_thickness;
    }
    layout->sizeTotal.cy += m_thickness;
    AfxRepositionWindow(layout, m_hWnd, &strip);
    return 0;
  }
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++m_idleUpdates;
    return 0;
  }

 private:
  bool m_top;
  int m_thickness;
  DECLARE_MESSAGE_MAP()
};

// A view that writes down its activations, updates and commands.
class LoggingView : public CView {
  DECLARE_DYNCREATE(LoggingView)

 public:
  std::vector<std::string> m_log;
  void OnDraw(CDC*) override { m_log.push_back("draw"); }
  void OnInitialUpdate() override {
    m_log.push_back("initial update");
    CView::OnInitialUpdate();
  }
  void OnUpdate(CView*, LPARAM hint, CObject*) override { m_log.push_back("update " + std::to_string(hint)); }
  void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override {
    m_log.push_back(std::string(activate ? "activate" : "deactivate") + (activated == this ? " me" : " other") +
                    (deactivated == this ? " from me" : ""));
    CView::OnActivateView(activate, activated, deactivated);
  }
};

}  // namespace frame_tests
