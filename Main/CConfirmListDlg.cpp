#include "Main/CConfirmListDlg.h"

#include <cstring>

#include "Main/CWV4Globals.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"

namespace {

constexpr LONG TEXT_CAPTION = 282;
constexpr LONG TEXT_LABEL = 1573;
constexpr LONG TEXT_OK = 1119;
constexpr LONG TEXT_CANCEL = 680;

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

void SetText(CWnd& dialog, int id, LONG number) {
  if (CWnd* item = dialog.GetDlgItem(id)) item->SetWindowText(theGlobals.MessageText(number));
}

}  // namespace

CConfirmListDlg::CConfirmListDlg(CWnd* parent) : CDialog(IDD, parent) {}

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

void CConfirmListDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_LIST, m_list);
}

BOOL CConfirmListDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(theGlobals.MessageText(TEXT_CAPTION));
  SetText(*this, IDC_LABEL, TEXT_LABEL);
  SetText(*this, IDOK, TEXT_OK);
  SetText(*this, IDCANCEL, TEXT_CANCEL);
  if (m_list.m_hWnd == nullptr) return TRUE;
  m_list.DeleteAllItems();
  m_helper = std::make_unique<CListHelper>(&m_list);
  const char* titles = m_titles ? static_cast<const char*>(*m_titles) : "";
  const int titlesLength = m_titles ? m_titles->GetLength() : 0;
  for (int column = 0, pos = 0; column < m_columns; ++column) {
    const char* title = pos < titlesLength ? titles + pos : "";
    m_helper->AddColumn(column, title);
    if (pos < titlesLength) pos += static_cast<int>(std::strlen(title)) + 1;
  }
  if (m_display != nullptr) m_helper->AddRows(*m_display, m_display->GetLength());
  m_helper->AutoSizeColumns();
  return TRUE;
}

void CConfirmListDlg::OnOK() {
  std::vector<bool> chosen;
  for (int item = 0; m_list.m_hWnd != nullptr && item < m_list.GetItemCount(); ++item)
    chosen.push_back((m_list.GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0);
  if (m_data != nullptr) KeepChosenRows(*m_data, chosen);
  CDialog::OnOK();
}

void CConfirmListDlg::PostNcDestroy() {
  m_helper.reset();
  CDialog::PostNcDestroy();
}
