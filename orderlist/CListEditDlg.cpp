#include "orderlist/CListEditDlg.h"

#include <algorithm>

#include "mfc/CDataExchange.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kChangeText = 332, kAddText = 1218, kDeleteText = 616;
constexpr long kAlreadyListed = 2229;
constexpr long kAskDelete = 2228;
constexpr int kLongestEntry = 255;
// OK takes a typed entry only from this length on.
constexpr int kShortestEntryOnOk = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CListEditDlg, CDialog)
  ON_BN_CLICKED(IDC_LIST_ADD, OnAdd)
  ON_BN_CLICKED(IDC_LIST_CHANGE, OnChange)
  ON_BN_CLICKED(IDC_LIST_DELETE, OnDelete)
END_MESSAGE_MAP()

CListEditDlg::CListEditDlg(CProtocolApp& app, const CString& caption, int selector, CWnd* parent)
    : CDialog(IDD_LIST_EDIT, parent), m_app(app), m_caption(caption), m_selector(selector) {}

CStringArray& CListEditDlg::List() const {
  return m_selector == kShippingMethods ? m_app.m_va_list : m_app.m_bv_list;
}

void CListEditDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_LIST_ENTRIES, m_entries);
}

BOOL CListEditDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, 0, {{IDC_LIST_CHANGE, kChangeText}, {IDC_LIST_ADD, kAddText}, {IDC_LIST_DELETE, kDeleteText}});
  SetWindowText(m_caption);  // the opener's
  const CStringArray& list = List();
  for (int i = 0; i < list.GetSize(); ++i) m_entries.AddString(list.GetAt(i));
  m_entries.SetCurSel(0);
  UpdateButtons();
  GotoDlgCtrl(GetDlgItem(IDC_LIST_ENTRY));
  return FALSE;
}

CString CListEditDlg::TypedText() const {
  CString text;
  GetDlgItemText(IDC_LIST_ENTRY, text);
  return text.Left(kLongestEntry);
}

bool CListEditDlg::IsListed(const CString& text) const { return m_entries.FindStringExact(-1, text) >= 0; }

void CListEditDlg::UpdateButtons() {
  const BOOL any = m_entries.GetCount() > 0;
  GetDlgItem(IDC_LIST_CHANGE)->EnableWindow(any);
  GetDlgItem(IDC_LIST_DELETE)->EnableWindow(any);
}

void CListEditDlg::OnAdd() {
  const CString text = TypedText();
  if (text.IsEmpty()) return;
  if (IsListed(text)) {
    m_app.ShowMessage(kAlreadyListed);
    return;
  }
  m_entries.AddString(text);
  UpdateButtons();
}

void CListEditDlg::OnChange() {
  const CString text = TypedText();
  const int selected = m_entries.GetCurSel();
  if (text.IsEmpty() || selected < 0) return;
  if (IsListed(text)) {
    m_app.ShowMessage(kAlreadyListed);
    return;
  }
  m_entries.DeleteString(static_cast<UINT>(selected));
  m_entries.SetCurSel(m_entries.AddString(text));
}

void CListEditDlg::OnDelete() {
  const int selected = m_entries.GetCurSel();
  if (selected < 0 || m_app.MessageBox(m_app.GetText(kAskDelete), MB_YESNO) != IDYES) return;
  m_entries.DeleteString(static_cast<UINT>(selected));
  if (m_entries.GetCount() > 0) m_entries.SetCurSel(std::min(selected, m_entries.GetCount() - 1));
  UpdateButtons();
}

void CListEditDlg::OnOK() {
  const CString text = TypedText();
  if (text.GetLength() >= kShortestEntryOnOk && !IsListed(text)) m_entries.AddString(text);
  CStringArray& list = List();
  list.RemoveAll();
  for (int i = 0; i < m_entries.GetCount(); ++i) {
    CString entry;
    m_entries.GetText(i, entry);
    list.Add(entry);
  }
  CDialog::OnOK();
}
