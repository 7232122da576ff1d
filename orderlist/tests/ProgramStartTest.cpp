// The program as it starts: its hidden frame with the view, the menu in the
// program language less what the installation hides, the keys, the toolbar
// with its tips and prompts, the parts-info library set up, and when the
// frame's commands are enabled or checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ProtocolFixture.h"
#include "comctl/CommCtrl.h"
#include "mfc/CCmdUI.h"
#include "mfc/CDocument.h"
#include "interfaces/ProtocolCommands.h"
#include "orderlist/CProtocolAboutDlg.h"
#include "orderlist/PartsInfoCalls.h"
#include "orderlist/res/resource.h"
#include "user/Menus.h"
#include "win32/UserWindows.h"

namespace {

using protocol_testing::Ini;
using protocol_testing::StandardSettings;

struct PartsInfoSetUp {
  int columnCount = -1;
  std::vector<std::string> titles;
  HWND orderWindow = nullptr;
  std::vector<int> vatIndexes;
  int partChecks = 0;
};
PartsInfoSetUp g_setUp;

void RecordInit(int columnCount, const char* titles, HWND window, int, int, const char*, const char*, const char*,
                const char*) {
  g_setUp.columnCount = columnCount;
  for (const char* title = titles; *title; title += std::strlen(title) + 1) g_setUp.titles.emplace_back(title);
  g_setUp.orderWindow = window;
}
void RecordVatRate(uint32_t, uint32_t, int, int index, int) { g_setUp.vatIndexes.push_back(index); }
void RecordPartChecks(int, int, int) { ++g_setUp.partChecks; }

class ProgramStart : public protocol_testing::ProtocolProgramTest {
 protected:
  void SetUp() override {
    ProtocolTest::SetUp();
    g_setUp = {};
    PartsInfoCalls& calls = ThePartsInfoCalls();
    calls = {};
    calls.init = RecordInit;
    calls.setVatRate = RecordVatRate;
    calls.setPartChecks = RecordPartChecks;
  }
  void TearDown() override {
    ProtocolProgramTest::TearDown();
    ThePartsInfoCalls() = {};
  }
  // The program started with the standard installation, its settings
  // lines added to [SETTINGS].
  BOOL Run(const std::string& settings = "") {
    if (!settings.empty()) m_folder.Write("V4Prot.ini", StandardSettings(settings));
    return StartProgram();
  }
  // The menu's item texts, popups' items after their popup, in order.
  static void Texts(HMENU menu, std::vector<std::string>& out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char text[128] = "";
      GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      HMENU popup = GetSubMenu(menu, i);
      if (!popup && (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)) continue;
      out.emplace_back(text);
      if (popup) Texts(popup, out);
    }
  }
  std::vector<UINT> AcceleratedCommands() const {
    HACCEL table = Frame()->GetDefaultAccelerator();
    std::vector<ACCEL> entries(static_cast<size_t>(CopyAcceleratorTable(table, nullptr, 0)));
    CopyAcceleratorTable(table, entries.data(), static_cast<int>(entries.size()));
    std::vector<UINT> commands;
    for (const ACCEL& entry : entries) commands.push_back(entry.cmd);
    return commands;
  }
  static bool Has(const std::vector<UINT>& ids, UINT id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }
  // The state the frame gives a command when the class library asks.
  struct State : CCmdUI {
    int enabled = -1, checked = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }
  };
  State Ask(UINT id) {
    State state;
    state.m_nID = id;
    state.DoUpdate(Frame(), FALSE);
    return state;
  }
};

TEST_F(ProgramStart, ShowsNothingUntilTheViewerAsksAndIsFoundByItsParentsId) {
  ProtocolSystemFacts facts = Facts();
  ASSERT_TRUE(Run());
  CMainFrame* frame = Frame();
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(frame->IsWindowVisible());
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(frame->m_hWnd, GWL_USERDATA)), m_app->m_viewer_pid);
  ASSERT_NE(frame->View(), nullptr);
  EXPECT_EQ(m_app->m_view, frame->View());
  EXPECT_TRUE(m_app->m_initialised);
  CString caption;
  frame->GetWindowText(caption);
  EXPECT_STREQ(caption, "Bestellliste - Standard");
  EXPECT_STREQ(frame->View()->GetDocument()->GetTitle(), "Standard");
  // The hidden view is set up for the moment the viewer shows it: its
  // columns with their titles, its labels in the program's texts.
  CProtocolView* view = frame->View();
  EXPECT_EQ(view->m_list.GetHeaderCtrl()->GetItemCount(), 7);
  CString label;
  view->GetDlgItemText(IDC_LINE_COUNT_LABEL, label);
  EXPECT_STREQ(label, "Anzahl Positionen :");  // the form's own wording: the texts lack it
  view->GetDlgItemText(IDC_GROSS_TOTAL_LABEL, label);
  EXPECT_STREQ(label, "Summe mit MwSt");
  // The count includes the price column, which the library drops itself;
  // the titles are those of its own columns only.
  EXPECT_EQ(g_setUp.columnCount, 6);
  EXPECT_EQ(g_setUp.orderWindow, frame->m_hWnd);
  ASSERT_EQ(g_setUp.titles.size(), 5u);
  EXPECT_EQ(g_setUp.titles[3], "Bemerkung");
  EXPECT_EQ(g_setUp.vatIndexes, (std::vector<int>{0, 1}));
  EXPECT_EQ(g_setUp.partChecks, 0);
}

TEST_F(ProgramStart, RunningAloneShowsTheFrameAndTellsThePartsChecks) {
  ASSERT_TRUE(Run(Ini({"StandAlone=1", "StammTnrExists=1"})));
  EXPECT_TRUE(Frame()->IsWindowVisible());
  EXPECT_EQ(g_setUp.partChecks, 1);
}

TEST_F(ProgramStart, SettingsThatCannotBeReadEndTheStartWithAWord) {
  m_folder.Write("V4Prot.ini", Ini({"[SETTINGS]", "CountCol=0"}));
  EXPECT_FALSE(Run());
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(m_boxes[0], "Varno 4 Protocol : Error in constructor !");
  EXPECT_NE(Log().find("Varno 4 Protocol : Error in constructor !"), std::string::npos);
  EXPECT_EQ(m_app->m_pMainWnd, nullptr);
}

TEST_F(ProgramStart, MenuSpeaksTheProgramLanguageFirstLinesOnly) {
  ASSERT_TRUE(Run());
  std::vector<std::string> texts;
  Texts(GetMenu(Frame()->m_hWnd), texts);
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[0], "Name");  // popup 1: text 52
  EXPECT_EQ(texts[1], "Neu");   // 240: text 2194, cut before its line feed
  EXPECT_NE(std::find(texts.begin(), texts.end(), "EUR"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "DEM"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Mehrwertsteuer"), texts.end());
}

struct HiddenCase {
  const char* name;
  const char* settings;
  bool withPrices;
  std::vector<UINT> goneFromMenu, goneFromKeys, goneFromToolbar;
  std::vector<UINT> staying;  // in the menu still
};

class HiddenEntries : public ProgramStart, public ::testing::WithParamInterface<HiddenCase> {};

TEST_P(HiddenEntries, LeaveTheMenuTheKeysAndTheToolbar) {
  const HiddenCase& c = GetParam();
  if (!c.withPrices) std::remove((m_folder / "V4Preise.ini").c_str());
  ASSERT_TRUE(Run(c.settings)) << Log();
  HMENU menu = GetMenu(Frame()->m_hWnd);
  const std::vector<UINT> keys = AcceleratedCommands();
  for (UINT id : c.goneFromMenu) EXPECT_EQ(GetMenuState(menu, id, MF_BYCOMMAND), static_cast<UINT>(-1)) << id;
  for (UINT id : c.staying) EXPECT_NE(GetMenuState(menu, id, MF_BYCOMMAND), static_cast<UINT>(-1)) << id;
  for (UINT id : c.goneFromKeys) EXPECT_FALSE(Has(keys, id)) << id;
  for (UINT id : c.goneFromToolbar) EXPECT_EQ(Frame()->m_tool_bar.CommandToIndex(id), -1) << id;
  EXPECT_TRUE(Has(keys, ID_LINE_INSERT));
}

INSTANTIATE_TEST_SUITE_P(
    Installation, HiddenEntries,
    ::testing::Values(
        HiddenCase{"NoPriceFile", "", false, {ID_PRICES_CURRENCY1, ID_PRICES_CURRENCY2, ID_VAT_RATES}, {}, {}, {ID_PRICES_HIDDEN}},
        HiddenCase{"MergeHidden", "DMN=24\r\n", true, {ID_MERGE_ORDER}, {}, {}, {ID_ORDER_NEW, ID_PRICES_CURRENCY2}},
        HiddenCase{"NewHiddenWithItsKey", "DMN=5\r\n", true, {ID_ORDER_NEW}, {ID_ORDER_NEW}, {}, {ID_ORDER_OPEN}},
        HiddenCase{"DeleteOffToolbarAndKeys", "DTB=246\r\n", true, {}, {ID_LINE_DELETE}, {ID_LINE_DELETE},
                   {ID_LINE_DELETE}},
        HiddenCase{"ExportPopupHidden", "DMN=25\r\n", true, {ID_EXPORT_TEXT, ID_EXPORT_PROGRAM}, {}, {},
                   {ID_BOOKING_SETTINGS}}),
    [](const ::testing::TestParamInfo<HiddenCase>& info) { return std::string(info.param.name); });

TEST_F(ProgramStart, AButtonLeftOutKeepsTheOthersOwnImages) {
  ASSERT_TRUE(Run());
  auto imageOf = [this](UINT id) {
    UINT command = 0, style = 0;
    int image = -1;
    Frame()->m_tool_bar.GetButtonInfo(Frame()->m_tool_bar.CommandToIndex(id), command, style, image);
    return image;
  };
  const int before = imageOf(ID_CHOOSE_ADDRESSES);
  m_app->m_pMainWnd->DestroyWindow();
  m_app.reset();
  protocol_testing::TakeQuitMessage();
  ASSERT_TRUE(Run(Ini({"DTB=246,245"})));
  EXPECT_EQ(imageOf(ID_CHOOSE_ADDRESSES), before);
  EXPECT_EQ(Frame()->m_tool_bar.CommandToIndex(ID_LINE_EDIT), -1);
}

TEST_F(ProgramStart, AToolbarDraggedOutIsDockedBackWhenItPaints) {
  ASSERT_TRUE(Run(Ini({"StandAlone=1"})));
  CV4PrtToolBar& bar = Frame()->m_tool_bar;
  Frame()->FloatControlBar(&bar, CPoint(200, 200));
  ASSERT_TRUE(bar.IsFloating());
  bar.RedrawWindow();
  EXPECT_FALSE(bar.IsFloating());
}

TEST_F(ProgramStart, PromptsAndTipsComeFromTheProgramTexts) {
  ASSERT_TRUE(Run());
  CMainFrame* frame = Frame();
  CString prompt;
  frame->GetMessageString(ID_ORDER_NEW, prompt);
  EXPECT_STREQ(prompt, "Neue Bestellung anlegen");
  EXPECT_STREQ(frame->m_tool_bar.TipText(ID_ORDER_NEW), "Neu");
  frame->GetMessageString(ID_ORDER_SAVE_AS, prompt);  // no button: the prompt table
  EXPECT_STREQ(prompt, "Unter neuem Namen speichern");
  frame->GetMessageString(ID_ABOUT, prompt);  // no text in the dictionary
  EXPECT_STREQ(prompt, "");
  frame->GetMessageString(300, prompt);
  EXPECT_STREQ(prompt, "");
}

TEST_F(ProgramStart, APrintJobDisablesAllFourPrintAndFaxCommands) {
  ASSERT_TRUE(Run());
  CMainFrame* frame = Frame();
  frame->SetPrintEnabled(FALSE);
  for (UINT id : {ID_PRINT_DIRECT, ID_PRINT, ID_FAX, ID_FAX_PRINTER}) EXPECT_EQ(Ask(id).enabled, 0) << id;
  for (UINT id : {ID_PRINT_DIRECT, ID_FAX})
    EXPECT_FALSE(frame->m_tool_bar.SendMessage(TB_ISBUTTONENABLED, id)) << id;
  for (UINT id : {ID_PRINT, ID_FAX_PRINTER})
    EXPECT_TRUE(GetMenuState(GetMenu(frame->m_hWnd), id, MF_BYCOMMAND) & MF_GRAYED) << id;
  frame->SetPrintEnabled(TRUE);
  for (UINT id : {ID_PRINT_DIRECT, ID_PRINT, ID_FAX, ID_FAX_PRINTER}) EXPECT_EQ(Ask(id).enabled, 1) << id;
  EXPECT_TRUE(frame->m_tool_bar.SendMessage(TB_ISBUTTONENABLED, ID_FAX));
}

TEST_F(ProgramStart, CommandsFollowTheirRules) {
  ASSERT_TRUE(Run());
  CMainFrame* frame = Frame();
  EXPECT_EQ(Ask(ID_EXPORT_PROGRAM).enabled, 0);
  EXPECT_EQ(Ask(ID_MERGE_ORDER).enabled, 0);
  const OrderItem line = protocol_testing::Line("A-1", "1");
  frame->View()->AddOrderLines(nullptr, &line, 1);
  EXPECT_EQ(Ask(ID_MERGE_ORDER).enabled, 1);
  EXPECT_EQ(Ask(ID_MAIL_ORDER).enabled, 1);
  frame->m_mail_busy = 1;
  EXPECT_EQ(Ask(ID_MAIL_ORDER).enabled, 0);

  EXPECT_EQ(Ask(ID_PRICES_CURRENCY1).checked, 1);
  frame->SendMessage(WM_COMMAND, ID_PRICES_CURRENCY2);
  EXPECT_EQ(m_app->m_price_display, kPricesCurrency2);
  EXPECT_EQ(Ask(ID_PRICES_CURRENCY1).checked, 0);
  EXPECT_EQ(Ask(ID_PRICES_CURRENCY2).checked, 1);

  EXPECT_EQ(Ask(ID_TOGGLE_STATUS_BAR).checked, 1);
  frame->SendMessage(WM_COMMAND, ID_TOGGLE_STATUS_BAR);
  EXPECT_EQ(Ask(ID_TOGGLE_STATUS_BAR).checked, 0);
  frame->SendMessage(WM_COMMAND, ID_TOGGLE_STATUS_BAR);
  EXPECT_EQ(Ask(ID_TOGGLE_STATUS_BAR).checked, 1);
}

TEST_F(ProgramStart, ExportProgramIsOfferedWhenTheInstallationUsesOne) {
  ASSERT_TRUE(Run(Ini({"UseExport=1", "ExportFile=$HOME$\\exp.exe"})));
  EXPECT_EQ(Ask(ID_EXPORT_PROGRAM).enabled, 1);
}

TEST_F(ProgramStart, ANewProgramLanguageRetextsTheMenuAtIdleTime) {
  ASSERT_TRUE(Run());
  m_app->m_prg_language_new = "GB";
  m_app->OnIdle(0);
  EXPECT_STREQ(m_app->m_prg_language, "GB");
  std::vector<std::string> texts;
  Texts(GetMenu(Frame()->m_hWnd), texts);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[1], "");  // the English texts have no word for New
}

// The view set up while the frame was hidden takes the language the viewer
// sent meanwhile when it is shown: column titles and the labels beneath.
TEST_F(ProgramStart, ShowingAppliesTheLanguageSentWhileHiddenToColumnsAndLabels) {
  ASSERT_TRUE(Run());
  CMainFrame* frame = Frame();
  COPYDATASTRUCT language{PROTOCOL_CMD_PROGRAM_LANGUAGE, 3, const_cast<char*>("GB")};
  ASSERT_TRUE(frame->SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&language)));
  frame->SendMessage(ProtocolCommandMessage(), PROTOCOL_CMD_SHOW, 0);
  EXPECT_TRUE(frame->IsWindowVisible());
  EXPECT_STREQ(m_app->m_prg_language, "GB");
  char title[64] = {};
  LVCOLUMN column{};
  column.mask = LVCF_TEXT;
  column.pszText = title;
  column.cchTextMax = sizeof title;
  ASSERT_TRUE(frame->View()->m_list.GetColumn(0, &column));
  EXPECT_STREQ(title, "Quantity");
  CString label;
  frame->View()->GetDlgItemText(IDC_TOTAL_LABEL, label);
  EXPECT_STREQ(label, "Total");
}

struct CloseCase {
  const char* name;
  int answer;
  bool stays, saved;
};

class ClosingAlone : public ProgramStart, public ::testing::WithParamInterface<CloseCase> {};

// Running alone, the user's close must not drop lines without a word.
TEST_P(ClosingAlone, OffersUnsavedLinesForSaving) {
  const CloseCase& c = GetParam();
  ASSERT_TRUE(Run(Ini({"StandAlone=1"})));
  const OrderItem line = protocol_testing::Line("A-1", "1");
  Frame()->View()->AddOrderLines(nullptr, &line, 1);
  Frame()->View()->SetModifiedFlag();
  m_answer = c.answer;
  const HWND window = Frame()->m_hWnd;
  ::SendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_EQ(m_boxes.size(), 1u);
  EXPECT_EQ(IsWindow(window) != FALSE, c.stays);
  EXPECT_EQ(m_folder.Exists("Standard.pro"), c.saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, ClosingAlone,
                         ::testing::Values(CloseCase{"Cancel", IDCANCEL, true, false},
                                           CloseCase{"No", IDNO, false, false},
                                           CloseCase{"Yes", IDYES, false, true}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(ProgramStart, ExitKeepsTheUsersBookingChoice) {
  ASSERT_TRUE(Run());
  m_app->m_double_inc = true;
  m_app->ExitInstance();
  EXPECT_NE(m_folder.Read("v4prot_user.ini").find("DoubleInc=1"), std::string::npos);
}

struct KilobyteCase {
  const char* name;
  uint64_t kilobytes;
  const char* text;
};

class AboutMemory : public ::testing::TestWithParam<KilobyteCase> {};

TEST_P(AboutMemory, GroupsThreeDigits) {
  EXPECT_STREQ(CProtocolAboutDlg::KilobyteText(GetParam().kilobytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Kilobytes, AboutMemory,
                         ::testing::Values(KilobyteCase{"Small", 999, "999 KB"},
                                           KilobyteCase{"Thousand", 1000, "1.000 KB"},
                                           KilobyteCase{"Million", 1234567, "1.234.567 KB"}),
                         [](const ::testing::TestParamInfo<KilobyteCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(AboutLoad, NtFourReckonsItFromTheFreeMemory) {
  MEMORYSTATUS status{};
  status.dwMemoryLoad = 12;
  status.dwTotalPhys = 1000;
  status.dwAvailPhys = 255;
  EXPECT_EQ(CProtocolAboutDlg::MemoryLoad(3, status), 74);
  EXPECT_EQ(CProtocolAboutDlg::MemoryLoad(4, status), 12);
}

}  // namespace
