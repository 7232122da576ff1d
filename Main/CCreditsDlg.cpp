#include "Main/CCreditsDlg.h"

#include "user/Controls.h"
#include "user/Dialogs.h"

const char* const CCreditsDlg::kLines[] = {
    "VARNO 4 - Elektronischer Ersatzteilkatalog",
    "VARNO Katalogsysteme",
    "Industriestra\xDF" "e 4",
    "D-70565 Stuttgart",
    "Deutschland",
    "www.varno.example",
    "",
    "Parts of this software",
    "are based on the work of",
    "the Independent JPEG Group.",
};
const int CCreditsDlg::kLineCount = static_cast<int>(sizeof kLines / sizeof kLines[0]);

CCreditsDlg::CCreditsDlg(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CCreditsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const char* line : kLines) ::SendDlgItemMessage(m_hWnd, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  return TRUE;
}
