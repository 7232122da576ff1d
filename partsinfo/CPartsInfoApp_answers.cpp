// What the application object answers: an ordered part goes back to the
// order window (or into the window when it fails the checks), a text request
// goes back to the window that asked, and the rows of a block are looked up.
#include <cstdio>
#include <cstring>

#include "interfaces/ProtocolCommands.h"
#include "orderlist/Money.h"
#include "partsinfo/CPartsInfoApp.h"
#include "win32/CrossProcess.h"
#include "win32/Files.h"
#include "win32/UserMessages.h"

namespace {

constexpr int kPriceBytes = 4;
constexpr int kRequestHandleBytes = 4;

CString FieldBytes(const DdmDatabase& database, int hit, int field) {
  int length = 0;
  const BYTE* bytes = database.DdmDbGetField(hit, field, &length);
  return bytes ? CString(reinterpret_cast<const char*>(bytes), length) : CString();
}

// The bytes of a field up to its first NUL: they travel as one NUL-ended text.
CString FieldTextBytes(const DdmDatabase& database, int hit, int field) {
  CString bytes = FieldBytes(database, hit, field);
  return CString(static_cast<const char*>(bytes));
}

void AppendField(CDynBuf& out, const CString& text) {
  out.Append(text);
  out.Append('\0');
}

void AppendNumber(CDynBuf& out, long value) {
  CString text;
  text.Format("%ld", value);
  AppendField(out, text);
}

const CString& FieldAt(const std::vector<CString>& line, int column) {
  static const CString empty;
  return column >= 0 && column < static_cast<int>(line.size()) ? line[static_cast<size_t>(column)] : empty;
}

}  // namespace

CString CPartsInfoApp::QuantityAfterRules(const CString& quantity) const {
  if (m_qty_aio && quantity.Compare("1") != 0) return "1";
  if (m_qty_bto && quantity.IsEmpty()) return "1";
  return quantity;
}

CString CPartsInfoApp::PartNumberOfKey(const CString& key) const {
  if (!m_parts_db || key.IsEmpty() || m_parts_db->DdmDbFindKey(key, 0) != 1) return CString();
  return FieldText(*m_parts_db, 0, 1);
}

CString CPartsInfoApp::CompanionField(const CString& partNumber, int field) const {
  if (!m_companion_db || partNumber.IsEmpty() || m_companion_db->DdmDbFindKey(partNumber, 0) != 1) return CString();
  return FieldText(*m_companion_db, 0, field);
}

void CPartsInfoApp::FillColumns(PartsInfoRow& row) const {
  row.fields.resize(static_cast<size_t>(std::max(m_column_count, 0)));
  for (int column = 0; column < m_column_count; ++column) {
    CString& field = row.fields[static_cast<size_t>(column)];
    if (column == m_quantity_field) {
      field = QuantityAfterRules(field);
    } else if (field.IsEmpty() && column < static_cast<int>(m_fill_fields.size()) &&
               m_fill_fields[static_cast<size_t>(column)] >= 0) {
      field = CompanionField(row.partNumber, m_fill_fields[static_cast<size_t>(column)]);
    }
  }
}

std::vector<PartsInfoRow> CPartsInfoApp::BuildRows(const char* data, int length, bool keyAsPartNumber) const {
  std::vector<PartsInfoRow> rows;
  for (std::vector<CString>& line : ReadOrderLines(data, length, m_column_count)) {
    PartsInfoRow& row = rows.emplace_back();
    const CString key = FieldAt(line, m_key_field);
    row.partNumber = PartNumberOfKey(key);
    if (row.partNumber.IsEmpty() && keyAsPartNumber) row.partNumber = key;
    row.fields = std::move(line);
    FillColumns(row);
  }
  return rows;
}

int CPartsInfoApp::HistoryMarks(const CString& partNumber) const {
  if (!m_history_on || !m_history_db || partNumber.IsEmpty()) return 0;
  int marks = 0;
  const int hits = m_history_db->DdmDbFindKey(partNumber, 0);
  for (int hit = 0; hit < hits; ++hit) {
    int length = 0;
    const BYTE* kind = m_history_db->DdmDbGetField(hit, 1, &length);
    if (!kind || length < 1) continue;
    if (*kind == kHistoryEarlier) marks |= 1;
    if (*kind == kHistoryLater) marks |= 2;
    if (*kind == kHistoryAssembly) marks |= 4;
  }
  return marks;
}

CString CPartsInfoApp::NoteFile(const CString& partNumber) const { return m_notes_dir + "\\" + partNumber + ".notiz"; }

bool CPartsInfoApp::FileHasContent(const CString& path) {
  HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD low = GetFileSize(file, &high);
  CloseHandle(file);
  return low != INVALID_FILE_SIZE && (low > 0 || high > 0);
}

CPartsInfoApp::PriceRecord CPartsInfoApp::LookUpPrice(const CString& priceKey) const {
  PriceRecord record;
  if (!m_prices_on || !m_price_db) return record;
  // A cursor of its own, so that a window reading prices and an answer in
  // between do not move each other's results.
  DdmDatabase cursor(*m_price_db);
  if (cursor.DdmDbLookup(priceKey, 0) != 1) return record;
  record.found = true;
  int length = 0;
  if (const BYTE* price = cursor.DdmDbGetField(0, 1, &length); price && length == kPriceBytes) {
    record.hasPrice = true;
    std::memcpy(&record.price, price, kPriceBytes);
  }
  if (cursor.DdmDbHasField(0, 2)) {
    record.hasVat = true;
    record.vatGroup = static_cast<uint16_t>(ReadInteger(static_cast<const char*>(FieldTextBytes(cursor, 0, 2))));
  }
  if (cursor.DdmDbHasField(0, 3)) {
    record.hasDiscount = true;
    record.discount = FieldTextBytes(cursor, 0, 3);
  }
  return record;
}

bool CPartsInfoApp::OrderAllowed(const CString& partNumber) const {
  if (!m_part_must_exist) return true;
  DdmDatabase* database = m_companion_db ? m_companion_db.get() : m_parts_db.get();
  if (!database || partNumber.IsEmpty() || database->DdmDbFindKey(partNumber, 0) != 1) return false;
  if (m_order_flag_field == 0 || !m_check_order_flag) return true;
  int length = 0;
  const BYTE* flag = database->DdmDbGetField(0, m_order_flag_field, &length);
  return flag && length > 0 && *flag == 1;
}

bool CPartsInfoApp::SendAnswer(HWND window, ULONG_PTR code, const CDynBuf& bytes, UINT timeout) {
  COPYDATASTRUCT copy{};
  copy.dwData = code;
  copy.cbData = static_cast<DWORD>(bytes.GetLength());
  copy.lpData = bytes.GetData();
  const auto lParam = reinterpret_cast<LPARAM>(&copy);
  if (timeout == 0) return SendMessage(window, WM_COPYDATA, 0, lParam) != 0;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_COPYDATA, 0, lParam, SMTO_ABORTIFHUNG, timeout, &result) != 0;
}

void CPartsInfoApp::OnPartCommand(TifCommand* command) {
  if (!command) return;
  if (!m_initialised) {
    FreeCommand(command);
    return;
  }
  FollowProgramLanguage();
  if (command->tag == TIF_COMMAND_ORDER)
    OrderPart(command);
  else
    ShowPartsInfo(command, false, false);
}

void CPartsInfoApp::OrderPart(TifCommand* command) {
  std::vector<std::vector<CString>> lines = ReadOrderLines(command->data, command->length, m_column_count);
  if (lines.empty()) {
    FreeCommand(command);
    return;
  }
  std::vector<CString>& first = lines.front();
  if (m_quantity_field >= 0 && m_quantity_field < m_column_count)
    first[static_cast<size_t>(m_quantity_field)] = QuantityAfterRules(first[static_cast<size_t>(m_quantity_field)]);

  CString priceKey;
  if (m_part_must_exist) {
    const CString key = FieldAt(first, m_key_field);
    bool passes = m_parts_db && !key.IsEmpty() && m_parts_db->DdmDbFindKey(key, 0) == 1;
    if (passes) {
      priceKey = FieldBytes(*m_parts_db, 0, 1);
      if (m_order_flag_field > 0 && m_check_order_flag) {
        int length = 0;
        const BYTE* flag = m_parts_db->DdmDbGetField(0, m_order_flag_field, &length);
        passes = flag && length > 0 && *flag == 1;
      }
    }
    if (!passes) {
      ShowPartsInfo(command, true, true);
      return;
    }
  }

  CDynBuf answer;
  answer.SetGrowBy(256);
  for (const std::vector<CString>& line : lines)
    for (const CString& field : line) AppendField(answer, field);
  if (m_prices_on) {
    if (priceKey.IsEmpty()) {
      const CString key = FieldAt(first, m_key_field);
      if (m_parts_db && !key.IsEmpty() && m_parts_db->DdmDbFindKey(key, 0) == 1)
        priceKey = FieldBytes(*m_parts_db, 0, 1);
    }
    AppendPriceAnswer(answer, priceKey);
    answer.Append('\0', 2);
  } else {
    answer.Append('\0');  // the block's own closing NUL
  }
  answer.Append('\0');
  SendAnswer(m_order_window, PROTOCOL_CMD_ORDER_ANSWER, answer);
  FreeCommand(command);
}

void CPartsInfoApp::AppendPriceAnswer(CDynBuf& answer, const CString& priceKey) const {
  const PriceRecord record = LookUpPrice(priceKey);
  if (!record.found) {
    AppendField(answer, "0");
    AppendField(answer, "0");
    AppendField(answer, "");
    return;
  }
  AppendNumber(answer, record.price);
  AppendNumber(answer, record.vatGroup);
  AppendField(answer, record.discount);
}

void CPartsInfoApp::AnswerTextRequest() {
  if (!m_initialised || m_text_request.GetLength() < kRequestHandleBytes) return;
  FollowProgramLanguage();
  const BYTE* request = m_text_request.GetData();
  const DWORD handle = request[0] | request[1] << 8 | request[2] << 16 | static_cast<DWORD>(request[3]) << 24;
  const HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
  const int keyLength = static_cast<int>(
      strnlen(reinterpret_cast<const char*>(request) + kRequestHandleBytes,
              static_cast<size_t>(m_text_request.GetLength() - kRequestHandleBytes)));
  const CString key(reinterpret_cast<const char*>(request) + kRequestHandleBytes, keyLength);

  CString priceKey;
  if (m_parts_db && !key.IsEmpty() && m_parts_db->DdmDbFindKey(key, 0) == 1) priceKey = FieldBytes(*m_parts_db, 0, 1);
  const PriceRecord price = LookUpPrice(priceKey);
  const int history = HistoryMarks(priceKey);

  CDynBuf text;
  bool answered = false;
  const int codes = m_tooltip.GetLength() / 2;
  for (int i = 0; i < codes; ++i) {
    const CString code = m_tooltip.Mid(i * 2, 2);
    if (code.Compare("SP") == 0) {
      text.Append(' ');
    } else if (code.Compare("CR") == 0) {
      text.Append('\n');
    } else if (code.Compare("P1") == 0 && price.hasPrice) {
      text.Append(FormatFixed(price.price, m_decimals1) + " " + m_currency1);
      answered = true;
    } else if (code.Compare("P2") == 0 && price.hasPrice && m_second_currency > 0) {
      text.Append(SecondCurrencyText(price.price) + " " + m_currency2);
      answered = true;
    } else if (code.Compare("PM") == 0 && price.hasVat && m_vat.Count() > 0) {
      text.Append(WindowText(kTextVat) + " " + VatRateText(price.vatGroup) + "%");
      answered = true;
    } else if (code.Compare("PR") == 0 && price.hasDiscount) {
      text.Append(WindowText(kTextDiscount) + price.discount);
      answered = true;
    } else if (code.Compare("HV") == 0 && (history & 1)) {
      text.Append(WindowText(kTextEarlierPart));
      answered = true;
    } else if (code.Compare("HN") == 0 && (history & 2)) {
      text.Append(WindowText(kTextLaterPart));
      answered = true;
    } else if (code.Compare("NO") == 0 && m_notes_on && !priceKey.IsEmpty() && FileHasContent(NoteFile(priceKey))) {
      text.Append(WindowText(kTextHasNote));
      answered = true;
    }
  }
  if (!answered) return;
  text.Append('\0');
  SendAnswer(window, PROTOCOL_CMD_TEXT_ANSWER, text);
}
