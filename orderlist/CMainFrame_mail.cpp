// Mailing the order to its supplier through Simple MAPI: the order lines as
// an attached text file, the addresses and the order's header in the text.
#include <map>

#include "mfc/CFile.h"
#include "orderlist/CMainFrame.h"
#include "orderlist/OrderHeader.h"
#include "win32/Mapi.h"
#include "win32/MessageBox.h"
#include "win32/Module.h"

namespace {

constexpr long kMailSubject = 2255;
constexpr long kDealerTitle = 1619, kSupplierTitle = 1618, kCustomerTitle = 741, kDeliveryTitle = 2212;
constexpr long kClerkLabel = 2202, kPhoneLabel = 2264, kFaxLabel = 1644, kMailLabel = 3271;
constexpr long kClosingLabel = 3328, kClosingText = 3327;
constexpr long kMailSent = 3325, kMailFailed = 3326, kFileNotWritten = 3329, kFileNotMade = 3330;
constexpr long kNoDealerMail = 3332, kNoSupplierMail = 3333, kNoSendFunction = 3334, kNoMailLibrary = 3335;
constexpr long kEmptyOrder = 3336;

enum AddressField {
  kName = 1, kFirstName = 2, kCompany = 3, kDepartment = 4, kStreet = 5, kPostalCode = 6, kTown = 7,
  kPhone = 9, kFax = 10, kMail = 11
};

constexpr const char* kMapiErrorNames[] = {
    "MAPI_OK", "MAPI_E_USER_ABORT", "MAPI_E_FAILURE", "MAPI_E_LOGON_FAILURE", "MAPI_E_DISK_FULL",
    "MAPI_E_INSUFFICIENT_MEMORY", "MAPI_E_ACCESS_DENIED", "MAPI_UNKNOWN_ERROR", "MAPI_E_TOO_MANY_SESSIONS",
    "MAPI_E_TOO_MANY_FILES", "MAPI_E_TOO_MANY_RECIPIENTS", "MAPI_E_ATTACHMENT_NOT_FOUND",
    "MAPI_E_ATTACHMENT_OPEN_FAILURE", "MAPI_E_ATTACHMENT_WRITE_FAILURE", "MAPI_E_UNKNOWN_RECIPIENT",
    "MAPI_E_BAD_RECIPTYPE", "MAPI_E_NO_MESSAGES", "MAPI_E_INVALID_MESSAGE", "MAPI_E_TEXT_TOO_LARGE",
    "MAPI_E_INVALID_SESSION", "MAPI_E_TYPE_NOT_SUPPORTED", "MAPI_E_AMBIGUOUS_RECIPIENT", "MAPI_E_MESSAGE_IN_USE",
    "MAPI_E_NETWORK_FAILURE", "MAPI_E_INVALID_EDITFIELDS", "MAPI_E_INVALID_RECIPS", "MAPI_E_NOT_SUPPORTED"};
constexpr int kErrorNameWidth = 31;

const char* const kLineBreak = "\r\n";

// The name shown for a result, blank-padded as the table keeps it.
CString MapiErrorName(ULONG code) {
  CString name = code < std::size(kMapiErrorNames) ? kMapiErrorNames[code] : "";
  while (name.GetLength() < kErrorNameWidth) name += ' ';
  return name;
}

// The twelve texts of one of the order's addresses.
struct Address {
  CString fields[kAddressFields];
  const CString& operator[](int field) const { return fields[field]; }
  bool Present() const {
    for (const CString& field : fields)
      if (!field.IsEmpty()) return true;
    return false;
  }
};

// Frees the mail library on every path out.
class MailLibrary {
 public:
  MailLibrary() : m_module(LoadLibrary("MAPI32.DLL")) {}
  ~MailLibrary() {
    if (m_module) FreeLibrary(m_module);
  }
  MailLibrary(const MailLibrary&) = delete;
  MailLibrary& operator=(const MailLibrary&) = delete;
  bool Loaded() const { return m_module != nullptr; }
  LPMAPISENDMAIL SendMail() const {
    return reinterpret_cast<LPMAPISENDMAIL>(GetProcAddress(m_module, "MAPISendMail"));
  }

 private:
  HMODULE m_module;
};

}  // namespace


namespace {

Address ReadAddress(CProtocolApp& app, const char* section) {
  Address address;
  const auto values = app.SectionValues(app.m_user_ini, section);
  for (int field = 0; field < kAddressFields; ++field) {
    CString key;
    key.Format("I%02d", field);
    auto found = values.find(key);
    if (found != values.end()) address.fields[field] = found->second;
  }
  return address;
}

class NoteWriter {
 public:
  explicit NoteWriter(const CProtocolApp& app) : m_app(app) { m_text.SetGrowBy(512); }
  NoteWriter& Text(long number) { return Add(m_app.GetText(number)); }
  NoteWriter& Add(const CString& text) {
    m_text.Append(text);
    return *this;
  }
  NoteWriter& Break() { return Add(kLineBreak); }
  // "label : value" and a line break; nothing for an empty value.
  void Labelled(long label, const CString& value) {
    if (value.IsEmpty()) return;
    Text(label).Add(" : ").Add(value).Break();
  }
  void AddressBlock(const Address& address, bool withMail) {
    if (!address[kCompany].IsEmpty()) Add(address[kCompany]).Break();
    if (!address[kFirstName].IsEmpty()) Add(address[kFirstName]).Add(" ");
    Add(address[kName]);
    if (!address[kName].IsEmpty() || !address[kFirstName].IsEmpty()) Break();
    if (!address[kDepartment].IsEmpty()) Add(address[kDepartment]).Break();
    if (!address[kStreet].IsEmpty()) Add(address[kStreet]).Break();
    if (!address[kPostalCode].IsEmpty()) Add(address[kPostalCode]).Add(" ");
    Add(address[kTown]);
    if (!address[kTown].IsEmpty() || !address[kPostalCode].IsEmpty()) Break();
    Labelled(kPhoneLabel, address[kPhone]);
    Labelled(kFaxLabel, address[kFax]);
    if (withMail) Labelled(kMailLabel, address[kMail]);
  }
  CDynBuf& Buffer() { return m_text; }

 private:
  const CProtocolApp& m_app;
  CDynBuf m_text;
};

}  // namespace

// One line per row: the cells, TAB-separated, and the line total when the
// order keeps prices.
CDynBuf CMainFrame::OrderLinesText() const {
  CDynBuf lines;
  lines.SetGrowBy(2048);
  for (int row = 0; row < m_view->GetItemCount(); ++row) {
    for (int column = 0; column < m_app->m_column_count; ++column) {
      CString cell;
      m_view->GetCellText(cell, row, column);
      if (column > 0) lines.Append('\t');
      lines.Append(cell);
    }
    if (m_app->KeepsPrices()) {
      lines.Append('\t');
      lines.Append(m_view->GetItem(row).lineTotalText);
    }
    lines.Append(kLineBreak);
  }
  return lines;
}

bool CMainFrame::WriteMailFile(const CString& path) {
  return WriteNewFile(path, OrderLinesText(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite,
                      kFileNotMade, kFileNotWritten);
}

CDynBuf CMainFrame::MailNote() const {
  CProtocolApp& app = *m_app;
  const Address customer = ReadAddress(app, "ADR_KUNDE");
  const Address supplier = ReadAddress(app, "ADR_LIEFERANT");
  const Address delivery = ReadAddress(app, "ADR_LIEFER");
  const Address dealer = ReadAddress(app, "ADR_HAENDLER");
  const Address clerk = ReadAddress(app, "ADR_SACHBEARBEITER");
  NoteWriter note(app);
  note.Text(kMailSubject).Break().Break();
  note.Text(kDealerTitle).Break();
  note.AddressBlock(dealer, false);
  note.Break();
  note.Text(kSupplierTitle).Break();
  note.AddressBlock(supplier, false);
  const struct {
    long label;
    int text;
  } headerLines[] = {{2222, kOrderNumber}, {1281, kOrderVariant}, {1125, kShippingMethod}, {140, kOrderPurpose},
                     {2248, kDeliveryDate}};
  for (const auto& line : headerLines) note.Labelled(line.label, app.m_header_texts[line.text]);
  if (!clerk[kName].IsEmpty() || !clerk[kFirstName].IsEmpty()) {
    note.Text(kClerkLabel).Add(" : ");
    if (!clerk[kFirstName].IsEmpty()) note.Add(clerk[kFirstName]).Add(" ");
    note.Add(clerk[kName]).Break();
  }
  note.Break();
  note.Text(kCustomerTitle).Break();
  note.AddressBlock(customer, true);
  if (delivery.Present()) {
    note.Break().Text(kDeliveryTitle).Break();
    note.AddressBlock(delivery, true);
  }
  note.Break().Text(kClosingLabel).Add(" : ").Text(kClosingText).Break().Break();
  return note.Buffer();
}

void CMainFrame::MailOrder() {
  if (!m_view || m_view->GetItemCount() == 0) {
    m_app->ShowMessage(kEmptyOrder);
    return;
  }
  MailLibrary library;
  if (!library.Loaded()) {
    m_app->ShowMessage(kNoMailLibrary);
    return;
  }
  const LPMAPISENDMAIL sendMail = library.SendMail();
  if (!sendMail) {
    m_app->ShowMessage(kNoSendFunction);
    return;
  }
  CString supplierMail = ReadAddress(*m_app, "ADR_LIEFERANT")[kMail];
  CString dealerMail = ReadAddress(*m_app, "ADR_HAENDLER")[kMail];
  if (supplierMail.IsEmpty()) {
    m_app->ShowMessage(kNoSupplierMail);
    return;
  }
  if (dealerMail.IsEmpty()) {
    m_app->ShowMessage(kNoDealerMail);
    return;
  }
  m_mail_busy = 1;
  CString path = m_app->m_temp_dir + "V4Order.txt";
  if (!WriteMailFile(path)) {
    m_mail_busy = 0;
    return;
  }
  CDynBuf note = MailNote();
  const ULONG position = static_cast<ULONG>(note.GetLength());
  note.Append(' ');
  CString subject = m_app->GetText(kMailSubject);
  CString shownName = "Order.txt";
  MapiFileTagExt fileType{};
  MapiRecipDesc originator{0, MAPI_ORIG, dealerMail.GetBuffer(0), nullptr, 0, nullptr};
  MapiRecipDesc recipient{0, MAPI_TO, supplierMail.GetBuffer(0), nullptr, 0, nullptr};
  MapiFileDesc attachment{0, 0, position, path.GetBuffer(0), shownName.GetBuffer(0), &fileType};
  MapiMessage message{};
  message.lpszSubject = subject.GetBuffer(0);
  message.lpszNoteText = const_cast<char*>(static_cast<const char*>(note));
  message.lpOriginator = &originator;
  message.nRecipCount = 1;
  message.lpRecips = &recipient;
  message.nFileCount = 1;
  message.lpFiles = &attachment;
  const ULONG result = sendMail(0, reinterpret_cast<ULONG_PTR>(m_hWnd), &message,
                                MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG, 0);
  if (result == SUCCESS_SUCCESS) {
    m_app->MessageBox(m_app->GetText(kMailSent), MB_OK);
  } else {
    m_app->ShowMessage(kMailFailed, {static_cast<int>(result), MapiErrorName(result)});
  }
  m_mail_busy = 0;
}
