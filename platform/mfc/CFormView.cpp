#include "mfc/CFormView.h"

#include "mfc/CCreateContext.h"
#include "mfc/CWinApp.h"
#include "user/DialogInternal.h"
#include "user/Dialogs.h"
#include "win32/GdiPrint.h"
#include "win32/Resources.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
  ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

INT_PTR CALLBACK FormProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

CFormView::CFormView(UINT templateId) : m_lpszTemplateName(MAKEINTRESOURCE(templateId)) {}

CFormView::CFormView(LPCSTR templateName) : m_lpszTemplateName(templateName) {}

BOOL CFormView::Create(LPCSTR, LPCSTR, DWORD style, const RECT& rect, CWnd* parent, UINT id, LPVOID context) {
  if (!parent || !m_lpszTemplateName || m_hWnd) return FALSE;
  HINSTANCE module = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  DWORD size = 0;
  const BYTE* bytes = layer::ResourceBytes(module, m_lpszTemplateName, RT_DIALOG, &size);
  if (!bytes) return FALSE;
  m_pCreateContext = static_cast<CCreateContext*>(context);
  layer::CreationHook previous = BeginBinding(this);
  HWND window = layer::dialogs::CreateFromTemplate(module, bytes, size, parent->m_hWnd, FormProc, 0, false);
  EndBinding(previous);
  m_pCreateContext = nullptr;
  if (!window) return FALSE;
  // Only a child form can be a pane.
  if (!(GetStyle() & WS_CHILD)) {
    DestroyWindow();
    return FALSE;
  }
  SetWindowLong(window, GWL_ID, static_cast<LONG>(id));
  // The whole form is what the view scrolls over.
  CRect form;
  GetWindowRect(&form);
  SetScrollSizes(MM_TEXT, form.Size());
  if (style & WS_BORDER) ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
  SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (style & WS_VISIBLE) ShowWindow(SW_SHOWNORMAL);
  return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT create) {
  // The dialog manager cannot pass the frame's context on; it comes from Create.
  CREATESTRUCT withContext = create ? *create : CREATESTRUCT{};
  withContext.lpCreateParams = m_pCreateContext;
  return CScrollView::OnCreate(&withContext);
}

void CFormView::OnInitialUpdate() {
  UpdateData(FALSE);
  CScrollView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*) {}  // the controls draw themselves

BOOL CFormView::PreTranslateMessage(MSG* msg) {
  if (CScrollView::PreTranslateMessage(msg)) return TRUE;
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  // Dialog keys act while the focus is in the form.
  HWND focus = ::GetFocus();
  if (focus != m_hWnd && !::IsChild(m_hWnd, focus)) return FALSE;
  return ::IsDialogMessage(m_hWnd, msg);
}
