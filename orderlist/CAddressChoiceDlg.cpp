#include "orderlist/CAddressChoiceDlg.h"

#include "orderlist/CAddressBookDlg.h"
#include "orderlist/DialogLayout.h"
#include "orderlist/OrderAddresses.h"
#include "orderlist/OrderHeader.h"
#include "orderlist/res/resource.h"
#include "win32/MessageBox.h"

namespace {

constexpr long kCaption = 212, kBookButtonText = 212, kNoAddressText = 3253;
constexpr int kShownFields[] = {0, 1, 3};  // number, name, company

struct GroupControls {
  const char* section;
  CString CProtocolApp::*book;
  int label;
  long labelText;
  int bookButton;
  int firstEdit;
  long lockBit;
  int noAddressButton;  // 0 for none
  long noAddressOff;
};

const GroupControls kGroupControls[CAddressChoiceDlg::kGroups] = {
    {"ADR_KUNDE", &CProtocolApp::m_adrdb_customer, IDC_CUSTOMER_LABEL, 2277, IDC_CUSTOMER_BOOK, IDC_CUSTOMER_NUMBER,
     kCustomerBookLocked, IDC_NO_CUSTOMER, kNoCustomerAddressOff},
    {"ADR_LIEFERANT", &CProtocolApp::m_adrdb_supplier, IDC_SUPPLIER_LABEL, 2276, IDC_SUPPLIER_BOOK,
     IDC_SUPPLIER_NUMBER, kSupplierBookLocked, 0, 0},
    {"ADR_LIEFER", &CProtocolApp::m_adrdb_delivery, IDC_DELIVERY_LABEL, 2212, IDC_DELIVERY_BOOK, IDC_DELIVERY_NUMBER,
     kDeliveryBookLocked, IDC_NO_DELIVERY, kNoDeliveryAddressOff},
    {"ADR_HAENDLER", &CProtocolApp::m_adrdb_dealer, IDC_DEALER_LABEL, 2279, IDC_DEALER_BOOK, IDC_DEALER_NUMBER,
     kDealerBookLocked, 0, 0},
};

}  // namespace

CAddressChoiceDlg::CAddressChoiceDlg(CProtocolApp& app, CWnd* parent) : CDialog(IDD_ADDRESS_CHOICE, parent), m_app(app) {
  for (int group = 0; group < kGroups; ++group) ReadOrderAddress(m_app, kGroupControls[group].section, m_addresses[group]);
}

CAddressChoiceDlg::~CAddressChoiceDlg() {
  for (int group = 0; group < kGroups; ++group) WriteOrderAddress(m_app, kGroupControls[group].section, m_addresses[group]);
}

BOOL CAddressChoiceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LabelDialog(*this, m_app, kCaption);
  for (int group = 0; group < kGroups; ++group) {
    const GroupControls& controls = kGroupControls[group];
    SetDlgItemText(controls.label, m_app.GetText(controls.labelText));
    SetDlgItemText(controls.bookButton, m_app.GetText(kBookButtonText));
    GetDlgItem(controls.bookButton)->EnableWindow(!(m_app.*controls.book).IsEmpty());
    if (controls.noAddressButton) {
      SetDlgItemText(controls.noAddressButton, m_app.GetText(kNoAddressText));
      GetDlgItem(controls.noAddressButton)->EnableWindow(!(m_app.m_config & controls.noAddressOff));
    }
    ShowAddress(group);
  }
  return TRUE;
}

BOOL CAddressChoiceDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED) {
    for (int group = 0; group < kGroups; ++group) {
      if (LOWORD(wParam) == kGroupControls[group].bookButton) {
        ChooseFromBook(group);
        return TRUE;
      }
      if (kGroupControls[group].noAddressButton && LOWORD(wParam) == kGroupControls[group].noAddressButton) {
        ClearAddress(group);
        return TRUE;
      }
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CAddressChoiceDlg::ChooseFromBook(int group) {
  const GroupControls& controls = kGroupControls[group];
  if (CAddressBookDlg::ChooseAddress(m_app, this, m_app.*controls.book, m_app.GetText(controls.labelText),
                                     controls.lockBit, m_addresses[group]))
    ShowAddress(group);
}

void CAddressChoiceDlg::ClearAddress(int group) {
  for (int field = 0; field < kAddressFields; ++field) m_addresses[group][field].Empty();
  ShowAddress(group);
}

void CAddressChoiceDlg::ShowAddress(int group) {
  for (int edit = 0; edit < static_cast<int>(std::size(kShownFields)); ++edit)
    SetDlgItemText(kGroupControls[group].firstEdit + edit, m_addresses[group][kShownFields[edit]]);
}
