#include "Main/CDataMenu.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Main/CWV4Globals.h"
#include "foundation/CDynBuf.h"
#include "foundation/CIniClass.h"
#include "user/Menus.h"

namespace {

// The section's lines, each ended by a zero byte; false when the section is
// missing or the file cannot be read.
bool ReadLines(const CString& file, const char* section, std::vector<CString>& lines) {
  CIniClass ini;
  CDynBuf block;
  if (!ini.ReadSection(section, block, file, 0) || block.GetLength() == 0) return false;
  const char* text = block;
  for (int pos = 0; pos < block.GetLength() && text[pos] != '\0';) {
    const int length = static_cast<int>(std::strlen(text + pos));
    lines.emplace_back(text + pos, length);
    pos += length + 1;
  }
  return true;
}

CString TrimmedStart(const CString& text) {
  int start = 0;
  while (start < text.GetLength() && (text[start] == ' ' || text[start] == '\t')) ++start;
  return text.Mid(start);
}

}  // namespace

CDataMenu::~CDataMenu() {
  if (m_menu != nullptr) DestroyMenu(m_menu);
}

bool CDataMenu::Known(int command) const {
  return std::find(m_commands.begin(), m_commands.end(), command) != m_commands.end();
}

// The lines of a section, in order, with their drop-down sections below them.
// A command that the menu holds already is left out.
// A section that is being read already (sections that name each other in a
// circle) is not read again: its line shows as a separator.
std::unique_ptr<MenuNode> CDataMenu::Parse(const CString& menuFile, const CString& section,
                                           std::vector<CString>& path) {
  std::vector<CString> lines;
  if (std::find(path.begin(), path.end(), section) != path.end() || !ReadLines(menuFile, section, lines))
    return nullptr;
  path.push_back(section);
  std::unique_ptr<MenuNode> first;
  MenuNode* last = nullptr;
  for (const CString& line : lines) {
    auto node = std::make_unique<MenuNode>();
    node->text = std::atoi(line);
    const int equals = line.Find('=');
    CString value = equals >= 0 ? TrimmedStart(line.Mid(equals + 1)) : CString();
    if (!value.IsEmpty() && value[0] == '[') {
      value.TrimRight();
      node->child = Parse(menuFile, value.Mid(1, value.GetLength() - 2), path);
    } else {
      node->command = std::atoi(value);
      if (node->command != 0) {
        if (Known(node->command)) continue;
        m_commands.push_back(node->command);
        const int comma = value.Find(',');
        node->prompt = comma >= 0 ? std::atoi(value.Mid(comma + 1)) : 0;
      }
    }
    MenuNode* kept = node.get();
    if (last == nullptr) first = std::move(node);
    else last->next = std::move(node);
    last = kept;
  }
  path.pop_back();
  return first;
}

BOOL CDataMenu::Build(const char* menuFile) {
  std::vector<CString> main;
  if (!ReadLines(menuFile, "MAIN", main)) return FALSE;
  m_commands.clear();
  m_prompts.clear();
  std::vector<CString> path;
  m_root = Parse(menuFile, "MAIN", path);
  if (m_menu != nullptr) DestroyMenu(m_menu);
  m_menu = CreateMenu();
  Append(m_menu, m_root.get());
  return TRUE;
}

void CDataMenu::Append(HMENU menu, const MenuNode* first) {
  const CWV4Globals& g = theGlobals;
  for (const MenuNode* node = first; node != nullptr; node = node->next.get()) {
    if (node->child != nullptr) {
      HMENU dropDown = CreatePopupMenu();
      Append(dropDown, node->child.get());
      AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(dropDown), g.MessageText(node->text));
    } else if (node->command == 0) {
      AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
      m_prompts.push_back({0, CString()});
    } else {
      AppendMenu(menu, MF_STRING, static_cast<UINT_PTR>(node->command), g.MessageText(node->text));
      m_prompts.push_back({node->command, g.MessageText(node->prompt)});
    }
  }
}

void CDataMenu::Retext() {
  if (m_menu == nullptr) return;
  size_t prompt = 0;
  Retext(m_menu, m_root.get(), prompt);
}

void CDataMenu::Retext(HMENU menu, const MenuNode* first, size_t& prompt) {
  const CWV4Globals& g = theGlobals;
  UINT position = 0;
  for (const MenuNode* node = first; node != nullptr; node = node->next.get(), ++position) {
    if (node->child == nullptr && node->command == 0) {
      ++prompt;
      continue;
    }
    if (node->child != nullptr) Retext(GetSubMenu(menu, static_cast<int>(position)), node->child.get(), prompt);
    CString text = g.MessageText(node->text);
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = text.GetBuffer(text.GetLength());
    info.cch = static_cast<UINT>(text.GetLength());
    SetMenuItemInfo(menu, position, TRUE, &info);
    text.ReleaseBuffer();
    if (node->child == nullptr && prompt < m_prompts.size()) m_prompts[prompt++].text = g.MessageText(node->prompt);
  }
}

namespace {

// The menu and position of the first entry of the command, depth first.
bool FindEntry(HMENU menu, UINT command, HMENU& owner, UINT& position) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id == static_cast<UINT>(-1)) {
      if (FindEntry(GetSubMenu(menu, i), command, owner, position)) return true;
    } else if (id == command) {
      owner = menu;
      position = static_cast<UINT>(i);
      return true;
    }
  }
  return false;
}

}  // namespace

BOOL CDataMenu::SetCheck(UINT command, BOOL check) {
  HMENU owner = nullptr;
  UINT position = 0;
  if (m_menu == nullptr || !FindEntry(m_menu, command, owner, position)) return FALSE;
  const bool checked = (GetMenuState(owner, position, MF_BYPOSITION) & MF_CHECKED) != 0;
  if (checked == (check != FALSE)) return FALSE;
  CheckMenuItem(owner, position, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
  return TRUE;
}

BOOL CDataMenu::Enable(UINT command, BOOL enable) {
  HMENU owner = nullptr;
  UINT position = 0;
  if (m_menu == nullptr || !FindEntry(m_menu, command, owner, position)) return FALSE;
  EnableMenuItem(owner, position, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
  return TRUE;
}

CString CDataMenu::PromptOf(UINT command) const {
  for (const MenuPrompt& prompt : m_prompts) {
    if (command != 0 && prompt.command == static_cast<int>(command)) return prompt.text;
  }
  return CString();
}
