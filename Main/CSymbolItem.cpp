#include "Main/CSymbolItem.h"

#include <algorithm>

#include "Main/CFrameButton.h"
#include "Main/CSymbolBitmaps.h"
#include "Main/FrameView.h"
#include "Main/CTableCell.h"
#include "mfc/CClientDC.h"

CSymbolItem::CSymbolItem(CTableCell* box, const CString& name, CSymbolBitmaps* bitmaps, const CFontSpec& spec,
                         int halign, int valign, int wrap, int linkKind, const CString& linkText,
                         const CDynBuf* assignments)
    : CCellItem(ITEM_SYMBOL, wrap),
      m_link_kind(linkKind),
      m_link_text(linkText),
      m_box(box),
      m_assignments(assignments),
      m_bitmaps(bitmaps),
      m_halign(halign),
      m_valign(valign),
      m_spec(spec),
      m_name(name) {
  if (bitmaps != nullptr) {
    m_width = bitmaps->m_width;
    m_height = bitmaps->m_height;
    m_margins = Sides{bitmaps->m_margins[0], bitmaps->m_margins[1], bitmaps->m_margins[2], bitmaps->m_margins[3]};
  }
}

void CSymbolItem::Flow(CDC* /*dc*/, const CRect& content, FlowPosition& at) {
  const int needed = at.x + m_margins.left + m_width + m_margins.right;
  const BOOL mayBreak = m_wrap != WRAP_KEEP_WHOLE || at.break_chance != 0;
  if (mayBreak && needed > content.right && at.has_items != 0) {
    ++at.line;
    at.x = content.left;
  }
  m_line = at.line;
  m_rect.left = at.x + m_margins.left;
  m_rect.right = m_rect.left + m_width;
  at.x += m_margins.left + m_width + m_margins.right;
  at.max_x = std::max(at.max_x, at.x);
  at.has_items = 1;
}

void CSymbolItem::MeasureLine(int line, LineMeasure& measure) {
  if (line != m_line) return;
  measure.width += m_margins.left + m_width + m_margins.right;
  measure.symbol_height = std::max(measure.symbol_height, m_margins.top + m_height + m_margins.bottom);
}

void CSymbolItem::PlaceLine(int line, CPoint& pos, const LineMeasure& measure) {
  if (line != m_line) return;
  const int left = pos.x + m_margins.left;
  const int baseline = measure.text_height - measure.descent;
  const BOOL onBaseline =
      baseline >= m_height + m_margins.top && baseline <= measure.symbol_height - m_margins.bottom;
  const int top = onBaseline ? pos.y + baseline - m_height : pos.y + m_margins.top;
  m_rect.SetRect(left, top, left + m_width, top + m_height);
  pos.x += m_margins.left + m_width + m_margins.right;
  m_make_button = 1;
}

void CSymbolItem::AlignVertically(int innerHeight) {
  const int extra = innerHeight - m_margins.top - m_margins.bottom - m_height;
  if (extra < 1) return;
  const int move = m_valign == 1 ? extra : m_valign == 2 ? extra / 2 : 0;
  if (move == 0) return;
  m_rect.OffsetRect(0, move);
  m_make_button = 1;
}

CSymbolItem::~CSymbolItem() = default;

// The button is made at the first draw after every placement, and moved with
// the view's scrolling at every draw; a symbol that left the box's inner
// rectangle hides its button.
void CSymbolItem::Draw(CDC* dc, FrameView* view) {
  if (m_box == nullptr) return;
  if (!m_box->PtInInner(m_rect.left, m_rect.top) || !m_box->PtInInner(m_rect.right - 1, m_rect.bottom - 1)) {
    HideButton();
    return;
  }
  CWnd* parent = view != nullptr ? view->ButtonParent() : nullptr;
  if (parent == nullptr) {
    PaintPicture(dc);
    return;
  }
  if (m_make_button != 0) {
    if (m_bitmaps == nullptr) return;
    m_make_button = 0;
    if (!MakeButton(parent)) return;
  }
  if (m_button == nullptr) return;
  const CPoint scrolled = view->ScrollPosition();
  m_button->SetWindowPos(nullptr, m_rect.left - scrolled.x, m_rect.top - scrolled.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER);
  m_button->ShowWindow(SW_SHOW);
}

BOOL CSymbolItem::MakeButton(CWnd* parent) {
  m_button.reset();
  auto button = std::make_unique<CFrameButton>();
  if (!button->Create("", WS_CHILD | BS_OWNERDRAW, m_rect, parent, CFrameButton::kControlId)) return FALSE;
  button->AttachBitmaps(m_bitmaps);
  button->m_symbol = this;
  m_button = std::move(button);
  return TRUE;
}

void CSymbolItem::HideButton() {
  if (m_button != nullptr && ::IsWindow(m_button->GetSafeHwnd())) m_button->ShowWindow(SW_HIDE);
}

void CSymbolItem::PaintPicture(CDC* dc) {
  if (m_bitmaps == nullptr || m_bitmaps->Normal() == nullptr) return;
  CDC memory;
  if (!memory.CreateCompatibleDC(dc)) return;
  HGDIOBJ old = memory.SelectObject(static_cast<HGDIOBJ>(m_bitmaps->Normal()));
  dc->BitBlt(m_rect.left, m_rect.top, m_width, m_height, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

CString CSymbolItem::FileStem() const { return m_bitmaps != nullptr ? m_bitmaps->m_name : m_name; }

int CSymbolItem::ScaleFactor() const {
  CClientDC screen(nullptr);
  CFont font;
  if (!m_spec.CreateFont(font)) return 0;
  CFont* old = screen.SelectObject(&font);
  TEXTMETRIC metrics{};
  screen.GetTextMetrics(&metrics);
  screen.SelectObject(old);
  const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
  if (lineHeight <= 0) return 0;
  return static_cast<int>(static_cast<double>(m_height) / lineHeight * 10.0);
}
