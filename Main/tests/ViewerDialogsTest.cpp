// The viewer's small dialogs as a user meets them: made from the viewer's
// resources, filled, and closed with the keys and buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Main/CAboutDlg.h"
#include "Main/CConfirmListDlg.h"
#include "Main/CCreditsDlg.h"
#include "Main/CErrorDlg.h"
#include "Main/CHistoryDlg.h"
#include "Main/CListHelper.h"
#include "Main/CVarListDlg.h"
#include "Main/CDynLog.h"
#include "Main/CLanguageDlg.h"
#include "Main/tests/OrderListStandIn.h"
#include "foundation/CIniClass.h"
#include "Main/CNoteDlg.h"
#include "Main/CVersionDlg.h"
#include "win32/Clipboard.h"
#include "win32/GdiTypes.h"
#include "win32/Memory.h"
#include "win32/Module.h"
#include "Main/tests/EngineFixture.h"
#include "comctl/CommCtrl.h"
#include "user/Controls.h"
#include "user/Dialogs.h"
#include "win32/MessageBox.h"

namespace {

CDynBuf Block(const std::string& bytes) {
  CDynBuf block;
  block.Append(bytes.data(), static_cast<int>(bytes.size()));
  return block;
}

class ViewerDialogsTest : public varno::testing::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    InitCommonControls();  // as the program does at its start
    OpenTexts(theGlobals.m_msgdud, "messages.ddm",
              "dictionary\nlanguage \"D\"\n1546 = \"VARNO 4 Hinweis\"\n1119 = \"OK\"\n680 = \"Abbrechen\"\n"
              "282 = \"Bestellen\"\n1573 = \"Welche Teile?\"\n728 = \"Version\"\n1550 = \"Projekt:\"\n"
              "1559 = \"Deutsch\"\n1560 = \"Englisch\"\n1561 = \"Deutsch\"\n1562 = \"English\"\n"
              "1582 = \"Speicher: \"\n1583 = \"Belegt: \"\n2288 = \"Eigener Speicher:\"\n1518 = \"Kopieren\"\n");
    theGlobals.m_language = "D";
  }
  void TearDown() override {
    layer::SetModalHook(nullptr);
    ShellFixture::TearDown();
  }
  static std::string Text(HWND window, int id) {
    char text[256] = {};
    GetDlgItemText(window, id, text, sizeof text);
    return text;
  }
};

TEST_F(ViewerDialogsTest, NoteShowsItsTextAndTellsOkFromCancel) {
  for (int answer : {IDOK, IDCANCEL}) {
    CNoteDlg note(CWnd::FromHandle(app.m_hMainWnd));
    note.m_text = "Bitte legen Sie die CD RM46 ein.";
    std::string shown;
    std::string caption;
    layer::SetModalHook([&](HWND window) {
      shown = Text(window, CNoteDlg::IDC_TEXT);
      char title[64] = {};
      GetWindowText(window, title, sizeof title);
      caption = title;
      PostMessage(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    });
    EXPECT_EQ(note.DoModal(), answer);
    EXPECT_EQ(shown, "Bitte legen Sie die CD RM46 ein.");
    EXPECT_EQ(caption, "VARNO 4 Hinweis");
  }
}

TEST_F(ViewerDialogsTest, CreditsListTheirLinesInOrder) {
  CCreditsDlg credits(CWnd::FromHandle(app.m_hMainWnd));
  std::vector<std::string> lines;
  layer::SetModalHook([&](HWND window) {
    const int count = static_cast<int>(SendDlgItemMessage(window, CCreditsDlg::IDC_LIST, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char line[128] = {};
      SendDlgItemMessage(window, CCreditsDlg::IDC_LIST, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
      lines.emplace_back(line);
    }
    PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  credits.DoModal();
  ASSERT_EQ(lines.size(), static_cast<size_t>(CCreditsDlg::kLineCount));
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[9], "the Independent JPEG Group.");
}

// The user picks rows of the list and presses OK: only their data rows stay.
TEST_F(ViewerDialogsTest, ConfirmListKeepsTheRowsTheUserSelected) {
  CDynBuf titles = Block(std::string("Nr\0Teil\0", 8));
  CDynBuf display = Block(std::string("1\0Kolben\0" "2\0Ventil\0" "3\0Feder\0" "\0", 24));
  CDynBuf data = Block(std::string("A\0" "1\0" "\0" "B\0" "2\0" "\0" "C\0" "3\0" "\0" "\0", 16));
  CConfirmListDlg dialog(CWnd::FromHandle(app.m_hMainWnd));
  dialog.m_columns = 2;
  dialog.m_titles = &titles;
  dialog.m_display = &display;
  dialog.m_data = &data;
  int rows = 0;
  std::string secondCell;
  std::string label;
  layer::SetModalHook([&](HWND window) {
    HWND list = GetDlgItem(window, CConfirmListDlg::IDC_LIST);
    rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    char text[64] = {};
    LVITEM item{};
    item.iSubItem = 1;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(list, LVM_GETITEMTEXT, 1, reinterpret_cast<LPARAM>(&item));
    secondCell = text;
    label = Text(window, CConfirmListDlg::IDC_LABEL);
    LVITEM select{};
    select.stateMask = LVIS_SELECTED;
    select.state = LVIS_SELECTED;
    SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&select));
    PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(secondCell, "Ventil");
  EXPECT_EQ(label, "Welche Teile?");
  EXPECT_EQ(std::string(static_cast<const char*>(data), data.GetLength()), std::string("C\0" "3\0" "\0", 5));
}

struct PointsCase {
  unsigned long long value;
  int maxPoints;
  const char* text;
};

TEST(AboutFigures, ThousandsGetPointsUpToTheLimit) {
  for (const PointsCase& c : {PointsCase{1048576, 2, "1.048.576"}, PointsCase{999, 2, "999"},
                              PointsCase{1000, 2, "1.000"}, PointsCase{1234567, 1, "1234.567"},
                              PointsCase{123456, 2, "123.456"}, PointsCase{0, 2, "0"}})
    EXPECT_STREQ(CAboutDlg::WithPoints(c.value, c.maxPoints), c.text) << c.value;
}

TEST_F(ViewerDialogsTest, AboutShowsVersionProjectAndMemory) {
  theGlobals.m_main_prj_name = "RM46";
  for (int windows : {0, 3}) {  // any system; NT 4 has no heap figure
    app.m_win_version = windows;
    CAboutDlg about(CWnd::FromHandle(app.m_hMainWnd));
    std::string version, project, physical, heap;
    bool heapShown = true;
    layer::SetModalHook([&](HWND window) {
      version = Text(window, CAboutDlg::IDC_VERSION);
      project = Text(window, CAboutDlg::IDC_PROJECT);
      physical = Text(window, CAboutDlg::IDC_PHYSICAL);
      heap = Text(window, CAboutDlg::IDC_HEAP);
      heapShown = IsWindowVisible(GetDlgItem(window, CAboutDlg::IDC_HEAP)) != FALSE;
      PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_EQ(version, "Version 4.0.1");
    EXPECT_EQ(project, "RM46");
    EXPECT_EQ(physical.rfind("Speicher: ", 0), 0u);
    EXPECT_EQ(physical.substr(physical.size() - 3), " KB");
    EXPECT_EQ(heapShown, windows != 3);
    if (windows != 3) EXPECT_EQ(heap.rfind("Eigener Speicher: ", 0), 0u);
  }
  app.m_win_version = 0;
  theGlobals.m_main_prj_name.Empty();
}

// The test program carries the viewer's version information, so it is listed
// with it; the copy puts the list on the clipboard as text.
TEST_F(ViewerDialogsTest, VersionOverviewListsVersionedModulesAndCopiesThem) {
  char own[MAX_PATH] = {};
  GetModuleFileName(nullptr, own, sizeof own);
  CVersionDlg versions(CWnd::FromHandle(app.m_hMainWnd));
  std::string copied;
  layer::SetModalHook([&](HWND window) {
    SendMessage(window, WM_COMMAND, MAKEWPARAM(CVersionDlg::IDC_COPY, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(window, CVersionDlg::IDC_COPY)));
    if (OpenClipboard(nullptr)) {
      if (HANDLE text = GetClipboardData(CF_TEXT)) copied = static_cast<const char*>(GlobalLock(text));
      CloseClipboard();
    }
    PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(versions.DoModal(), IDOK);
  const std::string ownPath = own;
  const std::string ownName = ownPath.substr(ownPath.find_last_of("\\/") + 1);
  const size_t row = copied.find(ownName + "\t4.0.1");
  ASSERT_NE(row, std::string::npos) << copied;
  EXPECT_EQ(copied.find("\t" + ownPath + "\r\n", row), copied.find("\r\n", row) - ownPath.size() - 1);
  // Modules without version information (the system's libraries) stay out.
  EXPECT_EQ(copied.find("libc.so"), std::string::npos);
}

// The configuration's language tables: German and English each.
class LanguageTest : public ViewerDialogsTest {
 protected:
  void SetUp() override {
    ViewerDialogsTest::SetUp();
    program[0] = {400, "D", 1561};
    program[1] = {401, "GB", 1562};
    data[0] = {430, "D", 1559};
    data[1] = {431, "GB", 1560};
    theGlobals.m_lang_prg = program;
    theGlobals.m_lang_prg_num = 2;
    theGlobals.m_lang_data = data;
    theGlobals.m_lang_data_num = 2;
    theGlobals.m_prg_language = "D";
    theGlobals.m_language = "D";
  }
  void TearDown() override {
    theGlobals.m_lang_prg = nullptr;
    theGlobals.m_lang_data = nullptr;
    theGlobals.m_lang_prg_num = theGlobals.m_lang_data_num = 0;
    theGlobals.m_prg_language.Empty();
    ViewerDialogsTest::TearDown();
  }
  LanguageEntry program[2];
  LanguageEntry data[2];
};

struct ChoiceCase {
  const char* name;
  int programItem;
  int dataItem;
  int answer;
  int result;
};

class LanguageChoice : public LanguageTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(LanguageChoice, TellsWhatChanged) {
  const ChoiceCase& c = GetParam();
  CLanguageDlg dialog(CWnd::FromHandle(app.m_hMainWnd));
  std::string shownProgram;
  layer::SetModalHook([&](HWND window) {
    shownProgram = Text(window, CLanguageDlg::IDC_PROGRAM);
    SendDlgItemMessage(window, CLanguageDlg::IDC_PROGRAM, CB_SETCURSEL, static_cast<WPARAM>(c.programItem), 0);
    SendDlgItemMessage(window, CLanguageDlg::IDC_DATA, CB_SETCURSEL, static_cast<WPARAM>(c.dataItem), 0);
    PostMessage(window, WM_COMMAND, MAKEWPARAM(c.answer, BN_CLICKED), 0);
  });
  EXPECT_EQ(dialog.DoModal(), c.answer);
  EXPECT_EQ(shownProgram, "Deutsch");  // the current language is chosen at first
  EXPECT_EQ(dialog.m_result, c.result);
  if (c.result & CLanguageDlg::kProgramLanguage) {
    EXPECT_STREQ(dialog.m_program_language, "GB");
    EXPECT_EQ(dialog.m_program_command, 401);
  }
  if (c.result & CLanguageDlg::kDataLanguage) {
    EXPECT_STREQ(dialog.m_data_language, "GB");
    EXPECT_EQ(dialog.m_data_command, 431);
  }
}

INSTANTIATE_TEST_SUITE_P(Choices, LanguageChoice,
                         ::testing::Values(ChoiceCase{"Unchanged", 0, 0, IDOK, 0},
                                           ChoiceCase{"DataOnly", 0, 1, IDOK, CLanguageDlg::kDataLanguage},
                                           ChoiceCase{"ProgramOnly", 1, 0, IDOK, CLanguageDlg::kProgramLanguage},
                                           ChoiceCase{"Both", 1, 1, IDOK, 3},
                                           ChoiceCase{"NothingChosen", -1, -1, IDOK, 0},
                                           ChoiceCase{"Cancelled", 1, 1, IDCANCEL, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The program language is kept for the user and told to the order-list
// program, but only once the start is complete.
TEST_F(LanguageTest, ProgramLanguageIsStoredAndToldOnceStarted) {
  varno::testing::OrderListStandIn orderList;
  app.m_prot_pid = GetCurrentProcessId();
  CIniClass ini;
  theGlobals.m_pini = &ini;
  theGlobals.m_main_user_ini = (dataFolder / "user.ini").c_str();
  theGlobals.m_FirstStart = TRUE;
  EXPECT_TRUE(app.SetProgramLanguage("GB"));
  EXPECT_TRUE(orderList.copies.empty());
  theGlobals.m_FirstStart = FALSE;
  EXPECT_TRUE(app.SetProgramLanguage("D"));
  ASSERT_EQ(orderList.copies.size(), 1u);
  EXPECT_EQ(orderList.copies[0].bytes, std::string("D\0", 2));
  CString stored;
  ini.ReadKey("SYSTEM", "Language", "", stored, theGlobals.m_main_user_ini, 0);
  EXPECT_STREQ(stored, "\"D\"");
  VarValue value;
  ASSERT_EQ(vars().GetVar("PRGLANGUAGE", &value), VAR_CHAR);
  EXPECT_STREQ(value.text, "D");
  theGlobals.m_pini = nullptr;
  theGlobals.m_main_user_ini.Empty();
}

TEST_F(LanguageTest, DataLanguageTravelsAsAUserVariable) {
  EXPECT_TRUE(app.SetDataLanguage("GB"));
  EXPECT_STREQ(theGlobals.m_language, "GB");
  CDynBuf user;
  vars().WriteUserVars(user);
  EXPECT_NE(std::string(static_cast<const char*>(user), user.GetLength()).find("DATALANGUAGE"), std::string::npos);
}

// The error dialog as the user works it: the short text first, the details
// on request, and the details to the clipboard whichever is shown.
TEST_F(ViewerDialogsTest, ErrorDialogShowsDetailsOnRequestAndCopiesThem) {
  CErrorDlg error(CWnd::FromHandle(app.m_hMainWnd));
  error.m_short_text = "Fehler 374";
  error.m_detail_text = "Schl\xFCssel MOT\r\n[374] fehlt";
  std::vector<std::string> shown;
  std::string copied;
  layer::SetModalHook([&](HWND window) {
    auto press = [window](int id) {
      SendMessage(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    };
    shown.push_back(Text(window, CErrorDlg::IDC_TEXT) + "|" + Text(window, CErrorDlg::IDC_DETAILS));
    press(CErrorDlg::IDC_COPY);
    if (OpenClipboard(nullptr)) {
      if (HANDLE text = GetClipboardData(CF_TEXT)) copied = static_cast<const char*>(GlobalLock(text));
      CloseClipboard();
    }
    press(CErrorDlg::IDC_DETAILS);
    shown.push_back(Text(window, CErrorDlg::IDC_TEXT) + "|" + Text(window, CErrorDlg::IDC_DETAILS));
    press(CErrorDlg::IDC_DETAILS);
    shown.push_back(Text(window, CErrorDlg::IDC_TEXT) + "|" + Text(window, CErrorDlg::IDC_DETAILS));
    PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(error.DoModal(), IDOK);
  EXPECT_EQ(shown, (std::vector<std::string>{"Fehler 374|Details", "Schl\xFCssel MOT\r\n[374] fehlt|Kurz",
                                             "Fehler 374|Details"}));
  EXPECT_EQ(copied, "Schl\xFCssel MOT\r\n[374] fehlt");
}

// The history lists the keys newest first; OK on a chosen one shows it in the
// frame that opened the list.
TEST_F(ViewerDialogsTest, HistoryListGoesBackToTheChosenKey) {
  theGlobals.m_phistory->AddEntry("P~A", CDynBuf(), 0, 0);
  theGlobals.m_phistory->AddEntry("P~B", CDynBuf(), 1, 0);
  CHistoryDlg history(CWnd::FromHandle(app.m_hMainWnd));
  std::vector<std::string> rows;
  layer::SetModalHook([&](HWND window) {
    HWND list = GetDlgItem(window, CHistoryDlg::IDC_LIST);
    const int count = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = {};
      LVITEM item{};
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      rows.emplace_back(text);
    }
    LVITEM choose{};
    choose.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    choose.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&choose));
    PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(history.DoModal(), IDOK);
  EXPECT_EQ(rows, (std::vector<std::string>{"P~B", "P~A"}));
  EXPECT_EQ(TakeKeyCommands(), (KeyCommands{{0, "P~A"}}));
}

TEST_F(ViewerDialogsTest, VariableListOffersOnlyOk) {
  vars().SetVar("Modell", VarValue::Text("RM46"), VAR_CHAR);
  CVarListDlg variables(CWnd::FromHandle(app.m_hMainWnd));
  bool cancelShown = true;
  int rows = 0;
  layer::SetModalHook([&](HWND window) {
    cancelShown = IsWindowVisible(GetDlgItem(window, IDCANCEL)) != FALSE;
    rows = static_cast<int>(SendDlgItemMessage(window, CVarListDlg::IDC_LIST, LVM_GETITEMCOUNT, 0, 0));
    PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(variables.DoModal(), IDOK);
  EXPECT_FALSE(cancelShown);
  EXPECT_GE(rows, 1);
}

TEST(ListHelper, TextTooWideIsCutAndEndsInTwoDots) {
  auto sevenEach = [](const CString& text) { return text.GetLength() * 7; };
  struct Case {
    const char* text;
    int limit;
    const char* drawn;
  };
  for (const Case& c : {Case{"Kolben", 100, "Kolben"}, Case{"Kolben", 42, "Kolben"}, Case{"Kolbenring", 42, "Kolben.."},
                        Case{"Zylinderkopfdichtung", 70, "Zylinderko.."}, Case{"Welle", 0, ".."}})
    EXPECT_STREQ(CListHelper::CutToWidth(c.text, c.limit, sevenEach), c.drawn) << c.text << " " << c.limit;
}

}  // namespace
