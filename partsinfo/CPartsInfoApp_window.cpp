// The application object and its window: opening the window on a command,
// feeding an open one, and the look-ups the window makes for its rows.
#include <cstdlib>

#include "comctl/CommCtrl.h"
#include "partsinfo/CPartsInfoApp.h"
#include "partsinfo/CPartsInfoDlg.h"
#include "win32/UserWindows.h"

namespace {

constexpr int kPartNumbersField = 2;
constexpr int kQuantitiesField = 3;

CString ElementText(const DdmDatabase& database, int hit, int field, int element, bool& present) {
  int length = 0;
  const BYTE* bytes = database.DdmDbGetElement(hit, field, element, &length);
  present = bytes != nullptr;
  return bytes ? CString(reinterpret_cast<const char*>(bytes), length) : CString();
}

}  // namespace

CString CPartsInfoApp::PartsField(const CString& partNumber, int field) const {
  if (partNumber.IsEmpty()) return CString();
  for (DdmDatabase* database : {m_parts_db.get(), m_companion_db.get()}) {
    if (database && database->DdmDbFindKey(partNumber, 0) == 1 && database->DdmDbHasField(0, field))
      return FieldText(*database, 0, field);
  }
  return CString();
}

bool CPartsInfoApp::HasHistory(const CString& partNumber) const {
  return m_history_on && m_history_db && !partNumber.IsEmpty() && m_history_db->DdmDbFindKey(partNumber, 0) > 0;
}

std::vector<PartsInfoRow> CPartsInfoApp::HistoryParts(const CString& partNumber, int kind) const {
  std::vector<PartsInfoRow> rows;
  if (!HasHistory(partNumber)) return rows;
  // The entries are read whole first: the companion look-ups of the rows
  // must not meet a history result that is still being read.
  std::vector<std::pair<CString, std::pair<bool, CString>>> parts;
  const int hits = m_history_db->DdmDbFindKey(partNumber, 0);
  for (int hit = 0; hit < hits; ++hit) {
    int length = 0;
    const BYTE* entryKind = m_history_db->DdmDbGetField(hit, 1, &length);
    if (!entryKind || length < 1 || *entryKind != kind) continue;
    const int count = m_history_db->DdmDbGetElementCount(hit, kPartNumbersField);
    for (int element = 0; element < count; ++element) {
      bool present = false, hasQuantity = false;
      CString part = ElementText(*m_history_db, hit, kPartNumbersField, element, present);
      CString quantity = ElementText(*m_history_db, hit, kQuantitiesField, element, hasQuantity);
      parts.push_back({part, {hasQuantity, quantity}});
    }
  }
  for (const auto& [part, quantity] : parts) {
    PartsInfoRow& row = rows.emplace_back();
    row.partNumber = part;
    row.fields.resize(static_cast<size_t>(std::max(m_column_count, 0)));
    if (m_key_field >= 0 && m_key_field < m_column_count)
      row.fields[static_cast<size_t>(m_key_field)] = CompanionField(part, 0);
    if (m_quantity_field >= 0 && m_quantity_field < m_column_count)
      row.fields[static_cast<size_t>(m_quantity_field)] = quantity.first ? quantity.second : CString();
    FillColumns(row);
  }
  return rows;
}

void CPartsInfoApp::ShowPartsInfo(TifCommand* command, bool fromOrder, bool orderFailed) {
  if (!m_window_open)
    OpenWindow(command, fromOrder, orderFailed);
  else
    FeedOpenWindow(command, fromOrder, orderFailed);
}

void CPartsInfoApp::OpenWindow(TifCommand* command, bool fromOrder, bool orderFailed) {
  InitCommonControls();
  m_window = new CPartsInfoDlg(this, command->data, command->length);
  m_window->m_rect.left = std::atoi(ReadUserSetting("XPos"));
  m_window->m_rect.top = std::atoi(ReadUserSetting("YPos"));
  m_window->m_order_allowed = !fromOrder;
  m_window->m_checks_decided = orderFailed;
  m_window_open = true;
  m_window->DoModal();
  Lock();
  m_window_open = false;
  CString position;
  position.Format("%d", m_window->m_rect.left);
  m_ini.WriteKey("SYSTEM", "XPos", position, m_user_settings_file, 1);
  position.Format("%d", m_window->m_rect.top);
  m_ini.WriteKey("SYSTEM", "YPos", position, m_user_settings_file, 1);
  delete m_window;
  m_window = nullptr;
  Unlock();
  FreeCommand(command);
}

// Every row of the block takes the place of the rows shown, as a window
// opened on the block would show them.
void CPartsInfoApp::FeedOpenWindow(TifCommand* command, bool fromOrder, bool orderFailed) {
  std::vector<PartsInfoRow> rows = BuildRows(command->data, command->length, false);
  Lock();
  if (m_window && m_window->GetSafeHwnd()) {
    m_window->ReplaceRows(std::move(rows));
    m_window->m_order_allowed = !fromOrder;
    m_window->m_checks_decided = orderFailed;
    m_window->Refresh();
    ::SetForegroundWindow(m_window->GetSafeHwnd());
  }
  Unlock();
  FreeCommand(command);
}
