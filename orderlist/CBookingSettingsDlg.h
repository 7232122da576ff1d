// The two booking settings: a part booked again raises its line's quantity,
// and whether to ask first.
#pragma once

#include "mfc/CDialog.h"
#include "orderlist/CProtocolApp.h"

class CBookingSettingsDlg : public CDialog {
 public:
  explicit CBookingSettingsDlg(CProtocolApp& app, CWnd* parent = nullptr);

  int m_ask = 0;    // check box 1022
  int m_raise = 0;  // check box 1021

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  afx_msg void OnRaiseClicked();

 private:
  CProtocolApp& m_app;

  DECLARE_MESSAGE_MAP()
};
