#include "orderlist/CAddressBookDlg.h"

#include <algorithm>
#include <iterator>

#include "foundation/MessageFormat.h"
#include "mfc/CDataExchange.h"
#include "orderlist/CAddressHitsDlg.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/OrderAddresses.h"
#include "orderlist/OrderHeader.h"
#include "orderlist/res/resource.h"
#include "user/Controls.h"
#include "win32/MessageBox.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kFieldEdits[kAddressFields] = {IDC_ADDRESS_NUMBER, 1059, 1060, 1061, 1062, 1063,
                                             1064, 1065, 1066, 1067, 1068, 1069};
constexpr int kFirstFieldLabel = IDC_ADDRESS_NUMBER_LABEL;
constexpr long kTakeOverText = 238, kCancelText = 680;
constexpr long kPositionText = 2267;
constexpr long kUnreadableCard = 2265, kNoHit = 2266, kAskDeleteCard = 2270, kAskSaveChanges = 2287;
// The program's text for a file it cannot write, with the book's path.
constexpr long kBookNotWritten = 3249;
// The main frame's texts for menus of dialogs.
constexpr int kDialogMenu = 1;

struct ModeButtons {
  int ok;
  long okText;
  int cancel;
  long captionText;
};

ModeButtons ButtonsOf(CAddressBookDlg::Mode mode) {
  switch (mode) {
    case CAddressBookDlg::kNewCard: return {IDC_SAVE_NEW_CARD, 881, IDC_CANCEL_NEW_CARD, 2285};
    case CAddressBookDlg::kEditing: return {IDC_SAVE_CARD, 637, IDC_CANCEL_EDIT_CARD, 2284};
    case CAddressBookDlg::kSearching: return {IDC_RUN_SEARCH, 2317, IDC_CANCEL_SEARCH, 2317};
    case CAddressBookDlg::kBrowsing: break;
  }
  return {IDOK, kTakeOverText, IDCANCEL, 0};
}

bool IsFieldEdit(int id) { return std::find(std::begin(kFieldEdits), std::end(kFieldEdits), id) != std::end(kFieldEdits); }

}  // namespace

BEGIN_MESSAGE_MAP(CAddressBookDlg, CDialog)
  ON_BN_CLICKED(IDC_PREVIOUS_CARD, OnPrev)
  ON_BN_CLICKED(IDC_NEXT_CARD, OnNext)
  ON_COMMAND(ID_CARD_NEW, OnNew)
  ON_COMMAND(ID_CARD_EDIT, OnEdit)
  ON_COMMAND(ID_CARD_DELETE, OnDelete)
  ON_COMMAND(ID_CARD_SEARCH, OnSearch)
  ON_BN_CLICKED(IDC_SAVE_NEW_CARD, OnSaveNew)
  ON_BN_CLICKED(IDC_SAVE_CARD, OnSaveEdit)
  ON_BN_CLICKED(IDC_RUN_SEARCH, OnRunSearch)
  ON_BN_CLICKED(IDC_CANCEL_NEW_CARD, OnCancelMode)
  ON_BN_CLICKED(IDC_CANCEL_EDIT_CARD, OnCancelMode)
  ON_BN_CLICKED(IDC_CANCEL_SEARCH, OnCancelMode)
  ON_WM_INITMENU()
  ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

CAddressBookDlg::CAddressBookDlg(CProtocolApp& app, CWnd* parent) : CDialog(IDD_ADDRESS_BOOK, parent), m_app(app) {
  m_book.SetLog(app.m_log.get());
}

bool CAddressBookDlg::ChooseAddress(CProtocolApp& app, CWnd* parent, const CString& path, const CString& caption,
                                    long lockBit, CStringArray& address) {
  CAddressBookDlg dialog(app, parent);
  dialog.m_path = path;
  dialog.m_caption = caption;
  dialog.m_lock_bit = lockBit;
  if (dialog.DoModal() != IDOK) return false;
  address.Copy(dialog.m_result);
  return true;
}

void CAddressBookDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_PREVIOUS_CARD, m_prev);
  DDX_Control(exchange, IDC_NEXT_CARD, m_next);
}

BOOL CAddressBookDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_result.SetSize(kAddressFields);
  m_ok_button = ::GetDlgItem(m_hWnd, IDOK);
  m_cancel_button = ::GetDlgItem(m_hWnd, IDCANCEL);
  if (m_path.IsEmpty() || !m_book.SetFile(m_path) || !m_book.Open()) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  BuildBrowseList();
  // The cards before the damage can still be used; the user hears of it once.
  if (m_book.MetDamage()) ReportUnreadableCard();
  if (GetCount() == 0) {
    ShowEmptyBook();
  } else {
    m_index = 1;
    if (!ShowCard(m_offsets[0])) return TRUE;
  }
  m_prev.LoadBitmaps("IDB_BITMAP_VORU", "IDB_BITMAP_VORD", "IDB_BITMAP_VORF", "IDB_BITMAP_VORX");
  m_next.LoadBitmaps("IDB_BITMAP_NACHU", "IDB_BITMAP_NACHD", "IDB_BITMAP_NACHF", "IDB_BITMAP_NACHX");
  SetWindowText(m_caption);
  for (int field = 0; field < kAddressFields; ++field)
    SetDlgItemText(kFirstFieldLabel + field, m_app.GetText(kAddressFieldTexts[field]));
  SetDlgItemText(IDOK, m_app.GetText(kTakeOverText));
  SetDlgItemText(IDCANCEL, m_app.GetText(kCancelText));
  if (m_menu.LoadMenu(IDR_ADDRESS_MENU)) {
    TranslateMenu(m_menu);
    SetMenu(&m_menu);
  }
  UpdateBrowseButtons();
  ::EnableWindow(m_ok_button, GetCount() > 0);
  SetFieldsReadOnly(true);
  return TRUE;
}

BOOL CAddressBookDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == EN_CHANGE && IsFieldEdit(LOWORD(wParam))) m_changed = true;
  return CDialog::OnCommand(wParam, lParam);
}

void CAddressBookDlg::BuildBrowseList() { m_book.FindInField("*", 0, m_offsets); }

bool CAddressBookDlg::ShowCard(DWORD offset) {
  if (!m_book.ReadRecord(offset, m_result)) {
    m_offset = CKartei::kNoCard;
    ReportUnreadableCard();
    EndWith(IDCANCEL);
    return false;
  }
  m_offset = offset;
  ShowTexts(m_result);
  ShowPosition();
  return true;
}

void CAddressBookDlg::ReportUnreadableCard() { m_app.ShowMessage(kUnreadableCard, {m_path}); }

void CAddressBookDlg::ShowTexts(const CStringArray& texts) {
  for (int field = 0; field < kAddressFields; ++field)
    SetDlgItemText(kFieldEdits[field], field < texts.GetSize() ? texts[field] : CString());
  m_changed = false;
}

void CAddressBookDlg::TakeFields(CStringArray& texts) const {
  texts.SetSize(kAddressFields);
  for (int field = 0; field < kAddressFields; ++field) GetDlgItemText(kFieldEdits[field], texts[field]);
}

void CAddressBookDlg::ClearFields() {
  for (int edit : kFieldEdits) SetDlgItemText(edit, "");
  m_changed = false;
}

void CAddressBookDlg::ShowEmptyBook() {
  ClearFields();
  m_index = -1;
  m_offset = CKartei::kNoCard;
  GetDlgItem(IDC_CARD_POSITION)->ShowWindow(SW_HIDE);
  ::EnableWindow(m_ok_button, FALSE);
}

void CAddressBookDlg::ShowPosition() {
  SetDlgItemText(IDC_CARD_POSITION, FormatMessageText(m_app.GetText(kPositionText), {m_index, GetCount()}));
  GetDlgItem(IDC_CARD_POSITION)->ShowWindow(SW_SHOW);
}

void CAddressBookDlg::SetFieldsReadOnly(bool readOnly) {
  for (int edit : kFieldEdits) SendDlgItemMessage(edit, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
  m_changed = false;
}

void CAddressBookDlg::UpdateBrowseButtons() {
  const bool browsing = m_mode == kBrowsing && m_offset != CKartei::kNoCard;
  m_prev.EnableWindow(browsing && m_index >= 2);
  m_next.EnableWindow(browsing && m_index < GetCount());
}

void CAddressBookDlg::StartMode(Mode mode) {
  TakeFields(m_backup);
  m_mode = mode;
  const ModeButtons buttons = ButtonsOf(mode);
  ::SetWindowLong(m_ok_button, GWL_ID, buttons.ok);
  ::SetWindowLong(m_cancel_button, GWL_ID, buttons.cancel);
  ::SetWindowText(m_ok_button, m_app.GetText(buttons.okText));
  ::SetWindowText(m_cancel_button, m_app.GetText(kCancelText));
  SetWindowText(m_caption + " - " + m_app.GetText(buttons.captionText));
  SetDefID(static_cast<UINT>(buttons.ok));
  UpdateBrowseButtons();
}

void CAddressBookDlg::LeaveMode() {
  m_mode = kBrowsing;
  ::SetWindowLong(m_ok_button, GWL_ID, IDOK);
  ::SetWindowLong(m_cancel_button, GWL_ID, IDCANCEL);
  ::SetWindowText(m_ok_button, m_app.GetText(kTakeOverText));
  ::SetWindowText(m_cancel_button, m_app.GetText(kCancelText));
  SetWindowText(m_caption);
  SetDefID(IDOK);
  SetFieldsReadOnly(true);
  UpdateBrowseButtons();
}

// The new card is written before the old one is marked deleted, so a card
// that cannot be written leaves the old one in the book.
DWORD CAddressBookDlg::SaveCurrentCard() {
  CStringArray texts;
  TakeFields(texts);
  DWORD added = CKartei::kNoCard;
  if (!m_book.AppendRecord(texts, added)) {
    m_app.ShowMessage(kBookNotWritten, {m_path});
    return m_offset;
  }
  m_book.DeleteRecord(m_offset);
  return added;
}

void CAddressBookDlg::OfferToSaveChanges() {
  if (!m_changed) return;
  if (m_app.MessageBox(m_app.GetText(kAskSaveChanges), MB_YESNO) == IDYES && m_offset != CKartei::kNoCard) {
    m_offset = SaveCurrentCard();
    m_offsets[m_index - 1] = m_offset;
  }
  m_changed = false;
}

void CAddressBookDlg::OnPrev() {
  if (m_mode != kBrowsing || m_offset == CKartei::kNoCard) return;
  OfferToSaveChanges();
  if (m_index < 2) return;
  --m_index;
  if (ShowCard(m_offsets[m_index - 1])) UpdateBrowseButtons();
}

void CAddressBookDlg::OnNext() {
  if (m_mode != kBrowsing || m_offset == CKartei::kNoCard) return;
  OfferToSaveChanges();
  if (m_index >= GetCount()) return;
  ++m_index;
  if (ShowCard(m_offsets[m_index - 1])) UpdateBrowseButtons();
}

bool CAddressBookDlg::MayChangeBook() const { return m_mode == kBrowsing && !(m_app.m_config & m_lock_bit); }

void CAddressBookDlg::OnNew() {
  if (!MayChangeBook()) return;
  StartMode(kNewCard);
  ClearFields();
  GetDlgItem(IDC_CARD_POSITION)->ShowWindow(SW_HIDE);
  ::EnableWindow(m_ok_button, TRUE);
  SetFieldsReadOnly(false);
}

void CAddressBookDlg::OnSaveNew() {
  if (m_mode != kNewCard) return;
  CStringArray texts;
  TakeFields(texts);
  LeaveMode();
  DWORD added = CKartei::kNoCard;
  const bool appended = m_book.AppendRecord(texts, added) != FALSE;
  if (!appended) m_app.ShowMessage(kBookNotWritten, {m_path});
  BuildBrowseList();
  ShowFromList(appended ? GetCount() : 1);
}

void CAddressBookDlg::OnEdit() {
  if (!MayChangeBook() || GetCount() == 0) return;
  StartMode(kEditing);
  SetFieldsReadOnly(false);
}

// The edited card stands at the end of the book afterwards.
void CAddressBookDlg::OnSaveEdit() {
  if (m_mode != kEditing) return;
  const DWORD saved = m_offset != CKartei::kNoCard ? SaveCurrentCard() : m_offset;
  LeaveMode();
  BuildBrowseList();
  const int place = PlaceOf(saved);
  ShowFromList(place > 0 ? place : GetCount());
}

void CAddressBookDlg::OnDelete() {
  if (!MayChangeBook() || m_offset == CKartei::kNoCard) return;
  if (m_app.MessageBox(m_app.GetText(kAskDeleteCard), MB_YESNO) != IDYES) return;
  m_book.DeleteRecord(m_offset);
  BuildBrowseList();
  ShowFromList(std::min(m_index, GetCount()));
}

void CAddressBookDlg::OnSearch() {
  if (m_mode != kBrowsing || GetCount() == 0) return;
  StartMode(kSearching);
  ClearFields();
  GetDlgItem(IDC_CARD_POSITION)->ShowWindow(SW_HIDE);
  SetFieldsReadOnly(false);
}

void CAddressBookDlg::OnRunSearch() {
  if (m_mode != kSearching) return;
  CStringArray patterns;
  TakeFields(patterns);
  CArray<DWORD> hits;
  const int count = m_book.FindAll(patterns, hits);
  DWORD chosen = CKartei::kNoCard;
  bool read = false;
  if (count == 0) {
    m_app.MessageBox(m_app.GetText(kNoHit), MB_OK);
    return;
  }
  if (count == 1) {
    chosen = hits[0];
    read = m_book.ReadRecord(chosen, m_result) != FALSE;
  } else {
    CAddressHitsDlg hitsDialog(m_app, m_book, hits, m_result, this);
    if (hitsDialog.DoModal() != IDOK) return;
    chosen = hitsDialog.m_chosen;
    read = true;
  }
  LeaveMode();
  const int place = read ? PlaceOf(chosen) : 0;
  if (place <= 0) {
    ReportUnreadableCard();
    ClearFields();
    m_index = -1;
    m_offset = CKartei::kNoCard;
    UpdateBrowseButtons();
    return;
  }
  m_index = place;
  m_offset = chosen;
  ShowTexts(m_result);
  ShowPosition();
  UpdateBrowseButtons();
}

void CAddressBookDlg::OnCancelMode() {
  if (m_mode == kBrowsing) return;
  LeaveMode();
  if (GetCount() == 0) {
    ShowEmptyBook();
    return;
  }
  ShowTexts(m_backup);
  if (m_offset != CKartei::kNoCard) ShowPosition();
  UpdateBrowseButtons();
}

// The place of a card in the browse list (the last equal entry), 1-based;
// 0 when it is not there.
int CAddressBookDlg::PlaceOf(DWORD offset) const {
  for (int place = GetCount(); place >= 1; --place)
    if (m_offsets[place - 1] == offset) return place;
  return 0;
}

// Shows the card at the place, or the empty book when there is none.
void CAddressBookDlg::ShowFromList(int place) {
  if (GetCount() == 0 || place < 1) {
    ShowEmptyBook();
    UpdateBrowseButtons();
    return;
  }
  m_index = place;
  if (!ShowCard(m_offsets[place - 1])) return;
  ::EnableWindow(m_ok_button, TRUE);
  UpdateBrowseButtons();
}

void CAddressBookDlg::OnOK() {
  TakeFields(m_result);
  EndWith(IDOK);
}

void CAddressBookDlg::OnCancel() {
  m_result.SetSize(kAddressFields);
  for (int field = 0; field < kAddressFields; ++field) m_result[field].Empty();
  EndWith(IDCANCEL);
}

void CAddressBookDlg::EndWith(int result) {
  m_book.Pack();
  m_book.Release();
  EndDialog(result);
}

void CAddressBookDlg::OnInitMenu(CMenu* menu) { EnableMenuItems(menu); }

void CAddressBookDlg::OnInitMenuPopup(CMenu* popup, UINT, BOOL systemMenu) {
  if (!systemMenu) EnableMenuItems(popup);
}

void CAddressBookDlg::EnableMenuItems(CMenu* menu) {
  if (!menu) return;
  const bool browsing = m_mode == kBrowsing;
  for (int position = 0; position < static_cast<int>(menu->GetMenuItemCount()); ++position) {
    const UINT id = menu->GetMenuItemID(position);
    bool enabled = browsing;
    if (id == ID_CARD_NEW || id == ID_CARD_EDIT || id == ID_CARD_DELETE) enabled = MayChangeBook();
    menu->EnableMenuItem(static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

// The main frame gives the menu its texts; the dialog belongs to it, maybe
// through another dialog.
void CAddressBookDlg::TranslateMenu(CMenu& menu) {
  CMenu templateMenu;
  if (!templateMenu.LoadMenu(IDR_ADDRESS_MENU)) return;
  for (CWnd* owner = GetParent(); owner; owner = owner->GetParent()) {
    if (auto* frame = dynamic_cast<CMainFrame*>(owner)) {
      frame->TranslateMenu(menu, templateMenu, kDialogMenu);
      return;
    }
  }
}
