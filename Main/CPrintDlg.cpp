#include "Main/CPrintDlg.h"

#include "Main/CWV4Globals.h"
#include "Main/ProgramTexts.h"
#include "user/Controls.h"
#include "user/Dialogs.h"
#include "win32/MessageBox.h"

namespace {

constexpr LONG TEXT_CAPTION = ProgramText::kPrintCaption;
constexpr LONG TEXT_OK = ProgramText::kOk;
constexpr LONG TEXT_CANCEL = ProgramText::kCancel;

}  // namespace

CPrintDlg::CPrintDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CPrintDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(theGlobals.MessageText(TEXT_CAPTION));
  if (CWnd* ok = GetDlgItem(IDOK)) ok->SetWindowText(theGlobals.MessageText(TEXT_OK));
  if (CWnd* cancel = GetDlgItem(IDCANCEL)) cancel->SetWindowText(theGlobals.MessageText(TEXT_CANCEL));
  for (int i = 0; i < kMostOptions; ++i) {
    CWnd* option = GetDlgItem(IDC_FIRST_OPTION + i);
    if (option == nullptr) continue;
    if (i >= m_count) {
      option->ShowWindow(SW_HIDE);
      continue;
    }
    option->SetWindowText(m_labels[i]);
    ::CheckDlgButton(m_hWnd, IDC_FIRST_OPTION + i, i == m_selected ? BST_CHECKED : BST_UNCHECKED);
  }
  return TRUE;
}

void CPrintDlg::OnOK() {
  for (int i = 0; i < m_count && i < kMostOptions; ++i) {
    if (::IsDlgButtonChecked(m_hWnd, IDC_FIRST_OPTION + i) == BST_CHECKED) m_selected = i;
  }
  CDialog::OnOK();
}
