#include "mfc/CDialog.h"

#include "mfc/CException.h"
#include "mfc/CWinApp.h"
#include "mfc/CWinThread.h"
#include "user/DialogInternal.h"
#include "win32/Resources.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCE(templateId)), m_nIDHelp(templateId), m_pParentWnd(parent) {}

CDialog::CDialog(LPCSTR templateName, CWnd* parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

INT_PTR CALLBACK AfxDlgProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* object = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(dialog));
  return object ? object->OnInitDialog() : TRUE;
}

HWND CDialog::MakeWindow(CWnd* parent, bool modal) {
  if (!m_lpszTemplateName) return nullptr;
  HINSTANCE module = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  DWORD size = 0;
  const BYTE* bytes = layer::ResourceBytes(module, m_lpszTemplateName, RT_DIALOG, &size);
  if (!bytes) return nullptr;
  if (!parent) parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  layer::CreationHook previous = BeginBinding(this);
  HWND window = layer::dialogs::CreateFromTemplate(module, bytes, size, parent ? parent->m_hWnd : nullptr, AfxDlgProc, 0, modal);
  EndBinding(previous);
  return window;
}

INT_PTR CDialog::DoModal() {
  HWND window = MakeWindow(nullptr, true);
  if (!window) return -1;
  // Every message goes through the windows' PreTranslateMessage, the dialog's
  // own among them, which passes the keys to the dialog manager.
  INT_PTR result = layer::dialogs::RunModalLoop(window, [](MSG& msg) {
    CWinThread* thread = AfxGetThread();
    return thread && thread->PreTranslateMessage(&msg);
  });
  if (::IsWindow(window)) ::DestroyWindow(window);
  return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) { return Create(MAKEINTRESOURCE(templateId), parent); }

BOOL CDialog::Create(LPCSTR templateName, CWnd* parent) {
  m_lpszTemplateName = templateName;
  if (parent) m_pParentWnd = parent;
  return MakeWindow(parent, false) != nullptr;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (control) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}
void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }
void CDialog::SetDefID(UINT id) { SendMessage(DM_SETDEFID, id, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID, 0, 0)); }
void CDialog::MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  return ::IsDialogMessage(m_hWnd, msg);
}

void CDialog::OnDrawItem(int id, LPDRAWITEMSTRUCT item) { CWnd::OnDrawItem(id, item); }
void CDialog::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) { CWnd::OnMeasureItem(id, item); }
