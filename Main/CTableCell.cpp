#include "Main/CTableCell.h"

#include <algorithm>
#include <climits>

#include "Main/CFrame.h"
#include "Main/CSymbolItem.h"
#include "Main/CWV4Globals.h"
#include "win32/UserWindows.h"

CTableCell::CTableCell() : m_strip_colour(GetSysColor(COLOR_3DFACE)), m_bkcolor(GetSysColor(COLOR_WINDOW)) {}

CTableCell::CTableCell(const CellLook& look, CFrame* frame)
    : m_margins(look.margins),
      m_strips(look.strips),
      m_three_d(look.three_d),
      m_strip_colour(look.strip_colour),
      m_bkcolor(look.bkcolor),
      m_bkmode(look.bkmode),
      m_frame(frame) {}

CTableCell::~CTableCell() = default;

CTextField* CTableCell::AddText(const CString& text, CFont* font, const CFontSpec& spec, int halign, int valign,
                                int wrap, const CString& breakChars, const TextLink& link) {
  // A link's text that arrives in parts stays one item.
  if (!m_items.empty() && m_items.back()->m_kind == ITEM_TEXT && link.kind != 0) {
    auto* last = static_cast<CTextField*>(m_items.back().get());
    if (last->m_link.kind == link.kind && last->m_link.target == link.target) {
      last->m_text += text;
      return last;
    }
  }
  auto field = std::make_unique<CTextField>(this, text, font, spec, halign, valign, wrap, breakChars, link);
  if (m_frame != nullptr) field->m_measure = m_frame->MeasureOf(font);
  CTextField* added = field.get();
  m_items.push_back(std::move(field));
  return added;
}

void CTableCell::AddSymbol(const CString& name, CSymbolBitmaps* bitmaps, const CFontSpec& spec, int halign,
                           int valign, int wrap, int linkKind, const CString& linkText, const CDynBuf* assignments) {
  m_items.push_back(std::make_unique<CSymbolItem>(this, name, bitmaps, spec, halign, valign, wrap, linkKind, linkText,
                                                  assignments));
}

void CTableCell::MarkLineEnd() {
  if (!m_items.empty()) m_items.back()->m_end = END_LINE;
}

void CTableCell::MarkBreakChance() {
  if (!m_items.empty()) m_items.back()->m_end = END_BREAK_CHANCE;
}

CRect CTableCell::Inner() const {
  CRect inner = m_rect;
  inner.DeflateRect(m_strips.left, m_strips.top, m_strips.right, m_strips.bottom);
  return inner;
}

int CTableCell::Layout(CDC* dc, CRect& rect, int* neededRight) {
  m_rect.SetRect(rect.left, rect.bottom, rect.right, rect.bottom);
  CRect content = Inner();
  content.DeflateRect(m_margins.left, m_margins.top, m_margins.right, m_margins.bottom);
  content.bottom = content.top;

  FlowPosition at;
  at.x = at.max_x = content.left;
  for (auto& item : m_items) {
    item->Flow(dc, content, at);
    at.break_chance = item->m_end == END_BREAK_CHANCE ? 1 : 0;
  }
  const int lines = at.has_items != 0 ? at.line + 1 : at.line;
  TrimLineEnds(dc);
  FillEmptyLines(dc, lines);

  CPoint pos(content.left, content.top);
  for (int line = 0; line < lines; ++line) {
    LineMeasure measure;
    for (auto& item : m_items) item->MeasureLine(line, measure);
    if (measure.halign == 1) pos.x = content.right - measure.width;
    else if (measure.halign == 2) pos.x = (content.left + content.right) / 2 - measure.width / 2;
    else pos.x = content.left;
    for (auto& item : m_items) item->PlaceLine(line, pos, measure);
    pos.y += std::max(measure.text_height, measure.symbol_height);
  }
  if (neededRight != nullptr) *neededRight = m_strips.right + m_margins.right + at.max_x;
  m_rect.bottom = pos.y + m_margins.bottom + m_strips.bottom;
  rect.bottom = m_rect.bottom;
  return m_rect.bottom;
}

// The last piece of every line loses one trailing blank. The flow puts
// pieces on lines in order, so going backwards the last piece of a line is
// the first one met with a line number below all those seen before.
void CTableCell::TrimLineEnds(CDC* dc) {
  int seen = INT_MAX;
  for (auto item = m_items.rbegin(); item != m_items.rend(); ++item) {
    if ((*item)->m_kind != ITEM_TEXT) continue;
    auto* field = static_cast<CTextField*>(item->get());
    for (auto piece = field->m_pieces.rbegin(); piece != field->m_pieces.rend(); ++piece) {
      if ((*piece)->m_line >= seen) continue;
      seen = (*piece)->m_line;
      if ((*piece)->EndsWithBlank()) {
        (*piece)->TrimBlank(field->Measure(dc, (*piece)->m_text, (*piece)->m_text.GetLength() - 1));
      }
    }
  }
}

// A line that holds only line ends is as high as the font of its texts.
void CTableCell::FillEmptyLines(CDC* dc, int lines) {
  for (int line = 0; line < lines; ++line) {
    if (!IsLineEmpty(line)) continue;
    for (auto& item : m_items) {
      if (item->m_kind != ITEM_TEXT) continue;
      auto* field = static_cast<CTextField*>(item.get());
      const int height = field->Metrics(dc).tmHeight;
      for (auto& piece : field->m_pieces) {
        if (piece->m_line == line) piece->m_rect.bottom = piece->m_rect.top + height;
      }
    }
  }
}

BOOL CTableCell::IsLineEmpty(int line) const {
  BOOL endsLine = FALSE;
  for (const auto& item : m_items) {
    if (item->HasTextOn(line)) return FALSE;
    endsLine = endsLine || item->EndsLineOn(line);
  }
  return endsLine;
}

void CTableCell::AlignItems() {
  const int inner =
      m_rect.Height() - m_strips.top - m_strips.bottom - m_margins.top - m_margins.bottom;
  for (auto& item : m_items) item->AlignVertically(inner);
}

BOOL CTableCell::PtInInner(int x, int y) const { return Inner().PtInRect(CPoint(x, y)); }

void CTableCell::DrawBorder(CDC* dc, const CRect& rect, Sides strips, Sides threeD) {
  if (!threeD.Any()) {
    DrawSideStrips(rect, dc, strips, threeD, m_strip_colour);
    return;
  }
  // The 2-pixel edge lies inside the plain part of a 3-D side's strip.
  const Sides plain{threeD.left != 0 ? strips.left - 2 : strips.left, threeD.top != 0 ? strips.top - 2 : strips.top,
                    threeD.right != 0 ? strips.right - 2 : strips.right,
                    threeD.bottom != 0 ? strips.bottom - 2 : strips.bottom};
  DrawSideStrips(rect, dc, plain, threeD, m_strip_colour);
  CRect edge = rect;
  edge.DeflateRect(threeD.left != 0 ? plain.left : 0, threeD.top != 0 ? plain.top : 0,
                   threeD.right != 0 ? plain.right : 0, threeD.bottom != 0 ? plain.bottom : 0);
  DrawSunkenBorder(edge, dc, threeD);
}

void CTableCell::Draw(CDC* dc, FrameView* view) {
  CRect clip;
  dc->GetClipBox(&clip);
  CRect common;
  if (!common.IntersectRect(&clip, &m_rect)) return;
  dc->SetBkMode(m_bkmode);
  if (m_bkmode == OPAQUE) {
    const CRect inner = Inner();
    if (!inner.IsRectEmpty()) dc->FillSolidRect(&inner, m_bkcolor);
  }
  for (auto& item : m_items) item->Draw(dc, view);
  DrawBorder(dc, m_rect, m_strips, m_three_d);
  if (m_selected != 0) {
    const CRect inner = Inner();
    dc->PatBlt(inner.left, inner.top, inner.Width(), inner.Height(), DSTINVERT);
  }
}

void CTableCell::DrawBandBelow(CDC* dc, int xOffset, int y, int height, int threeD) {
  const CRect band(m_rect.left + xOffset, y, m_rect.right + xOffset, y + height);
  DrawBorder(dc, band, Sides{m_strips.left, 0, m_strips.right, height},
             Sides{m_three_d.left, 0, m_three_d.right, threeD});
}

void CTableCell::DrawBandAbove(CDC* dc, int xOffset, int y, int height, int threeD) {
  const CRect band(m_rect.left + xOffset, y - height, m_rect.right + xOffset, y);
  DrawBorder(dc, band, Sides{m_strips.left, height, m_strips.right, 0},
             Sides{m_three_d.left, threeD, m_three_d.right, 0});
}

int CTableCell::HitTest(int x, int y, CString& target, CString& text, int& value) {
  for (auto& item : m_items) {
    const int bits = item->HitTest(x, y, target, text, value);
    if (bits != 0) return bits;
  }
  return 0;
}

template <typename Visit>
void CTableCell::ForEachText(Visit visit) const {
  for (const auto& item : m_items) {
    if (item->m_kind == ITEM_TEXT) visit(static_cast<const CTextField&>(*item));
  }
}

CString CTableCell::GetText() const {
  CString text;
  ForEachText([&](const CTextField& field) { text += field.m_text; });
  return text;
}

BOOL CTableCell::GetKeyText(CString& text) const {
  text.Empty();
  ForEachText([&](const CTextField& field) {
    if (field.m_link.key_mark != 0) text += field.m_text;
  });
  return !text.IsEmpty();
}

BOOL CTableCell::HasKeyMark() const {
  BOOL found = FALSE;
  ForEachText([&](const CTextField& field) { found = found || field.m_link.key_mark != 0; });
  return found;
}

BOOL CTableCell::HasLink() const {
  BOOL found = FALSE;
  ForEachText([&](const CTextField& field) { found = found || field.m_link.kind != 0; });
  return found;
}

BOOL CTableCell::HasHotspotNamePart() const {
  CString name;
  return GetHotspotName(name);
}

BOOL CTableCell::GetHotspotName(CString& name) const {
  name.Empty();
  BOOL found = FALSE;
  ForEachText([&](const CTextField& field) {
    if (field.m_link.hotspot_part == 0) return;
    name += field.m_text;
    found = TRUE;
  });
  return found;
}

BOOL CTableCell::MatchesText(const char* text) const {
  CString name;
  GetHotspotName(name);
  return theGlobals.m_hs_is_case_sensitive ? name.Compare(text) == 0 : name.CompareNoCase(text) == 0;
}

CString CTableCell::GetToolTipText() const {
  for (const auto& item : m_items) {
    if (item->m_kind != ITEM_TEXT) continue;
    const auto& field = static_cast<const CTextField&>(*item);
    if (field.m_link.tip_mark != 0) return field.m_text;
  }
  return CString();
}

int CTableCell::MaxOrderNumber() const {
  int largest = 0;
  ForEachText([&](const CTextField& field) { largest = std::max(largest, field.m_link.order_number); });
  return largest;
}

BOOL CTableCell::FindByOrderNumber(int v) const {
  BOOL found = FALSE;
  ForEachText([&](const CTextField& field) {
    found = found || (v == 0 ? field.m_link.key_mark != 0 : field.m_link.order_number == v);
  });
  return found;
}

namespace {

BOOL IsTextLink(int kind) { return kind == 1 || kind == 2 || kind == 5 || kind == 6; }
BOOL IsDefault(int kind) { return kind == 2 || kind == 6; }

}  // namespace

BOOL CTableCell::GetFirstLink(CString& target, CString& text, int& value, int& isCommand) const {
  for (const auto& item : m_items) {
    if (item->m_kind != ITEM_TEXT) continue;
    const auto& field = static_cast<const CTextField&>(*item);
    if (!IsTextLink(field.m_link.kind)) continue;
    target = field.m_link.target;
    text = field.m_text;
    value = field.m_link.value;
    isCommand = field.m_link.kind >= 5 ? 1 : 0;
    return TRUE;
  }
  return FALSE;
}

BOOL CTableCell::GetFirstDefaultLink(CString& target, CString& text, int& value, int& isCommand) const {
  for (const auto& item : m_items) {
    if (item->m_kind != ITEM_TEXT) continue;
    const auto& field = static_cast<const CTextField&>(*item);
    if (!IsDefault(field.m_link.kind)) continue;
    target = field.m_link.target;
    text = field.m_text;
    value = field.m_link.value;
    isCommand = field.m_link.kind == 6 ? 1 : 0;
    return TRUE;
  }
  return FALSE;
}

void CTableCell::CollectLinks(std::vector<LinkChoice>& list, LinkChoice& first, int& countA, int& countB) const {
  BOOL handedOut = FALSE;
  ForEachText([&](const CTextField& field) {
    const int kind = field.m_link.kind;
    if (kind < 1 || kind > 6 || kind == 3 || kind == 4) return;
    list.push_back(LinkChoice{field.m_link.target, field.m_text, kind, field.m_link.value});
    if (!handedOut) first = list.back();
    handedOut = TRUE;
    if (IsDefault(kind)) ++countB;
    else ++countA;
  });
}

void CTableCell::CountLinkChanges(int& changesA, int& changesB, CString& lastA, CString& lastB) const {
  ForEachText([&](const CTextField& field) {
    const int kind = field.m_link.kind;
    if (!IsTextLink(kind)) return;
    CString& last = IsDefault(kind) ? lastB : lastA;
    if (last == field.m_link.target) return;
    ++(IsDefault(kind) ? changesB : changesA);
    last = field.m_link.target;
  });
}

// A text prints as it is shown: a backslash would start a line break of the
// form printing and stands doubled, and line ends would split the script's
// line. The one backslash behind an item that ends its line is the break.
void CTableCell::GetVodText(CString& out) const {
  out.Empty();
  for (const auto& item : m_items) {
    if (item->m_kind == ITEM_TEXT) {
      CString text = static_cast<const CTextField*>(item.get())->m_text;
      text.Remove('\r');
      text.Remove('\n');
      text.Replace("\\", "\\\\");
      out += text;
    } else {
      const auto* symbol = static_cast<const CSymbolItem*>(item.get());
      CString escape;
      escape.Format("%%SYMBOL FAKTOR %d TIFF \"", symbol->ScaleFactor());
      out += escape + symbol->FileStem() + "U.BMP\"%";
    }
    if (item->m_end == END_LINE) out += '\\';
  }
}

void CTableCell::HideSymbols() {
  for (const auto& item : m_items) {
    if (item->m_kind == ITEM_SYMBOL) static_cast<CSymbolItem*>(item.get())->HideButton();
  }
}
