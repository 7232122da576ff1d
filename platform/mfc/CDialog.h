// A dialog of the class library: made from a template of the module's
// resources, run modally (DoModal) or beside its owner (Create), its data
// exchanged with its controls through DoDataExchange and UpdateData.
#pragma once

#include "mfc/CDataExchange.h"
#include "mfc/CWnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog() = default;
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  explicit CDialog(LPCSTR templateName, CWnd* parent = nullptr);

  // Runs the dialog modally; the value given to EndDialog, or -1 when the
  // dialog could not be made.
  virtual INT_PTR DoModal();
  // Makes the dialog beside its owner.
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  virtual BOOL Create(LPCSTR templateName, CWnd* parent = nullptr);
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  void GotoDlgCtrl(CWnd* control);
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void SetDefID(UINT id);
  DWORD GetDefID() const;
  void MapDialogRect(LPRECT rect) const;

  BOOL PreTranslateMessage(MSG* msg) override;

  LPCSTR m_lpszTemplateName = nullptr;
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;

 protected:
  afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);

  DECLARE_MESSAGE_MAP()

 private:
  HWND MakeWindow(CWnd* parent, bool modal);
  friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

// The dialog procedure of the class library's dialogs: the initialisation goes to OnInitDialog.
INT_PTR CALLBACK AfxDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
