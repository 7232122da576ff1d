#include "Main/CNoteDlg.h"

#include "Main/CWV4Globals.h"
#include "Main/ProgramTexts.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"

namespace {

constexpr LONG TEXT_CAPTION = ProgramText::kNoteCaption;
constexpr LONG TEXT_OK = ProgramText::kOk;
constexpr LONG TEXT_CANCEL = ProgramText::kCancel;

}  // namespace

CNoteDlg::CNoteDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CNoteDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(theGlobals.MessageText(TEXT_CAPTION));
  if (CWnd* ok = GetDlgItem(IDOK)) ok->SetWindowText(theGlobals.MessageText(TEXT_OK));
  if (CWnd* cancel = GetDlgItem(IDCANCEL)) cancel->SetWindowText(theGlobals.MessageText(TEXT_CANCEL));
  return TRUE;
}

void CNoteDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Text(exchange, IDC_TEXT, m_text);
}
