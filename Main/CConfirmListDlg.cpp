#include "Main/CConfirmListDlg.h"

#include <cstring>

#include "Main/CWV4Globals.h"
#include "Main/ListDialogTexts.h"
#include "Main/ProgramTexts.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"

namespace {

constexpr LONG TEXT_CAPTION = ProgramText::kConfirmCaption;
constexpr LONG TEXT_LABEL = ProgramText::kConfirmLabel;
constexpr LONG TEXT_OK = ProgramText::kOk;
constexpr LONG TEXT_CANCEL = ProgramText::kCancel;

// The length of the row at pos: its texts with their zero bytes, up to the
// empty text that closes it (not counted); stops at the end of the block.
int RowLength(const unsigned char* bytes, int length, int pos) {
  int end = pos;
  while (end < length && bytes[end] != 0) {
    const void* zero = std::memchr(bytes + end, 0, static_cast<size_t>(length - end));
    end = zero ? static_cast<int>(static_cast<const unsigned char*>(zero) - bytes) + 1 : length;
  }
  return end - pos;
}

}  // namespace

CConfirmListDlg::CConfirmListDlg(CWnd* parent) : COwnerDrawnListDlg(IDD, parent) {}

void CConfirmListDlg::KeepChosenRows(CDynBuf& data, const std::vector<bool>& chosen) {
  CDynBuf kept;
  const unsigned char* bytes = data.GetData();
  const int length = data.GetLength();
  int pos = 0;
  bool any = false;
  for (size_t item = 0; item < chosen.size() && pos < length && bytes[pos] != 0; ++item) {
    const int rowLength = RowLength(bytes, length, pos);
    if (chosen[item]) {
      kept.Append(bytes + pos, rowLength);
      any = true;
    }
    pos += rowLength + 1;
  }
  if (any) kept.Append('\0');
  data = kept;
}

BOOL CConfirmListDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDialogText(*this, 0, TEXT_CAPTION);
  SetDialogText(*this, IDC_LABEL, TEXT_LABEL);
  SetDialogText(*this, IDOK, TEXT_OK);
  SetDialogText(*this, IDCANCEL, TEXT_CANCEL);
  CListHelper* helper = m_titles != nullptr ? StartList(*m_titles, m_titles->GetLength(), m_columns)
                                            : StartList(nullptr, 0, m_columns);
  if (helper == nullptr) return TRUE;
  if (m_display != nullptr) helper->AddRows(*m_display, m_display->GetLength());
  FinishList();
  return TRUE;
}

void CConfirmListDlg::OnOK() {
  std::vector<bool> chosen;
  for (int item = 0; m_list.m_hWnd != nullptr && item < m_list.GetItemCount(); ++item)
    chosen.push_back((m_list.GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0);
  if (m_data != nullptr) KeepChosenRows(*m_data, chosen);
  CDialog::OnOK();
}
