// The common base of the viewer's frame windows: what the main frame and the
// pop-up frame handle alike. Each frame window owns one face, which shows
// the keys in it, and the windows in which the face lays itself out.
#pragma once

#include <memory>

#include "mfc/CFrameWnd.h"
#include "mfc/CString.h"

class CFace;
class SplitterFaceWindows;

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
  // The key-up twin of HandleKeyDown; no frame uses it.
  virtual void HandleKeyUp(UINT key, UINT repeat, UINT flags);
  // A text in a pane of the status bar; a frame without one shows it nowhere.
  virtual void SetPaneText(int pane, const CString& text);

  // The face of the key in the current-key buffer, built in this window.
  BOOL BuildFace();
  CFace* GetFace() const { return m_face.get(); }
  SplitterFaceWindows* GetFaceWindows() const { return m_face_windows.get(); }
  // The hint of the action under the pointer in status pane 0: "branch"
  // (129) with the link text, "information or order" (130) with the part
  // name; any other action empties the pane.
  void ShowActionHint(int action, const CString& second, const CString& third);
  // The next hint looks its text up again (the program language changed).
  void ForgetHint();
  // The face's splitters follow the frame's layout.
  void RecalcLayout(BOOL notify = TRUE) override;

  // The window size that the key on show asks for: width and height, each
  // in pixels or, with its percent flag, a percentage of the screen's; -1
  // where the key names none.
  int m_key_window_size[2] = {-1, -1};
  BOOL m_key_window_percent[2] = {FALSE, FALSE};

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  // "VARNO4_PROTOCOL_COMMAND" from the order-list program: whether its list
  // is visible now (codes 11 and 12); 1 for those, 0 for any other code.
  afx_msg LRESULT OnProtocolCommand(WPARAM wParam, LPARAM lParam);
  // "VANRO4_KEY_COMMAND": wParam the from-link flag, lParam the key's own copy
  // (see KeyCommand.h). The first one of the run completes the start.
  afx_msg LRESULT OnKeyCommand(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* focus);

  DECLARE_MESSAGE_MAP()

 private:
  // The program text of the last hint shown and its number; moving from
  // one hotspot to another of the same action looks nothing up again.
  int m_hint_number = 0;
  CString m_hint_text;
  // Declared before the face, which uses them until it is gone.
  std::unique_ptr<SplitterFaceWindows> m_face_windows;
  std::unique_ptr<CFace> m_face;
};
