#include "orderlist/COrderDataDlg.h"

#include <cstdlib>
#include <map>

#include "mfc/CDataExchange.h"
#include "orderlist/CAddressBookDlg.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/OrderAddresses.h"
#include "orderlist/res/resource.h"
#include "win32/UserWindows.h"

namespace {

constexpr long kCaption = 2201;
constexpr long kClerkCaption = 2202;
constexpr const char* kClerkSection = "ADR_SACHBEARBEITER";
constexpr long kUnknownDateOrder = 3256, kNotADate = 3257;
constexpr int kFirstYear = 100, kLastYear = 9999;
constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The first of the two settings that names an order: "0" month first, "1" day
// first, "2" year first; -1 when neither does.
int DateOrder(const CString& shortOrder, const CString& longOrder) {
  for (const CString* order : {&shortOrder, &longOrder})
    if (order->GetLength() == 1 && (*order)[0] >= '0' && (*order)[0] <= '2') return (*order)[0] - '0';
  return -1;
}

}  // namespace

long COrderDataDlg::CheckDeliveryDate(const CString& date, const CString& dateOrder, const CString& longDateOrder) {
  if (date.IsEmpty()) return 0;
  int separators[2] = {-1, -1};
  int found = 0;
  for (int i = 0; i < date.GetLength() && found < 2; ++i)
    if (!IsDigit(date[i])) separators[found++] = i;
  if (found < 2) return kNotADate;
  const CString parts[3] = {date.Left(separators[0]), date.Mid(separators[0] + 1, separators[1] - separators[0] - 1),
                            date.Mid(separators[1] + 1)};
  for (const CString& part : parts)
    if (part.IsEmpty()) return kNotADate;
  const int order = DateOrder(dateOrder, longDateOrder);
  if (order < 0) return kUnknownDateOrder;
  // Positions of day, month and year among the parts for each order.
  static constexpr int kPositions[3][3] = {{1, 0, 2}, {0, 1, 2}, {2, 1, 0}};
  const int day = std::atoi(parts[kPositions[order][0]]);
  const int month = std::atoi(parts[kPositions[order][1]]);
  const int year = std::atoi(parts[kPositions[order][2]]);
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return kNotADate;
  const int days = kDaysInMonth[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
  return day >= 1 && day <= days ? 0 : kNotADate;
}

BEGIN_MESSAGE_MAP(COrderDataDlg, CDialog)
  ON_BN_CLICKED(IDC_CLERK_BUTTON, OnClerk)
END_MESSAGE_MAP()

COrderDataDlg::COrderDataDlg(CProtocolApp& app, CWnd* parent) : CDialog(IDD_ORDER_DATA, parent), m_app(app) {
  for (int i = 0; i < kOrderHeaderTexts; ++i) m_texts[i] = app.m_header_texts[i];
}

COrderDataDlg::~COrderDataDlg() {
  if (m_clerk_read) WriteOrderAddress(m_app, kClerkSection, m_clerk);
}

void COrderDataDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_ORDER_VARIANT, m_variants);
  DDX_Control(exchange, IDC_ORDER_SHIPPING, m_shipping);
  DDX_Text(exchange, IDC_ORDER_NUMBER, m_texts[kOrderNumber]);
  DDX_Text(exchange, IDC_ORDER_PURPOSE, m_texts[kOrderPurpose]);
  DDX_CBString(exchange, IDC_ORDER_VARIANT, m_texts[kOrderVariant]);
  DDX_CBString(exchange, IDC_ORDER_SHIPPING, m_texts[kShippingMethod]);
  DDX_Text(exchange, IDC_DELIVERY_DATE, m_texts[kDeliveryDate]);
}

// The entry equal to the value, else the first.
void COrderDataDlg::Fill(CComboBox& list, const CStringArray& entries, const CString& value) {
  for (int i = 0; i < entries.GetSize(); ++i) list.AddString(entries.GetAt(i));
  const int found = value.IsEmpty() ? -1 : list.FindStringExact(-1, value);
  list.SetCurSel(found >= 0 ? found : 0);
}

BOOL COrderDataDlg::OnInitDialog() {
  CDialog::OnInitDialog();  // the exchange runs before the lists are filled
  LabelDialog(*this, m_app, kCaption,
              {{IDC_ORDER_NUMBER_LABEL, 2222}, {IDC_ORDER_PURPOSE_LABEL, 140}, {IDC_CLERK_LABEL, 2202},
               {IDC_ORDER_VARIANT_LABEL, 1281}, {IDC_ORDER_SHIPPING_LABEL, 1125}, {IDC_DELIVERY_DATE_LABEL, 2227},
               {IDC_CLERK_BUTTON, 212}});
  Fill(m_variants, m_app.m_bv_list, m_texts[kOrderVariant]);
  Fill(m_shipping, m_app.m_va_list, m_texts[kShippingMethod]);
  ReadOrderAddress(m_app, kClerkSection, m_clerk);
  m_clerk_read = true;
  ShowClerk();
  // Choosing another clerk needs the clerk's address book.
  GetDlgItem(IDC_CLERK_BUTTON)->EnableWindow(!m_app.m_adrdb_clerk.IsEmpty());
  return TRUE;
}

void COrderDataDlg::OnOK() {
  CString date;
  GetDlgItemText(IDC_DELIVERY_DATE, date);
  const long refusal = CheckDeliveryDate(date, m_app.m_date_order, m_app.m_long_date_order);
  if (refusal == kUnknownDateOrder) {
    m_app.ShowMessage(refusal, {1, m_app.m_date_order, m_app.m_long_date_order});
    return;
  }
  if (refusal) {
    m_app.ShowMessage(refusal);
    return;
  }
  CDialog::OnOK();
}

void COrderDataDlg::ShowClerk() {
  SetDlgItemText(IDC_CLERK_NUMBER, m_clerk[0]);
  SetDlgItemText(IDC_CLERK_NAME, m_clerk[1]);
}

void COrderDataDlg::OnClerk() {
  if (CAddressBookDlg::ChooseAddress(m_app, this, m_app.m_adrdb_clerk, m_app.GetText(kClerkCaption), kClerkBookLocked,
                                     m_clerk))
    ShowClerk();
}
