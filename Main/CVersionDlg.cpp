#include "Main/CVersionDlg.h"

#include "Main/ClipboardText.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"
#include "comctl/CommCtrl.h"
#include "mfc/CDataExchange.h"
#include "win32/Module.h"
#include "win32/Process.h"
#include "win32/ProcessTable.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr LONG TEXT_CAPTION = 728;
constexpr LONG TEXT_OK = 1119;
constexpr LONG TEXT_COPY = 1518;
constexpr int kWindowsNt4 = 3;
constexpr DWORD kMostModules = 100;

using SnapshotFn = HANDLE (*)(DWORD, DWORD);
using ModuleWalkFn = BOOL (*)(HANDLE, LPMODULEENTRY32);
using EnumModulesFn = BOOL (*)(HANDLE, HMODULE*, DWORD, DWORD*);

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
  for (int column = 0; column < 3; ++column) m_list.SetColumnWidth(column, LVSCW_AUTOSIZE);
  return TRUE;
}

void CVersionDlg::ListModules() {
  const bool nt4 = theGlobals.m_papp != nullptr && theGlobals.m_papp->m_win_version == kWindowsNt4;
  if (nt4) {
    auto enumModules = reinterpret_cast<EnumModulesFn>(GetProcAddress(LoadLibrary("PSAPI.DLL"), "EnumProcessModules"));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, GetCurrentProcessId());
    HMODULE modules[kMostModules] = {};
    DWORD needed = 0;
    if (enumModules != nullptr && process != nullptr && enumModules(process, modules, sizeof modules, &needed)) {
      const DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), kMostModules);
      for (DWORD i = 0; i < count; ++i) {
        char path[MAX_PATH] = {};
        if (GetModuleFileName(modules[i], path, sizeof path) > 0) AddModule(path);
      }
    }
    if (process != nullptr) CloseHandle(process);
    return;
  }
  HMODULE kernel = GetModuleHandle("KERNEL32.DLL");
  auto snapshot = reinterpret_cast<SnapshotFn>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
  auto first = reinterpret_cast<ModuleWalkFn>(GetProcAddress(kernel, "Module32First"));
  auto next = reinterpret_cast<ModuleWalkFn>(GetProcAddress(kernel, "Module32Next"));
  if (!snapshot || !first || !next) return;
  HANDLE modules = snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
  if (modules == INVALID_HANDLE_VALUE || modules == nullptr) return;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = first(modules, &entry); more; more = next(modules, &entry)) AddModule(entry.szExePath);
  CloseHandle(modules);
}

// Every row goes to the top, so that the list shows the modules in reverse.
void CVersionDlg::AddModule(const CString& path) {
  CString version;
  if (theGlobals.m_papp == nullptr || !theGlobals.m_papp->GetFileVersion(path, version)) return;
  const int slash = path.ReverseFind('\\') >= 0 ? path.ReverseFind('\\') : path.ReverseFind('/');
  m_list.InsertItem(0, path.Mid(slash + 1));
  m_list.SetItemText(0, 1, version);
  m_list.SetItemText(0, 2, path);
}

CString CVersionDlg::ListText() const {
  CString text;
  for (int row = 0; row < m_list.GetItemCount(); ++row)
    text += m_list.GetItemText(row, 0) + "\t" + m_list.GetItemText(row, 1) + "\t" + m_list.GetItemText(row, 2) + "\r\n";
  return text;
}

void CVersionDlg::OnCopy() { CopyTextToClipboard(m_hWnd, ListText()); }
