// The view's window: the form with the order list, the count of lines and
// the totals, kept in place as the frame changes its size.
#include "mfc/CDataExchange.h"
#include "mfc/CFrameWnd.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/CProtocolView.h"
#include "orderlist/res/resource.h"
#include "win32/UserWindows.h"

IMPLEMENT_DYNCREATE(CProtocolView, CFormView)

BEGIN_MESSAGE_MAP(CProtocolView, CFormView)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

namespace {

// The labels under the list, their texts and the form's own wording for a
// text the dictionary lacks.
struct Label {
  int id;
  long text;
  const char* builtIn;
};
constexpr Label kLabels[] = {{IDC_LINE_COUNT_LABEL, 3261, "Anzahl Positionen :"},
                             {IDC_TOTAL_LABEL, 2254, "Summe"},
                             {IDC_GROSS_TOTAL_LABEL, 3262, "Summe incl. MWST"}};

}  // namespace

CProtocolView::CProtocolView() : CProtocolView(*static_cast<CProtocolApp*>(AfxGetApp())) {}

void CProtocolView::OnDraw(CDC*) {}

void CProtocolView::DoDataExchange(CDataExchange* exchange) {
  CFormView::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_ORDER_LINES, m_list);
  m_list.TakeWindow();
  m_list.Bind(this);
}

void CProtocolView::Relabel() {
  for (const Label& label : kLabels) {
    const CString text = m_app.GetText(label.text);
    SetDlgItemText(label.id, text.IsEmpty() ? CString(label.builtIn) : text);
  }
  UpdateColumnTitles();
}

void CProtocolView::UpdateColumnTitles() {
  if (!m_list.m_hWnd) return;
  m_list.UpdateColumnTitles();
  LayoutControls();
}

void CProtocolView::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  m_list.DeleteAllRecords();
  m_list.SetupColumns();
  SetDlgItemText(IDC_LINE_COUNT, "0");
  for (int id : {IDC_TOTAL, IDC_GROSS_TOTAL}) GetDlgItem(id)->ShowWindow(SW_HIDE);
  GetDlgItem(IDC_TOTAL_LABEL)->ShowWindow(m_app.KeepsPrices() ? SW_SHOW : SW_HIDE);
  GetDlgItem(IDC_GROSS_TOTAL_LABEL)->ShowWindow(m_app.KeepsPrices() && m_app.m_vat.Count() > 0 ? SW_SHOW : SW_HIDE);
  Relabel();
  CFrameWnd* frame = GetParentFrame();
  if (frame) frame->RecalcLayout();
  ResizeParentToFit(FALSE);

  CRect client;
  GetClientRect(&client);
  auto place = [this](int id) {
    CRect rect;
    GetDlgItem(id)->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
  };
  const CRect list = place(IDC_ORDER_LINES), countLabel = place(IDC_LINE_COUNT_LABEL),
              countValue = place(IDC_LINE_COUNT), totalLabel = place(IDC_TOTAL_LABEL), total = place(IDC_TOTAL),
              gross = place(IDC_GROSS_TOTAL);
  m_margins = {client.bottom - list.bottom,       countLabel.left,
               countValue.left,                   client.bottom - countLabel.bottom,
               client.right - totalLabel.right,   client.right - total.right,
               client.bottom - total.bottom,      client.bottom - gross.bottom};
  m_laid_out = true;
  if (auto* main = dynamic_cast<CMainFrame*>(frame)) {
    CRect window;
    main->GetWindowRect(&window);
    main->m_min_track_width = window.Width();
    main->m_min_track_height = window.Height();
  }
  UpdateTotals();
}

void CProtocolView::LayoutControls() {
  if (!m_laid_out) return;
  CRect client;
  GetClientRect(&client);
  auto move = [this](int id, int left, int bottom) {
    CWnd* control = GetDlgItem(id);
    CRect rect;
    control->GetWindowRect(&rect);
    control->SetWindowPos(nullptr, left, bottom - rect.Height(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  auto moveRight = [this, &move](int id, int right, int bottom) {
    CRect rect;
    GetDlgItem(id)->GetWindowRect(&rect);
    move(id, right - rect.Width(), bottom);
  };
  GetDlgItem(IDC_ORDER_LINES)
      ->SetWindowPos(nullptr, 0, 0, client.Width(), client.Height() - m_margins.listBottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  move(IDC_LINE_COUNT_LABEL, m_margins.countLabelLeft, client.bottom - m_margins.countBottom);
  move(IDC_LINE_COUNT, m_margins.countValueLeft, client.bottom - m_margins.countBottom);
  moveRight(IDC_TOTAL_LABEL, client.right - m_margins.labelRight, client.bottom - m_margins.totalBottom);
  moveRight(IDC_TOTAL, client.right - m_margins.valueRight, client.bottom - m_margins.totalBottom);
  moveRight(IDC_GROSS_TOTAL_LABEL, client.right - m_margins.labelRight, client.bottom - m_margins.grossBottom);
  moveRight(IDC_GROSS_TOTAL, client.right - m_margins.valueRight, client.bottom - m_margins.grossBottom);
  Invalidate();
  UpdateWindow();
}

// The count always; the totals while prices show, the VAT row while there
// are rates.
void CProtocolView::ShowTotals() {
  if (!m_hWnd) return;
  ShowTotalTexts();
  ShowLines();
}

void CProtocolView::ShowTotalTexts() {
  CString count;
  count.Format("%d", m_totals.lineCount);
  SetDlgItemText(IDC_LINE_COUNT, count);
  SetDlgItemText(IDC_TOTAL, m_totals.totalText);
  SetDlgItemText(IDC_GROSS_TOTAL, m_totals.grossText);
  const int total = m_totals.showTotal ? SW_SHOW : SW_HIDE, gross = m_totals.showGross ? SW_SHOW : SW_HIDE;
  GetDlgItem(IDC_TOTAL_LABEL)->ShowWindow(total);
  GetDlgItem(IDC_TOTAL)->ShowWindow(total);
  GetDlgItem(IDC_GROSS_TOTAL_LABEL)->ShowWindow(gross);
  GetDlgItem(IDC_GROSS_TOTAL)->ShowWindow(gross);
}

void CProtocolView::ShowLines() {
  if (!m_list.m_hWnd) return;
  const int lines = GetItemCount();
  if (m_list.RecordCount() + 1 == lines) {
    m_list.AppendRecord(static_cast<DWORD>(lines - 1), 1);
  } else if (m_list.RecordCount() != lines) {
    m_list.DeleteAllRecords();
    m_list.SetRecordCount(lines);
  }
  ShowCurrentLine();
  m_list.Invalidate();
}

void CProtocolView::ShowCurrentLine() {
  if (m_current < 0 || m_current >= GetItemCount()) return;
  m_list.SelectRecord(m_current, 1);
  m_list.MakeRecordVisible(static_cast<DWORD>(m_current), FALSE);
}

// The list has lost the line already and drawn anew what moved up; the
// count, the totals and the current line follow.
void CProtocolView::ShowDeletedLine() {
  m_totals = CountTotals();
  if (!m_hWnd) return;
  ShowTotalTexts();
  ShowCurrentLine();
}
