#include "Main/CVarListDlg.h"

#include "Main/CWV4Globals.h"
#include "Main/CWV4Var.h"
#include "Main/ListDialogTexts.h"
#include "Main/ProgramTexts.h"
#include "comctl/CommCtrl.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"

namespace {

constexpr long TEXT_CAPTION = ProgramText::kVariablesCaption;
constexpr long TEXT_LABEL = ProgramText::kVariablesLabel;
constexpr long TEXT_OK = ProgramText::kOk;
constexpr const LONG (&kColumnTitles)[3] = ProgramText::kVariablesColumns;
constexpr int kMargin = 15;

}  // namespace

CVarListDlg::CVarListDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CVarListDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_LIST, m_list);
}

// Only OK is offered, in the middle between the places of the two buttons.
BOOL CVarListDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDialogText(*this, 0, TEXT_CAPTION);
  SetDialogText(*this, IDC_LABEL, TEXT_LABEL);
  SetDialogText(*this, IDOK, TEXT_OK);
  CWnd* ok = GetDlgItem(IDOK);
  CWnd* cancel = GetDlgItem(IDCANCEL);
  if (ok != nullptr && cancel != nullptr) {
    CRect okPlace;
    CRect cancelPlace;
    ok->GetWindowRect(&okPlace);
    cancel->GetWindowRect(&cancelPlace);
    ScreenToClient(&okPlace);
    ScreenToClient(&cancelPlace);
    cancel->ShowWindow(SW_HIDE);
    const int left = (okPlace.left + cancelPlace.left) / 2;
    ok->MoveWindow(left, okPlace.top, okPlace.Width(), okPlace.Height());
  }
  for (int column = 0; column < 3; ++column)
    m_list.InsertColumn(column, theGlobals.MessageText(kColumnTitles[column]), LVCFMT_LEFT, 100);
  if (theGlobals.m_pvar != nullptr) theGlobals.m_pvar->FillListCtrl(m_list);
  SizeColumnsToTexts(m_list, 3, kMargin);
  return TRUE;
}
