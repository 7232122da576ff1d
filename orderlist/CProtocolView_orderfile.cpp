// The order file ".pro": "PRO", version 1, a header block of twenty texts,
// the currency, the column counts, one block of NUL-ended fields per line and
// a zero length at the end; every 16-bit value low byte first. Files are read
// whole and checked against their own lengths; a new file is written beside
// the old one and takes its place in one step, so a failure never leaves a
// damaged order behind.
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "foundation/CompanionDatabase.h"
#include "foundation/FileBytes.h"
#include "mfc/CFile.h"
#include "mfc/CFileDialog.h"
#include "mfc/CFileException.h"
#include "orderlist/CKartei.h"
#include "orderlist/CProtocolView.h"
#include "orderlist/Money.h"
#include "orderlist/OrderHeader.h"
#include "win32/Errors.h"
#include "win32/Files.h"
#include "win32/MessageBox.h"

namespace {

constexpr char kSignature[] = "PRO";
constexpr unsigned kVersion = 1;
constexpr int kHeaderTexts = 20;
constexpr int kOlderHeaderTexts = 16;
constexpr int kFileGrowStep = 65536;

constexpr long kFileNotFound = 3249;  // also: the temporary file cannot be made
constexpr long kFileReadOnly = 3248;
constexpr long kNewerVersion = 3322;
constexpr long kOtherCurrency = 3323;
constexpr long kPricesNotTaken = 3324;
constexpr long kBadNetworkPath = 478;
constexpr long kVolumeUnknown = 2758;

// Reads values and texts from a file's bytes, never past their end.
class ByteReader {
 public:
  ByteReader(const BYTE* bytes, size_t size) : m_bytes(bytes), m_size(size) {}
  explicit ByteReader(const CDynBuf& buffer)
      : ByteReader(buffer.GetData(), static_cast<size_t>(buffer.GetLength())) {}

  size_t Left() const { return m_size - m_pos; }
  void Skip(size_t count) { m_pos += std::min(count, Left()); }
  size_t Position() const { return m_pos; }
  bool Byte(unsigned& value) {
    if (Left() < 1) return false;
    value = m_bytes[m_pos++];
    return true;
  }
  bool Word(unsigned& value) {
    if (Left() < 2) return false;
    value = m_bytes[m_pos] | static_cast<unsigned>(m_bytes[m_pos + 1]) << 8;
    m_pos += 2;
    return true;
  }
  bool Bytes(size_t count, const BYTE*& start) {
    if (Left() < count) return false;
    start = m_bytes + m_pos;
    m_pos += count;
    return true;
  }
  bool Text(size_t length, CString& text) {
    const BYTE* start = nullptr;
    if (!Bytes(length, start)) return false;
    text = CString(reinterpret_cast<const char*>(start), static_cast<int>(length));
    return true;
  }

 private:
  const BYTE* m_bytes;
  size_t m_size;
  size_t m_pos = 0;
};

// The NUL-ended fields of a line block, taken while they lie inside it.
class FieldReader {
 public:
  FieldReader(const BYTE* bytes, size_t size) : m_bytes(reinterpret_cast<const char*>(bytes)), m_size(size) {}
  bool Next(CString& field) {
    if (m_pos >= m_size) return false;
    const void* end = std::memchr(m_bytes + m_pos, '\0', m_size - m_pos);
    const size_t stop = end ? static_cast<size_t>(static_cast<const char*>(end) - m_bytes) : m_size;
    field = CString(m_bytes + m_pos, static_cast<int>(stop - m_pos));
    m_pos = stop + 1;
    return true;
  }

 private:
  const char* m_bytes;
  size_t m_size;
  size_t m_pos = 0;
};

void AppendText16(CDynBuf& out, const CString& text) {
  out.AppendShort(static_cast<unsigned short>(text.GetLength()));
  out.Append(text);
}

void AppendField(CDynBuf& out, const CString& text) {
  out.Append(text);
  out.Append('\0');
}

// Field k of an address as the user's settings keep it (key "I%02d").
CString AddressField(const std::map<CString, CString>& address, int field) {
  CString key;
  key.Format("I%02d", field);
  auto found = address.find(key);
  return found == address.end() ? CString() : found->second;
}

CString Number(long value) {
  CString text;
  text.Format("%ld", value);
  return text;
}

}  // namespace

// What a file's head says before its lines.
struct CProtocolView::OrderFileHead {
  unsigned version = 0;
  CString texts[kHeaderTexts];
  CString currency;  // empty: the file carries no prices
  unsigned columns = 0;
  unsigned extras = 0;
};

namespace {

using OrderFileHead = CProtocolView::OrderFileHead;

bool ReadHead(ByteReader& reader, OrderFileHead& head) {
  const BYTE* signature = nullptr;
  unsigned headerLength = 0, currencyLength = 0;
  const BYTE* header = nullptr;
  if (!reader.Bytes(3, signature) || !reader.Word(head.version) || !reader.Word(headerLength) ||
      !reader.Bytes(headerLength, header))
    return false;
  // A header too short for its twenty texts is damage.
  ByteReader texts(header, headerLength);
  for (CString& text : head.texts) {
    unsigned length = 0;
    if (!texts.Word(length) || !texts.Text(length, text)) return false;
  }
  return reader.Byte(currencyLength) && reader.Text(currencyLength, head.currency) && reader.Word(head.columns) &&
         reader.Word(head.extras);
}

bool StartsWithSignature(const CDynBuf& bytes) {
  return bytes.GetLength() >= 3 && std::memcmp(bytes.GetData(), kSignature, 3) == 0;
}

// "C:\" of "C:\orders\a.pro", "\\server\share\" of a network path, "/" of a
// host path; empty for a network path without server and share.
CString RootOf(const CString& path) {
  if (path.Left(2) == "\\\\") {
    const int server = path.Find('\\', 2);
    const int share = server < 0 ? -1 : path.Find('\\', server + 1);
    if (server <= 2 || share <= server + 1) return CString();
    return path.Left(share + 1);
  }
  if (path.Left(1) == "/") return "/";
  const int separator = path.FindOneOf("\\/");
  return separator < 0 ? CString() : path.Left(separator + 1);
}

}  // namespace

CString CProtocolView::OrderFilePath() const {
  return m_app.m_order_dir + "\\" + m_app.m_order_name + ".pro";
}

CString CProtocolView::AddressBookOf(int role) const {
  const CString* books[] = {&m_app.m_adrdb_dealer, &m_app.m_adrdb_delivery, &m_app.m_adrdb_customer,
                            &m_app.m_adrdb_supplier, &m_app.m_adrdb_clerk};
  return *books[role];
}

CDynBuf CProtocolView::HeaderBlock() const {
  CDynBuf block;
  block.SetGrowBy(1024);
  for (int i = 0; i < kOrderHeaderTexts; ++i) AppendText16(block, m_app.m_header_texts[i]);
  for (const AddressRole& role : kAddressRoles) {
    const auto address = m_app.SectionValues(m_app.m_user_ini, role.section);
    for (int field : kFileAddressFields) AppendText16(block, AddressField(address, field));
  }
  return block;
}

CDynBuf CProtocolView::LineFields(const OrderItem& item, bool withPrices, int extras) const {
  CDynBuf fields;
  AppendField(fields, item.partNumber);
  AppendField(fields, item.quantity);
  AppendField(fields, item.name);
  if (withPrices) {
    AppendField(fields, Number(item.price));
    AppendField(fields, Number(item.vatGroup));
    AppendField(fields, item.discountGroup);
  }
  for (int k = 0; k < extras; ++k) AppendField(fields, k < m_app.m_other_columns ? item.Extra(k) : CString());
  return fields;
}

namespace {

// Appends a length and its bytes; false when the bytes do not fit 16 bits.
bool AppendBlock(CDynBuf& out, const CDynBuf& block) {
  if (block.GetLength() > 0xFFFF) return false;
  out.AppendShort(static_cast<unsigned short>(block.GetLength()));
  out.Append(block);
  return true;
}

// Everything of a file in the current layout up to its lines.
bool AppendHead(CDynBuf& out, const CDynBuf& header, const CString& currency, int columns, int extras) {
  out.Append(kSignature);
  out.AppendShort(static_cast<unsigned short>(kVersion));
  if (!AppendBlock(out, header) || currency.GetLength() > 0xFF) return false;
  out.Append(static_cast<char>(currency.GetLength()));
  out.Append(currency);
  out.AppendShort(static_cast<unsigned short>(columns));
  out.AppendShort(static_cast<unsigned short>(extras));
  return true;
}

}  // namespace

// Price fields go into the file exactly when its currency name does, so a
// file always reads back as written.
int CProtocolView::WriteOrderFile() { return WriteOrderFileTo(OrderFilePath()); }

int CProtocolView::WriteOrderFileTo(const char* path) {
  const CString currency = m_app.KeepsPrices() ? m_app.m_currency1.Left(0xFF) : CString();
  CDynBuf file;
  file.SetGrowBy(kFileGrowStep);
  if (!AppendHead(file, HeaderBlock(), currency, m_app.m_column_count, m_app.m_other_columns)) return 0;
  for (const auto& item : m_items)
    if (!AppendBlock(file, LineFields(*item, !currency.IsEmpty(), m_app.m_other_columns))) return 0;
  file.AppendShort(static_cast<unsigned short>(0));
  return WriteFileReplacing(path, file) ? 1 : 0;
}

// The file's bytes and head (an older file converted first) and where its
// lines begin; false for a file that cannot be read, is damaged, or is of a
// newer version, which the user is told.
bool CProtocolView::LoadOrderFile(const char* path, CDynBuf& bytes, OrderFileHead& head, size_t& lines) {
  if (ReadFileBytes(path, bytes) != FileRead::Done || bytes.GetLength() < 5) return false;
  if (!StartsWithSignature(bytes)) {
    if (!ConvertOrderFile(path) || ReadFileBytes(path, bytes) != FileRead::Done) return false;
  }
  ByteReader reader(bytes);
  const bool headRead = ReadHead(reader, head);
  if (head.version > kVersion) {
    m_app.ShowMessage(kNewerVersion);
    return false;
  }
  lines = reader.Position();
  return headRead;
}

int CProtocolView::ReadOrderFile() {
  CDynBuf bytes;
  OrderFileHead head;
  size_t lines = 0;
  if (!LoadOrderFile(OrderFilePath(), bytes, head, lines)) return 0;
  ByteReader reader(bytes);
  reader.Skip(lines);
  const bool carriesPrices = !head.currency.IsEmpty();
  const bool otherCurrency = carriesPrices && head.currency.Compare(m_app.m_currency1) != 0;
  const bool toEuro = otherCurrency && m_app.m_currency1.Compare("EUR") == 0;
  bool keptOtherCurrency = otherCurrency && !toEuro;

  OpenDatabases open(m_app);
  const FillFields fill = LoadFillFields();
  for (;;) {
    unsigned length = 0;
    const BYTE* block = nullptr;
    if (!reader.Word(length) || (length > 0 && !reader.Bytes(length, block))) return 0;
    if (length == 0) break;
    FieldReader fields(block, length);
    OrderItem item;
    fields.Next(item.partNumber);
    fields.Next(item.quantity);
    fields.Next(item.name);
    if (carriesPrices) {
      CString price, group;
      if (fields.Next(price)) item.price = static_cast<int32_t>(ReadInteger(static_cast<const char*>(price)));
      if (fields.Next(group)) item.vatGroup = static_cast<uint16_t>(ReadInteger(static_cast<const char*>(group)));
      fields.Next(item.discountGroup);
      int32_t euro = 0;
      if (toEuro) {
        if (ConvertPriceToEuro(head.currency, item.price, euro))
          item.price = euro;
        else
          keptOtherCurrency = true;  // no rate to euro: the price stays as it is
      }
    }
    if (head.extras > 0 && m_app.m_other_columns > 0) {
      for (int k = 0; k < static_cast<int>(head.extras); ++k) {
        CString extra;
        if (!fields.Next(extra)) break;
        if (k < m_app.m_other_columns) item.ExtraSlot(k, m_app.m_other_columns) = extra;
      }
    }
    FillItem(item, open.databases, fill);
    AddOrderLines(nullptr, &item, 0);
  }
  UpdateTotals();
  for (int i = 0; i < kOrderHeaderTexts; ++i) m_app.m_header_texts[i] = head.texts[i];
  RestoreAddresses(head.texts + kOrderHeaderTexts);
  if (keptOtherCurrency) m_app.ShowMessage(kOtherCurrency, {head.currency, m_app.m_currency1});
  return 1;
}

// For each role, the card of its book with the file's customer number, name
// and company goes into the user's settings; a role without such a card
// keeps what it had. The user is told once of every address the order names
// and no book holds; a role the order names no address for is not missing.
void CProtocolView::RestoreAddresses(const CString* fileTexts) {
  CString missing;
  for (int role = 0; role < kAddressRoleCount; ++role) {
    const CString& number = fileTexts[role * 3];
    const CString& name = fileTexts[role * 3 + 1];
    const CString& company = fileTexts[role * 3 + 2];
    const bool named = !number.IsEmpty() || !name.IsEmpty() || !company.IsEmpty();
    bool taken = false;
    CKartei book;
    book.SetLog(m_app.m_log.get());
    if (!AddressBookOf(role).IsEmpty() && book.SetFile(AddressBookOf(role))) {
      CArray<DWORD> hits;
      book.FindInField(number.IsEmpty() ? "*" : static_cast<const char*>(number), 0, hits);
      CStringArray card;
      card.SetSize(CKartei::kFields);
      for (int hit = 0; hit < hits.GetSize() && !taken; ++hit) {
        if (!book.ReadRecord(hits[hit], card) || card[1].Compare(name) != 0 || card[3].Compare(company) != 0) continue;
        for (int field = 0; field < CKartei::kFields; ++field) {
          CString key;
          key.Format("I%02d", field);
          m_app.m_ini.WriteKey(kAddressRoles[role].section, key, card[field], m_app.m_user_ini, 1);
        }
        taken = true;
      }
      book.Release();
    }
    if (taken || !named) continue;
    const CString text = m_app.GetText(kAddressRoles[role].missingText);
    m_app.Log(text);
    missing += (missing.IsEmpty() ? "" : "\n") + text;
  }
  if (!missing.IsEmpty()) m_app.MessageBox(missing, MB_OK);
}

int CProtocolView::MergeOrderFile(const char* path) {
  if (m_items.empty()) return 1;
  CDynBuf bytes;
  OrderFileHead head;
  size_t lines = 0;
  if (!LoadOrderFile(path, bytes, head, lines)) return 0;
  ByteReader reader(bytes);
  reader.Skip(lines);
  // The lines stay as they are; the new ones go where the end marker stands.
  for (;;) {
    unsigned length = 0;
    const BYTE* block = nullptr;
    if (!reader.Word(length) || (length > 0 && !reader.Bytes(length, block))) return 0;
    if (length == 0) break;
  }
  const bool carriesPrices = !head.currency.IsEmpty();
  const bool samePrices = m_app.KeepsPrices() && head.currency.Compare(m_app.m_currency1) == 0;
  CDynBuf file;
  file.SetGrowBy(kFileGrowStep);
  file.Append(bytes.GetData(), static_cast<int>(reader.Position() - 2));
  for (const auto& line : m_items) {
    OrderItem item = *line;
    if (!samePrices) {
      item.price = 0;
      item.vatGroup = 0;
      item.discountGroup.Empty();
    }
    if (!AppendBlock(file, LineFields(item, carriesPrices, static_cast<int>(head.extras)))) return 0;
  }
  file.AppendShort(static_cast<unsigned short>(0));
  return WriteFileReplacing(path, file) ? 1 : 0;
}

int CProtocolView::ConvertOrderFile(const char* path) {
  const DWORD attributes = GetFileAttributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    m_app.ShowMessage(kFileNotFound, {path});
    return 0;
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    m_app.ShowMessage(kFileReadOnly, {path});
    return 0;
  }
  const CString root = RootOf(path);
  if (root.IsEmpty()) {
    m_app.ShowMessage(kBadNetworkPath);
    return 0;
  }
  DWORD longestName = 0;
  if (!GetVolumeInformationA(root, nullptr, 0, nullptr, &longestName, nullptr, nullptr, 0)) {
    m_app.ShowMessage(kVolumeUnknown, {1});
    return 0;
  }
  const CString original = path;
  CString temporary;
  if (longestName == 12) {
    const CString stem = original.Left(original.GetLength() - 4);
    const int folderEnd = std::max(stem.ReverseFind('\\'), stem.ReverseFind('/')) + 1;
    temporary = stem.Left(folderEnd) + stem.Mid(folderEnd).Left(8) + ".bak";
  } else {
    temporary = original + "_protocol";
  }

  CDynBuf older;
  if (ReadFileBytes(path, older) != FileRead::Done) {
    m_app.ShowMessage(kFileNotFound, {path});
    return 0;
  }
  // The older layout: sixteen texts with one-byte lengths, the column count
  // as text, then lines of NUL-separated fields in column order.
  ByteReader reader(older);
  unsigned headerLength = 0, countLength = 0;
  const BYTE* header = nullptr;
  CString countText;
  if (!reader.Word(headerLength) || !reader.Bytes(headerLength, header) || !reader.Byte(countLength) ||
      !reader.Text(countLength, countText))
    return 0;
  CString texts[kOlderHeaderTexts];
  ByteReader headerTexts(header, headerLength);
  for (CString& text : texts) {
    unsigned length = 0;
    if (!headerTexts.Byte(length) || !headerTexts.Text(length, text)) return 0;
  }
  const int olderColumns = static_cast<int>(ReadInteger(static_cast<const char*>(countText)));

  // The current layout: dealer and delivery address empty; customer,
  // supplier and clerk from the older header.
  CDynBuf newHeader;
  for (int i = 0; i < kOrderHeaderTexts; ++i) AppendText16(newHeader, texts[i]);
  for (int i = 0; i < 6; ++i) AppendText16(newHeader, CString());
  for (int i = 7; i < kOlderHeaderTexts; ++i) AppendText16(newHeader, texts[i]);
  const CString currency = m_app.KeepsPrices() ? m_app.m_currency1.Left(0xFF) : CString();
  CDynBuf file;
  file.SetGrowBy(kFileGrowStep);
  if (!AppendHead(file, newHeader, currency, m_app.m_column_count, m_app.m_other_columns)) return 0;

  OpenDatabases open(m_app);
  const FillFields fill = LoadFillFields();
  const int columns = std::min(olderColumns, m_app.m_column_count);
  while (reader.Left() > 0) {
    unsigned length = 0;
    const BYTE* block = nullptr;
    if (!reader.Word(length)) return 0;
    if (length == 0) break;
    if (!reader.Bytes(length, block)) return 0;
    FieldReader fields(block, length);
    OrderItem item;
    for (int column = 0; column < columns; ++column) {
      CString text;
      if (!fields.Next(text)) break;
      if (column == m_app.m_count_col) item.quantity = text;
      else if (column == m_app.m_search_col) item.partNumber = text;
      else if (column == m_app.m_name_col) item.name = text;
      else if (column == m_app.m_price_col)
        item.price = static_cast<int32_t>(ScaleDecimals(ReadDecimalText(static_cast<const char*>(text)), m_app.m_decimals1));
      else if (m_app.m_column_map[static_cast<size_t>(column)] >= 0)
        item.ExtraSlot(m_app.m_column_map[static_cast<size_t>(column)], m_app.m_other_columns) = text;
    }
    FillItem(item, open.databases, fill);
    if (!AppendBlock(file, LineFields(item, !currency.IsEmpty(), m_app.m_other_columns))) return 0;
  }
  file.AppendShort(static_cast<unsigned short>(0));

  // The converted order takes the older one's place in one step.
  if (!WriteFileReplacing(path, file, temporary)) {
    m_app.ShowMessage(kFileNotFound, {temporary});
    return 0;
  }
  if (m_app.m_price_col != -1 && m_app.m_price_col < olderColumns) m_app.ShowMessage(kPricesNotTaken);
  return 1;
}

bool CProtocolView::ChooseExportFile(CString& path) {
  CFileDialog dialog(FALSE, "TXT", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                     "Textdateien (*.TXT)|*.TXT|Alle Dateien (*.*)|*.*||", this);
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName();
  return true;
}

int CProtocolView::ExportText(const char* path) {
  CString target = path ? path : "";
  if (target.IsEmpty() && !ChooseExportFile(target)) return 1;
  CDynBuf text;
  text.SetGrowBy(kFileGrowStep);
  auto line = [&](const CString& content) {
    text.Append(content);
    text.Append("\r\n");
  };
  const bool prices = m_app.KeepsPrices();
  if (m_app.m_ascii_export_full) {
    for (int i = 0; i < kOrderHeaderTexts; ++i) line(m_app.m_header_texts[i]);
    for (const AddressRole& role : kAddressRoles) {
      const auto address = m_app.SectionValues(m_app.m_user_ini, role.section);
      for (int field = 0; field < kAddressFields; ++field) line(AddressField(address, field));
    }
    line(Number(m_app.m_column_count));
    line(prices ? m_app.m_currency1 : CString());
  }
  for (const auto& item : m_items) {
    CString row = item->partNumber + "\t" + item->quantity + "\t" + item->name;
    if (prices) {
      CString price, rate;
      m_app.FormatAmount(item->price, price, m_app.m_decimals1);
      if (m_app.m_vat.HasGroup(item->vatGroup))
        m_app.FormatAmount64(m_app.m_vat.Rate(item->vatGroup), rate, m_app.m_vat.Decimals());
      row += "\t" + price + "\t" + rate + "\t" + item->discountGroup;
    }
    for (int k = 0; k < m_app.m_other_columns; ++k) row += "\t" + item->Extra(k);
    line(row);
  }
  try {
    CFile out(target, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary);
    out.Write(text.GetData(), static_cast<UINT>(text.GetLength()));
    out.Close();
  } catch (CFileException* error) {
    error->Delete();
    return 0;
  }
  return 1;
}
