#include "Main/CMultiFrame.h"

#include "Main/CFace.h"
#include "Main/CHistoryDlg.h"
#include "Main/CVarListDlg.h"
#include "Main/CWV4Globals.h"
#include "Main/CPicView.h"
#include "Main/KeyCommand.h"
#include "Main/SplitterFaceWindows.h"
#include "Main/ViewerFrames.h"
#include "Main/varno4.h"
#include "interfaces/ProtocolCommands.h"
#include "mfc/CMenu.h"
#include "mfc/CPaintDC.h"
#include "mfc/CView.h"
#include "win32/UserTypes.h"
#include "win32/UserWindows.h"

namespace {
const UINT keyCommandMessage = KeyCommandMessageId();

constexpr int ACTION_BRANCH = 129;
constexpr int ACTION_PARTS = 130;
constexpr int TEXT_BRANCH_HINT = 1538;
constexpr int TEXT_PARTS_HINT = 1539;

const UINT protocolCommandMessage = RegisterWindowMessage(VARNO4_PROTOCOL_COMMAND_NAME);

}  // namespace

IMPLEMENT_DYNCREATE(CMultiFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMultiFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_REGISTERED_MESSAGE(protocolCommandMessage, OnProtocolCommand)
  ON_REGISTERED_MESSAGE(keyCommandMessage, OnKeyCommand)
  ON_WM_SIZE()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_MESSAGE(WM_COPYDATA, OnCopyData)
  ON_WM_PAINT()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CMultiFrame::CMultiFrame() : m_face(std::make_unique<CFace>()) {
  m_face_windows = std::make_unique<SplitterFaceWindows>(*m_face, *this);
  m_face->SetWindows(m_face_windows.get());
  m_face->SetFrameWindow(this);
}

// The face lets go of its windows while the objects that stand for them
// still exist, whether the windows themselves are still there or not.
CMultiFrame::~CMultiFrame() { m_face->Clear(); }

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

void CMultiFrame::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  CFrameWnd::OnKeyDown(key, repeat, flags);
  HandleKeyDown(key, repeat, flags);
}

BOOL CMultiFrame::OnQueryNewPalette() {
  CFrameWnd::OnQueryNewPalette();
  m_face->BroadcastPalette();
  return TRUE;
}

// The view whose palette counts goes to every window below the frame: the
// active view, else the face's last picture view of a kind below 8, else
// its first one.
void CMultiFrame::OnPaletteChanged(CWnd* /*focus*/) {
  HWND chosen = nullptr;
  if (CView* active = GetActiveView(); active != nullptr && active->m_hWnd != nullptr) {
    chosen = active->m_hWnd;
  } else {
    for (CPicView* view : m_face->m_picture_views) {
      if (view->m_hWnd == nullptr) continue;
      if (chosen == nullptr || view->GetViewKind() < 8) chosen = view->m_hWnd;
    }
  }
  if (chosen != nullptr) SendMessageToDescendants(WM_USER, reinterpret_cast<WPARAM>(chosen), 0, TRUE, FALSE);
}

// Keys for the people who build and support catalogues, held with Ctrl and
// Shift together so that no user hits them by chance: the variables, the
// key history, the program state written out.
void CMultiFrame::HandleKeyDown(UINT key, UINT /*repeat*/, UINT /*flags*/) {
  const bool plain = !(GetAsyncKeyState(VK_CONTROL) & 0x8000) && !(GetAsyncKeyState(VK_MENU) & 0x8000);
  if (key == VK_TAB && plain && m_face != nullptr) {
    m_face->MoveKeyboard(!(GetAsyncKeyState(VK_SHIFT) & 0x8000));
    return;
  }
  const bool developerKeys = (GetAsyncKeyState(VK_CONTROL) & 0x8000) && (GetAsyncKeyState(VK_SHIFT) & 0x8000);
  if (!developerKeys) return;
  switch (key) {
    case 'V': {
      CVarListDlg variables(this);
      variables.DoModal();
      break;
    }
    case 'K': {
      CHistoryDlg history(this);
      history.DoModal();
      break;
    }
    case 'G': theGlobals.Dump(theGlobals.m_user_file_path + "\\globals.dmp"); break;
    default: break;
  }
}

// The face hooks: building, sizing and laying out the face, the hint and the
// key-up hook of its views.

BOOL CMultiFrame::BuildFace() {
  theGlobals.m_building_face = TRUE;
  const BOOL built = m_face->Build(this);
  theGlobals.m_building_face = FALSE;
  return built;
}

void CMultiFrame::OnSize(UINT type, int cx, int cy) {
  CFrameWnd::OnSize(type, cx, cy);
  m_face->OnSize(type, cx, cy);
}

void CMultiFrame::RecalcLayout(BOOL notify) {
  CFrameWnd::RecalcLayout(notify);
  m_face->RecalcSplitters();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  // The toolbars of both frames are drawn again with the new layout.
  auto redraw = [](CWnd& bar) {
    if (bar.m_hWnd != nullptr) bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  };
  if (CMainFrame* main = ViewerMainFrame()) redraw(main->GetToolBar());
  if (CPopup* popup = ViewerPopup()) redraw(popup->GetToolBar());
}

void CMultiFrame::ForgetHint() {
  m_hint_number = 0;
  m_hint_text.Empty();
}

void CMultiFrame::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  CFrameWnd::OnKeyUp(key, repeat, flags);
  HandleKeyUp(key, repeat, flags);
}

void CMultiFrame::HandleKeyUp(UINT /*key*/, UINT /*repeat*/, UINT /*flags*/) {}

void CMultiFrame::SetPaneText(int /*pane*/, const CString& /*text*/) {}

void CMultiFrame::ShowActionHint(int action, const CString& second, const CString& third) {
  if (action != ACTION_BRANCH && action != ACTION_PARTS) {
    SetPaneText(0, CString());
    return;
  }
  const int number = action == ACTION_BRANCH ? TEXT_BRANCH_HINT : TEXT_PARTS_HINT;
  if (number != m_hint_number) {
    m_hint_number = number;
    m_hint_text = theGlobals.MessageText(number);
  }
  SetPaneText(0, m_hint_text + ": " + (action == ACTION_BRANCH ? third : second));
}
