// A frame window's keyboard accelerators from section ACCELERATOR of the
// catalogue's menu file: modifier letters, a key code and a command each.
#pragma once

#include <vector>

#include "win32/Types.h"

#pragma pack(push, 1)
struct AccelEntry {
  BYTE flags;     // 0x10 Alt, 0x08 Ctrl, 0x04 Shift, 0x02 M, 0x01 V
  WORD key;       // virtual-key code
  WORD command;
};
#pragma pack(pop)

class CAccelTable {
 public:
  // Reads the table; TRUE always (a file without accelerators gives none).
  BOOL Load(const char* menuFile);
  // The commands of the entries that match the key with these modifiers
  // held, in table order.
  std::vector<UINT> CommandsFor(UINT key, bool alt, bool shift, bool ctrl) const;
  // The same with the modifiers as the keyboard holds them now.
  std::vector<UINT> CommandsFor(UINT key) const;

  const std::vector<AccelEntry>& Entries() const { return m_entries; }

 private:
  std::vector<AccelEntry> m_entries;
};
