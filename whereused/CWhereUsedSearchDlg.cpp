#include "whereused/CWhereUsedSearchDlg.h"

#include <vector>

#include "mfc/CMenu.h"
#include "whereused/CWhereUsedAboutDlg.h"
#include "whereused/CWhereUsedApp.h"
#include "whereused/CWhereUsedResultDlg.h"
#include "whereused/WhereUsedHistory.h"
#include "whereused/resource.h"
#include "win32/Icons.h"
#include "win32/MessageBox.h"
#include "win32/Resources.h"
#include "win32/UserWindows.h"

BEGIN_MESSAGE_MAP(CWhereUsedSearchDlg, CDialog)
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CWhereUsedSearchDlg::CWhereUsedSearchDlg(CWhereUsedApp* app) : CDialog(IDD_SEARCH), m_app(app) {
  m_icon = LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
}

void CWhereUsedSearchDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_SEARCH_TEXT, m_texts);
}

BOOL CWhereUsedSearchDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  AddAboutItem();
  SetIcon(m_icon, TRUE);
  SetIcon(m_icon, FALSE);
  // The first time, with no place kept, the dialog comes up where the eye
  // is, not in the screen's corner.
  if (m_placeKept) KeepOnScreen();
  else CenterWindow();

  SetWindowText(m_app->Message(0));
  SetDlgItemText(IDC_SEARCH_LABEL, m_app->Message(1));
  SetDlgItemText(IDOK, m_app->Message(2));
  SetDlgItemText(IDCANCEL, m_app->Message(3));
  SetDlgItemText(IDC_CASE_SENSITIVE, m_app->Message(9));

  for (const CString& entry : WhereUsedHistory::Split(m_history)) m_texts.AddString(entry);
  CheckDlgButton(IDC_CASE_SENSITIVE, m_app->m_options.caseSensitive ? BST_CHECKED : BST_UNCHECKED);
  m_texts.SetCurSel(0);
  m_texts.SetFocus();
  return FALSE;
}

void CWhereUsedSearchDlg::AddAboutItem() {
  char text[256] = {};
  LoadString(AfxGetInstanceHandle(), IDS_ABOUTBOX, text, sizeof text);
  CMenu* menu = GetSystemMenu(FALSE);
  if (text[0] == '\0' || menu == nullptr) return;
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, text);
}

void CWhereUsedSearchDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CWhereUsedAboutDlg about(this);
    about.DoModal();
    return;
  }
  CDialog::OnSysCommand(id, lParam);
}

// A place kept from a larger screen would leave the dialog out of sight.
void CWhereUsedSearchDlg::KeepOnScreen() {
  CRect window;
  GetWindowRect(&window);
  const int width = window.Width();
  const int height = window.Height();
  int left = m_place.left;
  int top = m_place.top;
  if (left > GetSystemMetrics(SM_CXSCREEN) - width) left = GetSystemMetrics(SM_CXSCREEN) - width;
  if (top > GetSystemMetrics(SM_CYSCREEN) - height) top = GetSystemMetrics(SM_CYSCREEN) - height;
  MoveWindow(left, top, width, height);
}

void CWhereUsedSearchDlg::OnOK() {
  CString text;
  m_texts.GetWindowText(text);
  m_texts.SetFocus();
  if (text.IsEmpty()) return;
  PutFirst(text);

  CWhereUsedResultDlg results(m_app, this);
  results.m_search = text;
  results.m_case_sensitive = IsDlgButtonChecked(IDC_CASE_SENSITIVE) == BST_CHECKED;
  if (!results.m_case_sensitive) results.m_search.MakeUpper();

  GetWindowRect(&m_place);
  RebuildHistory();
  if (results.DoModal() != IDOK) {
    m_texts.SetFocus();
    return;
  }
  if (m_app->m_geometry.blockLength > 0) m_block = results.m_block;
  m_key = results.m_key;
  GiveBackToViewer();
  EndDialog(IDOK);
}

void CWhereUsedSearchDlg::OnCancel() {
  GetWindowRect(&m_place);
  GiveBackToViewer();
  EndDialog(IDCANCEL);
}

// The newest search goes first; an older entry that begins with it (without
// regard to case) makes room for it.
void CWhereUsedSearchDlg::PutFirst(const CString& text) {
  const int older = m_texts.FindString(0, text);
  if (older >= 0) m_texts.DeleteString(static_cast<UINT>(older));
  m_texts.InsertString(0, text);
  m_texts.SetCurSel(0);
}

void CWhereUsedSearchDlg::RebuildHistory() {
  std::vector<CString> entries;
  for (int i = 0; i < m_texts.GetCount(); ++i) {
    CString entry;
    m_texts.GetLBText(i, entry);
    entries.push_back(entry);
  }
  m_history = WhereUsedHistory::Join(entries);
}

// The viewer disabled itself while it waits for this program.
void CWhereUsedSearchDlg::GiveBackToViewer() {
  if (m_app->m_parent_window == nullptr) return;
  ::EnableWindow(m_app->m_parent_window, TRUE);
  ::SetForegroundWindow(m_app->m_parent_window);
}
