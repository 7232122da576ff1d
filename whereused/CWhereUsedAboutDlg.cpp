#include "whereused/CWhereUsedAboutDlg.h"

#include "whereused/resource.h"

CWhereUsedAboutDlg::CWhereUsedAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}
