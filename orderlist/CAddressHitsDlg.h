// The cards a search of an address book found, to pick one from. OK (or a
// double click) takes the one selected card: its texts go to the address
// dialog's result, its offset stays here.
#pragma once

#include "mfc/CArray.h"
#include "mfc/CDialog.h"
#include "mfc/CStringArray.h"
#include "orderlist/CHitListCtrl.h"
#include "orderlist/CKartei.h"
#include "orderlist/CProtocolApp.h"

class CAddressHitsDlg : public CDialog {
 public:
  CAddressHitsDlg(CProtocolApp& app, CKartei& book, const CArray<DWORD>& hits, CStringArray& result,
                  CWnd* parent = nullptr);

  DWORD m_chosen = CKartei::kNoCard;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* exchange) override;
  void OnOK() override;
  DECLARE_MESSAGE_MAP()

  afx_msg void OnDoubleClick(NMHDR* header, LRESULT* result);

 private:
  CProtocolApp& m_app;
  CKartei& m_book;
  const CArray<DWORD>& m_hits;
  CStringArray& m_result;
  CHitListCtrl m_list;
};
