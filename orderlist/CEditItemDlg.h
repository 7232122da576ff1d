// Editing all columns of one line; another part key rebuilds the line.
#pragma once

#include "orderlist/CItemColumnsDlg.h"

class CEditItemDlg : public CItemColumnsDlg {
 public:
  CEditItemDlg(CProtocolApp& app, CProtocolView& view, const OrderDatabases& databases, int row,
               CWnd* parent = nullptr);

 protected:
  void OnOK() override;

 private:
  int m_row;
};
