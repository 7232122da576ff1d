#include "Main/CBranchDlg.h"

#include <algorithm>

#include "Main/ListDialogTexts.h"
#include "Main/ProgramTexts.h"
#include "comctl/CommCtrl.h"
#include "win32/MessageBox.h"

namespace {

constexpr long TEXT_CAPTION = ProgramText::kBranchCaption;
constexpr long TEXT_LABEL = ProgramText::kBranchLabel;
constexpr long TEXT_OK = ProgramText::kOk;
constexpr long TEXT_CANCEL = ProgramText::kCancel;
constexpr int kTitlesGrowth = 32;

}  // namespace

CBranchDlg::CBranchDlg(CWnd* parent) : COwnerDrawnListDlg(IDD, parent) { m_titles.SetGrowBy(kTitlesGrowth); }

BOOL CBranchDlg::IsListed(const LinkChoice& choice, const std::vector<LinkChoice>& all) {
  if (choice.row < 0 || choice.IsDefault()) return TRUE;
  return std::none_of(all.begin(), all.end(),
                      [&choice](const LinkChoice& other) { return other.row == choice.row && other.IsDefault(); });
}

BOOL CBranchDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDialogText(*this, 0, TEXT_CAPTION);
  SetDialogText(*this, IDC_LABEL, TEXT_LABEL);
  SetDialogText(*this, IDOK, TEXT_OK);
  SetDialogText(*this, IDCANCEL, TEXT_CANCEL);
  CListHelper* helper = StartList(m_titles, m_titles.GetLength(), m_columns);
  if (helper == nullptr) return TRUE;
  AddCandidates(*helper);
  FinishList();
  return TRUE;
}

// A candidate that is not from a table row shows the texts of the one
// before it (none for the first).
void CBranchDlg::AddCandidates(CListHelper& helper) {
  m_rowChoices.clear();
  if (m_choices == nullptr) return;
  const CDynBuf* texts = nullptr;
  for (const LinkChoice& choice : *m_choices) {
    if (choice.row >= 0) texts = &choice.texts;
    if (!IsListed(choice, *m_choices)) continue;
    if (texts != nullptr) helper.AddRow(*texts, texts->GetLength());
    else helper.AddRow(nullptr, 0);
    m_rowChoices.push_back(&choice);
  }
}

// Only one chosen row ends the dialog; without one it stays open.
void CBranchDlg::OnOK() {
  if (m_list.m_hWnd == nullptr || m_list.GetSelectedCount() != 1) return;
  const int item = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (item < 0 || item >= static_cast<int>(m_rowChoices.size())) return;
  m_chosen = m_rowChoices[static_cast<size_t>(item)];
  CDialog::OnOK();
}
