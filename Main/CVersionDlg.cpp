#include "Main/CVersionDlg.h"

#include "Main/ClipboardText.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"
#include "Main/ProgramTexts.h"
#include "comctl/CommCtrl.h"
#include "foundation/LoadedModules.h"
#include "mfc/CDataExchange.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr LONG TEXT_CAPTION = ProgramText::kVersion;
constexpr LONG TEXT_OK = ProgramText::kOk;
constexpr LONG TEXT_COPY = ProgramText::kCopyList;
constexpr int kWindowsNt4 = 3;

class WaitCursor {
 public:
  WaitCursor() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(m_previous); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR m_previous;
};

}  // namespace

BEGIN_MESSAGE_MAP(CVersionDlg, CDialog)
  ON_BN_CLICKED(IDC_COPY, OnCopy)
END_MESSAGE_MAP()

CVersionDlg::CVersionDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CVersionDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_LIST, m_list);
}

BOOL CVersionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  WaitCursor waiting;
  m_list.DeleteAllItems();
  m_list.InsertColumn(0, "Module", LVCFMT_LEFT, 100);
  m_list.InsertColumn(1, "Version", LVCFMT_LEFT, 100);
  m_list.InsertColumn(2, "Pfad", LVCFMT_LEFT, 100);
  const CWV4Globals& g = theGlobals;
  SetWindowText(g.MessageText(TEXT_CAPTION));
  if (CWnd* ok = GetDlgItem(IDOK)) ok->SetWindowText(g.MessageText(TEXT_OK));
  if (CWnd* copy = GetDlgItem(IDC_COPY)) copy->SetWindowText(g.MessageText(TEXT_COPY));
  ListModules();
  // Each column as wide as its widest text, its title included, so that no
  // title is cut when the rows are narrow or missing.
  for (int column = 0; column < 3; ++column) m_list.SetColumnWidth(column, LVSCW_AUTOSIZE_USEHEADER);
  return TRUE;
}

void CVersionDlg::ListModules() {
  const bool nt4 = theGlobals.m_papp != nullptr && theGlobals.m_papp->m_win_version == kWindowsNt4;
  for (const CString& path : LoadedModuleFiles(nt4)) AddModule(path);
}

// Every row goes to the top, so that the list shows the modules in reverse.
void CVersionDlg::AddModule(const CString& path) {
  CString version;
  if (theGlobals.m_papp == nullptr || !theGlobals.m_papp->GetFileVersion(path, version)) return;
  m_list.InsertItem(0, ModuleName(path));
  m_list.SetItemText(0, 1, version);
  m_list.SetItemText(0, 2, path);
}

CString CVersionDlg::ListText() const { return ModuleListText(m_list); }

void CVersionDlg::OnCopy() { CopyTextToClipboard(m_hWnd, ListText()); }
