#include "orderlist/CMultiLineLiCtrl.h"

#include <algorithm>

#include "comctl/CommCtrl.h"
#include "mfc/CClientDC.h"
#include "mfc/CDC.h"
#include "mfc/CFont.h"
#include "win32/UserMessages.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNAMIC(CMultiLineLiCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CMultiLineLiCtrl, CListCtrl)
  ON_MESSAGE(WM_REFLECT_BASE + WM_MEASUREITEM, OnReflectedMeasure)
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_SETFONT, OnSetFontMessage)
END_MESSAGE_MAP()

namespace {

constexpr int kTextInset = 6;
constexpr int kWidthExtra = 12;
constexpr UINT kCellTextFormat = DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX | DT_END_ELLIPSIS;
// A notification of this code carries the drawing record of a line.
constexpr UINT kDrawItemNotification = 43;
// A move that changes nothing, for the list to measure its lines again.
constexpr UINT kRemeasureFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

}  // namespace

LRESULT CMultiHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_resizable && message == WM_LBUTTONDBLCLK) return 0;
  if (!m_resizable && message == WM_SETCURSOR) return TRUE;
  return CHeaderCtrl::WindowProc(message, wParam, lParam);
}

CMultiLineLiCtrl::CMultiLineLiCtrl()
    : m_text_colours{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_GRAYTEXT)},
      m_back_colours{GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW)} {}

CMultiLineLiCtrl::~CMultiLineLiCtrl() = default;

void CMultiLineLiCtrl::TakeWindow() {
  if (!m_hWnd) return;
  const DWORD style = GetStyle();
  m_single_selection = (style & LVS_SINGLESEL) != 0;
  m_header_click = (style & LVS_NOSORTHEADER) == 0;
  if (!m_header.m_hWnd) {
    if (auto header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))) m_header.SubclassWindow(header);
  }
  m_header.m_resizable = m_resizable_columns;
  // The lines take their height from the list's font.
  Remeasure();
}

// The list asks for its line height again when its place changes.
void CMultiLineLiCtrl::Remeasure() {
  CRect window;
  GetWindowRect(&window);
  WINDOWPOS place{};
  place.hwnd = m_hWnd;
  place.cx = window.Width();
  place.cy = window.Height();
  place.flags = kRemeasureFlags;
  SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&place));
}

LRESULT CMultiLineLiCtrl::OnSetFontMessage(WPARAM, LPARAM) {
  const LRESULT result = Default();
  Remeasure();
  return result;
}

int CMultiLineLiCtrl::InsertColumn(int column, LPCSTR title, int format, int width, int subItem) {
  if (column == 0) {
    m_widths.clear();
    m_initial_widths.clear();
  }
  const int inserted = CListCtrl::InsertColumn(column, title, format, width, subItem);
  if (inserted < 0) return inserted;
  LVCOLUMN info{};
  info.mask = LVCF_FMT | LVCF_WIDTH;
  info.fmt = format;
  info.cx = width;
  SetColumn(inserted, &info);
  m_widths.push_back(width);
  m_initial_widths.push_back(width);
  return inserted;
}

int CMultiLineLiCtrl::InsertColumn(int column, LPCSTR title, char format, int width) {
  const int kind = format == 'R' ? LVCFMT_RIGHT : format == 'C' ? LVCFMT_CENTER : LVCFMT_LEFT;
  return InsertColumn(column, title, kind, width);
}

int CMultiLineLiCtrl::AppendRecord(DWORD data, int lines, bool enabled) {
  const int record = RecordCount();
  const int first = GetItemCount();
  const int count = std::max(lines, 1) + (m_spacer_line ? 1 : 0);
  const DWORD itemData = static_cast<DWORD>(record) | (enabled ? 0 : kGreyed);
  for (int i = 0; i < count; ++i) InsertItem(LVIF_TEXT | LVIF_PARAM, first + i, "", 0, 0, 0, itemData);
  if (m_blank_line) InsertItem(LVIF_TEXT | LVIF_PARAM, first + count, "", 0, 0, 0, static_cast<LPARAM>(kBlankLine));
  m_first.push_back(first);
  m_last.push_back(first + count - 1);
  m_data.push_back(data);
  m_enabled.push_back(enabled);
  return first;
}

void CMultiLineLiCtrl::SetRecordCount(int n, int linesPerRecord, bool enabled) {
  SetItemCount(n);
  const int start = RecordCount();
  for (int record = start; record < start + n; ++record) {
    const int first = GetItemCount();
    InsertItem(LVIF_TEXT | LVIF_PARAM, first, "", 0, 0, 0,
               static_cast<DWORD>(record - start) | (enabled ? 0 : kGreyed));
    m_first.push_back(first);
    m_last.push_back(first + linesPerRecord - 1);
    m_data.push_back(static_cast<DWORD>(record - start));
    m_enabled.push_back(enabled);
  }
}

void CMultiLineLiCtrl::DeleteAllRecords() {
  SetFocusedRecord(-1);
  DeleteAllItems();
  m_first.clear();
  m_last.clear();
  m_data.clear();
  m_enabled.clear();
  m_widths = m_initial_widths;
  for (int column = 0; column < static_cast<int>(m_widths.size()); ++column)
    SetColumnWidth(column, m_widths[static_cast<size_t>(column)]);
}

void CMultiLineLiCtrl::DeleteRecord(DWORD data) {
  const int record = IndexOfData(data);
  if (record < 0) return;
  const auto at = static_cast<size_t>(record);
  const int first = m_first[at];
  const int last = m_last[at] + (m_blank_line ? 1 : 0);
  for (int line = last; line >= first; --line) DeleteItem(line);
  const int removed = last - first + 1;
  m_first.erase(m_first.begin() + record);
  m_last.erase(m_last.begin() + record);
  m_data.erase(m_data.begin() + record);
  m_enabled.erase(m_enabled.begin() + record);
  for (size_t later = at; later < m_first.size(); ++later) {
    m_first[later] -= removed;
    m_last[later] -= removed;
  }
  NumberLinesFrom(record);
  if (m_focused == record) SetFocusedRecord(-1);
  else if (m_focused > record) --m_focused;
}

// The later lines name their records by their new indexes.
void CMultiLineLiCtrl::NumberLinesFrom(int record) {
  for (int r = record; r < RecordCount(); ++r) {
    const DWORD greyed = m_enabled[static_cast<size_t>(r)] ? 0 : kGreyed;
    for (int line = FirstLine(r); line <= LastLine(r); ++line) SetItemData(line, static_cast<DWORD>(r) | greyed);
  }
}

DWORD CMultiLineLiCtrl::RecordData(int index) const {
  return index >= 0 && index < RecordCount() ? m_data[static_cast<size_t>(index)] : static_cast<DWORD>(-1);
}

int CMultiLineLiCtrl::IndexOfData(DWORD data) const {
  if (data < m_data.size() && m_data[data] == data) return static_cast<int>(data);
  const auto found = std::find(m_data.begin(), m_data.end(), data);
  return found == m_data.end() ? -1 : static_cast<int>(found - m_data.begin());
}

DWORD CMultiLineLiCtrl::FocusedData() const { return RecordData(m_focused); }

int CMultiLineLiCtrl::SelectedCount() const {
  if (m_single_selection) return m_focused >= 0 ? 1 : 0;
  int count = 0, lastRecord = -1;
  for (int line = GetNextItem(-1, LVNI_SELECTED); line >= 0; line = GetNextItem(line, LVNI_SELECTED)) {
    const auto data = static_cast<DWORD>(GetItemData(line));
    if (data == kBlankLine) continue;
    const int record = static_cast<int>(data & ~kGreyed);
    if (record != lastRecord) ++count;
    lastRecord = record;
  }
  return count;
}

void CMultiLineLiCtrl::SelectRecord(int index, int mode) {
  if (index < 0 || index >= RecordCount()) return;
  const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
  if (!m_single_selection || mode == 0) {
    for (int line = FirstLine(index); line <= LastLine(index); ++line) SetItemState(line, mode ? both : 0, both);
    return;
  }
  SetItemState(mode == -1 ? FirstLine(index) : LastLine(index), both, both);
  SetFocusedRecord(index);
}

void CMultiLineLiCtrl::MakeRecordVisible(DWORD data, BOOL partial) {
  const int record = IndexOfData(data);
  if (record < 0) return;
  EnsureVisible(LastLine(record), partial);
  EnsureVisible(FirstLine(record), partial);
}

void CMultiLineLiCtrl::AutoSizeColumns() {
  SendMessage(WM_SETREDRAW, FALSE);
  m_widths.resize(m_initial_widths.size());
  for (int column = 0; column < static_cast<int>(m_widths.size()); ++column) {
    const int width = OptimalColumnWidth(column);
    SetColumnWidth(column, width);
    m_widths[static_cast<size_t>(column)] = width;
  }
  SendMessage(WM_SETREDRAW, TRUE);
  Invalidate();
}

bool CMultiLineLiCtrl::CellText(DWORD, int, int, CString& text) const {
  text.Empty();
  return true;
}

int CMultiLineLiCtrl::CustomCellWidth(DWORD, int, int) const { return 0; }

// The widest of the title and the cells, with room either side; with a
// font of fixed pitch only the cell of most characters is measured.
int CMultiLineLiCtrl::OptimalColumnWidth(int column) {
  char title[256] = "";
  LVCOLUMN info{};
  info.mask = LVCF_TEXT;
  info.pszText = title;
  info.cchTextMax = sizeof title;
  GetColumn(column, &info);
  int widest = GetStringWidth(title);
  CString longest;
  for (int record = 0; record < RecordCount(); ++record) {
    const int lines = LastLine(record) - FirstLine(record) + 1 - (m_spacer_line ? 1 : 0);
    for (int line = 0; line < lines; ++line) {
      CString text;
      const DWORD data = m_data[static_cast<size_t>(record)];
      if (!CellText(data, column, line, text)) {
        widest = std::max(widest, CustomCellWidth(data, column, line));
      } else if (!m_fixed_pitch) {
        widest = std::max(widest, GetStringWidth(text));
      } else if (text.GetLength() > longest.GetLength()) {
        longest = text;
      }
    }
  }
  if (m_fixed_pitch) widest = std::max(widest, GetStringWidth(longest));
  return widest + kWidthExtra;
}

void CMultiLineLiCtrl::DrawBlankLine(CDC& dc, const CRect& rect) {
  dc.FillSolidRect(&rect, m_back_colours[kNormal]);
}

void CMultiLineLiCtrl::DrawRecordLine(CDC& dc, DWORD data, int line, const CRect& rect, int state) {
  int left = rect.left;
  const int columns = m_header.m_hWnd ? m_header.GetItemCount() : static_cast<int>(m_widths.size());
  for (int column = 0; column < columns; ++column) {
    const int width = GetColumnWidth(column);
    CRect cell(left, rect.top + m_cell_margin, left + width, rect.bottom - m_cell_margin);
    left += width;
    CString text;
    if (CellText(data, column, line, text)) DrawCellText(dc, text, cell, column);
    else DrawCustomCell(dc, data, column, line, cell, state);
  }
}

void CMultiLineLiCtrl::DrawCellText(CDC& dc, const CString& text, CRect rect, int column) {
  rect.DeflateRect(kTextInset, 0);
  if (rect.IsRectEmpty()) return;
  const int format = ColumnFormat(column) & (LVCFMT_RIGHT | LVCFMT_CENTER);
  const int width = dc.GetTextExtent(text).cx;
  if (width < rect.Width()) {
    if (format == LVCFMT_RIGHT) rect.left = rect.right - width;
    else if (format == LVCFMT_CENTER) rect.left += (rect.Width() - width) / 2;
  }
  dc.DrawText(text, &rect, kCellTextFormat);
}

void CMultiLineLiCtrl::DrawCustomCell(CDC&, DWORD, int, int, const CRect&, int) {}
void CMultiLineLiCtrl::OnColumnClicked(int) {}
void CMultiLineLiCtrl::OnFocusChanged(int, int) {}

int CMultiLineLiCtrl::ColumnFormat(int column) const {
  LVCOLUMN info{};
  info.mask = LVCF_FMT;
  return GetColumn(column, &info) ? info.fmt : LVCFMT_LEFT;
}

bool CMultiLineLiCtrl::Greyed(int record) const { return !m_enabled[static_cast<size_t>(record)]; }

void CMultiLineLiCtrl::SetFocusedRecord(int record) {
  if (record == m_focused) return;
  const int old = m_focused;
  m_focused = record;
  OnFocusChanged(record, old);
}

void CMultiLineLiCtrl::RedrawRecord(int record) {
  if (record >= 0 && record < RecordCount()) RedrawItems(FirstLine(record), LastLine(record));
}

int CMultiLineLiCtrl::LineHeight() const {
  CRect line;
  return GetItemCount() > 0 && GetItemRect(0, &line, LVIR_BOUNDS) ? line.Height() : 0;
}

// A record is drawn whole, whichever of its lines is asked for.
void CMultiLineLiCtrl::DrawItem(LPDRAWITEMSTRUCT item) {
  CDC* dc = CDC::FromHandle(item->hDC);
  const int line = static_cast<int>(item->itemID);
  const auto lineData = static_cast<DWORD>(item->itemData);
  CRect client;
  GetClientRect(&client);
  CRect rect = item->rcItem;
  rect.left = client.left;
  rect.right = client.right;
  if (lineData == kBlankLine) {
    DrawBlankLine(*dc, rect);
    return;
  }
  const int record = static_cast<int>(lineData & ~kGreyed);
  if (record >= RecordCount()) return;
  const bool greyed = (lineData & kGreyed) != 0;
  const bool selected = (GetItemState(line, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  int state = greyed ? kGreyedState : selected ? kSelected : kNormal;
  if (m_single_selection) {
    if (selected && !greyed && record != m_focused) {
      const int old = m_focused;
      m_focused = record;
      RedrawRecord(old);
      OnFocusChanged(record, old);
    }
    state = greyed ? kGreyedState : record == m_focused ? kSelected : kNormal;
  }
  const int height = rect.Height();
  const int firstShown = std::max(FirstLine(record), GetTopIndex());
  rect.top -= (line - firstShown) * height;
  rect.bottom = rect.top + (LastLine(record) - firstShown + 1) * height;

  if (m_back_brushes[state]) ::FillRect(dc->m_hDC, &rect, m_back_brushes[state]);
  else dc->FillSolidRect(&rect, m_back_colours[state]);
  CFont* oldFont = dc->SelectObject(GetFont());
  dc->SetTextColor(m_text_colours[state]);
  dc->SetBkMode(TRANSPARENT);
  int top = rect.top - (FirstLine(record) < firstShown ? (firstShown - FirstLine(record)) * height : 0);
  int lines = LastLine(record) - FirstLine(record) + 1;
  if (m_spacer_line) {
    top += height / 2;
    --lines;
  }
  const DWORD data = m_data[static_cast<size_t>(record)];
  for (int l = 0; l < lines; ++l, top += height) DrawRecordLine(*dc, data, l, CRect(rect.left, top, rect.right, top + height), state);
  if (m_single_selection && state == kSelected && ::GetFocus() == m_hWnd) dc->DrawFocusRect(&rect);
  if (m_separator_line) {
    dc->MoveTo(rect.left, rect.bottom - 1);
    dc->LineTo(rect.right, rect.bottom - 1);
  }
  if (oldFont) dc->SelectObject(oldFont);
}

LRESULT CMultiLineLiCtrl::OnReflectedMeasure(WPARAM, LPARAM lParam) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  CClientDC dc(this);
  CFont* old = dc.SelectObject(GetFont());
  TEXTMETRIC metrics{};
  dc.GetTextMetrics(&metrics);
  if (old) dc.SelectObject(old);
  m_fixed_pitch = (metrics.tmPitchAndFamily & 0x0F) == FIXED_PITCH;
  measure->itemHeight = static_cast<UINT>(metrics.tmHeight + metrics.tmExternalLeading + 2 * m_cell_margin);
  return TRUE;
}

BOOL CMultiLineLiCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHEADER*>(lParam);
  switch (header->hdr.code) {
    case kDrawItemNotification:
      DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      *result = TRUE;
      return TRUE;
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
      if (m_resizable_columns) break;
      *result = TRUE;
      return TRUE;
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW: {
      if (!m_resizable_columns) break;
      const int column = header->iItem;
      const bool stored = column >= 0 && column < static_cast<int>(m_widths.size()) && m_widths[static_cast<size_t>(column)] > 0;
      SetColumnWidth(column, stored ? m_widths[static_cast<size_t>(column)] : OptimalColumnWidth(column));
      *result = 0;
      return TRUE;
    }
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: {
      if (!m_header_click || !m_header.m_hWnd) break;
      // The header names the item; without it, the item under the pointer.
      int clicked = header->iItem;
      const DWORD at = GetMessagePos();
      POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
      ::ScreenToClient(m_header.m_hWnd, &point);
      for (int column = 0; clicked < 0 && column < m_header.GetItemCount(); ++column) {
        CRect rect;
        if (m_header.GetItemRect(column, &rect) && rect.PtInRect(point)) clicked = column;
      }
      if (clicked >= 0) OnColumnClicked(clicked);
      *result = 0;
      return TRUE;
    }
    default: break;
  }
  return CListCtrl::OnNotify(wParam, lParam, result);
}

int CMultiLineLiCtrl::NextEnabledRecord(int from, int step) const {
  for (int record = from + step; record >= 0 && record < RecordCount(); record += step)
    if (!Greyed(record)) return record;
  return -1;
}

void CMultiLineLiCtrl::MoveFocus(int step) {
  const int next = NextEnabledRecord(m_focused, step);
  if (next < 0) {
    if (RecordCount() > 0) EnsureVisible(step < 0 ? FirstLine(0) : LastLine(RecordCount() - 1), FALSE);
    return;
  }
  const int old = m_focused;
  if (old >= 0) SelectRecord(old, 0);
  SelectRecord(next, step < 0 ? -1 : 1);
  RedrawRecord(old);
  RedrawRecord(next);
  EnsureVisible(step < 0 ? FirstLine(next) : LastLine(next), FALSE);
}

void CMultiLineLiCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_ADD && (GetKeyState(VK_CONTROL) & 0x8000)) {
    for (int column = 0; column < static_cast<int>(m_widths.size()); ++column)
      SetColumnWidth(column, m_widths[static_cast<size_t>(column)]);
    return;
  }
  if (m_single_selection && (key == VK_UP || key == VK_DOWN)) {
    MoveFocus(key == VK_UP ? -1 : 1);
    return;
  }
  if (m_single_selection && (key == VK_PRIOR || key == VK_NEXT)) {
    const int before = m_focused;
    CListCtrl::OnKeyDown(key, repeat, flags);
    const int line = GetNextItem(-1, LVNI_SELECTED);
    const auto data = line >= 0 ? static_cast<DWORD>(GetItemData(line)) : kBlankLine;
    const int record = data == kBlankLine ? -1 : static_cast<int>(data & ~kGreyed);
    if (record >= 0 && record != before && !Greyed(record)) {
      SetFocusedRecord(record);
      EnsureVisible(key == VK_PRIOR ? FirstLine(record) : LastLine(record), FALSE);
    } else {
      MoveFocus(key == VK_PRIOR ? -1 : 1);
    }
    return;
  }
  CListCtrl::OnKeyDown(key, repeat, flags);
}
