#include "orderlist/CAddressHitsDlg.h"

#include "comctl/CommCtrl.h"
#include "mfc/CDataExchange.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kCaption = 2221, kTakeOverText = 238;

}  // namespace

BEGIN_MESSAGE_MAP(CAddressHitsDlg, CDialog)
  ON_NOTIFY(NM_DBLCLK, IDC_HIT_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CAddressHitsDlg::CAddressHitsDlg(CProtocolApp& app, CKartei& book, const CArray<DWORD>& hits, CStringArray& result,
                                 CWnd* parent)
    : CDialog(IDD_ADDRESS_HITS, parent), m_app(app), m_book(book), m_hits(hits), m_result(result) {}

void CAddressHitsDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_HIT_LIST, m_list);
  m_list.TakeWindow();
}

BOOL CAddressHitsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, kCaption);
  SetDlgItemText(IDOK, m_app.GetText(kTakeOverText));
  std::vector<HitRow> rows;
  CStringArray texts;
  texts.SetSize(kAddressFields);
  for (int hit = 0; hit < m_hits.GetSize(); ++hit) {
    if (!m_book.ReadRecord(m_hits[hit], texts)) continue;  // a card that cannot be read is not offered
    HitRow row;
    row.offset = m_hits[hit];
    for (int field = 0; field < kAddressFields; ++field) row.fields[field] = texts[field];
    rows.push_back(row);
  }
  m_list.SetUpColumns(m_app);
  m_list.ShowRows(std::move(rows));
  m_list.SelectRecord(0, 1);
  GotoDlgCtrl(&m_list);
  return FALSE;
}

void CAddressHitsDlg::OnOK() {
  if (m_list.SelectedCount() != 1 || m_list.FocusedRecord() < 0) return;
  const HitRow& row = m_list.Row(m_list.FocusedRecord());
  m_result.SetSize(kAddressFields);
  for (int field = 0; field < kAddressFields; ++field) m_result[field] = row.fields[field];
  m_chosen = row.offset;
  CDialog::OnOK();
}

void CAddressHitsDlg::OnDoubleClick(NMHDR*, LRESULT* result) {
  *result = 0;
  OnOK();
}
