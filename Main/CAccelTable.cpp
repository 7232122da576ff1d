#include "Main/CAccelTable.h"

#include <cstdlib>

#include "foundation/CIniClass.h"
#include "mfc/CString.h"
#include "win32/UserWindows.h"

namespace {

constexpr BYTE kAlt = 0x10;
constexpr BYTE kCtrl = 0x08;
constexpr BYTE kShift = 0x04;
constexpr BYTE kAlwaysMatching = 0x03;  // M and V never change a match

BYTE FlagsOf(const CString& letters) {
  BYTE flags = 0;
  for (int i = 0; i < letters.GetLength(); ++i) {
    switch (letters[i]) {
      case 'A': flags |= kAlt; break;
      case 'S': flags |= kShift; break;
      case 'C': flags |= kCtrl; break;
      case 'M': flags |= 0x02; break;
      case 'V': flags |= 0x01; break;
      default: break;
    }
  }
  return flags;
}

}  // namespace

BOOL CAccelTable::Load(const char* menuFile) {
  CIniClass ini;
  CString number;
  ini.ReadKey("ACCELERATOR", "Num", "0", number, menuFile, 0);
  const int count = std::atoi(number);
  if (count <= 0) return TRUE;
  m_entries.clear();
  for (int i = 0; i < count; ++i) {
    CString key;
    key.Format("%03d", i);
    CString value;
    ini.ReadKey("ACCELERATOR", key, "", value, menuFile, 0);
    if (value.IsEmpty()) continue;
    const int lastComma = value.ReverseFind(',');
    const CString command = lastComma >= 0 ? value.Mid(lastComma + 1) : value;
    const CString rest = lastComma >= 0 ? value.Left(lastComma) : CString();
    const int keyComma = rest.ReverseFind(',');
    const CString code = keyComma >= 0 ? rest.Mid(keyComma + 1) : rest;
    const CString letters = keyComma >= 0 ? rest.Left(keyComma) : CString();
    m_entries.push_back({FlagsOf(letters), static_cast<WORD>(std::atoi(code)), static_cast<WORD>(std::atoi(command))});
  }
  return TRUE;
}

std::vector<UINT> CAccelTable::CommandsFor(UINT key, bool alt, bool shift, bool ctrl) const {
  const BYTE mask = kAlwaysMatching | (alt ? kAlt : 0) | (shift ? kShift : 0) | (ctrl ? kCtrl : 0);
  std::vector<UINT> commands;
  for (const AccelEntry& entry : m_entries) {
    if (entry.key == static_cast<WORD>(key) && (entry.flags | kAlwaysMatching) == mask) commands.push_back(entry.command);
  }
  return commands;
}

std::vector<UINT> CAccelTable::CommandsFor(UINT key) const {
  auto held = [](int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; };
  return CommandsFor(key, held(VK_MENU), held(VK_SHIFT), held(VK_CONTROL));
}
