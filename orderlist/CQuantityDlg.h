// Changing the quantity of one order line.
#pragma once

#include "mfc/CDialog.h"
#include "orderlist/CProtocolView.h"

class CQuantityDlg : public CDialog {
 public:
  CQuantityDlg(CProtocolApp& app, const OrderItem& item, CWnd* parent = nullptr);

  CString m_quantity;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CProtocolApp& m_app;
  const OrderItem& m_item;
};
