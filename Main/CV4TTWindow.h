// The tip that shows, over a table row, what the order-list program says of
// the row's part. It waits until the pointer has rested for a second, asks
// the order-list program once (code 9) and shows its answer (code 13). Only
// one tip exists at a time; it is freed with its window.
#pragma once

#include "foundation/CDynBuf.h"
#include "mfc/CPoint.h"
#include "mfc/CString.h"
#include "mfc/CWnd.h"

class CV4TTWindow : public CWnd {
 public:
  static constexpr UINT_PTR kRestTimer = 12345;
  static constexpr UINT kRestPeriod = 1000;
  static constexpr ULONG_PTR kRequestCode = 9;
  static constexpr ULONG_PTR kAnswerCode = 13;

  CV4TTWindow();
  ~CV4TTWindow() override;

  // Creates the hidden tip at the pointer for owner and starts waiting;
  // FALSE when the window cannot be made (the object is then still the caller's).
  BOOL Show(const CDynBuf& request, CWnd* owner);
  // Destroys the window, and with it the object.
  void Hide();
  void StopTimer();
  // A new tip for owner that takes the place of the one there is; none when
  // it cannot be made.
  static CV4TTWindow* ShowNew(const CDynBuf& request, CWnd* owner);
  static void HideCurrent();

  BOOL PreCreateWindow(CREATESTRUCT& create) override;

  CString m_text;
  CPoint m_pos;
  CDynBuf m_lines;
  CDynBuf m_request;
  int m_text_width = 0;
  int m_line_height = 0;
  int m_line_count = 0;
  HWND m_owner = nullptr;  // the view the tip belongs to; it may go first
  UINT_PTR m_timer = 0;

 protected:
  void PostNcDestroy() override;
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
  afx_msg void OnPaint();

  DECLARE_MESSAGE_MAP()

 private:
  static void RegisterWindowClass();
  void SendRequest();
  void Layout();
  // The status-bar font of the system, selected into dc; the old one.
  static CFont* SelectStatusFont(CDC* dc, CFont& font);
};
