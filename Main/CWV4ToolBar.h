// The toolbar of both viewer frame windows. Its buttons come from a button
// file of the catalogue (a ToolbarButtonList): each carries a viewer
// command, one or two 16-colour images from bitmap files, a tool tip given
// as text or as a program-text number, and check behaviour for the on/off
// commands. The commands switch the buttons through the members below.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "Main/ButtonBitmapFile.h"
#include "Main/ToolbarButtons.h"
#include "mfc/CString.h"
#include "mfc/CToolBar.h"

class CWV4ToolBar : public CToolBar {
  DECLARE_DYNAMIC(CWV4ToolBar)

 public:
  CWV4ToolBar();
  ~CWV4ToolBar() override;
  CWV4ToolBar(const CWV4ToolBar&) = delete;
  CWV4ToolBar& operator=(const CWV4ToolBar&) = delete;

  // Fills the bar from list, once; FALSE for a second load, an empty list
  // (error 206 left on the trace for the caller) or a button the bar refuses.
  BOOL LoadButtons(ToolbarButtonList* list);
  // The image of a bitmap file in the button colours of the system, kept as
  // image index for later recolouring; 0 (the error reported) when the file
  // cannot be read, is no 16-colour bitmap or has the wrong size.
  HBITMAP LoadButtonBitmap(const char* fileName, int index);
  // Puts bitmap into the image list at index, in place of an older one.
  void SetButtonImage(HBITMAP bitmap, int index);
  // The tips given by number, again in the current program language.
  void ReloadTexts();

  BOOL IsButtonEnabled(UINT command) const;
  BOOL IsButtonVisible(UINT command) const;
  BOOL IsButtonChecked(UINT command) const;
  void EnableButton(UINT command, BOOL enable);
  // Checks an on/off button; one with a second image shows it while checked.
  void CheckButton(UINT command, BOOL checked);
  // A plain button with a second image shows it while on.
  void SetButtonImageState(UINT command, BOOL on);
  BOOL IsImageStateSet(UINT command) const;

  int GetImageCount() const { return m_image_count; }
  CString GetTipText(int position) const;

  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 protected:
  afx_msg void OnSysColorChange();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnPaint();
  afx_msg LRESULT OnNcHitTest(CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL AddButton(const ToolbarButtonDef& entry);
  // The button of a command: its index and what the bar keeps of it.
  bool FindButton(UINT command, int& index, TBBUTTON& button) const;
  // A plain button with a second image, which shows an on state.
  bool FindImageStateButton(UINT command, int& index, TBBUTTON& button) const;
  void SetImage(int index, int image);
  // A floating bar goes back to the frame that shows keys now.
  void DockAgain();
  // The buttons painted up for the time of one painting, each with the
  // state it goes back to afterwards.
  std::vector<std::pair<int, BYTE>> LiftForPainting();

  BOOL m_loaded = FALSE;
  ToolbarButtonList* m_list = nullptr;  // not owned
  int m_image_count = 0;
  std::vector<HBITMAP> m_bitmaps;
  std::vector<std::unique_ptr<ButtonBitmapFile>> m_kept;  // each image's file, to recolour it
  std::vector<CString> m_tips;                            // by button position
  HIMAGELIST m_image_list = nullptr;
  SIZE m_image_size{16, 15};
};
