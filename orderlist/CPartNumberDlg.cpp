#include "orderlist/CPartNumberDlg.h"

#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"

namespace {

constexpr long kCaption = 2322, kPrompt = 3252;

}  // namespace

CPartNumberDlg::CPartNumberDlg(CProtocolApp& app, CWnd* parent) : CDialog(IDD_PART_NUMBER, parent), m_app(app) {}

BOOL CPartNumberDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, kCaption, {{IDC_PART_NUMBER_PROMPT, kPrompt}});
  SetDlgItemText(IDC_PART_NUMBER, m_part);
  GotoDlgCtrl(GetDlgItem(IDC_PART_NUMBER));
  return FALSE;
}

void CPartNumberDlg::OnOK() {
  CString part;
  GetDlgItemText(IDC_PART_NUMBER, part);
  if (part.IsEmpty()) return;
  m_part = part;
  CDialog::OnOK();
}
