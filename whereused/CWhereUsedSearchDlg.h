// The search dialog, the where-used program's main window: a search text
// typed or taken from the history, one results dialog per search, and the
// picked key and block text for the viewer.
#pragma once

#include "mfc/CComboBox.h"
#include "mfc/CDialog.h"
#include "mfc/CRect.h"
#include "mfc/CString.h"

class CWhereUsedApp;

class CWhereUsedSearchDlg : public CDialog {
 public:
  explicit CWhereUsedSearchDlg(CWhereUsedApp* app);

  CString m_key;      // the picked key
  CString m_block;    // the picked block text
  CRect m_place;      // the dialog's last place; left and top are kept
  bool m_placeKept = false;  // m_place was kept from an earlier run
  CString m_history;  // the search texts, joined as the user ini keeps them

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void DoDataExchange(CDataExchange* exchange) override;
  afx_msg void OnSysCommand(UINT id, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  void AddAboutItem();
  void KeepOnScreen();
  void PutFirst(const CString& text);
  void RebuildHistory();
  void GiveBackToViewer();

  CWhereUsedApp* m_app;
  CComboBox m_texts;
  HICON m_icon = nullptr;
};
