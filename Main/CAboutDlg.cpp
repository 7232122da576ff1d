#include "Main/CAboutDlg.h"

#include <string>

#include "Main/CCreditsDlg.h"
#include "Main/CVersionDlg.h"
#include "Main/CWV4Globals.h"
#include "Main/varno4.h"
#include "Main/ProgramTexts.h"
#include "user/Controls.h"
#include "win32/Memory.h"
#include "win32/MessageBox.h"
#include "win32/Module.h"
#include "win32/ProcessTable.h"
#include "win32/Process.h"
#include "win32/UserWindows.h"

namespace {

constexpr LONG TEXT_CAPTION = ProgramText::kAboutCaption;
constexpr LONG TEXT_VERSION = ProgramText::kVersion;
constexpr LONG TEXT_PROJECT = ProgramText::kProject;
constexpr LONG TEXT_OK = ProgramText::kOk;
constexpr LONG TEXT_PHYSICAL = ProgramText::kPhysicalMemory;
constexpr LONG TEXT_MEMORY_LOAD = ProgramText::kMemoryLoad;
constexpr LONG TEXT_HEAP = ProgramText::kHeapMemory;
constexpr int kWindowsNt4 = 3;

using SnapshotFn = HANDLE (*)(DWORD, DWORD);
using HeapListFn = BOOL (*)(HANDLE, LPHEAPLIST32);
using HeapFirstFn = BOOL (*)(LPHEAPENTRY32, DWORD, ULONG_PTR);
using HeapNextFn = BOOL (*)(LPHEAPENTRY32);

void SetItemText(CWnd& dialog, int id, const CString& text) {
  if (CWnd* item = dialog.GetDlgItem(id)) item->SetWindowText(text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
  ON_BN_CLICKED(IDC_VERSIONS, OnVersions)
  ON_CONTROL(STN_CLICKED, IDC_NOTICE, OnNotice)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD, parent) {}

CString CAboutDlg::WithPoints(unsigned long long value, int maxPoints) {
  std::string digits = std::to_string(value);
  // From the right, so that the places further left stay where they were.
  for (int point = 1; point <= maxPoints; ++point) {
    const int at = static_cast<int>(digits.size()) - 3 * point - (point - 1);
    if (at <= 0) break;
    digits.insert(static_cast<size_t>(at), 1, '.');
  }
  return digits.c_str();
}

unsigned long long CAboutDlg::HeapKilobytes() {
  HMODULE kernel = GetModuleHandle("KERNEL32.DLL");
  auto snapshot = reinterpret_cast<SnapshotFn>(GetProcAddress(kernel, "CreateToolhelp32Snapshot"));
  auto listFirst = reinterpret_cast<HeapListFn>(GetProcAddress(kernel, "Heap32ListFirst"));
  auto listNext = reinterpret_cast<HeapListFn>(GetProcAddress(kernel, "Heap32ListNext"));
  auto first = reinterpret_cast<HeapFirstFn>(GetProcAddress(kernel, "Heap32First"));
  auto next = reinterpret_cast<HeapNextFn>(GetProcAddress(kernel, "Heap32Next"));
  if (!snapshot || !listFirst || !listNext || !first || !next) return 0;
  HANDLE heaps = snapshot(TH32CS_SNAPHEAPLIST, GetCurrentProcessId());
  if (heaps == INVALID_HANDLE_VALUE || heaps == nullptr) return 0;
  unsigned long long used = 0;
  unsigned long long free = 0;
  HEAPLIST32 list{};
  list.dwSize = sizeof list;
  for (BOOL more = listFirst(heaps, &list); more; more = listNext(heaps, &list)) {
    HEAPENTRY32 block{};
    block.dwSize = sizeof block;
    for (BOOL any = first(&block, list.th32ProcessID, list.th32HeapID); any; any = next(&block)) {
      used += block.dwBlockSize;
      if (block.dwFlags & LF32_FREE) free += block.dwBlockSize;
    }
  }
  CloseHandle(heaps);
  return (used - free) / 1024;
}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const CWV4Globals& g = theGlobals;
  SetWindowText(g.MessageText(TEXT_CAPTION));
  SetItemText(*this, IDC_VERSION, g.MessageText(TEXT_VERSION) + " 4.0.1");
  SetItemText(*this, IDC_PROJECT_LABEL, g.MessageText(TEXT_PROJECT));
  SetItemText(*this, IDC_PROJECT, g.m_main_prj_name);
  SetItemText(*this, IDOK, g.MessageText(TEXT_OK));
  SetItemText(*this, IDC_NAME, "VARNO 4");

  MEMORYSTATUS memory{};
  memory.dwLength = sizeof memory;
  GlobalMemoryStatus(&memory);
  SetItemText(*this, IDC_PHYSICAL, g.MessageText(TEXT_PHYSICAL) + WithPoints(memory.dwTotalPhys / 1024, 2) + " KB");
  const bool nt4 = g.m_papp != nullptr && g.m_papp->m_win_version == kWindowsNt4;
  const unsigned long load =
      nt4 && memory.dwTotalPhys != 0
          ? 100 - static_cast<unsigned long>(static_cast<double>(memory.dwAvailPhys) * 100.0 / memory.dwTotalPhys)
          : memory.dwMemoryLoad;
  CString loadText;
  loadText.Format("%lu %%", load);
  SetItemText(*this, IDC_MEMORY_LOAD, g.MessageText(TEXT_MEMORY_LOAD) + loadText);
  if (CWnd* heap = GetDlgItem(IDC_HEAP)) {
    if (nt4) {
      heap->ShowWindow(SW_HIDE);
    } else {
      heap->SetWindowText(g.MessageText(TEXT_HEAP) + " " + WithPoints(HeapKilobytes(), 1) + " KB");
      heap->ShowWindow(SW_SHOW);
    }
  }
  return TRUE;
}

void CAboutDlg::OnVersions() {
  CVersionDlg versions;
  versions.DoModal();
}

void CAboutDlg::OnNotice() {
  CCreditsDlg credits(this);
  credits.DoModal();
}
