#include "mfc/CView.h"

#include "mfc/CCreateContext.h"
#include "mfc/CDocument.h"
#include "mfc/CFrameWnd.h"
#include "mfc/CPaintDC.h"
#include "mfc/CSplitterWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_WM_NCHITTEST()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& create) {
  if (!create.lpszClass)
    create.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // A view shows a sunken edge instead of a flat border.
  if (create.style & WS_BORDER) {
    create.style &= ~static_cast<LONG>(WS_BORDER);
    create.dwExStyle |= WS_EX_CLIENTEDGE;
  }
  return TRUE;
}

BOOL CView::OnCmdMsg(UINT id, int code, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (CWnd::OnCmdMsg(id, code, wParam, lParam, result)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(id, code, wParam, lParam, result);
}

int CView::OnCreate(LPCREATESTRUCT create) {
  if (CWnd::OnCreate(create) == -1) return -1;
  auto* context = create ? static_cast<CCreateContext*>(create->lpCreateParams) : nullptr;
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

LRESULT CView::OnNcHitTest(CPoint point) {
  const LRESULT hit = CWnd::OnNcHitTest(point);
  if (hit == HTCLIENT || hit == HTNOWHERE || hit == HTTRANSPARENT) return hit;
  for (CWnd* outer = GetParent(); outer != nullptr && outer->m_hWnd != nullptr; outer = outer->GetParent()) {
    auto* splitter = dynamic_cast<CSplitterWnd*>(outer);
    if (splitter == nullptr) continue;
    CPoint inSplitter = point;
    splitter->ScreenToClient(&inSplitter);
    if (splitter->HitTest(inSplitter) != CSplitterWnd::noHit) return HTTRANSPARENT;
  }
  return hit;
}

int CView::OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message) {
  int answer = CWnd::OnMouseActivate(topParent, hitTest, message);
  if (answer == MA_NOACTIVATE || answer == MA_NOACTIVATEANDEAT) return answer;
  // A click makes the view its frame's active view, and gives it the keyboard.
  if (CFrameWnd* frame = GetParentFrame()) {
    if (frame->GetActiveView() != this) frame->SetActiveView(this);
  }
  return answer;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnActivateView(BOOL activate, CView*, CView*) {
  if (!activate) return;
  // The view takes the keyboard when its frame is the active window.
  CFrameWnd* frame = GetTopLevelFrame();
  if (frame && ::GetActiveWindow() == frame->m_hWnd) SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}
