#include "Main/CHistoryDlg.h"

#include "Main/CDynLog.h"
#include "Main/CWV4Globals.h"
#include "Main/KeyCommand.h"
#include "Main/ListDialogTexts.h"
#include "Main/ProgramTexts.h"
#include "comctl/CommCtrl.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"

namespace {

constexpr long TEXT_CAPTION = ProgramText::kHistoryCaption;
constexpr long TEXT_LABEL = ProgramText::kHistoryLabel;
constexpr long TEXT_OK = ProgramText::kOk;
constexpr long TEXT_CANCEL = ProgramText::kCancel;
constexpr const LONG (&kColumnTitles)[3] = ProgramText::kHistoryColumns;
constexpr int kMargin = 15;

}  // namespace

CHistoryDlg::CHistoryDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CHistoryDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_LIST, m_list);
}

BOOL CHistoryDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDialogText(*this, 0, TEXT_CAPTION);
  SetDialogText(*this, IDC_LABEL, TEXT_LABEL);
  SetDialogText(*this, IDOK, TEXT_OK);
  SetDialogText(*this, IDCANCEL, TEXT_CANCEL);
  for (int column = 0; column < 3; ++column)
    m_list.InsertColumn(column, theGlobals.MessageText(kColumnTitles[column]), LVCFMT_LEFT, 100);
  if (theGlobals.m_phistory != nullptr) theGlobals.m_phistory->FillListCtrl(m_list);
  SizeColumnsToTexts(m_list, 3, kMargin);
  return TRUE;
}

// The key chosen (selected and focused) is shown by the frame that opened the list.
void CHistoryDlg::OnOK() {
  const int item = m_list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED);
  CString key = item >= 0 ? m_list.GetItemText(item, 0) : CString();
  CDialog::OnOK();
  if (key.IsEmpty()) return;
  theGlobals.m_tmpkey = key;
  if (m_pParentWnd != nullptr) PostKeyCommand(m_pParentWnd->m_hWnd, 0, theGlobals.m_tmpkey);
}
