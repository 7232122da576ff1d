// The main frame's menu bar as the catalogue's menu file describes it: a
// tree of drop-down menus and commands whose texts and status-bar prompts
// are program texts by number, so that the menu follows the program
// language.
#pragma once

#include <memory>
#include <vector>

#include "mfc/CString.h"
#include "win32/Types.h"

struct MenuNode {
  std::unique_ptr<MenuNode> next;
  std::unique_ptr<MenuNode> child;
  int command = 0;  // 0: a drop-down menu or a separator
  int text = 0;     // program text number
  int prompt = 0;   // program text number of the status-bar prompt
};

struct MenuPrompt {
  int command = 0;
  CString text;  // empty for a separator
};

class CDataMenu {
 public:
  CDataMenu() = default;
  ~CDataMenu();
  CDataMenu(const CDataMenu&) = delete;
  CDataMenu& operator=(const CDataMenu&) = delete;

  // Reads section MAIN and its drop-down sections of menuFile and builds the
  // menu bar; FALSE when the file or MAIN is missing.
  BOOL Build(const char* menuFile);
  // Every entry's text and prompt again, in the current program language.
  void Retext();
  // The first entry of the command, searched depth first; FALSE when none
  // (or, for the check, none whose state differs) or before the build.
  BOOL SetCheck(UINT command, BOOL check);
  BOOL Enable(UINT command, BOOL enable);
  // The prompt of a command for the status bar; empty when it has none.
  CString PromptOf(UINT command) const;

  HMENU Menu() const { return m_menu; }
  BOOL IsBuilt() const { return m_menu != nullptr; }
  const std::vector<MenuPrompt>& Prompts() const { return m_prompts; }

 private:
  std::unique_ptr<MenuNode> Parse(const CString& menuFile, const CString& section, std::vector<CString>& path);
  void Append(HMENU menu, const MenuNode* first);
  void Retext(HMENU menu, const MenuNode* first, size_t& prompt);
  bool Known(int command) const;

  std::unique_ptr<MenuNode> m_root;
  std::vector<int> m_commands;  // the command ids kept, to leave repeats out
  std::vector<MenuPrompt> m_prompts;
  HMENU m_menu = nullptr;
};
