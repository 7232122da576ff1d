// The VAT rates: the current rates beside edits for the new ones, at most
// fifteen. On OK a changed rate goes into the price settings and the table;
// the caller hands the changed rates on.
#pragma once

#include <vector>

#include "mfc/CDialog.h"
#include "orderlist/CProtocolApp.h"

class CVatRatesDlg : public CDialog {
 public:
  explicit CVatRatesDlg(CProtocolApp& app, CWnd* parent = nullptr);

  static constexpr int kRows = 15;
  bool m_changed = false;
  // One flag per rate, made on the first change.
  std::vector<bool> m_changed_rates;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  void HideRowsFrom(int first);

  CProtocolApp& m_app;
  std::vector<CString> m_current;
};
