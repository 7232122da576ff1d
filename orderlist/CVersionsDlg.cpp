#include "orderlist/CVersionsDlg.h"

#include "Main/ClipboardText.h"
#include "comctl/CommCtrl.h"
#include "foundation/LoadedModules.h"
#include "mfc/CDataExchange.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/FileVersion.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kCaption = 728, kCopyText = 1518;
constexpr int kWindowsNt4 = 3;
constexpr int kColumnWidth = 100;
constexpr const char* kColumns[] = {"Module", "Version", "Pfad"};

}  // namespace

BEGIN_MESSAGE_MAP(CVersionsDlg, CDialog)
  ON_BN_CLICKED(IDC_VERSIONS_COPY, OnCopy)
END_MESSAGE_MAP()

CVersionsDlg::CVersionsDlg(CProtocolApp& app, CWnd* parent) : CDialog(IDD_VERSIONS, parent), m_app(app) {}

void CVersionsDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_VERSIONS_LIST, m_list);
}

BOOL CVersionsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, kCaption, {{IDC_VERSIONS_COPY, kCopyText}});
  for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column)
    m_list.InsertColumn(column, kColumns[column], LVCFMT_LEFT, kColumnWidth);
  for (const CString& path : LoadedModuleFiles(m_app.m_os_kind == kWindowsNt4)) AddModule(path);
  for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column)
    m_list.SetColumnWidth(column, LVSCW_AUTOSIZE);
  return TRUE;
}

// The list places each row by its name.
void CVersionsDlg::AddModule(const CString& path) {
  CString version;
  DWORD packed = 0;
  GetFileVersion(path, version, packed);
  if (version.IsEmpty()) return;
  const int row = m_list.InsertItem(0, ModuleName(path));
  m_list.SetItemText(row, 1, version);
  m_list.SetItemText(row, 2, path);
}

CString CVersionsDlg::ListText() const { return ModuleListText(m_list); }

void CVersionsDlg::OnCopy() { CopyTextToClipboard(m_hWnd, ListText()); }
