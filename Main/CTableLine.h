// One row of a table part: one cell per column of the part.
#pragma once

#include <memory>
#include <vector>

#include "Main/CTableCell.h"
#include "mfc/CObject.h"
#include "mfc/CRect.h"

class CTablePart;

class CTableLine : public CObject {
 public:
  CTableLine(CTablePart* part, int columns) : m_cells(static_cast<size_t>(columns)), m_part(part) {}

  CTableCell* Cell(int column) const {
    return column >= 0 && column < static_cast<int>(m_cells.size()) ? m_cells[static_cast<size_t>(column)].get()
                                                                     : nullptr;
  }

  int m_current_column = 0;
  std::vector<std::unique_ptr<CTableCell>> m_cells;
  CTablePart* m_part;  // not owned
  CRect m_rect;
};
