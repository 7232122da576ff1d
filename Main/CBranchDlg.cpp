#include "Main/CBranchDlg.h"

#include <algorithm>

#include "Main/ListDialogTexts.h"
#include "comctl/CommCtrl.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"

namespace {

constexpr long TEXT_CAPTION = 1572;
constexpr long TEXT_LABEL = 1571;
constexpr long TEXT_OK = 1119;
constexpr long TEXT_CANCEL = 680;
constexpr int kTitlesGrowth = 32;

}  // namespace

BEGIN_MESSAGE_MAP(CBranchDlg, CDialog)
  ON_WM_DRAWITEM()
  ON_NOTIFY(NM_DBLCLK, IDC_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CBranchDlg::CBranchDlg(CWnd* parent) : CDialog(IDD, parent) { m_titles.SetGrowBy(kTitlesGrowth); }

BOOL CBranchDlg::IsListed(const LinkChoice& choice, const std::vector<LinkChoice>& all) {
  if (choice.row < 0 || choice.IsDefault()) return TRUE;
  return std::none_of(all.begin(), all.end(),
                      [&choice](const LinkChoice& other) { return other.row == choice.row && other.IsDefault(); });
}

void CBranchDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_LIST, m_list);
}

BOOL CBranchDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDialogText(*this, 0, TEXT_CAPTION);
  SetDialogText(*this, IDC_LABEL, TEXT_LABEL);
  SetDialogText(*this, IDOK, TEXT_OK);
  SetDialogText(*this, IDCANCEL, TEXT_CANCEL);
  if (m_list.m_hWnd == nullptr) return TRUE;
  m_list.DeleteAllItems();
  m_helper = std::make_unique<CListHelper>(&m_list);
  m_helper->AddColumns(m_titles, m_titles.GetLength(), m_columns);
  AddCandidates();
  m_helper->AutoSizeColumns();
  m_helper->EnableWhileSelected(GetDlgItem(IDOK));
  return TRUE;
}

// A candidate that is not from a table row shows the texts of the one
// before it (none for the first).
void CBranchDlg::AddCandidates() {
  m_rowChoices.clear();
  if (m_choices == nullptr) return;
  const CDynBuf* texts = nullptr;
  for (const LinkChoice& choice : *m_choices) {
    if (choice.row >= 0) texts = &choice.texts;
    if (!IsListed(choice, *m_choices)) continue;
    if (texts != nullptr) m_helper->AddRow(*texts, texts->GetLength());
    else m_helper->AddRow(nullptr, 0);
    m_rowChoices.push_back(&choice);
  }
}

void CBranchDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != IDC_LIST || m_helper == nullptr) {
    CDialog::OnDrawItem(id, item);
    return;
  }
  m_helper->DrawItem(item);
  m_helper->EnableWhileSelected(GetDlgItem(IDOK));
}

BOOL CBranchDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (m_helper != nullptr && m_helper->OnHeaderNotify(reinterpret_cast<NMHDR*>(lParam))) {
    *result = TRUE;
    return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

void CBranchDlg::OnDoubleClick(NMHDR* /*notification*/, LRESULT* /*result*/) { OnOK(); }

// Only one chosen row ends the dialog; without one it stays open.
void CBranchDlg::OnOK() {
  if (m_list.m_hWnd == nullptr || m_list.GetSelectedCount() != 1) return;
  const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (item < 0 || item >= static_cast<int>(m_rowChoices.size())) return;
  m_chosen = m_rowChoices[static_cast<size_t>(item)];
  CDialog::OnOK();
}

void CBranchDlg::PostNcDestroy() {
  m_helper.reset();
  CDialog::PostNcDestroy();
}
