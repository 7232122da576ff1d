#include "Main/COwnerDrawnListDlg.h"

#include "comctl/CommCtrl.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"

BEGIN_MESSAGE_MAP(COwnerDrawnListDlg, CDialog)
  ON_WM_DRAWITEM()
  ON_NOTIFY(NM_DBLCLK, IDC_LIST, OnDoubleClick)
END_MESSAGE_MAP()

COwnerDrawnListDlg::COwnerDrawnListDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

void COwnerDrawnListDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_LIST, m_list);
}

CListHelper* COwnerDrawnListDlg::StartList(const char* titles, int length, int columns) {
  if (m_list.m_hWnd == nullptr) return nullptr;
  m_list.DeleteAllItems();
  m_helper = std::make_unique<CListHelper>(&m_list);
  m_helper->AddColumns(titles, length, columns);
  return m_helper.get();
}

void COwnerDrawnListDlg::FinishList() {
  if (m_helper == nullptr) return;
  m_helper->AutoSizeColumns();
  m_helper->EnableWhileSelected(GetDlgItem(IDOK));
}

void COwnerDrawnListDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != IDC_LIST || m_helper == nullptr) {
    CDialog::OnDrawItem(id, item);
    return;
  }
  m_helper->DrawItem(item);
  m_helper->EnableWhileSelected(GetDlgItem(IDOK));
}

BOOL COwnerDrawnListDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (m_helper != nullptr && m_helper->OnHeaderNotify(reinterpret_cast<NMHDR*>(lParam))) {
    *result = TRUE;
    return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

void COwnerDrawnListDlg::OnDoubleClick(NMHDR* /*notification*/, LRESULT* /*result*/) { OnOK(); }

void COwnerDrawnListDlg::PostNcDestroy() {
  m_helper.reset();
  CDialog::PostNcDestroy();
}
