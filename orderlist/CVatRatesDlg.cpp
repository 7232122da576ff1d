#include "orderlist/CVatRatesDlg.h"

#include <algorithm>

#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kCaption = 3250, kCurrentTitle = 3251, kNewTitle = 881;

}  // namespace

CVatRatesDlg::CVatRatesDlg(CProtocolApp& app, CWnd* parent) : CDialog(IDD_VAT_RATES, parent), m_app(app) {}

BOOL CVatRatesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const VatRateTable& table = m_app.m_vat;
  if (table.Count() < 1) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  LabelDialog(*this, m_app, kCaption, {{IDC_VAT_CURRENT_TITLE, kCurrentTitle}, {IDC_VAT_NEW_TITLE, kNewTitle}});
  m_current.resize(static_cast<size_t>(table.Count()));
  for (int rate = 0; rate < table.Count(); ++rate) m_app.FormatAmount64(table.Rate(rate), m_current[static_cast<size_t>(rate)], table.Decimals());
  const int shown = std::min(table.Count(), kRows);
  for (int row = 0; row < shown; ++row) {
    SetDlgItemText(IDC_VAT_EDIT + row, m_current[static_cast<size_t>(row)]);
    SetDlgItemText(IDC_VAT_SHOWN + row, m_current[static_cast<size_t>(row)] + " %");
  }
  HideRowsFrom(shown);
  return TRUE;
}

// The dialog ends as far below the last shown edit as below the last row.
void CVatRatesDlg::HideRowsFrom(int first) {
  if (first >= kRows) return;
  for (int row = first; row < kRows; ++row)
    for (int id : {IDC_VAT_SHOWN + row, IDC_VAT_EDIT + row, IDC_VAT_PERCENT + row}) GetDlgItem(id)->ShowWindow(SW_HIDE);
  ShortenDialog(*this, IDC_VAT_EDIT + first - 1, IDC_VAT_EDIT + kRows - 1);
}

void CVatRatesDlg::OnOK() {
  VatRateTable& table = m_app.m_vat;
  const int shown = std::min(table.Count(), kRows);
  for (int row = 0; row < shown; ++row) {
    CString text;
    GetDlgItemText(IDC_VAT_EDIT + row, text);
    if (text.Compare(m_current[static_cast<size_t>(row)]) == 0) continue;
    m_changed = true;
    m_changed_rates.resize(static_cast<size_t>(table.Count()), false);
    CString stored;
    for (int rate : table.ChangeRate(row, text, stored)) m_changed_rates[static_cast<size_t>(rate)] = true;
    CString key;
    key.Format("%02d", row);
    m_app.m_ini.WriteKey("MWST", key, stored, m_app.m_price_ini, 1);
  }
  CDialog::OnOK();
}
