#include "mfc/CPrintDialog.h"

#include <algorithm>
#include <cstring>

#include "mfc/CWinApp.h"
#include "win32/Memory.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CObject)

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : m_pd(m_pdActual), m_parent(parent) {
  m_pd.lStructSize = sizeof m_pd;
  m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
  m_pd.nCopies = 1;
}

INT_PTR CPrintDialog::DoModal() {
  CWnd* owner = m_parent ? m_parent : AfxGetMainWnd();
  m_pd.hwndOwner = owner ? owner->m_hWnd : nullptr;
  return PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  DWORD flags = m_pd.Flags;
  m_pd.Flags = (flags | PD_RETURNDEFAULT) & ~static_cast<DWORD>(PD_RETURNDC);
  BOOL found = PrintDlg(&m_pd);
  m_pd.Flags = flags;
  return found;
}

LPDEVMODE CPrintDialog::GetDevMode() const {
  if (!m_pd.hDevMode || GlobalSize(m_pd.hDevMode) < sizeof(DEVMODE)) return nullptr;
  auto* mode = static_cast<LPDEVMODE>(GlobalLock(m_pd.hDevMode));
  GlobalUnlock(m_pd.hDevMode);
  return mode;
}

// A name of the device-names block, read only within the block.
CString CPrintDialog::NameAt(WORD DEVNAMES::*offset) const {
  if (!m_pd.hDevNames) return CString("");
  std::size_t size = GlobalSize(m_pd.hDevNames);
  const auto* block = static_cast<const char*>(GlobalLock(m_pd.hDevNames));
  CString name("");
  if (block && size >= sizeof(DEVNAMES)) {
    WORD at = reinterpret_cast<const DEVNAMES*>(block)->*offset;
    if (at < size && std::memchr(block + at, '\0', size - at)) name = CString(block + at);
  }
  GlobalUnlock(m_pd.hDevNames);
  return name;
}

CString CPrintDialog::GetDriverName() const { return NameAt(&DEVNAMES::wDriverOffset); }
CString CPrintDialog::GetDeviceName() const { return NameAt(&DEVNAMES::wDeviceOffset); }
CString CPrintDialog::GetPortName() const { return NameAt(&DEVNAMES::wOutputOffset); }

// Where the caller takes copies and collation from the device mode, a
// printer that makes them has them there, and the record has them for the
// program to make when the printer cannot.
int CPrintDialog::GetCopies() const {
  LPDEVMODE mode = GetDevMode();
  if ((m_pd.Flags & PD_USEDEVMODECOPIES) && mode) return std::max<int>(mode->dmCopies, m_pd.nCopies);
  return m_pd.nCopies;
}

BOOL CPrintDialog::PrintCollate() const {
  LPDEVMODE mode = GetDevMode();
  bool printerCollates = (m_pd.Flags & PD_USEDEVMODECOPIESANDCOLLATE) && mode && mode->dmCollate == DMCOLLATE_TRUE;
  return printerCollates || (m_pd.Flags & PD_COLLATE) != 0;
}

BOOL CPrintDialog::PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
BOOL CPrintDialog::PrintAll() const { return !PrintRange() && !PrintSelection(); }
BOOL CPrintDialog::PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
int CPrintDialog::GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
int CPrintDialog::GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
HDC CPrintDialog::GetPrinterDC() const { return m_pd.hDC; }

HDC CPrintDialog::CreatePrinterDC() {
  CString device = GetDeviceName();
  if (device.IsEmpty()) return nullptr;
  m_pd.hDC = CreateDC(GetDriverName(), device, GetPortName(), GetDevMode());
  return m_pd.hDC;
}
