// Adding a part by its number and quantity. The input is checked on OK; a
// refused input keeps the dialog open with its message.
#pragma once

#include "mfc/CDialog.h"
#include "orderlist/CProtocolView.h"

class CQuickAddDlg : public CDialog {
 public:
  CQuickAddDlg(CProtocolApp& app, CProtocolView& view, const OrderDatabases& databases, CWnd* parent = nullptr);

  CString m_part;
  CString m_quantity;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CProtocolApp& m_app;
  CProtocolView& m_view;
  const OrderDatabases& m_databases;
};
