// Every text that a program of the sample installation looks up by number is
// in the installation's own message files, in every program language the
// installation offers: the viewer's own texts, those its menu file, button
// files and language tables name, the where-used program's messages and the
// order-list program's texts. A missing text would show as an empty caption,
// label, menu entry or message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "CatalogueInstallation.h"
#include "Main/CDataMenu.h"
#include "Main/CErrorTrace.h"
#include "Main/CWV4Globals.h"
#include "Main/ProgramTexts.h"
#include "Main/ToolbarButtons.h"
#include "foundation/CIniClass.h"
#include "interfaces/QorDdm.h"
#include "orderlist/OrderListTexts.h"
#include "testing/TempFolder.h"
#include "user/Menus.h"

namespace {

const std::string kInstallation = VARNO_CATALOGUE_DIR;

// A number asked for and what asks for it, for the failure message.
struct TextUse {
  long number;
  std::string what;
};

template <typename Number, size_t N>
void Add(std::vector<TextUse>& uses, const Number (&numbers)[N], const std::string& what) {
  for (Number number : numbers) uses.push_back({static_cast<long>(number), what});
}

CString IniValue(const char* section, const char* key, const std::string& file) {
  CIniClass ini;
  CString value;
  ini.ReadKey(section, key, "", value, file.c_str(), 0);
  return value;
}

// The text numbers of the menu file: every entry's text and every prompt.
std::vector<TextUse> MenuFileNumbers(const std::string& path) {
  std::vector<TextUse> uses;
  std::ifstream file(path);
  const std::regex entry(R"(^\s*(\d+)\s*=\s*(?:\d+\s*,\s*(\d+))?)");
  bool accelerators = false;  // their lines name keys and commands, no texts
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with("[")) accelerators = line.starts_with("[ACCELERATOR]");
    std::smatch match;
    if (accelerators || !std::regex_search(line, match, entry)) continue;
    uses.push_back({std::stol(match[1]), "the menu file's line " + line});
    if (match[2].matched) uses.push_back({std::stol(match[2]), "the prompt of the menu file's line " + line});
  }
  return uses;
}

class InstallationTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.Load()) << "the sample installation does not load";
    const CWV4Globals& g = theGlobals;
    for (int i = 0; i < g.m_lang_prg_num; ++i) languages.emplace_back(g.m_lang_prg[i].lang_code);
    ASSERT_EQ(languages.size(), 2u) << "the installation offers German and English";
  }

  // The numbers whose text is empty in a dictionary, a line for each
  // language and user: "GB, the order view: 2254 3261".
  std::string Missing(DdmTextTable& texts, const std::vector<TextUse>& uses) const {
    std::string missing;
    for (const std::string& language : languages) {
      EXPECT_TRUE(texts.DdmTextSetLanguage(language.c_str())) << "no language " << language;
      std::map<std::string, std::set<long>> lacking;
      for (const TextUse& use : uses)
        if (*texts.DdmGetText(use.number) == '\0') lacking[use.what].insert(use.number);
      for (const auto& [what, numbers] : lacking) {
        missing += language + ", " + what + ":";
        for (long number : numbers) missing += " " + std::to_string(number);
        missing += "\n";
      }
    }
    return missing;
  }

  // Runs a check once in each program language of the viewer's messages.
  void InEveryLanguage(const std::function<void(const std::string&)>& check) {
    for (const std::string& language : languages) {
      theGlobals.m_msgdud.DdmTextSetLanguage(language.c_str());
      check(language);
    }
    theGlobals.m_msgdud.DdmTextSetLanguage(languages.front().c_str());
  }

  layer::testing::TempFolder user;
  varno::catalogue::Installation installation{kInstallation, user.Path()};
  std::vector<std::string> languages;
};

TEST_F(InstallationTextsTest, TheViewerFindsEveryTextItAsksFor) {
  const CWV4Globals& g = theGlobals;
  std::vector<TextUse> uses;
  Add(uses, kAllProgramTexts, "the viewer's dialogs, menus and messages");
  for (int i = 0; i < g.m_lang_prg_num; ++i) uses.push_back({g.m_lang_prg[i].text_number, "a program language"});
  for (int i = 0; i < g.m_lang_data_num; ++i) uses.push_back({g.m_lang_data[i].text_number, "a data language"});
  DdmTextTable messages(g.m_message);
  EXPECT_EQ(Missing(messages, uses), "");
}

// The menu as the main frame builds it: every entry and every prompt of a
// command has its text.
TEST_F(InstallationTextsTest, EveryMenuEntryAndPromptHasItsText) {
  CDataMenu menu;
  ASSERT_TRUE(menu.Build(theGlobals.m_menu_file));
  InEveryLanguage([&](const std::string& language) {
    menu.Retext();
    std::function<void(HMENU, const std::string&)> walk = [&](HMENU drop, const std::string& path) {
      for (int position = 0; position < GetMenuItemCount(drop); ++position) {
        if (GetMenuState(drop, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) continue;
        char text[256] = {};
        GetMenuString(drop, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
        const std::string label = path + "/" + std::to_string(position);
        EXPECT_STRNE(text, "") << language << ": the menu entry " << label;
        if (HMENU sub = GetSubMenu(drop, position)) walk(sub, label);
      }
    };
    walk(menu.Menu(), "");
    for (const MenuPrompt& prompt : menu.Prompts()) {
      if (prompt.command == 0) continue;
      EXPECT_FALSE(prompt.text.IsEmpty()) << language << ": the prompt of " << prompt.command;
    }
  });
}

TEST_F(InstallationTextsTest, EveryToolbarTipHasItsText) {
  const CViewerApp& app = installation.app;
  InEveryLanguage([&](const std::string& language) {
    for (const ToolbarButtonList* list : {&app.m_buttons_frm, &app.m_buttons_pop}) {
      for (const ToolbarButtonDef* button = list->first; button != nullptr; button = button->next) {
        if (button->separator) continue;
        EXPECT_TRUE(button->text_is_number) << "the tip of command " << button->cmdid << " follows no language";
        if (!button->text_is_number) continue;
        EXPECT_FALSE(theGlobals.MessageText(button->text_number).IsEmpty())
            << language << ": the tip of command " << button->cmdid << " (text " << button->text_number << ")";
      }
    }
  });
}

// The error dialog shows the message of an error code by the number the
// viewer's error table gives it; a number the installation takes for one of
// its own texts would make an error speak of a menu or a button instead.
TEST_F(InstallationTextsTest, NoTextTheInstallationNumbersIsAnErrorsMessage) {
  const CWV4Globals& g = theGlobals;
  std::vector<TextUse> uses = MenuFileNumbers(kInstallation + "/menue.ini");
  for (const ToolbarButtonList* list : {&installation.app.m_buttons_frm, &installation.app.m_buttons_pop})
    for (const ToolbarButtonDef* button = list->first; button != nullptr; button = button->next)
      if (button->text_is_number) uses.push_back({button->text_number, "a toolbar tip"});
  for (int i = 0; i < g.m_lang_prg_num; ++i) uses.push_back({g.m_lang_prg[i].text_number, "a program language"});
  for (int i = 0; i < g.m_lang_data_num; ++i) uses.push_back({g.m_lang_data[i].text_number, "a data language"});
  for (int n = 0; n <= 9; ++n) {
    const std::string key = "Msg0" + std::to_string(n);
    uses.push_back({std::atol(IniValue("VNW", key.c_str(), kInstallation + "/rm46.prj")), "where-used " + key});
  }
  std::string taken;
  for (const TextUse& use : uses) {
    for (int code = 0; code < kErrorCodeCount; ++code) {
      if (use.number != 0 && ErrorTextTable[static_cast<size_t>(code)] == static_cast<DWORD>(use.number))
        taken += std::to_string(use.number) + " (" + use.what + ") is the message of error " + std::to_string(code) + "\n";
    }
  }
  EXPECT_EQ(taken, "");
}

// The where-used program takes its messages' numbers from the project's
// section that its command line names, and reads them from the viewer's
// message file.
TEST_F(InstallationTextsTest, TheWhereUsedProgramFindsItsMessages) {
  std::vector<TextUse> uses;
  constexpr int kReadButNeverShown = 8;
  for (int n = 0; n <= 9; ++n) {
    if (n == kReadButNeverShown) continue;
    const std::string key = "Msg0" + std::to_string(n);
    const CString number = IniValue("VNW", key.c_str(), kInstallation + "/rm46.prj");
    ASSERT_FALSE(number.IsEmpty()) << key;
    uses.push_back({std::stol(static_cast<const char*>(number)), "where-used message " + key});
  }
  DdmTextTable messages(theGlobals.m_message);
  EXPECT_EQ(Missing(messages, uses), "");
}

// The order-list program and its parts-info window read the order list's
// own message file; its columns' titles are named by its settings.
TEST_F(InstallationTextsTest, TheOrderListFindsEveryTextItAsksFor) {
  const std::string folder = kInstallation + "/protokoll/";
  std::vector<TextUse> uses;
  Add(uses, OrderListText::kShared, "the order list's buttons and boxes");
  Add(uses, OrderListText::kMainFrame, "the order list's frame, menus, prompts and tips");
  Add(uses, OrderListText::kOrderView, "the order view");
  Add(uses, OrderListText::kOrderFiles, "the order files");
  Add(uses, OrderListText::kDialogs, "the order list's dialogs");
  Add(uses, OrderListText::kAddresses, "the address card index");
  Add(uses, OrderListText::kMailAndPrint, "mailing and printing an order");
  Add(uses, OrderListText::kPartsInfo, "the parts-info window");
  const int columns = std::atoi(IniValue("COLUMS", "Number", folder + "V4Prot.ini"));
  for (int column = 0; column < columns; ++column) {
    const std::string key = (column < 10 ? "Col0" : "Col") + std::to_string(column);
    uses.push_back({std::atol(IniValue("COLUMS", key.c_str(), folder + "V4Prot.ini")), "the order column " + key});
  }
  DdmTextTable texts((folder + "protokoll.dud").c_str());
  EXPECT_EQ(Missing(texts, uses), "");
}

}  // namespace
