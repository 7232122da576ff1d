// The status bar of the class library: a status-bar control made a control
// bar, with panes given by ids. The first pane (ID_SEPARATOR) shows
// messages and prompts and takes the room the others leave; the others are
// indicators whose texts are their ids' strings and which the frame updates
// when the program is idle (disabled indicators show no text).
#pragma once

#include <vector>

#include "mfc/CControlBar.h"
#include "mfc/CString.h"

#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  CStatusBar();

  virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
  // One pane per id; FALSE when an indicator's string is missing.
  BOOL SetIndicators(const UINT* ids, int count);

  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetItemRect(int index, LPRECT rect) const;
  void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  UINT GetPaneStyle(int index) const;
  void SetPaneStyle(int index, UINT style);
  CString GetPaneText(int index) const;
  void GetPaneText(int index, CString& text) const;
  BOOL SetPaneText(int index, LPCSTR text, BOOL update = TRUE);

  CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 protected:
  afx_msg void OnSize(UINT kind, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  struct Pane {
    UINT id = 0;
    UINT style = SBPS_NORMAL;
    int width = 0;  // of the text
    CString text;
  };
  bool ValidIndex(int index) const { return index >= 0 && index < static_cast<int>(m_panes.size()); }
  // Sets the parts' right edges and the shown texts.
  void UpdateAllPanes(BOOL updateRects, BOOL updateText);
  int TextWidth(LPCSTR text) const;

  std::vector<Pane> m_panes;
};
