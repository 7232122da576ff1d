#include "whereused/CWhereUsedResultDlg.h"

#include "mfc/AfxMessageBox.h"
#include "mfc/CDC.h"
#include "mfc/CWaitCursor.h"
#include "whereused/CWhereUsedApp.h"
#include "whereused/WhereUsedFile.h"
#include "whereused/WhereUsedPaging.h"
#include "whereused/resource.h"
#include "win32/UserWindows.h"

namespace {

// The message's "%s" becomes the file name. The message comes from the
// catalogue's texts, so it is never taken as a format: any other "%" in it
// stays as it is.
CString WithFileName(const CString& message, const CString& file) {
  const int at = message.Find("%s");
  if (at < 0) return message;
  return message.Left(at) + file + message.Mid(at + 2);
}

}  // namespace

BEGIN_MESSAGE_MAP(CWhereUsedResultDlg, CDialog)
ON_WM_VSCROLL()
ON_WM_DRAWITEM()
ON_NOTIFY(NM_CLICK, IDC_RESULT_LIST, OnClickList)
ON_NOTIFY(NM_DBLCLK, IDC_RESULT_LIST, OnDblClkList)
END_MESSAGE_MAP()

CWhereUsedResultDlg::CWhereUsedResultDlg(CWhereUsedApp* app, CWnd* parent)
    : CDialog(IDD_RESULTS, parent), m_app(app), m_hits(app->m_geometry) {}

void CWhereUsedResultDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_RESULT_LIST, m_list);
  DDX_Control(exchange, IDC_RESULT_SCROLL, m_scroll);
}

BOOL CWhereUsedResultDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_app->Message(0));
  SetDlgItemText(IDOK, m_app->Message(2));
  SetDlgItemText(IDCANCEL, m_app->Message(3));
  SetUpList();
  if (!Scan()) return TRUE;
  ShowHits();
  return FALSE;
}

// One column as wide as the list but for a scroll bar, and no items yet.
void CWhereUsedResultDlg::SetUpList() {
  CRect list;
  m_list.GetClientRect(&list);
  m_column_width = list.Width() - GetSystemMetrics(SM_CXVSCROLL);
  m_list.InsertColumn(0, "", LVCFMT_LEFT, m_column_width);
  m_list.DeleteAllItems();
  m_hits.Clear();
  m_per_page = m_list.GetCountPerPage();
}

BOOL CWhereUsedResultDlg::Scan() {
  CWaitCursor wait;
  WhereUsedFile file(m_app->m_geometry);
  const WhereUsedQuery query{m_search, m_case_sensitive != FALSE, m_app->m_options.column};
  switch (file.Search(m_app->m_options.data, query, m_hits)) {
    case WhereUsedFile::Status::ok:
      break;
    case WhereUsedFile::Status::cannotOpen:
      AfxMessageBox(WithFileName(m_app->Message(7), m_app->m_options.data), MB_OK);
      EndDialog(IDCANCEL);
      return FALSE;
    case WhereUsedFile::Status::cannotRead:
      AfxMessageBox(m_app->Message(4), MB_OK);
      EndDialog(IDCANCEL);
      return FALSE;
  }
  m_hit_count = m_hits.Count();
  if (m_hit_count == 0) {
    AfxMessageBox(m_app->Message(5), MB_OK);
    m_key.Empty();
    EndDialog(IDCANCEL);
    return FALSE;
  }
  if (m_hit_count == 1) {
    Pick(0);
    EndDialog(IDOK);
    return FALSE;
  }
  return TRUE;
}

// More hits than rows: a page of empty rows, and the scroll bar chooses the
// hits they show.
void CWhereUsedResultDlg::ShowHits() {
  m_paged = m_hit_count > m_per_page;
  int rows = m_hit_count;
  if (m_paged) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = 0;
    info.nMax = m_hit_count - 1;
    info.nPage = static_cast<UINT>(m_per_page);
    info.nPos = 0;
    m_scroll.SetScrollInfo(&info);
    m_scroll.ShowScrollBar(TRUE);
    rows = m_per_page;
  } else {
    m_scroll.ShowScrollBar(FALSE);
  }
  for (int row = 0; row < rows; ++row) m_list.InsertItem(row, "");
  m_list.SetFocus();
  CString label;
  label.Format("%d %s", m_hit_count, static_cast<const char*>(m_app->Message(6)));
  SetDlgItemText(IDC_HIT_COUNT, label);
}

void CWhereUsedResultDlg::OnVScroll(UINT code, UINT position, CScrollBar* bar) {
  if (!m_paged) return;
  const int next =
      WhereUsedPaging::Scroll(code, static_cast<int>(position), m_scroll.GetScrollPos(), m_hit_count, m_per_page);
  if (next < 0) return;
  m_scroll.SetScrollPos(next);
  m_list.RedrawWindow();
}

// The hit's text, cut at its end with ".." when it is wider than the column.
CString CWhereUsedResultDlg::FittedText(CDC& dc, int hit) const {
  CString text = m_hits.Text(hit);
  if (dc.GetTextExtent(text).cx <= m_column_width) return text;
  while (!text.IsEmpty() && dc.GetTextExtent(text).cx > m_column_width) text = text.Left(text.GetLength() - 1);
  return text + "..";
}

void CWhereUsedResultDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id == IDC_RESULT_LIST && item != nullptr) {
    const int hit = static_cast<int>(item->itemID) + FirstShownHit();
    CDC* dc = CDC::FromHandle(item->hDC);
    if (hit < m_hit_count && dc != nullptr) {
      CFont* font = dc->SelectObject(GetFont());
      const bool selected = hit == m_selected;
      dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      dc->SetBkColor(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      const CRect cell(item->rcItem.left, item->rcItem.top, item->rcItem.left + m_column_width, item->rcItem.bottom);
      dc->ExtTextOut(cell.left, cell.top, ETO_OPAQUE | ETO_CLIPPED, &cell, FittedText(*dc, hit), nullptr);
      dc->SelectObject(font);
    }
  }
  CDialog::OnDrawItem(id, item);
}

void CWhereUsedResultDlg::OnClickList(NMHDR* header, LRESULT* result) {
  *result = 0;
  const POINT point = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
  for (int row = 0; row < m_list.GetItemCount(); ++row) {
    CRect rect;
    if (!m_list.GetItemRect(row, &rect, LVIR_BOUNDS) || !rect.PtInRect(point)) continue;
    const int hit = row + FirstShownHit();
    if (hit != m_selected) {
      m_selected = hit;
      m_list.RedrawWindow();
    }
    return;
  }
}

void CWhereUsedResultDlg::OnDblClkList(NMHDR* header, LRESULT* result) {
  *result = 0;
  OnOK();
}

void CWhereUsedResultDlg::Pick(int hit) {
  if (m_app->m_geometry.blockLength > 0) m_block = m_hits.Block(hit);
  m_key = m_hits.Key(hit);
}

void CWhereUsedResultDlg::OnOK() {
  if (m_selected < 0 || m_selected >= m_hit_count) return;
  Pick(m_selected);
  m_list.DeleteAllItems();
  EndDialog(IDOK);
}

void CWhereUsedResultDlg::OnCancel() {
  m_key.Empty();
  m_list.DeleteAllItems();
  EndDialog(IDCANCEL);
}
