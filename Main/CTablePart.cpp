#include "Main/CTablePart.h"

#include <algorithm>

#include "Main/CWV4Globals.h"
#include "Main/TextSort.h"
#include "mfc/CClientDC.h"
#include "win32/UserWindows.h"

namespace {

// A column is measured in a box this wide.
constexpr int kMeasureWidth = 1000;
// A scrolled part that shares the frame's height shows at least this much.
constexpr int kLeastVisible = 50;

int Flag(int flags, int bit) { return (flags & bit) != 0 ? 1 : 0; }

}  // namespace

CTablePart::CTablePart(int kind, BOOL header, int borderWidth, int borderFlags, COLORREF grid, int sortColumn,
                       CFrame* frame, const std::vector<TableColumn>& columns)
    : m_grid_color(grid),
      m_sort_column(sortColumn),
      m_frame(frame),
      m_kind(kind),
      m_columns(columns),
      m_column_count(static_cast<int>(columns.size())) {
  if (frame != nullptr) {
    m_table_width = frame->m_table_width;
    m_table_height = frame->m_table_height;
    m_width_percent = frame->m_table_width_percent;
    m_height_percent = frame->m_table_height_percent;
  }
  for (int c = 0; c < m_column_count; ++c) {
    if (!m_columns[static_cast<size_t>(c)].IsShown()) continue;
    if (m_first_shown < 0) m_first_shown = c;
    m_last_shown = c;
  }
  const int sides = Flag(borderFlags, BORDER_OUTER_SIDES) * borderWidth;
  const int ends = Flag(borderFlags, BORDER_OUTER_ENDS) * borderWidth;
  m_outer = Sides{sides, ends, sides, ends};
  m_outer_3d = Sides{Flag(borderFlags, EDGE_OUTER_SIDES), Flag(borderFlags, EDGE_OUTER_ENDS),
                     Flag(borderFlags, EDGE_OUTER_SIDES), Flag(borderFlags, EDGE_OUTER_ENDS)};
  // The part's own 3-D edges lie in its insets.
  m_insets = Sides{2 * m_outer_3d.left, kind == CHILD_HEAD_TABLE ? 2 * m_outer_3d.top : 0, 2 * m_outer_3d.right,
                   kind == CHILD_HEAD_TABLE ? 2 * m_outer_3d.bottom : 0};
  if (kind == CHILD_BODY_TABLE && header) {
    m_outer.top = 0;
    m_outer_3d.top = 0;
  }
}

CTableLine* CTablePart::OpenRow() {
  m_rows.push_back(std::make_unique<CTableLine>(this, m_column_count));
  return m_rows.back().get();
}

CTableLine* CTablePart::CurrentRow() const {
  return HasOpenRow() ? m_rows[static_cast<size_t>(m_row_count)].get() : nullptr;
}

CTableCell* CTablePart::Cell(int row, int column) const {
  return row >= 0 && row < m_row_count ? m_rows[static_cast<size_t>(row)]->Cell(column) : nullptr;
}

void CTablePart::Close(int borderWidth, int borderFlags) {
  // A row that was opened and never closed holds no complete cells.
  m_rows.resize(static_cast<size_t>(m_row_count));
  if (m_row_count == 0) return;
  const int edge = Flag(borderFlags, EDGE_OUTER_ENDS);
  const int bottom = Flag(borderFlags, BORDER_OUTER_ENDS) * borderWidth + 2 * edge;
  for (auto& cell : m_rows.back()->m_cells) {
    cell->m_strips.bottom = bottom;
    cell->m_three_d.bottom = edge;
  }
  SortRows(m_sort_column);
}

void CTablePart::SortRows(int sortColumn) {
  if (sortColumn == 0 || m_row_count < 2) return;
  const int key = sortColumn > 0 ? sortColumn - 1 : -sortColumn - 1;
  std::vector<CString> keys;
  for (const auto& row : m_rows) {
    const CTableCell* cell = row->Cell(key);
    keys.push_back(cell != nullptr ? cell->GetText() : CString());
  }
  const std::vector<int> order = SortTextOrder(keys, sortColumn < 0, TRUE);
  m_rows_laid_out.valid = FALSE;
  std::vector<std::unique_ptr<CTableLine>> sorted;
  for (int index : order) sorted.push_back(std::move(m_rows[static_cast<size_t>(index)]));
  m_rows = std::move(sorted);
  // The outer borders stay at the table's edges: the new first row swaps its
  // top with the row that was first, the new last row its bottom with the
  // row that was last.
  const auto nowAt = [&order](int old) {
    return static_cast<size_t>(std::find(order.begin(), order.end(), old) - order.begin());
  };
  SwapEnds(0, nowAt(0), TRUE);
  SwapEnds(m_rows.size() - 1, nowAt(m_row_count - 1), FALSE);
}

void CTablePart::SwapEnds(size_t a, size_t b, BOOL top) {
  if (a == b) return;
  auto& one = m_rows[a]->m_cells;
  auto& other = m_rows[b]->m_cells;
  for (size_t c = 0; c < one.size() && c < other.size(); ++c) {
    CTableCell& x = *one[c];
    CTableCell& y = *other[c];
    std::swap(top ? x.m_strips.top : x.m_strips.bottom, top ? y.m_strips.top : y.m_strips.bottom);
    std::swap(top ? x.m_three_d.top : x.m_three_d.bottom, top ? y.m_three_d.top : y.m_three_d.bottom);
  }
}

// A column is measured when its width depends on its cells and it has not
// been measured yet.
BOOL CTablePart::WouldMeasure(int column) const {
  if (column < 0 || column >= m_column_count) return FALSE;
  const TableColumn& c = m_columns[static_cast<size_t>(column)];
  return c.measured == -1 && c.IsShown() && !(c.width_spec >= 0 && c.percent == 0);
}

int CTablePart::MeasureColumn(CDC* dc, int column) {
  // Measuring lays the cells out in a box of its own.
  m_rows_laid_out.valid = FALSE;
  int widest = 0;
  for (int row = 0; row < m_row_count; ++row) {
    CTableCell* cell = Cell(row, column);
    if (cell == nullptr) continue;
    CRect box(0, 0, kMeasureWidth, 0);
    int right = 0;
    cell->Layout(dc, box, &right);
    widest = std::max(widest, right);
  }
  return widest;
}

void CTablePart::MeasureColumns() {
  CDC* dc = m_frame != nullptr ? m_frame->m_pDC : nullptr;
  if (dc == nullptr || m_row_count == 0) return;
  for (int c = 0; c < m_column_count; ++c) {
    if (!WouldMeasure(c)) continue;
    TableColumn& column = m_columns[static_cast<size_t>(c)];
    column.measured = MeasureColumn(dc, c);
    if (column.width_spec == -3) column.width_spec = column.measured;
  }
}

// The header's columns are as wide as the body's: both parts take the wider
// of their two measurements.
void CTablePart::MeasureWithHeader(CTablePart& header) {
  CDC* dc = m_frame != nullptr ? m_frame->m_pDC : nullptr;
  if (dc == nullptr) return;
  for (int c = 0; c < m_column_count; ++c) {
    if (!WouldMeasure(c) || !header.WouldMeasure(c)) continue;
    const int widest = std::max(MeasureColumn(dc, c), header.MeasureColumn(dc, c));
    TableColumn& body = m_columns[static_cast<size_t>(c)];
    TableColumn& head = header.m_columns[static_cast<size_t>(c)];
    body.measured = head.measured = widest;
    if (body.width_spec == -3) body.width_spec = head.width_spec = widest;
  }
}

int CTablePart::MinimumWidth(int column) const {
  const int measured = m_columns[static_cast<size_t>(column)].measured;
  const int divisor = theGlobals.m_max_per_tableline;
  // A divisor set to 0 or less in the settings counts as 1.
  const int share = divisor > 0 ? measured / divisor : measured;
  return std::max(share, 0) + m_outer.left + m_outer.right + m_insets.left + m_insets.right;
}

std::vector<int> CTablePart::ColumnWidths(int available) const {
  std::vector<int> widths(static_cast<size_t>(m_column_count), 0);
  int left = available;
  for (int c = 0; c < m_column_count; ++c) {
    const TableColumn& column = m_columns[static_cast<size_t>(c)];
    if (!column.IsShown() || column.width_spec < 0) continue;
    const int asked = column.percent ? static_cast<int>(static_cast<long long>(column.width_spec) * available / 100)
                                     : column.width_spec;
    widths[static_cast<size_t>(c)] = std::max(asked, MinimumWidth(c));
    left -= widths[static_cast<size_t>(c)];
  }
  const int afterFixed = left;
  int rest = -1;
  for (int c = 0; c < m_column_count; ++c) {
    const TableColumn& column = m_columns[static_cast<size_t>(c)];
    if (!column.IsShown() || column.width_spec >= 0) continue;
    if (column.width_spec == -1 && !column.percent) {
      // Only the last rest column takes the rest; another gets its minimum.
      if (rest >= 0) {
        widths[static_cast<size_t>(rest)] = MinimumWidth(rest);
        left -= widths[static_cast<size_t>(rest)];
      }
      rest = c;
      continue;
    }
    const int asked =
        column.percent ? static_cast<int>(static_cast<long long>(-column.width_spec) * afterFixed / 100) : 0;
    widths[static_cast<size_t>(c)] = std::max(asked, MinimumWidth(c));
    left -= widths[static_cast<size_t>(c)];
  }
  if (rest >= 0) widths[static_cast<size_t>(rest)] = std::max(left, MinimumWidth(rest));
  return widths;
}

int CTablePart::LayoutRows(CDC* dc, int left, int top, const std::vector<int>& widths, int& right) {
  RowsLaidOut& last = m_rows_laid_out;
  if (last.valid && last.at == CPoint(left, top) && last.widths == widths) {
    right = last.right;
    return last.bottom;
  }
  int y = top;
  right = left;
  for (int r = 0; r < m_row_count; ++r) {
    CTableLine& row = *m_rows[static_cast<size_t>(r)];
    int x = left;
    int tallest = y;
    for (int c = 0; c < m_column_count; ++c) {
      CTableCell* cell = row.Cell(c);
      if (cell == nullptr) continue;
      if (!m_columns[static_cast<size_t>(c)].IsShown()) {
        cell->m_rect.SetRect(x, y, x, y);
        continue;
      }
      CRect box(x, y, x + widths[static_cast<size_t>(c)], y);
      tallest = std::max(tallest, cell->Layout(dc, box));
      x += widths[static_cast<size_t>(c)];
    }
    for (int c = 0; c < m_column_count; ++c) {
      CTableCell* cell = row.Cell(c);
      if (cell == nullptr || !m_columns[static_cast<size_t>(c)].IsShown() || cell->m_rect.bottom == tallest) continue;
      cell->m_rect.bottom = tallest;
      cell->AlignItems();
    }
    row.m_rect.SetRect(left, y, x, tallest);
    right = std::max(right, x);
    y = tallest;
  }
  last = RowsLaidOut{TRUE, CPoint(left, top), widths, y, right};
  return y;
}

int CTablePart::InnerWidth(const CRect& area, const TableSplit& split) const {
  int width = area.Width() - m_insets.left - m_insets.right;
  if (m_table_width > 0) {
    width = m_width_percent ? static_cast<int>(static_cast<long long>(m_frame->m_client.Width()) * m_table_width / 100)
                            : m_table_width;
  }
  // A scrolled part's view is its rows and a vertical scroll bar; its rows,
  // and those of its header, leave the bar its room in the frame's width.
  CTablePart* body = nullptr;
  const BOOL besideBar = m_kind == CHILD_BODY_TABLE || (m_frame != nullptr && m_frame->FindBodyTable(this, body));
  if (split.scroll_mode != 0 || m_table_height > 0 || besideBar) width -= GetSystemMetrics(SM_CXVSCROLL);
  return width;
}

void CTablePart::Layout(CDC* dc, CRect& area, int child, const TableSplit& split, int& spareHeight) {
  const std::vector<int> widths = ColumnWidths(InnerWidth(area, split));
  int rowsRight = 0;
  if (m_kind == CHILD_HEAD_TABLE) {
    m_rect.SetRect(area.left, area.bottom, area.left, area.bottom);
    const int rowsBottom = LayoutRows(dc, m_rect.left + m_insets.left, m_rect.top + m_insets.top, widths, rowsRight);
    m_rect.right = rowsRight + m_insets.right;
    m_rect.bottom = rowsBottom + m_insets.bottom;
    area.bottom = m_rect.bottom;
    area.right = std::max(area.right, m_rect.right);
    return;
  }
  m_rect.SetRect(0, 0, area.Width(), 0);
  const int natural = LayoutRows(dc, m_insets.left, 0, widths, rowsRight);
  m_rect.right = rowsRight + m_insets.right;
  m_rect.bottom = natural;
  int visible = natural;
  if (m_table_height > 0) {
    const int limit = m_height_percent
                          ? static_cast<int>(static_cast<long long>(m_frame->m_client.Height()) * m_table_height / 100)
                          : m_table_height;
    visible = std::min(visible, limit);
  }
  if (m_table_height != -1 && split.scroll_mode == -1) {
    visible = std::min(visible, kLeastVisible);
  } else if (m_table_height != -1 && split.scroll_mode > 0) {
    int extra = split.last_scroll_child ? spareHeight : static_cast<int>(split.share * (natural - kLeastVisible));
    extra = std::max(std::min(extra, natural - kLeastVisible), 0);
    spareHeight -= extra;
    visible = std::min(visible, kLeastVisible + extra);
  }
  const int top = area.bottom + m_outer.top + 4 * m_outer_3d.top;
  m_view_rect.SetRect(area.left, top, area.left + m_rect.Width() + GetSystemMetrics(SM_CXVSCROLL), top + visible);
  if (m_frame != nullptr) m_frame->CreateChildView(m_view_rect, child);
  area.bottom = m_view_rect.bottom + m_outer.bottom + 4 * m_outer_3d.bottom;
  area.right = std::max(area.right, static_cast<int>(m_view_rect.right));
}

int CTablePart::NeededHeight() const {
  if (m_kind == CHILD_BODY_TABLE && m_table_height != -1) {
    return kLeastVisible + m_outer.top + m_outer.bottom + 4 * m_outer_3d.top + 4 * m_outer_3d.bottom;
  }
  return m_rect.Height();
}

void CTablePart::Paint(CDC* dc, FrameView* view, BOOL hasBody) {
  if (!IsRectVisible(dc, m_rect)) return;
  CRect clip;
  dc->GetClipBox(&clip);
  for (int r = 0; r < m_row_count; ++r) {
    const CRect& row = m_rows[static_cast<size_t>(r)]->m_rect;
    // Rows lie one below the other: those above the area are passed over,
    // and the first one below it ends the painting of rows.
    if (row.bottom < clip.top) continue;
    if (row.top > clip.bottom) break;
    for (int c = 0; c < m_column_count; ++c) {
      CTableCell* cell = Cell(r, c);
      if (cell != nullptr && m_columns[static_cast<size_t>(c)].IsShown()) cell->Draw(dc, view);
    }
  }
  const BOOL ends = m_kind == CHILD_HEAD_TABLE;
  DrawRaisedBorder(m_rect, dc,
                   Sides{m_outer_3d.left, ends ? m_outer_3d.top : 0, m_outer_3d.right,
                         ends && !hasBody ? m_outer_3d.bottom : 0});
}

void CTablePart::DrawBodyBands(CDC* dc, CRect viewRect) {
  if (m_row_count == 0) return;
  viewRect.right = viewRect.left + m_rect.Width();
  const CTableLine& last = *m_rows.back();
  const int below = m_outer.bottom + 2 * m_outer_3d.bottom;
  for (int c = 0; c < m_column_count; ++c) {
    if (last.Cell(c) != nullptr && m_columns[static_cast<size_t>(c)].IsShown()) {
      last.Cell(c)->DrawBandBelow(dc, viewRect.left, viewRect.bottom, below, m_outer_3d.bottom);
    }
  }
  const CRect bottomBox(viewRect.left, viewRect.bottom, viewRect.right,
                        viewRect.bottom + m_outer.bottom + 4 * m_outer_3d.bottom);
  DrawRaisedBorder(bottomBox, dc, Sides{m_outer_3d.left, 0, m_outer_3d.right, m_outer_3d.bottom});
  if (m_outer.top == 0 && m_outer_3d.top == 0) return;
  const CTableLine& first = *m_rows.front();
  const int above = m_outer.top + 2 * m_outer_3d.top;
  for (int c = 0; c < m_column_count; ++c) {
    if (first.Cell(c) != nullptr && m_columns[static_cast<size_t>(c)].IsShown()) {
      first.Cell(c)->DrawBandAbove(dc, viewRect.left, viewRect.top, above, m_outer_3d.top);
    }
  }
  const CRect topBox(viewRect.left, viewRect.top - m_outer.top - 4 * m_outer_3d.top, viewRect.right, viewRect.top);
  DrawRaisedBorder(topBox, dc, Sides{m_outer_3d.left, m_outer_3d.top, m_outer_3d.right, 0});
}
