// What a table does once it is built: the highlight of the row under the
// mouse, the tool tip, the hit tests behind cursors and clicks, the copy and
// order commands, and the hotspot links that pictures send it.
#include <algorithm>
#include <functional>

#include "Main/CErrorTrace.h"
#include "Main/CTablePart.h"
#include "Main/CV4TTWindow.h"
#include "Main/CWV4Globals.h"
#include "Main/FrameView.h"
#include "Main/LinkFollow.h"
#include "Main/ShellServices.h"
#include "Main/varno4.h"
#include "win32/Clipboard.h"
#include "win32/Errors.h"
#include "win32/Memory.h"
#include "win32/UserMessages.h"

namespace {

enum TableCommand { CMD_PART_INFO = 130, CMD_COPY_ROW = 149, CMD_COPY_TABLE = 150, CMD_COPY_CELL = 151 };
enum HotspotLinkKind { LINK_BRANCH = 129, LINK_ORDER = 130 };
enum ClipboardError {
  ERR_CLIP_ALLOC = 236,
  ERR_CLIP_LOCK = 237,
  ERR_CLIP_OPEN = 238,
  ERR_CLIP_EMPTY = 239,
  ERR_CLIP_SET = 240
};

BOOL IsCommandKind(int kind) { return kind == 5 || kind == 6; }

BOOL ClipboardFails(CErrorTrace* node, int line, int code) {
  node->Fail(line, SEVERITY_ERROR, code, "", static_cast<int>(GetLastError()));
  return FALSE;
}

// Puts text on the clipboard as plain text for the main window; failures stay
// on the trace with the system's error code.
BOOL CopyToClipboard(const CString& text) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  const SIZE_T size = static_cast<SIZE_T>(text.GetLength()) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return ClipboardFails(node, __LINE__, ERR_CLIP_ALLOC);
  void* bytes = GlobalLock(block);
  if (bytes == nullptr) {
    GlobalFree(block);
    return ClipboardFails(node, __LINE__, ERR_CLIP_LOCK);
  }
  std::copy_n(static_cast<const char*>(text), size, static_cast<char*>(bytes));
  GlobalUnlock(block);
  if (!OpenClipboard(ViewerMainWindow())) {
    GlobalFree(block);
    return ClipboardFails(node, __LINE__, ERR_CLIP_OPEN);
  }
  if (!EmptyClipboard()) {
    CloseClipboard();
    GlobalFree(block);
    return ClipboardFails(node, __LINE__, ERR_CLIP_EMPTY);
  }
  if (SetClipboardData(CF_TEXT, block) == nullptr) {
    CloseClipboard();
    GlobalFree(block);
    return ClipboardFails(node, __LINE__, ERR_CLIP_SET);
  }
  CloseClipboard();
  CErrorTrace::Remove(node);
  return TRUE;
}

}  // namespace

BOOL CTablePart::IsColumnShown(int column) const {
  return column < 0 || column >= static_cast<int>(m_columns.size()) || m_columns[static_cast<size_t>(column)].IsShown();
}

const CTablePart* CTablePart::Header() const {
  CTablePart* header = nullptr;
  if (m_kind == CHILD_BODY_TABLE && m_frame != nullptr && m_frame->FindHeadTable(this, header)) return header;
  return nullptr;
}

// The row's rectangle less the outer borders of its first and last shown cells.
BOOL CTablePart::PointInRow(const CTableLine& row, int x, int y) const {
  const CTableCell* first = nullptr;
  const CTableCell* last = nullptr;
  for (int c = 0; c < static_cast<int>(row.m_cells.size()); ++c) {
    if (!IsColumnShown(c) || row.Cell(c) == nullptr) continue;
    if (first == nullptr) first = row.Cell(c);
    last = row.Cell(c);
  }
  if (first == nullptr) return FALSE;
  CRect inner = row.m_rect;
  inner.left += first->m_strips.left;
  inner.top += first->m_strips.top;
  inner.bottom -= first->m_strips.bottom;
  inner.right -= last->m_strips.right;
  return inner.PtInRect(CPoint(x, y));
}

int CTablePart::RowAt(int x, int y) const {
  for (int r = 0; r < m_row_count; ++r) {
    if (PointInRow(*Row(r), x, y)) return r;
  }
  return -1;
}

BOOL CTablePart::RowMatches(const CTableLine& row, const CString& text) const {
  for (const auto& cell : row.m_cells) {
    if (cell != nullptr && cell->HasHotspotNamePart() && cell->MatchesText(text)) return TRUE;
  }
  return FALSE;
}

namespace {

BOOL IsOrderable(const CTableLine& row) {
  return std::any_of(row.m_cells.begin(), row.m_cells.end(),
                     [](const auto& cell) { return cell != nullptr && cell->HasKeyMark(); });
}

CString KeyText(const CTableLine& row, const std::function<BOOL(int)>& shown) {
  CString key;
  for (int c = 0; c < static_cast<int>(row.m_cells.size()); ++c) {
    CString part;
    if (shown(c) && row.Cell(c) != nullptr && row.Cell(c)->GetKeyText(part)) key += part;
  }
  return key;
}

}  // namespace

// The link a row offers as a whole: its first link item, key or command.
int CTablePart::FirstLinkOf(const CTableLine& row, TableHit& hit) const {
  for (const auto& cell : row.m_cells) {
    int isCommand = 0;
    if (cell == nullptr || !cell->GetFirstLink(hit.target, hit.text, hit.value, isCommand)) continue;
    if (isCommand) hit.text.Empty();
    return isCommand ? LINK_COMMAND : LINK_TO_KEY;
  }
  return 0;
}

int CTablePart::RowHitTest(const CTableLine& row, int x, int y, TableHit& hit) const {
  hit.Empty();
  for (const auto& cell : row.m_cells) {
    if (cell != nullptr && cell->GetHotspotName(hit.name)) break;
  }
  int normal = 0;
  int defaults = 0;
  CString lastNormal;
  CString lastDefault;
  for (const auto& cell : row.m_cells) {
    if (cell != nullptr) cell->CountLinkChanges(normal, defaults, lastNormal, lastDefault);
  }
  int flags = 0;
  if (normal + defaults == 1) {
    flags = FirstLinkOf(row, hit);
  } else if (normal + defaults > 1) {
    for (int c = 0; c < static_cast<int>(row.m_cells.size()); ++c) {
      CTableCell* cell = row.Cell(c);
      if (cell == nullptr || !IsColumnShown(c) || !cell->m_rect.PtInRect(CPoint(x, y))) continue;
      flags = cell->HitTest(x, y, hit.target, hit.text, hit.value) & (LINK_TO_KEY | LINK_COMMAND);
      break;
    }
    if (defaults == 1 && flags == 0) {
      for (const auto& cell : row.m_cells) {
        int isCommand = 0;
        if (cell == nullptr || !cell->GetFirstDefaultLink(hit.target, hit.text, hit.value, isCommand)) continue;
        flags = isCommand ? LINK_COMMAND : LINK_TO_KEY;
        break;
      }
    }
  }
  if (flags == 0) {
    hit.target.Empty();
    hit.text.Empty();
  }
  if (IsOrderable(row)) {
    hit.key = KeyText(row, [this](int c) { return IsColumnShown(c); });
    flags |= LINK_KEY_MARK;
  }
  return flags;
}

BOOL CTablePart::MayHighlight(const CTableLine& row) const {
  if (m_kind != CHILD_HEAD_TABLE) return TRUE;
  CTablePart* body = nullptr;
  if (m_frame != nullptr && m_frame->FindBodyTable(this, body)) return FALSE;
  return std::any_of(row.m_cells.begin(), row.m_cells.end(), [](const auto& cell) {
    return cell != nullptr && (cell->HasHotspotNamePart() || cell->HasKeyMark() || cell->HasLink());
  });
}

void CTablePart::KeyRows(std::vector<CRect>& rows) const {
  for (int r = 0; r < m_row_count; ++r) {
    if (MayHighlight(*Row(r))) rows.push_back(Row(r)->m_rect);
  }
}

void CTablePart::SetHighlight(CTableLine& row, int value, FrameView* view, CPoint scroll) {
  if (row.m_cells.empty() || row.m_cells[0] == nullptr || row.m_cells[0]->m_selected == value) return;
  for (int c = 0; c < static_cast<int>(row.m_cells.size()); ++c) {
    CTableCell* cell = row.Cell(c);
    if (cell == nullptr) continue;
    cell->m_selected = value;
    if (view == nullptr || !IsColumnShown(c)) continue;
    CRect inner = cell->m_rect;
    inner.DeflateRect(cell->m_strips.left, cell->m_strips.top, cell->m_strips.right, cell->m_strips.bottom);
    inner.OffsetRect(-scroll.x, -scroll.y);
    view->RepaintNow(inner);
  }
}

void CTablePart::UpdateToolTip(FrameView* view, int row) {
  if (row < 0) {
    CV4TTWindow::HideCurrent();
    m_tip_row = -1;
    return;
  }
  if (row == m_tip_row && theGlobals.m_ptooltip != nullptr) return;
  CV4TTWindow::HideCurrent();
  m_tip_row = row;
  const CTableLine& line = *Row(row);
  CString key;
  CString tip;
  BOOL hasKey = FALSE;
  BOOL hasTip = FALSE;
  for (const auto& cell : line.m_cells) {
    if (cell == nullptr) continue;
    if (!hasKey && cell->HasKeyMark()) {
      key = cell->GetText();
      hasKey = TRUE;
    }
    if (!hasTip) {
      tip = cell->GetToolTipText();
      hasTip = !tip.IsEmpty();
    }
  }
  if (!hasKey || !hasTip || view == nullptr) return;
  CDynBuf request;
  request.Append(key);
  request.Append('\0');
  request.Append(tip);
  request.Append('\0');
  CV4TTWindow::ShowNew(request, view->ButtonParent());
}

int CTablePart::OnMouseMove(FrameView* view, int x, int y, CPoint scroll, TableHit& hit) {
  hit.Empty();
  const int under = RowAt(x, y);
  if (theGlobals.m_invert_at_mousepos) {
    for (int r = 0; r < m_row_count; ++r) {
      if (MayHighlight(*Row(r))) SetHighlight(*Row(r), r == under ? 1 : 0, view, scroll);
    }
  }
  if (theGlobals.m_use_tt_window) UpdateToolTip(view, under);
  return under < 0 ? 0 : RowHitTest(*Row(under), x, y, hit);
}

int CTablePart::CursorHitTest(int x, int y) const {
  const int under = RowAt(x, y);
  if (under < 0) return 1;
  for (const auto& cell : Row(under)->m_cells) {
    if (cell != nullptr && cell->PtInInner(x, y)) return 7;
  }
  return 3;
}

CString CTablePart::ClipboardRow(int row) const {
  const CTableLine* line = Row(row);
  CString text;
  if (line == nullptr) return text;
  for (int c = 0; c < static_cast<int>(line->m_cells.size()); ++c) {
    if (!IsColumnShown(c)) continue;
    if (line->Cell(c) != nullptr) text += line->Cell(c)->GetText();
    if (c != m_column_count - 1) text += '\t';
  }
  return text + "\r\n";
}

CString CTablePart::ClipboardTable() const {
  CString text;
  if (const CTablePart* header = Header(); header != nullptr) {
    for (int r = 0; r < header->RowCount(); ++r) text += header->ClipboardRow(r);
  }
  for (int r = 0; r < m_row_count; ++r) text += ClipboardRow(r);
  return text + "\r\n";
}

void CTablePart::OrderLine(const CTableLine& row, CDynBuf& line) const {
  int largest = 0;
  for (const auto& cell : row.m_cells) {
    if (cell != nullptr) largest = std::max(largest, cell->MaxOrderNumber());
  }
  for (int n = 1; n <= largest; ++n) {
    for (const auto& cell : row.m_cells) {
      if (cell == nullptr || !cell->FindByOrderNumber(n)) continue;
      line.Append(cell->GetText());
      break;
    }
    line.Append('\0');
  }
  line.Append('\0');
}

int CTablePart::RowTexts(const CTableLine& row, CDynBuf& texts) const {
  int shown = 0;
  for (int c = 0; c < static_cast<int>(row.m_cells.size()); ++c) {
    if (!IsColumnShown(c)) continue;
    if (row.Cell(c) != nullptr) texts.Append(row.Cell(c)->GetText());
    texts.Append('\0');
    ++shown;
  }
  return shown;
}

int CTablePart::HeaderTexts(CDynBuf& texts) const {
  const CTablePart* header = Header();
  return header != nullptr && header->Row(0) != nullptr ? header->RowTexts(*header->Row(0), texts) : 0;
}

int CTablePart::OnCommand(int code, int x, int y, BOOL order, TableHit& hit) {
  hit.Empty();
  const int under = RowAt(x, y);
  switch (code) {
    case CMD_COPY_TABLE: return CopyToClipboard(ClipboardTable());
    case CMD_COPY_ROW: return under >= 0 ? CopyToClipboard(ClipboardRow(under)) : 0;
    case CMD_COPY_CELL:
      if (under < 0) return 0;
      for (int c = 0; c < static_cast<int>(Row(under)->m_cells.size()); ++c) {
        const CTableCell* cell = Row(under)->Cell(c);
        if (cell != nullptr && IsColumnShown(c) && cell->m_rect.PtInRect(CPoint(x, y))) {
          return CopyToClipboard(cell->GetText());
        }
      }
      return 0;
    default: break;
  }
  if (under < 0) return 0;
  const int flags = RowHitTest(*Row(under), x, y, hit);
  if (code == CMD_PART_INFO && theGlobals.m_papp != nullptr) {
    CDynBuf line;
    line.SetGrowBy(128);
    OrderLine(*Row(under), line);
    theGlobals.m_papp->SendProtocolData(order ? 6 : 4, &line);
  }
  return flags;
}

void CTablePart::ScrollToRow(FrameView* view, const CTableLine& row) {
  int low = 0;
  int high = 0;
  view->VerticalRange(low, high);
  const int before = view->ScrollPosition().y;
  if ((low == 0 && high == 0) || before == row.m_rect.top) return;
  if (view->ScrollVertically(row.m_rect.top) == before) return;
  for (const auto& line : m_rows) {
    for (const auto& cell : line->m_cells) {
      if (cell != nullptr) cell->HideSymbols();
    }
  }
  view->InvalidateAll();
}

BOOL CTablePart::OnHotspotLink(FrameView* view, UINT message, const CString& linkText, int linkKind,
                               const CPoint* point, int highlight) {
  if (message == WM_LBUTTONDOWN) {
    if (linkKind == LINK_BRANCH) return Branch(linkText);
    if (linkKind == LINK_ORDER) return OrderMatching(linkText);
    return FALSE;
  }
  if (message != WM_MOUSEMOVE && message != WM_RBUTTONDOWN) return TRUE;
  const CPoint scroll = view != nullptr ? view->ScrollPosition() : CPoint(0, 0);
  const CTableLine* first = nullptr;
  for (int r = 0; r < m_row_count; ++r) {
    CTableLine& row = *Row(r);
    const BOOL taken = RowMatches(row, linkText) && (point == nullptr || PointInRow(row, point->x, point->y));
    SetHighlight(row, taken ? highlight : 0, view, scroll);
    if (taken && first == nullptr) first = &row;
  }
  if (point == nullptr && first != nullptr && view != nullptr) ScrollToRow(view, *first);
  return TRUE;
}

BOOL CTablePart::Branch(const CString& linkText) {
  std::vector<LinkChoice> choices;
  int offering = 0;
  BOOL ambiguous = FALSE;
  int firstChoice = -1;
  for (int r = 0; r < m_row_count; ++r) {
    const CTableLine& row = *Row(r);
    if (!RowMatches(row, linkText)) continue;
    const size_t before = choices.size();
    int normal = 0;
    int defaults = 0;
    LinkChoice first;
    for (const auto& cell : row.m_cells) {
      if (cell != nullptr) cell->CollectLinks(choices, first, normal, defaults);
    }
    if (choices.size() == before) continue;
    for (size_t i = before; i < choices.size(); ++i) {
      choices[i].row = r;
      RowTexts(row, choices[i].texts);
    }
    ambiguous = ambiguous || defaults > 1 || (defaults == 0 && normal > 1);
    if (offering++ == 0) {
      firstChoice = static_cast<int>(before);
      if (defaults > 0) {
        const auto def = std::find_if(choices.begin() + static_cast<long>(before), choices.end(),
                                      [](const LinkChoice& c) { return c.IsDefault(); });
        firstChoice = static_cast<int>(def - choices.begin());
      }
    }
  }
  if (offering == 0) return FALSE;
  LinkChoice chosen;
  if (ambiguous || offering > 1) {
    CDynBuf headers;
    const int headerCount = HeaderTexts(headers);
    if (!Shell().ChooseBranch(headers, headerCount, choices, chosen)) return FALSE;
  } else {
    chosen = choices[static_cast<size_t>(firstChoice)];
  }
  const CDynBuf* assignments = m_frame != nullptr ? m_frame->Assignments(chosen.value) : nullptr;
  if (IsCommandKind(chosen.kind)) {
    const int id = CommandIdOf(chosen.target);
    RunLinkCommand(ERROR_TRACE_PUSH(), id, assignments, SEVERITY_ERROR, "CMD ID : %d", id);
  } else {
    PostLinkKey(ViewerMainWindow(), chosen.target, assignments);
  }
  return TRUE;
}

int CTablePart::Collect(const CString& linkText, CDynBuf& lines, CDynBuf& texts, int& cells,
                        CDynBuf& headers) const {
  int count = 0;
  for (int r = 0; r < m_row_count; ++r) {
    const CTableLine& row = *Row(r);
    if (!RowMatches(row, linkText) || !IsOrderable(row)) continue;
    OrderLine(row, lines);
    cells = RowTexts(row, texts);
    ++count;
  }
  if (count > 0) {
    headers.Empty();
    HeaderTexts(headers);
  }
  return count;
}

// A table without a header part still sends its rows, with empty header
// texts: the user asked for the parts and nothing would tell him why none came.
BOOL CTablePart::OrderMatching(const CString& linkText) {
  CDynBuf lines;
  CDynBuf texts;
  CDynBuf headers;
  int cells = 0;
  const int count = Collect(linkText, lines, texts, cells, headers);
  if (count == 0) return FALSE;
  lines.Append('\0');
  Shell().SendPartsToProtocol(count, cells, headers, texts, lines, TRUE);
  return TRUE;
}

int CTablePart::LinkInfo(const CString& linkText, CString& target, CString& text, int& value,
                         BOOL& orderable) const {
  orderable = FALSE;
  int flags = 0;
  for (int r = 0; r < m_row_count; ++r) {
    const CTableLine& row = *Row(r);
    if (!RowMatches(row, linkText)) continue;
    orderable = orderable || IsOrderable(row);
    if (flags != 0) continue;
    TableHit hit;
    flags = RowHitTest(row, row.m_rect.left - 1, row.m_rect.top - 1, hit) & (LINK_TO_KEY | LINK_COMMAND);
    if (flags == 0) flags = FirstLinkOf(row, hit);
    target = hit.target;
    text = hit.text;
    value = hit.value;
  }
  return flags;
}

BOOL CTablePart::RowSummary(int row, CString& text, int& flags) const {
  text.Empty();
  flags = 0;
  const CTableLine* line = Row(row);
  if (line == nullptr) return FALSE;
  BOOL named = FALSE;
  for (const auto& cell : line->m_cells) {
    if (cell == nullptr) continue;
    CString name;
    if (cell->GetHotspotName(name)) {
      text = name;
      named = TRUE;
    }
    if (cell->HasKeyMark()) flags |= 1;
    if (cell->HasLink()) flags |= 2;
  }
  return named;
}
