// The keyboard in a frame's tables: the view keeps a current row that the
// arrows move and Return follows. The current row stands where the pointer
// would: moving it lights the row and its hotspots and shows the hint as the
// pointer does, and Return does what a click on the row does, so that the
// keyboard reaches every link and order the mouse reaches.
#include <algorithm>

#include "Main/CFrame.h"
#include "Main/CShiftScrollView.h"
#include "mfc/CDC.h"
#include "win32/UserWindows.h"

BOOL CShiftScrollView::HasKeyRows() const {
  if (m_frame == nullptr) return FALSE;
  std::vector<CRect> rows;
  m_frame->KeyRows(const_cast<CShiftScrollView*>(this), rows);
  return !rows.empty();
}

void CShiftScrollView::TakeKeyboard() {
  if (m_hWnd == nullptr) return;
  SetFocus();
  std::vector<CRect> rows;
  if (m_frame != nullptr) m_frame->KeyRows(this, rows);
  if (!rows.empty() && InActiveFrameWindow()) MoveKeyRow(rows, std::max(m_key_row, 0));
}

// Home and End stay the keys of the menu's commands (Home leads to the
// start page).
BOOL CShiftScrollView::TableKey(UINT key) {
  const bool held = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
  if (held || m_frame == nullptr) return FALSE;
  std::vector<CRect> rows;
  m_frame->KeyRows(this, rows);
  if (rows.empty()) return FALSE;
  const int last = static_cast<int>(rows.size()) - 1;
  switch (key) {
    case VK_DOWN: MoveKeyRow(rows, m_key_row < 0 ? 0 : m_key_row + 1); return TRUE;
    case VK_UP: MoveKeyRow(rows, m_key_row < 0 ? last : m_key_row - 1); return TRUE;
    case VK_RETURN:
      if (m_key_row < 0 || m_key_row > last) return FALSE;
      FollowKeyRow(rows);
      return TRUE;
    default: return FALSE;
  }
}

void CShiftScrollView::MoveKeyRow(const std::vector<CRect>& rows, int index) {
  m_key_row = std::clamp(index, 0, static_cast<int>(rows.size()) - 1);
  const CRect& row = rows[static_cast<size_t>(m_key_row)];
  ScrollRowIntoView(row);
  PointAt(KeyPoint(row));
  Invalidate(FALSE);  // the focus frame moves with the row
}

// Return is a click on the current row: with the control key held it orders
// what the row offers, as a click does.
void CShiftScrollView::FollowKeyRow(const std::vector<CRect>& rows) {
  const CPoint point = KeyPoint(rows[static_cast<size_t>(m_key_row)]);
  HitTestAt(point);
  m_last_point = point;
  m_frame->OnHotspotCommand(CursorChoice(), this, point.x, point.y, 1);
}

// The middle of the row, in client coordinates.
CPoint CShiftScrollView::KeyPoint(const CRect& row) {
  const CPoint scroll = ScrollPosition();
  return CPoint((row.left + row.right) / 2 - scroll.x, (row.top + row.bottom) / 2 - scroll.y);
}

void CShiftScrollView::ScrollRowIntoView(const CRect& row) {
  CRect client;
  GetClientRect(&client);
  const int top = ScrollPosition().y;
  if (row.top < top) ScrollVertically(row.top);
  else if (row.bottom > top + client.Height()) ScrollVertically(std::min(row.top, row.bottom - client.Height()));
}

// The view with the keyboard shows a focus frame: around its current row, or
// around the whole view before a row was chosen.
void CShiftScrollView::DrawKeyFocus(CDC* dc) {
  if (dc == nullptr || m_hWnd == nullptr || ::GetFocus() != m_hWnd) return;
  std::vector<CRect> rows;
  if (m_frame != nullptr) m_frame->KeyRows(this, rows);
  CRect frame;
  if (m_key_row >= 0 && m_key_row < static_cast<int>(rows.size())) {
    frame = rows[static_cast<size_t>(m_key_row)];
  } else {
    GetClientRect(&frame);
    frame.OffsetRect(ScrollPosition());
  }
  frame.DeflateRect(1, 1);
  dc->DrawFocusRect(&frame);
}
