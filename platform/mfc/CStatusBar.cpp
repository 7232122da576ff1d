#include "mfc/CStatusBar.h"

#include <algorithm>
#include <cstring>

#include "mfc/CFrameWnd.h"
#include "mfc/CWinApp.h"
#include "win32/Resources.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

constexpr int kPaneMargin = 6;  // around an indicator's text inside its part

// The command-update object of a pane.
class CStatusCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    m_bEnableChanged = TRUE;
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    const UINT old = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    const UINT style = on ? (old & ~SBPS_DISABLED) : (old | SBPS_DISABLED);
    if (style != old) bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
  }
  void SetCheck(int check) override {
    auto* bar = static_cast<CStatusBar*>(m_pOther);
    const UINT old = bar->GetPaneStyle(static_cast<int>(m_nIndex));
    const UINT style = check ? (old | SBPS_POPOUT) : (old & ~SBPS_POPOUT);
    if (style != old) bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
  }
  void SetText(LPCSTR text) override { static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), text); }
};

}  // namespace

CStatusBar::CStatusBar() {
  m_cxLeftBorder = m_cxRightBorder = 0;
  m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  InitCommonControls();
  m_dwStyle = style & CBRS_ALL;
  DWORD windowStyle = (style & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  // A frame the user may size gets the size grip.
  if (parent && (parent->GetStyle() & WS_THICKFRAME)) windowStyle |= SBARS_SIZEGRIP;
  if (!CWnd::Create(STATUSCLASSNAME, nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id)) return FALSE;
  m_pDockSite = parent ? dynamic_cast<CFrameWnd*>(parent) : nullptr;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)));
  return TRUE;
}

int CStatusBar::TextWidth(LPCSTR text) const {
  CDC* dc = const_cast<CStatusBar*>(this)->GetDC();
  HGDIOBJ old = SelectObject(dc->GetSafeHdc(), GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32(dc->GetSafeHdc(), text, static_cast<int>(std::strlen(text)), &size);
  SelectObject(dc->GetSafeHdc(), old);
  const_cast<CStatusBar*>(this)->ReleaseDC(dc);
  return size.cx;
}

// An indicator's text is its id's string; the first pane, when it is a
// separator, takes the room that is left and has no frame.
BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  if (count < 0 || (count > 0 && !ids)) return FALSE;
  std::vector<Pane> panes(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Pane& pane = panes[static_cast<size_t>(i)];
    pane.id = ids[i];
    if (pane.id == ID_SEPARATOR) continue;
    char text[256] = {};
    if (!LoadString(AfxGetResourceHandle(), pane.id, text, sizeof text)) return FALSE;
    pane.text = text;
    pane.width = TextWidth(text);
  }
  if (!panes.empty() && panes[0].id == ID_SEPARATOR) panes[0].style |= SBPS_NOBORDERS | SBPS_STRETCH;
  m_panes = std::move(panes);
  m_nCount = count;
  UpdateAllPanes(TRUE, TRUE);
  return TRUE;
}

void CStatusBar::UpdateAllPanes(BOOL updateRects, BOOL updateText) {
  if (!m_hWnd || m_panes.empty()) return;
  if (updateRects) {
    CRect client;
    GetClientRect(&client);
    int needed = 0;
    for (const Pane& pane : m_panes) needed += pane.width + 2 * kPaneMargin;
    const int spare = std::max(0, static_cast<int>(client.Width()) - needed - static_cast<int>(client.Height()));
    std::vector<int> rights;
    int right = 0;
    bool stretched = false;
    for (const Pane& pane : m_panes) {
      right += pane.width + 2 * kPaneMargin;
      if ((pane.style & SBPS_STRETCH) && !stretched) {
        right += spare;
        stretched = true;
      }
      rights.push_back(right);
    }
    SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  }
  if (updateText) {
    for (size_t i = 0; i < m_panes.size(); ++i) {
      const Pane& pane = m_panes[i];
      const WPARAM look = i | (pane.style & (SBPS_NOBORDERS | SBPS_POPOUT));
      SendMessage(SB_SETTEXT, look, reinterpret_cast<LPARAM>((pane.style & SBPS_DISABLED) ? "" : static_cast<LPCSTR>(pane.text)));
    }
  }
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (size_t i = 0; i < m_panes.size(); ++i)
    if (m_panes[i].id == id) return static_cast<int>(i);
  return -1;
}

UINT CStatusBar::GetItemID(int index) const { return ValidIndex(index) ? m_panes[static_cast<size_t>(index)].id : 0; }

void CStatusBar::GetItemRect(int index, LPRECT rect) const {
  if (!rect) return;
  if (!ValidIndex(index) || !SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)))
    ::SetRectEmpty(rect);
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
  if (!ValidIndex(index)) {
    id = style = 0;
    width = 0;
    return;
  }
  const Pane& pane = m_panes[static_cast<size_t>(index)];
  id = pane.id;
  style = pane.style;
  width = pane.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  if (!ValidIndex(index)) return;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  pane.id = id;
  pane.style = style;
  pane.width = std::max(0, width);
  UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int index) const { return ValidIndex(index) ? m_panes[static_cast<size_t>(index)].style : 0; }

void CStatusBar::SetPaneStyle(int index, UINT style) {
  if (!ValidIndex(index) || m_panes[static_cast<size_t>(index)].style == style) return;
  m_panes[static_cast<size_t>(index)].style = style;
  UpdateAllPanes(TRUE, TRUE);
}

CString CStatusBar::GetPaneText(int index) const { return ValidIndex(index) ? m_panes[static_cast<size_t>(index)].text : CString(); }

void CStatusBar::GetPaneText(int index, CString& text) const { text = GetPaneText(index); }

BOOL CStatusBar::SetPaneText(int index, LPCSTR text, BOOL update) {
  if (!ValidIndex(index)) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  const CString wanted = text ? text : "";
  if (pane.text == wanted) return TRUE;
  pane.text = wanted;
  if (update) UpdateAllPanes(FALSE, TRUE);
  return TRUE;
}

// A status bar lies along the bottom, as high as its text.
CSize CStatusBar::CalcFixedLayout(BOOL stretch, BOOL horizontal) {
  CSize size = CControlBar::CalcFixedLayout(stretch, horizontal);
  RECT part{};
  if (SendMessage(SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part))) {
    int borders[3] = {};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    CDC* dc = GetDC();
    HGDIOBJ old = SelectObject(dc->GetSafeHdc(), GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC metrics{};
    GetTextMetrics(dc->GetSafeHdc(), &metrics);
    SelectObject(dc->GetSafeHdc(), old);
    ReleaseDC(dc);
    size.cy += metrics.tmHeight + 2 * (borders[1] + 2);
  }
  return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(m_panes.size());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].id;
    if (state.m_nID == ID_SEPARATOR) continue;
    state.DoUpdate(target, disableIfNoHandler);
  }
}

void CStatusBar::OnSize(UINT, int, int) {
  Default();
  UpdateAllPanes(TRUE, FALSE);
}

// The window text is the first pane's (the frame's prompts go there).
LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  if (m_panes.empty()) {
    SendMessage(SB_SETTEXT, 0, lParam);
    return TRUE;
  }
  return SetPaneText(0, reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  const CString text = m_panes.empty() ? CString() : m_panes[0].text;
  auto* buffer = reinterpret_cast<LPSTR>(lParam);
  if (!buffer || wParam == 0) return 0;
  const int copied = std::min(text.GetLength(), static_cast<int>(wParam) - 1);
  std::memcpy(buffer, static_cast<LPCSTR>(text), static_cast<size_t>(copied));
  buffer[copied] = '\0';
  return copied;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) { return m_panes.empty() ? 0 : m_panes[0].text.GetLength(); }
