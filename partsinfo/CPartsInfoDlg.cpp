#include "partsinfo/CPartsInfoDlg.h"

#include <algorithm>

#include "interfaces/ProtocolCommands.h"
#include "mfc/AfxMessageBox.h"
#include "mfc/CDC.h"
#include "partsinfo/CPartsInfoApp.h"
#include "user/Controls.h"
#include "win32/Files.h"
#include "win32/Gdi.h"
#include "win32/Process.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kColumnMargin = 24;    // a column is this much wider than its widest text
constexpr int kTextIndent = 6;       // a text starts this far right of its column's edge
constexpr int kButtonIndent = 10;    // the first button's distance from the row marker's left edge
constexpr int kButtonGap = 20;
constexpr int kNarrowestColumn = 12;
constexpr UINT kOrderTimeout = 2000;
constexpr const char* kCutMark = "..";
// The order list did not take the ordered row; the user hears of it in both
// of the system's languages, as of other failures of the channel.
constexpr const char* kOrderNotTaken = "Die Bestellung wurde nicht angenommen !\nThe order was not accepted !";

constexpr int kServiceIds[4] = {IDC_SERVICE1, IDC_SERVICE2, IDC_SERVICE3, IDC_SERVICE4};
constexpr int kPriceControls[] = {IDC_PRICE1_LABEL, IDC_PRICE1, IDC_PRICE2_LABEL, IDC_PRICE2,
                                  IDC_VAT_LABEL,    IDC_VAT,    IDC_DISCOUNT_LABEL, IDC_DISCOUNT};

bool FileExists(const CString& path) {
  const DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Starts a program in a new process group; a failure goes unreported.
void StartProgram(const CString& program, const CString& argument, const CString& folder) {
  CString commandLine = " " + argument;
  STARTUPINFO startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcess(program, commandLine.GetBuffer(commandLine.GetLength()), nullptr, nullptr, FALSE,
                    CREATE_NEW_PROCESS_GROUP, nullptr, folder.IsEmpty() ? nullptr : static_cast<const char*>(folder),
                    &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  commandLine.ReleaseBuffer();
}

CString FolderOf(const CString& path) {
  const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
  return slash < 0 ? CString() : path.Left(slash);
}

int TextWidth(CDC& dc, const CString& text) { return dc.GetTextExtent(text).cx; }

}  // namespace

CString FitColumnText(CDC& dc, const CString& text, int width) {
  if (TextWidth(dc, text) <= width) return text;
  CString cut = text;
  while (!cut.IsEmpty() && TextWidth(dc, cut) > width) cut = cut.Left(cut.GetLength() - 1);
  return cut + kCutMark;
}

BEGIN_MESSAGE_MAP(CPartsInfoDlg, CDialog)
  ON_WM_DRAWITEM()
  ON_NOTIFY(NM_CLICK, IDC_PARTS_LIST, OnListClick)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_PARTS_LIST, OnListItemChanged)
  ON_BN_CLICKED(IDC_NOTE, OnNote)
  ON_BN_CLICKED(IDC_EARLIER_PART, OnEarlierPart)
  ON_BN_CLICKED(IDC_LATER_PART, OnLaterPart)
  ON_BN_CLICKED(IDC_ASSEMBLY, OnAssembly)
  ON_BN_CLICKED(IDC_SERVICE1, OnService1)
  ON_BN_CLICKED(IDC_SERVICE2, OnService2)
  ON_BN_CLICKED(IDC_SERVICE3, OnService3)
  ON_BN_CLICKED(IDC_SERVICE4, OnService4)
  ON_MESSAGE(kFitColumnMessage, OnFitColumn)
END_MESSAGE_MAP()

CPartsInfoDlg::CPartsInfoDlg(CPartsInfoApp* app, const char* data, int length, CWnd* parent)
    : CDialog(IDD_PARTS_INFO, parent), m_data(data), m_length(length), m_app(app) {}

CPartsInfoDlg::~CPartsInfoDlg() = default;

BOOL CPartsInfoDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_list.SubclassWindow(::GetDlgItem(m_hWnd, IDC_PARTS_LIST));
  PlaceOnScreen();
  SetTexts();
  AddColumns();
  for (PartsInfoRow& row : m_app->BuildRows(m_data, m_length, true))
    AddRow(std::make_unique<PartsInfoRow>(std::move(row)));
  m_note_bitmaps = false;
  if (m_app->m_notes_on && !m_rows.empty())
    m_has_note = CPartsInfoApp::FileHasContent(m_app->NoteFile(m_rows.back()->partNumber));
  LoadButtons();
  LayOutButtons();
  if (!m_rows.empty()) SelectRow(0);
  Refresh();
  // The order list may be behind another program when it opens the window.
  SetForegroundWindow();
  return FALSE;  // the quantity has the focus
}

void CPartsInfoDlg::PlaceOnScreen() {
  if (m_rect.left == -1 || m_rect.top == -1) return;
  CRect window;
  GetWindowRect(&window);
  int left = m_rect.left, top = m_rect.top;
  left = std::min(left, GetSystemMetrics(SM_CXSCREEN) - window.Width());
  top = std::min(top, GetSystemMetrics(SM_CYSCREEN) - window.Height());
  SetWindowPos(nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPartsInfoDlg::SetTexts() {
  SetWindowText(m_app->WindowText(kTextCaption));
  SetItemText(IDOK, m_app->WindowText(kTextOrder));
  SetItemText(IDCANCEL, m_app->WindowText(kTextCancel));
  SetItemText(IDC_QUANTITY_LABEL, m_app->WindowText(kTextQuantity));
}

void CPartsInfoDlg::AddColumns() {
  for (int column = 0; column < m_app->m_column_count; ++column) {
    const CString& title = m_app->m_column_titles[static_cast<size_t>(column)];
    m_list.InsertColumn(column, title, LVCFMT_LEFT, m_list.GetStringWidth(title) + kColumnMargin);
  }
}

void CPartsInfoDlg::WidenColumn(int column, const CString& text) {
  const int width = m_list.GetStringWidth(text) + kColumnMargin;
  if (width > m_list.GetColumnWidth(column)) m_list.SetColumnWidth(column, width);
}

CString CPartsInfoDlg::ColumnText(const PartsInfoRow& row, int column) const {
  return column < static_cast<int>(row.fields.size()) ? row.fields[static_cast<size_t>(column)] : CString();
}

void CPartsInfoDlg::AddRow(std::unique_ptr<PartsInfoRow> row) {
  const int index = m_list.GetItemCount();
  m_list.InsertItem(index, ColumnText(*row, 0));
  for (int column = 0; column < m_app->m_column_count; ++column) {
    const CString text = ColumnText(*row, column);
    if (column > 0) m_list.SetItemText(index, column, text);
    WidenColumn(column, text);
  }
  m_list.SetItemData(index, reinterpret_cast<DWORD_PTR>(row.get()));
  m_rows.push_back(std::move(row));
  if (index == 0) SelectRow(0);
}

void CPartsInfoDlg::SelectRow(int index) {
  m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.SetFocus();
}

int CPartsInfoDlg::SelectedRow() const {
  const int first = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (first < 0 || m_list.GetNextItem(first, LVNI_SELECTED) >= 0) return -1;
  return first;
}

void CPartsInfoDlg::ShowItem(int id, bool show) {
  if (HWND item = ::GetDlgItem(m_hWnd, id)) ::ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}

void CPartsInfoDlg::SetItemText(int id, const CString& text) {
  if (HWND item = ::GetDlgItem(m_hWnd, id)) ::SetWindowText(item, text);
}

void CPartsInfoDlg::LoadButtons() {
  const PartsInfoBitmaps& bitmaps = m_app->m_bitmaps;
  if (m_app->m_notes_on) {
    m_note_bitmaps = m_note.AutoLoad(IDC_NOTE, this, m_has_note ? bitmaps.noteYes : bitmaps.noteNo);
  }
  if (m_app->m_history_on) {
    m_earlier.AutoLoad(IDC_EARLIER_PART, this, bitmaps.historyBack);
    m_later.AutoLoad(IDC_LATER_PART, this, bitmaps.historyForward);
    m_assembly.AutoLoad(IDC_ASSEMBLY, this, bitmaps.assembly);
  }
  for (size_t n = 0; n < 4; ++n) {
    if (m_app->m_services[n].on)
      m_service_bitmaps[n] = m_services[n].AutoLoad(kServiceIds[n], this, bitmaps.services[n]) != FALSE;
  }
  ShowItem(IDC_NOTE, m_app->m_notes_on && m_note_bitmaps);
  for (int id : {IDC_EARLIER_PART, IDC_LATER_PART, IDC_ASSEMBLY, IDC_SERVICE1, IDC_SERVICE2, IDC_SERVICE3,
                 IDC_SERVICE4})
    ShowItem(id, false);
}

void CPartsInfoDlg::LayOutButtons() {
  HWND marker = ::GetDlgItem(m_hWnd, IDC_BUTTON_ROW);
  if (!marker) return;
  CRect row;
  ::GetWindowRect(marker, &row);
  ScreenToClient(&row);
  std::vector<CPartsInfoButton*> laidOut;
  if (m_app->m_notes_on && m_note.HasBitmaps()) laidOut.push_back(&m_note);
  if (m_app->m_history_on) {
    for (CPartsInfoButton* button : {&m_earlier, &m_later, &m_assembly})
      if (button->HasBitmaps()) laidOut.push_back(button);
  }
  for (size_t n = 0; n < 4; ++n)
    if (m_app->m_services[n].on && m_services[n].HasBitmaps()) laidOut.push_back(&m_services[n]);
  int x = row.left + kButtonIndent;
  for (CPartsInfoButton* button : laidOut) {
    CRect size;
    button->GetWindowRect(&size);
    const int y = row.top + (row.Height() - size.Height()) / 2;
    button->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    x += size.Width() + kButtonGap;
  }
}

void CPartsInfoDlg::ShowNoteState(bool hasNote) {
  if (!m_app->m_notes_on || hasNote == m_has_note) return;
  m_has_note = hasNote;
  if (m_note_bitmaps) {
    m_note.LoadBitmapSet(hasNote ? m_app->m_bitmaps.noteYes : m_app->m_bitmaps.noteNo);
    m_note.Invalidate();
  }
}

void CPartsInfoDlg::Refresh() {
  SetItemText(IDC_HEADER, m_header);
  // The header says whose earlier or later parts are listed; without them it has nothing to say.
  ShowItem(IDC_HEADER, !m_header.IsEmpty());
  m_history_marks = 0;
  const int selected = SelectedRow();
  if (selected < 0) return;
  PartsInfoRow& row = *m_rows[static_cast<size_t>(selected)];

  if (HWND quantity = ::GetDlgItem(m_hWnd, IDC_QUANTITY)) {
    ::SetWindowText(quantity, ColumnText(row, m_app->m_quantity_field));
    ::SetFocus(quantity);
    ::SendMessage(quantity, EM_SETSEL, 0, -1);
  }
  ShowHistory(row);
  if (m_app->m_notes_on) ShowNoteState(CPartsInfoApp::FileHasContent(m_app->NoteFile(row.partNumber)));
  ShowPrices(row);
  ShowServices(row);
  DecideOrder(row);
}

void CPartsInfoDlg::ShowHistory(const PartsInfoRow& row) {
  if (m_app->m_history_on && !row.partNumber.IsEmpty()) m_history_marks = m_app->HistoryMarks(row.partNumber);
  if (!m_app->m_history_on) return;
  ShowItem(IDC_EARLIER_PART, (m_history_marks & 1) && m_earlier.HasBitmaps());
  ShowItem(IDC_LATER_PART, (m_history_marks & 2) && m_later.HasBitmaps());
  ShowItem(IDC_ASSEMBLY, (m_history_marks & 4) && m_assembly.HasBitmaps());
}

void CPartsInfoDlg::ShowPrices(PartsInfoRow& row) {
  if (!m_app->m_prices_on) {
    for (int id : kPriceControls) ShowItem(id, false);
    return;
  }
  const CPartsInfoApp::PriceRecord record = m_app->LookUpPrice(row.partNumber);
  row.price = record.hasPrice ? record.price : 0;
  SetItemText(IDC_PRICE1_LABEL, m_app->m_currency1 + " :");
  SetItemText(IDC_PRICE1, m_app->FormatFixed(row.price, m_app->m_decimals1));
  ShowItem(IDC_PRICE1_LABEL, true);
  ShowItem(IDC_PRICE1, true);
  const bool second = record.found && m_app->m_second_currency > 0;
  if (second) {
    SetItemText(IDC_PRICE2_LABEL, m_app->m_currency2 + " :");
    SetItemText(IDC_PRICE2, m_app->SecondCurrencyText(row.price));
  }
  ShowItem(IDC_PRICE2_LABEL, second);
  ShowItem(IDC_PRICE2, second);
  const bool vat = record.hasVat && m_app->m_vat.HasGroup(record.vatGroup);
  if (vat) {
    row.vatGroup = record.vatGroup;
    SetItemText(IDC_VAT_LABEL, m_app->WindowText(kTextVat));
    SetItemText(IDC_VAT, m_app->VatRateText(record.vatGroup) + "%");
  }
  ShowItem(IDC_VAT_LABEL, vat);
  ShowItem(IDC_VAT, vat);
  if (record.hasDiscount) {
    row.discountGroup = record.discount;
    SetItemText(IDC_DISCOUNT_LABEL, m_app->WindowText(kTextDiscount));
    SetItemText(IDC_DISCOUNT, record.discount);
  }
  ShowItem(IDC_DISCOUNT_LABEL, record.hasDiscount);
  ShowItem(IDC_DISCOUNT, record.hasDiscount);
}

void CPartsInfoDlg::ShowServices(const PartsInfoRow& row) {
  for (size_t n = 0; n < 4; ++n) {
    const PartsInfoService& service = m_app->m_services[n];
    m_service_paths[n].Empty();
    if (!service.on || !m_service_bitmaps[n]) continue;
    CString value;
    if (service.valueColumn >= 0) {
      value = m_app->PartsField(row.partNumber, service.valueColumn);
    }
    if (!value.IsEmpty()) {
      CString path;
      if (!service.dir.IsEmpty()) path = service.dir + "\\";
      if (service.dataLanguageInPath) path += m_app->m_data_language + "\\";
      m_service_paths[n] = path + value;
    }
    const bool found = !m_service_paths[n].IsEmpty();
    ShowItem(kServiceIds[n], found);
    if (found && !service.dir.IsEmpty()) m_services[n].EnableWindow(FileExists(m_service_paths[n]));
  }
}

void CPartsInfoDlg::DecideOrder(const PartsInfoRow& row) {
  if (!m_checks_decided) m_order_allowed = m_app->OrderAllowed(row.partNumber);
  if (HWND ok = ::GetDlgItem(m_hWnd, IDOK)) ::EnableWindow(ok, m_order_allowed);
}

void CPartsInfoDlg::OnListClick(NMHDR*, LRESULT* result) {
  Refresh();
  *result = 0;
}

void CPartsInfoDlg::OnListItemChanged(NMHDR*, LRESULT* result) { *result = 0; }

void CPartsInfoDlg::OnOK() {
  const int selected = SelectedRow();
  // The return key reaches here also while the order button is disabled.
  if (selected < 0 || !m_order_allowed) return;
  PartsInfoRow& row = *m_rows[static_cast<size_t>(selected)];
  CString quantity;
  GetDlgItemText(IDC_QUANTITY, quantity);
  const int quantityField = m_app->m_quantity_field;
  if (quantityField >= 0 && quantityField < static_cast<int>(row.fields.size()) &&
      quantity.Compare(row.fields[static_cast<size_t>(quantityField)]) != 0)
    row.fields[static_cast<size_t>(quantityField)] = quantity;

  CDynBuf answer;
  answer.SetGrowBy(256);
  for (int column = 0; column < m_app->m_column_count; ++column) {
    answer.Append(ColumnText(row, column));
    answer.Append('\0');
  }
  if (m_app->m_prices_on) {
    CString number;
    number.Format("%d", row.price);
    answer.Append(number);
    answer.Append('\0');
    number.Format("%d", row.vatGroup);
    answer.Append(number);
    answer.Append('\0');
    answer.Append(row.discountGroup);
    answer.Append('\0');
  }
  answer.Append('\0');
  if (!CPartsInfoApp::SendAnswer(m_app->m_order_window, PROTOCOL_CMD_ORDER_ANSWER, answer, kOrderTimeout)) {
    // The row was not ordered: it stays, so the user may try again.
    AfxMessageBox(kOrderNotTaken, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (m_rows.size() > 1) return;
  FreeRows();
  KeepRectangle();
  EndDialog(IDOK);
}

void CPartsInfoDlg::OnCancel() {
  FreeRows();
  KeepRectangle();
  EndDialog(IDCANCEL);
}

void CPartsInfoDlg::KeepRectangle() { GetWindowRect(&m_rect); }

void CPartsInfoDlg::FreeRows() {
  if (m_list.GetSafeHwnd()) m_list.DeleteAllItems();
  m_rows.clear();
}

void CPartsInfoDlg::ReplaceRows(std::vector<PartsInfoRow> rows) {
  FreeRows();
  for (PartsInfoRow& row : rows) AddRow(std::make_unique<PartsInfoRow>(std::move(row)));
}

void CPartsInfoDlg::OnNote() {
  const int selected = SelectedRow();
  if (selected < 0) return;
  const PartsInfoRow& row = *m_rows[static_cast<size_t>(selected)];
  const CString name = (row.partNumber.IsEmpty() ? ColumnText(row, m_app->m_key_field) : row.partNumber) + ".notiz";
  const CString file = m_app->m_notes_dir + "\\" + name;
  if (GetFileAttributes(file) == INVALID_FILE_ATTRIBUTES) {
    HANDLE made = CreateFile(file, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made != INVALID_HANDLE_VALUE) CloseHandle(made);
  }
  ShowNoteState(CPartsInfoApp::FileHasContent(file));
  StartProgram(m_app->m_notes_editor, name, m_app->m_notes_dir);
}

void CPartsInfoDlg::OnEarlierPart() { ShowHistoryParts(kHistoryEarlier, kTextEarlierHeader); }
void CPartsInfoDlg::OnLaterPart() { ShowHistoryParts(kHistoryLater, kTextLaterHeader); }
void CPartsInfoDlg::OnAssembly() { ShowHistoryParts(kHistoryAssembly, -1); }

void CPartsInfoDlg::ShowHistoryParts(int kind, int headerText) {
  const int selected = SelectedRow();
  if (selected < 0) return;
  const PartsInfoRow& row = *m_rows[static_cast<size_t>(selected)];
  std::vector<PartsInfoRow> parts = m_app->HistoryParts(row.partNumber, kind);
  if (parts.empty() && !m_app->HasHistory(row.partNumber)) return;
  if (headerText >= 0) m_header = m_app->WindowText(headerText) + ColumnText(row, m_app->m_key_field);
  m_app->Lock();
  ReplaceRows(std::move(parts));
  m_checks_decided = false;
  Refresh();
  m_app->Unlock();
}

void CPartsInfoDlg::OnService1() { StartService(0); }
void CPartsInfoDlg::OnService2() { StartService(1); }
void CPartsInfoDlg::OnService3() { StartService(2); }
void CPartsInfoDlg::OnService4() { StartService(3); }

void CPartsInfoDlg::StartService(int service) {
  const PartsInfoService& settings = m_app->m_services[static_cast<size_t>(service)];
  const CString& path = m_service_paths[static_cast<size_t>(service)];
  if (path.IsEmpty() || settings.viewer.IsEmpty()) return;
  if (!settings.dir.IsEmpty() && !FileExists(path)) {
    m_services[static_cast<size_t>(service)].EnableWindow(FALSE);
    return;
  }
  StartProgram(settings.viewer, path, settings.dir.IsEmpty() ? FolderOf(settings.viewer) : settings.dir);
}

void CPartsInfoDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != IDC_PARTS_LIST) {
    CDialog::OnDrawItem(id, item);
    return;
  }
  const auto* row = reinterpret_cast<const PartsInfoRow*>(item->itemData);
  CDC* dc = CDC::FromHandle(item->hDC);
  const bool selected = item->itemState & ODS_SELECTED;
  dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  dc->SetBkColor(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  int left = item->rcItem.left;
  for (int column = 0; column < m_app->m_column_count; ++column) {
    const int width = m_list.GetColumnWidth(column);
    CRect cell(left, item->rcItem.top, left + width, item->rcItem.bottom);
    const CString text = row ? FitColumnText(*dc, ColumnText(*row, column), width - kColumnMargin) : CString();
    dc->ExtTextOut(left + kTextIndent, cell.top, ETO_CLIPPED | ETO_OPAQUE, &cell, text, nullptr);
    left += width;
  }
  if (item->itemState & ODS_FOCUS) dc->DrawFocusRect(&item->rcItem);
}

// The list's header: a finished column drag redraws the rows; a double
// click on a divider fits the column to its widest text. The list fits the
// column its own way after telling the window, so the window's width follows
// in a message of its own.
BOOL CPartsInfoDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* note = reinterpret_cast<const NMHEADER*>(lParam);
  if (note && m_list.GetSafeHwnd() && note->hdr.hwndFrom == reinterpret_cast<HWND>(::SendMessage(m_list.m_hWnd, LVM_GETHEADER, 0, 0))) {
    if (note->hdr.code == HDN_ENDTRACK) Invalidate();
    if (note->hdr.code == HDN_DIVIDERDBLCLICK && note->iItem >= 0 && note->iItem < m_app->m_column_count)
      PostMessage(kFitColumnMessage, static_cast<WPARAM>(note->iItem), static_cast<LPARAM>(WidestText(note->iItem)));
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

int CPartsInfoDlg::WidestText(int column) const {
  int widest = m_list.GetStringWidth(m_app->m_column_titles[static_cast<size_t>(column)]);
  for (const auto& row : m_rows) widest = std::max(widest, m_list.GetStringWidth(ColumnText(*row, column)));
  return std::max(widest, kNarrowestColumn) + kColumnMargin;
}

LRESULT CPartsInfoDlg::OnFitColumn(WPARAM column, LPARAM width) {
  m_list.SetColumnWidth(static_cast<int>(column), static_cast<int>(width));
  Invalidate();
  return 0;
}
