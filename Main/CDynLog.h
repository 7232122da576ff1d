// The key history: a stack of the keys the user has left, each with the
// assignment code that puts its traced variables back.
#pragma once

#include <vector>

#include "foundation/CDynBuf.h"
#include "mfc/CObject.h"
#include "mfc/CString.h"
#include "win32/Types.h"

class CListCtrl;

class CDynLog : public virtual CObject {
  DECLARE_DYNCREATE(CDynLog)

 public:
  struct Entry {
    CString name;
    int number = 0;  // depth of the stack with this entry on top
    int mark = 0;    // non-zero for a chapter entry
    int second = 0;
    int reserved = 0;
    CDynBuf data;
  };

  CDynLog() = default;
  ~CDynLog() override = default;

  BOOL AddEntry(const char* name, const CDynBuf& data, int mark, int second);
  int GetCount() const { return m_entries.empty() ? 0 : m_entries.back().number; }
  // The data of every entry, newest first; the history stays as it is.
  void GetAllData(CDynBuf& data) const;
  BOOL Pop(CString& name, CDynBuf& data);
  // Pops down to the newest chapter entry, collecting the data on the way.
  BOOL PopToMark(CString& name, CDynBuf& data);
  // Pops down to the newest entry of that name, collecting the data on the way.
  BOOL PopToName(const CString& name, CDynBuf& data);
  void RemoveAll() { m_entries.clear(); }
  // One row per entry, newest first: name, mark, second value; the caller
  // makes the columns.
  void FillListCtrl(CListCtrl& list) const;

  // Newest first, as the history dialog lists them.
  const std::vector<Entry>& Entries() const { return m_entries; }

 private:
  template <typename Match>
  BOOL PopTo(Match matches, CString* name, CDynBuf& data);

  std::vector<Entry> m_entries;  // oldest first
};
