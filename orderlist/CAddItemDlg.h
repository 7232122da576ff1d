// Adding a line by all its columns.
#pragma once

#include "orderlist/CItemColumnsDlg.h"

class CAddItemDlg : public CItemColumnsDlg {
 public:
  CAddItemDlg(CProtocolApp& app, CProtocolView& view, const OrderDatabases& databases, CWnd* parent = nullptr);

 protected:
  void OnOK() override;
};
