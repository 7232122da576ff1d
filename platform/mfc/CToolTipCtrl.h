// The tool-tip control of the class library. A tool given by a window alone
// (id 0) is that whole window, and its parent hears TTN_NEEDTEXT; a tool
// with an id is a rectangle of the window, which hears it itself.
#pragma once

#include "comctl/CommCtrl.h"
#include "mfc/CString.h"
#include "mfc/CWnd.h"

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)

 public:
  CToolTipCtrl() = default;

  virtual BOOL Create(CWnd* parent, DWORD style = 0);

  void Activate(BOOL activate);
  BOOL AddTool(CWnd* window, LPCSTR text = LPSTR_TEXTCALLBACK, LPCRECT rect = nullptr, UINT_PTR id = 0);
  BOOL AddTool(CWnd* window, UINT textId, LPCRECT rect = nullptr, UINT_PTR id = 0);
  void DelTool(CWnd* window, UINT_PTR id = 0);
  int GetToolCount() const;
  BOOL GetToolInfo(TOOLINFO& info, CWnd* window, UINT_PTR id = 0) const;
  void SetToolInfo(LPTOOLINFO info);
  void SetToolRect(CWnd* window, UINT_PTR id, LPCRECT rect);
  void UpdateTipText(LPCSTR text, CWnd* window, UINT_PTR id = 0);
  void GetText(CString& text, CWnd* window, UINT_PTR id = 0) const;
  BOOL HitTest(CWnd* window, CPoint point, LPTOOLINFO info) const;
  // Hands the control a mouse message of a tool's window.
  void RelayEvent(LPMSG message);
  // TTDT_AUTOMATIC sets all three delays from the initial one.
  void SetDelayTime(UINT delay);
  void SetDelayTime(DWORD which, int time);
  int GetDelayTime(DWORD which) const;
  int SetMaxTipWidth(int width);
  int GetMaxTipWidth() const;
  void SetTipBkColor(COLORREF color);
  void SetTipTextColor(COLORREF color);
  COLORREF GetTipBkColor() const;
  COLORREF GetTipTextColor() const;
  void Pop();
  void Update();

 private:
  static TOOLINFO ToolInfoOf(CWnd* window, UINT_PTR id);
};
