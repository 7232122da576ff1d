// The confirmation list: the parts about to be handed to the order-list
// program, of which the user picks the ones to send.
#pragma once

#include <vector>

#include "Main/COwnerDrawnListDlg.h"
#include "foundation/CDynBuf.h"

class CConfirmListDlg : public COwnerDrawnListDlg {
 public:
  enum { IDD = 146, IDC_LIST = 3004, IDC_LABEL = 3005 };

  explicit CConfirmListDlg(CWnd* parent = nullptr);

  // Keeps in data only the rows of the chosen list items (in list order),
  // the block closed by one zero byte; emptied when nothing is chosen.
  static void KeepChosenRows(CDynBuf& data, const std::vector<bool>& chosen);

  int m_columns = 0;
  CDynBuf* m_titles = nullptr;   // the column titles, each ended by a zero byte
  CDynBuf* m_display = nullptr;  // the rows as shown
  CDynBuf* m_data = nullptr;     // in: every row's data; out: the chosen rows

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
};
