#include "Main/CDynLog.h"

#include "mfc/CListCtrl.h"
#include "win32/Mbstring.h"

IMPLEMENT_DYNCREATE(CDynLog, CObject)

BOOL CDynLog::AddEntry(const char* name, const CDynBuf& data, int mark, int second) {
  Entry entry;
  entry.name = name;
  entry.number = GetCount() + 1;
  entry.mark = mark;
  entry.second = second;
  if (data.GetLength() > 0) entry.data = data;
  m_entries.push_back(std::move(entry));
  return TRUE;
}

void CDynLog::GetAllData(CDynBuf& data) const {
  data.Empty();
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) data.Append(it->data);
}

BOOL CDynLog::Pop(CString& name, CDynBuf& data) {
  data.Empty();
  if (m_entries.empty()) {
    name.Empty();
    return FALSE;
  }
  name = m_entries.back().name;
  data.Append(m_entries.back().data);
  m_entries.pop_back();
  return TRUE;
}

// Walks from the newest entry down, appending each entry's data, until one
// matches; that entry and the newer ones are removed. Without a match the
// data of all entries is collected and the history stays.
template <typename Match>
BOOL CDynLog::PopTo(Match matches, CString* name, CDynBuf& data) {
  data.Empty();
  for (auto index = m_entries.size(); index-- > 0;) {
    data.Append(m_entries[index].data);
    if (matches(m_entries[index])) {
      if (name != nullptr) *name = m_entries[index].name;
      m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index), m_entries.end());
      return TRUE;
    }
  }
  if (name != nullptr) name->Empty();
  return FALSE;
}

BOOL CDynLog::PopToMark(CString& name, CDynBuf& data) {
  return PopTo([](const Entry& entry) { return entry.mark != 0; }, &name, data);
}

BOOL CDynLog::PopToName(const CString& name, CDynBuf& data) {
  const auto* wanted = reinterpret_cast<const unsigned char*>(static_cast<const char*>(name));
  return PopTo(
      [wanted](const Entry& entry) {
        return _mbscmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(entry.name)), wanted) == 0;
      },
      nullptr, data);
}

void CDynLog::FillListCtrl(CListCtrl& list) const {
  int row = 0;
  for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
    const int item = list.InsertItem(row++, entry->name);
    CString number;
    number.Format("%d", entry->mark);
    list.SetItemText(item, 1, number);
    number.Format("%d", entry->second);
    list.SetItemText(item, 2, number);
  }
}
