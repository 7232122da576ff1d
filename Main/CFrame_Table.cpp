// The frame's table codes: the column table, the building of table parts,
// rows and cells, free cells, line breaks, and the pictures it places.
#include <algorithm>
#include <string_view>

#include "Main/CErrorTrace.h"
#include "Main/CFace.h"
#include "Main/CFrame.h"
#include "Main/CImage.h"
#include "Main/CTableCell.h"
#include "Main/CTableLine.h"
#include "Main/CTablePart.h"
#include "Main/CWV4Globals.h"
#include "Main/TagOperands.h"

namespace {

constexpr int ERR_NO_COLUMN_COUNT = 230;
constexpr int ERR_BAD_COLUMN_COUNT = 231;
constexpr int ERR_MISSING_WIDTH = 232;
constexpr int ERR_BEYOND_COLUMNS = 233;
// No catalogue has tables this wide; a larger count is refused as out of range.
constexpr int kMostColumns = 4096;

BOOL FailTable(int line, int code, const char* detail, int value) {
  CErrorTrace::Push(__FILE__, __TIMESTAMP__, line)->Fail(line, SEVERITY_ERROR, code, detail, value);
  return FALSE;
}

}  // namespace

BOOL CFrame::SetColumns(const CString& definition) {
  CErrorTrace* node = ERROR_TRACE_PUSH();
  std::string_view list(definition, static_cast<size_t>(definition.GetLength()));
  int count = 0;
  BOOL percent = FALSE;
  auto fail = [&](int line, int code, int value) {
    node->Fail(line, SEVERITY_ERROR, code, definition, value);
    return FALSE;
  };
  if (!TakeSizeListEntry(list, count, percent)) return fail(__LINE__, ERR_NO_COLUMN_COUNT, 0);
  if (count <= 0 || count > kMostColumns) return fail(__LINE__, ERR_BAD_COLUMN_COUNT, count);
  m_column_count = count;
  m_columns.resize(static_cast<size_t>(count));
  for (TableColumn& column : m_columns) {
    int width = 0;
    BOOL isPercent = FALSE;
    if (!TakeSizeListEntry(list, width, isPercent)) return fail(__LINE__, ERR_MISSING_WIDTH, 0);
    column.width_spec = width;
    column.percent = isPercent;
  }
  CErrorTrace::Remove(node);
  return TRUE;
}

BOOL CFrame::HideColumn(int number, int spec) {
  if (number < 1 || number > m_column_count) return TRUE;
  TableColumn& column = m_columns[static_cast<size_t>(number) - 1];
  column.width_spec = spec;
  column.percent = 0;
  return TRUE;
}

BOOL CFrame::OpenTablePart(int kind) {
  const BOOL header = kind == CHILD_BODY_TABLE && m_child_count > 0 &&
                      m_children[static_cast<size_t>(m_child_count) - 1].kind == CHILD_HEAD_TABLE;
  OpenChild(kind,
            std::make_unique<CTablePart>(kind, header, m_border_width, m_border_flags, m_grid_color, m_sort_column,
                                         this, m_columns),
            kind == CHILD_HEAD_TABLE ? 0 : -1);
  return TRUE;
}

BOOL CFrame::CloseTablePart(int kind) {
  CTablePart* part = PendingPart();
  if (part != nullptr && part->m_kind == kind) {
    // A scrolled part's ends lie outside its view.
    const int flags = kind == CHILD_BODY_TABLE ? m_border_flags & ~(BORDER_OUTER_ENDS | EDGE_OUTER_ENDS)
                                               : m_border_flags;
    if (m_sort_column != 0) part->m_sort_column = m_sort_column;
    part->Close(m_border_width, flags);
    if (kind == CHILD_BODY_TABLE) {
      m_table_width = m_table_height = 0;
      m_table_width_percent = m_table_height_percent = 0;
    }
  }
  m_sort_column = 0;
  return CloseChild(kind);
}

// Rows and cells need their table part, and a cell its open row; a cell
// beyond the column table is refused at once.
BOOL CFrame::OpenRow() {
  CTablePart* part = PendingPart();
  if (part == nullptr) return FailTable(__LINE__, ERR_BEYOND_COLUMNS, "", 0);
  part->OpenRow();
  return TRUE;
}

namespace {

// The borders of a new cell at column of the row being built, from the
// frame's border width and flags.
CellLook CellLookFor(const CFrame& frame, const CTablePart& part, int column) {
  int flags = frame.m_border_flags;
  if (part.m_kind == CHILD_BODY_TABLE) flags &= ~(BORDER_OUTER_ENDS | EDGE_OUTER_ENDS);
  const int width = frame.m_border_width;
  const bool first = column == part.m_first_shown;
  const bool last = column == part.m_last_shown;
  const bool firstRow = part.m_row_count == 0;
  auto on = [flags](int bit) { return (flags & bit) != 0; };
  CellLook look;
  look.strips.left = on(first ? BORDER_OUTER_SIDES : BORDER_INNER_LEFT) ? width : 0;
  look.strips.right = last && on(BORDER_OUTER_SIDES) ? width : 0;
  look.strips.top = on(firstRow ? BORDER_OUTER_ENDS : BORDER_INNER_TOP) ? width : 0;
  look.three_d.left = on(EDGE_INNER_SIDES) || (first && on(EDGE_OUTER_SIDES)) ? 1 : 0;
  look.three_d.right = on(EDGE_INNER_SIDES) || (last && on(EDGE_OUTER_SIDES)) ? 1 : 0;
  look.three_d.top = on(EDGE_INNER_TOPS) || (firstRow && on(EDGE_OUTER_ENDS)) ? 1 : 0;
  look.strips.left += 2 * look.three_d.left;
  look.strips.right += 2 * look.three_d.right;
  look.strips.top += 2 * look.three_d.top;
  if (on(EDGE_INNER_TOPS)) look.strips.bottom = 2;
  if (column < static_cast<int>(part.m_columns.size()) && !part.m_columns[static_cast<size_t>(column)].IsShown()) {
    look.strips.left = look.strips.right = 0;
    look.three_d.left = look.three_d.right = 0;
  }
  look.margins = frame.m_cell_margins;
  look.strip_colour = frame.m_grid_color;
  look.bkmode = frame.m_cell_bkmode;
  look.bkcolor = frame.m_cell_bkcolor;
  return look;
}

}  // namespace

BOOL CFrame::OpenCell() {
  m_cell_layout[0] = m_cell_layout[1] = 3;
  CTablePart* part = PendingPart();
  CTableLine* row = part != nullptr ? part->CurrentRow() : nullptr;
  if (row == nullptr) return FailTable(__LINE__, ERR_BEYOND_COLUMNS, "", 0);
  const int column = row->m_current_column;
  if (column >= part->m_column_count) return FailTable(__LINE__, ERR_BEYOND_COLUMNS, "", column + 1);
  row->m_cells[static_cast<size_t>(column)] = std::make_unique<CTableCell>(CellLookFor(*this, *part, column), this);
  return TRUE;
}

BOOL CFrame::CloseCell() {
  CTablePart* part = PendingPart();
  CTableLine* row = part != nullptr ? part->CurrentRow() : nullptr;
  if (row == nullptr) return FailTable(__LINE__, ERR_BEYOND_COLUMNS, "", 0);
  ++row->m_current_column;
  if (row->m_current_column > part->m_column_count) {
    return FailTable(__LINE__, ERR_BEYOND_COLUMNS, "", row->m_current_column);
  }
  std::fill(std::begin(m_item_markers), std::end(m_item_markers), 0);
  return TRUE;
}

// Every row ends with one cell per column: the columns left out get empty
// cells with the borders of any other.
BOOL CFrame::CloseRow() {
  CTablePart* part = PendingPart();
  CTableLine* row = part != nullptr ? part->CurrentRow() : nullptr;
  if (row == nullptr) return FailTable(__LINE__, ERR_BEYOND_COLUMNS, "", 0);
  for (int column = 0; column < part->m_column_count; ++column) {
    auto& cell = row->m_cells[static_cast<size_t>(column)];
    if (cell == nullptr) cell = std::make_unique<CTableCell>(CellLookFor(*this, *part, column), this);
  }
  if (row->m_current_column < part->m_column_count) {
    row->m_current_column = part->m_column_count;
    m_cell_layout[0] = m_cell_layout[1] = 3;
    std::fill(std::begin(m_item_markers), std::end(m_item_markers), 0);
  }
  ++part->m_row_count;
  m_cell_bkmode = 1;
  return TRUE;
}

BOOL CFrame::OpenFreeCell() {
  m_free_layout[0] = m_free_layout[1] = 3;
  auto cell = std::make_unique<CTableCell>();
  cell->m_frame = this;
  OpenChild(CHILD_CELL, std::move(cell), -1);
  return TRUE;
}

BOOL CFrame::CloseFreeCell() {
  std::fill(std::begin(m_item_markers), std::end(m_item_markers), 0);
  return CloseChild(CHILD_CELL);
}

BOOL CFrame::AddToCell(CTableCell* cell, const CString& text, const int layout[2]) {
  if (cell == nullptr) return FALSE;
  const CFontSpec& spec = TextFont();
  if (m_action_kind == 3 || m_action_kind == 4) {
    CSymbolBitmaps* bitmaps = nullptr;
    if (m_face != nullptr) m_face->FindSymbolBitmaps(text, bitmaps);
    const CDynBuf* assignments =
        m_action_count < static_cast<int>(m_actions.size()) ? m_actions[static_cast<size_t>(m_action_count)].get()
                                                            : nullptr;
    cell->AddSymbol(text, bitmaps, spec, layout[0], layout[1], m_text_kind, m_action_kind, m_action_text,
                    assignments);
    return TRUE;
  }
  TextLink link;
  link.kind = m_action_kind;
  if (link.kind != 0) link.target = m_action_text;
  link.key_mark = m_item_markers[0];
  link.tip_mark = m_item_markers[1];
  link.order_number = m_item_markers[2];
  link.hotspot_part = m_item_markers[3];
  link.value = m_action_count;
  // Texts of another kind than 1 break at the characters their style names.
  const CString& breaks =
      m_text_kind != 1 && !m_style_name.IsEmpty() ? m_style_name : theGlobals.m_def_break_charset;
  cell->AddText(text, GetFont(spec), spec, layout[0], layout[1], m_text_kind, breaks, link);
  return TRUE;
}

void CFrame::MarkLineEnd(int continueTag, int endMode) {
  CTableCell* cell = nullptr;
  const int* layout = m_free_layout;
  BOOL dropped = FALSE;
  if (continueTag == 34) {
    cell = PendingCell();
  } else if (continueTag == 48) {
    const CTablePart* part = PendingPart();
    const CTableLine* row = part != nullptr ? part->CurrentRow() : nullptr;
    if (row != nullptr) {
      const int column = row->m_current_column;
      cell = row->Cell(column);
      dropped = column < m_column_count && m_columns[static_cast<size_t>(column)].width_spec == -4;
    }
    layout = m_cell_layout;
  }
  if (cell == nullptr) return;
  if (!(m_action_kind != 0 && m_action_text_closed == 0) && !dropped) AddToCell(cell, CString(), layout);
  if (endMode == END_LINE) cell->MarkLineEnd();
  else cell->MarkBreakChance();
}

BOOL CFrame::PlacePicture(const CString& file) {
  OpenChild(CHILD_PICTURE,
            std::make_unique<CImage>(this, file, m_pic_width, m_pic_height, m_pic_width_percent, m_pic_height_percent,
                                     m_pic_margins, m_zoom_rule, m_raster, m_hs_draw),
            -1);
  const BOOL closed = CloseChild(CHILD_PICTURE);
  m_pic_margins = Sides{};
  m_zoom_rule = 2;
  m_raster = 0;
  m_hs_draw = 1;
  return closed;
}

BOOL CFrame::SetPendingHotspot(const CString& name) {
  m_pending_hotspot = name;
  return TRUE;
}

BOOL CFrame::ApplyPendingHotspot(const CString& second) {
  CImage* last = LastPicture();
  if (m_pending_hotspot.IsEmpty() || last == nullptr) return FALSE;
  last->AddHotspotEntry(m_pending_hotspot, second);
  m_pending_hotspot.Empty();
  return TRUE;
}
