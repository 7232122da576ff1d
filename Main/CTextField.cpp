#include "Main/CTextField.h"

#include <algorithm>
#include <map>

#include "Main/CFrame.h"
#include "Main/CTableCell.h"
#include "Main/CWV4Globals.h"

namespace {

CString TakeFront(CString& rest, int length) {
  CString front = rest.Left(length);
  rest = rest.Mid(length);
  return front;
}

BOOL IsKeyLink(int kind) { return kind == 1 || kind == 2; }
BOOL IsCommandLink(int kind) { return kind == 5 || kind == 6; }
BOOL IsDefaultLink(int kind) { return kind == 2 || kind == 6; }

}  // namespace

CTextField::CTextField(CTableCell* box, const CString& text, CFont* font, const CFontSpec& spec, int halign,
                       int valign, int wrap, const CString& breakChars, const TextLink& link)
    : CCellItem(ITEM_TEXT, wrap),
      m_spec(spec),
      m_break_chars(breakChars),
      m_halign(halign),
      m_valign(valign),
      m_text(text),
      m_font(font),
      m_box(box),
      m_link(link) {}

BOOL CTextField::ReuseLastFlow(const CRect& content, FlowPosition& at) {
  const FlowCache& c = m_cache;
  if (c.laid_out == 0 || at.has_items != c.start_has_items || at.break_chance != c.start_break) return FALSE;
  const BOOL oneLineStillFits = c.line_span == 0 && c.clipped == 0 && at.x + c.x_advance <= content.right;
  const BOOL sameStart = content.Width() == c.content.Width() && at.x - content.left == c.start_x - c.content.left;
  if (!oneLineStillFits && !sameStart) return FALSE;
  for (auto& piece : m_pieces) {
    piece->Restore();
    piece->m_line += at.line - c.start_line;
  }
  m_cache.start_line = at.line;
  m_cache.start_x = at.x;
  m_cache.content = content;
  at.has_items = c.end_has_items;
  at.break_chance = c.end_break;
  at.max_x = std::max(at.max_x, at.x + c.max_advance);
  at.line += c.line_span;
  at.x += c.x_advance;
  return TRUE;
}

CSize CTextField::Measure(CDC* dc, const CString& text, int length) {
  if (m_measure != nullptr) return CSize(m_measure->Width(dc, text, length), m_measure->Metrics(dc).tmHeight);
  CFont* old = dc->SelectObject(m_font);
  const CSize size = dc->GetTextExtent(text, length);
  dc->SelectObject(old);
  return size;
}

const TEXTMETRIC& CTextField::Metrics(CDC* dc) {
  if (m_measure != nullptr) return m_measure->Metrics(dc);
  CFont* old = dc->SelectObject(m_font);
  dc->GetTextMetrics(&m_metrics);
  dc->SelectObject(old);
  return m_metrics;
}

// The longest start of text that is at most width wide; starts only grow as
// characters are added, so halving finds it with few measurements.
int CTextField::LongestFit(CDC* dc, const CString& text, int width) {
  if (width <= 0) return 0;
  if (m_measure != nullptr) return m_measure->Fit(dc, text, text.GetLength(), width);
  int fits = 0;
  int tooLong = text.GetLength() + 1;
  while (tooLong - fits > 1) {
    const int middle = fits + (tooLong - fits) / 2;
    if (Measure(dc, text, middle).cx <= width) fits = middle;
    else tooLong = middle;
  }
  return fits;
}

void CTextField::Flow(CDC* dc, const CRect& content, FlowPosition& at) {
  if (ReuseLastFlow(content, at)) return;
  const FlowPosition start = at;
  m_pieces.clear();
  m_descent = Metrics(dc).tmDescent;
  BOOL clipped = FALSE;
  int maxX = at.x;

  CString rest = m_text;
  while (!rest.IsEmpty()) {
    const int available = content.right - at.x;
    const BOOL startsNewLine = m_wrap == WRAP_KEEP_WHOLE && at.break_chance != 0 && at.has_items != 0 &&
                               Measure(dc, rest, rest.GetLength()).cx > available;
    if (!startsNewLine) {
      const CString piece = NextPiece(dc, rest, available, at);
      at.has_items = 1;
      if (!piece.IsEmpty()) {
        const CSize size = Measure(dc, piece, piece.GetLength());
        const int width = std::min(std::max(available, 0), static_cast<int>(size.cx));
        clipped = clipped || width < size.cx;
        m_pieces.push_back(std::make_unique<CTextLine>(piece, at.line, width, size.cy));
        at.x += size.cx;
        maxX = std::max(maxX, at.x);
      }
    }
    if (rest.IsEmpty()) break;
    ++at.line;
    at.x = content.left;
    at.has_items = 0;
  }
  if (m_end == END_LINE) {
    m_pieces.push_back(std::make_unique<CTextLine>(CString(), at.line, 0, 0));
    ++at.line;
    at.x = content.left;
    at.has_items = 0;
  }

  at.max_x = std::max(at.max_x, maxX);
  m_cache = FlowCache{1,
                      content,
                      start.line,
                      start.x,
                      start.has_items,
                      start.break_chance,
                      at.has_items,
                      at.break_chance,
                      at.line - start.line,
                      at.x - start.x,
                      maxX - start.x,
                      clipped};
}

CString CTextField::NextPiece(CDC* dc, CString& rest, int available, const FlowPosition& at) {
  CString piece;
  if (m_wrap == WRAP_KEEP_WHOLE) {
    piece = TakeFront(rest, rest.GetLength());
  } else if (m_wrap == WRAP_BY_CHARACTERS) {
    piece = TakeFront(rest, LongestFit(dc, rest, available));
  } else if (available > 0 && Measure(dc, rest, rest.GetLength()).cx <= available) {
    piece = TakeFront(rest, rest.GetLength());
  } else if (available > 0) {
    piece = CutAtBreak(dc, rest, available);
  }
  // A line never stays empty, so the flow always moves on.
  if (piece.IsEmpty() && at.has_items == 0) {
    piece = TakeFront(rest, std::max(LongestFit(dc, rest, available), 1));
  }
  return piece;
}

CString CTextField::CutAtBreak(CDC* dc, CString& rest, int available) {
  const int fits = LongestFit(dc, rest, available);
  for (int i = fits - 1; i >= 0; --i) {
    if (m_break_chars.Find(rest[i]) < 0) continue;
    CString piece = TakeFront(rest, i + 1);
    if (piece[piece.GetLength() - 1] == ' ') piece = piece.Left(piece.GetLength() - 1);
    return piece;
  }
  return CString();
}

void CTextField::MeasureLine(int line, LineMeasure& measure) {
  for (const auto& piece : m_pieces) {
    if (piece->m_line != line) continue;
    if (measure.width == 0) {
      measure.halign = m_halign;
      measure.valign = m_valign;
    }
    measure.width += piece->m_rect.Width();
    measure.text_height = std::max(measure.text_height, static_cast<int>(piece->m_rect.Height()));
    measure.descent = std::max(measure.descent, m_descent);
  }
}

void CTextField::PlaceLine(int line, CPoint& pos, const LineMeasure& measure) {
  for (auto& piece : m_pieces) {
    if (piece->m_line != line) continue;
    const int width = piece->m_rect.Width();
    const int height = piece->m_rect.Height();
    // All pieces of a line share one baseline.
    const int bottom = pos.y + measure.text_height - (measure.descent - m_descent);
    piece->m_rect.SetRect(pos.x, bottom - height, pos.x + width, bottom);
    pos.x += width;
  }
}

void CTextField::AlignVertically(int innerHeight) {
  if (m_pieces.empty() || m_valign == 3) return;
  std::map<int, int> lineHeights;
  for (const auto& piece : m_pieces) {
    int& height = lineHeights[piece->m_line];
    height = std::max(height, static_cast<int>(piece->m_rect.Height()));
  }
  int textHeight = 0;
  for (const auto& [line, height] : lineHeights) textHeight += height;
  const int extra = innerHeight - textHeight;
  if (extra <= 0) return;
  const int share = extra / (lineHeights.rbegin()->first + 1);
  const int move = m_valign == 1 ? share : m_valign == 2 ? share / 2 : 0;
  for (auto& piece : m_pieces) piece->m_rect.OffsetRect(0, move);
}

BOOL CTextField::HasTextOn(int line) const {
  return std::any_of(m_pieces.begin(), m_pieces.end(),
                     [line](const auto& piece) { return piece->m_line == line && !piece->m_text.IsEmpty(); });
}

BOOL CTextField::EndsLineOn(int line) const {
  return m_end == END_LINE && !m_pieces.empty() && m_pieces.back()->m_line == line;
}

int CTextField::HitTest(int x, int y, CString& target, CString& text, int& value) {
  for (const auto& piece : m_pieces) {
    if (!piece->m_rect.PtInRect(CPoint(x, y))) continue;
    int bits = 0;
    if (IsKeyLink(m_link.kind)) bits |= LINK_TO_KEY;
    else if (IsCommandLink(m_link.kind)) bits |= LINK_COMMAND;
    if (bits != 0) {
      target = m_link.target;
      text = m_text;
      value = m_link.value;
    }
    if (m_link.key_mark != 0) bits |= LINK_KEY_MARK;
    if (bits != 0) return bits;
  }
  return 0;
}

void CTextField::SetColours(CDC* dc) const {
  const CWV4Globals& g = theGlobals;
  dc->SetTextAlign(0);
  dc->SetBkMode(m_spec.m_bkmode);
  dc->SetBkColor(m_spec.m_bkcolor);
  dc->SetTextColor(m_spec.m_textcolor);
  const BOOL defaultLink = IsDefaultLink(m_link.kind);
  if (m_link.kind != 0 && m_link.key_mark != 0) {
    if (g.m_linkprot_bkmode == OPAQUE) {
      dc->SetBkMode(OPAQUE);
      dc->SetBkColor(g.m_linkprot_bkcolor);
    }
    dc->SetTextColor(g.m_linkprot_textcolor);
  } else if (m_link.kind != 0) {
    if (g.m_link_bkmode == OPAQUE) {
      dc->SetBkMode(OPAQUE);
      dc->SetBkColor(defaultLink ? g.m_deflink_bkcolor : g.m_norlink_bkcolor);
    }
    dc->SetTextColor(defaultLink ? g.m_deflink_textcolor : g.m_norlink_textcolor);
  } else if (m_link.key_mark != 0) {
    if (g.m_prot_bkmode == OPAQUE) {
      dc->SetBkMode(OPAQUE);
      dc->SetBkColor(g.m_prot_bkcolor);
    }
    dc->SetTextColor(g.m_prot_textcolor);
  }
}

void CTextField::Draw(CDC* dc, FrameView* /*view*/) {
  CFrame* frame = m_box != nullptr ? m_box->m_frame : nullptr;
  if (frame != nullptr && frame->m_pDC == dc) frame->SelectFont(m_font, m_spec);
  else dc->SelectObject(m_font);
  SetColours(dc);
  for (const auto& piece : m_pieces) piece->Draw(dc);
}
