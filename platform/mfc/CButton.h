// The class library's button; an owner-drawn one draws itself in DrawItem.
#pragma once

#include "mfc/CWnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCheck() const;
  void SetCheck(int check);
  UINT GetState() const;
  void SetState(BOOL pushed);
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);
  HICON SetIcon(HICON icon);
  // Draws an owner-drawn button (its parent hands the drawing back to it).
  virtual void DrawItem(LPDRAWITEMSTRUCT item);

 protected:
  afx_msg LRESULT OnReflectedDraw(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

#define ON_BN_DOUBLECLICKED(id, member) ON_CONTROL(BN_DOUBLECLICKED, id, member)
