// The common base of the viewer's frame windows: what the main frame and the
// pop-up frame handle alike.
#pragma once

#include "mfc/CFrameWnd.h"

class CFace;

class CMultiFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMultiFrame)

 public:
  CMultiFrame();
  ~CMultiFrame() override;
  CMultiFrame(const CMultiFrame&) = delete;
  CMultiFrame& operator=(const CMultiFrame&) = delete;

  // The keys that both frames handle before their own accelerators; the
  // frames override it and call it first.
  virtual void HandleKeyDown(UINT key, UINT repeat, UINT flags);

  // The face this window shows; owned, for the window's whole life.
  CFace* GetFace() const { return m_face; }

  // The window size that the key on show asks for: width and height, each
  // in pixels or, with its percent flag, a percentage of the screen's; -1
  // where the key names none.
  int m_key_window_size[2] = {-1, -1};
  BOOL m_key_window_percent[2] = {FALSE, FALSE};

 protected:
  CFace* m_face;

  afx_msg int OnCreate(LPCREATESTRUCT create);
  // "VARNO4_PROTOCOL_COMMAND" from the order-list program: whether its list
  // is visible now (codes 11 and 12); 1 for those, 0 for any other code.
  afx_msg LRESULT OnProtocolCommand(WPARAM wParam, LPARAM lParam);
  // "VANRO4_KEY_COMMAND": wParam the from-link flag, lParam the key's own copy
  // (see KeyCommand.h). The first one of the run completes the start.
  afx_msg LRESULT OnKeyCommand(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg void OnDestroy();
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* focus);

  DECLARE_MESSAGE_MAP()

 private:
  // Tells the views of the face that the palette of view's window counts now.
  void BroadcastPalette(HWND view);
};
