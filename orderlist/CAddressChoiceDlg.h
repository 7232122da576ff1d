// The order's customer, supplier, delivery and dealer addresses, each chosen
// from its address book or emptied. The addresses live in the user's
// settings: read when the dialog is made, written back when it goes, however
// it was closed.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CStringArray.h"
#include "orderlist/CProtocolApp.h"

class CAddressChoiceDlg : public CDialog {
 public:
  explicit CAddressChoiceDlg(CProtocolApp& app, CWnd* parent = nullptr);
  ~CAddressChoiceDlg() override;

  enum Group { kCustomer, kSupplier, kDelivery, kDealer, kGroups };
  CStringArray m_addresses[kGroups];

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void ChooseFromBook(int group);
  void ClearAddress(int group);
  void ShowAddress(int group);

  CProtocolApp& m_app;
};
