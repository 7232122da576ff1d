// The dialog that edits one of the order header's selection lists: the
// shipping methods (selector 0) or the order variants (selector 1). The
// application's list changes only on OK.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CListBox.h"
#include "mfc/CStringArray.h"
#include "orderlist/CProtocolApp.h"

class CListEditDlg : public CDialog {
 public:
  enum Selector { kShippingMethods = 0, kOrderVariants = 1 };

  CListEditDlg(CProtocolApp& app, const CString& caption, int selector, CWnd* parent = nullptr);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  void OnOK() override;
  afx_msg void OnAdd();
  afx_msg void OnChange();
  afx_msg void OnDelete();

 private:
  CStringArray& List() const;
  CString TypedText() const;
  bool IsListed(const CString& text) const;
  void UpdateButtons();

  CProtocolApp& m_app;
  CString m_caption;
  int m_selector;
  CListBox m_entries;

  DECLARE_MESSAGE_MAP()
};
