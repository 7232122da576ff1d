#include "Main/CFrameButton.h"

#include "Main/CErrorTrace.h"
#include "Main/CMultiFrame.h"
#include "Main/CSymbolBitmaps.h"
#include "Main/CSymbolItem.h"
#include "Main/LinkFollow.h"
#include "Main/ViewerCursor.h"
#include "mfc/CFrameWnd.h"
#include "win32/UserWindows.h"

namespace {

constexpr int SYMBOL_LINK_TO_KEY = 3;
constexpr int SYMBOL_COMMAND = 4;
constexpr int CURSOR_HAND = 129;

}  // namespace

IMPLEMENT_DYNAMIC(CFrameButton, CWV4BMB)

BEGIN_MESSAGE_MAP(CFrameButton, CWV4BMB)
  ON_WM_LBUTTONUP()
  ON_WM_NCHITTEST()
  ON_WM_SETCURSOR()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CFrameButton::~CFrameButton() { DetachBitmaps(); }

void CFrameButton::AttachBitmaps(const CSymbolBitmaps* bitmaps) {
  DetachBitmaps();
  if (bitmaps == nullptr) return;
  m_bitmap.Attach(bitmaps->m_bitmaps[0]);
  m_bitmapSel.Attach(bitmaps->m_bitmaps[1]);
  m_bitmapFocus.Attach(bitmaps->m_bitmaps[2]);
  m_bitmapDisabled.Attach(bitmaps->m_bitmaps[3]);
}

void CFrameButton::DetachBitmaps() {
  m_bitmap.Detach();
  m_bitmapSel.Detach();
  m_bitmapFocus.Detach();
  m_bitmapDisabled.Detach();
}

BOOL CFrameButton::HasLink() const { return m_symbol != nullptr && !m_symbol->m_link_text.IsEmpty(); }

// The press ends first, so the button is drawn released before the link
// takes the viewer elsewhere; a release outside the button follows nothing.
void CFrameButton::OnLButtonUp(UINT flags, CPoint point) {
  CWV4BMB::OnLButtonUp(flags, point);
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point) || !HasLink()) return;
  if (m_symbol->m_link_kind == SYMBOL_LINK_TO_KEY) {
    PostLinkKey(ViewerMainWindow(), m_symbol->m_link_text, m_symbol->m_assignments);
  } else if (m_symbol->m_link_kind == SYMBOL_COMMAND) {
    const int id = CommandIdOf(m_symbol->m_link_text);
    RunLinkCommand(ERROR_TRACE_PUSH(), id, m_symbol->m_assignments, SEVERITY_LOG, "Button ID : %d", id & 0xFFFF);
  }
}

// The button takes the keyboard from its frame window as the pointer comes
// over it, never from another program's window or a dialog.
LRESULT CFrameButton::OnNcHitTest(CPoint point) {
  const LRESULT hit = CWV4BMB::OnNcHitTest(point);
  const HWND focus = ::GetFocus();
  CFrameWnd* frame = GetParentFrame();
  const HWND frameWindow = frame != nullptr ? frame->GetSafeHwnd() : nullptr;
  if (hit == HTCLIENT && focus != nullptr && focus != m_hWnd && frameWindow != nullptr &&
      (focus == frameWindow || ::IsChild(frameWindow, focus))) {
    SetFocus();
  }
  return hit;
}

BOOL CFrameButton::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  const HWND current = CurrentFrameWindow();
  if (hitTest == HTCLIENT && HasLink() && current != nullptr && ::GetActiveWindow() == current) {
    SetCursorOnce(ViewerCursor(CURSOR_HAND));
    return TRUE;
  }
  return CWV4BMB::OnSetCursor(window, hitTest, message);
}

void CFrameButton::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  auto* frame = dynamic_cast<CMultiFrame*>(CWnd::FromHandlePermanent(CurrentFrameWindow()));
  if (frame != nullptr) frame->HandleKeyDown(key, repeat, flags);
}
