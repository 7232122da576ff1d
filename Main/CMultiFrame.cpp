#include "Main/CMultiFrame.h"

#include "Main/CFace.h"
#include "Main/CWV4Globals.h"
#include "Main/FrameView.h"
#include "Main/KeyCommand.h"
#include "Main/varno4.h"
#include "interfaces/ProtocolCommands.h"
#include "mfc/CMenu.h"
#include "mfc/CPaintDC.h"
#include "mfc/CView.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

namespace {
const UINT keyCommandMessage = KeyCommandMessageId();
const UINT protocolCommandMessage = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);

// The windows of the face's frame views, in frame order.
std::vector<HWND> ViewWindowsOf(const CFace* face) {
  std::vector<HWND> windows;
  if (face == nullptr) return windows;
  for (const auto& frame : face->m_frames) {
    for (FrameView* view : frame->m_views) {
      CWnd* window = view != nullptr ? view->ButtonParent() : nullptr;
      if (window != nullptr && window->m_hWnd != nullptr) windows.push_back(window->m_hWnd);
    }
  }
  return windows;
}
}  // namespace

IMPLEMENT_DYNCREATE(CMultiFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMultiFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_REGISTERED_MESSAGE(protocolCommandMessage, OnProtocolCommand)
  ON_REGISTERED_MESSAGE(keyCommandMessage, OnKeyCommand)
  ON_MESSAGE(WM_COPYDATA, OnCopyData)
  ON_WM_PAINT()
  ON_WM_DESTROY()
  ON_WM_KEYDOWN()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_MENUSELECT()
  ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CMultiFrame::CMultiFrame() : m_face(new CFace) {}

CMultiFrame::~CMultiFrame() { delete m_face; }

int CMultiFrame::OnCreate(LPCREATESTRUCT create) { return CFrameWnd::OnCreate(create) == -1 ? -1 : 0; }

LRESULT CMultiFrame::OnProtocolCommand(WPARAM wParam, LPARAM /*lParam*/) {
  switch (LOWORD(wParam)) {
    case PROTOCOL_CMD_HIDDEN: theGlobals.m_prot_visible = FALSE; return 1;
    case PROTOCOL_CMD_SHOWN: theGlobals.m_prot_visible = TRUE; return 1;
    default: return 0;
  }
}

LRESULT CMultiFrame::OnKeyCommand(WPARAM wParam, LPARAM lParam) {
  const CString key = TakeKeyCommandKey(lParam);
  CViewerApp* app = theGlobals.m_papp;
  if (app == nullptr) return 0;
  if (theGlobals.m_FirstStart) {
    theGlobals.m_FirstStart = FALSE;
    m_face->Clear();
    app->CompleteStart();
  }
  app->ShowKey(key, wParam);
  return 0;
}

// The faces have no use for data sent to the frame window: it is dropped.
LRESULT CMultiFrame::OnCopyData(WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }

// The views paint the whole client area; the frame only validates it.
void CMultiFrame::OnPaint() { CPaintDC dc(this); }

void CMultiFrame::OnDestroy() { CFrameWnd::OnDestroy(); }

void CMultiFrame::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  CFrameWnd::OnKeyDown(key, repeat, flags);
  HandleKeyDown(key, repeat, flags);
}

BOOL CMultiFrame::OnQueryNewPalette() {
  CFrameWnd::OnQueryNewPalette();
  CView* active = GetActiveView();
  BroadcastPalette(active != nullptr ? active->m_hWnd : nullptr);
  return TRUE;
}

void CMultiFrame::BroadcastPalette(HWND view) {
  for (HWND window : ViewWindowsOf(m_face)) ::SendMessage(window, WM_USER, reinterpret_cast<WPARAM>(view), 0);
}

// The view whose palette counts goes to every window below the frame: the
// active view, else the face's first view.
void CMultiFrame::OnPaletteChanged(CWnd* /*focus*/) {
  HWND view = nullptr;
  if (CView* active = GetActiveView(); active != nullptr && active->m_hWnd != nullptr) view = active->m_hWnd;
  if (view == nullptr) {
    const std::vector<HWND> windows = ViewWindowsOf(m_face);
    if (windows.empty()) return;
    view = windows.front();
  }
  SendMessageToDescendants(WM_USER, reinterpret_cast<WPARAM>(view), 0, TRUE, FALSE);
}

// Keys for the people who build and support catalogues, held with Ctrl and
// Shift together so that no user hits them by chance.
void CMultiFrame::HandleKeyDown(UINT key, UINT /*repeat*/, UINT /*flags*/) {
  const bool developerKeys = (GetAsyncKeyState(VK_CONTROL) & 0x8000) && (GetAsyncKeyState(VK_SHIFT) & 0x8000);
  if (!developerKeys) return;
  if (key == 'G') theGlobals.Dump(theGlobals.m_user_file_path + "\\globals.dmp");
}
