// The window's calls on its dialog items, its icons, centring, and the
// default handling of owner-drawn items and control colours.
#include <algorithm>
#include <vector>

#include "mfc/CDataExchange.h"
#include "mfc/CException.h"
#include "mfc/CWnd.h"
#include "user/Dialogs.h"

int CWnd::GetDlgItemText(int id, LPSTR text, int size) const {
  return static_cast<int>(::GetDlgItemText(m_hWnd, id, text, size));
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  int length = item ? ::GetWindowTextLength(item) : 0;
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  if (item) ::GetWindowText(item, buffer.data(), length + 1);
  text = buffer.data();
  return text.GetLength();
}

void CWnd::SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemText(m_hWnd, id, text); }
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
  return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}
void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) { ::CheckRadioButton(m_hWnd, firstId, lastId, checkId); }
LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendDlgItemMessage(m_hWnd, id, message, wParam, lParam);
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}
HICON CWnd::GetIcon(BOOL big) const { return reinterpret_cast<HICON>(SendMessage(WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0)); }

void CWnd::CenterWindow(CWnd* alternateOwner) {
  RECT own;
  ::GetWindowRect(m_hWnd, &own);
  HWND around = alternateOwner ? alternateOwner->m_hWnd : ::GetParent(m_hWnd);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  bool child = (GetStyle() & WS_CHILD) != 0;
  if (child && around) ::GetClientRect(around, &area);
  else if (around && ::IsWindowVisible(around) && !::IsIconic(around)) ::GetWindowRect(around, &area);
  int width = own.right - own.left, height = own.bottom - own.top;
  int x = area.left + (area.right - area.left - width) / 2, y = area.top + (area.bottom - area.top - height) / 2;
  if (!child) {  // a top-level window stays on the screen
    x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - width));
    y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - height));
  }
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// An owner-drawn control whose own object draws it (a subclassed CButton,
// CListBox or CComboBox) answers the message itself.
CWnd* DrawingControl(HWND parent, UINT id) {
  HWND control = ::GetDlgItem(parent, static_cast<int>(id));
  return control ? CWnd::FromHandlePermanent(control) : nullptr;
}

// The drawing names its control: controls that share an id (buttons that a
// view places for each of its pictures) are each drawn by their own object.
CWnd* DrawingControl(HWND parent, UINT id, const DRAWITEMSTRUCT* item) {
  if (item != nullptr && item->hwndItem != nullptr && ::GetParent(item->hwndItem) == parent) {
    return CWnd::FromHandlePermanent(item->hwndItem);
  }
  return DrawingControl(parent, id);
}

}  // namespace

void CWnd::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (CWnd* control = DrawingControl(m_hWnd, static_cast<UINT>(id), item); control && control != this &&
      control->SendMessage(WM_REFLECT_BASE + WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(item)))
    return;
  Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
  if (CWnd* control = DrawingControl(m_hWnd, static_cast<UINT>(id)); control && control != this &&
      control->SendMessage(WM_REFLECT_BASE + WM_MEASUREITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(item)))
    return;
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (CUserException* failure) {
    failure->Delete();
    return FALSE;
  }
  return TRUE;
}
