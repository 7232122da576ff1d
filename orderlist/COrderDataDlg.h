// The order's header texts: number, purpose, variant and shipping method
// from their lists, and the delivery date, checked against the locale's
// date order. The clerk is chosen from the clerks' address book and kept in
// the user's settings when the dialog goes.
#pragma once

#include "mfc/CComboBox.h"
#include "mfc/CDialog.h"
#include "mfc/CStringArray.h"
#include "orderlist/CProtocolApp.h"
#include "orderlist/OrderHeader.h"

class COrderDataDlg : public CDialog {
 public:
  explicit COrderDataDlg(CProtocolApp& app, CWnd* parent = nullptr);
  ~COrderDataDlg() override;

  // The five texts in header order, edited on OK.
  CString m_texts[kOrderHeaderTexts];

  // 0 for a valid or empty date; else the program text that refuses it
  // (3256: the locale's date order is unknown, 3257: not a date).
  static long CheckDeliveryDate(const CString& date, const CString& dateOrder, const CString& longDateOrder);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  void OnOK() override;
  afx_msg void OnClerk();

  DECLARE_MESSAGE_MAP()

 private:
  void ShowClerk();

  static void Fill(CComboBox& list, const CStringArray& entries, const CString& value);

  CProtocolApp& m_app;
  CComboBox m_variants, m_shipping;
  // The clerk's twelve texts; written back only once they were read, so a
  // dialog that never opened leaves the clerk as it was.
  CStringArray m_clerk;
  bool m_clerk_read = false;
};
